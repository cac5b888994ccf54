#include "i18n/captions.h"

#include "i18n/totraditional.h"

namespace {

struct Caption
{
    const char *key;
    const char *simplified;
    const char *english;
};

// clang-format off
constexpr Caption captions[] = {
    {"Form1.title",    "QV-540 对讲机编程软件 V1.20", "QV-540 Radio Software V1.20"},
    {"mnuFile",        "文件(&F)",     "File(&F)"},
    {"mnuNew",         "新建(&N)",     "New(&N)"},
    {"mnuOpen",        "打开(&O)",     "Open(&O)"},
    {"mnuAssave",      "保存(&S)",     "Save(&S)"},
    {"mnuImportCsv",   "导入 CSV(&I)...", "Import CSV(&I)..."},
    {"mnuExportCsv",   "导出 CSV(&X)...", "Export CSV(&X)..."},
    {"mnuQuit",        "退出(&Q)",     "Quit(&Q)"},
    {"mnupro",         "编程(&P)",     "Programming(&P)"},
    {"mnureadFre",     "读频(&R)",     "Read Frequency(&R)"},
    {"mnuwriteFre",    "写频(&W)",     "Write Frequency(&W)"},
    {"mnudtmf",        "可选功能",     "Optional function "},
    {"Key_enactment",  "键设定",       "Keys set "},
    {"mnusetin",       "嵌入信息",     "Embedded information"},
    {"mnudebug",       "调试(&D)",     "Debug(&D)"},
    {"mnutestfre",     "测试频率",     "Debug frequency"},
    {"mnuset",         "设置(&S)",     "Settings(&S)"},
    {"mnulock",        "锁定(&L)",     "Lock(&L)"},
    {"mnucom",         "通信端口(&V)", "Communication port(&V)"},
    {"mnuLanguage",    "语言选择(&L)", "Languages(&L)"},
    {"mnuChineseJ",    "简体中文",     "Chinese(Simplified)"},
    {"mnuChineseF",    "繁体中文",     "Chinese(Traditional)"},
    {"mnuEnglish",     "英文",         "Englist"},
    {"mnuhelp",        "帮助(&H)",     "Help(&H)"},
    {"mnumainhelp",    "帮助主题  F1", "The help topic  F1 \""},
    {"mnuabout",       "关于",         "About"},

    {"Toolbar1.new",   "新建", "New"},
    {"Toolbar1.open",  "打开", "Open"},
    {"Toolbar1.save",  "保存", "Save"},
    {"Toolbar1.read",  "读频", "Read frequency"},
    {"Toolbar1.write", "写频", "Write frequency"},

    {"Frame1", "机型选择", "Model"},
    {"Frame2", "功能设置", "Function Set"},
    {"Label3", "频段",         "Band"},
    {"Label4", "语言通知",     "Language:"},
    {"Label5", "发射超时",     "Time-out:"},
    {"Label1", "发射超时预警", "Time-out Warn:"},
    {"Label6", "静噪等级",     "Squelch Grade:"},
    {"Label7", "省电",         "Battery Save:"},
    {"Label8", "提示音",       "Beep:"},
    {"Combo2[0]", "关",   "Off"},
    {"Combo2[1]", "中文", "Chinese"},
    {"Combo2[2]", "英文", "Englist"},
    {"Combo4[0]", "关闭", "Off"},
    {"Combo6[0]", "禁止", "Off"},
    {"Combo6[1]", "使能", "On"},
    {"Combo7[0]", "禁止", "Off"},
    {"Combo7[1]", "使能", "On"},
    {"suffix.seconds", " 秒", " S"},  // numbered items of the time-out lists
    {"suffix.grade",   " 级", " Group"}, // numbered items of the squelch list

    {"Grid1.header[0]", "信道",     "Channel"},
    {"Grid1.header[1]", "接收频率", "RX frequency"},
    {"Grid1.header[2]", "亚音频",   "QT/DQT"},
    {"Grid1.header[3]", "发射频率", "TX frequency"},
    {"Grid1.header[4]", "亚音频",   "QT/DQT"},
    {"Grid1.header[5]", "功率",     "Power"},
    {"Grid1.header[6]", "禁发",     "Forbid"},
    {"Grid1.header[7]", "宽\\窄带", "Band"},
    {"Grid1.header[8]", "扫描添加", "Scan"},

    {"Combo8[0]",    "关闭", "Off"},     // tone list: no tone
    {"Combo5(5)[0]", "低",   "Low"},     // power
    {"Combo5(5)[1]", "高",   "Hight"},
    {"Combo5(6)[0]", "关闭", "Off"},     // busy-channel lockout
    {"Combo5(6)[1]", "载波", "Carrow"},
    {"Combo5(7)[0]", "窄带", "Narrow"},  // bandwidth
    {"Combo5(7)[1]", "宽带", "Wide"},
    {"Combo5(8)[0]", "无",   "No"},      // scan add
    {"Combo5(8)[1]", "有",   "Have"},
};
// clang-format on

} // namespace

QString captionText(QStringView key, LanguageMode mode)
{
    for (const Caption &c : captions) {
        if (key != QLatin1StringView(c.key))
            continue;
        if (mode == Language::English)
            return QString::fromUtf8(c.english);
        const QString simplified = QString::fromUtf8(c.simplified);
        return mode == Language::Traditional ? ToTraditional(simplified) : simplified;
    }
    return {};
}

CellTexts CellTexts::forLanguage(LanguageMode mode)
{
    CellTexts texts;
    texts.toneOff = captionText(u"Combo8[0]", mode);
    for (int column = 5; column <= 8; ++column)
        for (int item = 0; item < 2; ++item)
            texts.optionItems[column - 5][item] =
                captionText(QStringLiteral("Combo5(%1)[%2]").arg(column).arg(item), mode);
    return texts;
}
