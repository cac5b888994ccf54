#include "image/differences.h"

#include "image/layout.h"

#include <algorithm>

namespace Differences {

namespace {

// A value of a programming that is no channel's, and where it stands.
struct Named
{
    Field field;
    Value (*of)(const EditorState &);
};

// clang-format off
const Named Settings[] = {
    {Field::Band,        [](const EditorState &s) -> Value { return s.currentBand; }},
    {Field::VoicePrompt, [](const EditorState &s) -> Value { return s.voicePrompt; }},
    {Field::Timeout,     [](const EditorState &s) -> Value { return s.timeout; }},
    {Field::TimeoutWarn, [](const EditorState &s) -> Value { return s.timeoutWarn; }},
    {Field::Squelch,     [](const EditorState &s) -> Value { return s.squelch; }},
    {Field::BatterySave, [](const EditorState &s) -> Value { return s.batterySave; }},
    {Field::Beep,        [](const EditorState &s) -> Value { return s.beep; }},
};

const Named Options[] = {
    {Field::Vox,               [](const EditorState &s) -> Value { return s.options.vox; }},
    {Field::VoxGain,           [](const EditorState &s) -> Value { return s.options.voxGain; }},
    {Field::VoxDelay,          [](const EditorState &s) -> Value { return s.options.voxDelay; }},
    {Field::VoxTone,           [](const EditorState &s) -> Value { return s.options.voxTone; }},
    {Field::VoxCancel,         [](const EditorState &s) -> Value { return s.options.voxCancel; }},
    {Field::VoxOffOnReceive,   [](const EditorState &s) -> Value { return s.options.voxOffOnReceive; }},
    {Field::PttId,             [](const EditorState &s) -> Value { return s.options.pttId; }},
    {Field::Duplicate,         [](const EditorState &s) -> Value { return s.options.duplicate; }},
    {Field::PriorityMode,      [](const EditorState &s) -> Value { return s.options.priorityMode; }},
    {Field::PriorityChannel,   [](const EditorState &s) -> Value { return s.options.priorityChannel; }},
    {Field::RevertTimeA,       [](const EditorState &s) -> Value { return s.options.revertTimeA; }},
    {Field::RevertTimeB,       [](const EditorState &s) -> Value { return s.options.revertTimeB; }},
    {Field::ReturnChannel,     [](const EditorState &s) -> Value { return s.options.returnChannel; }},
    {Field::ScanReceiveDelay,  [](const EditorState &s) -> Value { return s.options.scanReceiveDelay; }},
    {Field::ScanTransmitDelay, [](const EditorState &s) -> Value { return s.options.scanTransmitDelay; }},
    {Field::DtmfRate,          [](const EditorState &s) -> Value { return s.dtmf.rate; }},
    {Field::FirstDigitTime,    [](const EditorState &s) -> Value { return s.dtmf.firstDigitTime; }},
    {Field::FirstDigitDelay,   [](const EditorState &s) -> Value { return s.dtmf.firstDigitDelay; }},
    {Field::StarHashTone,      [](const EditorState &s) -> Value { return s.dtmf.starHashTone; }},
    {Field::DKey,              [](const EditorState &s) -> Value { return s.dtmf.dKey; }},
    {Field::SideTone,          [](const EditorState &s) -> Value { return s.dtmf.sideTone; }},
    {Field::GroupCallCode,     [](const EditorState &s) -> Value { return s.dtmf.groupCallCode; }},
    {Field::AutoResetTimer,    [](const EditorState &s) -> Value { return s.dtmf.autoResetTimer; }},
};

const Named PttCodes[] = {
    {Field::PttIdCode,    [](const EditorState &s) -> Value { return s.pttIdCodes.id; }},
    {Field::PttStartCode, [](const EditorState &s) -> Value { return s.pttIdCodes.start; }},
    {Field::PttEndCode,   [](const EditorState &s) -> Value { return s.pttIdCodes.end; }},
    {Field::KeyFunction1, [](const EditorState &s) -> Value { return s.keyFunction1; }},
    {Field::KeyFunction2, [](const EditorState &s) -> Value { return s.keyFunction2; }},
};

const Named PowerTuning[] = {
    {Field::PowerTuningHigh, [](const EditorState &s) -> Value { return s.powerTuning1; }},
    {Field::PowerTuningLow,  [](const EditorState &s) -> Value { return s.powerTuning2; }},
};
// clang-format on

class Listing
{
public:
    Listing(const EditorState &a, const EditorState &b) : m_a(a), m_b(b) {}

    void add(Field field, int index, const Value &a, const Value &b)
    {
        if (a != b)
            m_list.append({field, index, a, b});
    }

    template <std::size_t N>
    void add(const Named (&values)[N])
    {
        for (const Named &value : values)
            add(value.field, 0, value.of(m_a), value.of(m_b));
    }

    void addChannels()
    {
        for (int number = 1; number <= ChannelCount; ++number) {
            const auto &a = m_a.channel(number);
            const auto &b = m_b.channel(number);
            if (!a && !b)
                continue;
            if (!a || !b) {
                m_list.append({a ? Field::ChannelRemoved : Field::ChannelAdded, number,
                               a ? Value(a->rx.text()) : Value(), b ? Value(b->rx.text()) : Value()});
                continue;
            }
            add(Field::RxFrequency, number, a->rx.text(), b->rx.text());
            add(Field::RxTone, number, a->rxTone.text(), b->rxTone.text());
            add(Field::TxFrequency, number, a->tx.text(), b->tx.text());
            add(Field::TxTone, number, a->txTone.text(), b->txTone.text());
            add(Field::Power, number, int(a->power), int(b->power));
            add(Field::BusyLock, number, int(a->busyLock), int(b->busyLock));
            add(Field::Bandwidth, number, int(a->bandwidth), int(b->bandwidth));
            add(Field::Scan, number, int(a->scan), int(b->scan));
        }
    }

    void addTexts(Field field, const auto &a, const auto &b)
    {
        for (int i = 0; i < int(std::size(a)); ++i)
            add(field, i + 1, a[i], b[i]);
    }

    void addTestFrequencies()
    {
        for (int row = 1; row <= ChannelCount; ++row) {
            add(Field::TestRxFrequency, row, m_a.testFrequencyTable[row - 1].rx, m_b.testFrequencyTable[row - 1].rx);
            add(Field::TestTxFrequency, row, m_a.testFrequencyTable[row - 1].tx, m_b.testFrequencyTable[row - 1].tx);
        }
    }

    QList<Difference> &list() { return m_list; }

private:
    const EditorState &m_a;
    const EditorState &m_b;
    QList<Difference> m_list;
};

struct Bytes
{
    int offset;
    int size;
    bool contains(int at) const { return at >= offset && at < offset + size; }
};

QList<Bytes> segmentsOf(Layout::Field field)
{
    QList<Bytes> found;
    for (const Layout::Segment &segment : Layout::Segments)
        if (segment.field == field)
            found.append({segment.offset, segment.size});
    return found;
}

// The piece of size bytes, the index-th (from 1), of the segment holding field.
Bytes pieceOf(Layout::Field field, int index, int size)
{
    return {Layout::offsetOf(field) + size * (index - 1), size};
}

// The image bytes that store a named value.
QList<Bytes> bytesOf(Field field, int index)
{
    using L = Layout::Field;
    switch (field) {
    case Field::ChannelAdded: case Field::ChannelRemoved: case Field::Scan:
        return {pieceOf(L::Channels, index, Layout::ChannelRecordSize), segmentsOf(L::ScanMembership).first()};
    case Field::RxFrequency: case Field::RxTone: case Field::TxFrequency: case Field::TxTone:
    case Field::Power: case Field::BusyLock: case Field::Bandwidth:
        return {pieceOf(L::Channels, index, Layout::ChannelRecordSize)};
    case Field::Band: return segmentsOf(L::BandCode);
    case Field::VoicePrompt: return segmentsOf(L::VoicePrompt);
    case Field::Timeout: return segmentsOf(L::Timeout);
    case Field::TimeoutWarn: return segmentsOf(L::TimeoutWarn);
    case Field::Squelch: return segmentsOf(L::Squelch);
    case Field::BatterySave: return segmentsOf(L::BatterySave);
    case Field::Beep: return segmentsOf(L::Beep);
    case Field::Vox: case Field::VoxGain: case Field::VoxDelay: case Field::VoxTone: case Field::VoxCancel:
    case Field::VoxOffOnReceive:
        return segmentsOf(L::Vox);
    case Field::PttId: return segmentsOf(L::PttId);
    case Field::Duplicate: return segmentsOf(L::Duplicate);
    case Field::PriorityMode: case Field::PriorityChannel: case Field::RevertTimeA: case Field::RevertTimeB:
    case Field::ReturnChannel:
        return segmentsOf(L::Scan);
    case Field::ScanReceiveDelay: return segmentsOf(L::ScanReceiveDelay);
    case Field::ScanTransmitDelay: return segmentsOf(L::ScanTransmitDelay);
    case Field::DtmfRate: case Field::FirstDigitTime: case Field::FirstDigitDelay: case Field::StarHashTone:
    case Field::DKey: case Field::SideTone: case Field::GroupCallCode: case Field::AutoResetTimer:
        return segmentsOf(L::Dtmf);
    case Field::AutoDialCode: return {pieceOf(L::AutoDialCodes, index, Layout::AutoDialCodeSize)};
    case Field::PttIdCode: return segmentsOf(L::PttIdCode);
    case Field::PttStartCode: return segmentsOf(L::PttStartCode);
    case Field::PttEndCode: return segmentsOf(L::PttEndCode);
    case Field::KeyFunction1: return segmentsOf(L::KeyFunction1);
    case Field::KeyFunction2: return segmentsOf(L::KeyFunction2);
    case Field::EmbeddedText: return {pieceOf(L::EmbeddedTexts, index, Layout::EmbeddedTextSize)};
    case Field::PowerTuningHigh: return segmentsOf(L::PowerTuning1);
    case Field::PowerTuningLow: return segmentsOf(L::PowerTuning2);
    case Field::TestRxFrequency: case Field::TestTxFrequency:
        return {pieceOf(L::TestFrequencies, index, Layout::segmentOf(L::TestFrequencies).size / ChannelCount)};
    case Field::Byte: break;
    }
    return {{index, 1}};
}

} // namespace

QList<Difference> between(const EditorState &a, const RadioImage &imageA, const EditorState &b,
                          const RadioImage &imageB)
{
    Listing listing(a, b);
    listing.addChannels();
    listing.add(Settings);
    listing.add(Options);
    listing.addTexts(Field::AutoDialCode, a.autoDialCodes, b.autoDialCodes);
    listing.add(PttCodes);
    listing.addTexts(Field::EmbeddedText, a.embeddedTexts, b.embeddedTexts);
    listing.add(PowerTuning);
    listing.addTestFrequencies();
    QList<Difference> &list = listing.list();

    QList<Bytes> named;
    for (const Difference &d : std::as_const(list))
        named += bytesOf(d.field, d.index);
    const int size = std::max(imageA.size(), imageB.size());
    for (int offset = 0; offset < size; ++offset) {
        const bool shown = std::any_of(named.begin(), named.end(), [offset](const Bytes &b) { return b.contains(offset); });
        if (imageA.byte(offset) != imageB.byte(offset) && !shown)
            list.append({Field::Byte, offset, int(imageA.byte(offset)), int(imageB.byte(offset))});
    }
    return list;
}

RadioImage asFarAsAWriteReaches(const RadioImage &radio, const RadioImage &written, bool calibration)
{
    QByteArray bytes = written.bytes();
    for (int block : Layout::writeBlockOffsets(calibration))
        for (int offset = block; offset < block + Layout::WriteBlockSize && offset < bytes.size(); ++offset)
            bytes[offset] = char(radio.byte(offset));
    return RadioImage(bytes);
}

} // namespace Differences
