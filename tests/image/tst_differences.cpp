// What differs between two programmings: each kind of named value, their order, the image bytes
// that belong to no named value, and a radio compared only where a write reaches.

#include "i18n/differencewording.h"
#include "image/codec.h"
#include "image/differences.h"

#include <QTest>
#include <functional>

using namespace Differences;

namespace Differences {
// How a failing comparison shows a difference: field, index, both values.
char *toString(const Difference &d)
{
    auto value = [](const Value &v) {
        if (const int *n = std::get_if<int>(&v))
            return QString::number(*n);
        if (const QString *text = std::get_if<QString>(&v))
            return u'"' + *text + u'"';
        return QStringLiteral("nothing");
    };
    return qstrdup(qPrintable(QStringLiteral("field %1 #%2: %3 -> %4")
                                  .arg(int(d.field)).arg(d.index).arg(value(d.a), value(d.b))));
}
} // namespace Differences

Q_DECLARE_METATYPE(std::function<void(EditorState &)>)

namespace {

using Change = std::function<void(EditorState &)>;

EditorState baseState()
{
    EditorState s;
    s.channel(1) = Channel::on(Frequency::ofText(u"436.12500").value());
    s.channel(2) = Channel::on(Frequency::ofText(u"438.50000").value());
    s.testFrequencyTable[4] = {"436.00000", "436.00000"};
    return s;
}

// A programming as a data file holds it: its image and what the image decodes to.
struct Side
{
    EditorState state;
    RadioImage image;
};

Side sideOf(const EditorState &state)
{
    const RadioImage image = encodeImage(state);
    EditorState decoded;
    decodeImage(image, decoded);
    return {decoded, image};
}

Side withByte(Side side, int offset, quint8 value)
{
    QByteArray bytes = side.image.bytes();
    bytes[offset] = char(value);
    side.image = RadioImage(bytes);
    decodeImage(side.image, side.state);
    return side;
}

QList<Difference> between(const Side &a, const Side &b)
{
    return Differences::between(a.state, a.image, b.state, b.image);
}

} // namespace

class TestDifferences : public QObject
{
    Q_OBJECT

private slots:
    // One change of each kind gives one difference, with both values.
    void eachKind_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<Difference>("expected");
        auto row = [](const char *name, Change change, Difference expected) {
            QTest::newRow(name) << change << expected;
        };
        row("RX frequency", [](EditorState &s) { s.channel(2)->rx = Frequency::ofText(u"438.00000").value(); },
            {Field::RxFrequency, 2, QString("438.50000"), QString("438.00000")});
        row("TX none", [](EditorState &s) { s.channel(1)->tx = {}; },
            {Field::TxFrequency, 1, QString("436.12500"), QString()});
        row("RX tone", [](EditorState &s) { s.channel(1)->rxTone = Tone::ofText(u"D023N").value(); },
            {Field::RxTone, 1, QString(), QString("D023N")});
        row("TX tone", [](EditorState &s) { s.channel(2)->txTone = Tone::ofText(u"67.0").value(); },
            {Field::TxTone, 2, QString(), QString("67.0")});
        row("power", [](EditorState &s) { s.channel(1)->power = Power::Low; }, {Field::Power, 1, 1, 0});
        row("busy lock", [](EditorState &s) { s.channel(1)->busyLock = BusyLock::Carrier; }, {Field::BusyLock, 1, 0, 1});
        row("bandwidth", [](EditorState &s) { s.channel(2)->bandwidth = Bandwidth::Narrow; }, {Field::Bandwidth, 2, 1, 0});
        row("scan", [](EditorState &s) { s.channel(2)->scan = false; }, {Field::Scan, 2, 1, 0});
        row("channel added", [](EditorState &s) { s.channel(5) = Channel::on(Frequency::ofText(u"440.00000").value()); },
            {Field::ChannelAdded, 5, Value(), QString("440.00000")});
        row("channel removed", [](EditorState &s) { s.channel(2).reset(); },
            {Field::ChannelRemoved, 2, QString("438.50000"), Value()});
        row("band", [](EditorState &s) { s.currentBand = 3; }, {Field::Band, 0, 0, 3});
        row("squelch", [](EditorState &s) { s.squelch = 5; }, {Field::Squelch, 0, 1, 5});
        row("VOX gain", [](EditorState &s) { s.options.voxGain = 7; }, {Field::VoxGain, 0, 1, 7});
        row("scan delay", [](EditorState &s) { s.options.scanReceiveDelay = "120"; },
            {Field::ScanReceiveDelay, 0, QString("0"), QString("120")}); // an empty box stores 0
        row("first digit delay", [](EditorState &s) { s.dtmf.firstDigitDelay = 250; }, {Field::FirstDigitDelay, 0, 0, 250});
        row("auto-dial code", [](EditorState &s) { s.autoDialCodes[2] = "12#"; },
            {Field::AutoDialCode, 3, QString("3"), QString("12#")});
        row("PTT ID end code", [](EditorState &s) { s.pttIdCodes.end = "99"; },
            {Field::PttEndCode, 0, QString("2"), QString("99")});
        row("PF2", [](EditorState &s) { s.keyFunction2 = 4; }, {Field::KeyFunction2, 0, 0, 4});
        row("embedded text", [](EditorState &s) { s.embeddedTexts[1] = "DEPOT"; },
            {Field::EmbeddedText, 2, QString(), QString("DEPOT")});
        row("power tuning", [](EditorState &s) { s.powerTuning2 = 80; }, {Field::PowerTuningLow, 0, 92, 80});
        row("test frequency", [](EditorState &s) { s.testFrequencyTable[4].tx = "437.00000"; },
            {Field::TestTxFrequency, 5, QString("436.00000"), QString("437.00000")});
    }
    void eachKind()
    {
        QFETCH(Change, change);
        QFETCH(Difference, expected);
        EditorState changed = baseState();
        change(changed);
        const QList<Difference> found = between(sideOf(baseState()), sideOf(changed));
        QCOMPARE(found, QList<Difference> {expected});
    }

    void identicalProgrammingsDifferInNothing()
    {
        QVERIFY(between(sideOf(baseState()), sideOf(baseState())).isEmpty());
        QVERIFY(between(sideOf(EditorState()), sideOf(EditorState())).isEmpty());
    }

    // Channels first, then the band, the settings and the dialogs in menu order, bytes last.
    void order()
    {
        EditorState changed = baseState();
        changed.testFrequencyTable[0].rx = "440.00000";
        changed.keyFunction1 = 2;
        changed.options.vox = 0;
        changed.beep = 0;
        changed.currentBand = 1;
        changed.channel(2)->scan = false;
        changed.channel(1)->power = Power::Low;
        const Side b = withByte(sideOf(changed), 264, 0x00); // a fill byte after the DTMF group
        QList<Field> fields;
        for (const Difference &d : between(sideOf(baseState()), b))
            fields << d.field;
        QCOMPARE(fields, (QList<Field> {Field::Power, Field::Scan, Field::Band, Field::Beep, Field::Vox,
                                        Field::KeyFunction1, Field::TestRxFrequency, Field::Byte}));
    }

    // Bytes no named value shows are listed by offset with both values; a byte of a named value
    // listed is not listed again.
    void unnamedBytes()
    {
        const Side a = sideOf(baseState());
        Side b = withByte(withByte(a, 840, 0x00), 264, 0x12);
        QCOMPARE(between(a, b), (QList<Difference> {{Field::Byte, 264, 0xFF, 0x12}, {Field::Byte, 840, 0x88, 0x00}}));
        // The radio's copy of the band code (at 828) is not what decoding reads.
        QCOMPARE(between(a, withByte(a, 828, 0x21)), (QList<Difference> {{Field::Byte, 828, 0x33, 0x21}}));
        // A frequency digit changed: the frequency differs, the byte is not listed.
        const QList<Difference> digit = between(a, withByte(a, 0, 0x10));
        QCOMPARE(digit.size(), 1);
        QCOMPARE(digit[0].field, Field::RxFrequency);
    }

    // How the command-line tool writes a difference: one line each, whatever a text holds.
    void lines_data()
    {
        QTest::addColumn<Difference>("difference");
        QTest::addColumn<QString>("line");
        QTest::newRow("frequency") << Difference {Field::TxFrequency, 7, QString("431.00000"), QString()}
                                   << "channel 7 TX frequency: 431.00000 -> none";
        QTest::newRow("choice") << Difference {Field::BusyLock, 2, 0, 1} << "channel 2 Forbid: off -> carrier";
        QTest::newRow("added") << Difference {Field::ChannelAdded, 5, Value(), QString("440.00000")}
                               << "channel 5: added";
        QTest::newRow("setting") << Difference {Field::Squelch, 0, 1, 5} << "Squelch Grade: 1 -> 5";
        QTest::newRow("text with controls") << Difference {Field::AutoDialCode, 3, QString("3"), QString("3\nd\"\\")}
                                            << "auto-dial code 3: \"3\" -> \"3\\x0Ad\\\"\\\\\"";
        QTest::newRow("test frequency") << Difference {Field::TestRxFrequency, 4, QString(), QString("436.50000")}
                                        << "test frequency 4 RX Frequency: none -> 436.50000";
        QTest::newRow("byte") << Difference {Field::Byte, 0x108, 0xFF, 0x00} << "byte 0x0108: FF -> 00";
    }
    void lines()
    {
        QFETCH(Difference, difference);
        QFETCH(QString, line);
        QCOMPARE(DifferenceWording::line(difference), line);
    }

    // A radio against a file: only the bytes a write sends count, with the power-tuning block when
    // the calibration is written too.
    void asFarAsAWriteReaches()
    {
        const Side file = sideOf(baseState());
        Side radio = withByte(withByte(file, 400, 0x00), 371, 0x40); // a never-written byte; high power tuning
        radio = withByte(radio, 20, 0x99);                             // channel 2's TX frequency
        const QByteArray read = radio.image.bytes() + QByteArray(RadioImage::ReadSize - RadioImage::EncodedSize, '\x00');
        for (const bool calibration : {false, true}) {
            const RadioImage reached = Differences::asFarAsAWriteReaches(RadioImage(read), file.image, calibration);
            QCOMPARE(reached.size(), RadioImage::EncodedSize);
            EditorState state;
            decodeImage(reached, state);
            QList<Field> fields;
            for (const Difference &d : Differences::between(state, reached, file.state, file.image))
                fields << d.field;
            QCOMPARE(fields, calibration ? (QList<Field> {Field::TxFrequency, Field::PowerTuningHigh})
                                         : QList<Field> {Field::TxFrequency});
        }
    }
};

QTEST_APPLESS_MAIN(TestDifferences)
#include "tst_differences.moc"
