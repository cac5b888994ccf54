#pragma once

#include "link/protocolengine.h"
#include "link/seriallink.h"

#include <QObject>
#include <QTimer>

// A programming session without widgets: the protocol engine, the serial link and the two
// timers that drive it (session timer 500 ms, blink timer 200 ms). The window, the command-line
// tool and the end-to-end tests use it; they watch engine()'s signals for everything a session
// shows and answer its band question.
class SessionDriver : public QObject
{
    Q_OBJECT

public:
    enum class StartResult {
        Started,
        PortNotOpen, // show SessionMessage::PortNotOpen
        Busy,        // a session or its final hold still runs
    };

    static constexpr int SessionInterval = 500; // ms, the session timer
    static constexpr int BlinkInterval = 200;   // ms, the blink timer
    // How long a program about to end waits for its last frames to leave: the radio must get
    // the end frame, or it stays in programming mode.
    static constexpr int FlushTimeout = 2000; // ms

    explicit SessionDriver(QObject *parent = nullptr);

    ProtocolEngine &engine() { return m_engine; }
    SerialLink &link() { return m_link; }

    bool openPort(const QString &device, QString *error = nullptr) { return m_link.open(device, error); }
    // Closing the port ends a running session first, telling the radio to leave programming.
    void closePort();
    bool isPortOpen() const { return m_link.isOpen(); }

    StartResult startRead();
    StartResult startWrite(bool debugUnlocked);
    StartResult startDetect();
    void abort() { m_engine.abort(); }

private:
    StartResult started(bool accepted) const;
    static void run(QTimer &timer, bool active);

    ProtocolEngine m_engine;
    SerialLink m_link;
    QTimer m_sessionTimer; // ends a silent session
    QTimer m_blinkTimer;   // blinks the status, ends the final hold
};
