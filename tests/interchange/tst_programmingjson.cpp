// A programming as JSON: what dump --json prints comes back as the file Open then Save gives,
// bad values are refused naming their field, missing keys take their start values.

#include "common/richstates.h"
#include "editor/channelrules.h"
#include "image/codec.h"
#include "interchange/programmingjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

namespace {

// Bytes with every value in every place, different for each seed.
QByteArray pattern(int size, int seed)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char((i * 13 + seed) & 0xFF));
    return bytes;
}

// The state a freshly started program holds after opening a file of these image bytes.
EditorState opened(const RadioImage &image)
{
    EditorState state;
    decodeImage(image, state);
    return state;
}

QByteArray jsonText(const QJsonValue &value)
{
    return QJsonDocument(value.toObject()).toJson();
}

// A copy of node with the value at a path such as "channels[0].rx" replaced; an undefined value
// removes the key.
QJsonValue withValue(const QJsonValue &node, QStringView path, const QJsonValue &value)
{
    if (path.isEmpty())
        return value;
    if (path.startsWith(u'[')) {
        const qsizetype close = path.indexOf(u']');
        const int index = path.sliced(1, close - 1).toInt();
        QStringView rest = path.sliced(close + 1);
        if (rest.startsWith(u'.'))
            rest = rest.sliced(1);
        QJsonArray array = node.toArray();
        array[index] = withValue(array[index], rest, value);
        return array;
    }
    qsizetype end = 0;
    while (end < path.size() && path[end] != u'.' && path[end] != u'[')
        ++end;
    const QString key = path.first(end).toString();
    QStringView rest = path.sliced(end);
    if (rest.startsWith(u'.'))
        rest = rest.sliced(1);
    QJsonObject object = node.toObject();
    if (rest.isEmpty() && value.isUndefined())
        object.remove(key);
    else
        object[key] = withValue(object[key], rest, value);
    return object;
}

} // namespace

class TestProgrammingJson : public QObject
{
    Q_OBJECT

private slots:
    void encodeOfADumpIsOpenThenSave_data();
    void encodeOfADumpIsOpenThenSave();
    void badValuesNameTheirField_data();
    void badValuesNameTheirField();
    void duplicateKeys_data();
    void duplicateKeys();
    void textsThatAreNoJsonObject_data();
    void textsThatAreNoJsonObject();
    void missingKeysTakeStartValues();
    void unusualChannelsAreKeptWithAWarning();
};

void TestProgrammingJson::encodeOfADumpIsOpenThenSave_data()
{
    QTest::addColumn<QByteArray>("image");
    for (int band = 0; band < BandCount; ++band)
        QTest::addRow("rich, band %d", band) << encodeImage(richChannels(band)).bytes();
    QTest::newRow("start values") << encodeImage(EditorState()).bytes();
    // Bytes out of every range, frequencies of hexadecimal digits, tone words of every kind.
    for (int seed : {1, 2, 77, 200})
        QTest::addRow("every byte, seed %d", seed) << pattern(RadioImage::ReadSize, seed);
    QTest::newRow("the shortest file that opens") << pattern(RadioImage::DecodedSize, 9);
}

void TestProgrammingJson::encodeOfADumpIsOpenThenSave()
{
    QFETCH(QByteArray, image);
    const EditorState state = opened(RadioImage(image));
    const QByteArray dump = QJsonDocument(ProgrammingJson::toJson(state)).toJson();
    QVERIFY(dump.contains("\"format\": \"qv540/1\""));
    const ProgrammingJson::Reading reading = ProgrammingJson::fromJson(dump);
    QVERIFY2(reading.state, qPrintable(reading.field + ": " + reading.error));
    QCOMPARE(encodeImage(*reading.state).bytes().toHex(' '), encodeImage(state).bytes().toHex(' '));
}

void TestProgrammingJson::badValuesNameTheirField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value"); // JSON; "-" removes the key

    auto bad = [](const QString &field, const QString &value) {
        QTest::addRow("%s = %s", qPrintable(field), qPrintable(value.left(20))) << field << value;
    };
    for (const char *value : {R"("43x.1")", "null", "436.125", R"("4a6.12500")", R"("FFF.FFFFF")", R"("1000")", "-"})
        bad("channels[0].rx", value);
    bad("channels[0].tx", R"("-436.1")");
    for (const char *value : {R"("67")", R"("D23N")", R"("Off")", "67.0"})
        bad("channels[0].rxTone", value);
    bad("channels[0].txTone", R"("D089N")");
    bad("channels[0].power", R"("medium")");
    bad("channels[0].busyLock", "true");
    bad("channels[0].bandwidth", R"("Wide")");
    bad("channels[0].scan", R"("yes")");
    for (const char *value : {"0", "17", "2.5", "-"})
        bad("channels[0].channel", value);
    bad("channels[1].channel", "1"); // given twice
    bad("channels[0].colour", "1");
    bad("channels", "{}");
    bad("band", "7");
    bad("band", R"("0")");
    bad("bandName", R"("136-174MHz")");
    bad("format", R"("qv540/2")");
    bad("comment", R"("not a key")");
    bad("settings.squelch", "10");
    bad("settings.timeout", "-2");
    bad("settings.voicePrompt", "1.5");
    bad("settings.squelsh", "1");
    bad("keys.pf1", "12");
    bad("powerTuning[0]", "256");
    bad("powerTuning", "[1, 2, 3]");
    bad("embeddedTexts[0]", '"' + QString(33, 'x') + '"');
    bad("embeddedTexts[1]", R"("汉字")");
    bad("codeTexts[0]", R"("12:34")");
    bad("codeTexts[7]", '"' + QString(17, '1') + '"');
    bad("testFrequencies[3][1]", R"("x")");
    bad("testFrequencies", "[]");
    for (const char *value : {"105", "1010", "90"})
        bad("optionSettings[2]", value);
    bad("optionSettings[4]", "17");
    bad("optionSettings[6]", "10");
    bad("optionTexts[11]", R"("17")");
    bad("optionTexts[12]", R"("92")");
    bad("optionTexts[18]", R"("301")");
    bad("optionTexts[3]", R"(" 1")");
    bad("optionTexts[15]", '"' + QString(11, 'A') + '"');
    bad("optionTexts[16]", R"("\u00ff")");
    bad("optionTexts[20]", "1");
}

void TestProgrammingJson::badValuesNameTheirField()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    const QJsonObject good = ProgrammingJson::toJson(opened(encodeImage(richChannels(0))));
    QVERIFY(ProgrammingJson::fromJson(jsonText(good)).state);
    const QJsonValue replacement = value == "-" ? QJsonValue(QJsonValue::Undefined)
                                                : QJsonDocument::fromJson(("[" + value + "]").toUtf8()).array().at(0);
    const ProgrammingJson::Reading reading = ProgrammingJson::fromJson(jsonText(withValue(good, field, replacement)));
    QVERIFY(!reading.state);
    QCOMPARE(reading.field, field);
    QVERIFY(!reading.error.isEmpty());
}

// A key given twice in one object, at any depth, is refused where it stands; the same key in
// two objects is no duplicate.
void TestProgrammingJson::duplicateKeys_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("field"); // empty: read
    QTest::newRow("band twice") << QByteArray(R"({"band": 1, "band": 2})") << "band";
    QTest::newRow("two channel lists")
        << QByteArray(R"({"channels": [], "channels": [{"channel": 1, "rx": "436"}]})") << "channels";
    QTest::newRow("in the settings") << QByteArray(R"({"settings": {"squelch": 1, "beep": 0, "squelch": 2}})")
                                     << "settings.squelch";
    QTest::newRow("in a channel")
        << QByteArray(R"({"channels": [{"channel": 1, "rx": "436"}, {"channel": 2, "rx": "437", "rx": "438"}]})")
        << "channels[1].rx";
    QTest::newRow("written with an escape")
        << QByteArray(R"({"channels": [{"channel": 1, "rx": "436", "rx": "437"}]})") << "channels[0].rx";
    QTest::newRow("one key in two objects")
        << QByteArray(R"({"channels": [{"channel": 1, "rx": "436"}, {"channel": 2, "rx": "437"}]})") << "";
}

void TestProgrammingJson::duplicateKeys()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, field);
    const ProgrammingJson::Reading reading = ProgrammingJson::fromJson(text);
    QCOMPARE(reading.state.has_value(), field.isEmpty());
    QCOMPARE(reading.field, field);
    if (!field.isEmpty())
        QVERIFY2(reading.error.contains("given twice"), qPrintable(reading.error));
}

void TestProgrammingJson::textsThatAreNoJsonObject_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("not JSON") << QByteArray("{\"band\": 0,") << "not JSON";
    QTest::newRow("an array") << QByteArray("[]") << "not one JSON object";
    QTest::newRow("empty") << QByteArray() << "not JSON";
}

void TestProgrammingJson::textsThatAreNoJsonObject()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    const ProgrammingJson::Reading reading = ProgrammingJson::fromJson(text);
    QVERIFY(!reading.state);
    QCOMPARE(reading.field, QString());
    QVERIFY2(reading.error.startsWith(error), qPrintable(reading.error));
}

// A missing key keeps its start value; a channel's missing keys are those of a new channel.
void TestProgrammingJson::missingKeysTakeStartValues()
{
    const ProgrammingJson::Reading empty = ProgrammingJson::fromJson("{}");
    QVERIFY(empty.state);
    QCOMPARE(*empty.state, EditorState());

    const ProgrammingJson::Reading one = ProgrammingJson::fromJson(
        R"({"band": 5, "channels": [{"channel": 3, "rx": "146.52"}], "settings": {"squelch": 4}})");
    QVERIFY(one.state);
    EditorState expected;
    expected.currentBand = 5;
    expected.squelch = 4;
    QCOMPARE(ChannelRules::endFrequencyEdit(expected, 3, EditorState::RxFrequency, u"146.52",
                                            Bands::limitsOf("136-174MHz")),
             ChannelRules::FrequencyEdit::Stored);
    QCOMPARE(*one.state, expected);
    QVERIFY(one.warnings.isEmpty());
}

// What a read can bring and a file keeps: kept as it is, with one warning line each.
void TestProgrammingJson::unusualChannelsAreKeptWithAWarning()
{
    const ProgrammingJson::Reading reading = ProgrammingJson::fromJson(
        R"({"channels": [{"channel": 1, "rx": "520.00000", "tx": null},
                         {"channel": 2, "rx": "436.12300", "tx": null},
                         {"channel": 3, "rx": "4A6.12500", "tx": "436.12500"}]})");
    QVERIFY(reading.state);
    QCOMPARE(reading.warnings, (QStringList {"channels[0].rx: 520.00000 lies outside the band 400-500MHz; kept as it is",
                                             "channels[1].rx: 436.12300 lies off the 5 kHz and 6.25 kHz rasters; kept as it is",
                                             "channels[2].rx: 4A6.12500 holds digits that are no frequency; kept as it is"}));
    const QByteArray image = encodeImage(*reading.state).bytes();
    QCOMPARE(image.mid(0, 4).toHex(), QByteArray("00000052"));
    QCOMPARE(image.mid(16, 4).toHex(), QByteArray("00236143"));
    QCOMPARE(image.mid(32, 4).toHex(), QByteArray("0025614a"));
}

QTEST_GUILESS_MAIN(TestProgrammingJson)
#include "tst_programmingjson.moc"
