#include "image/radioimage.h"

std::optional<RadioImage> RadioImage::fromHexText(QStringView text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    QByteArray bytes;
    bytes.reserve(text.size() / 2);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        bool ok = false;
        const uint value = text.sliced(i, 2).toUInt(&ok, 16);
        if (!ok || !text[i].isLetterOrNumber() || !text[i + 1].isLetterOrNumber())
            return std::nullopt;
        bytes.append(char(value));
    }
    return RadioImage(bytes);
}

QString RadioImage::toHexText() const
{
    return QString::fromLatin1(m_bytes.toHex().toUpper());
}

quint8 RadioImage::byte(int offset) const
{
    if (offset < 0 || offset >= m_bytes.size())
        return 0xFF;
    return quint8(m_bytes[offset]);
}
