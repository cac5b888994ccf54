#pragma once

#include "i18n/languagemode.h"
#include "i18n/messages.h"
#include "widgets/messagebox.h"

#include <QString>
#include <functional>

class QWidget;

// The main window's voice: the language it speaks and the message boxes it raises, owned by
// the window. When one of them closes, the keyboard focus goes to where work goes on (the channel
// grid's current cell), not to wherever the toolkit left it.
class WindowPrompts
{
public:
    WindowPrompts(QWidget *window, std::function<void()> refocus)
        : m_window(window)
        , m_refocus(std::move(refocus))
    {
    }

    LanguageMode language() const { return m_language; }
    void setLanguage(LanguageMode mode) { m_language = mode; }
    QString text(const Message &message) const { return message.text(m_language); }

    MessageAnswer ask(const Message &text, MessageStyle style = {}, const Message *title = nullptr,
                      MessageBoxWithdrawal *withdrawal = nullptr)
    {
        return shown(showMessageBox(m_window, m_language, text.text(m_language), style,
                                    title ? title->text(m_language) : QString(), withdrawal));
    }
    MessageAnswer tell(const QString &text, MessageStyle style = {})
    {
        return shown(showMessageBox(m_window, m_language, text, style));
    }
    // A failure: the message, then what it concerns (a file's path, the system's reason).
    void tellError(const Message &message, const QString &detail)
    {
        tell(text(message) + detail, {MessageButtons::Ok, MessageIcon::Critical});
    }

private:
    MessageAnswer shown(MessageAnswer answer)
    {
        m_refocus();
        return answer;
    }

    QWidget *m_window;
    std::function<void()> m_refocus;
    LanguageMode m_language = Language::Simplified;
};
