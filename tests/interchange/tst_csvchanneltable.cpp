// Channel lists as CSV: what each row becomes, how rows are numbered, what a file must hold, the
// exported lines, and the round trip of every band.

#include "common/richstates.h"
#include "editor/channelrules.h"
#include "image/codec.h"
#include "i18n/csvwording.h"
#include "interchange/csvchanneltable.h"

#include <QtTest>

using CsvChannelTable::Import;
Q_DECLARE_METATYPE(Channel)

namespace {

// A channel as one line: "1 446.00625 446.00625 - 88.5 high off wide scan" (number, RX, TX, RX
// tone, TX tone, power, busy lock, bandwidth, scan).
QString channelLine(int number, const Channel &c)
{
    auto orDash = [](const QString &text) { return text.isEmpty() ? QStringLiteral("-") : text; };
    return QStringList {QString::number(number), c.rx.text(), orDash(c.tx.text()), orDash(c.rxTone.text()),
                        orDash(c.txTone.text()), c.power == Power::High ? "high" : "low",
                        c.busyLock == BusyLock::Carrier ? "carrier" : "off",
                        c.bandwidth == Bandwidth::Wide ? "wide" : "narrow", c.scan ? "scan" : "noscan"}
        .join(' ');
}

QString inLanguage(const Message &message, LanguageMode mode)
{
    return message.text(mode);
}

// What an import gives: a line for each channel, then "line N: reason" for each skipped row.
QStringList outcome(const Import &import)
{
    QStringList lines;
    if (import.state)
        for (int number = 1; number <= ChannelCount; ++number)
            if (const auto &channel = import.state->channel(number))
                lines << channelLine(number, *channel);
    for (const CsvChannelTable::SkippedRow &row : import.skipped)
        lines << CsvWording::skippedRowText(row, &Message::inEnglish);
    return lines;
}

EditorState baseOnBand(int band)
{
    EditorState base;
    base.currentBand = band;
    return base;
}

// A file of one header and one row from "Column=value, Column=value", in that order.
QByteArray oneRowFile(const QString &cells)
{
    QStringList header, row;
    for (const QString &cell : cells.split(", ", Qt::SkipEmptyParts)) {
        header << cell.section('=', 0, 0);
        row << cell.section('=', 1);
    }
    return (header.join(',') + '\n' + row.join(',') + '\n').toUtf8();
}

} // namespace

class TestCsvChannelTable : public QObject
{
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void fileSyntax_data();
    void fileSyntax();
    void numbering_data();
    void numbering();
    void filesWithoutChannels_data();
    void filesWithoutChannels();
    void importKeepsTheBandAndSettings();
    void exportedLines_data();
    void exportedLines();
    void roundTripGivesTheFileBack_data();
    void roundTripGivesTheFileBack();
    void manySkippedRows();
    void reportTexts();
};

// One row each, in band 0 unless said otherwise: the channel it gives, or why it is skipped.
void TestCsvChannelTable::rows_data()
{
    QTest::addColumn<QString>("cells");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("expected");

    const QString f = "Location=1, Frequency=446.00625, ";
    auto row = [&](const char *name, const QString &cells, const QString &expected, int band = 0) {
        QTest::newRow(name) << cells << band << expected;
    };
    // Tone modes; TX tone last but one in the line.
    row("no tone", f + "Tone=", "1 446.00625 446.00625 - - high off wide scan");
    row("Tone", f + "Tone=Tone, rToneFreq=100.0, cToneFreq=123.0", "1 446.00625 446.00625 - 100.0 high off wide scan");
    row("Tone, default 88.5", f + "Tone=Tone", "1 446.00625 446.00625 - 88.5 high off wide scan");
    row("TSQL, typed as the editor takes it", f + "Tone=TSQL, rToneFreq=100.0, cToneFreq=67",
        "1 446.00625 446.00625 67.0 67.0 high off wide scan");
    row("DTCS", f + "Tone=DTCS, DtcsCode=754, DtcsPolarity=RR", "1 446.00625 446.00625 D754I D754I high off wide scan");
    row("DTCS, TX normal, RX inverted", f + "Tone=DTCS, DtcsCode=23, DtcsPolarity=NR",
        "1 446.00625 446.00625 D023I D023N high off wide scan");
    row("DTCS, default code", f + "Tone=DTCS, DtcsPolarity=RN", "1 446.00625 446.00625 D023N D023I high off wide scan");
    row("DTCS above 777", f + "Tone=DTCS, DtcsCode=999", "1 446.00625 446.00625 D777N D777N high off wide scan");
    row("Cross Tone->Tone", f + "Tone=Cross, CrossMode=Tone->Tone, rToneFreq=100.0, cToneFreq=123.0",
        "1 446.00625 446.00625 123.0 100.0 high off wide scan");
    row("Cross Tone->DTCS", f + "Tone=Cross, CrossMode=Tone->DTCS, rToneFreq=100.0, RxDtcsCode=031, DtcsPolarity=NR",
        "1 446.00625 446.00625 D031I 100.0 high off wide scan");
    row("Cross DTCS->Tone", f + "Tone=Cross, CrossMode=DTCS->Tone, DtcsCode=047, DtcsPolarity=RN, cToneFreq=88.5",
        "1 446.00625 446.00625 88.5 D047I high off wide scan");
    row("Cross DTCS->DTCS", f + "Tone=Cross, CrossMode=DTCS->DTCS, DtcsCode=023, RxDtcsCode=754, DtcsPolarity=NR",
        "1 446.00625 446.00625 D754I D023N high off wide scan");
    row("Cross ->Tone", f + "Tone=Cross, CrossMode=->Tone, cToneFreq=77.0", "1 446.00625 446.00625 77.0 - high off wide scan");
    row("Cross ->DTCS", f + "Tone=Cross, CrossMode=->DTCS, RxDtcsCode=125, DtcsPolarity=NR",
        "1 446.00625 446.00625 D125I - high off wide scan");
    row("Cross DTCS->", f + "Tone=Cross, CrossMode=DTCS->, DtcsCode=125, DtcsPolarity=RN",
        "1 446.00625 446.00625 - D125I high off wide scan");
    row("Cross Tone->", f + "Tone=Cross, CrossMode=Tone->, rToneFreq=77.0", "1 446.00625 446.00625 - 77.0 high off wide scan");
    row("Cross ->", f + "Tone=Cross, CrossMode=->", "1 446.00625 446.00625 - - high off wide scan");
    row("Cross, default Tone->Tone", f + "Tone=Cross", "1 446.00625 446.00625 88.5 88.5 high off wide scan");
    row("words in any case", f + "tone=tsql, ctonefreq=254.1, duplex=SPLIT, offset=440, mode=nfm, skip=s, power=LOW",
        "1 446.00625 440.00000 254.1 254.1 low off narrow noscan");
    row("polarity not used", f + "Tone=Tone, DtcsPolarity=XX", "1 446.00625 446.00625 - 88.5 high off wide scan");
    row("TSQL-R", f + "Tone=TSQL-R", "line 2: Tone \"TSQL-R\" is a mode the radio cannot do");
    row("DTCS-R", f + "Tone=DTCS-R", "line 2: Tone \"DTCS-R\" is a mode the radio cannot do");
    row("unknown tone mode", f + "Tone=Tone2", "line 2: Tone \"Tone2\" is not a value of this column");
    row("CTCSS too low", f + "Tone=Tone, rToneFreq=60.0",
        "line 2: rToneFreq \"60.0\" is not a tone the editor takes (CTCSS 67.0 to 254.1 Hz, DCS codes in octal)");
    row("CTCSS too high", f + "Tone=TSQL, cToneFreq=254.2",
        "line 2: cToneFreq \"254.2\" is not a tone the editor takes (CTCSS 67.0 to 254.1 Hz, DCS codes in octal)");
    row("DCS not octal", f + "Tone=Cross, CrossMode=->DTCS, RxDtcsCode=089",
        "line 2: RxDtcsCode \"089\" is not a tone the editor takes (CTCSS 67.0 to 254.1 Hz, DCS codes in octal)");
    row("DCS text as CTCSS", f + "Tone=Tone, rToneFreq=D023N",
        "line 2: rToneFreq \"D023N\" is not a tone the editor takes (CTCSS 67.0 to 254.1 Hz, DCS codes in octal)");
    row("bad polarity", f + "Tone=DTCS, DtcsPolarity=NX", "line 2: DtcsPolarity \"NX\" is not a value of this column");
    row("bad cross mode", f + "Tone=Cross, CrossMode=Tone=>DTCS", "line 2: CrossMode \"Tone=>DTCS\" is not a value of this column");

    // Duplex and Offset.
    row("Duplex +", f + "Duplex=+, Offset=5.000000", "1 446.00625 451.00625 - - high off wide scan");
    row("Duplex -", f + "Duplex=-, Offset=0.6", "1 446.00625 445.40625 - - high off wide scan");
    row("Duplex split", f + "Duplex=split, Offset=440.5", "1 446.00625 440.50000 - - high off wide scan");
    row("Duplex off", f + "Duplex=off, Offset=5", "1 446.00625 - - - high off wide scan");
    row("Duplex off keeps a TX tone", f + "Duplex=off, Tone=Tone", "1 446.00625 - - 88.5 high off wide scan");
    row("TX lowered onto the raster", f + "Duplex=split, Offset=440.50312", "1 446.00625 440.50000 - - high off wide scan");
    row("TX beyond the band", "Frequency=499, Duplex=+, Offset=5",
        "line 2: the TX frequency 504.0 MHz lies outside the band 400-500MHz");
    row("TX below zero", "Frequency=436, Duplex=-, Offset=500",
        "line 2: the TX frequency -64.0 MHz lies outside the band 400-500MHz");
    row("split TX beyond the band", "Frequency=436, Duplex=split, Offset=146.52",
        "line 2: the TX frequency 146.52 MHz lies outside the band 400-500MHz");
    row("Offset no number", f + "Duplex=+, Offset=5 MHz", "line 2: Offset \"5 MHz\" is not a number");
    row("unknown Duplex", f + "Duplex=x", "line 2: Duplex \"x\" is not a value of this column");

    // The RX frequency, in band 0 and band 5.
    row("RX lowered onto the raster", "Frequency=438.12345", "1 438.12000 438.12000 - - high off wide scan");
    row("RX at the upper limit", "Frequency=500.000000", "line 2: the RX frequency 500.000000 MHz lies outside the band 400-500MHz");
    row("RX below the band", "Frequency=399.99999", "line 2: the RX frequency 399.99999 MHz lies outside the band 400-500MHz");
    row("RX in band 5", "Frequency=146.520000, Duplex=-, Offset=0.600000", "1 146.52000 145.92000 - - high off wide scan", 5);
    row("RX outside band 5", "Frequency=446.00625", "line 2: the RX frequency 446.00625 MHz lies outside the band 136-174MHz", 5);
    row("RX no number", "Frequency=146.52 MHz", "line 2: Frequency \"146.52 MHz\" is not a number");
    row("RX missing", "Location=1, Frequency=, Name=Empty", "line 2: it has no Frequency");

    // Mode, Skip, Power, BusyLock.
    row("NFM", f + "Mode=NFM", "1 446.00625 446.00625 - - high off narrow scan");
    row("FM", f + "Mode=FM", "1 446.00625 446.00625 - - high off wide scan");
    row("AM", f + "Mode=AM", "line 2: Mode \"AM\" is a mode the radio cannot do");
    row("DV", f + "Mode=DV", "line 2: Mode \"DV\" is a mode the radio cannot do");
    row("skip", f + "Skip=S", "1 446.00625 446.00625 - - high off wide noscan");
    row("priority skip", f + "Skip=P", "line 2: Skip \"P\" is not a value of this column");
    row("5.0W", f + "Power=5.0W", "1 446.00625 446.00625 - - high off wide scan");
    row("1.0W", f + "Power=1.0W", "1 446.00625 446.00625 - - low off wide scan");
    row("5", f + "Power=5", "1 446.00625 446.00625 - - high off wide scan");
    row("2w", f + "Power=2w", "1 446.00625 446.00625 - - high off wide scan");
    row("1.99 W", f + "Power=1.99 W", "1 446.00625 446.00625 - - low off wide scan");
    row("0.5W", f + "Power=.5W", "1 446.00625 446.00625 - - low off wide scan");
    row("High", f + "Power=High", "1 446.00625 446.00625 - - high off wide scan");
    row("low", f + "Power=low", "1 446.00625 446.00625 - - low off wide scan");
    row("unknown power", f + "Power=max", "line 2: Power \"max\" is not a value of this column");
    row("busy lock", f + "BusyLock=Carrier", "1 446.00625 446.00625 - - high carrier wide scan");
    row("unknown busy lock", f + "BusyLock=on", "line 2: BusyLock \"on\" is not a value of this column");

    // Location, and columns in another order, unknown or not taken.
    row("Location 16", "Location=16, Frequency=446.00625", "16 446.00625 446.00625 - - high off wide scan");
    row("Location 0", "Location=0, Frequency=446.00625", "line 2: Location \"0\" is not a channel number from 1 to 16");
    row("Location 17", "Location=17, Frequency=446.00625", "line 2: Location \"17\" is not a channel number from 1 to 16");
    row("Location 2.5", "Location=2.5, Frequency=446.00625", "line 2: Location \"2.5\" is not a channel number from 1 to 16");
    row("shuffled, unknown and ignored columns",
        "BusyLock=carrier, Comment=hill top, Skip=S, Mode=NFM, TStep=12.50, Power=1W, URCALL=CQCQCQ, Foo=bar, "
        "Tone=TSQL, cToneFreq=71.9, Name=Repeater, Offset=5, Duplex=-, Frequency=446.00625, Location=4",
        "4 446.00625 441.00625 71.9 71.9 low carrier narrow noscan");
}

void TestCsvChannelTable::rows()
{
    QFETCH(QString, cells);
    QFETCH(int, band);
    QFETCH(QString, expected);
    const Import import = CsvChannelTable::importTable(oneRowFile(cells), baseOnBand(band), false);
    QCOMPARE(outcome(import), QStringList {expected});
}

// The file's syntax: byte-order mark, line ends, comment and blank lines, quotes; line numbers
// count physical lines.
void TestCsvChannelTable::fileSyntax_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected");
    const QString ch1 = "1 446.00625 446.00625 - - high off wide scan";
    QTest::newRow("byte-order mark, CR LF") << QByteArray("\xEF\xBB\xBFLocation,Frequency\r\n1,446.00625\r\n")
                                            << QStringList {ch1};
    QTest::newRow("CR only") << QByteArray("Location,Frequency\r1,446.00625\r2,500\r")
                             << QStringList {ch1, "line 3: the RX frequency 500 MHz lies outside the band 400-500MHz"};
    QTest::newRow("comment and blank lines count")
        << QByteArray("# exported today\nLocation,Frequency\n\n# a note, with a comma\n1,446.00625\n,,\n2,500\n")
        << QStringList {ch1, "line 7: the RX frequency 500 MHz lies outside the band 400-500MHz"};
    QTest::newRow("quoted cells, a line end inside")
        << QByteArray("Location,Name,Frequency\n1,\"Hill, \"\"top\"\"\",\" 446.00625 \"\n2,\"two\r\nlines\",500\n3,x,600\n")
        << QStringList {ch1, "line 3: the RX frequency 500 MHz lies outside the band 400-500MHz",
                        "line 5: the RX frequency 600 MHz lies outside the band 400-500MHz"};
    QTest::newRow("no line end at the end, short row")
        << QByteArray("Frequency,Location,Tone\n446.00625,1") << QStringList {ch1};
    QTest::newRow("header names in any case, blanks around")
        << QByteArray(" location , FREQUENCY \n 1 , 446.00625 \n") << QStringList {ch1};
}

void TestCsvChannelTable::fileSyntax()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);
    QCOMPARE(outcome(CsvChannelTable::importTable(file, EditorState(), false)), expected);
}

void TestCsvChannelTable::numbering_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("renumber");
    QTest::addColumn<QStringList>("expected"); // the channels' numbers and RX, then the skipped rows

    QTest::newRow("Location taken") << QByteArray("Location,Frequency\n2,440\n2,441\n") << false
                                    << QStringList {"2 440.00000", "line 3: channel 2 is taken by an earlier row"};
    QTest::newRow("a skipped row takes no channel")
        << QByteArray("Location,Frequency\n2,500\n2,441\n") << false
        << QStringList {"2 441.00000", "line 2: the RX frequency 500 MHz lies outside the band 400-500MHz"};
    QTest::newRow("renumber") << QByteArray("Location,Frequency\n9,440\n3,441\n17,442\n") << true
                              << QStringList {"1 440.00000", "2 441.00000", "3 442.00000"};
    QTest::newRow("renumber, skipped rows take no number")
        << QByteArray("Location,Frequency\n1,500\n1,441\n") << true
        << QStringList {"1 441.00000", "line 2: the RX frequency 500 MHz lies outside the band 400-500MHz"};
    QTest::newRow("no Location column") << QByteArray("Frequency\n440\n441\n") << false
                                        << QStringList {"1 440.00000", "2 441.00000"};
    QTest::newRow("empty Location: the free channels after the numbered rows")
        << QByteArray("Location,Frequency\n,440\n1,441\n,442\n") << false
        << QStringList {"1 441.00000", "2 440.00000", "3 442.00000"};

    QByteArray seventeen = "Frequency\n";
    QStringList sixteen;
    for (int i = 1; i <= 17; ++i) {
        seventeen += QByteArray::number(440 + i) + '\n';
        if (i <= 16)
            sixteen << QString("%1 %2.00000").arg(i).arg(440 + i);
    }
    QTest::newRow("rows past the sixteenth") << seventeen << false
                                             << sixteen + QStringList {"line 18: all 16 channels are taken"};
}

void TestCsvChannelTable::numbering()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, renumber);
    QFETCH(QStringList, expected);
    const Import import = CsvChannelTable::importTable(file, EditorState(), renumber);
    QStringList got;
    for (const QString &line : outcome(import))
        got << (line.startsWith("line ") ? line : line.section(' ', 0, 1));
    QCOMPARE(got, expected);
}

void TestCsvChannelTable::filesWithoutChannels_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << int(Import::Failure::NoFrequencyColumn) << "it has no Frequency column.";
    QTest::newRow("no Frequency column") << QByteArray("Location,Name\n1,Hill\n") << int(Import::Failure::NoFrequencyColumn)
                                         << "it has no Frequency column.";
    QTest::newRow("header only") << QByteArray("Location,Frequency\r\n") << int(Import::Failure::NoUsableRow)
                                 << "it has no usable row.";
    QTest::newRow("no row usable") << QByteArray("Location,Frequency\n0,446\n1,500\n") << int(Import::Failure::NoUsableRow)
                                   << "it has no usable row.";
    QTest::newRow("a quote never closed") << QByteArray("Location,Name,Frequency\n1,x,446\n2,\"x,446\n3,y,447\n")
                                          << int(Import::Failure::UnclosedQuote)
                                          << "the quote opened on line 3 is never closed.";
}

void TestCsvChannelTable::filesWithoutChannels()
{
    QFETCH(QByteArray, file);
    QFETCH(int, failure);
    QFETCH(QString, text);
    const Import import = CsvChannelTable::importTable(file, richChannels(0), false);
    QCOMPARE(int(import.failure), failure);
    QVERIFY(!import.state);
    QCOMPARE(CsvWording::failureText(import, &Message::inEnglish), text);
}

// The base's band and settings stay, its channels go, even those the file does not name.
void TestCsvChannelTable::importKeepsTheBandAndSettings()
{
    const EditorState base = richChannels(5);
    const Import import = CsvChannelTable::importTable("Location,Frequency\n3,146.52\n", base, false);
    QVERIFY(import.state);
    EditorState expected = base;
    ChannelRules::clearAllChannels(expected);
    QCOMPARE(ChannelRules::endFrequencyEdit(expected, 3, EditorState::RxFrequency, u"146.52",
                                            Bands::limitsOf("136-174MHz")),
             ChannelRules::FrequencyEdit::Stored);
    QCOMPARE(*import.state, expected);
}

void TestCsvChannelTable::exportedLines_data()
{
    QTest::addColumn<Channel>("channel");
    QTest::addColumn<QString>("line");
    auto row = [](const char *name, const Channel &channel, const char *line) {
        QTest::newRow(name) << channel << QString(line);
    };
    const auto high = Power::High, low = Power::Low;
    const auto off = BusyLock::Off, carrier = BusyLock::Carrier;
    const auto wide = Bandwidth::Wide, narrow = Bandwidth::Narrow;
    row("no tones, TX equal", {mhz(u"436.12500"), mhz(u"436.12500"), Tone(), Tone(), high, off, wide, true},
        "1,,436.125000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,off");
    row("Tone, TX above, 6.25 kHz",
        {mhz(u"436.00625"), mhz(u"441.00625"), Tone(), tone(u"67.0"), low, carrier, narrow, false},
        "1,,436.006250,+,5.000000,Tone,67.0,88.5,023,NN,023,Tone->Tone,NFM,6.25,S,1.0W,,,,,,carrier");
    row("TSQL, TX below", {mhz(u"436.12500"), mhz(u"435.52500"), tone(u"100.0"), tone(u"100.0"), high, off, wide, true},
        "1,,436.125000,-,0.600000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,off");
    row("DTCS, polarities apart, no TX", {mhz(u"436.12500"), Frequency(), tone(u"D023I"), tone(u"D023N"), high, off, wide, true},
        "1,,436.125000,off,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,,5.0W,,,,,,off");
    row("Cross Tone->DTCS", {mhz(u"436.12500"), mhz(u"436.12500"), tone(u"D754I"), tone(u"123.0"), high, off, wide, true},
        "1,,436.125000,,0.000000,Cross,123.0,88.5,023,NR,754,Tone->DTCS,FM,5.00,,5.0W,,,,,,off");
    row("Cross ->Tone", {mhz(u"436.12500"), mhz(u"436.12500"), tone(u"77.0"), Tone(), high, off, wide, true},
        "1,,436.125000,,0.000000,Cross,88.5,77.0,023,NN,023,->Tone,FM,5.00,,5.0W,,,,,,off");
    row("Cross DTCS->DTCS", {mhz(u"436.12500"), mhz(u"436.12500"), tone(u"D031N"), tone(u"D047I"), high, off, wide, true},
        "1,,436.125000,,0.000000,Cross,88.5,88.5,047,RN,031,DTCS->DTCS,FM,5.00,,5.0W,,,,,,off");
}

void TestCsvChannelTable::exportedLines()
{
    QFETCH(Channel, channel);
    QFETCH(QString, line);
    EditorState state;
    state.channel(1) = channel;
    const CsvChannelTable::Export table = CsvChannelTable::exportTable(state);
    QCOMPARE(table.text, CsvChannelTable::columns().join(',') + "\r\n" + line + "\r\n");
    QVERIFY(table.leftOut.isEmpty());
}

// For every file the editor can make, export then import onto the same file gives it back byte
// for byte.
void TestCsvChannelTable::roundTripGivesTheFileBack_data()
{
    QTest::addColumn<int>("band");
    for (int band = 0; band < BandCount; ++band)
        QTest::addRow("band %d", band) << band;
}

void TestCsvChannelTable::roundTripGivesTheFileBack()
{
    QFETCH(int, band);
    const RadioImage file = encodeImage(richChannels(band));
    EditorState opened;
    decodeImage(file, opened);

    const CsvChannelTable::Export table = CsvChannelTable::exportTable(opened);
    QVERIFY(table.leftOut.isEmpty());
    const Import import = CsvChannelTable::importTable(table.text.toUtf8(), opened, false);
    QCOMPARE(import.skipped, QList<CsvChannelTable::SkippedRow>());
    QCOMPARE(import.imported, 16);
    QCOMPARE(encodeImage(*import.state).bytes().toHex(' '), file.bytes().toHex(' '));
}

// A file of many bad rows: all are counted, the first by line are kept to be named.
void TestCsvChannelTable::manySkippedRows()
{
    QByteArray file = "Location,Frequency\n";
    for (int i = 0; i < 5000; ++i)
        file += i % 2 ? "1,520\n" : "1,446\n"; // out of the band, or channel 1 taken
    const Import import = CsvChannelTable::importTable(file, EditorState(), false);
    QCOMPARE(import.imported, 1);
    QCOMPARE(import.skippedCount, 4999);
    QCOMPARE(import.skipped.size(), Import::KeptSkipped);
    QCOMPARE(import.skipped.first().line, 3);
    QCOMPARE(import.skipped.last().line, 2 + Import::KeptSkipped);
    QVERIFY(CsvWording::reportText(import, "bad.csv", &Message::inEnglish).endsWith("... and 4984 more rows"));
}

void TestCsvChannelTable::reportTexts()
{
    QByteArray file = "Location,Frequency,Tone\n1,446,TSQL-R\n2,446\n";
    for (int i = 0; i < 3; ++i)
        file += "17,446\n";
    const Import import = CsvChannelTable::importTable(file, EditorState(), false);
    QCOMPARE(CsvWording::reportText(import, "list.csv", &Message::inEnglish, 3),
             QString("Channels imported from list.csv: 1.\n"
                     "These rows were skipped:\n"
                     "line 2: Tone \"TSQL-R\" is a mode the radio cannot do\n"
                     "line 4: Location \"17\" is not a channel number from 1 to 16\n"
                     "line 5: Location \"17\" is not a channel number from 1 to 16\n"
                     "... and 1 more rows"));
    QCOMPARE(CsvWording::reportText(import, "list.csv", std::bind(inLanguage, std::placeholders::_1, Language::Simplified), 1),
             QString("已从 list.csv 导入信道：1 个。\n以下各行已跳过：\n第 2 行：Tone “TSQL-R” 是对讲机不支持的模式\n……另有 3 行"));
    QVERIFY(CsvWording::reportText(import, "list.csv", std::bind(inLanguage, std::placeholders::_1, Language::Traditional))
                .contains("已跳過"));

    const Import none = CsvChannelTable::importTable("Name\nx\n", EditorState(), false);
    QCOMPARE(CsvWording::reportText(none, "list.csv", &Message::inEnglish),
             QString("The CSV file could not be imported: it has no Frequency column."));
}

QTEST_GUILESS_MAIN(TestCsvChannelTable)
#include "tst_csvchanneltable.moc"
