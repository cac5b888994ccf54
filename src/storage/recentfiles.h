#pragma once

#include <QString>
#include <QStringList>

// The data files opened or saved last, newest first, at most eight, kept in an INI file of
// their own (the three-byte settings file has no room for them).
class RecentFiles
{
public:
    static constexpr int Kept = 8;

    explicit RecentFiles(const QString &storePath);

    QStringList paths() const;
    // Puts a file first, once.
    void add(const QString &path);
    void remove(const QString &path);

private:
    void store(const QStringList &paths);

    QString m_storePath;
};
