#include "interchange/channelvalues.h"

#include "editor/channelrules.h"
#include "image/tonelist.h"

using Column = EditorState::Column;

ChannelValues ChannelValues::of(const EditorState &state, int row, const CellTexts &texts)
{
    auto tone = [&](int column) {
        const QString &cell = state.cell(row, column);
        return cell == texts.toneOff ? QString() : cell;
    };
    auto isItem0 = [&](int column) { return state.cell(row, column) == texts.option(column, 0); };
    const QString &scan = state.cell(row, Column::Scan);
    ChannelValues values;
    values.number = row;
    values.rx = state.cell(row, Column::RxFrequency);
    values.tx = state.cell(row, Column::TxFrequency);
    values.rxTone = tone(Column::RxTone);
    values.txTone = tone(Column::TxTone);
    values.high = !isItem0(Column::Power);
    values.carrier = !isItem0(Column::BusyLock);
    values.wide = !isItem0(Column::Bandwidth);
    values.scan = !scan.isEmpty() && scan != texts.option(Column::Scan, 0);
    return values;
}

ChannelValues ChannelValues::newChannel(int number, const QString &rx, const CellTexts &texts)
{
    EditorState scratch;
    scratch.cell(1, Column::RxFrequency) = rx;
    ChannelRules::fillNewChannel(scratch, 1, texts);
    ChannelValues values = of(scratch, 1, texts);
    values.number = number;
    return values;
}

QList<ChannelValues> ChannelValues::allOf(const EditorState &state, const CellTexts &texts)
{
    QList<ChannelValues> channels;
    for (int row = 1; row <= ChannelCount; ++row)
        if (state.channelExists(row))
            channels.append(of(state, row, texts));
    return channels;
}

void ChannelValues::storeInto(EditorState &state, const CellTexts &texts) const
{
    const int row = number;
    ChannelRules::clearChannel(state, row);
    state.cell(row, Column::RxFrequency) = rx;
    state.cell(row, Column::TxFrequency) = tx;
    auto storeTone = [&](int toneColumn, const QString &tone, const QString &frequency) {
        QString &cell = state.cell(row, toneColumn);
        cell = !tone.isEmpty() ? tone : frequency.isEmpty() ? QString() : texts.toneOff;
        state.option(toneColumn, row) = qint16(ToneList::indexOf(cell));
    };
    storeTone(Column::RxTone, rxTone, rx);
    storeTone(Column::TxTone, txTone, tx);
    ChannelRules::pickOption(state, row, Column::Power, high, texts);
    ChannelRules::pickOption(state, row, Column::BusyLock, carrier, texts);
    ChannelRules::pickOption(state, row, Column::Bandwidth, wide, texts);
    ChannelRules::pickOption(state, row, Column::Scan, scan, texts);
}
