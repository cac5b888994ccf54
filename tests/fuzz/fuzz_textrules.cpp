// Typed text: what the channel editors make of any text a user types or pastes, and the field
// conversions behind them. Each rule table reads its own operands from the input; the input's
// first byte picks the table by its position in Tables, so that a table added at the end leaves
// the meaning of every committed input as it was.

#include "fuzzcheck.h"

#include "editor/bands.h"
#include "editor/channelrules.h"
#include "editor/settingsrules.h"
#include "editor/testfrequencyrules.h"
#include "image/codec.h"
#include "image/fields.h"
#include "image/textconversions.h"
#include "image/tonelist.h"

#include <QRegularExpression>

namespace {

using Column = EditorState::Column;

constexpr qint64 UnitsPerMHz = 100'000; // frequencies in units of 10 Hz

QString textOf(FuzzInput &in)
{
    return QString::fromUtf8(in.rest());
}

bool onRaster(qint64 units)
{
    const qint64 withinStep = units % 10000;
    return withinStep % 500 == 0 || withinStep % 625 == 0;
}

// A frequency as a cell holds it: three digits, a point, five digits.
bool hasFrequencyShape(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^[0-9]{3}\\.[0-9]{5}$"));
    return shape.match(text).hasMatch();
}

// A state with one channel in every other row, so that an edit meets full and empty rows.
EditorState stateWithChannels()
{
    EditorState state;
    for (int row = 1; row <= ChannelCount; row += 2) {
        ChannelRules::fillNewChannel(state, row, *Frequency::ofText(u"145.02500"));
        if (row % 4 == 1)
            state.channel(row)->tx = Frequency(); // a channel without TX frequency
    }
    return state;
}

// Whether two states differ only in the channel of one row and what its tone cells fall back on.
bool differOnlyInRow(EditorState a, const EditorState &b, int row)
{
    a.channel(row) = b.channel(row);
    a.toneFallbacks[row - 1] = b.toneFallbacks[row - 1];
    return a == b;
}

// ---- Frequency entry: a stored frequency lies in the band, on the raster, with five decimals.
void frequencyEntry(FuzzInput &in)
{
    const quint8 place = in.byte();
    const int row = 1 + place % ChannelCount;
    const int column = place & 0x10 ? Column::TxFrequency : Column::RxFrequency;
    const int bandIndex = in.byte() % BandCount;
    in.byte(); // once the language of the cells, which hold none now
    const QString text = textOf(in);
    const Bands::Limits band = Bands::limitsOf(Bands::items().at(bandIndex));

    const QString kept = ChannelRules::frequencyEditorText(text);
    FUZZ_CHECK(kept.size() <= ChannelRules::FrequencyEditorLength, kept);
    for (QChar c : kept)
        FUZZ_CHECK(ChannelRules::frequencyKeyAllowed(c) && c != QChar(8), kept);

    const EditorState before = stateWithChannels();
    EditorState state = before;
    const auto edit = ChannelRules::endFrequencyEdit(state, row, column, text, band);
    using Edit = ChannelRules::FrequencyEdit;
    if (edit == Edit::Unchanged || edit == Edit::OutOfBand) {
        FUZZ_CHECK(state == before, text);
        return;
    }
    FUZZ_CHECK(differOnlyInRow(state, before, row), text);
    if (edit == Edit::Erased) {
        FUZZ_CHECK(text.isEmpty() && column == Column::RxFrequency && !state.channelExists(row), text);
        return;
    }
    const Frequency frequency = ChannelRules::frequencyIn(*state.channel(row), column);
    const QString stored = frequency.text();
    FUZZ_CHECK(hasFrequencyShape(stored), text + QStringLiteral(" -> ") + stored);
    FUZZ_CHECK(Bands::contains(band, frequency), text + QStringLiteral(" -> ") + stored);
    const qint64 units = *frequencyUnits(stored);
    FUZZ_CHECK(onRaster(units), stored);
    // Lowered onto the raster from the typed value rounded to 10 Hz, by less than one step.
    const auto typed = decimalUnits(text, 5, 1000 * UnitsPerMHz);
    FUZZ_CHECK(typed && units <= *typed && *typed - units < 500, text + QStringLiteral(" -> ") + stored);
    if (column == Column::RxFrequency && (!before.channel(row) || before.channel(row)->tx.isNone())) {
        const Channel &made = *state.channel(row);
        FUZZ_CHECK(made.tx == made.rx, stored);
        FUZZ_CHECK(made.rxTone.isNone() && made.txTone.isNone(), stored);
    }
}

// A tone is none, or one whose text reads back as the same tone.
void checkTone(const Tone &tone)
{
    if (tone.isNone())
        return;
    const QString cell = tone.text();
    const auto word = toneWord(cell);
    FUZZ_CHECK(word && toneText(*word) == cell, cell);
    if (cell.startsWith(QLatin1Char('D'))) {
        FUZZ_CHECK(cell.size() == 5 && parseDcsText(cell), cell);
        return;
    }
    const auto tenths = decimalUnits(cell, 1, 10000);
    FUZZ_CHECK(tenths && *tenths >= 670 && *tenths <= 2541 && cell.endsWith(QString::number(*tenths % 10)), cell);
}

// ---- Tone entry: typed keys, a typed tone, a pick from the list.
void toneEntry(FuzzInput &in)
{
    const quint8 place = in.byte();
    const int row = 1 + place % ChannelCount;
    const int column = place & 0x10 ? Column::TxTone : Column::RxTone;
    const qint16 lastPicked = qint16(in.word());
    const bool offItem = in.byte() & 0x80; // the editor shows its Off item
    const QString text = textOf(in);

    for (QChar key : text)
        if (const auto passed = ChannelRules::toneKey(key))
            FUZZ_CHECK(QStringLiteral("0123456789.DNI\b").contains(*passed), QString(*passed));

    EditorState before = stateWithChannels();
    before.toneFallback(row, column) = ToneList::tone(lastPicked);
    EditorState state = before;
    const bool changed = ChannelRules::endToneEdit(state, row, column, text, offItem);
    FUZZ_CHECK(changed == (state != before), text);
    FUZZ_CHECK(differOnlyInRow(state, before, row), text);
    if (!state.channel(row))
        return;
    const Tone &tone = ChannelRules::toneIn(*state.channel(row), column);
    checkTone(tone);

    ChannelRules::pickTone(state, row, column, lastPicked);
    const int index = ToneList::indexOf(state.toneFallback(row, column));
    FUZZ_CHECK(index >= 0 && index < ToneList::Size, QString::number(index));
    FUZZ_CHECK(tone == ToneList::tone(index), tone.text());
    checkTone(tone);
}

// ---- Tone and DCS texts: what parses is written back the same way, and words survive texts.
void toneTexts(FuzzInput &in)
{
    const quint16 word = in.word();
    const QString text = textOf(in);
    if (const auto dcs = parseDcsText(text)) {
        FUZZ_CHECK(dcs->code >= 0 && dcs->code <= 0777, text);
        const QString written = dcsText(*dcs);
        const auto again = parseDcsText(written);
        FUZZ_CHECK(written.size() == 5 && again && again->code == dcs->code && again->inverted == dcs->inverted, written);
    }
    if (const auto parsed = toneWord(text))
        FUZZ_CHECK(*parsed != NoTone && toneWord(toneText(*parsed)) == parsed, text);
    if (word != NoTone) {
        const QString shown = toneText(word);
        const auto back = toneWord(shown);
        FUZZ_CHECK(back && toneText(*back) == shown, shown);
    }
}

// ---- Frequency fields: bytes to text and back, texts to bytes and back, the raster.
void frequencyFields(FuzzInput &in)
{
    const FrequencyBytes bytes {in.byte(), in.byte(), in.byte(), in.byte()};
    const int decimals = in.byte() % 9;
    const qint64 limit = qint64(in.word()) << in.byte() % 40;
    const QString text = textOf(in);

    const QString shown = frequencyText(bytes);
    FUZZ_CHECK(frequencyBytes(shown) == bytes && (shown.isEmpty() == (bytes == NoFrequency)), shown);

    const FrequencyBytes stored = frequencyBytes(text);
    if (stored != NoFrequency) {
        const QString storedText = frequencyText(stored);
        FUZZ_CHECK(storedText.size() == 9 && frequencyBytes(storedText) == stored, text);
    }
    if (const auto units = frequencyUnits(text)) {
        FUZZ_CHECK(*units >= 0 && *units < 1000 * UnitsPerMHz, text);
        FUZZ_CHECK(frequencyText(frequencyBytes(text)) == frequencyTextOfUnits(*units), text);
        const qint64 snapped = snapUnitsToStep(*units);
        FUZZ_CHECK(snapped <= *units && *units - snapped < 500 && onRaster(snapped), text);
    }
    if (const auto value = decimalUnits(text, decimals, limit))
        FUZZ_CHECK(*value >= 0 && *value < limit, text);
}

// ---- Test frequencies: a stored value has five decimals, lies on a raster a little below the
// typed value, and fits the field; a refused one did not fit it.
bool onRasterMHz(const QString &text)
{
    const auto units = decimalUnits(text, 5, 1000 * UnitsPerMHz);
    return units && onRaster(*units);
}

void testFrequencies(FuzzInput &in)
{
    const bool receive = in.byte() % 2 == 0;
    const QString rx = QString::fromUtf8(in.bytes(in.byte() % 16));
    const QString text = textOf(in);
    const TestFrequencyRules::Row row {rx, rx};
    const auto result = receive ? TestFrequencyRules::afterReceiveEdit(row, text)
                                : TestFrequencyRules::afterTransmitEdit(row, text);
    static const QRegularExpression fiveDecimals(QStringLiteral("^[0-9]{1,3}\\.[0-9]{5}$"));
    if (!result) { // only what would be written as 1000 MHz or more
        FUZZ_CHECK(!text.isEmpty() && leadingNumber(text) >= 999.999995, text);
        return;
    }
    if (text.isEmpty()) {
        FUZZ_CHECK(receive ? result->rx.isEmpty() && result->tx.isEmpty() : result->rx == rx && result->tx == rx, text);
        return;
    }
    const QString stored = receive ? result->rx : result->tx;
    FUZZ_CHECK(fiveDecimals.match(stored).hasMatch(), text + QStringLiteral(" -> ") + stored);
    const double typed = std::max(0.0, leadingNumber(text));
    FUZZ_CHECK(leadingNumber(stored) <= typed + 0.000005 && typed - leadingNumber(stored) < 0.00625 + 0.000005,
               text + QStringLiteral(" -> ") + stored);
    FUZZ_CHECK(frequencyBytes(stored) != NoFrequency, stored);
    if (receive) {
        FUZZ_CHECK(result->tx == result->rx && onRasterMHz(stored), stored);
    } else {
        FUZZ_CHECK(result->rx == rx, stored);
    }
}

// ---- The feature dialogs' boxes: what they accept is what the image keeps.
void dialogTexts(FuzzInput &in)
{
    const int count = 1 + in.byte() % 100;
    const QString text = textOf(in);

    if (SettingsRules::delayTextAccepted(text)) {
        FUZZ_CHECK(text.size() <= 3 && leadingNumber(text) <= SettingsRules::MaxDelay, text);
        EditorState state;
        state.options.scanReceiveDelay = text;
        EditorState decoded;
        decodeImage(encodeImage(state), decoded);
        FUZZ_CHECK(decoded.options.scanReceiveDelay == QString::number(text.toInt()), text);
    }
    const int index = SettingsRules::listPositionOf(text.toInt(), count);
    FUZZ_CHECK(index >= -1 && index < count, text);

    const QString kept = SettingsRules::storableEmbeddedText(text);
    for (QChar c : kept)
        FUZZ_CHECK(SettingsRules::embeddedCharacterStorable(c), kept);
    EditorState state;
    state.embeddedTexts[0] = kept;
    EditorState decoded;
    decodeImage(encodeImage(state), decoded);
    FUZZ_CHECK(decoded.embeddedTexts[0] == kept.left(SettingsRules::EmbeddedTextLength), kept);
}

struct RuleTable
{
    const char *name;
    void (*check)(FuzzInput &in);
};

// Append new tables at the end: an input's first byte is its table's position.
constexpr RuleTable Tables[] = {
    {"frequency entry", frequencyEntry},
    {"tone entry", toneEntry},
    {"tone and DCS texts", toneTexts},
    {"frequency fields", frequencyFields},
    {"test frequencies", testFrequencies},
    {"dialog texts", dialogTexts},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const quint8 table = in.byte();
    if (table < std::size(Tables))
        Tables[table].check(in);
    return 0;
}
