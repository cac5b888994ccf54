#pragma once

#include <QtGlobal>
#include <optional>

// Offsets of the radio image: image offset n is radio address 0x0010 + n.
namespace Layout {

inline constexpr int ChannelRecordSize = 16;     // channel k at 16 x (k - 1)
inline constexpr int OptionSettings = 256;       // 256..263, OptionSettingTable[0..7]
inline constexpr int KeyFunction1 = 269;
inline constexpr int KeyFunction2 = 270;
inline constexpr int StoredTextA = 272;
inline constexpr int StoredTextASize = 10;
inline constexpr int VoicePrompt = 287;
inline constexpr int Timeout = 288;              // position + 1
inline constexpr int TimeoutWarn = 289;
inline constexpr int PttId = 290;                // option text 4
inline constexpr int Squelch = 292;
inline constexpr int BatterySave = 293;
inline constexpr int Beep = 294;
inline constexpr int VoxSettings = 295;          // option texts 23, 24, 6, 7, 8, 9
inline constexpr int Duplicate = 302;            // option text 10 in bit 0
inline constexpr int StoredTextB = 304;
inline constexpr int StoredTextC = 320;
inline constexpr int StoredTextBCSize = 16;      // each of B and C
inline constexpr int ScanSettings = 336;         // option texts 11..15
inline constexpr int ScanReceiveDelay = 341;     // option text 19, 16 bits
inline constexpr int ScanTransmitDelay = 343;    // option text 20, 16 bits
inline constexpr int ScanMembership = 366;       // channels 1..8, then 9..16
inline constexpr int PowerTuning1 = 371;
inline constexpr int PowerTuning2 = 376;
inline constexpr int Signature = 424;            // "QVF54"
inline constexpr int BandCode = 429;
inline constexpr int CodeTexts = 496;            // 8 x 16 bytes
inline constexpr int CodeTextSize = 16;
inline constexpr int TestFrequencies = 624;      // 16 x (RX, TX)
inline constexpr int EmbeddedTexts = 752;        // 2 x 32 bytes
inline constexpr int EmbeddedTextSize = 32;
inline constexpr int ModelIdentification = 816;  // "QVCR540"
inline constexpr int BandCodeCopy = 828;

// The band code the image stores for each position of the band list.
inline constexpr quint8 BandCodes[7] = {0x33, 0x21, 0x43, 0x63, 0x53, 0x01, 0x73};

inline std::optional<int> bandOfCode(quint8 code)
{
    for (int band = 0; band < 7; ++band)
        if (BandCodes[band] == code)
            return band;
    return std::nullopt;
}

} // namespace Layout
