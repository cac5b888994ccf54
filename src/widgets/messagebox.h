#pragma once

#include "i18n/languagemode.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The buttons a message box offers, in the order shown.
enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

enum class MessageIcon { None, Critical, Question, Exclamation, Information };

// The button a message box was closed with; Withdrawn when the caller took the box back.
enum class MessageAnswer { Withdrawn, Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// How a message box looks: its buttons, its icon, and which button Enter presses (0 the first).
struct MessageStyle
{
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    int defaultButton = 0;
};

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
    MessageStyle style;
    QStringList buttons;                        // the button texts, in the order shown
    MessageBoxWithdrawal *withdrawal = nullptr; // set when the box can be taken back
};

// Shows a modal message box owned by owner with the given text (already in the user's
// language), style and title ("Lumeo" when empty), its buttons labelled in the language of
// mode (Simplified, English or Traditional Chinese; the toolkit's English for any other mode),
// and returns the button pressed, or Withdrawn when the box was taken back through withdrawal
// before an answer. The close box and Escape answer Cancel where there is one, else the only
// button. When the box closes, its owner's window is made the active one again, so that its
// focus changes take effect at once.
MessageAnswer showMessageBox(QWidget *owner, LanguageMode mode, const QString &text, MessageStyle style = {},
                             const QString &title = {}, MessageBoxWithdrawal *withdrawal = nullptr);

// For tests: answers every message box instead of a person, until reset with nullptr.
using MessageBoxResponder = std::function<MessageAnswer(const MessageBoxRequest &)>;
void setMessageBoxResponder(MessageBoxResponder responder);
