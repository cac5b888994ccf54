#pragma once

#include "image/radioimage.h"
#include "link/sessiondriver.h"

#include <QObject>
#include <functional>

// One programming session of qv540-cli on the session driver the window uses, run to its end
// in a local event loop. It returns as soon as the radio has been told to leave programming
// mode: a command-line run does not wait out the window's final status display.
class CliSession : public QObject
{
    Q_OBJECT

public:
    enum class Result {
        Done,
        NoAnswer, // the radio did not answer, answered wrongly, or the port failed
        Refused,  // the radio's band differs from the file's and the write was not allowed to go on
        Interrupted, // Ctrl+C or SIGTERM: the radio was told to leave programming mode
    };

    explicit CliSession(QObject *parent = nullptr);

    bool open(const QString &device, QString *error);
    void setProgressHandler(std::function<void(int value, int maximum)> handler);

    // A read; on Done, image holds the 1024 bytes and radioBand the band the radio reported
    // (-1 when its code names no band).
    Result read(RadioImage *image, int *radioBand);
    // A write of image. The band check compares fileBand with the radio's band before the
    // first block; a mismatch is written only when overrideBand is set.
    Result write(const RadioImage &image, int fileBand, bool calibration, bool overrideBand);
    // The handshake alone; on Done, bandCode holds the band code of the radio's identity.
    Result detect(quint8 *bandCode);

    // The band the radio named in its identity, -1 when none.
    int radioBand() { return m_driver.engine().identifiedBand(); }

private:
    Result run(const std::function<SessionDriver::StartResult()> &start);

    SessionDriver m_driver;
    std::function<void(int, int)> m_progress;
    RadioImage m_writeImage;
    int m_fileBand = 0;
    bool m_overrideBand = false;
    RadioImage m_readImage;
    int m_readBand = -1;
    quint8 m_bandCode = 0;
};
