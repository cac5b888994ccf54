#include "editor/testfrequencyrules.h"

#include "image/textconversions.h"

namespace TestFrequencyRules {

namespace {

constexpr double Step5k = 0.005;    // MHz
constexpr double Step6k25 = 0.00625; // MHz
constexpr double FieldLimit = 1000;  // MHz: eight digits of 10 Hz end below it

QString frequencyText(double mhz)
{
    return QString::number(mhz, 'f', 5);
}

// The value lowered onto the raster to which it lies closer; with equal remainders the
// 6.25 kHz raster, which subtracts the same.
double snapReceive(double value)
{
    const double r5 = remainderOf(Step5k, value);
    const double r625 = remainderOf(Step6k25, value);
    return r5 >= r625 ? value - r625 : value - r5;
}

} // namespace

std::optional<Row> afterReceiveEdit(const Row &row, QStringView text)
{
    if (text.isEmpty())
        return Row {};
    const double value = leadingNumber(text);
    if (value >= FieldLimit)
        return std::nullopt;
    Q_UNUSED(row);
    const QString rx = frequencyText(snapReceive(value));
    return Row {rx, rx};
}

std::optional<Row> afterTransmitEdit(const Row &row, QStringView text)
{
    if (text.isEmpty())
        return Row {row.rx, row.rx};
    const double value = leadingNumber(text);
    if (value >= FieldLimit)
        return std::nullopt;
    const double step = remainderOf(Step6k25, leadingNumber(row.rx)) == 0 ? Step6k25 : Step5k;
    return Row {row.rx, frequencyText(value - remainderOf(step, value))};
}

bool transmitEditable(const Row &row)
{
    return !row.rx.isEmpty();
}

} // namespace TestFrequencyRules
