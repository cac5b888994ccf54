#include "storage/backups.h"

#include "editor/bands.h"
#include "storage/datafile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace Backups {

namespace {

const QRegularExpression &backupName()
{
    static const QRegularExpression pattern(QStringLiteral(R"(^\d{8}-\d{6}-.*MHz(-\d+)?\.DAT$)"));
    return pattern;
}

QString bandName(int band)
{
    const QStringList names = Bands::items();
    return band >= 0 && band < names.size() ? names.at(band) : QStringLiteral("unknown-band");
}

} // namespace

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/qv540/backups");
}

QStringList list(const QString &inFolder)
{
    QList<QFileInfo> backups;
    const QDir dir(inFolder);
    for (const QFileInfo &file : dir.entryInfoList({QStringLiteral("*.DAT")}, QDir::Files))
        if (backupName().match(file.fileName()).hasMatch())
            backups << file;
    // By age as the file system tells it: the date in a name comes from a clock that may have
    // been wrong, or from another computer.
    std::sort(backups.begin(), backups.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const QDateTime aTime = a.lastModified(), bTime = b.lastModified();
        return aTime != bTime ? aTime < bTime : a.fileName() < b.fileName();
    });
    QStringList paths;
    for (const QFileInfo &file : backups)
        paths << file.filePath();
    return paths;
}

Result keep(const RadioImage &image, int band, const QDateTime &when, const QString &inFolder)
{
    if (!QDir().mkpath(inFolder))
        return {{}, QStringLiteral("cannot create the folder %1").arg(inFolder)};
    const QString stem = QStringLiteral("%1/%2-%3").arg(inFolder, when.toString(QStringLiteral("yyyyMMdd-HHmmss")),
                                                        bandName(band));
    QString path = stem + QStringLiteral(".DAT");
    for (int n = 2; QFileInfo::exists(path); ++n) // two reads within a second
        path = QStringLiteral("%1-%2.DAT").arg(stem).arg(n);
    QString error;
    if (!DataFile::write(path, image, &error))
        return {{}, error};
    // The backup just written stays, whatever the others' dates; the oldest others go.
    QStringList others = list(inFolder);
    const QString kept = QFileInfo(path).absoluteFilePath();
    others.removeIf([&kept](const QString &other) { return QFileInfo(other).absoluteFilePath() == kept; });
    while (others.size() >= Kept)
        QFile::remove(others.takeFirst());
    return {path, {}};
}

} // namespace Backups
