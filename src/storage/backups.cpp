#include "storage/backups.h"

#include "editor/bands.h"
#include "storage/datafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

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
    QStringList backups;
    const QDir dir(inFolder);
    for (const QString &name : dir.entryList({QStringLiteral("*.DAT")}, QDir::Files, QDir::Name))
        if (backupName().match(name).hasMatch())
            backups << dir.filePath(name);
    return backups; // the names begin with date and time: by name is by age
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
    QStringList backups = list(inFolder);
    while (backups.size() > Kept)
        QFile::remove(backups.takeFirst());
    return {path, {}};
}

} // namespace Backups
