#include "link/seriallink.h"

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

namespace {

constexpr char Mark = char(0xFF);

} // namespace

SerialLink::SerialLink(QObject *parent) : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::readAvailable);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::handleError);
}

bool SerialLink::open(const QString &device, QString *error)
{
    close();
    m_port.setPortName(device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        if (error)
            *error = m_port.errorString();
        return false;
    }
    // The line settings are fixed. Modem-control lines are left alone: a pseudo-terminal refuses
    // them, and the cable needs nothing but the defaults.
    const bool configured = m_port.setBaudRate(QSerialPort::Baud9600)
        && m_port.setDataBits(QSerialPort::Data8) && m_port.setParity(QSerialPort::NoParity)
        && m_port.setStopBits(QSerialPort::OneStop)
        && m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        if (error)
            *error = m_port.errorString();
        m_port.close();
        return false;
    }
    m_device = device;
    ++m_opened;
    markLineEvents();
    return true;
}

void SerialLink::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_markTail.clear();
    m_marked = false;
    m_failing = false;
}

void SerialLink::write(const QByteArray &bytes)
{
    if (m_port.isOpen())
        m_port.write(bytes);
}

// QSerialPort reports no line breaks. On POSIX systems the terminal driver can mark them in the
// byte stream instead (PARMRK): a break reads as FF 00 00, a byte with a framing error as
// FF 00 x, and a data byte FF as FF FF.
void SerialLink::markLineEvents()
{
#ifdef Q_OS_UNIX
    termios settings {};
    const int fd = int(m_port.handle());
    if (fd < 0 || tcgetattr(fd, &settings) != 0)
        return;
    settings.c_iflag |= PARMRK;
    settings.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | IGNPAR | ISTRIP);
    m_marked = tcsetattr(fd, TCSANOW, &settings) == 0;
#endif
}

void SerialLink::readAvailable()
{
    const QByteArray raw = m_port.readAll();
    if (!m_marked) {
        if (!raw.isEmpty())
            emit received(raw);
        return;
    }
    const QByteArray bytes = unmark(m_markTail + raw);
    if (!bytes.isEmpty())
        emit received(bytes);
}

// Decodes the marked stream; emits lineBreak for each break, just before the bytes that follow
// it. The break's own NUL byte stays in the stream, as a break delivers it on every system, and
// the protocol drops one byte after a break.
QByteArray SerialLink::unmark(const QByteArray &raw)
{
    QByteArray bytes;
    m_markTail.clear();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) != Mark) {
            bytes.append(raw.at(i));
            continue;
        }
        const qsizetype left = raw.size() - i - 1;
        if (left == 0 || (left == 1 && raw.at(i + 1) == 0)) {
            m_markTail = raw.mid(i); // completed by the next read
            break;
        }
        if (raw.at(i + 1) == Mark) {
            bytes.append(Mark);
            i += 1;
            continue;
        }
        if (raw.at(i + 1) != 0) {
            bytes.append(Mark); // not a marked sequence: take it as it stands
            continue;
        }
        const char marked = raw.at(i + 2);
        if (raw.at(i + 1) == 0 && marked == 0) {
            if (!bytes.isEmpty())
                emit received(bytes);
            bytes.clear();
            emit lineBreak();
        }
        bytes.append(marked);
        i += 2;
    }
    return bytes;
}

void SerialLink::handleError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
        if (!m_port.isOpen() || m_failing)
            return; // a failed open reports itself; a failure is reported once
        // A vanished device keeps reporting read errors until the port is closed. It is closed
        // once the port's own handler has returned.
        m_failing = true;
        QMetaObject::invokeMethod(this, [this, opened = m_opened, reason = m_port.errorString()] {
            if (opened != m_opened)
                return; // another port has been opened meanwhile
            close();
            emit failed(reason);
        }, Qt::QueuedConnection);
        return;
    default:
        return; // refused settings of the modem lines, time-outs: nothing is lost
    }
}
