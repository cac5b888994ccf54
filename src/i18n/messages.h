#pragma once

#include "i18n/languagemode.h"

#include <QString>

// A message the user sees, in its two wordings. Simplified Chinese mode shows the Chinese one,
// Traditional Chinese mode its conversion, every other mode the English one.
struct Message
{
    const char *simplified;
    const char *english;

    // The wording of a language; Traditional Chinese is converted at run time (OpenCC), which
    // programs that speak English only need not link.
    QString text(LanguageMode mode) const;
    QString inEnglish() const { return QString::fromUtf8(english); }
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
inline constexpr Message BackupFailed      {"读频成功，但未能保存备份：", "Read complete, but no backup of it could be kept: "};
inline constexpr Message NotRegularFile    {"无法打开，这不是普通文件（而是文件夹、管道、设备或套接字）：", "The file could not be opened: it is not a regular file but a folder, a pipe, a device or a socket: "};
// %1: the file's name.
inline constexpr Message InputTooLarge     {"%1：大于 1 MiB；16 个信道的信道列表只需几 kB", "%1: larger than 1 MiB; a channel list of 16 channels needs a few kB"};
inline constexpr Message WriteMayBePartial {"对讲机可能已写入部分新数据，使用前请重新写频。", "The radio may now hold part of the new programming and part of the old: write it again before use."};
inline constexpr Message RecentFileMissing {"该文件已不存在，已从最近的文件中删除：", "The file no longer exists and was taken off the recent files: "};
inline constexpr Message FixedNeedsChannel {"当设定为‘固定’时信道不可为空，请重设！", "When set to 'fixed' channel not is empty, please reset!"};
inline constexpr Message FixedNeedsChannelTitle {"提示", "Tip"};
inline constexpr Message CodeTooLong       {"存储器只能存储16位！", "存储器只能存储16位！"}; // the same wording in every language
inline constexpr Message EmptyChannelChosen {"不可选择空信道，请重新选择！", "Do not choose empty channel, please choose again!"};
// %1 and %2: the high-power and the low-power tuning values.
inline constexpr Message WriteCalibration  {"调试模式：是否同时写入发射功率校准值（高功率 %1，低功率 %2）？校准值因机而异，来自最近打开或读取的文件。",
                                            "Debug mode: also write the transmit-power calibration (high %1, low %2)? Calibration differs from radio to radio; these values come from the file opened or read last."};

// Channel lists as CSV files: the import report and why a row was skipped (%1 a column's name,
// %2 its value, the band as %3).
inline constexpr Message CsvImported         {"已从 %1 导入信道：%2 个。", "Channels imported from %1: %2."};
inline constexpr Message CsvRowsSkipped      {"以下各行已跳过：", "These rows were skipped:"};
inline constexpr Message CsvMoreRows         {"……另有 %1 行", "... and %1 more rows"};
inline constexpr Message CsvSkippedRow       {"第 %1 行：%2", "line %1: %2"};
inline constexpr Message CsvCannotImport     {"无法导入 CSV 文件：", "The CSV file could not be imported: "};
inline constexpr Message CsvNoFrequencyColumn {"没有 Frequency 列。", "it has no Frequency column."};
inline constexpr Message CsvNoUsableRow      {"没有可用的行。", "it has no usable row."};
inline constexpr Message CsvUnclosedQuote    {"第 %1 行开始的引号没有结束。", "the quote opened on line %1 is never closed."};
inline constexpr Message CsvChannelsLeftOut  {"以下信道的频率不是数值，未导出：", "These channels hold a frequency that is no number and were not exported: "};
inline constexpr Message CsvLocationOutOfRange {"Location “%2” 不是 1 到 16 的信道号", "Location \"%2\" is not a channel number from 1 to 16"};
inline constexpr Message CsvLocationTaken    {"信道 %2 已由前面的行占用", "channel %2 is taken by an earlier row"};
inline constexpr Message CsvNoChannelLeft    {"16 个信道已用完", "all 16 channels are taken"};
inline constexpr Message CsvNoFrequency      {"没有接收频率（Frequency）", "it has no Frequency"};
inline constexpr Message CsvNotANumber       {"%1 “%2” 不是数值", "%1 \"%2\" is not a number"};
inline constexpr Message CsvRxOutOfBand      {"接收频率 %2 MHz 超出频段范围 %3", "the RX frequency %2 MHz lies outside the band %3"};
inline constexpr Message CsvTxOutOfBand      {"发射频率 %2 MHz 超出频段范围 %3", "the TX frequency %2 MHz lies outside the band %3"};
inline constexpr Message CsvToneRefused      {"%1 “%2” 不是可用的亚音频（CTCSS 为 67.0 至 254.1 Hz，DCS 为八进制代码）",
                                              "%1 \"%2\" is not a tone the editor takes (CTCSS 67.0 to 254.1 Hz, DCS codes in octal)"};
inline constexpr Message CsvUnsupported      {"%1 “%2” 是对讲机不支持的模式", "%1 \"%2\" is a mode the radio cannot do"};
inline constexpr Message CsvUnknownValue     {"%1 “%2” 不是此列可取的值", "%1 \"%2\" is not a value of this column"};
// clang-format on

} // namespace Messages
