#include "link/markedstream.h"

namespace {

constexpr char Mark = char(0xFF);

} // namespace

QList<QByteArray> MarkedStream::decode(const QByteArray &bytes)
{
    const QByteArray raw = m_tail + bytes;
    m_tail.clear();
    QList<QByteArray> pieces(1);
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw.at(i);
        const qsizetype left = raw.size() - i - 1;
        if (c != Mark) {
            pieces.last().append(c);
        } else if (left == 0 || (left == 1 && raw.at(i + 1) == 0)) {
            m_tail = raw.mid(i);
            break;
        } else if (raw.at(i + 1) == Mark) {
            pieces.last().append(Mark);
            ++i;
        } else if (raw.at(i + 1) != 0) {
            pieces.last().append(Mark); // no marked sequence: take it as it stands
        } else {
            if (raw.at(i + 2) == 0)
                pieces.append(QByteArray());
            pieces.last().append(raw.at(i + 2));
            i += 2;
        }
    }
    return pieces;
}
