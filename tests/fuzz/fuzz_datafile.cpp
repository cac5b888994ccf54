// Data files from outside: any bytes through the file reader, the decoder from two editor states,
// the encoder, and the command-line tool's dump as text and JSON.

#include "fuzzcheck.h"

#include "cliimages.h"
#include "filedump.h"
#include "image/codec.h"
#include "image/layout.h"
#include "storage/datafile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>

namespace {

// A state with every setting off its start value, inside the ranges decoding accepts, so that
// a decoding keeps none of them by accident of being equal.
EditorState richState()
{
    EditorState s;
    s.channel(3) = Channel {*Frequency::ofText(u"145.02500"), *Frequency::ofText(u"145.62500"), Tone::ctcss(670),
                            Tone::dcs({023, false}), Power::Low, BusyLock::Carrier, Bandwidth::Narrow, true};
    s.currentBand = 5;
    s.voicePrompt = 2;
    s.timeout = 39;
    s.timeoutWarn = 10;
    s.squelch = 9;
    s.batterySave = 0;
    s.beep = 0;
    s.options = {0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, QStringLiteral("0"), QStringLiteral("0")};
    s.pttIdCodes = {QStringLiteral("1234567890"), QStringLiteral("B"), QStringLiteral("C")};
    s.dtmf = {3, 3, 1000, 3, 16, 0, 9, 15};
    s.keyFunction1 = 11;
    s.keyFunction2 = 11;
    s.autoDialCodes.fill(QStringLiteral("909"));
    s.embeddedTexts = {QStringLiteral("EMBEDDED ONE"), QStringLiteral("EMBEDDED TWO")};
    s.testFrequencyTable.fill({QStringLiteral("150.00000"), QStringLiteral("151.00000")});
    s.powerTuning1 = 1;
    s.powerTuning2 = 254;
    return s;
}

// The two states decoding starts from: the start values and the rich state, made once.
const std::array<EditorState, 2> &startStates()
{
    static const std::array<EditorState, 2> states {EditorState(), richState()};
    return states;
}

QString hexOf(const RadioImage &image)
{
    return QString::fromLatin1(image.bytes().toHex(' '));
}

// Every byte of an encoded image that no setting chooses holds its constant or fill value.
void checkLayout(const RadioImage &image)
{
    FUZZ_CHECK(image.size() == RadioImage::EncodedSize, QString::number(image.size()));
    for (int channel = 0; channel < ChannelCount; ++channel) {
        const int record = Layout::ChannelRecordSize * channel;
        const quint8 lock = image.byte(record + 12), powerAndWidth = image.byte(record + 13);
        FUZZ_CHECK(lock == 0xF0 || lock == 0xF8, hexOf(image));
        FUZZ_CHECK((powerAndWidth & 0xCF) == 0xC0, hexOf(image));
        FUZZ_CHECK(image.byte(record + 14) == 0xFC && image.byte(record + 15) == 0xFF, hexOf(image));
    }
    const struct { int offset; QByteArray bytes; } constants[] = {
        {264, QByteArray(5, '\xFF')}, {271, "\xFF"}, {282, QByteArray(5, '\xFF')}, {291, QByteArray(1, '\0')},
        {301, "\xFF"}, {303, "\xFF"}, {345, QByteArray(21, '\xFF')}, {368, QByteArray(3, '\xFF')},
        {372, QByteArray(4, '\xFF')}, {377, QByteArray(47, '\xFF')}, {424, "QVF54"}, {430, "\xF8\xFF"},
        {432, QByteArray(64, '\xFF')}, {816, "QVCR540"}, {823, QByteArray(5, '\xFF')}, {829, QByteArray(3, '\xFF')},
        {832, "60905626"}, {840, QByteArray(8, '\x88')}};
    for (const auto &[offset, bytes] : constants)
        FUZZ_CHECK(image.bytes().mid(offset, bytes.size()) == bytes, QStringLiteral("at %1: %2").arg(offset).arg(hexOf(image)));
    const quint8 duplicate = image.byte(Layout::Duplicate);
    FUZZ_CHECK(duplicate == 0xFE || duplicate == 0xFF, hexOf(image));
    FUZZ_CHECK(Layout::bandOfCode(image.byte(Layout::BandCode)).has_value(), hexOf(image));
    FUZZ_CHECK(image.byte(Layout::BandCodeCopy) == image.byte(Layout::BandCode), hexOf(image));
}

// Decodes into a copy of start and encodes again; the image has its layout, and decoding it
// then encoding gives it back, from either start state.
RadioImage encodedAfterDecoding(const RadioImage &image, const EditorState &start)
{
    EditorState state = start;
    decodeImage(image, state);
    const RadioImage encoded = encodeImage(state);
    checkLayout(encoded);
    for (const EditorState &again : startStates()) {
        EditorState decoded = again;
        decodeImage(encoded, decoded);
        const RadioImage reencoded = encodeImage(decoded);
        FUZZ_CHECK(reencoded == encoded, hexOf(encoded) + QStringLiteral("\nbecomes\n") + hexOf(reencoded));
    }
    return encoded;
}

void checkDump(const RadioImage &image)
{
    const EditorState state = CliImages::stateOf(image);
    FUZZ_CHECK(FileDump::text(state).startsWith(QStringLiteral("Band: ")), QString());

    const QJsonObject dump = FileDump::json(state);
    QJsonParseError error;
    const QJsonDocument parsed = QJsonDocument::fromJson(QJsonDocument(dump).toJson(), &error);
    FUZZ_CHECK(error.error == QJsonParseError::NoError, error.errorString());
    FUZZ_CHECK(parsed.object() == dump, QString::fromUtf8(QJsonDocument(dump).toJson()));
    const int band = dump["band"].toInt(-1);
    FUZZ_CHECK(band >= 0 && band < BandCount, QString::number(band));
    const QJsonArray channels = dump["channels"].toArray();
    FUZZ_CHECK(channels.size() <= ChannelCount, QString::number(channels.size()));
    for (const QJsonValue &channel : channels)
        FUZZ_CHECK(channel["rx"].toString().size() == 9, channel["rx"].toString());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray contents(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<RadioImage> image = DataFile::imageOfContents(contents);
    const bool dataFile = contents.size() >= DataFile::MinimumSize && contents.startsWith(DataFile::Signature);
    FUZZ_CHECK(image.has_value() == dataFile, QString::number(size));
    if (!image)
        return 0;
    FUZZ_CHECK(image->size() >= RadioImage::DecodedSize && image->size() <= DataFile::FileSize + 2 - DataFile::SignatureSize,
               QString::number(image->size()));

    for (const EditorState &start : startStates())
        encodedAfterDecoding(*image, start);
    checkDump(*image);
    return 0;
}
