#include "image/textconversions.h"

#include <algorithm>
#include <cmath>

qint64 snapUnitsToStep(qint64 units)
{
    const qint64 x = units % 10000; // tens of hertz within the 100 kHz step
    const qint64 r5 = x % 500;
    const qint64 r6 = x % 625;
    if (r5 == 0 || r6 == 0)
        return units;
    return units - std::min(r5, r6);
}

double remainderOf(double step, double value)
{
    if (value < step)
        return value;
    if (!(step > 0) || !std::isfinite(value))
        return value; // no step to take away: nothing sensible to subtract
    const double quotient = value / step;
    if (!QString::number(quotient, 'g', 15).contains(QLatin1Char('.')))
        return 0;
    // The smallest k with value - k * step < step. value - k * step falls as k grows, so start
    // from the estimate the quotient gives and walk the few steps to the exact boundary instead
    // of counting up from 1, which takes value / step turns.
    if (quotient >= 4503599627370496.0) // 2^52: k would no longer step by one
        return std::fmod(value, step);
    double k = std::max(1.0, std::floor(quotient) - 1);
    while (k > 1 && value - (k - 1) * step < step)
        --k;
    while (value - k * step >= step)
        ++k;
    return value - k * step;
}

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    while (i < text.size() && (text[i].isDigit() && text[i].unicode() < 128))
        ++i;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && (text[i].isDigit() && text[i].unicode() < 128))
            ++i;
    }
    bool ok = false;
    const double value = text.sliced(start, i - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}
