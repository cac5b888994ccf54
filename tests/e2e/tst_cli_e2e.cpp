// qv540-cli against the radio emulator through a real pseudo-terminal: read, write, verify, the
// band check, a silent radio and files that are no data files. QV540_CLI is the tool's path.

#include "common/files.h"
#include "common/filesizelimit.h"
#include "common/radioemulator.h"
#include "common/richstates.h"
#include "editor/bands.h"
#include "editor/channelrules.h"
#include "image/codec.h"
#include "image/layout.h"
#include "storage/backups.h"
#include "storage/datafile.h"
#include "storage/inputfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <memory>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A programming with something in every part: four channels, settings, keys, tables.
EditorState richState(int band)
{
    EditorState s;
    s.channel(1) = makeChannel(u"436.12500", u"67.0", u"436.12500", u"D023N", Power::Low, BusyLock::Carrier, Bandwidth::Narrow, true);
    s.channel(2) = makeChannel(u"445.00625", u"", u"", u"", Power::High, BusyLock::Off, Bandwidth::Wide, false);
    s.channel(7) = makeChannel(u"438.50000", u"D754I", u"431.00000", u"254.1", Power::High, BusyLock::Carrier, Bandwidth::Wide, true);
    s.channel(16) = makeChannel(u"499.99000", u"100.0", u"400.00000", u"", Power::Low, BusyLock::Off, Bandwidth::Narrow, false);
    s.currentBand = band;
    s.timeout = 11;
    s.squelch = 3;
    s.beep = 0;
    s.keyFunction1 = 4;
    s.powerTuning1 = 0xC1;
    s.powerTuning2 = 0x41;
    s.embeddedTexts = {"QV540 CLI", "E2E"};
    s.autoDialCodes[1] = "8090";
    s.testFrequencyTable[3] = {"436.50000", "437.00000"};
    return s;
}

struct CliRun
{
    int status = -1; // -1: crashed or did not end
    QByteArray out;
    QByteArray err;
    qint64 elapsed = 0;
};

// Runs the tool; childSetup runs in the child before the tool starts.
CliRun runCli(const QStringList &arguments, std::function<void()> childSetup = {})
{
    QProcess process;
    if (childSetup)
        process.setChildProcessModifier(childSetup);
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(QV540_CLI), arguments);
    CliRun run;
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.elapsed = clock.elapsed();
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// The lines of a listing that name addresses.
QStringList addressLines(const QByteArray &out)
{
    QStringList lines;
    for (const QString &line : QString::fromUtf8(out).split('\n'))
        if (line.startsWith("0x"))
            lines << line;
    return lines;
}

// One line on standard error, naming what it is about.
bool isOneLineAbout(const QByteArray &err, const QString &subject)
{
    const QString text = QString::fromUtf8(err);
    return text.count('\n') == 1 && text.endsWith('\n') && text.startsWith("qv540-cli: ") && text.contains(subject);
}

} // namespace

class TestCliE2e : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    // A data file holding a programming.
    QString dataFile(const QString &name, const EditorState &state)
    {
        const QString file = path(name);
        [&] { QVERIFY(DataFile::write(file, encodeImage(state))); }();
        return file;
    }

    // An emulator whose memory held a pattern, then a write of file with its calibration; it
    // saves its memory to after.bin. Null when that fails.
    std::unique_ptr<Radio> radioWrittenWith(const QString &file)
    {
        auto radio = std::make_unique<Radio>();
        if (!writeFileBytes(path("before.bin"), memoryPattern(1024, 5))
            || !radio->start({"--unpaced", "--band", "0", "--memory", path("before.bin"), "--save", path("after.bin")})
            || runCli({"write", "--port", radio->device(), file, "--calibration"}).status != 0)
            return nullptr;
        return radio;
    }

    // What the window writes after opening a data file: the image of its decoded state.
    RadioImage writtenImage(const QString &file)
    {
        EditorState state;
        decodeImage(DataFile::read(file).image, state);
        return encodeImage(state);
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void readSavesWhatTheWindowSaves();
    void silentRadioLeavesNoFile();
    void radioFaults_data();
    void radioFaults();
    void interruptTellsTheRadioToStop();
    void writeLeavesTheImageInTheRadio_data();
    void writeLeavesTheImageInTheRadio();
    void bandMismatch_data();
    void bandMismatch();
    void verifyListsTheDifferingAddresses();
    void diffOfTwoFiles();
    void diffOfTheRadio();
    void filesThatCannotBeUsed_data();
    void filesThatCannotBeUsed();
    void inputsFromOutside_data();
    void inputsFromOutside();
    void importNamesTwentySkippedRows();
    void portThatCannotBeOpened();
    void readOntoAFullDisk();
    void dumpJsonOfARichFile();
    void helpVersionAndUsage();
    void csvRoundTrip();
    void standardOutput();
    void portsAndSlotNames();
    void importNamesEachSkippedRow();
    void importFailuresSaveNothing_data();
    void importFailuresSaveNothing();
    void encodeOfADump_data();
    void encodeOfADump();
    void encodeRefusesABadValue();
    void detectNamesTheBand_data();
    void detectNamesTheBand();
    void detectASilentRadio();
    void readKeepsABackup_data();
    void readKeepsABackup();
};

void TestCliE2e::readSavesWhatTheWindowSaves()
{
    // The memory holds band 2; the radio reports band 5, which the window takes.
    QByteArray memory = encodeImage(richState(2)).bytes() + memoryPattern(176, 3);
    QVERIFY(writeFileBytes(path("memory.bin"), memory));
    Radio radio;
    QVERIFY(radio.start({"--unpaced", "--memory", path("memory.bin"), "--band", "5"}));
    QVERIFY(writeFileBytes(path("out.DAT"), "an older file"));

    const CliRun run = runCli({"read", "--port", radio.device(), "-o", path("out.DAT"), "--raw", path("out.bin")});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QByteArray()); // no terminal, no progress
    QCOMPARE(readFileBytes(path("out.bin")), memory);
    EditorState expected = richState(5);
    QCOMPARE(readFileBytes(path("out.DAT")), DataFile::contentsOf(encodeImage(expected)));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 3); // no temporary files left
}

// Stopped in the middle of a write, the tool still sends the end frame: the emulator saves its
// memory when that frame arrives.
void TestCliE2e::interruptTellsTheRadioToStop()
{
    Radio radio;
    const QString log = path("radio.log");
    QVERIFY(radio.start({"--unpaced", "--silent-after", "5", "--save", path("after.bin"), "--log", log}));
    const QString file = dataFile("radio.DAT", richState(0));
    QProcess process;
    process.start(QStringLiteral(QV540_CLI), {"write", "--port", radio.device(), file});
    QVERIFY(process.waitForStarted());
    // The radio answers the handshake and two blocks, then falls silent; the tool would give up
    // two and a half to three seconds after its last answer. It is stopped once the third block
    // has gone out: in the middle of the write, whatever the machine's pace.
    QTRY_VERIFY_WITH_TIMEOUT(framesFromProgram(log).size() >= 6, 5000); // wake-up, 02, 06, three blocks
    process.terminate();
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 130);
    QVERIFY(isOneLineAbout(process.readAllStandardError(), "interrupted"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(path("after.bin")), 2000);
}

void TestCliE2e::silentRadioLeavesNoFile()
{
    Radio radio;
    QVERIFY(radio.start({"--silent-after", "0"}));
    QVERIFY(writeFileBytes(path("kept.DAT"), "the backup of yesterday"));

    const CliRun fresh = runCli({"read", "--port", radio.device(), "-o", path("new.DAT"), "--raw", path("new.bin")});
    QCOMPARE(fresh.status, 1);
    QVERIFY2(fresh.elapsed < 6000, qPrintable(QString::number(fresh.elapsed))); // the sixth tick of 500 ms
    QVERIFY2(isOneLineAbout(fresh.err, radio.device()), fresh.err.constData());
    QVERIFY(!QFileInfo::exists(path("new.DAT")));
    QVERIFY(!QFileInfo::exists(path("new.bin")));

    const CliRun existing = runCli({"read", "--port", radio.device(), "-o", path("kept.DAT")});
    QCOMPARE(existing.status, 1);
    QCOMPARE(readFileBytes(path("kept.DAT")), QByteArray("the backup of yesterday"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {"kept.DAT"});
}

// Every fault of the emulator (emulatorFaults()), early and in the middle of a read and of a write;
// replies in pieces still succeed.
void TestCliE2e::radioFaults_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QStringList>("fault");
    QTest::addColumn<int>("status");
    for (const QString verb : {"read", "write"}) {
        for (const RadioFault &mode : emulatorFaults())
            if (verb == "read" || !mode.readOnly)
                QTest::addRow("%s, %s", qPrintable(verb), mode.name) << verb << mode.options << 1;
        QTest::addRow("%s, replies in pieces", qPrintable(verb)) << verb << QStringList {"--split", "3"} << 0;
    }
}

// A failed session ends within about three seconds of the radio's last good reply, tells the
// radio to leave programming mode, and leaves every file as it was.
void TestCliE2e::radioFaults()
{
    QFETCH(QString, verb);
    QFETCH(QStringList, fault);
    QFETCH(int, status);
    QTemporaryDir logDir;
    const QString log = logDir.filePath("radio.log");
    Radio radio;
    QVERIFY(radio.start(QStringList {"--unpaced", "--band", "0", "--log", log} + fault));
    const QByteArray kept = DataFile::contentsOf(encodeImage(richState(0))); // the radio's band
    QVERIFY(writeFileBytes(path("kept.DAT"), kept));

    const QStringList arguments = verb == "read"
        ? QStringList {"read", "--port", radio.device(), "-o", path("kept.DAT"), "--raw", path("new.bin")}
        : QStringList {"write", "--port", radio.device(), path("kept.DAT")};
    const CliRun run = runCli(arguments);
    QCOMPARE(run.status, status);
    QTRY_COMPARE_WITH_TIMEOUT(framesFromProgram(log).value(framesFromProgram(log).size() - 1), QString("45"), 2000);
    QCOMPARE(framesFromProgram(log).count("45"), 1);
    if (status == 0)
        return;
    QVERIFY2(run.elapsed < 6000, qPrintable(QString::number(run.elapsed)));
    QVERIFY2(isOneLineAbout(run.err, radio.device()), run.err.constData());
    QCOMPARE(readFileBytes(path("kept.DAT")), kept);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {"kept.DAT"}); // no new or temporary file
}

void TestCliE2e::writeLeavesTheImageInTheRadio_data()
{
    QTest::addColumn<bool>("calibration");
    QTest::newRow("normal") << false;
    QTest::newRow("with calibration") << true;
}

void TestCliE2e::writeLeavesTheImageInTheRadio()
{
    QFETCH(bool, calibration);
    const QByteArray before = memoryPattern(1024, 7);
    QVERIFY(writeFileBytes(path("before.bin"), before));
    Radio radio;
    QVERIFY(radio.start({"--unpaced", "--band", "0", "--memory", path("before.bin"), "--save", path("after.bin")}));
    const QString file = dataFile("radio.DAT", richState(0));

    QStringList arguments {"write", "--port", radio.device(), file};
    if (calibration)
        arguments << "--calibration";
    const CliRun run = runCli(arguments);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QByteArray());
    // The radio saves when the end frame arrives: the tool did not end before sending it.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(path("after.bin")), 2000);
    QVERIFY(radio.stop());

    const QByteArray after = readFileBytes(path("after.bin"));
    const QByteArray written = writtenImage(file).bytes();
    QCOMPARE(after.toHex(' '), memoryAfterWrite(before, written, calibration).toHex(' '));
}

// The radio is on band 5, the file on band 0: refused before any block without --yes.
void TestCliE2e::bandMismatch_data()
{
    QTest::addColumn<QStringList>("radioBand");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("radioBandText");
    QTest::newRow("refused") << QStringList {"--band", "5"} << false << "band 5 (136-174MHz)";
    QTest::newRow("radio names no band") << QStringList {"--band-code", "0x99"} << false << "outside the band list";
    QTest::newRow("--yes writes") << QStringList {"--band", "5"} << true << "";
}

void TestCliE2e::bandMismatch()
{
    QFETCH(QStringList, radioBand);
    QFETCH(bool, yes);
    QFETCH(QString, radioBandText);
    const QByteArray before = memoryPattern(1024, 9);
    QVERIFY(writeFileBytes(path("before.bin"), before));
    Radio radio;
    QVERIFY(radio.start(QStringList {"--unpaced", "--memory", path("before.bin"), "--save", path("after.bin")}
                        + radioBand));
    const QString file = dataFile("band0.DAT", richState(0));

    QStringList arguments {"write", "--port", radio.device(), file};
    if (yes)
        arguments << "--yes";
    const CliRun run = runCli(arguments);
    QVERIFY(radio.stop());
    const QByteArray after = readFileBytes(path("after.bin"));
    if (yes) {
        QCOMPARE(run.status, 0);
        QCOMPARE(addressRange(after, 0x0010, 0x017F), addressRange(writtenImage(file).bytes(), 0x0010, 0x017F));
        return;
    }
    QCOMPARE(run.status, 4);
    QVERIFY2(isOneLineAbout(run.err, radio.device()), run.err.constData());
    const QString err = QString::fromUtf8(run.err);
    QVERIFY(err.contains("Frequency band with discrepancies, do you wish to continue?"));
    QVERIFY2(err.contains(radioBandText), qPrintable(err));
    QVERIFY(err.contains("band 0 (400-500MHz)"));
    QVERIFY(err.contains("--yes"));
    QCOMPARE(after, before); // not one block written
}

void TestCliE2e::verifyListsTheDifferingAddresses()
{
    const QString file = dataFile("radio.DAT", richState(0));
    std::unique_ptr<Radio> radio = radioWrittenWith(file);
    QVERIFY(radio);

    const CliRun equal = runCli({"verify", "--port", radio->device(), file, "--calibration"});
    QCOMPARE(equal.status, 0);
    QCOMPARE(addressLines(equal.out), QStringList());
    QVERIFY(radio->stop());

    // Change written bytes, the calibration block and bytes a write never sends.
    QByteArray memory = readFileBytes(path("after.bin"));
    for (int address : {0x0015, 0x0016, 0x0017, 0x01BD, 0x0351, 0x0185, 0x01A0, 0x0380})
        memory[address - 0x10] = char(~memory.at(address - 0x10));
    QVERIFY(writeFileBytes(path("changed.bin"), memory));
    radio = std::make_unique<Radio>();
    QVERIFY(radio->start({"--unpaced", "--band", "0", "--memory", path("changed.bin")}));

    const CliRun different = runCli({"verify", "--port", radio->device(), file});
    QCOMPARE(different.status, 5);
    QCOMPARE(addressLines(different.out), (QStringList {"0x0015-0x0017", "0x01BD", "0x0351"}));
    QVERIFY(QString::fromUtf8(different.out).contains("at 5 bytes"));
    QCOMPARE(different.err, QByteArray());

    const CliRun withCalibration = runCli({"verify", "--port", radio->device(), file, "--calibration"});
    QCOMPARE(withCalibration.status, 5);
    QCOMPARE(addressLines(withCalibration.out), (QStringList {"0x0015-0x0017", "0x0185", "0x01BD", "0x0351"}));
}

// Two files: a line per named value that differs, in order, then bytes of no named value; the
// same as JSON; nothing for equal files; a file that cannot be read ends it.
void TestCliE2e::diffOfTwoFiles()
{
    const QString a = dataFile("a.DAT", richState(0));
    EditorState changed = richState(0);
    changed.channel(7)->tx = Frequency::ofText(u"432.00000").value();
    changed.channel(3) = Channel::on(Frequency::ofText(u"440.00000").value());
    changed.channel(16).reset();
    changed.squelch = 5;
    changed.autoDialCodes[1] = "80#";
    changed.testFrequencyTable[3].tx = {};
    QByteArray bytes = readFileBytes(dataFile("b.DAT", changed));
    bytes[5 + 264] = 0x00; // a fill byte after the DTMF group
    const QString b = path("b.DAT");
    QVERIFY(writeFileBytes(b, bytes));

    const CliRun text = runCli({"diff", a, b});
    QCOMPARE(text.status, 5);
    QCOMPARE(QString::fromUtf8(text.out).split('\n'),
             (QStringList {"channel 3: added", "channel 7 TX frequency: 431.00000 -> 432.00000", "channel 16: removed",
                           "Squelch Grade: 3 -> 5", "auto-dial code 2: \"8090\" -> \"80#\"",
                           "test frequency 4 TX Frequency: 437.00000 -> none", "byte 0x0108: FF -> 00", ""}));
    QCOMPARE(text.err, QByteArray());

    const CliRun json = runCli({"diff", "--json", a, b});
    QCOMPARE(json.status, 5);
    const QJsonArray list = QJsonDocument::fromJson(json.out).array();
    QCOMPARE(list.size(), 7);
    QCOMPARE(list[1].toObject(), (QJsonObject {{"what", "channel"}, {"channel", 7}, {"field", "TX frequency"},
                                               {"a", "431.00000"}, {"b", "432.00000"}}));
    QCOMPARE(list[2].toObject(), (QJsonObject {{"what", "channel"}, {"channel", 16}, {"field", "removed"},
                                               {"a", "499.99000"}, {"b", QJsonValue()}}));
    QCOMPARE(list[6].toObject(), (QJsonObject {{"what", "byte"}, {"field", "0x0108"}, {"a", 255}, {"b", 0}}));

    const CliRun same = runCli({"diff", a, a});
    QCOMPARE(same.status, 0);
    QCOMPARE(same.out, QByteArray());
    QCOMPARE(runCli({"diff", "--json", a, a}).out.trimmed(), QByteArray("[\n]"));

    const CliRun missing = runCli({"diff", a, path("missing.DAT")});
    QCOMPARE(missing.status, 3);
    QVERIFY2(isOneLineAbout(missing.err, "missing.DAT"), missing.err.constData());
}

// The radio (side A) against a file: only what a write of the file would change, the
// power-tuning block with --calibration; a silent radio ends it with status 1.
void TestCliE2e::diffOfTheRadio()
{
    const QString file = dataFile("radio.DAT", richState(0));
    std::unique_ptr<Radio> radio = radioWrittenWith(file);
    QVERIFY(radio);
    const CliRun none = runCli({"diff", "--port", radio->device(), file, "--calibration"});
    QCOMPARE(none.status, 0);
    QCOMPARE(none.out, QByteArray());
    QVERIFY(radio->stop());

    // Channel 1's RX frequency, a byte of the calibration block and one a write never sends.
    QByteArray memory = readFileBytes(path("after.bin"));
    memory[0x0013 - 0x10] = 0x45;
    for (int address : {0x0185, 0x0380})
        memory[address - 0x10] = char(~memory.at(address - 0x10));
    QVERIFY(writeFileBytes(path("changed.bin"), memory));
    radio = std::make_unique<Radio>();
    QVERIFY(radio->start({"--unpaced", "--band", "0", "--memory", path("changed.bin")}));
    const CliRun one = runCli({"diff", "--port", radio->device(), file});
    QCOMPARE(one.status, 5);
    QCOMPARE(QString::fromUtf8(one.out), QString("channel 1 RX frequency: 456.12500 -> 436.12500\n"));
    const CliRun calibration = runCli({"diff", "--port", radio->device(), file, "--calibration"});
    QCOMPARE(calibration.status, 5);
    QCOMPARE(QString::fromUtf8(calibration.out).count('\n'), 2);
    QVERIFY(QString::fromUtf8(calibration.out).contains(QStringLiteral("byte 0x0175: ")));
    QVERIFY(radio->stop());

    Radio silent;
    QVERIFY(silent.start({"--silent-after", "0"}));
    const CliRun failed = runCli({"diff", "--port", silent.device(), file});
    QCOMPARE(failed.status, 1);
    QCOMPARE(failed.out, QByteArray());
}

void TestCliE2e::filesThatCannotBeUsed_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QString>("file"); // in the test's folder
    QTest::newRow("dump, no data file") << "dump" << "text.DAT";
    QTest::newRow("dump, missing") << "dump" << "missing.DAT";
    QTest::newRow("write, no data file") << "write" << "text.DAT";
    QTest::newRow("verify, short file") << "verify" << "short.DAT";
    QTest::newRow("read into a missing folder") << "read" << "nowhere/out.DAT";
    QTest::newRow("read onto a folder") << "read" << "folder";
}

void TestCliE2e::filesThatCannotBeUsed()
{
    QFETCH(QString, verb);
    QFETCH(QString, file);
    QVERIFY(writeFileBytes(path("text.DAT"), "Channel list, typed by hand\n"));
    QVERIFY(writeFileBytes(path("short.DAT"), DataFile::contentsOf(encodeImage(EditorState())).left(800)));
    QVERIFY(QDir(m_dir->path()).mkdir("folder"));
    const QByteArray before = memoryPattern(1024, 1);
    QVERIFY(writeFileBytes(path("before.bin"), before));
    Radio radio;
    QVERIFY(radio.start({"--unpaced", "--memory", path("before.bin"), "--save", path("after.bin")}));

    QStringList arguments {verb};
    if (verb != "dump")
        arguments << "--port" << radio.device();
    arguments << (verb == "read" ? QStringList {"-o", path(file)} : QStringList {path(file)});
    const CliRun run = runCli(arguments);
    QCOMPARE(run.status, 3);
    QVERIFY2(isOneLineAbout(run.err, path(file)), run.err.constData());
    QVERIFY(radio.stop());
    QCOMPARE(readFileBytes(path("after.bin")), before); // the radio was never written
}

// Inputs that are no files, that are too large, or that mean two things: refused at once, with
// exit status 3 and one line naming them; a pipe is read as a file is.
void TestCliE2e::inputsFromOutside_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QString>("input"); // a file of the test's folder, or a device
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    QTest::newRow("import a folder") << "import" << "folder" << 3 << "not a file but a folder";
    QTest::newRow("import a socket") << "import" << "socket" << 3 << "not a file but a socket";
    QTest::newRow("import from a pipe") << "import" << "pipe" << 0 << "";
    QTest::newRow("import /dev/zero") << "import" << "/dev/zero" << 3 << "larger than 1 MiB; a channel list of 16 channels needs a few kB";
    QTest::newRow("import 1 MiB and a byte") << "import" << "large.csv" << 3 << "larger than 1 MiB";
    QTest::newRow("import 1 MiB") << "import" << "just.csv" << 0 << "";
    QTest::newRow("encode from a pipe") << "encode" << "pipe" << 0 << "";
    QTest::newRow("encode /dev/zero") << "encode" << "/dev/zero" << 3 << "larger than 1 MiB";
    QTest::newRow("encode a doubled band") << "encode" << "band.json" << 3 << "band.json: band: \"band\" is given twice";
    QTest::newRow("encode a doubled setting") << "encode" << "setting.json" << 3 << "settings.squelch: \"squelch\" is given twice";
    QTest::newRow("encode a doubled rx") << "encode" << "rx.json" << 3 << "channels[0].rx: \"rx\" is given twice";
    QTest::newRow("dump a folder") << "dump" << "folder" << 3 << "not a file but a folder";
    QTest::newRow("dump /dev/zero") << "dump" << "/dev/zero" << 3 << "not a data file";
}

void TestCliE2e::inputsFromOutside()
{
    QFETCH(QString, verb);
    QFETCH(QString, input);
    QFETCH(int, status);
    QFETCH(QString, says);
    QVERIFY(QDir(m_dir->path()).mkdir("folder"));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(path("socket")).constData(), sizeof(address.sun_path) - 1);
    QVERIFY(socket >= 0 && ::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0);
    QVERIFY(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600) == 0);
    const QByteArray csv = "Location,Frequency\n1,436.125\n";
    const QByteArray json = R"({"channels": [{"channel": 1, "rx": "436.125"}]})";
    QByteArray large = csv;
    large.append(InputFile::MaxSize + 1 - large.size(), '\n');
    QVERIFY(writeFileBytes(path("large.csv"), large));
    QVERIFY(writeFileBytes(path("just.csv"), large.chopped(1)));
    QVERIFY(writeFileBytes(path("band.json"), R"({"band": 1, "band": 2})"));
    QVERIFY(writeFileBytes(path("setting.json"), R"({"settings": {"squelch": 1, "squelch": 2}})"));
    QVERIFY(writeFileBytes(path("rx.json"), R"({"channels": [{"channel": 1, "rx": "436", "rx": "437"}]})"));
    // What the other end of the pipe writes, as a shell's <(...) does.
    QProcess writer;
    if (input == "pipe") {
        writer.start("sh", {"-c", QStringLiteral("printf '%1' > '%2'").arg(QString::fromUtf8(verb == "import" ? csv : json), path("pipe"))});
        QVERIFY(writer.waitForStarted());
    }

    const QString file = input.startsWith('/') ? input : path(input);
    QStringList arguments {verb, file};
    if (verb != "dump")
        arguments << "-o" << path("out.DAT");
    const CliRun run = runCli(arguments);
    QCOMPARE(run.status, status);
    QCOMPARE(QFileInfo::exists(path("out.DAT")), status == 0);
    if (status != 0)
        QVERIFY2(isOneLineAbout(run.err, file + ": ") && run.err.contains(says.toUtf8()), run.err.constData());
    writer.waitForFinished();
    ::close(socket);
}

// The first twenty skipped rows are named, the rest summed up.
void TestCliE2e::importNamesTwentySkippedRows()
{
    QByteArray csv = "Location,Frequency\n1,436.125\n";
    for (int i = 0; i < 25; ++i)
        csv += "2,520\n";
    QVERIFY(writeFileBytes(path("bad.csv"), csv));
    const CliRun run = runCli({"import", path("bad.csv"), "-o", path("out.DAT")});
    QCOMPARE(run.status, 0);
    const QStringList lines = QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 21);
    QVERIFY(lines[19].endsWith("line 22: the RX frequency 520 MHz lies outside the band 400-500MHz; row skipped"));
    QCOMPARE(lines[20], "qv540-cli: " + path("bad.csv") + ": and 5 more rows skipped");
}

void TestCliE2e::portThatCannotBeOpened()
{
    const QString file = dataFile("radio.DAT", richState(0));
    const CliRun run = runCli({"write", "--port", "/dev/qv540-missing", file});
    QCOMPARE(run.status, 1);
    QVERIFY2(isOneLineAbout(run.err, "/dev/qv540-missing"), run.err.constData());
}

// The disk fills up while the data file is saved: the old file stays, nothing is left behind.
void TestCliE2e::readOntoAFullDisk()
{
    Radio radio;
    QVERIFY(radio.start({"--unpaced"}));
    const QByteArray kept = DataFile::contentsOf(encodeImage(richState(3)));
    QVERIFY(writeFileBytes(path("kept.DAT"), kept));
    const CliRun run = runCli({"read", "--port", radio.device(), "-o", path("kept.DAT")}, [] { limitFileSize(500); });
    QCOMPARE(run.status, 3);
    QVERIFY2(isOneLineAbout(run.err, path("kept.DAT")), run.err.constData());
    QCOMPARE(readFileBytes(path("kept.DAT")), kept);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {"kept.DAT"});
}

void TestCliE2e::dumpJsonOfARichFile()
{
    const QString file = dataFile("rich.DAT", richState(2));
    const CliRun run = runCli({"dump", file, "--json"});
    QCOMPARE(run.status, 0);
    QJsonParseError error;
    const QJsonObject dump = QJsonDocument::fromJson(run.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(dump["band"].toInt(), 2);
    const QJsonArray channels = dump["channels"].toArray();
    QCOMPARE(channels.size(), 4);
    QCOMPARE(channels[0].toObject(),
             (QJsonObject {{"channel", 1}, {"rx", "436.12500"}, {"tx", "436.12500"}, {"rxTone", "67.0"},
                           {"txTone", "D023N"}, {"power", "low"}, {"busyLock", "carrier"}, {"bandwidth", "narrow"},
                           {"scan", true}}));
    QCOMPARE(channels[1]["tx"], QJsonValue(QJsonValue::Null));
    QCOMPARE(channels[1]["rxTone"], QJsonValue(QJsonValue::Null));
    QCOMPARE(channels[2]["channel"].toInt(), 7);
    QCOMPARE(channels[2]["rxTone"].toString(), QString("D754I"));
    QCOMPARE(channels[3]["channel"].toInt(), 16);
    QCOMPARE(dump["settings"]["timeout"].toInt(), 11);
    QCOMPARE(dump["settings"]["squelch"].toInt(), 3);
    QCOMPARE(dump["settings"]["beep"].toInt(), 0);
    QCOMPARE(dump["keys"]["pf1"].toInt(), 4);
    QCOMPARE(dump["powerTuning"].toArray(), (QJsonArray {0xC1, 0x41}));
    QCOMPARE(dump["embeddedTexts"].toArray(), (QJsonArray {"QV540 CLI", "E2E"}));
    QCOMPARE(dump["codeTexts"][1].toString(), QString("8090"));
    QCOMPARE(dump["testFrequencies"][3].toArray(), (QJsonArray {"436.50000", "437.00000"}));

    const CliRun text = runCli({"dump", file});
    QCOMPARE(text.status, 0);
    QVERIFY(text.out.contains("436.12500"));
}

void TestCliE2e::helpVersionAndUsage()
{
    const CliRun help = runCli({"--help"});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.contains("qv540-cli verify --port DEVICE FILE.DAT"));
    const CliRun version = runCli({"--version"});
    QCOMPARE(version.status, 0);
    QVERIFY(version.out.startsWith("qv540-cli "));
    const CliRun usage = runCli({"write", "radio.DAT"});
    QCOMPARE(usage.status, 2);
    QVERIFY2(isOneLineAbout(usage.err, "--port"), usage.err.constData());
    // A verb's own help, asked for either way.
    for (const QStringList &arguments : {QStringList {"dump", "--help"}, QStringList {"help", "dump"}}) {
        const CliRun verb = runCli(arguments);
        QCOMPARE(verb.status, 0);
        QVERIFY(verb.out.startsWith("Usage:\n  qv540-cli dump   FILE.DAT [--json]\n"));
        QVERIFY(!verb.out.contains("verify"));
    }
}

// -o - writes to standard output what would go to the file: a CSV list or a data file, the
// read's only once it is complete, its backup kept all the same.
void TestCliE2e::standardOutput()
{
    const QString file = dataFile("rich.DAT", richState(0));
    QCOMPARE(runCli({"export", file, "-o", path("list.csv")}).status, 0);
    const CliRun csv = runCli({"export", file, "-o", "-"});
    QCOMPARE(csv.status, 0);
    QCOMPARE(csv.out, readFileBytes(path("list.csv")));
    const CliRun imported = runCli({"import", path("list.csv"), "--base", file, "-o", "-"});
    QCOMPARE(imported.status, 0);
    QCOMPARE(imported.out, readFileBytes(file));
    QVERIFY(writeFileBytes(path("rich.json"), runCli({"dump", "--json", file}).out));
    const CliRun encoded = runCli({"encode", path("rich.json"), "-o", "-"});
    QCOMPARE(encoded.status, 0);
    QCOMPARE(encoded.out, readFileBytes(file));

    const QString data = path("data");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    Radio radio;
    QVERIFY(radio.start({"--unpaced", "--memory", file}));
    const CliRun read = runCli({"read", "--port", radio.device(), "-o", "-"});
    qunsetenv("XDG_DATA_HOME");
    QCOMPARE(read.status, 0);
    QCOMPARE(read.out, readFileBytes(file));
    const QStringList backups = Backups::list(data + "/qv540/backups");
    QCOMPARE(backups.size(), 1);
    QCOMPARE(readFileBytes(backups.first()), read.out);
}

// ports lists the 20 slots with their devices and whether each opens; an error about a slot
// names the device behind it.
void TestCliE2e::portsAndSlotNames()
{
    Radio radio;
    QVERIFY(radio.start({"--unpaced"}));
    qputenv("QV540_PORTS", (radio.device() + ":/dev/qv540-missing").toLocal8Bit());
    const CliRun ports = runCli({"ports"});
    QCOMPARE(ports.status, 0);
    const QStringList lines = QString::fromUtf8(ports.out).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 20);
    QString missingSlot;
    for (const QString &line : lines) {
        QVERIFY2(line.startsWith("COM"), qPrintable(line));
        if (line.contains(radio.device()))
            QVERIFY2(line.endsWith("can be opened"), qPrintable(line));
        if (line.contains("/dev/qv540-missing")) {
            QVERIFY2(line.contains("cannot be opened: "), qPrintable(line));
            missingSlot = line.section(' ', 0, 0);
        }
    }
    QVERIFY(!missingSlot.isEmpty());
    const CliRun failed = runCli({"detect", "--port", missingSlot});
    qunsetenv("QV540_PORTS");
    QCOMPARE(failed.status, 1);
    QVERIFY2(isOneLineAbout(failed.err, missingSlot + " (/dev/qv540-missing): cannot open the port"), failed.err.constData());
}

// Export, then import onto the same file: the file comes back byte for byte.
void TestCliE2e::csvRoundTrip()
{
    const QString file = dataFile("rich.DAT", richChannels(2));
    const CliRun exported = runCli({"export", file, "-o", path("list.csv")});
    QCOMPARE(exported.status, 0);
    QCOMPARE(exported.err, QByteArray());
    QCOMPARE(readFileBytes(path("list.csv")).count("\r\n"), 17);

    const CliRun imported = runCli({"import", path("list.csv"), "--base", file, "-o", path("back.DAT")});
    QCOMPARE(imported.status, 0);
    QCOMPARE(imported.err, QByteArray());
    QCOMPARE(readFileBytes(path("back.DAT")), readFileBytes(file));
}

void TestCliE2e::importNamesEachSkippedRow()
{
    QVERIFY(writeFileBytes(path("list.csv"), "Location,Frequency,Mode\n1,446.00625,NFM\n2,520,FM\n3,446,AM\n"));
    const CliRun run = runCli({"import", path("list.csv"), "-o", path("out.DAT")});
    QCOMPARE(run.status, 0);
    QCOMPARE(QString::fromUtf8(run.err),
             QString("qv540-cli: %1: line 3: the RX frequency 520 MHz lies outside the band 400-500MHz; row skipped\n"
                     "qv540-cli: %1: line 4: Mode \"AM\" is a mode the radio cannot do; row skipped\n")
                 .arg(path("list.csv")));
    EditorState expected; // the start values, with channel 1 typed in
    ChannelRules::endFrequencyEdit(expected, 1, EditorState::RxFrequency, u"446.00625", {400, 500});
    ChannelRules::pickOption(expected, 1, EditorState::Bandwidth, 0);
    QCOMPARE(readFileBytes(path("out.DAT")), DataFile::contentsOf(encodeImage(expected)));
}

void TestCliE2e::importFailuresSaveNothing_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("base"); // in the test's folder; empty for none
    QTest::addColumn<QString>("subject"); // what the last line of standard error names
    QTest::newRow("no Frequency column") << QByteArray("Location,Name\n1,Hill\n") << "" << "no Frequency column";
    QTest::newRow("no usable row") << QByteArray("Frequency\n520\n") << "" << "no row could be imported";
    QTest::newRow("a quote never closed") << QByteArray("Frequency,Name\n446,\"Hill\n") << "" << "line 2";
    QTest::newRow("missing base") << QByteArray("Frequency\n446\n") << "missing.DAT" << "missing.DAT";
    QTest::newRow("base no data file") << QByteArray("Frequency\n446\n") << "list.csv" << "not a data file";
}

void TestCliE2e::importFailuresSaveNothing()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, base);
    QFETCH(QString, subject);
    QVERIFY(writeFileBytes(path("list.csv"), csv));
    QStringList arguments {"import", path("list.csv"), "-o", path("out.DAT")};
    if (!base.isEmpty())
        arguments << "--base" << path(base);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.status, 3);
    const QStringList lines = QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts);
    QVERIFY2(!lines.isEmpty() && lines.last().contains(subject), run.err.constData());
    QVERIFY(!QFileInfo::exists(path("out.DAT")));
    QCOMPARE(runCli({"import", path("missing.csv"), "-o", path("out.DAT")}).status, 3);
    QVERIFY(!QFileInfo::exists(path("out.DAT")));
}

// encode of what dump --json prints is the file Open then Save gives in a freshly started program.
void TestCliE2e::encodeOfADump_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("warned"); // about channels outside the band or off the raster
    QTest::newRow("rich, band 4") << DataFile::contentsOf(encodeImage(richChannels(4))) << false;
    // Every byte value in every place: channels of odd digits, values out of range.
    QTest::newRow("every byte") << "QVF54" + memoryPattern(RadioImage::ReadSize, 11) << true;
}

void TestCliE2e::encodeOfADump()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, warned);
    QVERIFY(writeFileBytes(path("file.DAT"), contents));
    const CliRun dump = runCli({"dump", path("file.DAT"), "--json"});
    QCOMPARE(dump.status, 0);
    QVERIFY(writeFileBytes(path("file.json"), dump.out));
    const CliRun run = runCli({"encode", path("file.json"), "-o", path("encoded.DAT")});
    QCOMPARE(run.status, 0);
    const QStringList warnings = QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(!warnings.isEmpty(), warned);
    static const QRegularExpression warning("^qv540-cli: .*file.json: channels\\[\\d+\\]\\.(rx|tx): \\S+ .*; kept as it is$");
    for (const QString &line : warnings)
        QVERIFY2(warning.match(line).hasMatch(), qPrintable(line));
    EditorState state;
    decodeImage(*DataFile::imageOfContents(contents), state);
    QCOMPARE(readFileBytes(path("encoded.DAT")), DataFile::contentsOf(encodeImage(state)));
}

void TestCliE2e::encodeRefusesABadValue()
{
    QVERIFY(writeFileBytes(path("bad.json"), R"({"format": "qv540/1", "settings": {"squelch": 12}})"));
    const CliRun run = runCli({"encode", path("bad.json"), "-o", path("bad.DAT")});
    QCOMPARE(run.status, 3);
    QVERIFY2(isOneLineAbout(run.err, path("bad.json") + ": settings.squelch: 12 is outside 0 to 9"), run.err.constData());
    QVERIFY(!QFileInfo::exists(path("bad.DAT")));
}

void TestCliE2e::detectNamesTheBand_data()
{
    QTest::addColumn<QStringList>("radioBand");
    QTest::addColumn<QString>("band");
    for (int band = 0; band < BandCount; ++band)
        QTest::addRow("band %d", band) << QStringList {"--band", QString::number(band)} << Bands::items().at(band);
    QTest::newRow("a code of no band") << QStringList {"--band-code", "0x99"} << "unknown band code 0x99";
}

// The model and the band, from the handshake alone: the radio's memory is not written.
void TestCliE2e::detectNamesTheBand()
{
    QFETCH(QStringList, radioBand);
    QFETCH(QString, band);
    const QByteArray before = memoryPattern(1024, 2);
    QVERIFY(writeFileBytes(path("before.bin"), before));
    Radio radio;
    QVERIFY(radio.start(QStringList {"--unpaced", "--memory", path("before.bin"), "--save", path("after.bin")}
                        + radioBand));
    const CliRun run = runCli({"detect", "--port", radio.device()});
    QCOMPARE(run.status, 0);
    QCOMPARE(QString::fromUtf8(run.out), "Model: QV-540 (QVX54)\nBand: " + band + "\n");
    QCOMPARE(run.err, QByteArray());
    QVERIFY(radio.stop());
    QCOMPARE(readFileBytes(path("after.bin")), before);
}

void TestCliE2e::detectASilentRadio()
{
    Radio radio;
    QVERIFY(radio.start({"--silent-after", "0"}));
    const CliRun run = runCli({"detect", "--port", radio.device()});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.elapsed < 6000, qPrintable(QString::number(run.elapsed))); // the sixth tick of 500 ms
    QVERIFY2(isOneLineAbout(run.err, radio.device()), run.err.constData());
    QCOMPARE(run.out, QByteArray());
}

// Every read keeps its data file in the backups folder, the newest 50; --no-backup keeps none,
// and a backup that cannot be written fails nothing.
void TestCliE2e::readKeepsABackup_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("earlier");  // backups there before the read
    QTest::addColumn<bool>("writable"); // whether the backups folder can be made
    QTest::addColumn<int>("after");
    QTest::addColumn<bool>("laterNames"); // the earlier backups are named as from a clock that ran ahead
    QTest::newRow("first read") << QStringList {} << 0 << true << 1 << false;
    QTest::newRow("the 51st removes the oldest") << QStringList {} << 50 << true << 50 << false;
    QTest::newRow("older backups named later") << QStringList {} << 50 << true << 50 << true;
    QTest::newRow("--no-backup") << QStringList {"--no-backup"} << 0 << true << 0 << false;
    QTest::newRow("no folder for it") << QStringList {} << 0 << false << 0 << false;
}
void TestCliE2e::readKeepsABackup()
{
    QFETCH(QStringList, options);
    QFETCH(int, earlier);
    QFETCH(bool, writable);
    QFETCH(int, after);
    const QString data = path("data");
    if (writable)
        QVERIFY(QDir().mkpath(data));
    else
        QVERIFY(writeFileBytes(data, "a file where the data folder should be"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    const QString folder = data + "/qv540/backups";
    QFETCH(bool, laterNames);
    const RadioImage blank = encodeImage(EditorState());
    for (int i = 0; i < earlier; ++i) {
        const QDateTime named = laterNames ? QDateTime(QDate(2099, 1, 1), QTime(0, i)) : QDateTime(QDate(2020, 1, 1), QTime(0, i));
        const QString kept = Backups::keep(blank, 0, named, folder).path;
        QFile file(kept);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(0, i)), QFileDevice::FileModificationTime));
    }
    if (writable)
        QVERIFY(writeFileBytes(folder + "/my notes.DAT", "not a backup"));

    Radio radio;
    QVERIFY(radio.start({"--unpaced"}));
    const CliRun run = runCli(QStringList {"read", "--port", radio.device(), "-o", path("read.DAT")} + options);
    qunsetenv("XDG_DATA_HOME");
    QCOMPARE(run.status, 0);
    const QStringList backups = Backups::list(folder);
    QCOMPARE(backups.size(), after);
    if (after > 0) {
        QCOMPARE(readFileBytes(backups.last()), readFileBytes(path("read.DAT"))); // the newest: this read's
        QVERIFY(QFileInfo(backups.last()).fileName().startsWith(QDate::currentDate().toString("yyyyMMdd")));
        QVERIFY(!backups.first().endsWith("01-000000-400-500MHz.DAT")); // the oldest went
    }
    if (writable)
        QCOMPARE(readFileBytes(folder + "/my notes.DAT"), QByteArray("not a backup"));
    QCOMPARE(run.err.contains("no backup of this read was kept"), !writable);
}

QTEST_GUILESS_MAIN(TestCliE2e)
#include "tst_cli_e2e.moc"
