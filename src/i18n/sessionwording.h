#pragma once

#include "i18n/messages.h"
#include "link/sessionmessage.h"

// The wording of the texts a programming session shows.
namespace SessionWording {

// clang-format off
inline constexpr Message NoText             {"", ""};
inline constexpr Message Communicating      {"正在通信,请稍后……", "Is communication, please later……"};
inline constexpr Message ReadSuccess        {"读频成功！", "Read frequency success!"};
inline constexpr Message WriteSuccess       {"写频成功！", "Write frequency success!"};
inline constexpr Message BandMismatch       {"频段不符，是否继续？", "Frequency band with discrepancies, do you wish to continue?"};
inline constexpr Message CommunicationError {"通信出错，请检查对讲机型号、故障、连线及计算机串口的选择！",
                                             "Communication error, please check the intercom model, fault, attachment and computer serial choice!"};
inline constexpr Message PortNotOpen        {"通信端口未打开，请先选择菜单“通信端口”打开其串口！",
                                             "Communication port not open, please first selection menu 'communication port' to open its serial ports!"};
// clang-format on

inline const Message &of(SessionMessage message)
{
    switch (message) {
    case SessionMessage::None: return NoText;
    case SessionMessage::Communicating: return Communicating;
    case SessionMessage::ReadSuccess: return ReadSuccess;
    case SessionMessage::WriteSuccess: return WriteSuccess;
    case SessionMessage::BandMismatch: return BandMismatch;
    case SessionMessage::CommunicationError: return CommunicationError;
    case SessionMessage::PortNotOpen: return PortNotOpen;
    }
    return NoText;
}

} // namespace SessionWording
