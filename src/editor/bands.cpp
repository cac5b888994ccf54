#include "editor/bands.h"

namespace Bands {

QStringList items()
{
    return {"400-500MHz", "450-490MHz", "400-430MHz", "370-390MHz", "350-370MHz", "136-174MHz", "600-720MHz"};
}

Limits limitsOf(const QString &bandText)
{
    return {bandText.mid(0, 3).toInt(), bandText.mid(4, 3).toInt()};
}

bool contains(Limits limits, const Frequency &frequency)
{
    if (frequency.isNone())
        return true;
    constexpr qint64 PerMHz = 100'000; // units of 10 Hz
    const auto units = frequency.units();
    return units && *units >= limits.low * PerMHz && *units < limits.high * PerMHz;
}

} // namespace Bands
