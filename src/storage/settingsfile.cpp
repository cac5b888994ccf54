#include "storage/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef QV540_INSTALL_BINDIR
#define QV540_INSTALL_BINDIR ""
#endif

namespace {
const QString FileName = QStringLiteral("parameter");
}

SettingsFile SettingsFile::locate(const QString &programDir, const QString &userConfigDir, const QString &installedDir)
{
    SettingsFile file;
    const QString besideProgram = QDir(programDir).filePath(FileName);
    const QFileInfo dir(programDir);
    const bool installed = !installedDir.isEmpty() && QDir(programDir) == QDir(installedDir);
    if (dir.isDir() && dir.isWritable() && !installed) {
        file.m_readPath = file.m_writePath = besideProgram;
        return file;
    }
    file.m_writePath = QDir(userConfigDir).filePath(FileName);
    file.m_readPath = QFileInfo::exists(file.m_writePath) ? file.m_writePath : besideProgram;
    return file;
}

SettingsFile SettingsFile::forThisProgram()
{
    return locate(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                  QStringLiteral(QV540_INSTALL_BINDIR));
}

Settings SettingsFile::read() const
{
    QFile file(m_readPath);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(3);
    bytes.append(3 - bytes.size(), '\0');
    return {quint8(bytes[0]), quint8(bytes[1]), quint8(bytes[2])};
}

bool SettingsFile::write(const Settings &settings) const
{
    QDir().mkpath(QFileInfo(m_writePath).absolutePath());
    QFile file(m_writePath);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const char bytes[3] = {char(settings.lock), char(settings.port), char(settings.language)};
    return file.write(bytes, 3) == 3 && file.flush();
}
