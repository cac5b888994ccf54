#include "i18n/differencetexts.h"

#include "editor/bands.h"
#include "editor/settingsrules.h"
#include "i18n/captions.h"
#include "i18n/celltexts.h"
#include "i18n/differencewording.h"
#include "i18n/listitems.h"

using Differences::Difference;
using Differences::Field;
using Differences::Value;

namespace {

// The list whose items show a value, by its caption key.
struct ShownBy
{
    Field field;
    const char *list;
};

// clang-format off
constexpr ShownBy Lists[] = {
    {Field::VoicePrompt, "Combo2"}, {Field::Timeout, "Combo3"}, {Field::TimeoutWarn, "Combo4"},
    {Field::Squelch, "Combo9"}, {Field::BatterySave, "Combo6"}, {Field::Beep, "Combo7"},
    {Field::Vox, "Form5.Combo6"}, {Field::VoxGain, "Form5.Combo7"}, {Field::VoxDelay, "Form5.Combo8"},
    {Field::VoxTone, "Form5.Combo9"}, {Field::VoxCancel, "Form5.Combo6"}, {Field::VoxOffOnReceive, "Form5.Combo6"},
    {Field::PttId, "Form5.Combo4"}, {Field::Duplicate, "Form5.Combo10"}, {Field::PriorityMode, "Form5.Combo11"},
    {Field::PriorityChannel, "Form5.Combo12"}, {Field::RevertTimeA, "Form5.Combo13"},
    {Field::RevertTimeB, "Form5.Combo14"}, {Field::ReturnChannel, "Form5.Combo15"},
    {Field::DtmfRate, "Form5.Combo0"}, {Field::FirstDigitTime, "Form5.Combo16"},
    {Field::FirstDigitDelay, "Form5.Combo18"}, {Field::StarHashTone, "Form5.Combo17"}, {Field::DKey, "Form5.Combo19"},
    {Field::SideTone, "Form5.Combo20"}, {Field::GroupCallCode, "Form5.Combo22"},
    {Field::AutoResetTimer, "Form5.Combo21"}, {Field::KeyFunction1, "Form6.Combo1"}, {Field::KeyFunction2, "Form6.Combo1"},
};
// clang-format on

// The grid column whose list items show a channel's two-way choice.
int choiceColumn(Field field)
{
    switch (field) {
    case Field::Power: return 5;
    case Field::BusyLock: return 6;
    case Field::Bandwidth: return 7;
    case Field::Scan: return 8;
    default: return 0;
    }
}

// The list position a value stands at: itself, but for the two that are no positions.
int positionOf(Field field, int value)
{
    if (field == Field::PriorityChannel)
        return value - 1; // the channel number
    if (field == Field::FirstDigitDelay)
        return SettingsRules::firstDigitDelayPosition(value); // milliseconds
    return value;
}

QString numberValue(Field field, int value, LanguageMode mode)
{
    if (field == Field::Byte)
        return QString::number(value, 16).toUpper().rightJustified(2, u'0');
    if (field == Field::Band)
        return value >= 0 && value < Bands::items().size() ? Bands::items().at(value) : QString::number(value);
    if (const int column = choiceColumn(field))
        return CellTexts::forLanguage(mode).option(column, value ? 1 : 0);
    for (const ShownBy &shown : Lists)
        if (shown.field == field) {
            const QString item = listItem(QString::fromLatin1(shown.list), positionOf(field, value), mode);
            if (!item.isEmpty())
                return item;
        }
    return QString::number(value); // a number, or a position the list does not have
}

QString valueText(Field field, const Value &value, LanguageMode mode)
{
    if (const int *number = std::get_if<int>(&value))
        return numberValue(field, *number, mode);
    const QString *text = std::get_if<QString>(&value);
    return text && !text->isEmpty() ? DifferenceWording::withControlsEscaped(*text) : captionText(u"Compare.none", mode);
}

// A caption as a name: without the colon some captions end with.
QString caption(const QString &key, LanguageMode mode)
{
    QString text = captionText(key, mode);
    while (text.endsWith(u':') || text.endsWith(u'：'))
        text.chop(1);
    return text;
}

QString itemText(const Difference &d, LanguageMode mode)
{
    const QString name = caption(QString::fromLatin1(DifferenceWording::nameOf(d.field).captionKey), mode);
    const QString number = QString::number(d.index);
    switch (d.field) {
    case Field::AutoDialCode:
    case Field::EmbeddedText:
        return name + u' ' + number;
    case Field::TestRxFrequency:
    case Field::TestTxFrequency:
        return caption(QStringLiteral("mnutestfre"), mode) + u' ' + number + u' ' + name;
    case Field::Byte:
        return name + u' ' + DifferenceWording::offsetText(d.index);
    default:
        break;
    }
    if (d.field <= Field::Scan)
        return caption(QStringLiteral("Grid1.header[0]"), mode) + u' ' + number + u' ' + name;
    return name;
}

} // namespace

DifferenceTexts DifferenceTexts::of(const Difference &d, LanguageMode mode)
{
    return {itemText(d, mode), valueText(d.field, d.a, mode), valueText(d.field, d.b, mode)};
}
