#pragma once

#include <QByteArray>
#include <QString>

// Files written whole or not at all.
namespace WholeFile {

// Writes bytes to a temporary file beside path which then replaces it, keeping its permissions:
// an existing file is either replaced whole or left untouched, also when the disk fills up. On
// failure returns false and says why in error.
bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace WholeFile
