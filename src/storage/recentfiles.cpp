#include "storage/recentfiles.h"

#include <QSettings>

namespace {
const QString Key = QStringLiteral("recentFiles");
}

RecentFiles::RecentFiles(const QString &storePath)
    : m_storePath(storePath)
{
}

QStringList RecentFiles::paths() const
{
    const QSettings settings(m_storePath, QSettings::IniFormat);
    return settings.value(Key).toStringList().mid(0, Kept);
}

void RecentFiles::add(const QString &path)
{
    QStringList list = paths();
    list.removeAll(path);
    list.prepend(path);
    store(list.mid(0, Kept));
}

void RecentFiles::remove(const QString &path)
{
    QStringList list = paths();
    list.removeAll(path);
    store(list);
}

void RecentFiles::store(const QStringList &paths)
{
    QSettings settings(m_storePath, QSettings::IniFormat);
    settings.setValue(Key, paths);
}
