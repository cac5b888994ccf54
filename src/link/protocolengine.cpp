#include "link/protocolengine.h"

#include "image/layout.h"

namespace {

constexpr int IdentitySize = 8;
constexpr int IdentityBandCode = 5;
constexpr int ReadDataSize = 4 + ProtocolEngine::ReadBlockSize;
constexpr char ReadDataMark = 0x57;
constexpr int ReadProgressStep = 25;
constexpr int ReadProgressCeiling = 450;
constexpr int WriteProgressStep = 10;

QByteArray addressBytes(int address)
{
    QByteArray bytes;
    bytes.append(char(address >> 8)).append(char(address & 0xFF));
    return bytes;
}

bool isAcknowledge(const QByteArray &bytes)
{
    return bytes.size() == 1 && bytes.at(0) == ProtocolEngine::Acknowledge;
}

} // namespace

QByteArray ProtocolEngine::readRequest(int address)
{
    return QByteArray(1, 'R') + addressBytes(address) + char(ReadBlockSize);
}

QByteArray ProtocolEngine::writeBlock(int address, const RadioImage &image)
{
    QByteArray frame = QByteArray(1, 'W') + addressBytes(address) + char(WriteBlockSize);
    const int offset = address - RadioImage::FirstAddress;
    for (int i = 0; i < WriteBlockSize; ++i)
        frame.append(char(image.byte(offset + i)));
    return frame;
}

int ProtocolEngine::bandOfIdentityCode(quint8 code)
{
    // The identity reports the band as the image stores it.
    return Layout::bandOfCode(code).value_or(-1);
}

ProtocolEngine::ProtocolEngine(QObject *parent) : QObject(parent) {}

bool ProtocolEngine::startRead()
{
    return start(Operation::Read, false);
}

bool ProtocolEngine::startWrite(bool debugUnlocked)
{
    return start(Operation::Write, debugUnlocked);
}

bool ProtocolEngine::startDetect()
{
    return start(Operation::Detect, false);
}

bool ProtocolEngine::start(Operation operation, bool debugUnlocked)
{
    if (!m_idle || m_finished)
        return false;
    setIdle(false);
    m_operation = operation;
    m_writeBlocks = operation == Operation::Write ? writeBlockAddresses(debugUnlocked) : QList<int>();
    m_nextBlock = 0;
    m_handshake = true;
    m_dataDue = false;
    m_questionOpen = false;
    m_silenceTicks = 0;
    m_identifiedBand = -1;
    setCommandsLocked(true);
    sendFrame(wakeUpFrame());
    setStatus(SessionMessage::Communicating);
    setStatusVisible(true);
    setSessionTimer(true);
    setBlinkTimer(true);
    return true;
}

void ProtocolEngine::receive(const QByteArray &bytes)
{
    m_receive.append(bytes);
    if (m_receive.size() > MaxCollected)
        m_receive.truncate(MaxCollected);
    if (m_breakPending) {
        // A line break leaves one spurious byte in front of what follows it.
        m_receive.remove(0, 1);
        m_breakPending = false;
    }
    if (m_idle) {
        m_receive.clear(); // the next session starts afresh anyway
        return;
    }
    if (!m_questionOpen)
        act();
}

void ProtocolEngine::lineBreak()
{
    m_breakPending = true;
}

void ProtocolEngine::act()
{
    if (m_handshake)
        handshake();
    else if (m_operation == Operation::Write)
        writeStep();
    else
        readStep();
}

void ProtocolEngine::handshake()
{
    if (isAcknowledge(m_receive)) {
        m_silenceTicks = 0;
        sendFrame(QByteArray(1, GoOn));
        return;
    }
    if (m_receive.size() != IdentitySize || !m_receive.contains(ModelIdentifier))
        return;
    m_silenceTicks = 0;
    // A code that names no band leaves the radio's band unknown: a read then takes the band
    // its image holds, and a write asks before it overwrites the radio's band.
    const quint8 bandCode = quint8(m_receive.at(IdentityBandCode));
    m_radioBand = bandOfIdentityCode(bandCode);
    m_identifiedBand = m_radioBand;
    if (m_operation == Operation::Detect) {
        // A detect ends here, without the final hold; the memory is never touched.
        goIdle();
        sendFrame(QByteArray(1, End));
        setCommandsLocked(false);
        emit detectFinished(bandCode);
        return;
    }
    m_handshake = false;
    m_nextAddress = RadioImage::FirstAddress;
    m_readImage.clear();
    m_dataDue = false;
    if (m_operation == Operation::Write)
        m_writeImage = m_imageProvider ? m_imageProvider() : RadioImage();
    setProgress(0);
    setProgressVisible(true);
    sendFrame(QByteArray(1, Acknowledge));
}

void ProtocolEngine::writeStep()
{
    if (!isAcknowledge(m_receive))
        return;
    if (m_progress < ProgressMaximum)
        setProgress(m_progress + WriteProgressStep);
    m_silenceTicks = 0;
    m_receive.clear();
    const int selected = m_bandProvider ? m_bandProvider() : m_radioBand;
    if (selected != m_radioBand) {
        m_radioBand = selected; // ask once while the selection stays
        m_questionOpen = true;
        emit bandQuestionAsked();
        return;
    }
    continueWrite();
}

void ProtocolEngine::answerBandQuestion(bool yes)
{
    if (!m_questionOpen)
        return;
    m_questionOpen = false;
    m_silenceTicks = 0; // the session timer stood still while the question was open
    m_receive.clear();
    if (yes)
        continueWrite();
    else
        finish(SessionMessage::BandMismatch);
}

void ProtocolEngine::continueWrite()
{
    if (m_nextBlock == m_writeBlocks.size()) {
        finish(SessionMessage::WriteSuccess);
        emit writeFinished();
        return;
    }
    sendFrame(writeBlock(m_writeBlocks.at(m_nextBlock++), m_writeImage));
}

QList<int> ProtocolEngine::writeBlockAddresses(bool debugUnlocked)
{
    QList<int> addresses;
    for (int offset : Layout::writeBlockOffsets(debugUnlocked))
        addresses.append(RadioImage::FirstAddress + offset);
    return addresses;
}

void ProtocolEngine::readStep()
{
    if (isAcknowledge(m_receive)) {
        if (m_dataDue) {
            // Taking this as the cue for the next block would shift every later block.
            fail();
            return;
        }
        if (m_progress < ReadProgressCeiling)
            setProgress(m_progress + ReadProgressStep);
        m_silenceTicks = 0;
        m_receive.clear();
        if (m_nextAddress == ReadEnd) {
            const int band = m_radioBand;
            finish(SessionMessage::ReadSuccess);
            emit readFinished(RadioImage(m_readImage), band);
            return;
        }
        const QByteArray frame = readRequest(m_nextAddress);
        m_nextAddress += ReadBlockSize;
        m_dataDue = true;
        sendFrame(frame);
        return;
    }
    if (m_dataDue && m_receive.size() == ReadDataSize && m_receive.at(0) == ReadDataMark
        && m_receive.mid(1, 2) == addressBytes(m_nextAddress - ReadBlockSize)) {
        m_silenceTicks = 0;
        m_readImage.append(m_receive.mid(4));
        m_dataDue = false;
        sendFrame(QByteArray(1, Acknowledge));
    }
}

void ProtocolEngine::sessionTick()
{
    if (!m_sessionTimer || m_questionOpen)
        return;
    if (++m_silenceTicks > SilenceLimit)
        fail();
}

void ProtocolEngine::blinkTick()
{
    if (!m_blinkTimer)
        return;
    setStatusVisible(!m_statusVisible);
    if (m_finished && ++m_finishTicks > HoldTicks) {
        goIdle();
        setCommandsLocked(false);
    }
}

void ProtocolEngine::portFailed()
{
    if (!m_idle)
        fail();
}

void ProtocolEngine::abort()
{
    const bool running = !m_idle;
    goIdle();
    if (running)
        sendFrame(QByteArray(1, End));
    setCommandsLocked(false);
}

void ProtocolEngine::finish(SessionMessage result)
{
    setIdle(true);
    m_finished = true;
    m_finishTicks = 0;
    setSessionTimer(false);
    setProgressVisible(false);
    setStatus(result);
    sendFrame(QByteArray(1, End));
}

void ProtocolEngine::fail()
{
    m_silenceTicks = 0;
    goIdle();
    sendFrame(QByteArray(1, End));
    emit communicationError();
    setCommandsLocked(false);
}

void ProtocolEngine::goIdle()
{
    setIdle(true);
    m_finished = false;
    m_finishTicks = 0;
    m_questionOpen = false;
    m_receive.clear();
    setSessionTimer(false);
    setBlinkTimer(false);
    setStatusVisible(false);
    setProgressVisible(false);
}

void ProtocolEngine::sendFrame(const QByteArray &frame)
{
    // Each reply is measured from the first byte that arrives after this frame.
    m_receive.clear();
    emit frameToSend(frame);
}

void ProtocolEngine::setSessionTimer(bool active)
{
    if (m_sessionTimer == active)
        return;
    m_sessionTimer = active;
    emit sessionTimerChanged(active);
}

void ProtocolEngine::setBlinkTimer(bool active)
{
    if (m_blinkTimer == active)
        return;
    m_blinkTimer = active;
    emit blinkTimerChanged(active);
}

void ProtocolEngine::setStatus(SessionMessage status)
{
    if (m_status == status)
        return;
    m_status = status;
    emit statusChanged(status);
}

void ProtocolEngine::setStatusVisible(bool visible)
{
    if (m_statusVisible == visible)
        return;
    m_statusVisible = visible;
    emit statusVisibleChanged(visible);
}

void ProtocolEngine::setProgressVisible(bool visible)
{
    if (m_progressVisible == visible)
        return;
    m_progressVisible = visible;
    emit progressVisibleChanged(visible);
}

void ProtocolEngine::setProgress(int value)
{
    m_progress = value;
    emit progressChanged(value);
}

void ProtocolEngine::setIdle(bool idle)
{
    if (m_idle == idle)
        return;
    m_idle = idle;
    emit runningChanged(!idle);
}

void ProtocolEngine::setCommandsLocked(bool locked)
{
    if (m_commandsLocked == locked)
        return;
    m_commandsLocked = locked;
    emit commandsLockedChanged(locked);
}
