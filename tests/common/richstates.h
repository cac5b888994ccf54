#pragma once

// Programmings with something in every part, as the editor can make them, for the tests of the
// files that carry them elsewhere (CSV, JSON), and the typed values tests write them with.

#include "editor/bands.h"
#include "image/editorstate.h"
#include "image/fields.h"

// A frequency or a tone as the editor writes it: "436.12500", "67.0", "D023N"; "" for none.
inline Frequency mhz(QStringView text)
{
    return Frequency::ofText(text).value();
}

inline Tone tone(QStringView text)
{
    return Tone::ofText(text).value();
}

// A channel in the order of the grid's columns.
inline Channel makeChannel(QStringView rx, QStringView rxTone, QStringView tx, QStringView txTone, Power power,
                           BusyLock busyLock, Bandwidth bandwidth, bool scan)
{
    return {mhz(rx), mhz(tx), tone(rxTone), tone(txTone), power, busyLock, bandwidth, scan};
}

// Sixteen channels in a band, on the raster: every pairing of tones the CSV tone modes tell
// apart, a TX frequency equal to, above, below the RX frequency or none, every option; and
// settings and tables off their start values.
inline EditorState richChannels(int band)
{
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
        Channel &channel = s.channel(row).emplace();
        channel.rx = Frequency::ofUnits(rx);
        channel.tx = row % 4 == 3 ? Frequency() : Frequency::ofUnits(rx + shifts[row % 4]);
        channel.txTone = tone(tones[row - 1][0]);
        channel.rxTone = tone(tones[row - 1][1]);
        channel.power = row % 2 ? Power::High : Power::Low;
        channel.busyLock = row % 3 == 0 ? BusyLock::Carrier : BusyLock::Off;
        channel.bandwidth = row % 5 != 0 ? Bandwidth::Wide : Bandwidth::Narrow;
        channel.scan = row % 7 != 0;
    }
    s.timeout = 11;
    s.squelch = 3;
    s.beep = 0;
    s.keyFunction1 = 4;
    s.powerTuning1 = 0xC1;
    s.embeddedTexts = {"QV540 CSV", "Band " + QString::number(band)};
    s.autoDialCodes[1] = "8090";
    s.testFrequencyTable[3] = {"436.50000", "437.00000"};
    return s;
}

// Two channels in band 0: one with tones, low power, lockout on carrier, narrow and not scanned;
// one without tones, high power, lockout off, wide and scanned.
inline EditorState twoChannels()
{
    EditorState s;
    s.channel(1) = makeChannel(u"436.12500", u"67.0", u"436.12500", u"D023N", Power::Low, BusyLock::Carrier,
                               Bandwidth::Narrow, false);
    s.channel(2) = makeChannel(u"445.00625", u"", u"440.00000", u"", Power::High, BusyLock::Off, Bandwidth::Wide, true);
    return s;
}
