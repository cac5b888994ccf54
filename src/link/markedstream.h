#pragma once

#include <QByteArray>
#include <QList>

// Decodes a byte stream in which the POSIX terminal driver marks line events (PARMRK): a data
// byte FF reads as FF FF, a line break as FF 00 00, a byte received with a framing or parity
// error x as FF 00 x. A marked sequence may be split between two reads.
class MarkedStream
{
public:
    // The data of the next bytes read, cut where line breaks fell: a break lies between each two
    // pieces, and the piece after a break begins with the break's own NUL byte.
    QList<QByteArray> decode(const QByteArray &raw);
    void reset() { m_tail.clear(); }

private:
    QByteArray m_tail; // the start of a marked sequence, completed by the next read
};
