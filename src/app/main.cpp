#include "app/mainwindow.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qv540"));
    // Names the installed desktop entry, so that the desktop shows its name and icon for the
    // window (Wayland knows a window by this name alone).
    QApplication::setDesktopFileName(QStringLiteral(QV540_APP_ID));
    MainWindow window(SettingsFile::forThisProgram());
    window.show();
    // A data file named on the command line opens at once, as a file manager expects.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty())
        QTimer::singleShot(0, &window, [&window, file = arguments.constFirst()] { window.openDataFile(file); });
    return app.exec();
}
