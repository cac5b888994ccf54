#pragma once

#include "image/channel.h"

#include <QString>
#include <array>
#include <optional>

inline constexpr int ChannelCount = 16;
inline constexpr int BandCount = 7;

// The DTMF group of the optional functions: list positions, but for the first digit's delay.
struct DtmfSettings
{
    int rate = 0;            // 6, 8, 10 or 15 digits a second
    int firstDigitTime = 1;  // off, 100, 500, 1000 ms
    int firstDigitDelay = 0; // milliseconds, stored in units of 10 ms
    int starHashTone = 1;    // off, 100, 500, 1000 ms
    int dKey = 1;            // the D code, or 1 to 16 seconds
    int sideTone = 1;        // off, on
    int groupCallCode = 0;   // off, *, #, A, B, C, D
    int autoResetTimer = 0;  // off, or 1 to 15 seconds

    friend bool operator==(const DtmfSettings &, const DtmfSettings &) = default;
};

// The DTMF group in the order of its bytes in the image and of the JSON files' "optionSettings".
inline constexpr int DtmfSettings::*const DtmfOrder[8] = {&DtmfSettings::rate, &DtmfSettings::firstDigitTime,
    &DtmfSettings::firstDigitDelay, &DtmfSettings::starHashTone, &DtmfSettings::dKey, &DtmfSettings::sideTone,
    &DtmfSettings::groupCallCode, &DtmfSettings::autoResetTimer};

// The optional functions' settings: list positions and check boxes, but for the scan resume
// delays, which are kept as typed (a box may hold "" or "007", and shows it again).
struct OptionalFunctions
{
    int pttId = 1;           // start of transmission, end, both
    int vox = 1;             // off, on
    int voxGain = 1;         // off, 1 to 10
    int voxDelay = 1;        // 0.3, 0.5, 1, 1.5, 2, 3 s
    int voxTone = 1;         // VOX may send tones: off, on
    int voxCancel = 1;       // check box "cancel operation"
    int voxOffOnReceive = 1; // check box "no VOX while receiving"
    int duplicate = 1;       // cloning: off, on
    int priorityMode = 0;    // none, fixed, selected
    int priorityChannel = 1; // the channel number, 1 to 16; 0 when none was chosen
    int revertTimeA = 1;     // none, then 0.50 s to 5.00 s in steps of 0.05 s
    int revertTimeB = 1;
    int returnChannel = 1;   // selected, selected + talk-back, priority, priority + talk-back
    QString scanReceiveDelay;  // seconds, as typed
    QString scanTransmitDelay;

    friend bool operator==(const OptionalFunctions &, const OptionalFunctions &) = default;
};

// The three codes PTT ID sends, as texts of one-byte characters; the radio keeps them with
// the optional functions.
struct PttIdCodes
{
    QString id = {};                      // 10 characters
    QString start = QStringLiteral("1"); // start of transmission, 16 characters
    QString end = QStringLiteral("2");   // end of transmission, 16 characters

    friend bool operator==(const PttIdCodes &, const PttIdCodes &) = default;
};

// Everything the radio's memory holds that the editor shows, as typed values, and what the tone
// editor remembers of each tone cell. A plain value; the start values are those the program
// starts with. The language it is shown in is the views' business.
struct EditorState
{
    // Grid columns of the channel table.
    enum Column { RxFrequency = 1, RxTone, TxFrequency, TxTone, Power, BusyLock, Bandwidth, Scan };

    struct TestFrequencies
    {
        QString rx; // MHz as the test-frequency dialog writes it ("436.12500", or "99.50000")
        QString tx;
        friend bool operator==(const TestFrequencies &, const TestFrequencies &) = default;
    };

    // Channel 1 to 16, when it exists.
    const std::optional<::Channel> &channel(int number) const { return channels.at(number - 1); }
    std::optional<::Channel> &channel(int number) { return channels.at(number - 1); }
    bool channelExists(int number) const { return channel(number).has_value(); }

    // The tone the editor of a tone cell (column 2 or 4) falls back on when a typed CTCSS tone
    // is refused: the list item picked last, or the tone decoded. Not part of the image.
    Tone &toneFallback(int number, int column) { return toneFallbacks.at(number - 1).at(column == RxTone ? 0 : 1); }
    const Tone &toneFallback(int number, int column) const
    {
        return toneFallbacks.at(number - 1).at(column == RxTone ? 0 : 1);
    }

    // Puts a channel in place as read from an image or a file: its tone cells fall back on its
    // tones where the tone list has them, else on no tone.
    void placeChannel(int number, const ::Channel &channel);

    std::array<std::optional<::Channel>, ChannelCount> channels;
    std::array<std::array<Tone, 2>, ChannelCount> toneFallbacks;

    int currentBand = 0; // index into the band list, 0 = "400-500MHz"

    // Selected positions of the main window's function-setting lists; -1 is no selection.
    int voicePrompt = 1; // off, Chinese, English
    int timeout = 1;     // transmit time-out: (position + 1) x 15 seconds
    int timeoutWarn = 1; // time-out pre-alert: off, then 1 to 10 seconds
    int squelch = 1;     // squelch level 0 to 9
    int batterySave = 1; // off, on
    int beep = 1;        // key beep: off, on

    OptionalFunctions options;
    DtmfSettings dtmf;
    PttIdCodes pttIdCodes;
    std::array<QString, 8> autoDialCodes {"1", "2", "3", "4", "5", "6", "7", "8"};
    int keyFunction1 = 10;
    int keyFunction2 = 0;
    std::array<QString, 2> embeddedTexts;
    std::array<TestFrequencies, ChannelCount> testFrequencyTable;
    int powerTuning1 = 208; // high power
    int powerTuning2 = 92;  // low power

    friend bool operator==(const EditorState &, const EditorState &) = default;
};
