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
