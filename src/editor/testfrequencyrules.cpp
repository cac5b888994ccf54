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

// A value as the field stores it: with five decimals, or nothing when it does not fit the eight
// digits (a typed 999.9999999999999 counts as on the raster and would print as 1000.00000).
std::optional<QString> fieldText(double mhz)
{
    const QString text = frequencyText(mhz);
    return leadingNumber(text) < FieldLimit ? std::optional(text) : std::nullopt;
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
    Q_UNUSED(row);
    const auto rx = fieldText(snapReceive(leadingNumber(text)));
    if (!rx)
        return std::nullopt;
    return Row {*rx, *rx};
}

std::optional<Row> afterTransmitEdit(const Row &row, QStringView text)
{
    if (text.isEmpty())
        return Row {row.rx, row.rx};
    const double value = leadingNumber(text);
    const double step = remainderOf(Step6k25, leadingNumber(row.rx)) == 0 ? Step6k25 : Step5k;
    const auto tx = fieldText(value - remainderOf(step, value));
    if (!tx)
        return std::nullopt;
    return Row {row.rx, *tx};
}

bool transmitEditable(const Row &row)
{
    return !row.rx.isEmpty();
}

} // namespace TestFrequencyRules
