#pragma once

#include <QByteArray>
#include <QString>

// Files the programs read from outside: what kind of file a path names, and channel lists (CSV)
// and programmings (JSON) read whole but never beyond a bound, so that no input, a huge file or
// an endless device, can take the memory or the time of the program.
namespace InputFile {

// What a path names. A stream (a FIFO, a pipe, a character device) can be read by a program that
// may wait for it; the window opens nothing but regular files, which never keep it waiting.
enum class Kind { Missing, Regular, Stream, Folder, Other /* a socket, a block device */ };
Kind kindOf(const QString &path);

// A channel list of 16 channels needs a few kB; no input the programs take is larger than this.
inline constexpr qint64 MaxSize = 1024 * 1024;

struct Contents
{
    enum class Status { Ok, CannotRead, TooLarge };
    Status status = Status::CannotRead;
    QByteArray bytes; // when Ok
    QString error;    // why not, when it cannot be read
};

// Reads a file or stream whole, up to MaxSize bytes: one byte more and it is too large, and
// nothing more is read.
Contents read(const QString &path);

} // namespace InputFile
