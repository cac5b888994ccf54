#pragma once

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

// The DTMF group as stored, in the order of its bytes: the first digit's delay in units of 10 ms
// (the state holds milliseconds), the group-call code a decimal digit (stored as its ASCII
// code; 00 and FF read as 0).
inline constexpr ValueRange Dtmf[8] = {{0, 3}, {0, 3}, {10, 100}, {0, 3}, {0, 16}, {0, 1}, {0, 9}, {0, 15}};

// The optional functions, in the order of their bytes.
inline constexpr ValueRange PttId {0, 2};
inline constexpr ValueRange Duplicate {0, 1};
// cancel, off on receive, VOX, gain, delay, tones
inline constexpr ValueRange Vox[6] = {{0, 1}, {0, 1}, {0, 1}, {0, 10}, {0, 5}, {0, 1}};
// priority mode, priority channel, revert times A and B, return channel
inline constexpr ValueRange Scan[5] = {{0, 2}, {1, 16}, {0, 91}, {0, 91}, {0, 3}};
inline constexpr ValueRange ScanDelay {0, 300}; // seconds

} // namespace SettingRanges
