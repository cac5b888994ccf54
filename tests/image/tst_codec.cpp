#include "editor/channelrules.h"
#include "i18n/celltexts.h"
#include "image/codec.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/tonelist.h"

#include <QRandomGenerator>
#include <QTest>
#include <functional>

#include "common/richstates.h"

using Column = EditorState::Column;
using Setup = std::function<void(EditorState &)>;
using Check = std::function<void(const EditorState &)>;
using Patch = QList<QPair<int, QByteArray>>; // image offset, bytes written there
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Check)
Q_DECLARE_METATYPE(Patch)

namespace {

const CellTexts English = CellTexts::forLanguage(Language::English);

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QByteArray emptyRecord()
{
    return hex("FFFFFFFF FFFFFFFF FFFF FFFF F8 F0 FC FF");
}

// A grid cell as the window shows it in English.
QString cell(const EditorState &s, int row, int column)
{
    return cellText(s, row, column, English);
}

// The list item an option cell shows, or the tone list item a tone cell falls back on.
int item(const EditorState &s, int column, int row)
{
    if (column == Column::RxTone || column == Column::TxTone)
        return ToneList::indexOf(s.toneFallback(row, column));
    return ChannelRules::optionItem(*s.channel(row), column);
}

// A channel 1 as a new one is made in the editor, changed by change.
Setup channel1(std::function<void(Channel &)> change)
{
    return [change](EditorState &s) {
        Channel channel = Channel::on(mhz(u"436.12500"));
        change(channel);
        s.channel(1) = channel;
    };
}

// A state using every part of the image, with values at their edges. What decoding writes is
// exactly what is set here, so decoding its image into a fresh state gives it back.
EditorState richState(int variant)
{
    const QStringList tones {"67.0", "254.1", "D023N", "D754I", "123.4", "D777N", "D000I", "69.3", "100.0", "D047I"};
    EditorState s;
    for (int row = 1; row <= ChannelCount; ++row) {
        const qint64 units = 13600000 + qint64(row + variant) * 3712500;
        Channel channel;
        channel.rx = Frequency::ofUnits(units);
        channel.tx = row % 5 == 0 ? Frequency() : Frequency::ofUnits(units + 500000);
        const bool toneless = (row + variant) % 4 == 0;
        channel.rxTone = toneless ? Tone() : tone(tones[(row + variant) % tones.size()]);
        channel.txTone = toneless ? Tone() : tone(tones[(row * 3 + variant) % tones.size()]);
        channel.power = (row ^ variant) & 1 ? Power::High : Power::Low;
        channel.busyLock = (row >> 1 ^ variant) & 1 ? BusyLock::Carrier : BusyLock::Off;
        channel.bandwidth = (row >> 2 ^ variant) & 1 ? Bandwidth::Wide : Bandwidth::Narrow;
        channel.scan = (row >> 3 ^ variant) & 1;
        s.placeChannel(row, channel);
    }
    const bool high = variant % 2;
    s.currentBand = variant % BandCount;
    s.voicePrompt = high ? 2 : 0;
    s.timeout = high ? 39 : -1;
    s.timeoutWarn = high ? 10 : 0;
    s.squelch = high ? 9 : 0;
    s.batterySave = high ? 1 : 0;
    s.beep = high ? 1 : 0;
    s.dtmf = high ? DtmfSettings {3, 3, 1000, 3, 16, 1, 6, 15} : DtmfSettings {0, 0, 100, 0, 0, 0, 0, 0};
    s.options = high ? OptionalFunctions {2, 1, 10, 5, 1, 1, 1, 1, 2, 16, 91, 91, 3, "300", "300"}
                     : OptionalFunctions {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, "0", "0"};
    s.pttIdCodes = {QString::fromLatin1("AB\xFF\xFF" "12#*\xFF\xFF"), "1234567890ABCD*#", high ? "" : "0"};
    s.keyFunction1 = high ? 11 : 0;
    s.keyFunction2 = high ? 0 : 11;
    for (int number = 1; number <= 8; ++number)
        s.autoDialCodes[number - 1] = QString("100%1*#0ABCD0000").arg(number).left(2 * number);
    for (int row = 1; row <= ChannelCount; ++row)
        s.testFrequencyTable[row - 1] = {frequencyTextOfUnits(40000000 + row * 625), row % 3 ? frequencyTextOfUnits(45000000 - row * 500) : QString()};
    s.embeddedTexts = {QString(32, QLatin1Char('A' + variant)), "QV-540 " + QString::number(variant)};
    s.powerTuning1 = high ? 255 : 0;
    s.powerTuning2 = high ? 0 : 255;
    return s;
}

RadioImage patched(RadioImage image, const Patch &patch)
{
    QByteArray bytes = image.bytes();
    for (const auto &[offset, data] : patch)
        bytes.replace(offset, data.size(), data);
    return RadioImage(bytes);
}

// Every byte of the layout that carries no setting, as every encoded image must hold it.
void verifyLayout(const RadioImage &image)
{
    const QByteArray &b = image.bytes();
    QCOMPARE(b.size(), RadioImage::EncodedSize);
    for (int row = 0; row < ChannelCount; ++row) {
        const int r = 16 * row;
        QCOMPARE(quint8(b[r + 12]) & 0xF7, 0xF0);
        QCOMPARE(quint8(b[r + 13]) & 0xCF, 0xC0);
        QCOMPARE(b.mid(r + 14, 2), hex("FCFF"));
        for (int tone : {r + 8, r + 10}) {
            const quint16 word = quint16(quint8(b[tone]) | quint8(b[tone + 1]) << 8);
            const int kind = word >> 12;
            if (kind == 0x2 || kind == 0xA)
                QCOMPARE(word & 0x5E00, 0x0800); // a DCS word: bits 9, 10, 12 and 14 clear
        }
    }
    const auto filled = [&](int from, int to, char value) { QCOMPARE(b.mid(from, to - from + 1), QByteArray(to - from + 1, value)); };
    filled(264, 268, '\xFF');
    filled(271, 271, '\xFF');
    filled(282, 286, '\xFF');
    filled(291, 291, '\x00');
    filled(301, 301, '\xFF');
    QVERIFY(quint8(b[302]) == 0xFE || quint8(b[302]) == 0xFF);
    filled(303, 303, '\xFF');
    filled(345, 365, '\xFF');
    filled(368, 370, '\xFF');
    filled(372, 375, '\xFF');
    filled(377, 423, '\xFF');
    QCOMPARE(b.mid(424, 5), QByteArray("QVF54"));
    QVERIFY(Layout::bandOfCode(quint8(b[429])));
    QCOMPARE(b[828], b[429]);
    QCOMPARE(b.mid(430, 2), hex("F8FF"));
    filled(432, 495, '\xFF');
    QCOMPARE(b.mid(816, 7), QByteArray("QVCR540"));
    filled(823, 827, '\xFF');
    filled(829, 831, '\xFF');
    QCOMPARE(b.mid(832, 8), QByteArray("60905626"));
    filled(840, 847, '\x88');
}

QString randomText(QRandomGenerator &random)
{
    static const QStringList pool {"", "436.12500", "99.5", "4A6.12B00", "1.2.3", ".", "-5", "1e9", "Off", "关闭",
        "Hight", "Low", "Carrow", "Narrow", "Wide", "No", "Have", "67.0", "819.2", "6553.5", "D023N", "D999I",
        "D089N", "D0023N", "D12.5N", "D-5N", "d23n", "D", "0", "1", "12abc", "300", "70000", "-1", "255",
        "99999999999999999999", "中文", QString(40, QLatin1Char('x'))};
    if (random.bounded(3) != 0)
        return pool[random.bounded(int(pool.size()))];
    QString text;
    const int length = random.bounded(50);
    for (int i = 0; i < length; ++i)
        text += QChar(char16_t(random.bounded(3) ? random.bounded(0x20, 0x100) : random.bounded(0x100, 0xD800)));
    return text;
}

int randomNumber(QRandomGenerator &random)
{
    static const int pool[] = {0, 1, -1, 2, 10, 11, 12, 40, 41, 100, 255, 256, 1000, 65535, 65536, -32768, INT_MAX, INT_MIN};
    return random.bounded(2) ? pool[random.bounded(int(std::size(pool)))] : int(random.generate());
}

EditorState randomState(QRandomGenerator &random)
{
    EditorState s;
    auto frequency = [&random] {
        return Frequency::ofBytes({quint8(random.bounded(256)), quint8(random.bounded(256)), quint8(random.bounded(256)),
                                   quint8(random.bounded(256))});
    };
    for (int row = 1; row <= ChannelCount; ++row) {
        if (random.bounded(3) == 0)
            continue;
        Channel channel {frequency(), frequency(), Tone::ofWord(quint16(random.generate())),
                         Tone::ofWord(quint16(random.generate())), random.bounded(2) ? Power::High : Power::Low,
                         random.bounded(2) ? BusyLock::Carrier : BusyLock::Off,
                         random.bounded(2) ? Bandwidth::Wide : Bandwidth::Narrow, bool(random.bounded(2))};
        if (!channel.rx.isNone())
            s.channel(row) = channel;
    }
    for (int *value : {&s.currentBand, &s.voicePrompt, &s.timeout, &s.timeoutWarn, &s.squelch, &s.batterySave,
                       &s.beep, &s.keyFunction1, &s.keyFunction2, &s.powerTuning1, &s.powerTuning2})
        *value = randomNumber(random);
    for (int DtmfSettings::*setting : DtmfOrder)
        s.dtmf.*setting = randomNumber(random);
    OptionalFunctions &o = s.options;
    for (int *value : {&o.pttId, &o.vox, &o.voxGain, &o.voxDelay, &o.voxTone, &o.voxCancel, &o.voxOffOnReceive,
                       &o.duplicate, &o.priorityMode, &o.priorityChannel, &o.revertTimeA, &o.revertTimeB, &o.returnChannel})
        *value = randomNumber(random);
    for (QString *text : {&o.scanReceiveDelay, &o.scanTransmitDelay, &s.pttIdCodes.id, &s.pttIdCodes.start, &s.pttIdCodes.end})
        *text = randomText(random);
    for (QString &text : s.autoDialCodes)
        text = randomText(random);
    for (QString &text : s.embeddedTexts)
        text = randomText(random);
    for (auto &row : s.testFrequencyTable)
        row = {randomText(random), randomText(random)};
    return s;
}

} // namespace

class TestCodec : public QObject
{
    Q_OBJECT

private slots:
    void emptyGrid()
    {
        const RadioImage image = encodeImage(EditorState());
        verifyLayout(image);
        for (int row = 0; row < ChannelCount; ++row)
            QCOMPARE(image.bytes().mid(16 * row, 16), emptyRecord());
    }

    void encode_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        const Setup startValues = [](EditorState &) {};
        QTest::newRow("start values: DTMF group, keys") << startValues << 256 << hex("0001000101010000 FFFFFFFFFF 0A00FF");
        QTest::newRow("start values: main window, options") << startValues << 287 << hex("010201 0100 010101 010101010101 FF FF");
        QTest::newRow("start values: scan") << startValues << 336 << hex("0001010101 0000 0000");
        QTest::newRow("start values: power tuning") << startValues << 371 << hex("D0FFFFFFFF5C");
        QTest::newRow("start values: codes") << startValues << 496 << hex("31FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF 32FF");
        QTest::newRow("RX frequency") << channel1([](Channel &) {}) << 0 << hex("00256143");
        QTest::newRow("TX frequency") << channel1([](Channel &c) { c.tx = mhz(u"438.50000"); }) << 4 << hex("00008543");
        QTest::newRow("D023N") << channel1([](Channel &c) { c.rxTone = tone(u"D023N"); }) << 8 << hex("1328");
        QTest::newRow("D023I") << channel1([](Channel &c) { c.txTone = tone(u"D023I"); }) << 10 << hex("13A8");
        QTest::newRow("D754N") << channel1([](Channel &c) { c.rxTone = tone(u"D754N"); }) << 8 << hex("EC29");
        QTest::newRow("67.0") << channel1([](Channel &c) { c.rxTone = tone(u"67.0"); }) << 8 << hex("9E02");
        QTest::newRow("254.1") << channel1([](Channel &c) { c.rxTone = tone(u"254.1"); }) << 8 << hex("ED09");
        QTest::newRow("no tone") << channel1([](Channel &c) { c.rxTone = Tone(); }) << 8 << hex("FFFF");
        QTest::newRow("off-list CTCSS") << channel1([](Channel &c) { c.rxTone = tone(u"123.4"); }) << 8 << hex("D204");
        QTest::newRow("lockout off") << channel1([](Channel &c) { c.busyLock = BusyLock::Off; }) << 12 << hex("F0");
        QTest::newRow("lockout carrier") << channel1([](Channel &c) { c.busyLock = BusyLock::Carrier; }) << 12 << hex("F8");
        const auto powerAndBand = [](Power power, Bandwidth band) {
            return channel1([=](Channel &c) { c.power = power; c.bandwidth = band; });
        };
        QTest::newRow("low narrow") << powerAndBand(Power::Low, Bandwidth::Narrow) << 13 << hex("C0");
        QTest::newRow("low wide") << powerAndBand(Power::Low, Bandwidth::Wide) << 13 << hex("D0");
        QTest::newRow("high narrow") << powerAndBand(Power::High, Bandwidth::Narrow) << 13 << hex("E0");
        QTest::newRow("high wide") << powerAndBand(Power::High, Bandwidth::Wide) << 13 << hex("F0");
        QTest::newRow("scan bitmap") << Setup([](EditorState &s) {
            for (int row : {1, 2, 8, 9, 16}) {
                s.channel(row) = Channel::on(mhz(u"436.12500"));
                s.channel(row)->scan = row != 2;
            }
        }) << 366 << hex("8181");

        QTest::newRow("DTMF delay 150 ms") << Setup([](EditorState &s) { s.dtmf.firstDigitDelay = 150; }) << 258 << hex("0F");
        QTest::newRow("group code 0") << Setup([](EditorState &s) { s.dtmf.groupCallCode = 0; }) << 262 << hex("00");
        QTest::newRow("group code 3") << Setup([](EditorState &s) { s.dtmf.groupCallCode = 3; }) << 262 << hex("33");
        QTest::newRow("group code negative") << Setup([](EditorState &s) { s.dtmf.groupCallCode = -4; }) << 262 << hex("00");
        QTest::newRow("revert time none") << Setup([](EditorState &s) { s.options.revertTimeA = 0; }) << 338 << hex("FF");
        QTest::newRow("revert time 5") << Setup([](EditorState &s) { s.options.revertTimeA = 5; }) << 338 << hex("05");
        QTest::newRow("delay 300") << Setup([](EditorState &s) { s.options.scanReceiveDelay = "300"; }) << 341 << hex("2C01");
        QTest::newRow("delay too large") << Setup([](EditorState &s) { s.options.scanTransmitDelay = "70000"; }) << 343 << hex("FFFF");
        QTest::newRow("delay negative") << Setup([](EditorState &s) { s.options.scanTransmitDelay = "-1"; }) << 343 << hex("0000");
        QTest::newRow("delay with number first") << Setup([](EditorState &s) { s.options.scanReceiveDelay = "12abc"; }) << 341 << hex("0C00");
        QTest::newRow("delay without number") << Setup([](EditorState &s) { s.options.scanReceiveDelay = "abc"; }) << 341 << hex("0000");
        QTest::newRow("VOX gain beyond its list") << Setup([](EditorState &s) { s.options.voxGain = 12; }) << 298 << hex("0C");
        QTest::newRow("duplicate on") << Setup([](EditorState &s) { s.options.duplicate = 1; }) << 302 << hex("FF");
        QTest::newRow("duplicate odd value") << Setup([](EditorState &s) { s.options.duplicate = 12; }) << 302 << hex("FE");
        QTest::newRow("byte above 255") << Setup([](EditorState &s) { s.keyFunction1 = 1000; }) << 269 << hex("FF");
        QTest::newRow("negative byte") << Setup([](EditorState &s) { s.dtmf.rate = -5; }) << 256 << hex("00");
        QTest::newRow("function settings") << Setup([](EditorState &s) {
            s.voicePrompt = 2; s.timeout = 39; s.timeoutWarn = 10;
        }) << 287 << hex("02280A");
        QTest::newRow("time-out without selection") << Setup([](EditorState &s) { s.timeout = -1; }) << 288 << hex("00");
        QTest::newRow("list without selection") << Setup([](EditorState &s) { s.squelch = -1; }) << 292 << hex("00");
        QTest::newRow("power tuning") << Setup([](EditorState &s) { s.powerTuning1 = 999; s.powerTuning2 = 7; }) << 371 << hex("FFFFFFFFFF07");
        QTest::newRow("code text with zeros") << Setup([](EditorState &s) { s.autoDialCodes[0] = "102"; })
                                             << 496 << hex("313A32 FFFFFFFFFFFFFFFFFFFFFFFFFF");
        QTest::newRow("code text cut to 16") << Setup([](EditorState &s) { s.autoDialCodes[7] = QString(20, '1'); })
                                             << 608 << QByteArray(16, '1') + '\xFF';
        QTest::newRow("embedded text cut to 32") << Setup([](EditorState &s) { s.embeddedTexts[0] = QString(40, 'a'); })
                                                 << 752 << QByteArray(32, 'a') + '\xFF';
        QTest::newRow("character without a byte") << Setup([](EditorState &s) { s.embeddedTexts[1] = "中文é"; })
                                                  << 784 << hex("3F3FE9FF");
        QTest::newRow("band 136-174MHz") << Setup([](EditorState &s) { s.currentBand = 5; }) << 429 << hex("01F8");
        QTest::newRow("band 600-720MHz copy") << Setup([](EditorState &s) { s.currentBand = 6; }) << 828 << hex("73");
        QTest::newRow("band out of range") << Setup([](EditorState &s) { s.currentBand = -1; }) << 429 << hex("33");
        QTest::newRow("test frequency") << Setup([](EditorState &s) { s.testFrequencyTable[1] = {"436.12500", "99.5"}; })
                                        << 632 << hex("00256143 00009509");
    }
    void encode()
    {
        QFETCH(Setup, setup);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        EditorState state;
        setup(state);
        const RadioImage image = encodeImage(state);
        verifyLayout(image);
        QCOMPARE(image.bytes().mid(offset, bytes.size()).toHex(' '), bytes.toHex(' '));
    }

    void decode_data()
    {
        QTest::addColumn<Patch>("patch");
        QTest::addColumn<Check>("check");
        const QByteArray channel = hex("00256143 FFFFFFFF FFFF 9E02 F8 C0 FC FF");
        QTest::newRow("empty channel whatever else it holds")
            << Patch {{0, hex("FFFFFFFF 00256143 1328 9E02 F0 C0 00 00")}, {366, hex("FF")}}
            << Check([](const EditorState &s) {
                   QVERIFY(!s.channelExists(1));
                   for (int column = 1; column <= 8; ++column)
                       QVERIFY(cell(s, 1, column).isEmpty());
               });
        QTest::newRow("no TX frequency") << Patch {{0, channel}, {366, hex("00")}} << Check([](const EditorState &s) {
            QCOMPARE(cell(s, 1, Column::RxFrequency), "436.12500");
            QCOMPARE(cell(s, 1, Column::TxFrequency), "");
            QCOMPARE(cell(s, 1, Column::RxTone), "Off");
            QCOMPARE(cell(s, 1, Column::TxTone), "67.0");
            QCOMPARE(cell(s, 1, Column::BusyLock), "Carrow");
            QCOMPARE(cell(s, 1, Column::Power), "Low");
            QCOMPARE(cell(s, 1, Column::Bandwidth), "Narrow");
            QCOMPARE(cell(s, 1, Column::Scan), "No");
            QCOMPARE(item(s, Column::BusyLock, 1), 1);
            QCOMPARE(item(s, Column::Power, 1), 0);
        });
        QTest::newRow("tone items remembered") << Patch {{0, hex("00256143 00256143 1328 8D03")}} << Check([](const EditorState &s) {
            QCOMPARE(item(s, Column::RxTone, 1), 51); // D023N
            QCOMPARE(item(s, Column::TxTone, 1), 0);  // 90.5 Hz is not listed
        });
        QTest::newRow("no TX frequency nor tone") << Patch {{0, hex("00256143 FFFFFFFF 1328 FFFF")}}
                                                  << Check([](const EditorState &s) {
                                                         QCOMPARE(cell(s, 1, Column::RxTone), "D023N");
                                                         QCOMPARE(cell(s, 1, Column::TxTone), "");
                                                     });
        QTest::newRow("scan of channel 9") << Patch {{128, channel}, {367, hex("01")}} << Check([](const EditorState &s) {
            QCOMPARE(cell(s, 9, Column::Scan), "Have");
            QCOMPARE(item(s, Column::Scan, 9), 1);
        });
        QTest::newRow("time-out 0 selects nothing") << Patch {{288, hex("00")}}
                                                    << Check([](const EditorState &s) { QCOMPARE(s.timeout, -1); });
        QTest::newRow("time-out 41 is ignored") << Patch {{288, hex("29")}}
                                                << Check([](const EditorState &s) { QCOMPARE(s.timeout, 7); });
        QTest::newRow("priority channel 16") << Patch {{337, hex("10")}}
                                             << Check([](const EditorState &s) { QCOMPARE(s.options.priorityChannel, 16); });
        QTest::newRow("priority channel 0 is ignored") << Patch {{337, hex("00")}}
                                                       << Check([](const EditorState &s) { QCOMPARE(s.options.priorityChannel, 7); });
        QTest::newRow("group code 00") << Patch {{262, hex("00")}}
                                       << Check([](const EditorState &s) { QCOMPARE(s.dtmf.groupCallCode, 0); });
        QTest::newRow("group code FF") << Patch {{262, hex("FF")}}
                                       << Check([](const EditorState &s) { QCOMPARE(s.dtmf.groupCallCode, 0); });
        QTest::newRow("group code 35") << Patch {{262, hex("35")}}
                                       << Check([](const EditorState &s) { QCOMPARE(s.dtmf.groupCallCode, 5); });
        QTest::newRow("group code not a digit") << Patch {{262, hex("41")}}
                                                << Check([](const EditorState &s) { QCOMPARE(s.dtmf.groupCallCode, 7); });
        QTest::newRow("DTMF delay in range") << Patch {{258, hex("0F")}}
                                             << Check([](const EditorState &s) { QCOMPARE(s.dtmf.firstDigitDelay, 150); });
        QTest::newRow("DTMF delay 00, as the start value stores it")
            << Patch {{258, hex("00")}} << Check([](const EditorState &s) { QCOMPARE(s.dtmf.firstDigitDelay, 0); });
        QTest::newRow("DTMF delay out of range") << Patch {{258, hex("09")}}
                                                 << Check([](const EditorState &s) { QCOMPARE(s.dtmf.firstDigitDelay, 7); });
        QTest::newRow("revert time none") << Patch {{338, hex("FF")}}
                                          << Check([](const EditorState &s) { QCOMPARE(s.options.revertTimeA, 0); });
        QTest::newRow("revert time out of range") << Patch {{339, hex("5C")}}
                                                  << Check([](const EditorState &s) { QCOMPARE(s.options.revertTimeB, 7); });
        QTest::newRow("code text") << Patch {{496, hex("313A32") + QByteArray(13, '\xFF')}}
                                   << Check([](const EditorState &s) { QCOMPARE(s.autoDialCodes[0], "102"); });
        QTest::newRow("stored text keeps FF") << Patch {{272, hex("4142") + QByteArray(8, '\xFF')}}
                                              << Check([](const EditorState &s) {
                                                     QCOMPARE(s.pttIdCodes.id, "AB" + QString(8, QChar(0xFF)));
                                                 });
        QTest::newRow("embedded text skips FF") << Patch {{752, hex("41FF42")}}
                                                << Check([](const EditorState &s) { QCOMPARE(s.embeddedTexts[0], "AB"); });
        QTest::newRow("band code 01") << Patch {{429, hex("01")}} << Check([](const EditorState &s) { QCOMPARE(s.currentBand, 5); });
        QTest::newRow("band code 99") << Patch {{429, hex("99")}} << Check([](const EditorState &s) { QCOMPARE(s.currentBand, 3); });
        QTest::newRow("keys") << Patch {{269, hex("0B0C")}} << Check([](const EditorState &s) {
            QCOMPARE(s.keyFunction1, 11);
            QCOMPARE(s.keyFunction2, 7);
        });
        QTest::newRow("scan delays") << Patch {{341, hex("2C012D01")}} << Check([](const EditorState &s) {
            QCOMPARE(s.options.scanReceiveDelay, "300");
            QCOMPARE(s.options.scanTransmitDelay, "7");
        });
        QTest::newRow("voice prompt out of range") << Patch {{287, hex("03")}}
                                                   << Check([](const EditorState &s) { QCOMPARE(s.voicePrompt, 7); });
    }
    void decode()
    {
        QFETCH(Patch, patch);
        QFETCH(Check, check);
        // A state whose values differ from everything the patches write, to see what is kept.
        EditorState state;
        state.timeout = 7;
        state.voicePrompt = 7;
        state.options.priorityChannel = state.options.revertTimeA = state.options.revertTimeB = 7;
        state.options.scanReceiveDelay = state.options.scanTransmitDelay = "7";
        state.dtmf.firstDigitDelay = state.dtmf.groupCallCode = 7;
        state.keyFunction2 = 7;
        state.currentBand = 3;
        state.toneFallback(1, Column::RxTone) = state.toneFallback(1, Column::TxTone) = ToneList::tone(42);
        const RadioImage blank(QByteArray(RadioImage::ReadSize, '\xFF'));
        decodeImage(patched(blank, patch), state);
        check(state);
    }

    // Decoding an empty channel leaves what the tone editor remembers of the row as it was.
    void emptyChannelKeepsIndexes()
    {
        EditorState state;
        state.channel(3) = Channel::on(mhz(u"436.12500"));
        state.toneFallback(3, Column::RxTone) = ToneList::tone(42);
        decodeImage(encodeImage(EditorState()), state);
        QVERIFY(!state.channelExists(3));
        QCOMPARE(item(state, Column::RxTone, 3), 42);
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("variant");
        for (int variant = 0; variant < 8; ++variant)
            QTest::addRow("variant %d", variant) << variant;
    }
    // decode(encode(state)) is the state, and encode(decode(image)) the image, byte for byte.
    void roundTrip()
    {
        QFETCH(int, variant);
        const EditorState original = richState(variant);
        const RadioImage image = encodeImage(original);
        verifyLayout(image);

        EditorState decoded;
        decodeImage(image, decoded);
        for (int row = 1; row <= ChannelCount; ++row)
            for (int column = 1; column <= 8; ++column)
                QCOMPARE(cell(decoded, row, column), cell(original, row, column));
        QCOMPARE(decoded.options, original.options);
        QCOMPARE(decoded.autoDialCodes, original.autoDialCodes);
        QVERIFY(decoded == original);

        QCOMPARE(encodeImage(decoded).bytes().toHex(), image.bytes().toHex());
    }

    // A 1024-byte read keeps the image bytes it carries when it is written back.
    void radioReadWrittenBack()
    {
        QByteArray read = encodeImage(richState(3)).bytes();
        read += QByteArray(RadioImage::ReadSize - read.size(), '\x5A');
        EditorState state;
        decodeImage(RadioImage(read), state);
        QCOMPARE(encodeImage(state).bytes(), read.first(RadioImage::EncodedSize));
    }

    void decodeShortImage_data()
    {
        QTest::addColumn<int>("length");
        for (int length : {0, 1, 17, 300, 815, 816, 848, 1024, 4096})
            QTest::addRow("%d bytes", length) << length;
    }
    // Bytes an image lacks read as FF: nothing outside the image is ever read.
    void decodeShortImage()
    {
        QFETCH(int, length);
        QByteArray bytes = encodeImage(richState(1)).bytes();
        bytes.resize(length, '\x00');
        EditorState state;
        decodeImage(RadioImage(bytes), state);
        if (length <= 16)
            QVERIFY(!state.channelExists(2));
        if (length < 752)
            QCOMPARE(state.embeddedTexts[0], "");
        verifyLayout(encodeImage(state));
    }

    // Whatever the editor holds, the image keeps its layout, and the same state gives the
    // same image.
    void arbitraryStatesKeepTheLayout()
    {
        QRandomGenerator random(540);
        for (int i = 0; i < 3000; ++i) {
            const EditorState state = randomState(random);
            const RadioImage image = encodeImage(state);
            verifyLayout(image);
            QCOMPARE(encodeImage(state), image);
            EditorState decoded = state;
            decodeImage(image, decoded);
            verifyLayout(encodeImage(decoded));
        }
    }

    // The blocks a write sends are the segments it sends, in 16-byte blocks.
    void writeBlocks()
    {
        QCOMPARE(Layout::writeBlockOffsets(false).size(), 46);
        const QList<int> blocks = Layout::writeBlockOffsets(true);
        QCOMPARE(blocks.size(), 47);
        QCOMPARE(blocks.mid(22, 4), (QList<int> {352, 368, 424, 496}));
        QCOMPARE(blocks.last(), 832);
    }
};

QTEST_APPLESS_MAIN(TestCodec)
#include "tst_codec.moc"
