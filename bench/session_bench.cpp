// Times full read and write sessions of the session driver against the radio emulator, paced at
// 9600 baud 8N1, through a real pseudo-terminal, and prints each as a ratio to its wire time.
// A session should be limited by the wire: the goal is a ratio of 1.05 or less.

#include "image/codec.h"
#include "link/sessiondriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <cstdio>

namespace {

constexpr double ByteSeconds = 10.0 / 9600.0;
constexpr int ReadWireBytes = 1204; // both directions, the end frame included
constexpr int WriteWireBytes = 986;

// Runs the event loop until the signal fires; the elapsed seconds, or -1 after 10 s.
template<typename Signal>
double timeUntil(ProtocolEngine &engine, Signal signal, const std::function<void()> &start)
{
    QEventLoop loop;
    QObject::connect(&engine, signal, &loop, &QEventLoop::quit);
    QObject::connect(&engine, &ProtocolEngine::communicationError, &loop, [&loop] { loop.exit(1); });
    QTimer::singleShot(10000, &loop, [&loop] { loop.exit(1); });
    QElapsedTimer clock;
    clock.start();
    start();
    const bool ok = loop.exec() == 0;
    const double seconds = clock.nsecsElapsed() / 1e9;
    engine.abort(); // leave the two-second hold at once
    return ok ? seconds : -1;
}

void report(const char *name, const QList<double> &times, int wireBytes)
{
    const double wire = wireBytes * ByteSeconds;
    double sum = 0;
    double worst = 0;
    for (double t : times) {
        sum += t;
        worst = std::max(worst, t);
    }
    const double mean = sum / times.size();
    std::printf("%-6s %5d bytes  wire %.3f s  mean %.3f s  ratio %.3f  worst ratio %.3f  (%lld runs)\n",
                name, wireBytes, wire, mean, mean / wire, worst / wire, qlonglong(times.size()));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QProcess radio;
    radio.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    radio.start(QStringLiteral(QV540_RADIO_SIM), {});
    if (!radio.waitForStarted() || !radio.waitForReadyRead()) {
        std::fprintf(stderr, "cannot start the emulator\n");
        return 1;
    }
    const QString device = QString::fromLocal8Bit(radio.readLine().trimmed());

    SessionDriver driver;
    QString error;
    if (!driver.openPort(device, &error)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(device), qPrintable(error));
        return 1;
    }
    const RadioImage image = encodeImage(EditorState());
    driver.engine().setImageProvider([&image] { return image; });
    driver.engine().setSelectedBandProvider([] { return 0; });

    QList<double> reads;
    QList<double> writes;
    for (int i = 0; i < runs; ++i) {
        const double read = timeUntil(driver.engine(), &ProtocolEngine::readFinished,
                                      [&driver] { driver.startRead(); });
        const double write = timeUntil(driver.engine(), &ProtocolEngine::writeFinished,
                                       [&driver] { driver.startWrite(false); });
        if (read < 0 || write < 0) {
            std::fprintf(stderr, "a session failed\n");
            return 1;
        }
        reads << read;
        writes << write;
    }
    report("read", reads, ReadWireBytes);
    report("write", writes, WriteWireBytes);

    driver.closePort();
    radio.terminate();
    radio.waitForFinished();
    return 0;
}
