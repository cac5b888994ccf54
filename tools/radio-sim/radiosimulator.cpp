#include "radiosimulator.h"

#include "image/layout.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

const QByteArray WakeUp = QByteArrayLiteral("PROGRAM");
constexpr char GoOn = 0x02;
constexpr char Acknowledge = 0x06;
constexpr char End = 'E';
constexpr int HeaderSize = 4; // mark, address high, address low, length
constexpr qint64 UnpacedPieceGap = 2'000'000; // keeps split pieces apart without pacing

QByteArray header(char mark, int address, int length)
{
    QByteArray bytes;
    bytes.append(mark).append(char(address >> 8)).append(char(address & 0xFF)).append(char(length));
    return bytes;
}

int addressAt(const QByteArray &bytes)
{
    return (quint8(bytes.at(1)) << 8) | quint8(bytes.at(2));
}

} // namespace

RadioSimulator::RadioSimulator(QByteArray memory, QObject *parent)
    : QObject(parent), m_memory(std::move(memory))
{
    m_memory.resize(MemorySize, char(0xFF));
    m_clock.start();
    m_writeTimer.setSingleShot(true);
    m_writeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_writeTimer, &QTimer::timeout, this, &RadioSimulator::flushDue);
}

RadioSimulator::~RadioSimulator()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool RadioSimulator::open(QString *error)
{
    auto failed = [error](const char *step) {
        *error = QStringLiteral("%1: %2").arg(QLatin1StringView(step), QString::fromLocal8Bit(strerror(errno)));
        return false;
    };
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return failed("posix_openpt");
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return failed("grantpt");
    const char *name = ptsname(m_master);
    if (!name)
        return failed("ptsname");
    m_devicePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return failed("open");
    termios settings {};
    if (tcgetattr(m_slave, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(m_slave, TCSANOW, &settings);
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RadioSimulator::readAvailable);
    return true;
}

void RadioSimulator::readAvailable()
{
    char buffer[4096];
    const ssize_t count = ::read(m_master, buffer, sizeof buffer);
    if (count <= 0)
        return;
    // The bytes went onto the wire one after another once it was free.
    const qint64 now = m_clock.nsecsElapsed();
    qint64 arrival = std::max(now, m_inputFreeAt);
    for (ssize_t i = 0; i < count; ++i) {
        arrival += ByteNanoseconds;
        m_arrivals.push_back(arrival);
    }
    m_inputFreeAt = arrival;
    m_input.append(buffer, count);
    parse();
}

void RadioSimulator::parse()
{
    while (!m_input.isEmpty()) {
        const bool progressed = m_state == State::Idle ? parseStart() : parseSession();
        if (!progressed)
            return;
    }
}

// Waits for the wake-up text; whatever comes before it is noise.
bool RadioSimulator::parseStart()
{
    const qsizetype at = m_input.indexOf(WakeUp);
    if (at < 0) {
        consume(std::max<qsizetype>(0, m_input.size() - (WakeUp.size() - 1)));
        return false;
    }
    consume(at);
    m_state = State::Woken;
    answer(QByteArray(1, Acknowledge), WakeUp.size());
    return true;
}

bool RadioSimulator::parseSession()
{
    const char first = m_input.at(0);
    if (first == WakeUp.at(0) && WakeUp.startsWith(m_input.left(WakeUp.size()))) {
        if (m_input.size() < WakeUp.size())
            return false;
        m_state = State::Idle; // the program starts over
        return true;
    }
    if (first == End) {
        take(1);
        m_state = State::Idle;
        if (m_changed)
            emit sessionEnded();
        return true;
    }
    if (m_state == State::Woken && first == GoOn) {
        m_state = State::Identified;
        answer(identity(), 1);
        return true;
    }
    if ((m_state == State::Identified || m_state == State::Programming) && first == Acknowledge) {
        m_state = State::Programming;
        answer(QByteArray(1, Acknowledge), 1);
        return true;
    }
    if (m_state == State::Programming && (first == 'R' || first == 'W')) {
        if (m_input.size() < HeaderSize)
            return false;
        const int address = addressAt(m_input);
        const int length = quint8(m_input.at(3));
        if (first == 'R') {
            answer(readData(address, length), HeaderSize);
            return true;
        }
        if (m_input.size() < HeaderSize + length)
            return false;
        writeData(address, m_input.mid(HeaderSize, length));
        answer(QByteArray(1, Acknowledge), HeaderSize + length);
        return true;
    }
    consume(1); // not what the radio expects here
    return true;
}

void RadioSimulator::take(qsizetype frameEnd)
{
    log("program", m_input.left(frameEnd));
    consume(frameEnd);
}

// Answers the frame that makes up the first frameEnd bytes of the input.
void RadioSimulator::answer(const QByteArray &frameReply, qsizetype frameEnd)
{
    const qint64 received = m_arrivals.at(frameEnd - 1);
    take(frameEnd);
    if (m_faults.silentAfter >= 0 && m_replies >= m_faults.silentAfter)
        return;
    ++m_replies;
    const QByteArray reply = withFaults(frameReply);
    if (reply.isEmpty())
        return;
    log("radio", reply);
    const int piece = m_faults.split > 0 ? m_faults.split : int(reply.size());
    qint64 due = m_paced ? std::max(received, m_outputFreeAt) : m_clock.nsecsElapsed();
    for (qsizetype at = 0; at < reply.size(); at += piece) {
        const QByteArray bytes = reply.mid(at, piece);
        due += m_paced ? bytes.size() * ByteNanoseconds : (at > 0 ? UnpacedPieceGap : 0);
        schedule(due, bytes);
    }
    m_outputFreeAt = due;
}

QByteArray RadioSimulator::withFaults(QByteArray reply) const
{
    if (m_replies == m_faults.missingByteAt)
        reply.chop(1);
    if (m_replies == m_faults.extraByteAt)
        reply.append('\0');
    return reply;
}

// One line a frame: seconds since the start, who sent it, its bytes in hexadecimal.
void RadioSimulator::log(const char *sender, const QByteArray &frame)
{
    if (!m_log)
        return;
    const QString line = QStringLiteral("%1 %2 %3\n")
                             .arg(m_clock.nsecsElapsed() / 1e9, 0, 'f', 3)
                             .arg(QLatin1StringView(sender), QString::fromLatin1(frame.toHex(' ').toUpper()));
    m_log->write(line.toLatin1());
    m_log->flush(); // tests read it while the emulator runs
}

void RadioSimulator::consume(qsizetype count)
{
    m_input.remove(0, count);
    m_arrivals.erase(m_arrivals.begin(), m_arrivals.begin() + count);
}

QByteArray RadioSimulator::identity() const
{
    const quint8 code = m_bandCode.value_or(quint8(m_memory.at(Layout::BandCode)));
    QByteArray bytes = QByteArrayLiteral("QVX54") + char(code) + QByteArray(2, '\0');
    return m_faults.strayByte ? QByteArray(1, '\0') + bytes : bytes;
}

QByteArray RadioSimulator::readData(int address, int length)
{
    ++m_readRequests;
    if (m_readRequests == m_faults.ackForDataAt)
        return QByteArray(1, Acknowledge);
    const int offset = address - 0x0010;
    QByteArray data(length, char(0xFF));
    for (int i = 0; i < length; ++i)
        if (offset + i >= 0 && offset + i < MemorySize)
            data[i] = m_memory.at(offset + i);
    const int echoed = m_readRequests == m_faults.wrongAddressAt ? address + length : address;
    return header('W', echoed, length) + data;
}

void RadioSimulator::writeData(int address, const QByteArray &data)
{
    const int offset = address - 0x0010;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (offset + i >= 0 && offset + i < MemorySize) {
            m_memory[offset + i] = data.at(i);
            m_changed = true;
        }
    }
}

void RadioSimulator::schedule(qint64 due, const QByteArray &bytes)
{
    m_pending.push_back({due, bytes});
    flushDue();
}

void RadioSimulator::flushDue()
{
    const qint64 now = m_clock.nsecsElapsed();
    while (!m_pending.empty() && m_pending.front().due <= now) {
        const QByteArray &bytes = m_pending.front().bytes;
        // Nobody may be listening: what the line cannot take is lost, as on a real line.
        [[maybe_unused]] const ssize_t written = ::write(m_master, bytes.constData(), size_t(bytes.size()));
        m_pending.pop_front();
    }
    if (m_pending.empty())
        return;
    const qint64 wait = m_pending.front().due - now;
    m_writeTimer.start(int((wait + 999'999) / 1'000'000));
}
