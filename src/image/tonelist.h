#pragma once

#include <QStringList>

// The tone editor's list: the no-tone item, the 50 CTCSS tones, the 105 DCS codes as normal
// ("D023N") and then as inverted ("D023I") codes, 261 items. Only item 0 depends on the language.
namespace ToneList {

inline constexpr int Size = 261;
inline constexpr int Off = 0;

QStringList items(const QString &offText);

// The position of a tone text in the list (the Off item not counted); 0 when it is not listed.
int indexOf(QStringView tone);

} // namespace ToneList
