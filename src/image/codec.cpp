#include "image/codec.h"

#include "image/fields.h"
#include "image/layout.h"
#include "image/textconversions.h"
#include "image/settingranges.h"
#include "image/tonelist.h"

#include <algorithm>
#include <cmath>

using Column = EditorState::Column;

namespace {

// ---- Decoding ----------------------------------------------------------------------------

class Reader
{
public:
    explicit Reader(const RadioImage &image) : m_image(image) {}

    quint8 byte(int offset) const { return m_image.byte(offset); }
    quint16 word(int offset) const { return quint16(byte(offset) | byte(offset + 1) << 8); }
    bool bit(int offset, int bit) const { return (byte(offset) >> bit) & 1; }

    FrequencyBytes frequency(int offset) const
    {
        return {byte(offset), byte(offset + 1), byte(offset + 2), byte(offset + 3)};
    }

    // The characters of text bytes, one Latin-1 character a byte; FF bytes are kept or skipped.
    QString text(int offset, int size, bool keepFF) const
    {
        QString text;
        for (int i = 0; i < size; ++i) {
            const quint8 b = byte(offset + i);
            if (b != 0xFF || keepFF)
                text += QChar(b);
        }
        return text;
    }

private:
    const RadioImage &m_image;
};

void decodeChannel(const Reader &in, int row, EditorState &state, const CellTexts &texts)
{
    const int record = Layout::ChannelRecordSize * (row - 1);
    const FrequencyBytes rx = in.frequency(record);
    if (rx == NoFrequency) {
        for (int column = Column::RxFrequency; column <= Column::Scan; ++column)
            state.cell(row, column).clear();
        return;
    }
    state.cell(row, Column::RxFrequency) = frequencyText(rx);
    state.cell(row, Column::TxFrequency) = frequencyText(in.frequency(record + 4));

    // The tone editor remembers the list item of each tone cell, to fall back on when a typed
    // tone is refused: it becomes the decoded tone's item, so that no tone of an earlier image
    // can come back.
    auto decodeTone = [&](int toneColumn, int frequencyColumn, int offset) {
        const quint16 word = in.word(offset);
        QString &cell = state.cell(row, toneColumn);
        if (word != NoTone)
            cell = toneText(word);
        else if (state.cell(row, frequencyColumn).isEmpty())
            cell.clear();
        else
            cell = texts.toneOff;
        state.option(toneColumn, row) = qint16(ToneList::indexOf(cell));
    };
    decodeTone(Column::RxTone, Column::RxFrequency, record + 8);
    decodeTone(Column::TxTone, Column::TxFrequency, record + 10);

    auto setOption = [&](int column, bool item) {
        state.cell(row, column) = texts.option(column, item);
        state.option(column, row) = item;
    };
    setOption(Column::BusyLock, in.bit(record + 12, 3));
    setOption(Column::Bandwidth, in.bit(record + 13, 4));
    setOption(Column::Power, in.bit(record + 13, 5));
}

// Stores byte b as the new value when it lies in the setting's range.
template<typename T>
void takeInRange(T &value, int b, ValueRange range)
{
    if (range.contains(b))
        value = T(b);
}

void takeSlotInRange(EditorState &state, int slot, int b)
{
    if (SettingRanges::optionTextRange(slot)->contains(b))
        state.optionText(slot) = QString::number(b);
}

void decodeSettings(const Reader &in, EditorState &state)
{
    using namespace SettingRanges;
    auto &dtmf = state.optionSettingTable;
    const int base = Layout::OptionSettings;
    for (int i : {0, 1, 3, 4, 5, 7})
        takeInRange(dtmf[i], in.byte(base + i), OptionSettings[i]);
    // 00 is what the start value 0 stores: read it back as such, or a file saved with the start
    // value would take whatever duration the editor held before.
    if (const int b = in.byte(base + DurationSetting); b == 0 || OptionSettings[DurationSetting].contains(b))
        dtmf[DurationSetting] = b * 10; // milliseconds
    if (const int b = in.byte(base + DigitSetting); b == 0x00 || b == 0xFF)
        dtmf[DigitSetting] = 0;
    else if (OptionSettings[DigitSetting].contains(b - '0'))
        dtmf[DigitSetting] = b - '0';

    takeInRange(state.keyFunction1, in.byte(Layout::KeyFunction1), KeyFunction);
    takeInRange(state.keyFunction2, in.byte(Layout::KeyFunction2), KeyFunction);
    state.optionText(EditorState::StoredTextA) = in.text(Layout::StoredTextA, Layout::StoredTextASize, true);

    takeInRange(state.voicePrompt, in.byte(Layout::VoicePrompt), VoicePrompt);
    if (const int position = in.byte(Layout::Timeout) - 1; Timeout.contains(position))
        state.timeout = position; // 0 leaves the list without a selection
    takeInRange(state.timeoutWarn, in.byte(Layout::TimeoutWarn), TimeoutWarn);
    takeSlotInRange(state, 4, in.byte(Layout::PttId));
    takeInRange(state.squelch, in.byte(Layout::Squelch), Squelch);
    takeInRange(state.batterySave, in.byte(Layout::BatterySave), BatterySave);
    takeInRange(state.beep, in.byte(Layout::Beep), Beep);

    const int voxSlots[] = {23, 24, 6, 7, 8, 9};
    for (int i = 0; i < 6; ++i)
        takeSlotInRange(state, voxSlots[i], in.byte(Layout::VoxSettings + i));
    state.optionText(10) = QString::number(in.byte(Layout::Duplicate) & 1);

    state.optionText(EditorState::StoredTextB) = in.text(Layout::StoredTextB, Layout::StoredTextBCSize, false);
    state.optionText(EditorState::StoredTextC) = in.text(Layout::StoredTextC, Layout::StoredTextBCSize, false);

    for (int slot = 11; slot <= 15; ++slot)
        takeSlotInRange(state, slot, in.byte(Layout::ScanSettings + slot - 11));
    // The revert times store their "none" item as FF: read it back as such, or a file saved
    // with none would show whatever time the editor held before.
    for (int slot : {13, 14})
        if (in.byte(Layout::ScanSettings + slot - 11) == 0xFF)
            state.optionText(slot) = QStringLiteral("0");
    takeSlotInRange(state, 19, in.word(Layout::ScanReceiveDelay));
    takeSlotInRange(state, 20, in.word(Layout::ScanTransmitDelay));
}

} // namespace

void decodeImage(const RadioImage &image, EditorState &state, const CellTexts &texts)
{
    const Reader in(image);
    for (int row = 1; row <= ChannelCount; ++row)
        decodeChannel(in, row, state, texts);
    decodeSettings(in, state);

    for (int row = 1; row <= ChannelCount; ++row) {
        if (!state.channelExists(row)) {
            state.cell(row, Column::Scan).clear();
            continue;
        }
        const bool scanned = in.bit(Layout::ScanMembership + (row - 1) / 8, (row - 1) % 8);
        state.cell(row, Column::Scan) = texts.option(Column::Scan, scanned);
        state.option(Column::Scan, row) = scanned;
    }

    state.powerTuning1 = in.byte(Layout::PowerTuning1);
    state.powerTuning2 = in.byte(Layout::PowerTuning2);
    if (const auto band = Layout::bandOfCode(in.byte(Layout::BandCode)))
        state.currentBand = *band;

    for (int number = 1; number <= 8; ++number) {
        QString &code = state.codeText(number);
        code.clear();
        for (int i = 0; i < Layout::CodeTextSize; ++i) {
            const quint8 b = in.byte(Layout::CodeTexts + Layout::CodeTextSize * (number - 1) + i);
            if (b == 0x3A)
                code += QLatin1Char('0');
            else if (b != 0xFF)
                code += QChar(b);
        }
    }
    for (int row = 1; row <= ChannelCount; ++row) {
        const int offset = Layout::TestFrequencies + 8 * (row - 1);
        state.testFrequencyTable[row - 1] = {frequencyText(in.frequency(offset)), frequencyText(in.frequency(offset + 4))};
    }
    for (int i = 0; i < 2; ++i)
        state.embeddedTexts[i] = in.text(Layout::EmbeddedTexts + Layout::EmbeddedTextSize * i, Layout::EmbeddedTextSize, false);
}

// ---- Encoding ----------------------------------------------------------------------------

namespace {

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

class Writer
{
public:
    void byte(quint8 b) { m_bytes.append(char(b)); }
    void fill(quint8 b, int count) { m_bytes.append(count, char(b)); }
    void word(int value)
    {
        const int w = clamped(value, 0, 0xFFFF);
        byte(quint8(w & 0xFF));
        byte(quint8(w >> 8));
    }
    void ascii(const char *text) { m_bytes.append(text); }
    void frequency(const QString &text)
    {
        for (quint8 b : frequencyBytes(text))
            byte(b);
    }
    // One Latin-1 byte a character, cut to size, FF after the end; "0" is stored as 3A in the
    // auto-dial codes.
    void text(const QString &text, int size, bool codeDigits = false)
    {
        for (int i = 0; i < size; ++i) {
            if (i >= text.size()) {
                byte(0xFF);
                continue;
            }
            const char16_t c = text[i].unicode();
            if (codeDigits && c == u'0')
                byte(0x3A);
            else
                byte(c <= 0xFF ? quint8(c) : quint8('?'));
        }
    }
    int size() const { return int(m_bytes.size()); }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

void encodeTone(Writer &out, const QString &cell, const CellTexts &texts)
{
    const auto word = cell == texts.toneOff ? std::nullopt : toneWord(cell);
    out.word(word.value_or(NoTone));
}

void encodeChannel(Writer &out, const EditorState &state, int row, const CellTexts &texts)
{
    const auto is = [&](int column, int item) { return state.cell(row, column) == texts.option(column, item); };
    out.frequency(state.cell(row, Column::RxFrequency));
    out.frequency(state.cell(row, Column::TxFrequency));
    encodeTone(out, state.cell(row, Column::RxTone), texts);
    encodeTone(out, state.cell(row, Column::TxTone), texts);
    // An empty or unknown option cell stores what an empty row stores: lockout on, high, wide.
    out.byte(is(Column::BusyLock, 0) ? 0xF0 : 0xF8);
    const int high = is(Column::Power, 0) ? 0 : 1;
    const int wide = is(Column::Bandwidth, 0) ? 0 : 1;
    out.byte(quint8(0xC0 | high << 5 | wide << 4));
    out.byte(0xFC);
    out.byte(0xFF);
}

quint8 scanByte(const EditorState &state, int firstRow, const CellTexts &texts)
{
    quint8 bits = 0;
    for (int i = 0; i < 8; ++i) {
        const QString &cell = state.cell(firstRow + i, Column::Scan);
        if (!cell.isEmpty() && cell != texts.option(Column::Scan, 0))
            bits |= quint8(1 << i);
    }
    return bits;
}

int slotValue(const EditorState &state, int slot)
{
    return clamped(leadingNumber(state.optionText(slot)), 0, 255);
}

} // namespace

RadioImage encodeImage(const EditorState &state, const CellTexts &texts)
{
    Writer out;
    for (int row = 1; row <= ChannelCount; ++row)
        encodeChannel(out, state, row, texts);

    const auto &dtmf = state.optionSettingTable;
    out.byte(byteOf(dtmf[0]));
    out.byte(byteOf(dtmf[1]));
    out.byte(byteOf(std::trunc(dtmf[2] / 10.0))); // milliseconds to units of 10 ms
    out.byte(byteOf(dtmf[3]));
    out.byte(byteOf(dtmf[4]));
    out.byte(byteOf(dtmf[5]));
    // The group-call code is stored as the ASCII code of its first decimal digit.
    out.byte(dtmf[6] <= 0 ? 0x00 : quint8(QString::number(dtmf[6]).at(0).toLatin1()));
    out.byte(byteOf(dtmf[7]));
    out.fill(0xFF, 5);

    out.byte(byteOf(state.keyFunction1));
    out.byte(byteOf(state.keyFunction2));
    out.byte(0xFF);
    out.text(state.optionText(EditorState::StoredTextA), Layout::StoredTextASize);
    out.fill(0xFF, 5);

    out.byte(byteOf(state.voicePrompt));
    out.byte(byteOf(state.timeout + 1.0)); // no selection is stored as 0
    out.byte(byteOf(state.timeoutWarn));
    out.byte(quint8(slotValue(state, 4)));
    out.byte(0x00);
    out.byte(byteOf(state.squelch));
    out.byte(byteOf(state.batterySave));
    out.byte(byteOf(state.beep));
    for (int slot : {23, 24, 6, 7, 8, 9})
        out.byte(quint8(slotValue(state, slot)));
    out.byte(0xFF);
    out.byte(slotValue(state, 10) == 1 ? 0xFF : 0xFE);
    out.byte(0xFF);
    out.text(state.optionText(EditorState::StoredTextB), Layout::StoredTextBCSize);
    out.text(state.optionText(EditorState::StoredTextC), Layout::StoredTextBCSize);

    out.byte(quint8(slotValue(state, 11)));
    out.byte(quint8(slotValue(state, 12)));
    for (int slot : {13, 14}) {
        const int value = slotValue(state, slot);
        out.byte(value == 0 ? 0xFF : quint8(value)); // 0 ("none") is stored as FF
    }
    out.byte(quint8(slotValue(state, 15)));
    out.word(clamped(leadingNumber(state.optionText(19)), 0, 0xFFFF));
    out.word(clamped(leadingNumber(state.optionText(20)), 0, 0xFFFF));
    out.fill(0xFF, 21);

    out.byte(scanByte(state, 1, texts));
    out.byte(scanByte(state, 9, texts));
    out.fill(0xFF, 3);
    out.byte(byteOf(state.powerTuning1));
    out.fill(0xFF, 4);
    out.byte(byteOf(state.powerTuning2));
    out.fill(0xFF, 47);

    const quint8 band = Layout::BandCodes[std::clamp(state.currentBand, 0, BandCount - 1)];
    out.ascii("QVF54");
    out.byte(band);
    out.byte(0xF8);
    out.byte(0xFF);
    out.fill(0xFF, 64);

    for (int number = 1; number <= 8; ++number)
        out.text(state.codeText(number), Layout::CodeTextSize, true);
    for (const auto &row : state.testFrequencyTable) {
        out.frequency(row.rx);
        out.frequency(row.tx);
    }
    for (const QString &text : state.embeddedTexts)
        out.text(text, Layout::EmbeddedTextSize);

    out.ascii("QVCR540");
    out.fill(0xFF, 5);
    out.byte(band);
    out.fill(0xFF, 3);
    out.ascii("60905626");
    out.fill(0x88, 8);

    Q_ASSERT(out.size() == RadioImage::EncodedSize);
    return RadioImage(out.bytes());
}
