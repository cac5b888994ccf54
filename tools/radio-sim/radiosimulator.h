#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <optional>

class QFile;
class QSocketNotifier;

// The radio's side of a programming session, on the master side of a pseudo-terminal. Replies
// are paced as on a 9600 baud 8N1 wire: a reply is written when its last byte would have
// arrived, and the bytes the program sends are charged their wire time before the radio answers,
// since a pseudo-terminal delivers them at once.
class RadioSimulator : public QObject
{
    Q_OBJECT

public:
    static constexpr int MemorySize = 1024; // radio addresses 0x0010 to 0x040F
    static constexpr qint64 ByteNanoseconds = 10'000'000'000 / 9600; // start, 8 data, stop bits

    // Replies and read requests are counted from 1 over the emulator's whole run; 0 turns a
    // fault off.
    struct Faults
    {
        int silentAfter = -1;        // answer this many frames, then nothing; -1: always answer
        bool strayByte = false;      // a byte before the identity
        int split = 0;               // write replies in pieces of this many bytes; 0: whole
        int ackForDataAt = 0;        // answer this read request with an acknowledge
        int wrongAddressAt = 0;      // answer this read request with the next block
        int missingByteAt = 0;       // this reply lacks its last byte
        int extraByteAt = 0;         // this reply has one byte more at its end
    };

    explicit RadioSimulator(QByteArray memory, QObject *parent = nullptr);
    ~RadioSimulator() override;

    // Creates the pseudo-terminal; false with the reason in error when it cannot.
    bool open(QString *error);
    QString devicePath() const { return m_devicePath; }

    void setPaced(bool paced) { m_paced = paced; }
    void setBandCode(std::optional<quint8> code) { m_bandCode = code; }
    void setFaults(const Faults &faults) { m_faults = faults; }
    // Logs every frame in each direction, one line each, to an open file.
    void setLog(QFile *log) { m_log = log; }

    const QByteArray &memory() const { return m_memory; }
    bool memoryChanged() const { return m_changed; }

signals:
    // The program ended a session that wrote to the memory.
    void sessionEnded();

private:
    enum class State { Idle, Woken, Identified, Programming };

    void readAvailable();
    void parse();
    bool parseStart();
    bool parseSession();
    void take(qsizetype frameEnd); // a frame from the program, logged and consumed
    void answer(const QByteArray &reply, qsizetype frameEnd);
    QByteArray withFaults(QByteArray reply) const;
    void log(const char *sender, const QByteArray &frame);
    void consume(qsizetype count);
    QByteArray identity() const;
    QByteArray readData(int address, int length);
    void writeData(int address, const QByteArray &data);
    void schedule(qint64 due, const QByteArray &bytes);
    void flushDue();

    QByteArray m_memory;
    bool m_changed = false;
    bool m_paced = true;
    std::optional<quint8> m_bandCode;
    Faults m_faults;

    int m_master = -1;
    int m_slave = -1; // held open so that the master never sees the line hang up
    QString m_devicePath;
    QSocketNotifier *m_notifier = nullptr;

    State m_state = State::Idle;
    QByteArray m_input;
    std::deque<qint64> m_arrivals; // when each byte of m_input would have arrived on the wire
    int m_replies = 0;
    int m_readRequests = 0;
    QFile *m_log = nullptr;

    QElapsedTimer m_clock;
    qint64 m_inputFreeAt = 0;  // the inbound wire is busy until then
    qint64 m_outputFreeAt = 0; // the outbound wire is busy until then
    struct Pending
    {
        qint64 due;
        QByteArray bytes;
    };
    std::deque<Pending> m_pending;
    QTimer m_writeTimer;
};
