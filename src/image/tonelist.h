#pragma once

#include "image/channel.h"

#include <QStringList>

// The tone editor's list: the no-tone item, the 50 CTCSS tones, the 105 DCS codes as normal
// ("D023N") and then as inverted ("D023I") codes, 261 items. Only item 0, whose text is the
// view's, depends on the language.
namespace ToneList {

inline constexpr int Size = 261;
inline constexpr int Off = 0;

// The texts of items 1 to 260.
const QStringList &toneTexts();

// The tone of item 0 to 260; none for item 0 and any other number.
Tone tone(int index);
// The item of a tone; Off when it is not listed.
int indexOf(const Tone &tone);
bool isListed(const Tone &tone);

} // namespace ToneList
