#include "storage/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString FileName = QStringLiteral("parameter");
}

SettingsFile SettingsFile::locate(const QString &programDir, const QString &userConfigDir)
{
    SettingsFile file;
    file.m_writePath = QDir(userConfigDir).filePath(FileName);
    file.m_readPath = QFileInfo::exists(file.m_writePath) ? file.m_writePath : QDir(programDir).filePath(FileName);
    return file;
}

SettingsFile SettingsFile::forThisProgram()
{
    return locate(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
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
    // The user's first file starts as a copy of the preset, so that bytes after the three stay.
    if (!QFileInfo::exists(m_writePath) && m_readPath != m_writePath && QFileInfo(m_readPath).isFile())
        QFile::copy(m_readPath, m_writePath);
    QFile file(m_writePath);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const char bytes[3] = {char(settings.lock), char(settings.port), char(settings.language)};
    return file.write(bytes, 3) == 3 && file.flush();
}
