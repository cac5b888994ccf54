#pragma once

// The language the interface shows: the third byte of the settings file. Other values can be
// stored there; they are kept as they are.
using LanguageMode = int;

namespace Language {
inline constexpr LanguageMode Simplified = 0;
inline constexpr LanguageMode English = 1;
inline constexpr LanguageMode Traditional = 2;
}
