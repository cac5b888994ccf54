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
    for (int column = Column::RxFrequency; column <= Column::Scan; ++column)
        state.cell(row, column).clear();
    for (int column = 2; column <= 10; ++column)
        state.option(column, row) = 0;
}

void emptyChannelCells(EditorState &state)
{
    for (int row = 1; row <= ChannelCount; ++row)
        if (state.channelExists(row))
            for (int column = Column::RxFrequency; column <= Column::Scan; ++column)
                state.cell(row, column).clear();
}

void clearAllChannels(EditorState &state)
{
    for (int row = 1; row <= ChannelCount; ++row)
        clearChannel(state, row);
}

void fillNewChannel(EditorState &state, int row, const CellTexts &texts)
{
    state.cell(row, Column::TxFrequency) = state.cell(row, Column::RxFrequency);
    for (int column : {Column::RxTone, Column::TxTone}) {
        state.cell(row, column) = texts.toneOff;
        state.option(column, row) = ToneList::Off;
    }
    const struct { int column, item; } defaults[] = {
        {Column::Power, 1}, {Column::BusyLock, 0}, {Column::Bandwidth, 1}, {Column::Scan, 1}};
    for (const auto &d : defaults)
        pickOption(state, row, d.column, d.item, texts);
}

bool isToneOff(const QString &cell)
{
    for (LanguageMode mode : {Language::Simplified, Language::English, Language::Traditional})
        if (cell == CellTexts::forLanguage(mode).toneOff)
            return true;
    return false;
}

void retranslateCells(EditorState &state, const CellTexts &texts)
{
    for (int row = 1; row <= ChannelCount; ++row) {
        if (!state.channelExists(row))
            continue;
        for (int column : {Column::RxTone, Column::TxTone})
            if (isToneOff(state.cell(row, column)))
                state.cell(row, column) = texts.toneOff;
        for (int column = Column::Power; column <= Column::Scan; ++column)
            state.cell(row, column) = texts.option(column, clampedItem(state.option(column, row), 2));
    }
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

FrequencyEdit endFrequencyEdit(EditorState &state, int row, int column, QStringView text, Bands::Limits band,
                               const CellTexts &texts)
{
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
    state.cell(row, column) = frequencyTextOfUnits(stored);
    if (column == Column::RxFrequency && state.cell(row, Column::TxFrequency).isEmpty())
        fillNewChannel(state, row, texts);
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

std::optional<QString> typedTone(QStringView text)
{
    if (text.startsWith(QLatin1Char('D'))) {
        const auto dcs = parseDcsText(text);
        return dcs ? std::optional(dcsText(*dcs)) : std::nullopt;
    }
    const QStringView number = leadingDecimal(text);
    const auto value = isPlainDecimal(number) ? decimalUnits(number, 6, 1'000'000 * MicroUnits) : qint64(0);
    if (!value || *value < 670 * MicroUnits / 10 || *value > 2541 * MicroUnits / 10)
        return std::nullopt;
    const qint64 tenths = (*value + MicroUnits / 20) / (MicroUnits / 10);
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

bool endToneEdit(EditorState &state, int row, int column, QStringView text, const CellTexts &texts)
{
    const QStringList items = ToneList::items(texts.toneOff);
    QString &cell = state.cell(row, column);
    const QString before = cell;
    if (text == items.first())
        return false; // the Off item, picked: stored by the pick already
    if (const auto tone = typedTone(text))
        cell = *tone;
    else if (!text.startsWith(QLatin1Char('D'))) // a refused CTCSS value: the last picked item
        cell = items[clampedItem(state.option(column, row), ToneList::Size)];
    return cell != before;
}

void pickTone(EditorState &state, int row, int column, int index, const CellTexts &texts)
{
    index = clampedItem(index, ToneList::Size);
    state.cell(row, column) = ToneList::items(texts.toneOff).at(index);
    state.option(column, row) = qint16(index);
}

void pickOption(EditorState &state, int row, int column, int index, const CellTexts &texts)
{
    index = clampedItem(index, 2);
    state.cell(row, column) = texts.option(column, index);
    state.option(column, row) = qint16(index);
}

} // namespace ChannelRules
