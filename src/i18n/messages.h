#pragma once

#include "i18n/languagemode.h"

#include <QString>

// A message the user sees, in its two wordings. Simplified Chinese mode shows the Chinese one,
// Traditional Chinese mode its conversion, every other mode the English one.
struct Message
{
    const char *simplified;
    const char *english;

    QString text(LanguageMode mode) const;
};

namespace Messages {

// clang-format off
inline constexpr Message BeyondRange       {"超出频段范围", "Beyond the frequency range"};
inline constexpr Message BandChange        {"改变频段将清除频道列表，确定吗？", "Change frequency channel list will remove, sure?"};
inline constexpr Message BandChangeTitle   {"注意！", "Attention!"};
inline constexpr Message ClearAll          {"所有信道的数据将被清除！", "All channel data will be clear."};
inline constexpr Message ClearAllTitle     {"警告", "Warnning"};
inline constexpr Message WrongFileType     {"文件类型不对，无法打开。", "Document type not to open."};
inline constexpr Message Overwrite         {"该文件已存在，是否覆盖？", "This file already exists, whether to cover?"};
inline constexpr Message CannotOpen        {"无法打开文件：", "The file could not be opened: "};
inline constexpr Message CannotSave        {"无法保存文件，原有文件保持不变：", "The file could not be saved; an existing file is left as it was: "};
inline constexpr Message AbortSession      {"正在与对讲机通信，是否中止并退出？", "A session with the radio is running. Abort it and quit?"};
inline constexpr Message UnsavedChanges    {"信道数据或设置已修改，是否保存？", "The channel data or settings have changed. Save them?"};
inline constexpr Message FixedNeedsChannel {"当设定为‘固定’时信道不可为空，请重设！", "When set to 'fixed' channel not is empty, please reset!"};
inline constexpr Message FixedNeedsChannelTitle {"提示", "Tip"};
inline constexpr Message EmptyChannelChosen {"不可选择空信道，请重新选择！", "Do not choose empty channel, please choose again!"};
// %1 and %2: the high-power and the low-power tuning values.
inline constexpr Message WriteCalibration  {"调试模式：是否同时写入发射功率校准值（高功率 %1，低功率 %2）？校准值因机而异，来自最近打开或读取的文件。",
                                            "Debug mode: also write the transmit-power calibration (high %1, low %2)? Calibration differs from radio to radio; these values come from the file opened or read last."};
// clang-format on

} // namespace Messages
