#include "storage/wholefile.h"

#include <QSaveFile>

namespace WholeFile {

bool write(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    auto failed = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false; // the temporary file goes with the uncommitted QSaveFile
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    // A disk that fills up (or a file size limit) takes part of the bytes, and the file often
    // reports no error for it; committing would then put a cut file in place of the target. The
    // flush and the size of the temporary file tell, before anything is replaced.
    const bool complete = file.write(bytes) == bytes.size() && file.flush() && file.size() == bytes.size();
    if (!complete)
        return failed(QStringLiteral("not all of its %1 bytes could be written; the disk may be full").arg(bytes.size()));
    if (!file.commit())
        return failed(file.errorString());
    return true;
}

} // namespace WholeFile
