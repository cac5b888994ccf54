// qv540-cli and the window read the same radio: the data file the tool saves and the one the
// window saves after its read are the same, byte for byte.

#include "app/datafiledialog.h"
#include "app/mainwindow.h"
#include "widgets/messagebox.h"
#include "common/files.h"
#include "common/radioemulator.h"
#include "common/richstates.h"
#include "common/windowparts.h"
#include "image/codec.h"
#include "image/layout.h"
#include "link/portslots.h"
#include "storage/datafile.h"
#include "link/sessiondriver.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

// A radio's memory: channels and settings in band 2, with bytes out of every range in between.
QByteArray radioMemory()
{
    EditorState s;
    s.channel(1) = Channel::on(mhz(u"405.12500"));
    s.channel(1)->rxTone = tone(u"D023N");
    s.channel(3) = Channel::on(mhz(u"420.00000"));
    s.channel(3)->tx = mhz(u"421.00000");
    s.currentBand = 2;
    s.timeout = 5;
    s.embeddedTexts[1] = "WINDOW";
    QByteArray memory = encodeImage(s).bytes() + memoryPattern(176, 4);
    memory[Layout::Timeout] = char(0xEE);      // out of range: the start value stays
    memory[Layout::KeyFunction2] = char(0x30); // likewise
    memory[16 * 5] = char(0x12);               // a channel of odd digits
    return memory;
}

} // namespace

class TestCliWindowE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        PortSlots::setSystemDeviceLister([] { return QList<PortSlots::Device>(); });
        setMessageBoxResponder([](const MessageBoxRequest &) { return MessageAnswer::Ok; });
    }

    void sameFileAsTheWindow_data()
    {
        QTest::addColumn<QStringList>("radioBand");
        QTest::newRow("radio reports the memory's band") << QStringList {};
        QTest::newRow("radio reports another band") << QStringList {"--band", "6"};
        QTest::newRow("radio names no band") << QStringList {"--band-code", "0x99"};
    }

    void sameFileAsTheWindow()
    {
        QFETCH(QStringList, radioBand);
        QTemporaryDir dir;
        QVERIFY(writeFileBytes(dir.filePath("memory.bin"), radioMemory()));
        Radio radio;
        QVERIFY(radio.start(QStringList {"--unpaced", "--memory", dir.filePath("memory.bin")} + radioBand));

        QProcess cli;
        cli.start(QStringLiteral(QV540_CLI), {"read", "--port", radio.device(), "-o", dir.filePath("cli.DAT")});
        QVERIFY(cli.waitForFinished(15000));
        QCOMPARE(cli.exitCode(), 0);

        qputenv(PortSlots::EnvironmentVariable, radio.device().toLocal8Bit());
        writeFileBytes(dir.filePath("parameter"), QByteArray("\x00\x00\x01", 3));
        MainWindow window(SettingsFile::locate(dir.path(), dir.filePath("user")));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        clickToolbarButton(&window, "mnureadFre");
        QTRY_COMPARE_WITH_TIMEOUT(findPart<QLabel>(&window, "Label")->text(), QString("Read frequency success!"), 10000);
        DataFileDialog::setChooser([&](DataFileDialog::Kind) { return dir.filePath("window.DAT"); });
        QTRY_VERIFY_WITH_TIMEOUT(findPart<QToolBar>(&window, "Toolbar1")->isEnabled(), 10000);
        clickToolbarButton(&window, "mnuAssave");
        DataFileDialog::setChooser(nullptr);
        window.session().closePort();
        qunsetenv(PortSlots::EnvironmentVariable);

        const QByteArray saved = readFileBytes(dir.filePath("window.DAT"));
        QCOMPARE(saved.size(), 853);
        QCOMPARE(readFileBytes(dir.filePath("cli.DAT")), saved);
    }

    // The window's Import CSV then Save gives the file the tool's import gives, onto the file
    // the window had open, whatever the window's language.
    void importThenSaveIsTheCliImport()
    {
        QTemporaryDir dir;
        QVERIFY(DataFile::write(dir.filePath("base.DAT"), encodeImage(richChannels(3))));
        QVERIFY(writeFileBytes(dir.filePath("list.csv"),
                               "\xEF\xBB\xBFLocation,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                               "CrossMode,Mode,Skip,Power,BusyLock\r\n"
                               "# repeaters\r\n"
                               "2,371.12345,+,1,TSQL,,103.5,,,,NFM,S,1W,carrier\r\n"
                               "5,380.00625,split,381,Cross,100.0,,754,NR,Tone->DTCS,FM,,5W,\r\n"
                               "5,382,,,,,,,,,,,,\r\n"
                               "7,420,,,,,,,,,,,,\r\n"
                               ",389.99,-,0.6,DTCS,,,023,RN,,,,,off\r\n"));
        QProcess cli;
        cli.start(QStringLiteral(QV540_CLI),
                  {"import", dir.filePath("list.csv"), "--base", dir.filePath("base.DAT"), "-o", dir.filePath("cli.DAT")});
        QVERIFY(cli.waitForFinished(15000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(cli.readAllStandardError().count('\n'), 2); // the row for a taken channel, the row out of band

        writeFileBytes(dir.filePath("parameter"), QByteArray("\x00\x00\x00", 3));
        MainWindow window(SettingsFile::locate(dir.path(), dir.filePath("user")));
        QVERIFY(window.openDataFile(dir.filePath("base.DAT")));
        DataFileDialog::setChooser([&](DataFileDialog::Kind kind) {
            return dir.filePath(kind == DataFileDialog::Kind::ImportCsv ? "list.csv" : "window.DAT");
        });
        findPart<QAction>(&window, "mnuImportCsv")->trigger();
        findPart<QAction>(&window, "mnuAssave")->trigger();
        DataFileDialog::setChooser(nullptr);
        QCOMPARE(readFileBytes(dir.filePath("window.DAT")), readFileBytes(dir.filePath("cli.DAT")));
    }
};

QTEST_MAIN(TestCliWindowE2e)
#include "tst_cli_window_e2e.moc"
