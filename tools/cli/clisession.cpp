#include "clisession.h"

#include "interruptwatcher.h"

#include <QEventLoop>

CliSession::CliSession(QObject *parent) : QObject(parent)
{
    ProtocolEngine &engine = m_driver.engine();
    engine.setImageProvider([this] { return m_writeImage; });
    engine.setSelectedBandProvider([this] { return m_fileBand; });
    connect(&engine, &ProtocolEngine::progressChanged, this, [this](int value) {
        if (m_progress)
            m_progress(value, ProtocolEngine::ProgressMaximum);
    });
}

bool CliSession::open(const QString &device, QString *error)
{
    return m_driver.openPort(device, error);
}

void CliSession::setProgressHandler(std::function<void(int, int)> handler)
{
    m_progress = std::move(handler);
}

CliSession::Result CliSession::read(RadioImage *image, int *radioBand)
{
    const Result result = run([this] { return m_driver.startRead(); });
    if (result == Result::Done) {
        *image = m_readImage;
        *radioBand = m_readBand;
    }
    return result;
}

CliSession::Result CliSession::write(const RadioImage &image, int fileBand, bool calibration, bool overrideBand)
{
    m_writeImage = image;
    m_fileBand = fileBand;
    m_overrideBand = overrideBand;
    return run([this, calibration] { return m_driver.startWrite(calibration); });
}

CliSession::Result CliSession::detect(quint8 *bandCode)
{
    const Result result = run([this] { return m_driver.startDetect(); });
    if (result == Result::Done)
        *bandCode = m_bandCode;
    return result;
}

CliSession::Result CliSession::run(const std::function<SessionDriver::StartResult()> &start)
{
    ProtocolEngine &engine = m_driver.engine();
    QEventLoop loop;
    std::optional<Result> result;
    auto end = [&](Result r) {
        result = r;
        loop.quit();
    };
    QObject context; // ends the connections with this session
    connect(&engine, &ProtocolEngine::readFinished, &context, [&](const RadioImage &image, int band) {
        m_readImage = image;
        m_readBand = band;
        end(Result::Done);
    });
    connect(&engine, &ProtocolEngine::writeFinished, &context, [&] { end(Result::Done); });
    connect(&engine, &ProtocolEngine::detectFinished, &context, [&](quint8 bandCode) {
        m_bandCode = bandCode;
        end(Result::Done);
    });
    connect(&engine, &ProtocolEngine::communicationError, &context, [&] { end(Result::NoAnswer); });
    // Stopped by the user: a radio left in programming mode would not work until switched off.
    const InterruptWatcher interrupts;
    connect(&interrupts, &InterruptWatcher::interrupted, &context, [&] {
        engine.abort();
        end(Result::Interrupted);
    });
    // Answering No ends the session with nothing written but the end frame.
    connect(&engine, &ProtocolEngine::bandQuestionAsked, &context, [&] {
        engine.answerBandQuestion(m_overrideBand);
        if (!m_overrideBand)
            end(Result::Refused);
    });

    if (start() != SessionDriver::StartResult::Started)
        return Result::NoAnswer;
    if (!result)
        loop.exec();
    m_driver.link().waitForWritten(SessionDriver::FlushTimeout);
    return *result;
}
