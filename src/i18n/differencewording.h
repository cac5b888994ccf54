#pragma once

#include "image/differences.h"

#include <QJsonObject>
#include <QString>

// The names of what can differ between two programmings, and how the command-line tool writes a
// difference: in English, values as `dump --json` and `encode` write them.
namespace DifferenceWording {

// What a value belongs to, in English: "channel", "band", "setting", "optional function", "key",
// "embedded text", "debug", "test frequency" or "byte".
QString section(Differences::Field field);

// Where the window finds a value's name in the caption table ("Label6", "Form5.Label9"), and the
// name the command-line tool gives it ("Squelch Grade", "DTMF rate"). A value of a channel,
// a test frequency row, an auto-dial code or an embedded text is numbered after that name.
struct Name
{
    const char *captionKey;
    const char *english;
};
Name nameOf(Differences::Field field);

// A stored text with its control characters (a radio's memory may hold any byte) written as
// "\x0A", so that it shows on one line.
QString withControlsEscaped(const QString &text);

// An image offset as both name bytes: "0x01A0".
QString offsetText(int offset);

// The line the command-line tool prints: "channel 3 RX frequency: 436.12500 -> 438.00000",
// "channel 5: added", "Squelch Grade: 1 -> 5", "byte 0x01A0: FF -> 00".
QString line(const Differences::Difference &difference);

// The same as an object: what, channel (for a channel or test frequency row), field, a, b.
QJsonObject json(const Differences::Difference &difference);

} // namespace DifferenceWording
