#pragma once

#include "i18n/languagemode.h"

#include <QString>
#include <QStringList>

// The items of every list of settings the window and its dialogs show, found by the list's
// caption key: "Combo3" for a list of the main window, "Form5.Combo8" for one of a dialog. In a
// language, an item is the caption table's row "KEY[i]" where the table has one, else the
// list's own text (numbers, durations, the DTMF group's texts), in Traditional Chinese made
// from the Simplified.
bool hasListItems(QStringView list);
QStringList listItems(QStringView list, LanguageMode mode);
// One item; empty when index is no position of the list.
QString listItem(QStringView list, int index, LanguageMode mode);
