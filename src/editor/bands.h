#pragma once

#include "image/channel.h"

#include <QString>
#include <QStringList>

// The seven frequency bands of the band selector, in its order (the order the image and the
// radio's identity use), and the limits each allows, in whole MHz.
namespace Bands {

QStringList items(); // "400-500MHz", "450-490MHz", ...

struct Limits
{
    int low = 0;  // lowest frequency allowed
    int high = 0; // first frequency no longer allowed
};

// The limits written in a band text: the low limit from its characters 1 to 3, the high limit
// from its characters 5 to 7.
Limits limitsOf(const QString &bandText);

// Whether a frequency lies in the band: from its low limit up to, not including, its high
// limit. No frequency counts as inside; a field of other than decimal digits as outside.
bool contains(Limits limits, const Frequency &frequency);

} // namespace Bands
