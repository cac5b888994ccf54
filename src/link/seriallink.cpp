#include "link/seriallink.h"

#include <QDeadlineTimer>

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

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
    m_marks.reset();
    m_marked = false;
    m_failing = false;
}

void SerialLink::write(const QByteArray &bytes)
{
    if (m_port.isOpen())
        m_port.write(bytes);
}

bool SerialLink::waitForWritten(int msecs)
{
    QDeadlineTimer deadline(msecs);
    while (m_port.isOpen() && m_port.bytesToWrite() > 0)
        if (!m_port.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    return m_port.isOpen();
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
    // The protocol drops one byte after a break: the break's own NUL, which a break delivers
    // on every system.
    const QList<QByteArray> pieces = m_marks.decode(raw);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            emit lineBreak();
        if (!pieces.at(i).isEmpty())
            emit received(pieces.at(i));
    }
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
