#pragma once

#include "image/layout.h"
#include "image/radioimage.h"
#include "link/sessionmessage.h"

#include <QByteArray>
#include <QObject>
#include <functional>

// The conversation with the radio and its session timers, as one state machine without timers
// or I/O of its own. The host feeds it received bytes, line breaks and the ticks of two timers
// (the session timer of 500 ms and the blink timer of 200 ms) and carries out what its signals
// ask for: frames to send, timers to run, the band question, the status label, the progress bar
// and the lock-out of the programming commands.
//
// Slots connected to frameToSend must not feed replies back into the engine before they return;
// slots of bandQuestionAsked and communicationError may (a modal box runs the event loop), as the
// engine has settled its state when it emits them.
class ProtocolEngine : public QObject
{
    Q_OBJECT

public:
    enum class Operation { None, Read, Write, Detect };

    static constexpr int ProgressMaximum = 460;
    static constexpr int SilenceLimit = 5;  // the sixth silent session tick ends the session
    static constexpr int HoldTicks = 9;     // the tenth blink tick after the end gives back
    static constexpr int ReadEnd = 0x0410;  // a read fetches 0x0010 to 0x040F
    static constexpr int ReadBlockSize = 64;
    static constexpr int WriteBlockSize = Layout::WriteBlockSize;
    // Nothing longer than a read-data frame is ever recognised, so more collected bytes tell
    // nothing new; keeping them would only let a chattering line grow the buffer without bound.
    static constexpr int MaxCollected = 256;

    // The frames the program sends.
    static QByteArray wakeUpFrame() { return QByteArrayLiteral("PROGRAM"); }
    static QByteArray readRequest(int address);
    static QByteArray writeBlock(int address, const RadioImage &image);
    static constexpr char GoOn = 0x02;
    static constexpr char Acknowledge = 0x06;
    static constexpr char End = 0x45;
    static constexpr char ModelIdentifier[] = "QVX54";

    // The band index a band code of the identity stands for, -1 for none.
    static int bandOfIdentityCode(quint8 code);

    // The addresses of the 16-byte blocks a write sends, in order: the segments of the image
    // layout a write sends (0x0010 to 0x035F less two gaps), with the calibration block 0x0180
    // only in debug mode.
    static QList<int> writeBlockAddresses(bool debugUnlocked);

    explicit ProtocolEngine(QObject *parent = nullptr);

    // Asked when the radio has identified itself in a write: the image to write. The host can
    // commit an open edit first.
    void setImageProvider(std::function<RadioImage()> provider) { m_imageProvider = std::move(provider); }
    // Asked at each acknowledge of a write: the band index the band selector shows.
    void setSelectedBandProvider(std::function<int()> provider) { m_bandProvider = std::move(provider); }

    // Start a session. False, and nothing happens, while a session or its final hold runs.
    bool startRead();
    bool startWrite(bool debugUnlocked);
    // Only the handshake: wake-up, the radio's identity, then the end frame; no memory is read
    // or written.
    bool startDetect();

    void receive(const QByteArray &bytes);
    void lineBreak();
    void sessionTick();
    void blinkTick();
    void answerBandQuestion(bool yes);
    // The port failed during a session: ends it as the time-out does.
    void portFailed();
    // Ends whatever runs now (telling the radio to leave programming mode) and returns to idle.
    void abort();

    bool isIdle() const { return m_idle; }
    bool commandsLocked() const { return m_commandsLocked; }
    bool sessionTimerActive() const { return m_sessionTimer; }
    bool blinkTimerActive() const { return m_blinkTimer; }
    bool bandQuestionOpen() const { return m_questionOpen; }
    Operation operation() const { return m_operation; }
    int progress() const { return m_progress; }
    // The band the radio named in its identity in the current or last session, -1 when its
    // code names no band or it has not identified itself.
    int identifiedBand() const { return m_identifiedBand; }
    // How many received bytes wait to be recognised as a reply: at most MaxCollected.
    int collectedSize() const { return int(m_receive.size()); }
    SessionMessage status() const { return m_status; }
    // The image the current or last write sends, taken when the radio identified itself.
    const RadioImage &writeImage() const { return m_writeImage; }
    bool statusVisible() const { return m_statusVisible; }

signals:
    void frameToSend(const QByteArray &frame);
    void sessionTimerChanged(bool active);
    void blinkTimerChanged(bool active);
    void statusChanged(SessionMessage status);
    void statusVisibleChanged(bool visible);
    void progressVisibleChanged(bool visible); // shown with the range 0 to ProgressMaximum
    void progressChanged(int value);
    void commandsLockedChanged(bool locked);
    // A session started or ended (the final hold that follows is not part of it).
    void runningChanged(bool running);
    // The host asks SessionMessage::BandMismatch and calls answerBandQuestion.
    void bandQuestionAsked();
    // A read is complete: the 1024 bytes read and the band the radio reported, -1 when its
    // code names no band (the host then takes the band the image holds).
    void readFinished(const RadioImage &image, int radioBand);
    void writeFinished();
    // A detect is complete: the band code of the radio's identity (-1 from identifiedBand() when
    // it names no band). The end frame has been sent and the commands given back.
    void detectFinished(quint8 bandCode);
    // The session ended without an answer from the radio or lost its port; the host shows
    // SessionMessage::CommunicationError. The commands are given back after this signal.
    void communicationError();

private:
    bool start(Operation operation, bool debugUnlocked);
    void act();
    void handshake();
    void writeStep();
    void continueWrite();
    void readStep();
    void finish(SessionMessage result);
    void fail();
    void goIdle();

    void sendFrame(const QByteArray &frame);
    void setSessionTimer(bool active);
    void setBlinkTimer(bool active);
    void setStatus(SessionMessage status);
    void setStatusVisible(bool visible);
    void setProgressVisible(bool visible);
    void setProgress(int value);
    void setIdle(bool idle);
    void setCommandsLocked(bool locked);

    std::function<RadioImage()> m_imageProvider;
    std::function<int()> m_bandProvider;

    bool m_idle = true;
    bool m_handshake = false;
    bool m_finished = false;    // the final hold after a success or a refusal
    bool m_breakPending = false;
    bool m_dataDue = false;     // a read request waits for its data frame
    bool m_questionOpen = false;
    QList<int> m_writeBlocks; // the addresses the write sends
    int m_nextBlock = 0;
    Operation m_operation = Operation::None;
    QByteArray m_receive;       // bytes received since the last frame sent or accepted
    int m_silenceTicks = 0;
    int m_finishTicks = 0;
    int m_nextAddress = 0;
    int m_radioBand = -1;
    int m_identifiedBand = -1;
    RadioImage m_writeImage;
    QByteArray m_readImage;

    bool m_sessionTimer = false;
    bool m_blinkTimer = false;
    bool m_commandsLocked = false;
    bool m_statusVisible = false;
    bool m_progressVisible = false;
    int m_progress = 0;
    SessionMessage m_status = SessionMessage::None;
};
