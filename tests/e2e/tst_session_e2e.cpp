// Sessions of the session driver (serial port, timers, protocol engine) against the radio
// emulator, through a real pseudo-terminal.

#include "common/files.h"
#include "common/radioemulator.h"
#include "image/codec.h"
#include "link/sessiondriver.h"

#include <QtTest>
#include <memory>

class TestSessionE2e : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readReturnsTheRadiosMemory_data();
    void readReturnsTheRadiosMemory();
    void writeLeavesTheImageInTheRadio();
    void faultsEndInTheCommunicationError_data();
    void faultsEndInTheCommunicationError();
    void vanishedRadioEndsTheSessionAtOnce();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSessionE2e::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestSessionE2e::readReturnsTheRadiosMemory_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("unpaced") << QStringList {"--unpaced"};
    QTest::newRow("paced, in pieces") << QStringList {"--split", "7"};
}

void TestSessionE2e::readReturnsTheRadiosMemory()
{
    QFETCH(QStringList, options);
    QByteArray memory = memoryPattern(1024, 1);
    memory[429] = char(0x43); // band 2
    const QString memoryFile = m_dir->filePath("memory.bin");
    QVERIFY(writeFileBytes(memoryFile, memory));
    Radio radio;
    QVERIFY(radio.start(QStringList {"--memory", memoryFile} + options));

    SessionDriver driver;
    QString error;
    QVERIFY2(driver.openPort(radio.device(), &error), qPrintable(error));
    QSignalSpy finished(&driver.engine(), &ProtocolEngine::readFinished);
    QSignalSpy errors(&driver.engine(), &ProtocolEngine::communicationError);
    QCOMPARE(driver.startRead(), SessionDriver::StartResult::Started);
    QCOMPARE(driver.startRead(), SessionDriver::StartResult::Busy);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.first().at(0).value<RadioImage>().bytes(), memory);
    QCOMPARE(finished.first().at(1).toInt(), 2);
    QCOMPARE(errors.size(), 0);
}

void TestSessionE2e::writeLeavesTheImageInTheRadio()
{
    EditorState state;
    state.embeddedTexts[0] = "QV540 E2E";
    state.powerTuning1 = 0x5A;
    const RadioImage image = encodeImage(state);
    const QByteArray before = memoryPattern(1024, 7);
    const QString memoryFile = m_dir->filePath("before.bin");
    const QString savedFile = m_dir->filePath("after.bin");
    QVERIFY(writeFileBytes(memoryFile, before));
    Radio radio;
    QVERIFY(radio.start({"--unpaced", "--band", "0", "--memory", memoryFile, "--save", savedFile}));

    SessionDriver driver;
    QVERIFY(driver.openPort(radio.device()));
    driver.engine().setImageProvider([&image] { return image; });
    driver.engine().setSelectedBandProvider([] { return 0; });
    QSignalSpy finished(&driver.engine(), &ProtocolEngine::writeFinished);
    QSignalSpy questions(&driver.engine(), &ProtocolEngine::bandQuestionAsked);
    QCOMPARE(driver.startWrite(false), SessionDriver::StartResult::Started);
    QVERIFY(finished.wait(10000));
    QCOMPARE(questions.size(), 0);
    driver.closePort();
    QVERIFY(radio.stop());

    const QByteArray after = readFileBytes(savedFile);
    // The calibration block and the gaps keep what the radio held.
    QCOMPARE(after.toHex(' '), memoryAfterWrite(before, image.bytes(), false).toHex(' '));
}

void TestSessionE2e::faultsEndInTheCommunicationError_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("timeOut");
    QTest::addColumn<int>("frames"); // sent before the end frame
    QTest::newRow("silent radio") << QStringList {"--silent-after", "0"} << true << 1;
    QTest::newRow("acknowledge for data") << QStringList {"--ack-for-data"} << false << 4;
}

void TestSessionE2e::faultsEndInTheCommunicationError()
{
    QFETCH(QStringList, options);
    QFETCH(bool, timeOut);
    QFETCH(int, frames);
    Radio radio;
    QVERIFY(radio.start(QStringList {"--unpaced"} + options));
    SessionDriver driver;
    QVERIFY(driver.openPort(radio.device()));
    QList<QByteArray> sent;
    connect(&driver.engine(), &ProtocolEngine::frameToSend, this,
            [&sent](const QByteArray &frame) { sent << frame; });
    QSignalSpy errors(&driver.engine(), &ProtocolEngine::communicationError);
    QSignalSpy finished(&driver.engine(), &ProtocolEngine::readFinished);
    QElapsedTimer clock;
    clock.start();
    driver.startRead();
    QVERIFY(errors.wait(6000));
    // The sixth silent tick of 500 ms, or at once.
    QCOMPARE(clock.elapsed() >= 2500, timeOut);
    QCOMPARE(sent.size(), frames + 1);
    QCOMPARE(sent.first(), ProtocolEngine::wakeUpFrame());
    QCOMPARE(sent.last(), "E");
    QCOMPARE(finished.size(), 0);
    QVERIFY(!driver.engine().commandsLocked());
    QVERIFY(driver.isPortOpen());
}

void TestSessionE2e::vanishedRadioEndsTheSessionAtOnce()
{
    Radio radio;
    QVERIFY(radio.start({})); // paced, so that the read is still running when the radio goes
    SessionDriver driver;
    QVERIFY(driver.openPort(radio.device()));
    QSignalSpy errors(&driver.engine(), &ProtocolEngine::communicationError);
    QSignalSpy progress(&driver.engine(), &ProtocolEngine::progressChanged);
    QSignalSpy failures(&driver.link(), &SerialLink::failed);
    driver.startRead();
    QVERIFY(progress.wait(5000));
    radio.kill();
    QVERIFY(errors.wait(2000)); // well before the time-out
    QCOMPARE(failures.size(), 1);
    QVERIFY(!driver.isPortOpen());
    QCOMPARE(driver.startRead(), SessionDriver::StartResult::PortNotOpen);
}

QTEST_GUILESS_MAIN(TestSessionE2e)
#include "tst_session_e2e.moc"
