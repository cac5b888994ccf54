#include "image/radioimage.h"

quint8 RadioImage::byte(int offset) const
{
    if (offset < 0 || offset >= m_bytes.size())
        return 0xFF;
    return quint8(m_bytes[offset]);
}
