#pragma once

#include <optional>

// The values a setting can take in an image: decoding takes a byte within its setting's range
// and keeps the setting's value for any other byte. Encoding, decoding and the JSON files of the
// command-line tool share these ranges.
struct ValueRange
{
    int low = 0;
    int high = 0;
    constexpr bool contains(int value) const { return value >= low && value <= high; }
};

namespace SettingRanges {

// The main window's function settings: list positions.
inline constexpr ValueRange VoicePrompt {0, 2};
inline constexpr ValueRange Timeout {-1, 39}; // no selection (-1) is stored as 0, position p as p + 1
inline constexpr ValueRange TimeoutWarn {0, 10};
inline constexpr ValueRange Squelch {0, 9};
inline constexpr ValueRange BatterySave {0, 1};
inline constexpr ValueRange Beep {0, 1};

inline constexpr ValueRange KeyFunction {0, 11};
inline constexpr ValueRange PowerTuning {0, 255};

// OptionSettingTable[0..7] as stored: element 2 is a duration in units of 10 ms (the table holds
// milliseconds), element 6 a decimal digit (stored as its ASCII code; 00 and FF read as 0).
inline constexpr ValueRange OptionSettings[8] = {{0, 3}, {0, 3}, {10, 100}, {0, 3}, {0, 16}, {0, 1}, {0, 9}, {0, 15}};
inline constexpr int DurationSetting = 2;
inline constexpr int DigitSetting = 6;

// The OptionTextTable slots the image holds as numbers, with their ranges; nothing for the slots
// it holds as texts (16 to 18) or does not hold (1, 2, 3, 5, 21, 22).
constexpr std::optional<ValueRange> optionTextRange(int slot)
{
    switch (slot) {
    case 4: case 11: return ValueRange {0, 2};
    case 6: case 9: case 10: case 23: case 24: return ValueRange {0, 1};
    case 7: return ValueRange {0, 10};
    case 8: return ValueRange {0, 5};
    case 12: return ValueRange {1, 16};
    case 13: case 14: return ValueRange {0, 91};
    case 15: return ValueRange {0, 3};
    case 19: case 20: return ValueRange {0, 300};
    default: return std::nullopt;
    }
}

} // namespace SettingRanges
