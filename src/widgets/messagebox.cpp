#include "widgets/messagebox.h"

#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace {

MessageBoxResponder &responder()
{
    static MessageBoxResponder instance;
    return instance;
}

// A button's label in the language of mode. The Traditional labels are stored as they are,
// not converted.
QString buttonText(MessageAnswer button, LanguageMode mode)
{
    static const char *const simplified[] = {"确定", "取消", "放弃", "重试", "忽略", "是", "否"};
    static const char *const english[] = {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
    static const char *const traditional[] = {"確定", "取消", "放棄", "重試", "忽略", "是", "否"};
    const int index = int(button) - int(MessageAnswer::Ok);
    switch (mode) {
    case Language::Simplified: return QString::fromUtf8(simplified[index]);
    case Language::Traditional: return QString::fromUtf8(traditional[index]);
    default: return QString::fromUtf8(english[index]); // English, and the toolkit's own labels
    }
}

std::vector<MessageAnswer> buttonsOf(MessageButtons buttons)
{
    using enum MessageAnswer;
    switch (buttons) {
    case MessageButtons::OkCancel: return {Ok, Cancel};
    case MessageButtons::AbortRetryIgnore: return {Abort, Retry, Ignore};
    case MessageButtons::YesNoCancel: return {Yes, No, Cancel};
    case MessageButtons::YesNo: return {Yes, No};
    case MessageButtons::RetryCancel: return {Retry, Cancel};
    case MessageButtons::Ok: break;
    }
    return {Ok};
}

QMessageBox::ButtonRole roleOf(MessageAnswer button)
{
    switch (button) {
    case MessageAnswer::Ok: case MessageAnswer::Yes: case MessageAnswer::Retry: return QMessageBox::AcceptRole;
    case MessageAnswer::Cancel: case MessageAnswer::Abort: return QMessageBox::RejectRole;
    case MessageAnswer::No: return QMessageBox::NoRole;
    default: return QMessageBox::ActionRole;
    }
}

QMessageBox::Icon iconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void setMessageBoxResponder(MessageBoxResponder r)
{
    responder() = std::move(r);
}

MessageAnswer showMessageBox(QWidget *owner, LanguageMode mode, const QString &text, MessageStyle style,
                             const QString &title, MessageBoxWithdrawal *withdrawal)
{
    if (withdrawal && withdrawal->isWithdrawn())
        return MessageAnswer::Withdrawn;
    const std::vector<MessageAnswer> answers = buttonsOf(style.buttons);
    MessageBoxRequest request {text, title.isEmpty() ? QStringLiteral("Lumeo") : title, style, {}, withdrawal};
    for (MessageAnswer answer : answers)
        request.buttons << buttonText(answer, mode);
    if (responder()) {
        const MessageAnswer answer = responder()(request);
        return withdrawal && withdrawal->isWithdrawn() ? MessageAnswer::Withdrawn : answer;
    }

    QMessageBox box(iconOf(style.icon), request.title, request.text, QMessageBox::NoButton, owner);
    std::vector<QPushButton *> buttons;
    for (size_t i = 0; i < answers.size(); ++i)
        buttons.push_back(box.addButton(request.buttons[int(i)], roleOf(answers[i])));
    box.setDefaultButton(buttons[std::min<size_t>(size_t(std::max(style.defaultButton, 0)), answers.size() - 1)]);
    for (size_t i = 0; i < answers.size(); ++i)
        if (answers[i] == MessageAnswer::Cancel || answers.size() == 1)
            box.setEscapeButton(buttons[i]);
    if (withdrawal)
        QObject::connect(withdrawal, &MessageBoxWithdrawal::withdrawn, &box, [&box] { box.done(0); });
    box.exec();
    // Until the platform says otherwise, no window is active after a modal box; the owner's
    // focus changes (an editor ending, the grid taking the keys) would not be carried out.
    if (owner && owner->window()->isVisible())
        owner->window()->activateWindow();
    if (withdrawal && withdrawal->isWithdrawn())
        return MessageAnswer::Withdrawn;
    for (size_t i = 0; i < answers.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return answers[i];
    return answers.size() == 1 ? answers.front() : MessageAnswer::Cancel;
}
