#include "link/protocolengine.h"

#include <QtTest>
#include <optional>

namespace {

constexpr char Ack = 0x06;
const QByteArray AckFrame(1, Ack);
const QByteArray GoOnFrame(1, 0x02);
const QByteArray EndFrame(1, 'E');

QByteArray identity(quint8 code)
{
    return QByteArray("QVX54") + char(code) + QByteArray(2, '\0');
}

QByteArray dataFrame(int address, const QByteArray &data)
{
    return QByteArray(1, 'W') + char(address >> 8) + char(address & 0xFF) + char(0x40) + data;
}

QByteArray pattern(int size, int seed)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char((i * 7 + seed) & 0xFF));
    return bytes;
}

int addressOf(const QByteArray &frame)
{
    return (quint8(frame.at(1)) << 8) | quint8(frame.at(2));
}

// The engine with a host that records everything it is asked to do, and a radio that answers
// each frame as the radio does.
struct Harness
{
    ProtocolEngine engine;
    QList<QByteArray> sent;
    qsizetype answered = 0; // frames of sent the radio has answered
    QByteArray memory = pattern(1024, 3);
    QList<QByteArray> written; // write blocks as the radio received them
    quint8 bandCode = 0x33;
    int selectedBand = 0;
    RadioImage writeImage = RadioImage(pattern(848, 11));
    int imageRequests = 0;
    int questions = 0;
    std::optional<bool> answer; // given at once when set; otherwise the question stays open
    int errors = 0;
    int maxProgress = 0;
    std::optional<RadioImage> readImage;
    int readBand = -2;
    bool writeDone = false;

    Harness()
    {
        engine.setImageProvider([this] {
            ++imageRequests;
            return writeImage;
        });
        engine.setSelectedBandProvider([this] { return selectedBand; });
        QObject::connect(&engine, &ProtocolEngine::frameToSend,
                         [this](const QByteArray &frame) { sent.append(frame); });
        QObject::connect(&engine, &ProtocolEngine::progressChanged,
                         [this](int value) { maxProgress = std::max(maxProgress, value); });
        QObject::connect(&engine, &ProtocolEngine::communicationError, [this] { ++errors; });
        QObject::connect(&engine, &ProtocolEngine::writeFinished, [this] { writeDone = true; });
        QObject::connect(&engine, &ProtocolEngine::readFinished,
                         [this](const RadioImage &image, int band) {
                             readImage = image;
                             readBand = band;
                         });
        QObject::connect(&engine, &ProtocolEngine::bandQuestionAsked, [this] {
            ++questions;
            if (answer)
                engine.answerBandQuestion(*answer);
        });
    }

    QByteArray replyTo(const QByteArray &frame)
    {
        if (frame == ProtocolEngine::wakeUpFrame() || frame == AckFrame)
            return AckFrame;
        if (frame == GoOnFrame)
            return identity(bandCode);
        if (frame.size() == 4 && frame.at(0) == 'R')
            return dataFrame(addressOf(frame), memory.mid(addressOf(frame) - 0x10, 64));
        if (frame.size() == 20 && frame.at(0) == 'W') {
            written.append(frame);
            return AckFrame;
        }
        return {};
    }

    // Lets the radio answer until the engine sends nothing more.
    void run()
    {
        while (answered < sent.size()) {
            const QByteArray reply = replyTo(sent.at(answered++));
            if (!reply.isEmpty())
                engine.receive(reply);
        }
    }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            engine.sessionTick();
    }

    // Starts a session and brings it past the identity, without the radio's help.
    void toDataPhase(ProtocolEngine::Operation operation)
    {
        operation == ProtocolEngine::Operation::Read ? engine.startRead() : engine.startWrite(false);
        engine.receive(AckFrame);
        engine.receive(identity(bandCode));
        answered = sent.size();
    }
};

} // namespace

class TestProtocolEngine : public QObject
{
    Q_OBJECT

private slots:
    void readFetchesTheWholeMemory_data();
    void readFetchesTheWholeMemory();
    void writeSendsTheDocumentedBlocks_data();
    void writeSendsTheDocumentedBlocks();
    void detectEndsAfterTheIdentity();
    void bandQuestion_data();
    void bandQuestion();
    void bandQuestionComesAgainWhenTheSelectionChanges();
    void replyRecognition_data();
    void replyRecognition();
    void silenceEndsTheSession();
    void sessionTimerStandsStillWhileTheQuestionIsOpen();
    void acknowledgeWhereDataIsDueEndsTheRead();
    void repliesAfterTheTimeOutAreIgnored();
    void holdKeepsCommandsLockedForTenBlinks();
    void portFailureEndsTheSessionAtOnce();
    void abort();
};

void TestProtocolEngine::readFetchesTheWholeMemory_data()
{
    QTest::addColumn<quint8>("code");
    QTest::addColumn<int>("band");
    QTest::newRow("0x33 band 0") << quint8(0x33) << 0;
    QTest::newRow("0x21 band 1") << quint8(0x21) << 1;
    QTest::newRow("0x01 band 5") << quint8(0x01) << 5;
    QTest::newRow("0x73 band 6") << quint8(0x73) << 6;
    QTest::newRow("unknown code") << quint8(0x99) << -1;
}

void TestProtocolEngine::readFetchesTheWholeMemory()
{
    QFETCH(quint8, code);
    QFETCH(int, band);
    Harness h;
    h.bandCode = code;
    QVERIFY(h.engine.startRead());
    QVERIFY(h.engine.commandsLocked());
    h.run();

    QList<QByteArray> expected {ProtocolEngine::wakeUpFrame(), GoOnFrame, AckFrame};
    for (int address = 0x0010; address < 0x0410; address += 0x40)
        expected << ProtocolEngine::readRequest(address) << AckFrame;
    expected << EndFrame;
    QCOMPARE(h.sent, expected);
    QVERIFY(h.readImage);
    QCOMPARE(h.readImage->bytes(), h.memory);
    QCOMPARE(h.readBand, band);
    QCOMPARE(h.engine.status(), SessionMessage::ReadSuccess);
    QCOMPARE(h.maxProgress, 425);
    QCOMPARE(h.imageRequests, 0);
    QVERIFY(!h.engine.sessionTimerActive());
    QVERIFY(h.engine.blinkTimerActive()); // the result blinks during the hold
}

void TestProtocolEngine::writeSendsTheDocumentedBlocks_data()
{
    QTest::addColumn<bool>("debugUnlocked");
    QTest::newRow("normal") << false;
    QTest::newRow("debug unlocked") << true;
}

void TestProtocolEngine::writeSendsTheDocumentedBlocks()
{
    QFETCH(bool, debugUnlocked);
    Harness h;
    QVERIFY(h.engine.startWrite(debugUnlocked));
    QCOMPARE(h.imageRequests, 0);
    h.run();

    QList<int> expected;
    for (int address = 0x0010; address <= 0x0170; address += 0x10)
        expected << address;
    if (debugUnlocked)
        expected << 0x0180;
    expected << 0x01B8;
    for (int address = 0x0200; address <= 0x0350; address += 0x10)
        expected << address;
    QList<int> addresses;
    for (const QByteArray &block : h.written) {
        addresses << addressOf(block);
        QCOMPARE(block.at(3), char(0x10));
        QCOMPARE(block.mid(4), h.writeImage.bytes().mid(addressOf(block) - 0x10, 16));
    }
    QCOMPARE(addresses, expected);
    QCOMPARE(ProtocolEngine::writeBlockAddresses(debugUnlocked), addresses);
    QCOMPARE(addresses.size(), debugUnlocked ? 47 : 46);
    QCOMPARE(h.sent.first(), ProtocolEngine::wakeUpFrame());
    QCOMPARE(h.sent.last(), EndFrame);
    QCOMPARE(h.imageRequests, 1);
    QVERIFY(h.writeDone);
    QCOMPARE(h.engine.status(), SessionMessage::WriteSuccess);
    QCOMPARE(h.maxProgress, 460);
    QCOMPARE(h.questions, 0);
}

// The handshake alone: the end frame follows the identity at once, nothing else is sent, and
// the commands are given back without the hold.
void TestProtocolEngine::detectEndsAfterTheIdentity()
{
    Harness h;
    h.bandCode = 0x99;
    std::optional<quint8> detected;
    QObject::connect(&h.engine, &ProtocolEngine::detectFinished, [&](quint8 code) { detected = code; });
    QVERIFY(h.engine.startDetect());
    h.run();
    QCOMPARE(h.sent, (QList<QByteArray> {ProtocolEngine::wakeUpFrame(), GoOnFrame, EndFrame}));
    QCOMPARE(detected, std::optional<quint8>(0x99));
    QCOMPARE(h.engine.identifiedBand(), -1);
    QCOMPARE(h.imageRequests, 0);
    QVERIFY(h.engine.isIdle());
    QVERIFY(!h.engine.commandsLocked());
    QVERIFY(!h.engine.sessionTimerActive() && !h.engine.blinkTimerActive());
    QVERIFY(h.engine.startRead()); // free for the next session at once
}

void TestProtocolEngine::bandQuestion_data()
{
    QTest::addColumn<quint8>("code");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("yes");
    QTest::newRow("other band, no") << quint8(0x21) << 0 << false;
    QTest::newRow("other band, yes") << quint8(0x21) << 0 << true;
    QTest::newRow("unknown code, no") << quint8(0x99) << 0 << false;
    QTest::newRow("band 6, no") << quint8(0x73) << 0 << false;
}

void TestProtocolEngine::bandQuestion()
{
    QFETCH(quint8, code);
    QFETCH(int, selected);
    QFETCH(bool, yes);
    Harness h;
    h.bandCode = code;
    h.selectedBand = selected;
    h.answer = yes;
    h.engine.startWrite(false);
    QCOMPARE(h.engine.identifiedBand(), -1);
    h.run();

    QCOMPARE(h.questions, 1);
    QCOMPARE(h.engine.identifiedBand(), ProtocolEngine::bandOfIdentityCode(code));
    if (yes) {
        QCOMPARE(h.written.size(), 46);
        QCOMPARE(h.engine.status(), SessionMessage::WriteSuccess);
    } else {
        // The radio is left untouched.
        const QList<QByteArray> expected {ProtocolEngine::wakeUpFrame(), GoOnFrame, AckFrame, EndFrame};
        QCOMPARE(h.sent, expected);
        QCOMPARE(h.engine.status(), SessionMessage::BandMismatch);
        QVERIFY(h.engine.commandsLocked()); // until the hold is over
    }
    QVERIFY(h.engine.isIdle());
}

void TestProtocolEngine::bandQuestionComesAgainWhenTheSelectionChanges()
{
    Harness h;
    h.answer = true;
    h.engine.startWrite(false);
    h.engine.receive(AckFrame);
    h.engine.receive(identity(0x33));
    h.engine.receive(AckFrame); // first block goes out
    h.selectedBand = 2;
    h.engine.receive(AckFrame);
    QCOMPARE(h.questions, 1);
    h.engine.receive(AckFrame);
    QCOMPARE(h.questions, 1);
    h.selectedBand = 0;
    h.engine.receive(AckFrame);
    QCOMPARE(h.questions, 2);
}

// What the engine makes of replies: acknowledged or not, in the handshake and where a read
// expects the data of block 0x0010.
void TestProtocolEngine::replyRecognition_data()
{
    QTest::addColumn<bool>("readData");      // else the handshake, after the radio's 06
    QTest::addColumn<bool>("lineBreakFirst");
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<bool>("accepted");

    const QByteArray id = identity(0x33);
    const QByteArray data = dataFrame(0x0010, pattern(64, 5));
    QTest::newRow("identity whole") << false << false << QList<QByteArray> {id} << true;
    QTest::newRow("identity in pieces")
        << false << false << QList<QByteArray> {id.left(1), id.mid(1, 3), id.mid(4, 3), id.mid(7)} << true;
    QTest::newRow("stray byte before identity") << false << false << QList<QByteArray> {"\x55" + id} << false;
    QTest::newRow("stray byte, then identity")
        << false << false << QList<QByteArray> {QByteArray(1, 0), id} << false;
    QTest::newRow("identity without model") << false << false << QList<QByteArray> {QByteArray("QVX55\x33\0\0", 8)} << false;
    QTest::newRow("line break drops the stray byte")
        << false << true << QList<QByteArray> {QByteArray(1, 0) + id} << true;
    QTest::newRow("line break drops a byte of the identity")
        << false << true << QList<QByteArray> {id} << false;
    QTest::newRow("data whole") << true << false << QList<QByteArray> {data} << true;
    QTest::newRow("data in pieces") << true << false << QList<QByteArray> {data.left(30), data.mid(30)} << true;
    QTest::newRow("data of 67 bytes") << true << false << QList<QByteArray> {data.left(67)} << false;
    QTest::newRow("data of 69 bytes") << true << false << QList<QByteArray> {data + '\0'} << false;
    QTest::newRow("data for another address")
        << true << false << QList<QByteArray> {dataFrame(0x0050, pattern(64, 5))} << false;
    QTest::newRow("data without its mark")
        << true << false << QList<QByteArray> {"R" + data.mid(1)} << false;
}

void TestProtocolEngine::replyRecognition()
{
    QFETCH(bool, readData);
    QFETCH(bool, lineBreakFirst);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(bool, accepted);
    Harness h;
    h.engine.startRead();
    h.engine.receive(AckFrame);
    if (readData) {
        h.engine.receive(identity(0x33));
        h.engine.receive(AckFrame);
        QCOMPARE(h.sent.last(), ProtocolEngine::readRequest(0x0010));
    }
    const qsizetype before = h.sent.size();
    if (lineBreakFirst)
        h.engine.lineBreak();
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        QCOMPARE(h.sent.size(), before); // nothing is acknowledged before the last piece
        h.engine.receive(pieces.at(i));
    }
    QCOMPARE(h.sent.size(), before + (accepted ? 1 : 0));
    if (accepted) {
        QCOMPARE(h.sent.last(), AckFrame);
        return;
    }
    h.ticks(6); // an unrecognised reply ends in the time-out
    QCOMPARE(h.errors, 1);
    QCOMPARE(h.sent.last(), EndFrame);
}

void TestProtocolEngine::silenceEndsTheSession()
{
    Harness h;
    QSignalSpy unlocked(&h.engine, &ProtocolEngine::commandsLockedChanged);
    h.engine.startWrite(false);
    h.ticks(5);
    h.engine.receive(AckFrame); // an accepted reply starts the count again
    h.ticks(5);
    QCOMPARE(h.errors, 0);
    QCOMPARE(h.sent.last(), GoOnFrame);

    h.engine.sessionTick();
    QCOMPARE(h.errors, 1);
    QCOMPARE(h.sent.last(), EndFrame);
    QVERIFY(h.engine.isIdle());
    QVERIFY(!h.engine.commandsLocked());
    QVERIFY(!h.engine.sessionTimerActive());
    QVERIFY(!h.engine.blinkTimerActive());
    QVERIFY(!h.engine.statusVisible());
    QCOMPARE(unlocked.size(), 2);
}

void TestProtocolEngine::sessionTimerStandsStillWhileTheQuestionIsOpen()
{
    Harness h;
    h.selectedBand = 3;
    h.toDataPhase(ProtocolEngine::Operation::Write);
    h.engine.receive(AckFrame);
    QVERIFY(h.engine.bandQuestionOpen());
    h.ticks(20);
    QCOMPARE(h.errors, 0);

    h.engine.answerBandQuestion(true);
    QCOMPARE(addressOf(h.sent.last()), 0x0010);
    h.ticks(5);
    QCOMPARE(h.errors, 0);
    h.engine.sessionTick();
    QCOMPARE(h.errors, 1);
}

void TestProtocolEngine::acknowledgeWhereDataIsDueEndsTheRead()
{
    Harness h;
    h.toDataPhase(ProtocolEngine::Operation::Read);
    h.engine.receive(AckFrame);
    h.engine.receive(dataFrame(0x0010, pattern(64, 1)));
    h.engine.receive(AckFrame);
    QCOMPARE(h.sent.last(), ProtocolEngine::readRequest(0x0050));

    h.engine.receive(AckFrame); // where block 0x0050 is due
    QCOMPARE(h.errors, 1);
    QCOMPARE(h.sent.last(), EndFrame);
    QVERIFY(!h.readImage);
    QVERIFY(h.engine.isIdle());
}

void TestProtocolEngine::repliesAfterTheTimeOutAreIgnored()
{
    Harness h;
    // While the error message is open, the radio still answers.
    QObject::connect(&h.engine, &ProtocolEngine::communicationError, [&h] {
        h.engine.receive(AckFrame);
        h.engine.receive(identity(0x33));
        QVERIFY(h.engine.commandsLocked()); // given back when the message closes
    });
    h.engine.startRead();
    h.ticks(6);
    QCOMPARE(h.sent.last(), EndFrame);
    h.engine.receive(AckFrame);
    h.engine.blinkTick();
    QCOMPARE(h.sent.size(), 2);
    QVERIFY(!h.engine.commandsLocked());

    // Bytes collected between sessions do not spoil the next one.
    h.engine.receive(QByteArray(100000, 0x06));
    h.answered = h.sent.size();
    QVERIFY(h.engine.startRead());
    h.run();
    QVERIFY(h.readImage);
}

void TestProtocolEngine::holdKeepsCommandsLockedForTenBlinks()
{
    Harness h;
    h.engine.startRead();
    h.run();
    QSignalSpy visible(&h.engine, &ProtocolEngine::statusVisibleChanged);
    for (int tick = 1; tick <= 9; ++tick) {
        h.engine.blinkTick();
        h.engine.sessionTick(); // the session timer is off: no time-out
    }
    QVERIFY(h.engine.commandsLocked());
    QVERIFY(!h.engine.startRead());
    QCOMPARE(visible.size(), 9);

    h.engine.blinkTick();
    QVERIFY(!h.engine.commandsLocked());
    QVERIFY(!h.engine.statusVisible());
    QVERIFY(!h.engine.blinkTimerActive());
    QCOMPARE(h.errors, 0);
    QVERIFY(h.engine.startRead());
}

void TestProtocolEngine::portFailureEndsTheSessionAtOnce()
{
    Harness h;
    h.engine.portFailed(); // idle: nothing to end
    QCOMPARE(h.errors, 0);
    QVERIFY(h.sent.isEmpty());

    h.toDataPhase(ProtocolEngine::Operation::Write);
    h.engine.portFailed();
    QCOMPARE(h.errors, 1);
    QCOMPARE(h.sent.last(), EndFrame);
    QVERIFY(h.engine.isIdle());
    QVERIFY(!h.engine.commandsLocked());
}

void TestProtocolEngine::abort()
{
    Harness h;
    h.selectedBand = 1;
    h.toDataPhase(ProtocolEngine::Operation::Write);
    h.engine.receive(AckFrame);
    QVERIFY(h.engine.bandQuestionOpen());
    h.engine.abort();
    QCOMPARE(h.sent.last(), EndFrame);
    QVERIFY(h.engine.isIdle());
    QVERIFY(!h.engine.commandsLocked());
    const qsizetype sent = h.sent.size();
    h.engine.answerBandQuestion(true); // answered after the window gave up: nothing happens
    QCOMPARE(h.sent.size(), sent);
    QCOMPARE(h.errors, 0);

    // In the hold the radio has already been told: nothing more to send.
    h.selectedBand = 0;
    h.engine.startRead();
    h.run();
    QVERIFY(h.engine.commandsLocked());
    const qsizetype afterRead = h.sent.size();
    h.engine.abort();
    QCOMPARE(h.sent.size(), afterRead);
    QVERIFY(!h.engine.commandsLocked());
    QVERIFY(!h.engine.blinkTimerActive());
}

QTEST_GUILESS_MAIN(TestProtocolEngine)
#include "tst_protocolengine.moc"
