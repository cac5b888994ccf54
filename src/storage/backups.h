#pragma once

#include "image/radioimage.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// Every completed read of a radio is kept as a data file in the user's data folder, named by
// its date, time and band ("20261210-143502-400-500MHz.DAT"); the 50 newest by modification
// time stay, the one just written always among them. The window and the command-line tool keep
// them in the same folder.
namespace Backups {

inline constexpr int Kept = 50;

// ~/.local/share/qv540/backups on Linux (the data folder of the program "qv540").
QString folder();

struct Result
{
    QString path;  // the backup written; empty when none could be
    QString error; // why not
};

// Keeps the image of a read (as the data file the read saves) for the band it was read on.
// Never throws away a backup it did not make: only files named as backups count for the 50.
Result keep(const RadioImage &image, int band, const QDateTime &when = QDateTime::currentDateTime(),
            const QString &inFolder = folder());

// The backups in a folder (files named as backups), oldest first by modification time, then by
// name.
QStringList list(const QString &inFolder = folder());

} // namespace Backups
