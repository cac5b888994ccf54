#pragma once

#include <QByteArray>
#include <QString>

// Writes a file whole or not at all: the bytes go to a temporary file beside the target, which
// then replaces it, keeping its permissions. An existing file is either replaced whole or left
// untouched, also when the disk fills up. On failure returns false and says why in error.
bool writeWholeFile(const QString &path, const QByteArray &contents, QString *error = nullptr);
