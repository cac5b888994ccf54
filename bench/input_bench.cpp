// The memory and time qv540-cli takes for the largest inputs it can be given: a channel list of a
// million rows, a file of a gigabyte, an endless device, and the worst inputs within its bound of
// 1 MiB. Prints, for each, the exit status, the peak resident memory of the tool and the time.
//
// Usage: qv540-bench-inputs   (run from the build folder; writes its inputs to a temporary folder)

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Measure
{
    int status = -1;
    long peakKilobytes = 0;
    double seconds = 0;
};

// Runs the tool with its output thrown away; the peak memory is the child's own.
Measure runTool(const QStringList &arguments)
{
    QList<QByteArray> bytes {QByteArrayLiteral(QV540_CLI)};
    for (const QString &argument : arguments)
        bytes << argument.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr))
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss, clock.nsecsElapsed() / 1e9};
}

// Writes the input a piece at a time: the benchmark's own memory stays small, since a child's
// peak counts what it shared with this process before it started the tool.
bool writeFile(const QString &path, const QByteArray &head, const QByteArray &piece, qint64 size,
               const QByteArray &tail = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(head);
    qint64 written = head.size();
    while (written + piece.size() + tail.size() <= size) {
        file.write(piece);
        written += piece.size();
    }
    file.write(tail);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    auto path = [&dir](const char *name) { return dir.filePath(QString::fromLatin1(name)); };

    // Inputs beyond the bound: refused at once.
    const QByteArray csvHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                 "DtcsPolarity,RxDtcsCode,CrossMode,Mode\n";
    const QByteArray csvRow = "1,,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM\n";
    writeFile(path("million.csv"), csvHeader, csvRow, csvHeader.size() + 1'000'000 * csvRow.size());
    QFile huge(path("gigabyte.csv"));
    huge.open(QIODevice::WriteOnly);
    huge.resize(1'000'000'000); // sparse: reads as zeros
    huge.close();
    const QByteArray jsonHead = R"({"channels": [)";
    const QByteArray jsonChannel = R"({"channel": 1, "rx": "436.125"},)";
    const QByteArray jsonTail = R"({"channel": 1, "rx": "436.125"}]})";
    writeFile(path("million.json"), jsonHead, jsonChannel, jsonHead.size() + 1'000'000 * jsonChannel.size(),
              jsonTail);

    // The worst inputs within the bound: every row skipped, one line of commas, a long JSON.
    const qint64 bound = 1024 * 1024;
    writeFile(path("skipped rows.csv"), "Location,Frequency\n", "1,520\n", bound);
    writeFile(path("commas.csv"), "Frequency", ",", bound);
    writeFile(path("long.json"), jsonHead, jsonChannel, bound, jsonTail);

    const struct { const char *name; QStringList arguments; } cases[] = {
        {"CSV of 1,000,000 rows (85 MB)", {"import", path("million.csv"), "-o", path("out.DAT")}},
        {"CSV of 1 GB", {"import", path("gigabyte.csv"), "-o", path("out.DAT")}},
        {"import /dev/zero", {"import", "/dev/zero", "-o", path("out.DAT")}},
        {"JSON of 1,000,000 channels", {"encode", path("million.json"), "-o", path("out.DAT")}},
        {"encode /dev/zero", {"encode", "/dev/zero", "-o", path("out.DAT")}},
        {"CSV of 1 MiB, every row skipped", {"import", path("skipped rows.csv"), "-o", path("out.DAT")}},
        {"CSV of 1 MiB of commas", {"import", path("commas.csv"), "-o", path("out.DAT")}},
        {"JSON of 1 MiB", {"encode", path("long.json"), "-o", path("out.DAT")}},
    };
    std::printf("%-36s %6s %10s %9s\n", "input", "status", "peak MB", "seconds");
    std::fflush(stdout);
    for (const auto &c : cases) {
        const Measure m = runTool(c.arguments);
        std::printf("%-36s %6d %10.1f %9.3f\n", c.name, m.status, m.peakKilobytes / 1024.0, m.seconds);
        std::fflush(stdout); // before the next fork, which would copy what is still buffered
    }
    return 0;
}
