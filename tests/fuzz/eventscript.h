#pragma once

// The input of the protocol engine's fuzz target: a script of what happens to the engine, one
// event after another. Each event is one byte (taken modulo the number of events, so that every
// byte is some event), followed by its operands.

#include <QByteArray>

namespace EventScript {

enum class Event : quint8 {
    StartRead,
    StartWrite,   // operand: bit 0 writes the calibration block too
    Receive,      // operands: a count n (0 to 255), then n received bytes
    LineBreak,
    SessionTick,
    BlinkTick,
    AnswerBand,   // operand: see BandAnswer
    SelectBand,   // operand: the band the band selector shows, modulo 8 (7: none)
    PortFailed,
    Abort,
    RadioReply,   // operand: see ReplyVariant; the radio's answer to the last frame sent
    Count
};

// How the host answers the band question: now, or from now on as soon as it is asked (as the
// window and the command-line tool do, from inside the signal).
enum class BandAnswer : quint8 { NoNow, YesNow, NoAtOnce, YesAtOnce, Later, Count };

// How the radio's answer to the last frame is spoilt.
enum class ReplyVariant : quint8 {
    Proper, LastByteMissing, ByteExtra, OtherAddress, AcknowledgeForData, StrayByteFirst, InTwoPieces,
    AfterLineBreak, Count
};

inline QByteArray event(Event kind, QByteArray operands = {})
{
    return char(kind) + operands;
}

// Received bytes as Receive events of at most 255 bytes each.
inline QByteArray receive(const QByteArray &bytes)
{
    QByteArray events;
    for (qsizetype at = 0; at < bytes.size(); at += 255) {
        const QByteArray piece = bytes.mid(at, 255);
        events += event(Event::Receive, char(piece.size()) + piece);
    }
    return events;
}

} // namespace EventScript
