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

} // namespace Bands
