#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// The value encodings of the radio image: frequency fields, tone words and the texts the
// editor shows for them.

using FrequencyBytes = std::array<quint8, 4>;
inline constexpr FrequencyBytes NoFrequency {0xFF, 0xFF, 0xFF, 0xFF};
inline constexpr quint16 NoTone = 0xFFFF;

// A frequency field: the frequency in 10 Hz units as eight BCD digits, least significant byte
// first. Its text is MHz with five decimals: 00 25 61 43 <-> "436.12500". FF FF FF FF (no
// frequency) gives the empty text.
QString frequencyText(const FrequencyBytes &bytes);

// Whether a text has the shape of a frequency field's text: three characters, a point and five
// characters, each an upper-case hexadecimal digit ("436.12500", or "4A6.1F500" from a field
// that holds other than decimal digits).
bool isFrequencyFieldShape(QStringView text);

// The bytes of a frequency text. A text of the field's own shape (three digits, a point and
// five digits) is stored digit by digit, so that whatever a field held comes back unchanged;
// any other plain decimal number of MHz is taken by its value, rounded to 10 Hz ("99.5" is
// 099.50000). Empty text, and a text that is no such number or does not fit eight digits,
// give FF FF FF FF.
FrequencyBytes frequencyBytes(QStringView text);

// A plain decimal number (digits with at most one point, at least one digit, no sign, no
// blanks) as a count of 10^-decimals units, rounded half up. Nothing for any other text or a
// value that is not below limit. Takes 0 to 18 decimals and a limit of at most 10^18.
std::optional<qint64> decimalUnits(QStringView text, int decimals, qint64 limit);

// The value of a frequency text in 10 Hz units: plain digits with at most one point, no sign,
// rounded to 10 Hz; nothing for any other text or a value of 1000 MHz or more.
std::optional<qint64> frequencyUnits(QStringView text);

// "436.12500" for 43612500 units of 10 Hz.
QString frequencyTextOfUnits(qint64 units);

// A DCS code: the three octal digits and the polarity.
struct DcsCode
{
    int code = 0; // 0 to 0777
    bool inverted = false;
};

// A DCS text "D", digits, "N" or "I", as the editor accepts it: ASCII digits worth more than
// 777 become 777; then the digits must be one to three octal digits. Letters are upper case.
// Nothing for any other text (D089N, D0023N, D12.5N, D-5N, d23n).
std::optional<DcsCode> parseDcsText(QStringView text);
QString dcsText(DcsCode dcs); // "D023N"

// The editor text of a tone word other than FFFF: "D023N" for 2813, "D754I" for A9EC, and for
// every other word the CTCSS tone in Hz with one decimal ("67.0" for 029E).
QString toneText(quint16 word);

// The tone word of a tone text: a DCS text as parseDcsText reads it, or a CTCSS tone as a
// plain decimal number of Hz, rounded to 0.1 Hz. Nothing (no tone) for the empty text, a
// malformed text, or a tone whose word would not read back as the same CTCSS tone.
std::optional<quint16> toneWord(QStringView text);
