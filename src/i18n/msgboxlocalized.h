#pragma once

#include "i18n/languagemode.h"

#include <QObject>
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

// The button a message box was closed with; Withdrawn when the caller took the box back.
namespace MsgBoxResult {
inline constexpr int Withdrawn = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
}

// Lets the caller take back a message box that is still open, when what it asks about has
// settled itself meanwhile (a session that ended while "abort it?" was open).
class MessageBoxWithdrawal : public QObject
{
    Q_OBJECT

public:
    void withdraw()
    {
        m_withdrawn = true;
        emit withdrawn();
    }
    bool isWithdrawn() const { return m_withdrawn; }

signals:
    void withdrawn();

private:
    bool m_withdrawn = false;
};

// A message box as it is about to be shown.
struct MessageBoxRequest
{
    QString text;
    QString title;
    int style = 0;
    QStringList buttons; // the button texts, in the order shown
    MessageBoxWithdrawal *withdrawal = nullptr; // set when the box can be taken back
};

// Shows a modal message box owned by owner with the given text (already in the user's
// language), style word and title ("Lumeo" when empty), the buttons labelled in the language of
// mode, and returns the identifier of the button pressed (MsgBoxResult), or Withdrawn when the
// box was taken back through withdrawal before an answer. When the box closes, its owner's
// window is made the active one again, so that its focus changes take effect at once.
int MsgBoxLocalized(QWidget *owner, LanguageMode mode, const QString &text, int style, const QString &title = {},
                    MessageBoxWithdrawal *withdrawal = nullptr);

// For tests: answers every message box instead of a person, until reset with nullptr.
using MessageBoxResponder = std::function<int(const MessageBoxRequest &)>;
void setMessageBoxResponder(MessageBoxResponder responder);
