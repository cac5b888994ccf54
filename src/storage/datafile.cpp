#include "storage/datafile.h"

#include "storage/wholefile.h"

#include <QFile>

namespace DataFile {

namespace {
// A saved file holds 853 bytes; reading takes two more, which decoding never uses.
constexpr int BytesRead = FileSize + 2;
}

std::optional<RadioImage> imageOfContents(const QByteArray &contents)
{
    if (contents.size() < MinimumSize || !contents.startsWith(Signature))
        return std::nullopt;
    return RadioImage(contents.mid(SignatureSize, BytesRead - SignatureSize));
}

ReadResult read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {ReadStatus::CannotOpen, {}, file.errorString()};
    const QByteArray contents = file.read(BytesRead);
    if (file.error() != QFileDevice::NoError)
        return {ReadStatus::CannotOpen, {}, file.errorString()};
    if (const auto image = imageOfContents(contents))
        return {ReadStatus::Ok, *image, {}};
    return {ReadStatus::NotDataFile, {}, {}};
}

QByteArray contentsOf(const RadioImage &image)
{
    Q_ASSERT(image.size() == RadioImage::EncodedSize);
    return QByteArray(Signature) + image.bytes();
}

bool write(const QString &path, const RadioImage &image, QString *error)
{
    return writeWholeFile(path, contentsOf(image), error);
}

} // namespace DataFile
