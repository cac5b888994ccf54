#include "link/sessiondriver.h"

SessionDriver::SessionDriver(QObject *parent) : QObject(parent)
{
    m_sessionTimer.setInterval(SessionInterval);
    m_blinkTimer.setInterval(BlinkInterval);
    connect(&m_sessionTimer, &QTimer::timeout, &m_engine, &ProtocolEngine::sessionTick);
    connect(&m_blinkTimer, &QTimer::timeout, &m_engine, &ProtocolEngine::blinkTick);
    connect(&m_engine, &ProtocolEngine::sessionTimerChanged, this,
            [this](bool active) { run(m_sessionTimer, active); });
    connect(&m_engine, &ProtocolEngine::blinkTimerChanged, this,
            [this](bool active) { run(m_blinkTimer, active); });
    connect(&m_engine, &ProtocolEngine::frameToSend, &m_link, &SerialLink::write);
    connect(&m_link, &SerialLink::received, &m_engine, &ProtocolEngine::receive);
    connect(&m_link, &SerialLink::lineBreak, &m_engine, &ProtocolEngine::lineBreak);
    connect(&m_link, &SerialLink::failed, &m_engine, &ProtocolEngine::portFailed);
}

void SessionDriver::closePort()
{
    if (!m_engine.isIdle())
        m_engine.abort();
    m_link.waitForWritten(FlushTimeout); // closing would discard the end frame
    m_link.close();
}

SessionDriver::StartResult SessionDriver::startRead()
{
    if (!m_link.isOpen())
        return StartResult::PortNotOpen;
    return started(m_engine.startRead());
}

SessionDriver::StartResult SessionDriver::startWrite(bool debugUnlocked)
{
    if (!m_link.isOpen())
        return StartResult::PortNotOpen;
    return started(m_engine.startWrite(debugUnlocked));
}

SessionDriver::StartResult SessionDriver::startDetect()
{
    if (!m_link.isOpen())
        return StartResult::PortNotOpen;
    return started(m_engine.startDetect());
}

SessionDriver::StartResult SessionDriver::started(bool accepted) const
{
    return accepted ? StartResult::Started : StartResult::Busy;
}

void SessionDriver::run(QTimer &timer, bool active)
{
    if (active)
        timer.start();
    else
        timer.stop();
}
