#include "image/codec.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/tonelist.h"

#include <QRandomGenerator>
#include <QTest>
#include <functional>

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

// A channel as a new one is made in the editor, in English.
void addChannel(EditorState &s, int row, const QString &rx)
{
    const QString cells[] = {rx, "Off", rx, "Off", "Hight", "Off", "Wide", "Have"};
    for (int column = 1; column <= 8; ++column)
        s.cell(row, column) = cells[column - 1];
    s.option(Column::Power, row) = 1;
    s.option(Column::Bandwidth, row) = 1;
    s.option(Column::Scan, row) = 1;
}

void setOptionCell(EditorState &s, int row, int column, int item, const CellTexts &texts = English)
{
    s.cell(row, column) = texts.option(column, item);
    s.option(column, row) = qint16(item);
}

// A state using every part of the image, with values at their edges. What decoding writes is
// exactly what is set here, so decoding its image into a fresh state gives it back.
EditorState richState(int variant, const CellTexts &texts)
{
    const QStringList tones {"67.0", "254.1", "D023N", "D754I", "123.4", "D777N", "D000I", "69.3", "100.0", "D047I"};
    EditorState s;
    for (int row = 1; row <= ChannelCount; ++row) {
        const qint64 units = 13600000 + qint64(row + variant) * 3712500;
        const QString rx = frequencyTextOfUnits(units);
        s.cell(row, Column::RxFrequency) = rx;
        s.cell(row, Column::TxFrequency) = row % 5 == 0 ? QString() : frequencyTextOfUnits(units + 500000);
        s.cell(row, Column::RxTone) = tones[(row + variant) % tones.size()];
        s.cell(row, Column::TxTone) = tones[(row * 3 + variant) % tones.size()];
        if ((row + variant) % 4 == 0) {
            s.cell(row, Column::RxTone) = texts.toneOff;
            s.cell(row, Column::TxTone) = row % 5 == 0 ? QString() : texts.toneOff;
        }
        for (int column : {Column::RxTone, Column::TxTone})
            s.option(column, row) = qint16(ToneList::indexOf(s.cell(row, column)));
        for (int column = Column::Power; column <= Column::Scan; ++column)
            setOptionCell(s, row, column, (row >> (column - 5) ^ variant) & 1, texts);
    }
    const bool high = variant % 2;
    s.currentBand = variant % BandCount;
    s.voicePrompt = high ? 2 : 0;
    s.timeout = high ? 39 : -1;
    s.timeoutWarn = high ? 10 : 0;
    s.squelch = high ? 9 : 0;
    s.batterySave = high ? 1 : 0;
    s.beep = high ? 1 : 0;
    s.optionSettingTable = high ? std::array {3, 3, 1000, 3, 16, 1, 6, 15} : std::array {0, 0, 100, 0, 0, 0, 0, 0};
    const struct { int slot, low, high; } ranges[] = {{4, 0, 2}, {6, 0, 1}, {7, 0, 10}, {8, 0, 5}, {9, 0, 1}, {10, 0, 1},
        {11, 0, 2}, {12, 1, 16}, {13, 0, 91}, {14, 0, 91}, {15, 0, 3}, {19, 0, 300}, {20, 0, 300}, {23, 0, 1}, {24, 0, 1}};
    for (const auto &slot : ranges)
        s.optionText(slot.slot) = QString::number(high ? slot.high : slot.low);
    s.optionText(EditorState::StoredTextA) = QString::fromLatin1("AB\xFF\xFF" "12#*\xFF\xFF");
    s.optionText(EditorState::StoredTextB) = "1234567890ABCD*#";
    s.optionText(EditorState::StoredTextC) = high ? "" : "0";
    s.keyFunction1 = high ? 11 : 0;
    s.keyFunction2 = high ? 0 : 11;
    for (int number = 1; number <= 8; ++number)
        s.codeText(number) = QString("100%1*#0ABCD0000").arg(number).left(2 * number);
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
    for (auto &row : s.channelTable)
        for (QString &cell : row)
            cell = randomText(random);
    for (auto &column : s.channelOptionTable)
        for (qint16 &entry : column)
            entry = qint16(randomNumber(random));
    for (int *value : {&s.currentBand, &s.voicePrompt, &s.timeout, &s.timeoutWarn, &s.squelch, &s.batterySave,
                       &s.beep, &s.keyFunction1, &s.keyFunction2, &s.powerTuning1, &s.powerTuning2})
        *value = randomNumber(random);
    for (int &value : s.optionSettingTable)
        value = randomNumber(random);
    for (QString &text : s.optionTextTable)
        text = randomText(random);
    for (QString &text : s.codeTexts)
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
        const RadioImage image = encodeImage(EditorState(), English);
        verifyLayout(image);
        for (int row = 0; row < ChannelCount; ++row)
            QCOMPARE(image.bytes().mid(16 * row, 16), emptyRecord());
    }

    void encode_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        const auto cell = [](int row, int column, QString text) {
            return Setup([=](EditorState &s) { s.cell(row, column) = text; });
        };
        const Setup startValues = [](EditorState &) {};
        QTest::newRow("start values: DTMF group, keys") << startValues << 256 << hex("0001000101010000 FFFFFFFFFF 0A00FF");
        QTest::newRow("start values: main window, options") << startValues << 287 << hex("010201 0100 010101 010101010101 FF FF");
        QTest::newRow("start values: scan") << startValues << 336 << hex("0001010101 0000 0000");
        QTest::newRow("start values: power tuning") << startValues << 371 << hex("D0FFFFFFFF5C");
        QTest::newRow("start values: codes") << startValues << 496 << hex("31FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF 32FF");
        QTest::newRow("RX frequency") << cell(1, Column::RxFrequency, "436.12500") << 0 << hex("00256143");
        QTest::newRow("TX frequency") << cell(2, Column::TxFrequency, "438.50000") << 20 << hex("00008543");
        QTest::newRow("D023N") << cell(1, Column::RxTone, "D023N") << 8 << hex("1328");
        QTest::newRow("D023I") << cell(1, Column::TxTone, "D023I") << 10 << hex("13A8");
        QTest::newRow("D754N") << cell(1, Column::RxTone, "D754N") << 8 << hex("EC29");
        QTest::newRow("67.0") << cell(1, Column::RxTone, "67.0") << 8 << hex("9E02");
        QTest::newRow("254.1") << cell(1, Column::RxTone, "254.1") << 8 << hex("ED09");
        QTest::newRow("Off item") << cell(1, Column::RxTone, "Off") << 8 << hex("FFFF");
        QTest::newRow("malformed DCS stores no tone") << cell(1, Column::RxTone, "D089N") << 8 << hex("FFFF");
        QTest::newRow("off-list CTCSS") << cell(1, Column::RxTone, "123.4") << 8 << hex("D204");
        QTest::newRow("lockout off") << cell(1, Column::BusyLock, "Off") << 12 << hex("F0");
        QTest::newRow("lockout carrier") << cell(1, Column::BusyLock, "Carrow") << 12 << hex("F8");
        QTest::newRow("lockout unknown text") << cell(1, Column::BusyLock, "Maybe") << 12 << hex("F8");
        const auto powerAndBand = [](QString power, QString band) {
            return Setup([=](EditorState &s) { s.cell(1, Column::Power) = power; s.cell(1, Column::Bandwidth) = band; });
        };
        QTest::newRow("low narrow") << powerAndBand("Low", "Narrow") << 13 << hex("C0");
        QTest::newRow("low wide") << powerAndBand("Low", "Wide") << 13 << hex("D0");
        QTest::newRow("high narrow") << powerAndBand("Hight", "Narrow") << 13 << hex("E0");
        QTest::newRow("high wide") << powerAndBand("Hight", "") << 13 << hex("F0");
        QTest::newRow("scan bitmap") << Setup([](EditorState &s) {
            s.cell(1, Column::Scan) = "Have"; s.cell(8, Column::Scan) = "Have"; s.cell(2, Column::Scan) = "No";
            s.cell(9, Column::Scan) = "x"; s.cell(16, Column::Scan) = "Have";
        }) << 366 << hex("8181");

        QTest::newRow("DTMF delay 150 ms") << Setup([](EditorState &s) { s.optionSettingTable[2] = 150; }) << 258 << hex("0F");
        QTest::newRow("group code 0") << Setup([](EditorState &s) { s.optionSettingTable[6] = 0; }) << 262 << hex("00");
        QTest::newRow("group code 3") << Setup([](EditorState &s) { s.optionSettingTable[6] = 3; }) << 262 << hex("33");
        QTest::newRow("group code negative") << Setup([](EditorState &s) { s.optionSettingTable[6] = -4; }) << 262 << hex("00");
        QTest::newRow("revert time none") << Setup([](EditorState &s) { s.optionText(13) = "0"; }) << 338 << hex("FF");
        QTest::newRow("revert time 5") << Setup([](EditorState &s) { s.optionText(13) = "5"; }) << 338 << hex("05");
        QTest::newRow("delay 300") << Setup([](EditorState &s) { s.optionText(19) = "300"; }) << 341 << hex("2C01");
        QTest::newRow("delay too large") << Setup([](EditorState &s) { s.optionText(20) = "70000"; }) << 343 << hex("FFFF");
        QTest::newRow("delay negative") << Setup([](EditorState &s) { s.optionText(20) = "-1"; }) << 343 << hex("0000");
        QTest::newRow("slot text with number first") << Setup([](EditorState &s) { s.optionText(7) = "12abc"; }) << 298 << hex("0C");
        QTest::newRow("slot text without number") << Setup([](EditorState &s) { s.optionText(7) = "abc"; }) << 298 << hex("00");
        QTest::newRow("duplicate on") << Setup([](EditorState &s) { s.optionText(10) = "1"; }) << 302 << hex("FF");
        QTest::newRow("duplicate odd value") << Setup([](EditorState &s) { s.optionText(10) = "12"; }) << 302 << hex("FE");
        QTest::newRow("byte above 255") << Setup([](EditorState &s) { s.keyFunction1 = 1000; }) << 269 << hex("FF");
        QTest::newRow("negative byte") << Setup([](EditorState &s) { s.optionSettingTable[0] = -5; }) << 256 << hex("00");
        QTest::newRow("function settings") << Setup([](EditorState &s) {
            s.voicePrompt = 2; s.timeout = 39; s.timeoutWarn = 10;
        }) << 287 << hex("02280A");
        QTest::newRow("time-out without selection") << Setup([](EditorState &s) { s.timeout = -1; }) << 288 << hex("00");
        QTest::newRow("list without selection") << Setup([](EditorState &s) { s.squelch = -1; }) << 292 << hex("00");
        QTest::newRow("power tuning") << Setup([](EditorState &s) { s.powerTuning1 = 999; s.powerTuning2 = 7; }) << 371 << hex("FFFFFFFFFF07");
        QTest::newRow("code text with zeros") << Setup([](EditorState &s) { s.codeText(1) = "102"; })
                                             << 496 << hex("313A32 FFFFFFFFFFFFFFFFFFFFFFFFFF");
        QTest::newRow("code text cut to 16") << Setup([](EditorState &s) { s.codeText(8) = QString(20, '1'); })
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
        const RadioImage image = encodeImage(state, English);
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
                   for (int column = 1; column <= 8; ++column)
                       QVERIFY(s.cell(1, column).isEmpty());
               });
        QTest::newRow("no TX frequency") << Patch {{0, channel}, {366, hex("00")}} << Check([](const EditorState &s) {
            QCOMPARE(s.cell(1, Column::RxFrequency), "436.12500");
            QCOMPARE(s.cell(1, Column::TxFrequency), "");
            QCOMPARE(s.cell(1, Column::RxTone), "Off");
            QCOMPARE(s.cell(1, Column::TxTone), "67.0");
            QCOMPARE(s.cell(1, Column::BusyLock), "Carrow");
            QCOMPARE(s.cell(1, Column::Power), "Low");
            QCOMPARE(s.cell(1, Column::Bandwidth), "Narrow");
            QCOMPARE(s.cell(1, Column::Scan), "No");
            QCOMPARE(s.option(Column::BusyLock, 1), 1);
            QCOMPARE(s.option(Column::Power, 1), 0);
        });
        QTest::newRow("tone items remembered") << Patch {{0, hex("00256143 00256143 1328 8D03")}} << Check([](const EditorState &s) {
            QCOMPARE(s.option(Column::RxTone, 1), 51); // D023N
            QCOMPARE(s.option(Column::TxTone, 1), 0);  // 90.5 Hz is not listed
        });
        QTest::newRow("no TX frequency nor tone") << Patch {{0, hex("00256143 FFFFFFFF 1328 FFFF")}}
                                                  << Check([](const EditorState &s) {
                                                         QCOMPARE(s.cell(1, Column::RxTone), "D023N");
                                                         QCOMPARE(s.cell(1, Column::TxTone), "");
                                                     });
        QTest::newRow("scan of channel 9") << Patch {{128, channel}, {367, hex("01")}} << Check([](const EditorState &s) {
            QCOMPARE(s.cell(9, Column::Scan), "Have");
            QCOMPARE(s.option(Column::Scan, 9), 1);
        });
        QTest::newRow("time-out 0 selects nothing") << Patch {{288, hex("00")}}
                                                    << Check([](const EditorState &s) { QCOMPARE(s.timeout, -1); });
        QTest::newRow("time-out 41 is ignored") << Patch {{288, hex("29")}}
                                                << Check([](const EditorState &s) { QCOMPARE(s.timeout, 7); });
        QTest::newRow("priority channel 16") << Patch {{337, hex("10")}}
                                             << Check([](const EditorState &s) { QCOMPARE(s.optionText(12), "16"); });
        QTest::newRow("priority channel 0 is ignored") << Patch {{337, hex("00")}}
                                                       << Check([](const EditorState &s) { QCOMPARE(s.optionText(12), "7"); });
        QTest::newRow("group code 00") << Patch {{262, hex("00")}}
                                       << Check([](const EditorState &s) { QCOMPARE(s.optionSettingTable[6], 0); });
        QTest::newRow("group code FF") << Patch {{262, hex("FF")}}
                                       << Check([](const EditorState &s) { QCOMPARE(s.optionSettingTable[6], 0); });
        QTest::newRow("group code 35") << Patch {{262, hex("35")}}
                                       << Check([](const EditorState &s) { QCOMPARE(s.optionSettingTable[6], 5); });
        QTest::newRow("group code not a digit") << Patch {{262, hex("41")}}
                                                << Check([](const EditorState &s) { QCOMPARE(s.optionSettingTable[6], 7); });
        QTest::newRow("DTMF delay in range") << Patch {{258, hex("0F")}}
                                             << Check([](const EditorState &s) { QCOMPARE(s.optionSettingTable[2], 150); });
        QTest::newRow("DTMF delay 00, as the start value stores it")
            << Patch {{258, hex("00")}} << Check([](const EditorState &s) { QCOMPARE(s.optionSettingTable[2], 0); });
        QTest::newRow("DTMF delay out of range") << Patch {{258, hex("09")}}
                                                 << Check([](const EditorState &s) { QCOMPARE(s.optionSettingTable[2], 7); });
        QTest::newRow("revert time none") << Patch {{338, hex("FF")}}
                                          << Check([](const EditorState &s) { QCOMPARE(s.optionText(13), "0"); });
        QTest::newRow("revert time out of range") << Patch {{339, hex("5C")}}
                                                  << Check([](const EditorState &s) { QCOMPARE(s.optionText(14), "7"); });
        QTest::newRow("code text") << Patch {{496, hex("313A32") + QByteArray(13, '\xFF')}}
                                   << Check([](const EditorState &s) { QCOMPARE(s.codeText(1), "102"); });
        QTest::newRow("stored text keeps FF") << Patch {{272, hex("4142") + QByteArray(8, '\xFF')}}
                                              << Check([](const EditorState &s) {
                                                     QCOMPARE(s.optionText(EditorState::StoredTextA), "AB" + QString(8, QChar(0xFF)));
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
            QCOMPARE(s.optionText(19), "300");
            QCOMPARE(s.optionText(20), "7");
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
        state.optionText(12) = state.optionText(13) = state.optionText(14) = state.optionText(19) = state.optionText(20) = "7";
        state.optionSettingTable[2] = state.optionSettingTable[6] = 7;
        state.keyFunction2 = 7;
        state.currentBand = 3;
        state.option(Column::RxTone, 1) = state.option(Column::TxTone, 1) = 42;
        const RadioImage blank(QByteArray(RadioImage::ReadSize, '\xFF'));
        decodeImage(patched(blank, patch), state, English);
        check(state);
    }

    // Decoding an empty channel leaves its list indexes as they were.
    void emptyChannelKeepsIndexes()
    {
        EditorState state;
        addChannel(state, 3, "436.12500");
        state.option(Column::RxTone, 3) = 42;
        decodeImage(encodeImage(EditorState(), English), state, English);
        QVERIFY(!state.channelExists(3));
        QCOMPARE(state.option(Column::RxTone, 3), 42);
        QCOMPARE(state.option(Column::Power, 3), 1);
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("language");
        for (int variant = 0; variant < 8; ++variant)
            for (LanguageMode language : {Language::Simplified, Language::English, Language::Traditional})
                QTest::addRow("variant %d language %d", variant, language) << variant << language;
    }
    // decode(encode(state)) is the state, and encode(decode(image)) the image, byte for byte.
    void roundTrip()
    {
        QFETCH(int, variant);
        QFETCH(int, language);
        const CellTexts texts = CellTexts::forLanguage(language);
        const EditorState original = richState(variant, texts);
        const RadioImage image = encodeImage(original, texts);
        verifyLayout(image);

        EditorState decoded;
        decodeImage(image, decoded, texts);
        for (int row = 1; row <= ChannelCount; ++row)
            for (int column = 1; column <= 8; ++column)
                QCOMPARE(decoded.cell(row, column), original.cell(row, column));
        QCOMPARE(decoded.optionTextTable, original.optionTextTable);
        QCOMPARE(decoded.codeTexts, original.codeTexts);
        QVERIFY(decoded == original);

        QCOMPARE(encodeImage(decoded, texts).toHexText(), image.toHexText());
    }

    // A 1024-byte read keeps the image bytes it carries when it is written back.
    void radioReadWrittenBack()
    {
        const CellTexts texts = CellTexts::forLanguage(Language::English);
        QByteArray read = encodeImage(richState(3, texts), texts).bytes();
        read += QByteArray(RadioImage::ReadSize - read.size(), '\x5A');
        EditorState state;
        decodeImage(RadioImage(read), state, texts);
        QCOMPARE(encodeImage(state, texts).bytes(), read.first(RadioImage::EncodedSize));
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
        QByteArray bytes = encodeImage(richState(1, English), English).bytes();
        bytes.resize(length, '\x00');
        EditorState state;
        decodeImage(RadioImage(bytes), state, English);
        if (length <= 16)
            QVERIFY(!state.channelExists(2));
        if (length < 752)
            QCOMPARE(state.embeddedTexts[0], "");
        verifyLayout(encodeImage(state, English));
    }

    // Whatever the editor holds, the image keeps its layout, and the same state gives the
    // same image.
    void arbitraryStatesKeepTheLayout()
    {
        QRandomGenerator random(540);
        for (int i = 0; i < 3000; ++i) {
            const EditorState state = randomState(random);
            const RadioImage image = encodeImage(state, English);
            verifyLayout(image);
            QCOMPARE(encodeImage(state, English), image);
            EditorState decoded = state;
            decodeImage(image, decoded, English);
            verifyLayout(encodeImage(decoded, English));
        }
    }
};

QTEST_APPLESS_MAIN(TestCodec)
#include "tst_codec.moc"
