#pragma once

#include "image/radioimage.h"

#include <QString>

// Data files ("*.DAT"): the signature "QVF54" followed by the 848 bytes of an encoded image.
namespace DataFile {

inline constexpr char Signature[] = "QVF54";
inline constexpr int SignatureSize = 5;
inline constexpr int FileSize = SignatureSize + RadioImage::EncodedSize;     // 853, as written
inline constexpr int MinimumSize = SignatureSize + RadioImage::DecodedSize;  // 821, to be read

enum class ReadStatus {
    Ok,
    CannotOpen,  // the file could not be opened or read; error says why
    NotDataFile, // wrong signature, or too short to hold the image bytes decoding uses
};

struct ReadResult
{
    ReadStatus status = ReadStatus::CannotOpen;
    RadioImage image; // image bytes 0 to 849 at most, when status is Ok
    QString error;
};

// Reads the image of a data file. Only the first 855 bytes are looked at.
ReadResult read(const QString &path);

// The image held in the bytes of a data file, or nothing when they are no data file.
std::optional<RadioImage> imageOfContents(const QByteArray &contents);

// The bytes of a data file holding an encoded image.
QByteArray contentsOf(const RadioImage &image);

// Writes a data file holding an encoded image, whole or not at all (WholeFile::write). On failure
// returns false and says why in error.
bool write(const QString &path, const RadioImage &image, QString *error = nullptr);

} // namespace DataFile
