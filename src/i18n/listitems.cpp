#include "i18n/listitems.h"

#include "editor/settingsrules.h"
#include "i18n/captions.h"
#include "i18n/totraditional.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace {

// The numbers first to last, step apart, each written in width digits and followed by suffix.
QStringList numbered(int first, int last, int step = 1, const QString &suffix = {}, int width = 1)
{
    QStringList items;
    for (int n = first; n <= last; n += step)
        items << QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0')) + suffix;
    return items;
}

QStringList fixed(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list << QString::fromUtf8(item);
    return list;
}

// The twelve key functions, the same for PF1 and PF2.
QStringList keyFunctions(LanguageMode)
{
    return fixed({"自动拨号", "OFF", "按键锁定", "按键锁定及备份", "监听", "监听瞬时", "扫描", "扫描+暂时删除", "照明灯开关",
                  "取消静噪", "瞬时取消静噪", "暂时删除"});
}

using Items = std::function<QStringList(LanguageMode)>;

struct List
{
    const char *key;
    Items items; // in the language, before the caption table's rows for single items
};

// clang-format off
const List lists[] = {
    // The main window's function settings
    {"Combo2", [](LanguageMode) { return fixed({"关", "中文", "英文"}); }},
    {"Combo3", [](LanguageMode m) { return numbered(15, 600, 15, captionText(u"suffix.seconds", m)); }},
    {"Combo4", [](LanguageMode m) { return QStringList {"关闭"} + numbered(1, 10, 1, captionText(u"suffix.seconds", m)); }},
    {"Combo9", [](LanguageMode m) { return numbered(0, 9, 1, captionText(u"suffix.grade", m)); }},
    {"Combo6", [](LanguageMode) { return fixed({"禁止", "使能"}); }},
    {"Combo7", [](LanguageMode) { return fixed({"禁止", "使能"}); }},

    // Optional functions
    {"Form5.Combo4",  [](LanguageMode) { return fixed({"发射开始", "发射结束", "两者"}); }},
    {"Form5.Combo6",  [](LanguageMode) { return fixed({"禁止", "使能"}); }},
    {"Form5.Combo7",  [](LanguageMode) { return QStringList {"关闭"} + numbered(1, 10); }},
    {"Form5.Combo8",  [](LanguageMode) { return fixed({"0.3S", "0.5S", "1S", "1.5S", "2S", "3S"}); }},
    {"Form5.Combo9",  [](LanguageMode) { return fixed({"禁止", "使能"}); }},
    {"Form5.Combo10", [](LanguageMode) { return fixed({"禁止", "使能"}); }},
    {"Form5.Combo11", [](LanguageMode) { return fixed({"无", "固定", "选定"}); }},
    {"Form5.Combo12", [](LanguageMode) { return numbered(1, ChannelCount, 1, {}, 2); }},
    {"Form5.Combo13", [](LanguageMode) { return SettingsRules::revertTimeItems(QStringLiteral("空")); }},
    {"Form5.Combo14", [](LanguageMode) { return SettingsRules::revertTimeItems(QStringLiteral("空")); }},
    {"Form5.Combo15", [](LanguageMode) { return fixed({"选定", "选定+当前通话", "优先", "优先+当前通话"}); }},
    // The DTMF group: the same texts in every language
    {"Form5.Combo0",  [](LanguageMode) { return fixed({"6位", "8位", "10位", "15位"}); }},
    {"Form5.Combo16", [](LanguageMode) { return fixed({"OFF", "100MS", "500MS", "1000MS"}); }},
    {"Form5.Combo18", [](LanguageMode) { return numbered(100, 1000, 50, QStringLiteral("MS")); }},
    {"Form5.Combo17", [](LanguageMode) { return fixed({"OFF", "100MS", "500MS", "1000MS"}); }},
    {"Form5.Combo19", [](LanguageMode) { return QStringList {"D码"} + numbered(1, 16, 1, QStringLiteral("秒")); }},
    {"Form5.Combo20", [](LanguageMode) { return fixed({"禁止", "使能"}); }},
    {"Form5.Combo22", [](LanguageMode) { return fixed({"关闭", "*", "#", "A", "B", "C", "D"}); }},
    {"Form5.Combo21", [](LanguageMode) { return QStringList {"关闭"} + numbered(1, 15, 1, QStringLiteral("秒")); }},

    // Keys
    {"Form6.Combo1", keyFunctions},
    {"Form6.Combo2", keyFunctions},
};
// clang-format on

const List *find(QStringView key)
{
    const auto it = std::find_if(std::begin(lists), std::end(lists),
                                 [key](const List &list) { return key == QLatin1StringView(list.key); });
    return it == std::end(lists) ? nullptr : &*it;
}

bool isAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

bool hasListItems(QStringView list)
{
    return find(list) != nullptr;
}

QStringList listItems(QStringView list, LanguageMode mode)
{
    const List *found = find(list);
    if (!found)
        return {};
    QStringList items = found->items(mode);
    for (int i = 0; i < items.size(); ++i) {
        const QString key = QStringLiteral("%1[%2]").arg(list).arg(i);
        if (hasCaption(key))
            items[i] = captionText(key, mode);
        else if (mode == Language::Traditional && !isAscii(items[i]))
            items[i] = toTraditional(items[i]);
    }
    return items;
}

QString listItem(QStringView list, int index, LanguageMode mode)
{
    const QStringList items = listItems(list, mode);
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}
