#pragma once

// Starting the main window as the window tests do: in a folder of its own, which holds the
// settings file, and seeing none of the machine's serial ports, so that it behaves alike on
// every machine.

#include "app/mainwindow.h"
#include "common/files.h"
#include "link/portslots.h"

#include <QDir>
#include <QTest>
#include <memory>

// The machine's serial ports are hidden; QV540_PORTS is left to the test.
inline void hideMachinePorts()
{
    PortSlots::setSystemDeviceLister([] { return QList<PortSlots::Device>(); });
}

// A main window whose program folder holds a settings file (none when null) as the preset of
// the user's own, which is written in folder/user; shown and exposed on the screen.
inline std::unique_ptr<MainWindow> startWindow(const QString &folder, const QByteArray &settings)
{
    if (!settings.isNull())
        writeFileBytes(QDir(folder).filePath("parameter"), settings);
    auto window = std::make_unique<MainWindow>(SettingsFile::locate(folder, QDir(folder).filePath("user")));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("the main window was not exposed");
    return window;
}
