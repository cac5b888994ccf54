#pragma once

// Programmings with something in every part, as the editor can make them, for the tests of the
// files that carry them elsewhere (CSV, JSON).

#include "editor/bands.h"
#include "i18n/captions.h"
#include "image/editorstate.h"
#include "image/fields.h"

// Sixteen channels in a band, on the raster: every pairing of tones the CSV tone modes tell
// apart, a TX frequency equal to, above, below the RX frequency or none, every option; and
// settings and tables off their start values.
inline EditorState richChannels(int band, const CellTexts &texts)
{
    using Column = EditorState::Column;
    const QString tones[16][2] = {{"", ""}, {"67.0", ""}, {"67.0", "67.0"}, {"100.0", "123.0"},
        {"D023N", "D023N"}, {"D023N", "D023I"}, {"D023I", "D023N"}, {"D754I", "D754I"}, {"D023N", "D754I"},
        {"100.0", "D031I"}, {"D047I", "88.5"}, {"", "77.0"}, {"", "D125I"}, {"D125I", ""}, {"254.1", "254.1"},
        {"D000N", "71.9"}};
    const qint64 rasterSteps[] = {0, 625, 1250, 500, 3125, 1500}; // tens of hertz
    const qint64 low = Bands::limitsOf(Bands::items().at(band)).low * 100'000LL;
    EditorState s;
    s.currentBand = band;
    for (int row = 1; row <= ChannelCount; ++row) {
        const qint64 rx = low + 50'000 + (row - 1) * 110'000 + rasterSteps[row % 6];
        const qint64 shifts[] = {0, 60'000, -60'000};
        s.cell(row, Column::RxFrequency) = frequencyTextOfUnits(rx);
        s.cell(row, Column::TxFrequency) = row % 4 == 3 ? QString() : frequencyTextOfUnits(rx + shifts[row % 4]);
        for (int side = 0; side < 2; ++side) {
            const int column = side == 0 ? Column::TxTone : Column::RxTone;
            const int frequency = side == 0 ? Column::TxFrequency : Column::RxFrequency;
            const QString &tone = tones[row - 1][side];
            s.cell(row, column) = !tone.isEmpty() ? tone : s.cell(row, frequency).isEmpty() ? QString() : texts.toneOff;
        }
        const int items[] = {row % 2, row % 3 == 0, row % 5 != 0, row % 7 != 0}; // power, lock, wide, scan
        for (int column = Column::Power; column <= Column::Scan; ++column) {
            s.cell(row, column) = texts.option(column, items[column - Column::Power]);
            s.option(column, row) = qint16(items[column - Column::Power]);
        }
    }
    s.timeout = 11;
    s.squelch = 3;
    s.beep = 0;
    s.keyFunction1 = 4;
    s.powerTuning1 = 0xC1;
    s.embeddedTexts = {"QV540 CSV", "Band " + QString::number(band)};
    s.codeText(2) = "8090";
    s.testFrequencyTable[3] = {"436.50000", "437.00000"};
    return s;
}

// Two channels in band 0 as the window shows them in English: one with tones and every option
// at its first item, one without tones and every option at its second item (option indexes
// are not set: a file written from it decodes them).
inline EditorState twoChannels()
{
    EditorState s;
    const QStringList rows[] = {{"436.12500", "67.0", "436.12500", "D023N", "Low", "Carrow", "Narrow", "No"},
                                {"445.00625", "Off", "440.00000", "Off", "Hight", "Off", "Wide", "Have"}};
    for (int row = 1; row <= 2; ++row)
        for (int column = 1; column <= 8; ++column)
            s.cell(row, column) = rows[row - 1][column - 1];
    return s;
}
