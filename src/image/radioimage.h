#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The radio's programmable memory as one value: image byte n is the radio's byte at address
// 0x0010 + n. An encoded image holds 848 bytes (addresses 0x0010 to 0x035F); a read from the
// radio delivers 1024 (up to 0x040F).
class RadioImage
{
public:
    static constexpr int EncodedSize = 848;  // what encoding builds and a data file stores
    static constexpr int ReadSize = 1024;    // what a read from the radio delivers
    static constexpr int DecodedSize = 816;  // the bytes decoding looks at
    static constexpr int FirstAddress = 0x0010;

    RadioImage() = default;
    explicit RadioImage(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    const QByteArray &bytes() const { return m_bytes; }
    int size() const { return int(m_bytes.size()); }

    // The byte at an image offset. Offsets beyond the end read as FF, the radio's erased state,
    // so that a short image can never be read outside its bytes.
    quint8 byte(int offset) const;

    friend bool operator==(const RadioImage &, const RadioImage &) = default;

private:
    QByteArray m_bytes;
};
