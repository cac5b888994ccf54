#include "app/commandline.h"
#include "app/mainwindow.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Help, the version and a usage error go to the terminal; only help and the version exit 0.
int answer(const CommandLine &line)
{
    switch (line.request) {
    case CommandLine::Request::Help:
        std::fputs(CommandLine::helpText().toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Request::Version:
        std::printf("qv540 %s\n", QV540_VERSION);
        return 0;
    default:
        std::fprintf(stderr, "qv540: %s (see qv540 --help)\n", line.error.toUtf8().constData());
        return 2;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Answered before the application object, which needs a display.
    if (const CommandLine early = CommandLine::early(argumentsOf(argc, argv)); early.request != CommandLine::Request::Run)
        return answer(early);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qv540"));
    QApplication::setApplicationVersion(QStringLiteral(QV540_VERSION));
    // Names the installed desktop entry, so that the desktop shows its name and icon for the
    // window (Wayland knows a window by this name alone).
    QApplication::setDesktopFileName(QStringLiteral(QV540_APP_ID));
    const CommandLine line = CommandLine::parse(QApplication::arguments().mid(1));
    if (line.request != CommandLine::Request::Run)
        return answer(line);
    MainWindow window(SettingsFile::forThisProgram());
    window.show();
    // A data file named on the command line opens at once, as a file manager expects.
    if (!line.file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file = line.file] { window.openDataFile(file); });
    return app.exec();
}
