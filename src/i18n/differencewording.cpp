#include "i18n/differencewording.h"

#include <QJsonValue>

using Differences::Difference;
using Differences::Field;
using Differences::Value;

namespace DifferenceWording {

namespace {

// clang-format off
struct Row
{
    Field field;
    Name name;
};

const Row Names[] = {
    {Field::ChannelAdded,      {"Compare.added",    "added"}},
    {Field::ChannelRemoved,    {"Compare.removed",  "removed"}},
    {Field::RxFrequency,       {"Grid1.header[1]",  "RX frequency"}},
    {Field::RxTone,            {"Compare.rxTone",   "RX QT/DQT"}},
    {Field::TxFrequency,       {"Grid1.header[3]",  "TX frequency"}},
    {Field::TxTone,            {"Compare.txTone",   "TX QT/DQT"}},
    {Field::Power,             {"Grid1.header[5]",  "Power"}},
    {Field::BusyLock,          {"Grid1.header[6]",  "Forbid"}},
    {Field::Bandwidth,         {"Grid1.header[7]",  "Band"}},
    {Field::Scan,              {"Grid1.header[8]",  "Scan"}},
    {Field::Band,              {"Label3",           "Band"}},
    {Field::VoicePrompt,       {"Label4",           "Language"}},
    {Field::Timeout,           {"Label5",           "Time-out"}},
    {Field::TimeoutWarn,       {"Label1",           "Time-out Warn"}},
    {Field::Squelch,           {"Label6",           "Squelch Grade"}},
    {Field::BatterySave,       {"Label7",           "Battery Save"}},
    {Field::Beep,              {"Label8",           "Beep"}},
    {Field::Vox,               {"Form5.Label8",     "VOX Function"}},
    {Field::VoxGain,           {"Form5.Label10",    "VOX GBIN"}},
    {Field::VoxDelay,          {"Form5.Label9",     "VOX Delay time"}},
    {Field::VoxTone,           {"Form5.Label7",     "VOX volume control"}},
    {Field::VoxCancel,         {"Form5.Check3",     "Cancel operation"}},
    {Field::VoxOffOnReceive,   {"Form5.Check4",     "Received banned VOX"}},
    {Field::PttId,             {"Form5.Label4",     "PTT ID"}},
    {Field::Duplicate,         {"Form5.Label11",    "Duplicate"}},
    {Field::PriorityMode,      {"Form5.Label14",    "Priority"}},
    {Field::PriorityChannel,   {"Form5.Label15",    "Preferred channel"}},
    {Field::RevertTimeA,       {"Form5.Label17",    "Retrace Time A"}},
    {Field::RevertTimeB,       {"Form5.Label16",    "Retrace Time B"}},
    {Field::ReturnChannel,     {"Form5.Label18",    "Return channel"}},
    {Field::ScanReceiveDelay,  {"Form5.Label19",    "Scan receive delay time(S)"}},
    {Field::ScanTransmitDelay, {"Form5.Label20",    "Scan launch delay time(S)"}},
    // The DTMF page's captions are Chinese in every language; the tool names them in English.
    {Field::DtmfRate,          {"Form5.Label25",    "DTMF rate"}},
    {Field::FirstDigitTime,    {"Form5.Label21",    "first digit time"}},
    {Field::FirstDigitDelay,   {"Form5.Label23",    "first digit delay (ms)"}},
    {Field::StarHashTone,      {"Form5.Label22",    "* and # tone"}},
    {Field::DKey,              {"Form5.Label24",    "D key"}},
    {Field::SideTone,          {"Form5.Label26",    "DTMF side tone"}},
    {Field::GroupCallCode,     {"Form5.Label28",    "group call code"}},
    {Field::AutoResetTimer,    {"Form5.Label27",    "auto reset timer"}},
    {Field::AutoDialCode,      {"Form5.mfgrid1.header[1]", "auto-dial code"}},
    {Field::PttIdCode,         {"Form5.Label1",     "PTT ID code"}},
    {Field::PttStartCode,      {"Form5.Label13",    "PTT start code"}},
    {Field::PttEndCode,        {"Form5.Label12",    "PTT end code"}},
    {Field::KeyFunction1,      {"Form6.Label1",     "PF1"}},
    {Field::KeyFunction2,      {"Form6.Label2",     "PF2"}},
    {Field::EmbeddedText,      {"mnusetin",         "Embedded information"}},
    {Field::PowerTuningHigh,   {"Form2.Frame1",     "TX-Hight Power"}},
    {Field::PowerTuningLow,    {"Form2.Frame2",     "TX-Low Power"}},
    {Field::TestRxFrequency,   {"Form4.mfgrid1.header[1]", "RX Frequency"}},
    {Field::TestTxFrequency,   {"Form4.mfgrid1.header[2]", "TX Frequency"}},
    {Field::Byte,              {"Compare.byte",     "byte"}},
};
// clang-format on

bool isChannelValue(Field field)
{
    return field <= Field::Scan;
}

bool isTestFrequency(Field field)
{
    return field == Field::TestRxFrequency || field == Field::TestTxFrequency;
}


// The channel's two-way choices as dump --json writes them.
QString channelChoice(Field field, int item)
{
    switch (field) {
    case Field::Power: return item ? QStringLiteral("high") : QStringLiteral("low");
    case Field::BusyLock: return item ? QStringLiteral("carrier") : QStringLiteral("off");
    case Field::Bandwidth: return item ? QStringLiteral("wide") : QStringLiteral("narrow");
    default: return item ? QStringLiteral("yes") : QStringLiteral("no");
    }
}

bool isChannelChoice(Field field)
{
    return field == Field::Power || field == Field::BusyLock || field == Field::Bandwidth || field == Field::Scan;
}

bool isFrequencyOrTone(Field field)
{
    return field == Field::RxFrequency || field == Field::RxTone || field == Field::TxFrequency
        || field == Field::TxTone || field == Field::ChannelAdded || field == Field::ChannelRemoved
        || isTestFrequency(field);
}

// A stored text in quotes, one line whatever it holds: quotes, backslashes and control
// characters escaped.
QString quoted(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + withControlsEscaped(text) + u'"';
}

QString valueText(const Difference &d, const Value &value)
{
    if (const int *number = std::get_if<int>(&value)) {
        if (d.field == Field::Byte)
            return QStringLiteral("%1").arg(*number, 2, 16, QLatin1Char('0')).toUpper();
        return isChannelChoice(d.field) ? channelChoice(d.field, *number) : QString::number(*number);
    }
    if (const QString *text = std::get_if<QString>(&value))
        return isFrequencyOrTone(d.field) ? (text->isEmpty() ? QStringLiteral("none") : *text) : quoted(*text);
    return QStringLiteral("none");
}

QJsonValue valueJson(const Difference &d, const Value &value)
{
    if (const int *number = std::get_if<int>(&value))
        return isChannelChoice(d.field) && d.field != Field::Scan ? QJsonValue(channelChoice(d.field, *number))
             : d.field == Field::Scan                            ? QJsonValue(*number != 0)
                                                                  : QJsonValue(*number);
    if (const QString *text = std::get_if<QString>(&value))
        return isFrequencyOrTone(d.field) && text->isEmpty() ? QJsonValue() : QJsonValue(*text);
    return QJsonValue();
}

// The field's name as the tool prints it, numbered where the number is part of the name.
QString fieldName(const Difference &d)
{
    const QString name = QString::fromUtf8(nameOf(d.field).english);
    if (d.field == Field::AutoDialCode || d.field == Field::EmbeddedText)
        return QStringLiteral("%1 %2").arg(name).arg(d.index);
    if (d.field == Field::Byte)
        return offsetText(d.index);
    return name;
}

} // namespace

QString withControlsEscaped(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            out += QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            out += c;
    }
    return out;
}

QString offsetText(int offset)
{
    return QStringLiteral("0x") + QString::number(offset, 16).toUpper().rightJustified(4, u'0');
}

QString section(Field field)
{
    if (isChannelValue(field))
        return QStringLiteral("channel");
    if (field == Field::Band)
        return QStringLiteral("band");
    if (field <= Field::Beep)
        return QStringLiteral("setting");
    if (field <= Field::PttEndCode)
        return QStringLiteral("optional function");
    if (field <= Field::KeyFunction2)
        return QStringLiteral("key");
    if (field == Field::EmbeddedText)
        return QStringLiteral("embedded text");
    if (field <= Field::PowerTuningLow)
        return QStringLiteral("debug");
    if (isTestFrequency(field))
        return QStringLiteral("test frequency");
    return QStringLiteral("byte");
}

Name nameOf(Field field)
{
    for (const Row &row : Names)
        if (row.field == field)
            return row.name;
    return {"", ""};
}

QString line(const Difference &d)
{
    if (d.field == Field::ChannelAdded || d.field == Field::ChannelRemoved)
        return QStringLiteral("channel %1: %2").arg(d.index).arg(QLatin1StringView(nameOf(d.field).english));
    QString where;
    if (isChannelValue(d.field) || isTestFrequency(d.field))
        where = QStringLiteral("%1 %2 ").arg(section(d.field)).arg(d.index);
    else if (d.field == Field::Byte)
        where = QStringLiteral("byte ");
    return QStringLiteral("%1%2: %3 -> %4").arg(where, fieldName(d), valueText(d, d.a), valueText(d, d.b));
}

QJsonObject json(const Difference &d)
{
    QJsonObject object {{"what", section(d.field)}, {"field", fieldName(d)}};
    if (isChannelValue(d.field) || isTestFrequency(d.field))
        object.insert("channel", d.index);
    object.insert("a", valueJson(d, d.a));
    object.insert("b", valueJson(d, d.b));
    return object;
}

} // namespace DifferenceWording
