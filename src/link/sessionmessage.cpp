#include "link/sessionmessage.h"

#include "i18n/totraditional.h"

namespace {

struct Wording
{
    const char *simplified;
    const char *english;
};

Wording wordingOf(SessionMessage message)
{
    switch (message) {
    case SessionMessage::None:
        return {"", ""};
    case SessionMessage::Communicating:
        return {"正在通信,请稍后……", "Is communication, please later……"};
    case SessionMessage::ReadSuccess:
        return {"读频成功！", "Read frequency success!"};
    case SessionMessage::WriteSuccess:
        return {"写频成功！", "Write frequency success!"};
    case SessionMessage::BandMismatch:
        return {"频段不符，是否继续？", "Frequency band with discrepancies, do you wish to continue?"};
    case SessionMessage::CommunicationError:
        return {"通信出错，请检查对讲机型号、故障、连线及计算机串口的选择！",
                "Communication error, please check the intercom model, fault, attachment and "
                "computer serial choice!"};
    case SessionMessage::PortNotOpen:
        return {"通信端口未打开，请先选择菜单“通信端口”打开其串口！",
                "Communication port not open, please first selection menu 'communication port' to "
                "open its serial ports!"};
    }
    return {"", ""};
}

} // namespace

QString sessionMessageText(SessionMessage message, LanguageMode mode)
{
    const Wording wording = wordingOf(message);
    if (mode == Language::Simplified)
        return QString::fromUtf8(wording.simplified);
    if (mode == Language::Traditional)
        return ToTraditional(QString::fromUtf8(wording.simplified));
    return QString::fromUtf8(wording.english);
}
