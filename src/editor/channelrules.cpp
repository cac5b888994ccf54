#include "editor/channelrules.h"

#include "image/fields.h"
#include "image/textconversions.h"
#include "image/tonelist.h"

#include <algorithm>

using Column = EditorState::Column;

namespace ChannelRules {

namespace {

constexpr qint64 MicroUnits = 1'000'000; // tone values are compared in millionths of a hertz

// The leading decimal number of a text ("88.5N" -> "88.5"); empty when it starts with none.
QStringView leadingDecimal(QStringView text)
{
    qsizetype end = 0;
    bool point = false;
    while (end < text.size()) {
        const QChar c = text[end];
        if (c == QLatin1Char('.') && !point)
            point = true;
        else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        ++end;
    }
    return text.first(end);
}

bool isPlainDecimal(QStringView text)
{
    return leadingDecimal(text).size() == text.size() && std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

int clampedItem(int index, int count)
{
    return index >= 0 && index < count ? index : 0;
}

} // namespace

void clearChannel(EditorState &state, int row)
{
    state.channel(row).reset();
    for (int column : {Column::RxTone, Column::TxTone})
        state.toneFallback(row, column) = Tone();
}

void clearAllChannels(EditorState &state)
{
    for (int row = 1; row <= ChannelCount; ++row)
        clearChannel(state, row);
}

void fillNewChannel(EditorState &state, int row, Frequency rx)
{
    state.channel(row) = Channel::on(rx);
    for (int column : {Column::RxTone, Column::TxTone})
        state.toneFallback(row, column) = Tone();
}

Frequency &frequencyIn(Channel &channel, int column)
{
    return column == Column::RxFrequency ? channel.rx : channel.tx;
}

const Frequency &frequencyIn(const Channel &channel, int column)
{
    return column == Column::RxFrequency ? channel.rx : channel.tx;
}

Tone &toneIn(Channel &channel, int column)
{
    return column == Column::RxTone ? channel.rxTone : channel.txTone;
}

const Tone &toneIn(const Channel &channel, int column)
{
    return column == Column::RxTone ? channel.rxTone : channel.txTone;
}

bool frequencyKeyAllowed(QChar key)
{
    return key.isDigit() ? key.unicode() < 128 : key == QLatin1Char('.') || key == QChar(8);
}

QString frequencyEditorText(QStringView text)
{
    QString kept;
    for (QChar c : text)
        if (kept.size() < FrequencyEditorLength && c != QChar(8) && frequencyKeyAllowed(c))
            kept.append(c);
    return kept;
}

FrequencyEdit endFrequencyEdit(EditorState &state, int row, int column, QStringView text, Bands::Limits band)
{
    std::optional<Channel> &channel = state.channel(row);
    if (text.isEmpty()) {
        if (column != Column::RxFrequency)
            return FrequencyEdit::Unchanged;
        clearChannel(state, row);
        return FrequencyEdit::Erased;
    }
    if (!isPlainDecimal(text))
        return FrequencyEdit::Unchanged;

    // The band check takes the value as typed, before rounding and snapping.
    constexpr qint64 PerMHz = 100'000'000; // the typed value in units of 10^-8 MHz
    const auto typed = decimalUnits(text, 8, 1'000'000 * PerMHz);
    if (!typed || *typed < band.low * PerMHz || *typed >= band.high * PerMHz)
        return FrequencyEdit::OutOfBand;

    const qint64 stored = snapUnitsToStep((*typed + 500) / 1000); // in units of 10 Hz
    // Rounding to 10 Hz can carry a value just below the top of the band onto it (499.999996
    // in 400-500MHz), which lies outside the band as much as the top itself.
    if (stored >= band.high * qint64(100'000))
        return FrequencyEdit::OutOfBand;
    const Frequency frequency = Frequency::ofUnits(stored);
    // An RX frequency makes a new channel of a row without a TX frequency: an empty row, or a
    // channel that only receives. A TX frequency of an empty row changes nothing.
    if (column == Column::RxFrequency && (!channel || channel->tx.isNone()))
        fillNewChannel(state, row, frequency);
    else if (channel)
        frequencyIn(*channel, column) = frequency;
    else
        return FrequencyEdit::Unchanged;
    return FrequencyEdit::Stored;
}

std::optional<QString> editorTextOfKeyOnCell(QChar key, int column)
{
    if (column < Column::RxFrequency || column > Column::TxTone)
        return std::nullopt;
    if (key.isDigit() && key.unicode() < 128)
        return QString(key);
    const bool tone = column == Column::RxTone || column == Column::TxTone;
    if (tone && key.toUpper() == QLatin1Char('D'))
        return QStringLiteral("D");
    return std::nullopt;
}

std::optional<QChar> toneKey(QChar key)
{
    if ((key.isDigit() && key.unicode() < 128) || key == QLatin1Char('.') || key == QChar(8))
        return key;
    switch (key.unicode()) {
    case u'd': case u'n': case u'i':
        return key.toUpper();
    case u'D': case u'N': case u'I':
        return key;
    default:
        return std::nullopt;
    }
}

std::optional<Tone> typedTone(QStringView text)
{
    if (text.startsWith(QLatin1Char('D'))) {
        const auto dcs = parseDcsText(text);
        return dcs ? std::optional(Tone::dcs(*dcs)) : std::nullopt;
    }
    const QStringView number = leadingDecimal(text);
    const auto value = isPlainDecimal(number) ? decimalUnits(number, 6, 1'000'000 * MicroUnits) : qint64(0);
    if (!value || *value < 670 * MicroUnits / 10 || *value > 2541 * MicroUnits / 10)
        return std::nullopt;
    return Tone::ctcss(int((*value + MicroUnits / 20) / (MicroUnits / 10)));
}

bool endToneEdit(EditorState &state, int row, int column, QStringView text, bool offItem)
{
    std::optional<Channel> &channel = state.channel(row);
    if (!channel || offItem)
        return false; // the Off item, picked: stored by the pick already
    Tone &tone = toneIn(*channel, column);
    const Tone before = tone;
    if (const auto typed = typedTone(text))
        tone = *typed;
    else if (!text.startsWith(QLatin1Char('D'))) // a refused CTCSS value: the tone it falls back on
        tone = state.toneFallback(row, column);
    return tone != before;
}

void pickTone(EditorState &state, int row, int column, int index)
{
    std::optional<Channel> &channel = state.channel(row);
    if (!channel)
        return;
    const Tone picked = ToneList::tone(clampedItem(index, ToneList::Size));
    toneIn(*channel, column) = picked;
    state.toneFallback(row, column) = picked;
}

void pickOption(EditorState &state, int row, int column, int index)
{
    std::optional<Channel> &channel = state.channel(row);
    if (!channel)
        return;
    const bool second = clampedItem(index, 2) == 1;
    switch (column) {
    case Column::Power: channel->power = second ? Power::High : Power::Low; break;
    case Column::BusyLock: channel->busyLock = second ? BusyLock::Carrier : BusyLock::Off; break;
    case Column::Bandwidth: channel->bandwidth = second ? Bandwidth::Wide : Bandwidth::Narrow; break;
    case Column::Scan: channel->scan = second; break;
    }
}

int optionItem(const Channel &channel, int column)
{
    switch (column) {
    case Column::Power: return channel.power == Power::High;
    case Column::BusyLock: return channel.busyLock == BusyLock::Carrier;
    case Column::Bandwidth: return channel.bandwidth == Bandwidth::Wide;
    case Column::Scan: return channel.scan;
    }
    return 0;
}

} // namespace ChannelRules
