// What `dump` shows of a data file: a rich image, encoded and decoded as the tool does.

#include "cliimages.h"
#include "filedump.h"
#include "image/codec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

#include "common/richstates.h"

namespace {

// Channels 1, 2, 5 and 16 exist; everything else is off its start value.
EditorState richState()
{
    EditorState s;
    s.channel(1) = makeChannel(u"436.12500", u"67.0", u"436.12500", u"D023N", Power::Low, BusyLock::Carrier, Bandwidth::Narrow, true);
    s.channel(2) = makeChannel(u"445.00625", u"", u"", u"", Power::High, BusyLock::Off, Bandwidth::Wide, false);
    s.channel(5) = makeChannel(u"438.50000", u"D754I", u"431.00000", u"254.1", Power::High, BusyLock::Carrier, Bandwidth::Wide, true);
    s.channel(16) = makeChannel(u"499.99000", u"100.0", u"400.00000", u"", Power::Low, BusyLock::Off, Bandwidth::Narrow, false);
    s.currentBand = 2;
    s.voicePrompt = 2;
    s.timeout = 39;
    s.timeoutWarn = 0;
    s.squelch = 9;
    s.batterySave = 0;
    s.beep = 0;
    s.keyFunction1 = 3;
    s.keyFunction2 = 11;
    s.powerTuning1 = 250;
    s.powerTuning2 = 17;
    s.embeddedTexts = {"DEALER 42", "Second line"};
    s.autoDialCodes[0] = "102";
    s.autoDialCodes[7] = "ABCD";
    s.testFrequencyTable[0] = {"436.00000", "436.10000"};
    s.testFrequencyTable[15] = {"", "470.00000"};
    return s;
}

// The state as a data file holding it reads back.
EditorState fileState(const EditorState &state)
{
    return CliImages::stateOf(encodeImage(state));
}

QJsonObject channel(const QJsonArray &channels, int number)
{
    for (const QJsonValue &value : channels)
        if (value["channel"].toInt() == number)
            return value.toObject();
    return {};
}

} // namespace

class TestFileDump : public QObject
{
    Q_OBJECT

private slots:
    void jsonHoldsTheChannels_data();
    void jsonHoldsTheChannels();
    void jsonHoldsTheSettingsAndTables();
    void jsonOfAnEmptyFile();
    void textShowsEverything();
};

void TestFileDump::jsonHoldsTheChannels_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected"); // the channel object, compact JSON, keys sorted
    QTest::newRow("1: CTCSS and DCS, low, carrier, narrow, scan")
        << 1 << R"({"bandwidth":"narrow","busyLock":"carrier","channel":1,"power":"low","rx":"436.12500",)"
                R"("rxTone":"67.0","scan":true,"tx":"436.12500","txTone":"D023N"})";
    QTest::newRow("2: no tones, no TX")
        << 2 << R"({"bandwidth":"wide","busyLock":"off","channel":2,"power":"high","rx":"445.00625",)"
                R"("rxTone":null,"scan":false,"tx":null,"txTone":null})";
    QTest::newRow("5: inverted DCS, top CTCSS")
        << 5 << R"({"bandwidth":"wide","busyLock":"carrier","channel":5,"power":"high","rx":"438.50000",)"
                R"("rxTone":"D754I","scan":true,"tx":"431.00000","txTone":"254.1"})";
    QTest::newRow("16: last row")
        << 16 << R"({"bandwidth":"narrow","busyLock":"off","channel":16,"power":"low","rx":"499.99000",)"
                 R"("rxTone":"100.0","scan":false,"tx":"400.00000","txTone":null})";
}

void TestFileDump::jsonHoldsTheChannels()
{
    QFETCH(int, number);
    QFETCH(QString, expected);
    const QJsonObject dump = FileDump::json(fileState(richState()));
    const QJsonArray channels = dump["channels"].toArray();
    QCOMPARE(channels.size(), 4);
    QCOMPARE(QString::fromUtf8(QJsonDocument(channel(channels, number)).toJson(QJsonDocument::Compact)), expected);
}

void TestFileDump::jsonHoldsTheSettingsAndTables()
{
    const QJsonObject dump = FileDump::json(fileState(richState()));
    QCOMPARE(dump["band"].toInt(), 2);
    QCOMPARE(dump["bandName"].toString(), QString("400-430MHz"));
    const QJsonObject settings = dump["settings"].toObject();
    QCOMPARE(settings, (QJsonObject {{"voicePrompt", 2}, {"timeout", 39}, {"timeoutWarn", 0}, {"squelch", 9},
                                     {"batterySave", 0}, {"beep", 0}}));
    QCOMPARE(dump["keys"].toObject(), (QJsonObject {{"pf1", 3}, {"pf2", 11}}));
    QCOMPARE(dump["powerTuning"].toArray(), (QJsonArray {250, 17}));
    QCOMPARE(dump["embeddedTexts"].toArray(), (QJsonArray {"DEALER 42", "Second line"}));
    const QJsonArray codes = dump["codeTexts"].toArray();
    QCOMPARE(codes.size(), 8);
    QCOMPARE(codes[0].toString(), QString("102"));
    QCOMPARE(codes[7].toString(), QString("ABCD"));
    const QJsonArray tests = dump["testFrequencies"].toArray();
    QCOMPARE(tests.size(), 16);
    QCOMPARE(tests[0].toArray(), (QJsonArray {"436.00000", "436.10000"}));
    QCOMPARE(tests[1].toArray(), (QJsonArray {QJsonValue::Null, QJsonValue::Null}));
    QCOMPARE(tests[15].toArray(), (QJsonArray {QJsonValue::Null, "470.00000"}));
    QCOMPARE(dump["optionSettings"].toArray().size(), 8);
    QCOMPARE(dump["optionTexts"].toArray().size(), 24);
}

void TestFileDump::jsonOfAnEmptyFile()
{
    const QJsonObject dump = FileDump::json(fileState(EditorState()));
    QCOMPARE(dump["channels"].toArray(), QJsonArray());
    QCOMPARE(dump["band"].toInt(), 0);
    QCOMPARE(dump["powerTuning"].toArray(), (QJsonArray {208, 92}));
}

void TestFileDump::textShowsEverything()
{
    const QString page = FileDump::text(fileState(richState()));
    const QStringList lines = page.split('\n');
    auto has = [&](const QString &text) {
        return std::any_of(lines.cbegin(), lines.cend(), [&](const QString &line) {
            return line.simplified() == text;
        });
    };
    QVERIFY2(has("Band: 2 (400-430MHz)"), qPrintable(page));
    QVERIFY(has("Voice prompt: 2 (English)"));
    QVERIFY(has("Time-out: 39 (600 s)"));
    QVERIFY(has("Time-out warning: 0 (off)"));
    QVERIFY(has("Squelch: 9 (level 9)"));
    QVERIFY(has("Keys: PF1 3, PF2 11"));
    QVERIFY(has("Power tuning: high 250, low 17"));
    QVERIFY(has("1 436.12500 436.12500 67.0 D023N low carrier narrow yes"));
    QVERIFY(has("2 445.00625 - - - high off wide no"));
    QVERIFY(has("16 499.99000 400.00000 100.0 - low off narrow no"));
    QVERIFY(!has("3 - - - - high carrier wide no"));
    QVERIFY(has("Embedded texts: \"DEALER 42\", \"Second line\""));
    QVERIFY(has("16 - / 470.00000"));
    QVERIFY(page.contains("1=\"102\""));
}

QTEST_GUILESS_MAIN(TestFileDump)
#include "tst_filedump.moc"
