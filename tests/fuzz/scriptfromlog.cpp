// qv540-fuzz-script: turns the frame log of an emulator session (qv540-radio-sim --log) into an
// event script for the protocol engine's fuzz target, as the program lived it: the session
// started at the wake-up frame, each reply of the radio received, and between them the ticks
// of the session and blink timers that the time between the lines let pass.
//
// Usage: qv540-fuzz-script [--write] [--calibration] LOG SCRIPT

#include "eventscript.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cmath>
#include <cstdio>

using namespace EventScript;

namespace {

constexpr double SessionTickSeconds = 0.5;
constexpr double BlinkTickSeconds = 0.2;

struct Ticks
{
    double start = -1; // when the session began
    qint64 session = 0;
    qint64 blink = 0;

    // The timer ticks due between the start and time, not yet in the script.
    QByteArray until(double time)
    {
        QByteArray events;
        if (start < 0)
            return events;
        for (const qint64 due = qint64(std::floor((time - start) / SessionTickSeconds)); session < due; ++session)
            events += event(Event::SessionTick);
        for (const qint64 due = qint64(std::floor((time - start) / BlinkTickSeconds)); blink < due; ++blink)
            events += event(Event::BlinkTick);
        return events;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool write = arguments.removeAll(QStringLiteral("--write")) > 0;
    const bool calibration = arguments.removeAll(QStringLiteral("--calibration")) > 0;
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: qv540-fuzz-script [--write] [--calibration] LOG SCRIPT\n");
        return 2;
    }
    QFile log(arguments.at(0));
    if (!log.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(log.fileName()), qPrintable(log.errorString()));
        return 1;
    }

    QByteArray script;
    Ticks ticks;
    while (!log.atEnd()) {
        // "0.123 program 50 52 4F 47 52 41 4D" or "0.125 radio 06"
        const QList<QByteArray> fields = log.readLine().trimmed().split(' ');
        if (fields.size() < 3)
            continue;
        const double time = fields.at(0).toDouble();
        const QByteArray frame = QByteArray::fromHex(fields.mid(2).join());
        script += ticks.until(time);
        if (fields.at(1) == "radio") {
            script += receive(frame);
        } else if (frame == "PROGRAM") {
            ticks = {time};
            script += write ? event(Event::StartWrite, QByteArray(1, char(calibration))) : event(Event::StartRead);
        }
    }

    QFile out(arguments.at(1));
    if (!out.open(QIODevice::WriteOnly) || out.write(script) != script.size()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(out.fileName()), qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
