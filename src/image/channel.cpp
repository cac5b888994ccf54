#include "image/channel.h"

Frequency Frequency::ofBytes(const FrequencyBytes &bytes)
{
    Frequency frequency;
    frequency.m_bytes = bytes;
    return frequency;
}

Frequency Frequency::ofUnits(qint64 units)
{
    return ofBytes(frequencyBytes(frequencyTextOfUnits(units)));
}

std::optional<Frequency> Frequency::ofText(QStringView text)
{
    if (text.isEmpty())
        return Frequency();
    const FrequencyBytes bytes = frequencyBytes(text);
    if (bytes == NoFrequency)
        return std::nullopt;
    return ofBytes(bytes);
}

std::optional<qint64> Frequency::units() const
{
    return isNone() ? std::nullopt : frequencyUnits(text());
}

Tone Tone::ctcss(int tenths)
{
    Tone tone;
    tone.m_kind = Kind::Ctcss;
    tone.m_value = tenths;
    return tone;
}

Tone Tone::dcs(DcsCode code)
{
    Tone tone;
    tone.m_kind = Kind::Dcs;
    tone.m_value = code.code;
    tone.m_inverted = code.inverted;
    return tone;
}

Tone Tone::ofWord(quint16 word)
{
    if (word == NoTone)
        return {};
    const int kind = word >> 12;
    if (kind == 0x2 || kind == 0xA)
        return dcs({word & 0x1FF, kind == 0xA});
    return ctcss(word);
}

std::optional<Tone> Tone::ofText(QStringView text)
{
    if (text.isEmpty())
        return Tone();
    const auto word = toneWord(text);
    if (!word)
        return std::nullopt;
    return ofWord(*word);
}

quint16 Tone::word() const
{
    switch (m_kind) {
    case Kind::None: return NoTone;
    case Kind::Ctcss: return quint16(m_value);
    case Kind::Dcs: return quint16(0x2800 | m_value | (m_inverted ? 0x8000 : 0));
    }
    return NoTone;
}

QString Tone::text() const
{
    return isNone() ? QString() : toneText(word());
}

Channel Channel::on(Frequency rx)
{
    Channel channel;
    channel.rx = rx;
    channel.tx = rx;
    return channel;
}
