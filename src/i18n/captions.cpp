#include "i18n/captions.h"

#include "i18n/totraditional.h"

#include <algorithm>
#include <iterator>

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
    {"mnuCompareFile", "与文件比较(&M)...", "Compare with File(&M)..."},
    {"mnuImportCsv",   "导入 CSV(&I)...", "Import CSV(&I)..."},
    {"mnuExportCsv",   "导出 CSV(&X)...", "Export CSV(&X)..."},
    {"mnuExportPdf",   "导出 PDF(&E)...",  "Export PDF(&E)..."},
    {"mnuPrint",       "打印(&P)...",      "Print(&P)..."},
    {"mnuOpenBackup",  "打开备份(&B)...",  "Open Backup(&B)..."},
    {"mnuRecent",      "最近的文件(&R)",   "Recent Files(&R)"},
    {"mnuQuit",        "退出(&Q)",     "Quit(&Q)"},
    {"mnuEdit",        "编辑(&E)",     "Edit(&E)"},
    {"mnuUndo",        "撤销(&U)",     "Undo(&U)"},
    {"mnuRedo",        "重做(&R)",     "Redo(&R)"},
    {"mnupro",         "编程(&P)",     "Programming(&P)"},
    {"mnureadFre",     "读频(&R)",     "Read Frequency(&R)"},
    {"mnuwriteFre",    "写频(&W)",     "Write Frequency(&W)"},
    {"mnuCompare",     "比较(&C)...",  "Compare(&C)..."},
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
    {"Grid1.header[7]", R"(宽\窄带)", "Band"},
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

    // Transmit-power tuning (the window title stays "Debug")
    {"Form2.Frame1",   "发射高功率", "TX-Hight Power"},
    {"Form2.Frame2",   "发射低功率", "TX-Low Power"},
    {"Form2.Label3",   "最小", "Low"},
    {"Form2.Label6",   "最小", "Low"},
    {"Form2.Label7",   "最大", "Hight"},
    {"Form2.Label8",   "最大", "Hight"},
    {"Form2.Command1", "确定", "OK"},

    // Test frequencies (the window title stays "测试频率")
    {"Form4.mfgrid1.header[0]", "频道",     "Channel"},
    {"Form4.mfgrid1.header[1]", "接收频率", "RX Frequency"},
    {"Form4.mfgrid1.header[2]", "发射频率", "TX Frequency"},
    {"Form4.Command1", "确定", "OK"},
    {"Form4.Command2", "取消", "Cancel"},

    // Optional functions
    {"Form5.title",    "可选功能", "Optional Function"},
    {"Form5.Frame2",   "扫描",     "Scan"},
    {"Form5.Check3",   "取消操作", "Cancel operation"},
    {"Form5.Check4",   "接收时禁止VOX", "Received banned VOX"},
    {"Form5.Label8",   "VOX功能",       "VOX Function"},
    {"Form5.Label10",  "VOX增益电平",   "VOX GBIN"},
    {"Form5.Label9",   "VOX延迟时间",   "VOX Delay time"},
    {"Form5.Label7",   "VOX可进行音调", "VOX volume control"},
    {"Form5.Label4",   "PTT ID",    "PTT ID"},
    {"Form5.Label11",  "复制",      "Duplicate"},
    {"Form5.Label14",  "优先",      "Priority"},
    {"Form5.Label15",  "优先信道",  "Preferred channel"},
    {"Form5.Label17",  "回扫时间A", "Retrace Time A"},
    {"Form5.Label16",  "回扫时间B", "Retrace Time B"},
    {"Form5.Label18",  "返回信道",  "Return channel"},
    {"Form5.Label19",  "扫描接收恢复延时时间(秒)", "Scan receive delay time(S)"},
    {"Form5.Label20",  "扫描发射恢复延时时间(秒)", "Scan launch delay time(S)"},
    {"Form5.Command1", "确定", "OK"},
    {"Form5.Command2", "取消", "Cancel"},
    {"Form5.Combo4[0]",  "发射开始", "Launch Start"},
    {"Form5.Combo4[1]",  "发射结束", "Launch End"},
    {"Form5.Combo4[2]",  "两者",     "Both"},
    {"Form5.Combo6[0]",  "禁止", "Off"},
    {"Form5.Combo6[1]",  "使能", "On"},
    {"Form5.Combo7[0]",  "关闭", "Off"},
    {"Form5.Combo9[0]",  "禁止", "Off"},
    {"Form5.Combo9[1]",  "使能", "On"},
    {"Form5.Combo10[0]", "禁止", "Off"},
    {"Form5.Combo10[1]", "使能", "On"},
    {"Form5.Combo11[0]", "无",   "No"},
    {"Form5.Combo11[1]", "固定", "Fixed"},
    {"Form5.Combo11[2]", "选定", "Selected"},
    {"Form5.Combo13[0]", "空",   "Empty"},
    {"Form5.Combo14[0]", "空",   "Empty"},
    {"Form5.Combo15[0]", "选定",      "Selected"},
    {"Form5.Combo15[1]", "选定+当前", "Selected+Current"},
    {"Form5.Combo15[2]", "优先",      "priority"},
    {"Form5.Combo15[3]", "优先+当前", "priority+Current"},
    // The DTMF page: the same texts in every language
    {"Form5.Command3", "DTMF(&D)",       "DTMF(&D)"},
    {"Form5.Frame3",   "DTMF",           "DTMF"},
    {"Form5.Label25",  "DTMF 速率",      "DTMF 速率"},
    {"Form5.Label21",  "首位数码时间",   "首位数码时间"},
    {"Form5.Label23",  "首位数码延迟",   "首位数码延迟"},
    {"Form5.Label22",  "*和#音",         "*和#音"},
    {"Form5.Label24",  "D键设定",        "D键设定"},
    {"Form5.Label26",  "DTMF 侧音",      "DTMF 侧音"},
    {"Form5.Label28",  "组呼码",         "组呼码"},
    {"Form5.Label27",  "自动复位定时器", "自动复位定时器"},
    {"Form5.Label1",   "ID码",           "ID码"},
    {"Form5.Label13",  "发射开始(16位)", "发射开始(16位)"},
    {"Form5.Label12",  "发射结束(16位)", "发射结束(16位)"},
    {"Form5.mfgrid1.header[0]", "编号",           "编号"},
    {"Form5.mfgrid1.header[1]", "自动拨号存储器", "自动拨号存储器"},

    // Keys: the PF1 and PF2 lists have the same items
    {"Form6.title",     "键设定", "Keys Set"},
    {"Form6.Command1",  "确定",   "OK"},
    {"Form6.Command2",  "取消",   "Cancel"},
    {"Form6.Combo1[0]",  "自动拨号",       "Automatic dial-up"},
    {"Form6.Combo1[1]",  "OFF",            "OFF"},
    {"Form6.Combo1[2]",  "按键锁定",       "Keys lock"},
    {"Form6.Combo1[3]",  "按键锁定及备份", "Key lock & backup"},
    {"Form6.Combo1[4]",  "监听",           "Surveillance"},
    {"Form6.Combo1[5]",  "监听瞬时",       "Surveillance instant"},
    {"Form6.Combo1[6]",  "扫描",           "Scan"},
    {"Form6.Combo1[7]",  "扫描+暂时删除",  "Scan & Delete temporary"},
    {"Form6.Combo1[8]",  "电量",           "electric quantity"},
    {"Form6.Combo1[9]",  "取消静噪",       "Cancel static noise"},
    {"Form6.Combo1[10]", "瞬时取消静噪",   "Instant cancel static noise"},
    {"Form6.Combo1[11]", "暂时删除",       "Delete temporary"},
    {"Form6.Combo2[0]",  "自动拨号",       "Automatic dial-up"},
    {"Form6.Combo2[1]",  "OFF",            "OFF"},
    {"Form6.Combo2[2]",  "按键锁定",       "Keys lock"},
    {"Form6.Combo2[3]",  "按键锁定及备份", "Key lock & backup"},
    {"Form6.Combo2[4]",  "监听",           "Surveillance"},
    {"Form6.Combo2[5]",  "监听瞬时",       "Surveillance instant"},
    {"Form6.Combo2[6]",  "扫描",           "Scan"},
    {"Form6.Combo2[7]",  "扫描+暂时删除",  "Scan & Delete temporary"},
    {"Form6.Combo2[8]",  "电量",           "electric quantity"},
    {"Form6.Combo2[9]",  "取消静噪",       "Cancel static noise"},
    {"Form6.Combo2[10]", "瞬时取消静噪",   "Instant cancel static noise"},
    {"Form6.Combo2[11]", "暂时删除",       "Delete temporary"},

    // Keys: the lists' captions
    {"Form6.Label1",    "PF1",    "PF1"},
    {"Form6.Label2",    "PF2",    "PF2"},

    // Embedded information
    {"Form7.title",    "嵌入信息", "Embedded Information"},
    {"Form7.Command1", "确定",     "OK"},
    {"Form7.Command2", "取消",     "Cancel"},

    // The port dialog (the window title stays "Com")
    {"FormCOM.Command1", "关闭", "Close"},

    // The comparison of the programming with the radio or a file (the title stays "比较")
    {"Compare.title",     "比较",       "比较"},
    {"Compare.header[0]", "项目",       "Item"},
    {"Compare.header[1]", "编辑中",     "Editor"},
    {"Compare.header[2]", "对讲机",     "Radio"},
    {"Compare.header[3]", "文件",       "File"},
    {"Compare.same",      "没有不同之处。", "No differences."},
    {"Compare.Command1",  "写频(&W)",   "Write(&W)"},
    {"Compare.Command2",  "关闭",       "Close"},
    {"Compare.added",     "新增",       "added"},
    {"Compare.removed",   "删除",       "removed"},
    {"Compare.rxTone",    "接收亚音频", "RX QT/DQT"},
    {"Compare.txTone",    "发射亚音频", "TX QT/DQT"},
    {"Compare.byte",      "字节",       "Byte"},
    {"Compare.none",      "（无）",     "(none)"},

    // The channel sheet (printed or exported as PDF)
    {"Sheet.file", "文件", "File"},
    {"Sheet.date", "日期", "Date"},
    {"Sheet.nofile", "未保存为文件", "not saved to a file"},

    // About (the window title stays "Help")
    {"frmAbout.lblTitle",       "QV-540 对讲机编程软件", "QV-540 Radio Software "},
    {"frmAbout.lblVersion",     "简体中文版 V1.20",     "English version V1.20"},
    {"frmAbout.Label2",         "发布：2016.12",        "Issue：2016.12"},
    {"frmAbout.lblDescription", "",                     ""},
    {"frmAbout.cmdOK",          "确定",                 "OK"},
};
// clang-format on

} // namespace

QStringList captionKeys()
{
    QStringList keys;
    for (const Caption &c : captions)
        keys << QString::fromLatin1(c.key);
    return keys;
}

bool hasCaption(QStringView key)
{
    return std::any_of(std::begin(captions), std::end(captions),
                       [key](const Caption &c) { return key == QLatin1StringView(c.key); });
}

QString captionText(QStringView key, LanguageMode mode)
{
    for (const Caption &c : captions) {
        if (key != QLatin1StringView(c.key))
            continue;
        if (mode == Language::English)
            return QString::fromUtf8(c.english);
        const QString simplified = QString::fromUtf8(c.simplified);
        return mode == Language::Traditional ? toTraditional(simplified) : simplified;
    }
    return {};
}
