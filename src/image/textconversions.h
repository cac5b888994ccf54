#pragma once

#include <QString>

// The small conversions between numbers, hexadecimal text and binary text that the codec, the
// link, the frequency entry and the test-frequency dialog share. Hexadecimal output is upper case.

// Hexadecimal digits of v, with a "0" in front of a single digit: 5 -> "05", 670 -> "29E".
// A fractional v is rounded to the nearest integer (halves to even); a negative v gives its
// 32-bit two's complement.
QString hexByteText(double v);

// Hexadecimal digits of the 16-bit value v, at least four: 300 -> "012C", -1 -> "FFFF".
QString hexWordText(int v);

// Four binary digits per hexadecimal digit; a character that is not a hexadecimal digit
// counts as 0: "F8" -> "11111000", "G" -> "0000".
QString hexToBinaryText(QStringView hex);

// One hexadecimal digit per four binary digits, zeros put in front first until the length is
// a multiple of four; any character but "1" counts as 0: "110000" -> "30".
QString binaryToHexText(QStringView binary);

// A frequency text with five decimals lowered onto the nearer of the 5 kHz and 6.25 kHz
// rasters (the one that changes it less): "436.12345" -> 436.12, "436.00700" -> 436.00625.
double snapFrequencyToStep(QStringView frequency);

// The same on a frequency in 10 Hz units.
qint64 snapUnitsToStep(qint64 units);

// The remainder of value divided by step, as the test-frequency dialog needs it: value itself
// below one step, 0 when the quotient is whole to 15 significant digits (so that rounding
// errors of binary fractions do not count), otherwise value - k * step for the smallest k that
// brings it below one step.
double remainderOf(double step, double value);

// The decimal number at the start of a text, as the option slots and the test frequencies hold
// their values: leading blanks, a sign, digits and a fraction; 0 when the text starts with no
// number ("12abc" -> 12, "abc" -> 0).
double leadingNumber(QStringView text);
