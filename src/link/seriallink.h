#pragma once

#include "link/markedstream.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>

// The serial port of the programming cable: 9600 baud, 8 data bits, no parity, 1 stop bit, no
// flow control. Event-driven: received bytes, line breaks and failures arrive as signals on the
// thread that owns the link. The modem-control lines stay as the serial layer leaves them.
class SerialLink : public QObject
{
    Q_OBJECT

public:
    explicit SerialLink(QObject *parent = nullptr);

    // Opens a port by its name ("COM3", "ttyUSB0") or device path ("/dev/pts/4"), closing the
    // one open before. On failure the link stays closed and error says why.
    bool open(const QString &device, QString *error = nullptr);
    void close();
    bool isOpen() const { return m_port.isOpen(); }
    QString device() const { return m_device; }

    void write(const QByteArray &bytes);
    // Waits until everything written has left for the device, so that a program can end right
    // after its last frame. False when that takes longer than msecs or the port is closed.
    bool waitForWritten(int msecs);

signals:
    void received(const QByteArray &bytes);
    void lineBreak();
    // The open port stopped working (cable pulled, device gone, write refused). The link has
    // closed it.
    void failed(const QString &reason);

private:
    void readAvailable();
    void handleError(QSerialPort::SerialPortError error);
    void markLineEvents();

    QSerialPort m_port;
    QString m_device;
    bool m_marked = false;  // breaks reach us as marked sequences, see markLineEvents()
    MarkedStream m_marks;
    bool m_failing = false; // a failure is being reported; the port closes next
    int m_opened = 0;       // counts the opens, so that a late close spares a newer port
};
