#include "image/fields.h"

#include <algorithm>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isUpperHexDigit(QChar c)
{
    return isAsciiDigit(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

} // namespace

std::optional<qint64> decimalUnits(QStringView text, int decimals, qint64 limit)
{
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? text : text.first(point);
    const QStringView fraction = point < 0 ? QStringView() : text.sliced(point + 1);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    for (QStringView part : {whole, fraction})
        for (QChar c : part)
            if (!isAsciiDigit(c))
                return std::nullopt;

    Q_ASSERT(decimals >= 0 && decimals <= 18 && limit <= 1'000'000'000'000'000'000);
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    // A whole part above this makes the value reach the limit; stopping there keeps the
    // arithmetic below from overflowing, however many digits the text has.
    const qint64 wholeLimit = limit / scale;
    qint64 units = 0;
    for (QChar c : whole) {
        if (units > wholeLimit / 10)
            return std::nullopt;
        units = units * 10 + c.digitValue();
    }
    if (units > wholeLimit)
        return std::nullopt;
    for (int i = 0; i < decimals; ++i)
        units = units * 10 + (i < fraction.size() ? fraction[i].digitValue() : 0);
    if (fraction.size() > decimals && fraction[decimals].digitValue() >= 5)
        ++units;
    if (units >= limit)
        return std::nullopt;
    return units;
}

namespace {

quint8 hexPair(QChar high, QChar low)
{
    return quint8((QString(high) + low).toUInt(nullptr, 16));
}

} // namespace

QString frequencyText(const FrequencyBytes &bytes)
{
    if (bytes == NoFrequency)
        return {};
    auto hex = [&](int i) { return QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0')).toUpper(); };
    const QString h2 = hex(2);
    return hex(3) + h2[0] + QLatin1Char('.') + h2[1] + hex(1) + hex(0);
}

std::optional<qint64> frequencyUnits(QStringView text)
{
    return decimalUnits(text, 5, 100'000'000);
}

QString frequencyTextOfUnits(qint64 units)
{
    QString digits = QStringLiteral("%1").arg(units, 8, 10, QLatin1Char('0'));
    return digits.insert(3, QLatin1Char('.'));
}

bool isFrequencyFieldShape(QStringView text)
{
    if (text.size() != 9 || text[3] != QLatin1Char('.'))
        return false;
    return std::all_of(text.begin(), text.begin() + 3, isUpperHexDigit)
        && std::all_of(text.begin() + 4, text.end(), isUpperHexDigit);
}

FrequencyBytes frequencyBytes(QStringView text)
{
    if (text.isEmpty())
        return NoFrequency;
    QString shaped;
    if (isFrequencyFieldShape(text)) {
        shaped = text.toString();
    } else {
        const auto units = frequencyUnits(text);
        if (!units)
            return NoFrequency;
        shaped = frequencyTextOfUnits(*units);
    }
    // c1 c2 c3 . c5 c6 c7 c8 c9 -> c8c9, c6c7, c3c5, c1c2
    const QString &c = shaped;
    return {hexPair(c[7], c[8]), hexPair(c[5], c[6]), hexPair(c[2], c[4]), hexPair(c[0], c[1])};
}

std::optional<DcsCode> parseDcsText(QStringView text)
{
    if (text.size() < 3 || text.front() != QLatin1Char('D'))
        return std::nullopt;
    const QChar polarity = text.back();
    if (polarity != QLatin1Char('N') && polarity != QLatin1Char('I'))
        return std::nullopt;
    QStringView digits = text.sliced(1, text.size() - 2);
    if (!std::all_of(digits.begin(), digits.end(), isAsciiDigit))
        return std::nullopt;

    // Digits worth more than 777 stand for the highest code.
    QStringView significant = digits;
    while (significant.size() > 1 && significant.front() == QLatin1Char('0'))
        significant = significant.sliced(1);
    if (significant.size() > 3 || significant.toInt() > 777)
        digits = u"777";
    if (digits.size() > 3)
        return std::nullopt;

    int code = 0;
    for (QChar c : digits) {
        if (c.digitValue() > 7)
            return std::nullopt;
        code = code * 8 + c.digitValue();
    }
    return DcsCode {code, polarity == QLatin1Char('I')};
}

QString dcsText(DcsCode dcs)
{
    return QStringLiteral("D%1%2")
        .arg(dcs.code, 3, 8, QLatin1Char('0'))
        .arg(dcs.inverted ? QLatin1Char('I') : QLatin1Char('N'));
}

QString toneText(quint16 word)
{
    const int kind = word >> 12;
    if (kind == 0x2 || kind == 0xA)
        return dcsText({word & 0x1FF, kind == 0xA});
    QString digits = QString::number(word);
    return digits.insert(digits.size() - 1, QLatin1Char('.')); // 670 gives "67.0", 5 gives ".5"
}

std::optional<quint16> toneWord(QStringView text)
{
    if (text.startsWith(QLatin1Char('D'))) {
        const auto dcs = parseDcsText(text);
        if (!dcs)
            return std::nullopt;
        return quint16(0x2800 | dcs->code | (dcs->inverted ? 0x8000 : 0));
    }
    const auto tenths = decimalUnits(text, 1, NoTone);
    if (!tenths)
        return std::nullopt;
    const int kind = int(*tenths >> 12);
    if (kind == 0x2 || kind == 0xA) // would read back as a DCS code
        return std::nullopt;
    return quint16(*tenths);
}
