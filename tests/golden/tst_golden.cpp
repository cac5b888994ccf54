// Every data file the project holds (the sample, the fuzzing corpus and its regressions, and the
// inputs made for this test) against what the program made of it when the files under expected/
// were recorded: the image that decoding then encoding gives, from the start values and from a
// state with every setting changed (decoding keeps an earlier value where a byte is out of
// range), and what `qv540-cli dump` and `export` print of it. Any difference is a change of
// behaviour: a fault, or a mended fault whose files are recorded again on purpose with
// QV540_RECORD_GOLDEN=1 set.

#include "cliimages.h"
#include "filedump.h"
#include "image/codec.h"
#include "interchange/csvchanneltable.h"
#include "storage/datafile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTest>

#include "common/files.h"

namespace {

const QString Source = QStringLiteral(QV540_SOURCE_DIR);

// A state with every setting off its start value, inside the ranges decoding accepts, so that
// a decoding keeps none of them by accident of being equal.
EditorState richState()
{
    EditorState s;
    s.channel(3) = Channel {Frequency::ofUnits(14502500), Frequency::ofUnits(14562500), Tone::ctcss(670),
                            Tone::dcs({023, false}), Power::Low, BusyLock::Carrier, Bandwidth::Narrow, true};
    s.currentBand = 5;
    s.voicePrompt = 2;
    s.timeout = 39;
    s.timeoutWarn = 10;
    s.squelch = 9;
    s.batterySave = 0;
    s.beep = 0;
    s.options = {0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, QStringLiteral("0"), QStringLiteral("0")};
    s.pttIdCodes = {QStringLiteral("1234567890"), QStringLiteral("B"), QStringLiteral("C")};
    s.dtmf = {3, 3, 1000, 3, 16, 0, 9, 15};
    s.keyFunction1 = 11;
    s.keyFunction2 = 11;
    s.autoDialCodes.fill(QStringLiteral("909"));
    s.embeddedTexts = {QStringLiteral("EMBEDDED ONE"), QStringLiteral("EMBEDDED TWO")};
    s.testFrequencyTable.fill({QStringLiteral("150.00000"), QStringLiteral("151.00000")});
    s.powerTuning1 = 1;
    s.powerTuning2 = 254;
    return s;
}

QString encodedAfterDecoding(const RadioImage &image, EditorState state)
{
    decodeImage(image, state);
    return QString::fromLatin1(encodeImage(state).bytes().toHex());
}

// What the program makes of a file's contents, as the expected files hold it.
QString behaviourOf(const QByteArray &contents)
{
    const std::optional<RadioImage> image = DataFile::imageOfContents(contents);
    if (!image)
        return QStringLiteral("not a data file\n");
    const EditorState state = CliImages::stateOf(*image);
    return QStringLiteral("start %1\nrich %2\n--- dump\n%3--- json\n%4--- csv\n%5")
        .arg(encodedAfterDecoding(*image, EditorState()), encodedAfterDecoding(*image, richState()),
             FileDump::text(state),
             QString::fromUtf8(QJsonDocument(FileDump::json(state)).toJson(QJsonDocument::Indented)),
             CsvChannelTable::exportTable(state).text);
}

} // namespace

class TestGolden : public QObject
{
    Q_OBJECT

private slots:
    void files_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const std::pair<const char *, const char *> folders[] = {{"examples", "example"},
            {"tests/fuzz/corpus/datafile", "corpus"}, {"tests/fuzz/regressions/datafile", "regression"},
            {"tests/golden/inputs", "made"}};
        for (const auto &[folder, tag] : folders) {
            const QDir dir(Source + u'/' + QLatin1StringView(folder));
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
                QTest::addRow("%s %s", tag, qPrintable(name))
                    << dir.filePath(name)
                    << Source + QStringLiteral("/tests/golden/expected/%1-%2.txt").arg(QLatin1StringView(tag), name);
        }
    }
    void files()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        const QString behaviour = behaviourOf(readFileBytes(input));
        if (qEnvironmentVariableIsSet("QV540_RECORD_GOLDEN")) {
            QVERIFY(writeFileBytes(expected, behaviour.toUtf8()));
            return;
        }
        QVERIFY2(QFile::exists(expected), qPrintable(expected + " is missing: record it with QV540_RECORD_GOLDEN=1"));
        const QStringList want = QString::fromUtf8(readFileBytes(expected)).split(u'\n');
        const QStringList got = behaviour.split(u'\n');
        for (qsizetype line = 0; line < std::max(want.size(), got.size()); ++line)
            QVERIFY2(want.value(line) == got.value(line), qPrintable(QStringLiteral("line %1\nexpected: %2\n     got: %3")
                                                                      .arg(line + 1)
                                                                      .arg(want.value(line), got.value(line))));
    }
};

QTEST_MAIN(TestGolden)
#include "tst_golden.moc"
