#include "storage/inputfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace InputFile {

Kind kindOf(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return Kind::Missing;
    if (S_ISREG(status.st_mode))
        return Kind::Regular;
    if (S_ISDIR(status.st_mode))
        return Kind::Folder;
    if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode))
        return Kind::Stream;
    return Kind::Other;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return Kind::Missing;
    return info.isDir() ? Kind::Folder : info.isFile() ? Kind::Regular : Kind::Other;
#endif
}

Contents read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {Contents::Status::CannotRead, {}, file.errorString()};
    // A stream gives what it has at a time: read until its end or one byte past the bound.
    QByteArray bytes;
    while (bytes.size() <= MaxSize) {
        const QByteArray chunk = file.read(MaxSize + 1 - bytes.size());
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError)
        return {Contents::Status::CannotRead, {}, file.errorString()};
    if (bytes.size() > MaxSize)
        return {Contents::Status::TooLarge, {}, {}};
    return {Contents::Status::Ok, bytes, {}};
}

} // namespace InputFile
