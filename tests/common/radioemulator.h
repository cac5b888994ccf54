#pragma once

// The radio emulator as a child process, for end-to-end tests. QV540_RADIO_SIM is the path of
// qv540-radio-sim, which CMake passes in.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <utility>
#include <QProcess>
#include <QString>
#include <QStringList>

// Memory contents with every byte value, FF included, different for each seed.
inline QByteArray memoryPattern(int size, int seed)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char((i * 13 + seed) & 0xFF));
    return bytes;
}

// The bytes of radio addresses from to to (inclusive) of a memory image starting at 0x0010.
inline QByteArray addressRange(const QByteArray &memory, int from, int to)
{
    return memory.mid(from - 0x0010, to - from + 1);
}

// What a radio holds after a write of image: the blocks a write sends taken from the image,
// everything else as before. The calibration block is sent only with calibration.
inline QByteArray memoryAfterWrite(QByteArray before, const QByteArray &image, bool calibration)
{
    const QList<std::pair<int, int>> written {
        {0x0010, calibration ? 0x018F : 0x017F}, {0x01B8, 0x01C7}, {0x0200, 0x035F}};
    for (const auto &[from, to] : written)
        before.replace(from - 0x0010, to - from + 1, addressRange(image, from, to));
    return before;
}

// The frames the program sent, in order, from the emulator's frame log (--log): each as its
// bytes in hexadecimal, "45" for the end frame.
inline QStringList framesFromProgram(const QString &logPath)
{
    QFile log(logPath);
    QStringList frames;
    if (!log.open(QIODevice::ReadOnly | QIODevice::Text))
        return frames;
    while (!log.atEnd()) {
        // "0.123 program 52 00 10 40"
        const QStringList fields = QString::fromLatin1(log.readLine().trimmed()).split(' ');
        if (fields.value(1) == QLatin1StringView("program"))
            frames << fields.mid(2).join(' ');
    }
    return frames;
}

// Every fault the emulator can play, early and in the middle of a session. Replies are counted
// from 1: the acknowledge of the wake-up, the identity, the acknowledge that opens the data
// phase, then in a read data and acknowledge in turn (35 in all), in a write one acknowledge per
// block (49). Read requests are counted from 1 too; their faults exist in reads only.
struct RadioFault
{
    const char *name;
    QStringList options;
    bool readOnly;
};

inline const QList<RadioFault> &emulatorFaults()
{
    static const QList<RadioFault> faults {
        {"silent after the wake-up", {"--silent-after", "1"}, false},
        {"silent in the middle", {"--silent-after", "20"}, false},
        {"stray byte before the identity", {"--stray-byte"}, false},
        {"identity a byte short", {"--missing-byte", "2"}, false},
        {"reply in the middle a byte short", {"--missing-byte", "20"}, false},
        {"identity a byte long", {"--extra-byte", "2"}, false},
        {"reply in the middle a byte long", {"--extra-byte", "21"}, false},
        {"acknowledge for the first block", {"--ack-for-data-at", "1"}, true},
        {"acknowledge for the 8th block", {"--ack-for-data-at", "8"}, true},
        {"first block for another address", {"--wrong-address-at", "1"}, true},
        {"8th block for another address", {"--wrong-address-at", "8"}, true},
    };
    return faults;
}

// The emulator as a child process; stopped with SIGTERM, which makes it save.
class Radio
{
public:
    bool start(const QStringList &arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(QV540_RADIO_SIM), arguments);
        if (!m_process.waitForStarted(5000))
            return false;
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(5000))
                return false;
        m_device = QString::fromLocal8Bit(m_process.readLine().trimmed());
        return !m_device.isEmpty();
    }
    bool stop()
    {
        m_process.terminate();
        return m_process.waitForFinished(5000) && m_process.exitCode() == 0;
    }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    const QString &device() const { return m_device; }
    ~Radio()
    {
        if (m_process.state() != QProcess::NotRunning)
            kill();
    }

private:
    QProcess m_process;
    QString m_device;
};

