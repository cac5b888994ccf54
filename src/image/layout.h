#pragma once

#include <QList>
#include <QtGlobal>
#include <optional>

// The layout of the radio image: every byte of the 848 an encoding builds belongs to one segment
// of this table, in order. Decoding reads the segments' fields, encoding writes them, and the
// blocks a write sends to the radio are the segments it sends. Image offset n is radio address
// 0x0010 + n.
namespace Layout {

inline constexpr int ImageSize = 848;
inline constexpr int ChannelRecordSize = 16; // channel k at 16 x (k - 1)

// What a segment holds.
enum class Field {
    Fill,            // the fill byte in every position
    Constant,        // the constant bytes
    Channels,        // 16 channel records
    Dtmf,            // the DTMF group, one byte each
    KeyFunction1,
    KeyFunction2,
    PttIdCode,       // 10 text bytes
    VoicePrompt,
    Timeout,         // position + 1
    TimeoutWarn,
    PttId,
    Squelch,
    BatterySave,
    Beep,
    Vox,             // cancel, off on receive, VOX, gain, delay, tones
    Duplicate,       // bit 0
    PttStartCode,    // 16 text bytes
    PttEndCode,      // 16 text bytes
    Scan,            // priority mode, priority channel, revert times A and B, return channel
    ScanReceiveDelay,  // 16 bits
    ScanTransmitDelay, // 16 bits
    ScanMembership,  // channels 1 to 8, then 9 to 16, a bit each
    PowerTuning1,
    PowerTuning2,
    BandCode,
    AutoDialCodes,   // 8 x 16 text bytes, "0" stored as 3A
    TestFrequencies, // 16 x (RX, TX)
    EmbeddedTexts,   // 2 x 32 text bytes
};

// Which writes send a segment: every one, only those with the debug mode's calibration, or none.
enum class Sent { Always, WithCalibration, Never };

struct Segment
{
    int offset;
    int size;
    Field field;
    const char *constant = nullptr; // the bytes of a constant
    quint8 fill = 0xFF;
    Sent sent = Sent::Always;
};

// clang-format off
inline constexpr Segment Segments[] = {
    {0,   256, Field::Channels},
    {256, 8,   Field::Dtmf},
    {264, 5,   Field::Fill},
    {269, 1,   Field::KeyFunction1},
    {270, 1,   Field::KeyFunction2},
    {271, 1,   Field::Fill},
    {272, 10,  Field::PttIdCode},
    {282, 5,   Field::Fill},
    {287, 1,   Field::VoicePrompt},
    {288, 1,   Field::Timeout},
    {289, 1,   Field::TimeoutWarn},
    {290, 1,   Field::PttId},
    {291, 1,   Field::Fill, nullptr, 0x00},
    {292, 1,   Field::Squelch},
    {293, 1,   Field::BatterySave},
    {294, 1,   Field::Beep},
    {295, 6,   Field::Vox},
    {301, 1,   Field::Fill},
    {302, 1,   Field::Duplicate},
    {303, 1,   Field::Fill},
    {304, 16,  Field::PttStartCode},
    {320, 16,  Field::PttEndCode},
    {336, 5,   Field::Scan},
    {341, 2,   Field::ScanReceiveDelay},
    {343, 2,   Field::ScanTransmitDelay},
    {345, 21,  Field::Fill},
    {366, 2,   Field::ScanMembership},
    {368, 3,   Field::Fill, nullptr, 0xFF, Sent::WithCalibration},
    {371, 1,   Field::PowerTuning1, nullptr, 0xFF, Sent::WithCalibration},
    {372, 4,   Field::Fill, nullptr, 0xFF, Sent::WithCalibration},
    {376, 1,   Field::PowerTuning2, nullptr, 0xFF, Sent::WithCalibration},
    {377, 7,   Field::Fill, nullptr, 0xFF, Sent::WithCalibration},
    {384, 40,  Field::Fill, nullptr, 0xFF, Sent::Never},
    {424, 5,   Field::Constant, "QVF54"},
    {429, 1,   Field::BandCode},
    {430, 2,   Field::Constant, "\xF8\xFF"},
    {432, 8,   Field::Fill},
    {440, 56,  Field::Fill, nullptr, 0xFF, Sent::Never},
    {496, 128, Field::AutoDialCodes},
    {624, 128, Field::TestFrequencies},
    {752, 64,  Field::EmbeddedTexts},
    {816, 7,   Field::Constant, "QVCR540"},
    {823, 5,   Field::Fill},
    {828, 1,   Field::BandCode},
    {829, 3,   Field::Fill},
    {832, 8,   Field::Constant, "60905626"},
    {840, 8,   Field::Fill, nullptr, 0x88},
};
// clang-format on

// The segments follow each other without a gap and end with the image.
constexpr bool segmentsTile()
{
    int next = 0;
    for (const Segment &segment : Segments) {
        if (segment.offset != next || segment.size <= 0)
            return false;
        next += segment.size;
    }
    return next == ImageSize;
}
static_assert(segmentsTile(), "the layout covers the image, segment after segment");

// The (first) segment holding a field.
constexpr const Segment &segmentOf(Field field)
{
    for (const Segment &segment : Segments)
        if (segment.field == field)
            return segment;
    return Segments[0]; // not reached for a field of the table
}

constexpr int offsetOf(Field field)
{
    return segmentOf(field).offset;
}

// Offsets that tests and the emulator name.
inline constexpr int BandCode = offsetOf(Field::BandCode);
inline constexpr int BandCodeCopy = 828;
inline constexpr int Duplicate = offsetOf(Field::Duplicate);
inline constexpr int Timeout = offsetOf(Field::Timeout);
inline constexpr int KeyFunction2 = offsetOf(Field::KeyFunction2);
inline constexpr int EmbeddedTextSize = 32;
inline constexpr int AutoDialCodeSize = 16;
inline constexpr int PttIdCodeSize = 10;
inline constexpr int PttCodeSize = 16; // the start and end codes

// The band code the image stores for each position of the band list.
inline constexpr quint8 BandCodes[7] = {0x33, 0x21, 0x43, 0x63, 0x53, 0x01, 0x73};

inline std::optional<int> bandOfCode(quint8 code)
{
    for (int band = 0; band < 7; ++band)
        if (BandCodes[band] == code)
            return band;
    return std::nullopt;
}

// The image offsets at which a write sends its blocks, in order: the segments it sends, with the
// calibration's when asked for.
inline constexpr int WriteBlockSize = 16;
QList<int> writeBlockOffsets(bool calibration);

} // namespace Layout
