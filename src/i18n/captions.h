#pragma once

#include "i18n/languagemode.h"

#include <QString>
#include <QStringList>

// The caption table: a Simplified Chinese and an English text for each control and list item,
// found by a key of the form "Window.control" or "control[item]". Traditional Chinese is made
// from the Simplified text at run time.
QString captionText(QStringView key, LanguageMode mode);
// Whether the table has a row for key.
bool hasCaption(QStringView key);
// The keys of every row, in the table's order.
QStringList captionKeys();

// The language whose texts window titles and the toolbar's tooltips show: these are never
// converted, so in Traditional Chinese mode they stay Simplified.
inline LanguageMode unconvertedLanguage(LanguageMode mode)
{
    return mode == Language::Traditional ? Language::Simplified : mode;
}
