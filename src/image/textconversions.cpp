#include "image/textconversions.h"

#include "image/fields.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

QString hexByteText(double v)
{
    if (!std::isfinite(v))
        v = 0;
    v = std::clamp(v, -2147483648.0, 4294967295.0);
    const auto whole = static_cast<std::int64_t>(std::nearbyint(v));
    const auto bits = static_cast<std::uint32_t>(whole);
    QString text = QString::number(bits, 16).toUpper();
    if (text.size() < 2)
        text.prepend(QLatin1Char('0'));
    return text;
}

QString hexWordText(int v)
{
    return QString::number(static_cast<std::uint16_t>(v), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString hexToBinaryText(QStringView hex)
{
    static const QLatin1StringView nibbles("0000000100100011010001010110011110001001101010111100110111101111");
    QString binary;
    binary.reserve(hex.size() * 4);
    for (QChar c : hex) {
        bool ok = false;
        int n = QString(c).toInt(&ok, 16);
        if (!ok)
            n = 0;
        binary += nibbles.sliced(4 * n, 4);
    }
    return binary;
}

QString binaryToHexText(QStringView binary)
{
    QString padded = binary.toString();
    while (padded.size() % 4 != 0)
        padded.prepend(QLatin1Char('0'));
    QString hex;
    for (qsizetype i = 0; i < padded.size(); i += 4) {
        int n = 0;
        for (int bit = 0; bit < 4; ++bit)
            n = n * 2 + (padded[i + bit] == QLatin1Char('1') ? 1 : 0);
        hex += QString::number(n, 16).toUpper();
    }
    return hex;
}

qint64 snapUnitsToStep(qint64 units)
{
    const qint64 x = units % 10000; // tens of hertz within the 100 kHz step
    const qint64 r5 = x % 500;
    const qint64 r6 = x % 625;
    if (r5 == 0 || r6 == 0)
        return units;
    return units - std::min(r5, r6);
}

double snapFrequencyToStep(QStringView frequency)
{
    const auto units = frequencyUnits(frequency);
    if (!units)
        return frequency.toDouble();
    return snapUnitsToStep(*units) / 100000.0;
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
