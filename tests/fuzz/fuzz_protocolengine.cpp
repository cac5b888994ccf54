// The serial byte stream and everything else that reaches the protocol engine: a script of
// events (sessions started, bytes received, line breaks, ticks, band answers, port failure,
// abort) played against one engine, which must keep to the exchange whatever comes.

#include "eventscript.h"
#include "fuzzcheck.h"

#include "link/protocolengine.h"

#include <optional>

using namespace EventScript;

namespace {

constexpr int ReadStart = 0x0010;
constexpr int LastReadRequest = 0x03D0;
constexpr int ReadBlocks = 16;
constexpr quint8 RadioBandCode = 0x33; // band 0

QByteArray pattern(int size, int seed)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char((i * 29 + seed) & 0xFF));
    return bytes;
}

int addressOf(const QByteArray &frame)
{
    return (quint8(frame.at(1)) << 8) | quint8(frame.at(2));
}

QString hexOf(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

// What one session has sent so far, checked frame by frame against the exchange.
struct Session
{
    bool running = false;
    bool write = false;
    bool calibration = false;
    bool identified = false; // the engine acknowledged an identity
    int requests = 0;        // read requests sent
    int acknowledges = 0;    // acknowledges sent after data
    int blocks = 0;          // write blocks sent
    int results = 0;         // read or write finished, refused, or failed
};

// The engine's host and a radio that can answer each frame, checking every frame the engine
// sends and every signal it gives.
class Host
{
public:
    Host()
    {
        m_engine.setImageProvider([this] { return m_image; });
        m_engine.setSelectedBandProvider([this] { return m_selectedBand; });
        QObject::connect(&m_engine, &ProtocolEngine::frameToSend, [this](const QByteArray &f) { sent(f); });
        QObject::connect(&m_engine, &ProtocolEngine::progressChanged, [](int value) {
            FUZZ_CHECK(value >= 0 && value <= ProtocolEngine::ProgressMaximum, QString::number(value));
        });
        QObject::connect(&m_engine, &ProtocolEngine::readFinished, [this](const RadioImage &image, int band) {
            result();
            FUZZ_CHECK(!m_session.write && m_session.requests == ReadBlocks && m_session.acknowledges == ReadBlocks,
                       QString::number(m_session.requests));
            FUZZ_CHECK(image.size() == RadioImage::ReadSize, QString::number(image.size()));
            FUZZ_CHECK(band >= -1 && band < 7, QString::number(band));
        });
        QObject::connect(&m_engine, &ProtocolEngine::writeFinished, [this] {
            result();
            FUZZ_CHECK(m_session.write && m_session.blocks == writeAddresses().size(), QString::number(m_session.blocks));
        });
        QObject::connect(&m_engine, &ProtocolEngine::communicationError, [this] { result(); });
        QObject::connect(&m_engine, &ProtocolEngine::statusChanged, [this](SessionMessage status) {
            if (status == SessionMessage::BandMismatch)
                result(); // refused at the band question
        });
        QObject::connect(&m_engine, &ProtocolEngine::bandQuestionAsked, [this] {
            FUZZ_CHECK(m_session.running && m_session.write && m_session.identified, QString());
            if (m_answerAtOnce)
                m_engine.answerBandQuestion(*m_answerAtOnce);
        });
    }

    void play(FuzzInput &script)
    {
        while (!script.atEnd()) {
            step(Event(script.byte() % quint8(Event::Count)), script);
            FUZZ_CHECK(m_engine.collectedSize() <= ProtocolEngine::MaxCollected, QString::number(m_engine.collectedSize()));
            FUZZ_CHECK(m_engine.progress() <= ProtocolEngine::ProgressMaximum, QString::number(m_engine.progress()));
            FUZZ_CHECK(m_engine.isIdle() == !m_session.running, QString());
        }
    }

    // However a script ends, the host's answer and the timers bring the engine back to idle.
    void settle()
    {
        if (m_engine.bandQuestionOpen())
            m_engine.answerBandQuestion(false);
        for (int round = 0; round < 40; ++round) {
            m_engine.sessionTick();
            for (int blink = 0; blink < 3; ++blink)
                m_engine.blinkTick();
        }
        FUZZ_CHECK(m_engine.isIdle() && !m_session.running, QString());
        FUZZ_CHECK(!m_engine.commandsLocked(), QString());
        FUZZ_CHECK(!m_engine.sessionTimerActive() && !m_engine.blinkTimerActive(), QString());
        FUZZ_CHECK(!m_engine.statusVisible(), QString());
    }

private:
    void step(Event event, FuzzInput &script)
    {
        switch (event) {
        case Event::StartRead: start(false, false); break;
        case Event::StartWrite: start(true, script.byte() & 1); break;
        case Event::Receive: m_engine.receive(script.bytes(script.byte())); break;
        case Event::LineBreak: m_engine.lineBreak(); break;
        case Event::SessionTick: m_engine.sessionTick(); break;
        case Event::BlinkTick: m_engine.blinkTick(); break;
        case Event::AnswerBand: answerBand(BandAnswer(script.byte() % quint8(BandAnswer::Count))); break;
        case Event::SelectBand: selectBand(script.byte() % 8); break;
        case Event::PortFailed: m_engine.portFailed(); break;
        case Event::Abort: m_engine.abort(); break;
        case Event::RadioReply: reply(ReplyVariant(script.byte() % quint8(ReplyVariant::Count))); break;
        case Event::Count: break;
        }
    }

    void start(bool write, bool calibration)
    {
        const bool wasRunning = m_session.running;
        const qsizetype framesBefore = m_framesSent;
        m_starting = std::pair {write, calibration};
        const bool started = write ? m_engine.startWrite(calibration) : m_engine.startRead();
        m_starting.reset();
        FUZZ_CHECK(started == (m_session.running && !wasRunning), QString());
        FUZZ_CHECK(started || m_framesSent == framesBefore, QString());
    }

    void selectBand(int band) { m_selectedBand = band == 7 ? -1 : band; }

    void answerBand(BandAnswer answer)
    {
        switch (answer) {
        case BandAnswer::NoNow: m_engine.answerBandQuestion(false); break;
        case BandAnswer::YesNow: m_engine.answerBandQuestion(true); break;
        case BandAnswer::NoAtOnce: m_answerAtOnce = false; break;
        case BandAnswer::YesAtOnce: m_answerAtOnce = true; break;
        case BandAnswer::Later: m_answerAtOnce.reset(); break;
        case BandAnswer::Count: break;
        }
    }

    // The radio's answer to the last frame it received, spoilt as the variant says.
    void reply(ReplyVariant variant)
    {
        QByteArray answer = properReplyTo(m_lastFrame);
        if (answer.isEmpty())
            return;
        const bool data = answer.size() == 4 + ProtocolEngine::ReadBlockSize;
        switch (variant) {
        case ReplyVariant::Proper: break;
        case ReplyVariant::LastByteMissing: answer.chop(1); break;
        case ReplyVariant::ByteExtra: answer.append('\0'); break;
        case ReplyVariant::OtherAddress:
            if (data)
                answer[2] = char(answer.at(2) + ProtocolEngine::ReadBlockSize);
            break;
        case ReplyVariant::AcknowledgeForData: answer = QByteArray(1, ProtocolEngine::Acknowledge); break;
        case ReplyVariant::StrayByteFirst: answer.prepend('\0'); break;
        case ReplyVariant::InTwoPieces:
            m_engine.receive(answer.left(answer.size() / 2));
            answer = answer.mid(answer.size() / 2);
            break;
        case ReplyVariant::AfterLineBreak:
            m_engine.lineBreak();
            answer.prepend('\0'); // the break's own NUL
            break;
        case ReplyVariant::Count: break;
        }
        m_engine.receive(answer);
    }

    QByteArray properReplyTo(const QByteArray &frame) const
    {
        if (frame == ProtocolEngine::wakeUpFrame() || frame == QByteArray(1, ProtocolEngine::Acknowledge))
            return QByteArray(1, ProtocolEngine::Acknowledge);
        if (frame == QByteArray(1, ProtocolEngine::GoOn))
            return QByteArray(ProtocolEngine::ModelIdentifier) + char(RadioBandCode) + QByteArray(2, '\0');
        if (frame.startsWith('R')) {
            const int address = addressOf(frame);
            return frame.left(3) + char(ProtocolEngine::ReadBlockSize)
                + m_memory.mid(address - ReadStart, ProtocolEngine::ReadBlockSize);
        }
        if (frame.startsWith('W'))
            return QByteArray(1, ProtocolEngine::Acknowledge);
        return {};
    }

    QList<int> writeAddresses() const { return ProtocolEngine::writeBlockAddresses(m_session.calibration); }

    void result()
    {
        ++m_session.results;
        FUZZ_CHECK(m_session.results == 1, QStringLiteral("%1 results").arg(m_session.results));
    }

    // Each frame the engine sends must be one the exchange allows at this point.
    void sent(const QByteArray &frame)
    {
        ++m_framesSent;
        m_lastFrame = frame;
        if (frame == ProtocolEngine::wakeUpFrame()) {
            FUZZ_CHECK(m_starting && !m_session.running, QString());
            m_session = {true, m_starting->first, m_starting->second};
            return;
        }
        FUZZ_CHECK(m_session.running, QStringLiteral("outside a session: ") + hexOf(frame));
        if (frame == QByteArray(1, ProtocolEngine::End)) {
            m_session.running = false;
            return;
        }
        if (frame == QByteArray(1, ProtocolEngine::GoOn)) {
            FUZZ_CHECK(!m_session.identified, QString());
            return;
        }
        if (frame == QByteArray(1, ProtocolEngine::Acknowledge)) {
            sentAcknowledge();
            return;
        }
        FUZZ_CHECK(m_session.identified, hexOf(frame));
        if (m_session.write)
            sentWriteBlock(frame);
        else
            sentReadRequest(frame);
    }

    // The first acknowledge answers the identity; in a read each later one answers a data frame.
    void sentAcknowledge()
    {
        if (!m_session.identified) {
            m_session.identified = true;
            return;
        }
        FUZZ_CHECK(!m_session.write && m_session.acknowledges < m_session.requests, QString());
        ++m_session.acknowledges;
    }

    void sentReadRequest(const QByteArray &frame)
    {
        const int expected = ReadStart + m_session.requests * ProtocolEngine::ReadBlockSize;
        FUZZ_CHECK(frame == ProtocolEngine::readRequest(expected) && expected <= LastReadRequest, hexOf(frame));
        FUZZ_CHECK(m_session.acknowledges == m_session.requests, QString()); // the block before was taken
        ++m_session.requests;
    }

    void sentWriteBlock(const QByteArray &frame)
    {
        const QList<int> addresses = writeAddresses();
        FUZZ_CHECK(m_session.blocks < addresses.size(), hexOf(frame));
        const int address = addresses.at(m_session.blocks);
        FUZZ_CHECK(frame == ProtocolEngine::writeBlock(address, m_image), hexOf(frame));
        FUZZ_CHECK(m_image.bytes().mid(address - ReadStart, ProtocolEngine::WriteBlockSize) == frame.mid(4), hexOf(frame));
        ++m_session.blocks;
    }

    ProtocolEngine m_engine;
    RadioImage m_image {pattern(RadioImage::EncodedSize, 5)};
    QByteArray m_memory = pattern(RadioImage::ReadSize, 11);
    int m_selectedBand = 0;
    std::optional<bool> m_answerAtOnce;
    std::optional<std::pair<bool, bool>> m_starting; // write, calibration: a start is under way
    Session m_session;
    QByteArray m_lastFrame;
    qsizetype m_framesSent = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput script(data, size);
    Host host;
    host.play(script);
    host.settle();
    return 0;
}
