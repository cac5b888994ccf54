#pragma once

#include <QString>

// The numbers behind the frequency raster and the texts kept as typed: what the frequency entry,
// the test-frequency rules and the codec share.

// A frequency in 10 Hz units lowered onto the nearer of the 5 kHz and 6.25 kHz rasters (the one
// that changes it less): 43612345 -> 43612000, 43600700 -> 43600625.
qint64 snapUnitsToStep(qint64 units);

// The remainder of value divided by step, as the test-frequency dialog needs it: value itself
// below one step, 0 when the quotient is whole to 15 significant digits (so that rounding
// errors of binary fractions do not count), otherwise value - k * step for the smallest k that
// brings it below one step.
double remainderOf(double step, double value);

// The decimal number at the start of a text, as the scan delays and the test frequencies hold
// their values: leading blanks, a sign, digits and a fraction; 0 when the text starts with no
// number ("12abc" -> 12, "abc" -> 0).
double leadingNumber(QStringView text);
