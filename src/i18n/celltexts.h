#pragma once

#include "i18n/languagemode.h"
#include "image/editorstate.h"

#include <QString>
#include <array>

// The list items the channel grid shows, in one language: the no-tone item of the tone list and
// the two items of each option column.
struct CellTexts
{
    QString toneOff;
    std::array<std::array<QString, 2>, 4> optionItems; // columns 5 to 8, items 0 and 1

    const QString &option(int column, int item) const { return optionItems.at(column - 5).at(item); }

    static CellTexts forLanguage(LanguageMode mode);
};

// The text grid cell (row 1..16, column 1..8) shows: frequencies in MHz with five decimals, tones
// as the tone editor writes them, no tone as the Off item beside a frequency and empty beside
// none, options as their list items. Empty for a channel that does not exist.
QString cellText(const EditorState &state, int row, int column, const CellTexts &texts);
