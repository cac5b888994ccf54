#pragma once

#include "i18n/languagemode.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Style words of a message box: buttons, icon and default button, combined by addition.
namespace MsgBoxStyle {
inline constexpr int OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
inline constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
inline constexpr int DefaultButton2 = 256, DefaultButton3 = 512;
inline constexpr int SystemModal = 4096;
}

// The button a message box was closed with.
namespace MsgBoxResult {
inline constexpr int Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
}

// A message box as it is about to be shown.
struct MessageBoxRequest
{
    QString text;
    QString title;
    int style = 0;
    QStringList buttons; // the button texts, in the order shown
};

// Shows a modal message box owned by owner with the given text (already in the user's
// language), style word and title ("Lumeo" when empty), the buttons labelled in the language of
// mode, and returns the identifier of the button pressed (MsgBoxResult).
int MsgBoxLocalized(QWidget *owner, LanguageMode mode, const QString &text, int style, const QString &title = {});

// For tests: answers every message box instead of a person, until reset with nullptr.
using MessageBoxResponder = std::function<int(const MessageBoxRequest &)>;
void setMessageBoxResponder(MessageBoxResponder responder);
