#include "editor/bands.h"

#include "image/fields.h"

namespace Bands {

QStringList items()
{
    return {"400-500MHz", "450-490MHz", "400-430MHz", "370-390MHz", "350-370MHz", "136-174MHz", "600-720MHz"};
}

Limits limitsOf(const QString &bandText)
{
    return {bandText.mid(0, 3).toInt(), bandText.mid(4, 3).toInt()};
}

bool contains(Limits limits, QStringView frequencyText)
{
    if (frequencyText.isEmpty())
        return true;
    constexpr qint64 PerMHz = 100'000; // units of 10 Hz
    const auto units = frequencyUnits(frequencyText);
    return units && *units >= limits.low * PerMHz && *units < limits.high * PerMHz;
}

} // namespace Bands
