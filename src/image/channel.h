#pragma once

#include "image/fields.h"

#include <QString>
#include <optional>

// A frequency field's value: eight BCD digits of 10 Hz, or none. It is kept as the field's
// bytes, so that a field holding other than decimal digits (a radio can hold one) survives
// decoding and encoding as it was.
class Frequency
{
public:
    Frequency() = default; // none

    static Frequency ofBytes(const FrequencyBytes &bytes);
    // A frequency in units of 10 Hz, below 1000 MHz.
    static Frequency ofUnits(qint64 units);
    // A text of the field's shape ("436.12500", digit by digit) or a decimal number of MHz
    // (rounded to 10 Hz); the empty text is none. Nothing for any other text.
    static std::optional<Frequency> ofText(QStringView text);

    bool isNone() const { return m_bytes == NoFrequency; }
    const FrequencyBytes &bytes() const { return m_bytes; }
    // The value in units of 10 Hz; nothing for none or a field whose digits are not decimal.
    std::optional<qint64> units() const;
    // MHz with five decimals, "436.12500"; empty for none.
    QString text() const { return frequencyText(m_bytes); }

    friend bool operator==(const Frequency &, const Frequency &) = default;

private:
    FrequencyBytes m_bytes = NoFrequency;
};

// A QT/DQT tone: none, a CTCSS tone in tenths of a hertz, or a DCS code with its polarity. Every
// tone word of an image is one of these: a word whose top digit is 2 or A is a DCS code (of which
// bits 0 to 8 count), any other word but FFFF a CTCSS value.
class Tone
{
public:
    enum class Kind { None, Ctcss, Dcs };

    Tone() = default; // none
    static Tone ctcss(int tenths);
    static Tone dcs(DcsCode code);
    static Tone ofWord(quint16 word);
    // A tone text as the editor writes it ("67.0", "D023N"), read as toneWord() reads it; the
    // empty text is none. Nothing for any other text.
    static std::optional<Tone> ofText(QStringView text);

    Kind kind() const { return m_kind; }
    bool isNone() const { return m_kind == Kind::None; }
    int tenths() const { return m_value; }                                    // a CTCSS tone
    DcsCode dcsCode() const { return {m_value & 0x1FF, m_inverted}; }         // a DCS code
    quint16 word() const;
    // "67.0", "D023N"; empty for none.
    QString text() const;

    friend bool operator==(const Tone &, const Tone &) = default;

private:
    Kind m_kind = Kind::None;
    int m_value = 0;
    bool m_inverted = false;
};

// The two-way choices of a channel, by their list positions.
enum class Power { Low, High };
enum class BusyLock { Off, Carrier }; // lock out the transmitter on a busy channel
enum class Bandwidth { Narrow, Wide };

// One channel of the radio, as the image stores it. A channel exists when it has an RX
// frequency; the table holds no channel without one.
struct Channel
{
    Frequency rx;
    Frequency tx; // none: the channel only receives
    Tone rxTone;
    Tone txTone;
    Power power = Power::High;
    BusyLock busyLock = BusyLock::Off;
    Bandwidth bandwidth = Bandwidth::Wide;
    bool scan = true;

    // A new channel on an RX frequency: the same TX frequency, no tones, high power, lockout
    // off, wide, scanned.
    static Channel on(Frequency rx);

    friend bool operator==(const Channel &, const Channel &) = default;
};
