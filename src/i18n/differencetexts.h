#pragma once

#include "i18n/languagemode.h"
#include "image/differences.h"

#include <QString>

// A difference as the window's comparison shows it, in the user's language: what differs (the
// captions of the window and its dialogs), and each side's value as the lists show it.
struct DifferenceTexts
{
    QString item;
    QString a;
    QString b;

    static DifferenceTexts of(const Differences::Difference &difference, LanguageMode mode);
};
