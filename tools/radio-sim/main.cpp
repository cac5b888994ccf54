// qv540-radio-sim: a QV-540 radio on a pseudo-terminal, for trying and testing the programming
// tool without a radio. Prints the terminal's device path on the first line of its output.

#include "interruptwatcher.h"
#include "radiosimulator.h"

#include "image/codec.h"
#include "image/layout.h"
#include "storage/datafile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

bool isDataFile(const QString &path)
{
    return path.endsWith(QLatin1StringView(".dat"), Qt::CaseInsensitive);
}

std::optional<QByteArray> loadMemory(const QString &path, QString *error)
{
    if (isDataFile(path)) {
        const DataFile::ReadResult result = DataFile::read(path);
        if (result.status != DataFile::ReadStatus::Ok) {
            *error = result.error.isEmpty() ? QStringLiteral("not a data file") : result.error;
            return std::nullopt;
        }
        return result.image.bytes();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    return file.read(RadioSimulator::MemorySize);
}

bool saveMemory(const QString &path, const QByteArray &memory, QString *error)
{
    if (isDataFile(path))
        return DataFile::write(path, RadioImage(memory.left(RadioImage::EncodedSize)), error);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(memory) != memory.size()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

QByteArray defaultMemory()
{
    return encodeImage(EditorState()).bytes();
}

int intOption(const QCommandLineParser &parser, const QString &name, int fallback)
{
    if (!parser.isSet(name))
        return fallback;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok, 0);
    if (!ok || value < 0) {
        std::fprintf(stderr, "qv540-radio-sim: --%s needs a number\n", qPrintable(name));
        std::exit(2);
    }
    return value;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("qv540-radio-sim");
    QCoreApplication::setApplicationVersion(QStringLiteral(QV540_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "A QV-540 radio on a pseudo-terminal. Prints the terminal's path on the first line.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {"memory", "Memory from FILE: a data file (.DAT) or 1024 raw bytes.", "FILE"},
        {"save", "Save the memory to FILE (.DAT or raw) after each write and on exit.", "FILE"},
        {"band", "Report band N (0 to 6) whatever the memory holds.", "N"},
        {"band-code", "Report the band code BYTE (such as 0x99).", "BYTE"},
        {"link", "Also make PATH a symbolic link to the terminal.", "PATH"},
        {"unpaced", "Answer at once instead of at the pace of a 9600 baud line."},
        {"silent-after", "Answer N frames, then nothing.", "N"},
        {"stray-byte", "Send a stray byte before the identity."},
        {"split", "Send replies in pieces of N bytes.", "N"},
        {"ack-for-data", "Answer the first read request with an acknowledge."},
        {"wrong-address", "Answer the first read request with the next block."},
        {"ack-for-data-at", "Answer the K-th read request with an acknowledge.", "K"},
        {"wrong-address-at", "Answer the K-th read request with the next block.", "K"},
        {"missing-byte", "Send the K-th reply without its last byte.", "K"},
        {"extra-byte", "Send the K-th reply with one byte more.", "K"},
        {"log", "Log each frame in either direction to FILE, one line each.", "FILE"},
    });
    parser.process(app);

    QByteArray memory = defaultMemory();
    if (parser.isSet("memory")) {
        QString error;
        const auto loaded = loadMemory(parser.value("memory"), &error);
        if (!loaded) {
            std::fprintf(stderr, "qv540-radio-sim: %s: %s\n", qPrintable(parser.value("memory")),
                         qPrintable(error));
            return 1;
        }
        memory = *loaded;
    }

    RadioSimulator radio(memory);
    radio.setPaced(!parser.isSet("unpaced"));
    if (parser.isSet("band")) {
        const int band = intOption(parser, "band", 0);
        if (band >= BandCount) {
            std::fprintf(stderr, "qv540-radio-sim: --band takes 0 to %d\n", BandCount - 1);
            return 2;
        }
        radio.setBandCode(Layout::BandCodes[band]);
    }
    if (parser.isSet("band-code"))
        radio.setBandCode(quint8(intOption(parser, "band-code", 0)));
    RadioSimulator::Faults faults;
    faults.silentAfter = intOption(parser, "silent-after", -1);
    faults.strayByte = parser.isSet("stray-byte");
    faults.split = intOption(parser, "split", 0);
    faults.ackForDataAt = parser.isSet("ack-for-data") ? 1 : intOption(parser, "ack-for-data-at", 0);
    faults.wrongAddressAt = parser.isSet("wrong-address") ? 1 : intOption(parser, "wrong-address-at", 0);
    faults.missingByteAt = intOption(parser, "missing-byte", 0);
    faults.extraByteAt = intOption(parser, "extra-byte", 0);
    radio.setFaults(faults);

    QFile log(parser.value("log"));
    if (parser.isSet("log")) {
        if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            std::fprintf(stderr, "qv540-radio-sim: cannot write the log %s: %s\n", qPrintable(log.fileName()),
                         qPrintable(log.errorString()));
            return 1;
        }
        radio.setLog(&log);
    }

    QString error;
    if (!radio.open(&error)) {
        std::fprintf(stderr, "qv540-radio-sim: cannot create a pseudo-terminal: %s\n", qPrintable(error));
        return 1;
    }
    const QString link = parser.value("link");
    if (!link.isEmpty()) {
        QFile::remove(link);
        if (!QFile::link(radio.devicePath(), link)) {
            std::fprintf(stderr, "qv540-radio-sim: cannot link %s\n", qPrintable(link));
            return 1;
        }
    }
    std::printf("%s\n", qPrintable(radio.devicePath()));
    std::fflush(stdout);

    const QString savePath = parser.value("save");
    auto save = [&] {
        QString saveError;
        if (!savePath.isEmpty() && !saveMemory(savePath, radio.memory(), &saveError))
            std::fprintf(stderr, "qv540-radio-sim: cannot save %s: %s\n", qPrintable(savePath),
                         qPrintable(saveError));
    };
    QObject::connect(&radio, &RadioSimulator::sessionEnded, &app, save);

    // SIGINT and SIGTERM end the event loop, so that the memory is saved on the way out.
    const InterruptWatcher interrupts;
    QObject::connect(&interrupts, &InterruptWatcher::interrupted, &app, &QCoreApplication::quit);
    const int status = app.exec();
    save();
    if (!link.isEmpty())
        QFile::remove(link);
    return status;
}
