#pragma once

#include <QString>
#include <array>

inline constexpr int ChannelCount = 16;
inline constexpr int BandCount = 7;

// Everything the editor holds that an image decodes into and encodes from: the channel grid's
// cell texts with their list indexes, the band, the six function settings of the main window
// and the tables the feature dialogs edit. A plain value; the start values are those the
// program starts with.
struct EditorState
{
    // Grid columns of the channel table.
    enum Column { RxFrequency = 1, RxTone, TxFrequency, TxTone, Power, BusyLock, Bandwidth, Scan };

    // Text slots of the optional-functions table that hold the three stored code texts.
    static constexpr int StoredTextA = 16; // 10 characters
    static constexpr int StoredTextB = 17; // 16 characters
    static constexpr int StoredTextC = 18; // 16 characters

    struct TestFrequencies
    {
        QString rx;
        QString tx;
        friend bool operator==(const TestFrequencies &, const TestFrequencies &) = default;
    };

    EditorState();

    // ChannelTable: the text of grid cell (row 1..16, column 1..8). A channel exists when its
    // RX frequency cell is not empty.
    QString &cell(int row, int column) { return channelTable.at(row - 1).at(column - 1); }
    const QString &cell(int row, int column) const { return channelTable.at(row - 1).at(column - 1); }
    bool channelExists(int row) const { return !cell(row, RxFrequency).isEmpty(); }

    // ChannelOptionTable[column][row]: the list index behind a tone (2, 4) or option (5..8) cell;
    // columns 3 and 9 to 11 exist but mean nothing.
    qint16 &option(int column, int row) { return channelOptionTable.at(column - 2).at(row - 1); }
    qint16 option(int column, int row) const { return channelOptionTable.at(column - 2).at(row - 1); }

    // OptionTextTable slot 1..24, a setting as decimal text (slots 16 to 18: stored texts).
    QString &optionText(int slot) { return optionTextTable.at(slot - 1); }
    const QString &optionText(int slot) const { return optionTextTable.at(slot - 1); }

    // CodeTexts 1..8, the auto-dial codes.
    QString &codeText(int number) { return codeTexts.at(number - 1); }
    const QString &codeText(int number) const { return codeTexts.at(number - 1); }

    std::array<std::array<QString, 8>, ChannelCount> channelTable;
    std::array<std::array<qint16, ChannelCount>, 10> channelOptionTable {};

    int currentBand = 0; // index into the band list, 0 = "400-500MHz"

    // Selected positions of the main window's function-setting lists; -1 is no selection.
    int voicePrompt = 1; // off, Chinese, English
    int timeout = 1;     // transmit time-out: (position + 1) x 15 seconds
    int timeoutWarn = 1; // time-out pre-alert: off, then 1 to 10 seconds
    int squelch = 1;     // squelch level 0 to 9
    int batterySave = 1; // off, on
    int beep = 1;        // key beep: off, on

    std::array<QString, 24> optionTextTable;
    std::array<int, 8> optionSettingTable {0, 1, 0, 1, 1, 1, 0, 0}; // [2] in milliseconds
    std::array<QString, 8> codeTexts;
    int keyFunction1 = 10;
    int keyFunction2 = 0;
    std::array<QString, 2> embeddedTexts;
    std::array<TestFrequencies, ChannelCount> testFrequencyTable;
    int powerTuning1 = 208; // high power
    int powerTuning2 = 92;  // low power

    friend bool operator==(const EditorState &, const EditorState &) = default;
};
