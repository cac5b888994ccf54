#include "image/codec.h"

#include "image/layout.h"
#include "image/settingranges.h"
#include "image/textconversions.h"

#include <algorithm>
#include <cmath>

using Layout::Field;
using Layout::Segment;
static_assert(Layout::ImageSize == RadioImage::EncodedSize);

namespace {

// The option settings the VOX and scan segments hold, byte by byte.
int OptionalFunctions::*const VoxFields[] = {&OptionalFunctions::voxCancel, &OptionalFunctions::voxOffOnReceive,
    &OptionalFunctions::vox, &OptionalFunctions::voxGain, &OptionalFunctions::voxDelay, &OptionalFunctions::voxTone};
int OptionalFunctions::*const ScanFields[] = {&OptionalFunctions::priorityMode, &OptionalFunctions::priorityChannel,
    &OptionalFunctions::revertTimeA, &OptionalFunctions::revertTimeB, &OptionalFunctions::returnChannel};
constexpr int FirstDigitDelay = 2; // of the DTMF bytes: units of 10 ms
constexpr int GroupCallCode = 6;   // of the DTMF bytes: the ASCII code of a decimal digit
static_assert(std::size(VoxFields) == std::size(SettingRanges::Vox) && std::size(ScanFields) == std::size(SettingRanges::Scan));

// ---- Decoding ----------------------------------------------------------------------------

class Reader
{
public:
    Reader(const RadioImage &image, int offset) : m_image(image), m_offset(offset) {}

    quint8 byte(int at) const { return m_image.byte(m_offset + at); }
    quint16 word(int at) const { return quint16(byte(at) | byte(at + 1) << 8); }
    bool bit(int at, int bit) const { return (byte(at) >> bit) & 1; }
    Frequency frequency(int at) const { return Frequency::ofBytes({byte(at), byte(at + 1), byte(at + 2), byte(at + 3)}); }

    // The characters of text bytes, one Latin-1 character a byte; FF bytes are kept or skipped.
    QString text(int at, int size, bool keepFF) const
    {
        QString text;
        for (int i = 0; i < size; ++i) {
            const quint8 b = byte(at + i);
            if (b != 0xFF || keepFF)
                text += QChar(b);
        }
        return text;
    }

private:
    const RadioImage &m_image;
    int m_offset;
};

// Stores byte b as the new value when it lies in the setting's range; else the value stays.
void takeInRange(int &value, int b, ValueRange range)
{
    if (range.contains(b))
        value = b;
}

void decodeChannels(const Reader &in, EditorState &state)
{
    for (int number = 1; number <= ChannelCount; ++number) {
        const int record = Layout::ChannelRecordSize * (number - 1);
        const Frequency rx = in.frequency(record);
        std::optional<Channel> &channel = state.channel(number);
        if (rx.isNone()) {
            channel.reset(); // what the tone editor remembers of the row stays
            continue;
        }
        // A refused typed tone falls back on the tone read, not on one of an earlier image.
        state.placeChannel(number, {rx, in.frequency(record + 4), Tone::ofWord(in.word(record + 8)),
                                    Tone::ofWord(in.word(record + 10)),
                                    in.bit(record + 13, 5) ? Power::High : Power::Low,
                                    in.bit(record + 12, 3) ? BusyLock::Carrier : BusyLock::Off,
                                    in.bit(record + 13, 4) ? Bandwidth::Wide : Bandwidth::Narrow, false});
    }
}

void decodeScanMembership(const Reader &in, EditorState &state)
{
    for (int number = 1; number <= ChannelCount; ++number)
        if (std::optional<Channel> &channel = state.channel(number))
            channel->scan = in.bit((number - 1) / 8, (number - 1) % 8);
}

void decodeDtmf(const Reader &in, DtmfSettings &dtmf)
{
    for (int i = 0; i < int(std::size(DtmfOrder)); ++i) {
        int &value = dtmf.*DtmfOrder[i];
        const int b = in.byte(i);
        const ValueRange range = SettingRanges::Dtmf[i];
        if (i == FirstDigitDelay) {
            // 00 is what the start value 0 stores: read it back as such, or a file saved with
            // the start value would take whatever delay the editor held before.
            if (b == 0 || range.contains(b))
                value = b * 10; // milliseconds
        } else if (i == GroupCallCode) {
            if (b == 0x00 || b == 0xFF)
                value = 0;
            else if (range.contains(b - '0'))
                value = b - '0';
        } else {
            takeInRange(value, b, range);
        }
    }
}

void decodeSegment(const Segment &segment, const Reader &in, EditorState &state)
{
    using namespace SettingRanges;
    OptionalFunctions &options = state.options;
    switch (segment.field) {
    case Field::Fill:
    case Field::Constant:
        break;
    case Field::Channels: decodeChannels(in, state); break;
    case Field::Dtmf: decodeDtmf(in, state.dtmf); break;
    case Field::KeyFunction1: takeInRange(state.keyFunction1, in.byte(0), KeyFunction); break;
    case Field::KeyFunction2: takeInRange(state.keyFunction2, in.byte(0), KeyFunction); break;
    case Field::PttIdCode: state.pttIdCodes.id = in.text(0, segment.size, true); break;
    case Field::VoicePrompt: takeInRange(state.voicePrompt, in.byte(0), VoicePrompt); break;
    case Field::Timeout:
        if (const int position = in.byte(0) - 1; Timeout.contains(position))
            state.timeout = position; // 0 leaves the list without a selection
        break;
    case Field::TimeoutWarn: takeInRange(state.timeoutWarn, in.byte(0), TimeoutWarn); break;
    case Field::PttId: takeInRange(options.pttId, in.byte(0), PttId); break;
    case Field::Squelch: takeInRange(state.squelch, in.byte(0), Squelch); break;
    case Field::BatterySave: takeInRange(state.batterySave, in.byte(0), BatterySave); break;
    case Field::Beep: takeInRange(state.beep, in.byte(0), Beep); break;
    case Field::Vox:
        for (int i = 0; i < segment.size; ++i)
            takeInRange(options.*VoxFields[i], in.byte(i), SettingRanges::Vox[i]);
        break;
    case Field::Duplicate: options.duplicate = in.byte(0) & 1; break;
    case Field::PttStartCode: state.pttIdCodes.start = in.text(0, segment.size, false); break;
    case Field::PttEndCode: state.pttIdCodes.end = in.text(0, segment.size, false); break;
    case Field::Scan:
        for (int i = 0; i < segment.size; ++i)
            takeInRange(options.*ScanFields[i], in.byte(i), SettingRanges::Scan[i]);
        // The revert times store their "none" item as FF: read it back as such, or a file saved
        // with none would show whatever time the editor held before.
        for (int i : {2, 3})
            if (in.byte(i) == 0xFF)
                options.*ScanFields[i] = 0;
        break;
    case Field::ScanReceiveDelay:
    case Field::ScanTransmitDelay:
        if (const int seconds = in.word(0); ScanDelay.contains(seconds))
            (segment.field == Field::ScanReceiveDelay ? options.scanReceiveDelay : options.scanTransmitDelay) =
                QString::number(seconds);
        break;
    case Field::ScanMembership: decodeScanMembership(in, state); break;
    case Field::PowerTuning1: state.powerTuning1 = in.byte(0); break;
    case Field::PowerTuning2: state.powerTuning2 = in.byte(0); break;
    case Field::BandCode:
        if (const auto band = Layout::bandOfCode(in.byte(0)))
            state.currentBand = *band;
        break;
    case Field::AutoDialCodes:
        for (int i = 0; i < int(state.autoDialCodes.size()); ++i) {
            QString &code = state.autoDialCodes[i];
            code.clear();
            for (int at = Layout::AutoDialCodeSize * i; at < Layout::AutoDialCodeSize * (i + 1); ++at) {
                const quint8 b = in.byte(at);
                if (b == 0x3A)
                    code += QLatin1Char('0');
                else if (b != 0xFF)
                    code += QChar(b);
            }
        }
        break;
    case Field::TestFrequencies:
        for (int row = 0; row < ChannelCount; ++row)
            state.testFrequencyTable[row] = {in.frequency(8 * row).text(), in.frequency(8 * row + 4).text()};
        break;
    case Field::EmbeddedTexts:
        for (int i = 0; i < 2; ++i)
            state.embeddedTexts[i] = in.text(Layout::EmbeddedTextSize * i, Layout::EmbeddedTextSize, false);
        break;
    }
}

// ---- Encoding ----------------------------------------------------------------------------

// A whole value held within a field's limits.
int clamped(double value, int low, int high)
{
    if (std::isnan(value))
        return low;
    return int(std::clamp(std::nearbyint(value), double(low), double(high)));
}

quint8 byteOf(double value)
{
    return quint8(clamped(value, 0, 255));
}

// The bytes of one segment. It writes nothing outside its segment, whatever the state holds.
class Writer
{
public:
    Writer(QByteArray &image, const Segment &segment) : m_image(image), m_segment(segment) {}

    void byte(int at, quint8 b)
    {
        if (at >= 0 && at < m_segment.size)
            m_image[m_segment.offset + at] = char(b);
    }
    void word(int at, int value)
    {
        const int w = clamped(value, 0, 0xFFFF);
        byte(at, quint8(w & 0xFF));
        byte(at + 1, quint8(w >> 8));
    }
    void frequency(int at, const Frequency &frequency)
    {
        for (int i = 0; i < 4; ++i)
            byte(at + i, frequency.bytes()[i]);
    }
    // One Latin-1 byte a character ("?" for one without), cut to size, FF after the end; "0"
    // is stored as 3A in the auto-dial codes.
    void text(int at, const QString &text, int size, bool codeDigits = false)
    {
        for (int i = 0; i < size && i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            byte(at + i, codeDigits && c == u'0' ? 0x3A : c <= 0xFF ? quint8(c) : quint8('?'));
        }
    }

private:
    QByteArray &m_image;
    const Segment &m_segment;
};

void encodeChannels(Writer &out, const EditorState &state)
{
    for (int number = 1; number <= ChannelCount; ++number) {
        const int record = Layout::ChannelRecordSize * (number - 1);
        // An empty row stores what a channel without frequencies and tones stores, with
        // lockout on, high power and wide.
        const Channel channel = state.channel(number).value_or(Channel {{}, {}, {}, {}, Power::High,
                                                                         BusyLock::Carrier, Bandwidth::Wide, false});
        out.frequency(record, channel.rx);
        out.frequency(record + 4, channel.tx);
        out.word(record + 8, channel.rxTone.word());
        out.word(record + 10, channel.txTone.word());
        out.byte(record + 12, channel.busyLock == BusyLock::Carrier ? 0xF8 : 0xF0);
        out.byte(record + 13, quint8(0xC0 | int(channel.power == Power::High) << 5 | int(channel.bandwidth == Bandwidth::Wide) << 4));
        out.byte(record + 14, 0xFC);
        out.byte(record + 15, 0xFF);
    }
}

void encodeDtmf(Writer &out, const DtmfSettings &dtmf)
{
    for (int i = 0; i < int(std::size(DtmfOrder)); ++i) {
        const int value = dtmf.*DtmfOrder[i];
        if (i == FirstDigitDelay)
            out.byte(i, byteOf(std::trunc(value / 10.0))); // milliseconds to units of 10 ms
        else if (i == GroupCallCode) // the ASCII code of its first decimal digit
            out.byte(i, value <= 0 ? 0x00 : quint8(QString::number(value).at(0).toLatin1()));
        else
            out.byte(i, byteOf(value));
    }
}

quint8 scanMembershipByte(const EditorState &state, int firstNumber)
{
    quint8 bits = 0;
    for (int i = 0; i < 8; ++i)
        if (const auto &channel = state.channel(firstNumber + i); channel && channel->scan)
            bits |= quint8(1 << i);
    return bits;
}

void encodeSegment(const Segment &segment, Writer &out, const EditorState &state)
{
    const OptionalFunctions &options = state.options;
    const quint8 band = Layout::BandCodes[std::clamp(state.currentBand, 0, BandCount - 1)];
    switch (segment.field) {
    case Field::Fill:
        for (int i = 0; i < segment.size; ++i)
            out.byte(i, segment.fill);
        break;
    case Field::Constant:
        for (int i = 0; i < segment.size; ++i)
            out.byte(i, quint8(segment.constant[i]));
        break;
    case Field::Channels: encodeChannels(out, state); break;
    case Field::Dtmf: encodeDtmf(out, state.dtmf); break;
    case Field::KeyFunction1: out.byte(0, byteOf(state.keyFunction1)); break;
    case Field::KeyFunction2: out.byte(0, byteOf(state.keyFunction2)); break;
    case Field::PttIdCode: out.text(0, state.pttIdCodes.id, segment.size); break;
    case Field::VoicePrompt: out.byte(0, byteOf(state.voicePrompt)); break;
    case Field::Timeout: out.byte(0, byteOf(state.timeout + 1.0)); break; // no selection is stored as 0
    case Field::TimeoutWarn: out.byte(0, byteOf(state.timeoutWarn)); break;
    case Field::PttId: out.byte(0, byteOf(options.pttId)); break;
    case Field::Squelch: out.byte(0, byteOf(state.squelch)); break;
    case Field::BatterySave: out.byte(0, byteOf(state.batterySave)); break;
    case Field::Beep: out.byte(0, byteOf(state.beep)); break;
    case Field::Vox:
        for (int i = 0; i < segment.size; ++i)
            out.byte(i, byteOf(options.*VoxFields[i]));
        break;
    case Field::Duplicate: out.byte(0, options.duplicate == 1 ? 0xFF : 0xFE); break;
    case Field::PttStartCode: out.text(0, state.pttIdCodes.start, segment.size); break;
    case Field::PttEndCode: out.text(0, state.pttIdCodes.end, segment.size); break;
    case Field::Scan:
        for (int i = 0; i < segment.size; ++i) {
            const int value = byteOf(options.*ScanFields[i]);
            const bool revertTime = i == 2 || i == 3;
            out.byte(i, revertTime && value == 0 ? 0xFF : quint8(value)); // "none" is stored as FF
        }
        break;
    case Field::ScanReceiveDelay: out.word(0, clamped(leadingNumber(options.scanReceiveDelay), 0, 0xFFFF)); break;
    case Field::ScanTransmitDelay: out.word(0, clamped(leadingNumber(options.scanTransmitDelay), 0, 0xFFFF)); break;
    case Field::ScanMembership:
        out.byte(0, scanMembershipByte(state, 1));
        out.byte(1, scanMembershipByte(state, 9));
        break;
    case Field::PowerTuning1: out.byte(0, byteOf(state.powerTuning1)); break;
    case Field::PowerTuning2: out.byte(0, byteOf(state.powerTuning2)); break;
    case Field::BandCode: out.byte(0, band); break;
    case Field::AutoDialCodes:
        for (int i = 0; i < int(state.autoDialCodes.size()); ++i)
            out.text(Layout::AutoDialCodeSize * i, state.autoDialCodes[i], Layout::AutoDialCodeSize, true);
        break;
    case Field::TestFrequencies:
        for (int row = 0; row < ChannelCount; ++row) {
            const auto &pair = state.testFrequencyTable[row];
            out.frequency(8 * row, Frequency::ofBytes(frequencyBytes(pair.rx)));
            out.frequency(8 * row + 4, Frequency::ofBytes(frequencyBytes(pair.tx)));
        }
        break;
    case Field::EmbeddedTexts:
        for (int i = 0; i < 2; ++i)
            out.text(Layout::EmbeddedTextSize * i, state.embeddedTexts[i], Layout::EmbeddedTextSize);
        break;
    }
}

} // namespace

void decodeImage(const RadioImage &image, EditorState &state)
{
    for (const Segment &segment : Layout::Segments)
        if (segment.offset < RadioImage::DecodedSize)
            decodeSegment(segment, Reader(image, segment.offset), state);
}

RadioImage encodeImage(const EditorState &state)
{
    // Every byte not written otherwise is FF, the fill of the text fields after their texts.
    QByteArray image(Layout::ImageSize, '\xFF');
    for (const Segment &segment : Layout::Segments) {
        Writer out(image, segment);
        encodeSegment(segment, out, state);
    }
    return RadioImage(image);
}
