#include "i18n/msgboxlocalized.h"

#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace {

MessageBoxResponder &responder()
{
    static MessageBoxResponder instance;
    return instance;
}

// The button labels by identifier 1..7 (OK, Cancel, Abort, Retry, Ignore, Yes, No).
QString buttonText(int id, LanguageMode mode)
{
    static const char *const simplified[] = {"确定", "取消", "放弃", "重试", "忽略", "是", "否"};
    static const char *const english[] = {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
    static const char *const traditional[] = {"確定", "取消", "放棄", "重試", "忽略", "是", "否"};
    switch (mode) {
    case Language::Simplified: return QString::fromUtf8(simplified[id - 1]);
    case Language::English: return QString::fromUtf8(english[id - 1]);
    case Language::Traditional: return QString::fromUtf8(traditional[id - 1]);
    default: return QString::fromUtf8(english[id - 1]); // the toolkit's own labels
    }
}

std::vector<int> buttonsOf(int style)
{
    using namespace MsgBoxResult;
    switch (style & 0xF) {
    case MsgBoxStyle::OkCancel: return {Ok, Cancel};
    case MsgBoxStyle::AbortRetryIgnore: return {Abort, Retry, Ignore};
    case MsgBoxStyle::YesNoCancel: return {Yes, No, Cancel};
    case MsgBoxStyle::YesNo: return {Yes, No};
    case MsgBoxStyle::RetryCancel: return {Retry, Cancel};
    default: return {Ok};
    }
}

QMessageBox::ButtonRole roleOf(int id)
{
    using namespace MsgBoxResult;
    switch (id) {
    case Ok: case Yes: case Retry: return QMessageBox::AcceptRole;
    case Cancel: case Abort: return QMessageBox::RejectRole;
    case No: return QMessageBox::NoRole;
    default: return QMessageBox::ActionRole;
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0xF0) {
    case MsgBoxStyle::Critical: return QMessageBox::Critical;
    case MsgBoxStyle::Question: return QMessageBox::Question;
    case MsgBoxStyle::Exclamation: return QMessageBox::Warning;
    case MsgBoxStyle::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

void setMessageBoxResponder(MessageBoxResponder r)
{
    responder() = std::move(r);
}

int MsgBoxLocalized(QWidget *owner, LanguageMode mode, const QString &text, int style, const QString &title,
                    MessageBoxWithdrawal *withdrawal)
{
    if (withdrawal && withdrawal->isWithdrawn())
        return MsgBoxResult::Withdrawn;
    const std::vector<int> ids = buttonsOf(style);
    MessageBoxRequest request {text, title.isEmpty() ? QStringLiteral("Lumeo") : title, style, {}, withdrawal};
    for (int id : ids)
        request.buttons << buttonText(id, mode);
    if (responder()) {
        const int answer = responder()(request);
        return withdrawal && withdrawal->isWithdrawn() ? MsgBoxResult::Withdrawn : answer;
    }

    QMessageBox box(iconOf(style), request.title, request.text, QMessageBox::NoButton, owner);
    std::vector<QPushButton *> buttons;
    for (size_t i = 0; i < ids.size(); ++i)
        buttons.push_back(box.addButton(request.buttons[int(i)], roleOf(ids[i])));
    const size_t defaultIndex = std::min<size_t>((style & 0xF00) / MsgBoxStyle::DefaultButton2, ids.size() - 1);
    box.setDefaultButton(buttons[defaultIndex]);
    // The close box and Escape answer with Cancel where there is one, else with the only button.
    for (size_t i = 0; i < ids.size(); ++i)
        if (ids[i] == MsgBoxResult::Cancel || ids.size() == 1)
            box.setEscapeButton(buttons[i]);
    if (withdrawal)
        QObject::connect(withdrawal, &MessageBoxWithdrawal::withdrawn, &box, [&box] { box.done(0); });
    box.exec();
    // Until the platform says otherwise, no window is active after a modal box; the owner's
    // focus changes (an editor ending, the grid taking the keys) would not be carried out.
    if (owner && owner->window()->isVisible())
        owner->window()->activateWindow();
    if (withdrawal && withdrawal->isWithdrawn())
        return MsgBoxResult::Withdrawn;
    for (size_t i = 0; i < ids.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return ids[i];
    return ids.size() == 1 ? ids.front() : MsgBoxResult::Cancel;
}
