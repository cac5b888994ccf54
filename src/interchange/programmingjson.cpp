#include "interchange/programmingjson.h"

#include "editor/bands.h"
#include "image/codec.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/settingranges.h"
#include "image/textconversions.h"
#include "interchange/jsonkeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace {

// The six function settings of the main window by their JSON names.
struct SettingField
{
    const char *key;
    int EditorState::*field;
    ValueRange range;
};

const SettingField SettingFields[] = {
    {"voicePrompt", &EditorState::voicePrompt, SettingRanges::VoicePrompt},
    {"timeout", &EditorState::timeout, SettingRanges::Timeout},
    {"timeoutWarn", &EditorState::timeoutWarn, SettingRanges::TimeoutWarn},
    {"squelch", &EditorState::squelch, SettingRanges::Squelch},
    {"batterySave", &EditorState::batterySave, SettingRanges::BatterySave},
    {"beep", &EditorState::beep, SettingRanges::Beep},
};

const QStringList RootKeys {"format", "band", "bandName", "channels", "settings", "keys", "powerTuning",
                            "embeddedTexts", "testFrequencies", "codeTexts", "optionSettings", "optionTexts"};
const QStringList ChannelKeys {"channel", "rx", "tx", "rxTone", "txTone", "power", "busyLock", "bandwidth", "scan"};

QString bandName(int band)
{
    const QStringList names = Bands::items();
    return band >= 0 && band < names.size() ? names.at(band) : QString();
}

QJsonValue textOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QJsonArray stringArray(const auto &texts)
{
    QJsonArray array;
    for (const QString &text : texts)
        array.append(text);
    return array;
}

QJsonObject channelJson(int number, const Channel &c)
{
    return {{"channel", number},
            {"rx", textOrNull(c.rx.text())},
            {"tx", textOrNull(c.tx.text())},
            {"rxTone", textOrNull(c.rxTone.text())},
            {"txTone", textOrNull(c.txTone.text())},
            {"power", c.power == Power::High ? "high" : "low"},
            {"busyLock", c.busyLock == BusyLock::Carrier ? "carrier" : "off"},
            {"bandwidth", c.bandwidth == Bandwidth::Wide ? "wide" : "narrow"},
            {"scan", c.scan}};
}

// The optional functions in the format's 24 numbered text slots: a number, a text kept as it is,
// or a slot the image does not hold, which the format keeps at its start value "1".
struct OptionSlot
{
    enum Kind { Number, Text, Unheld } kind;
    int OptionalFunctions::*number = nullptr;
    ValueRange range {};
    QString EditorState::*text = nullptr;
    QString PttIdCodes::*code = nullptr;
    int size = 0; // of a code's field
};

OptionSlot optionSlot(int slot)
{
    using namespace SettingRanges;
    using O = OptionalFunctions;
    switch (slot) {
    case 4: return {OptionSlot::Number, &O::pttId, PttId};
    case 6: return {OptionSlot::Number, &O::vox, Vox[2]};
    case 7: return {OptionSlot::Number, &O::voxGain, Vox[3]};
    case 8: return {OptionSlot::Number, &O::voxDelay, Vox[4]};
    case 9: return {OptionSlot::Number, &O::voxTone, Vox[5]};
    case 10: return {OptionSlot::Number, &O::duplicate, Duplicate};
    case 11: return {OptionSlot::Number, &O::priorityMode, Scan[0]};
    case 12: return {OptionSlot::Number, &O::priorityChannel, Scan[1]};
    case 13: return {OptionSlot::Number, &O::revertTimeA, Scan[2]};
    case 14: return {OptionSlot::Number, &O::revertTimeB, Scan[3]};
    case 15: return {OptionSlot::Number, &O::returnChannel, Scan[4]};
    case 16: return {OptionSlot::Text, nullptr, {}, nullptr, &PttIdCodes::id, Layout::PttIdCodeSize};
    case 17: return {OptionSlot::Text, nullptr, {}, nullptr, &PttIdCodes::start, Layout::PttCodeSize};
    case 18: return {OptionSlot::Text, nullptr, {}, nullptr, &PttIdCodes::end, Layout::PttCodeSize};
    case 23: return {OptionSlot::Number, &O::voxCancel, Vox[0]};
    case 24: return {OptionSlot::Number, &O::voxOffOnReceive, Vox[1]};
    default: return {OptionSlot::Unheld};
    }
}

// The scan resume delays, kept as typed, in slots 19 and 20.
template <class Options>
auto &scanDelay(Options &options, int slot)
{
    return slot == 19 ? options.scanReceiveDelay : options.scanTransmitDelay;
}

QJsonArray optionTexts(const EditorState &state)
{
    QJsonArray texts;
    for (int slot = 1; slot <= 24; ++slot) {
        const OptionSlot held = optionSlot(slot);
        if (slot == 19 || slot == 20)
            texts.append(scanDelay(state.options, slot));
        else if (held.kind == OptionSlot::Number)
            texts.append(QString::number(state.options.*held.number));
        else if (held.kind == OptionSlot::Text)
            texts.append(state.pttIdCodes.*held.code);
        else
            texts.append(QStringLiteral("1"));
    }
    return texts;
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

QString indexed(const QString &path, int index)
{
    return QStringLiteral("%1[%2]").arg(path).arg(index);
}

QString member(const QString &path, const QString &key)
{
    return path.isEmpty() ? key : path + u'.' + key;
}

// Reads a JSON object into an editor state, stopping at the first value it refuses.
class StateReader
{
public:
    StateReader() = default;

    ProgrammingJson::Reading read(const QByteArray &json)
    {
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
        ProgrammingJson::Reading reading;
        if (parseError.error != QJsonParseError::NoError)
            fail({}, QStringLiteral("not JSON (%1 at byte %2)").arg(parseError.errorString()).arg(parseError.offset));
        else if (!document.isObject())
            fail({}, QStringLiteral("not one JSON object, as dump --json prints it"));
        else if (const auto duplicate = JsonKeys::firstDuplicate(json))
            fail(duplicate->where, QStringLiteral("\"%1\" is given twice in one object; give each key once")
                                      .arg(duplicate->key));
        else if (readRoot(document.object()))
            reading.state = m_state;
        reading.field = m_field;
        reading.error = m_error;
        reading.warnings = m_warnings;
        return reading;
    }

private:
    bool fail(const QString &field, const QString &error)
    {
        m_field = field;
        m_error = error;
        return false;
    }

    bool readRoot(const QJsonObject &root)
    {
        if (!knownKeys(root, {}, RootKeys))
            return false;
        if (root.contains("format") && root["format"] != QJsonValue(ProgrammingJson::Format))
            return fail("format", QStringLiteral("%1 is not a format this program reads; it reads \"%2\"")
                                      .arg(shown(root["format"]), ProgrammingJson::Format));
        if (root.contains("band")
            && !integer(root["band"], "band", {0, BandCount - 1}, m_state.currentBand, m_state.currentBand))
            return false;
        if (root.contains("bandName") && root["bandName"] != QJsonValue(bandName(m_state.currentBand)))
            return fail("bandName", QStringLiteral("%1 is not the name of band %2 (%3): set \"band\" to change the "
                                                   "band, or leave bandName out")
                                        .arg(shown(root["bandName"])).arg(m_state.currentBand)
                                        .arg(bandName(m_state.currentBand)));
        return (!root.contains("channels") || readChannels(root["channels"]))
            && (!root.contains("settings") || readSettings(root["settings"]))
            && (!root.contains("keys") || readKeys(root["keys"]))
            && (!root.contains("powerTuning") || readPowerTuning(root["powerTuning"]))
            && (!root.contains("embeddedTexts") || readEmbeddedTexts(root["embeddedTexts"]))
            && (!root.contains("testFrequencies") || readTestFrequencies(root["testFrequencies"]))
            && (!root.contains("codeTexts") || readCodeTexts(root["codeTexts"]))
            && (!root.contains("optionSettings") || readOptionSettings(root["optionSettings"]))
            && (!root.contains("optionTexts") || readOptionTexts(root["optionTexts"]));
    }

    // ---- Parts ----

    bool readChannels(const QJsonValue &value)
    {
        if (!value.isArray())
            return fail("channels", QStringLiteral("must be an array of channel objects"));
        std::array<bool, ChannelCount + 1> seen {};
        const QJsonArray channels = value.toArray();
        for (int i = 0; i < channels.size(); ++i)
            if (!readChannel(channels[i], indexed("channels", i), seen))
                return false;
        return true;
    }

    bool readChannel(const QJsonValue &value, const QString &path, std::array<bool, ChannelCount + 1> &seen)
    {
        QJsonObject c;
        if (!object(value, path, ChannelKeys, c))
            return false;
        int number = 0;
        if (!c.contains("channel"))
            return fail(member(path, "channel"), QStringLiteral("missing; give the channel number, 1 to 16"));
        if (!integer(c["channel"], member(path, "channel"), {1, ChannelCount}, 1, number))
            return false;
        if (seen[number])
            return fail(member(path, "channel"), QStringLiteral("channel %1 is given twice").arg(number));
        seen[number] = true;
        if (!c.contains("rx"))
            return fail(member(path, "rx"), QStringLiteral("missing; a channel needs its RX frequency"));
        QString rx;
        if (!frequency(c["rx"], member(path, "rx"), false, rx))
            return false;

        Channel channel = Channel::on(Frequency::ofText(rx).value_or(Frequency()));
        QString tx = channel.tx.text();
        bool high = true, carrier = false, wide = true;
        if ((c.contains("tx") && !frequency(c["tx"], member(path, "tx"), true, tx))
            || (c.contains("rxTone") && !tone(c["rxTone"], member(path, "rxTone"), channel.rxTone))
            || (c.contains("txTone") && !tone(c["txTone"], member(path, "txTone"), channel.txTone))
            || (c.contains("power") && !word(c["power"], member(path, "power"), "high", "low", high))
            || (c.contains("busyLock") && !word(c["busyLock"], member(path, "busyLock"), "carrier", "off", carrier))
            || (c.contains("bandwidth") && !word(c["bandwidth"], member(path, "bandwidth"), "wide", "narrow", wide))
            || (c.contains("scan") && !boolean(c["scan"], member(path, "scan"), channel.scan)))
            return false;
        channel.tx = Frequency::ofText(tx).value_or(Frequency());
        channel.power = high ? Power::High : Power::Low;
        channel.busyLock = carrier ? BusyLock::Carrier : BusyLock::Off;
        channel.bandwidth = wide ? Bandwidth::Wide : Bandwidth::Narrow;
        warnIfUnusual(member(path, "rx"), channel.rx);
        warnIfUnusual(member(path, "tx"), channel.tx);
        m_state.placeChannel(number, channel);
        return true;
    }

    bool readSettings(const QJsonValue &value)
    {
        QStringList keys;
        for (const SettingField &setting : SettingFields)
            keys << QLatin1StringView(setting.key);
        QJsonObject settings;
        if (!object(value, "settings", keys, settings))
            return false;
        const EditorState start;
        for (const SettingField &setting : SettingFields) {
            const QString key = QLatin1StringView(setting.key);
            if (settings.contains(key)
                && !integer(settings[key], member("settings", key), setting.range, start.*setting.field, m_state.*setting.field))
                return false;
        }
        return true;
    }

    bool readKeys(const QJsonValue &value)
    {
        QJsonObject keys;
        const EditorState start;
        return object(value, "keys", {"pf1", "pf2"}, keys)
            && (!keys.contains("pf1")
                || integer(keys["pf1"], "keys.pf1", SettingRanges::KeyFunction, start.keyFunction1, m_state.keyFunction1))
            && (!keys.contains("pf2")
                || integer(keys["pf2"], "keys.pf2", SettingRanges::KeyFunction, start.keyFunction2, m_state.keyFunction2));
    }

    bool readPowerTuning(const QJsonValue &value)
    {
        QJsonArray tuning;
        const EditorState start;
        return array(value, "powerTuning", 2, tuning)
            && integer(tuning[0], "powerTuning[0]", SettingRanges::PowerTuning, start.powerTuning1, m_state.powerTuning1)
            && integer(tuning[1], "powerTuning[1]", SettingRanges::PowerTuning, start.powerTuning2, m_state.powerTuning2);
    }

    bool readEmbeddedTexts(const QJsonValue &value)
    {
        QJsonArray texts;
        if (!array(value, "embeddedTexts", 2, texts))
            return false;
        for (int i = 0; i < 2; ++i)
            if (!text(texts[i], indexed("embeddedTexts", i), Layout::EmbeddedTextSize,
                      [i](EditorState &s) -> QString & { return s.embeddedTexts[i]; }))
                return false;
        return true;
    }

    bool readTestFrequencies(const QJsonValue &value)
    {
        QJsonArray rows;
        if (!array(value, "testFrequencies", ChannelCount, rows))
            return false;
        for (int i = 0; i < ChannelCount; ++i) {
            QJsonArray pair;
            const QString path = indexed("testFrequencies", i);
            auto &row = m_state.testFrequencyTable[i];
            if (!array(rows[i], path, 2, pair) || !frequency(pair[0], indexed(path, 0), true, row.rx)
                || !frequency(pair[1], indexed(path, 1), true, row.tx))
                return false;
        }
        return true;
    }

    bool readCodeTexts(const QJsonValue &value)
    {
        QJsonArray codes;
        if (!array(value, "codeTexts", 8, codes))
            return false;
        for (int i = 0; i < 8; ++i)
            if (!text(codes[i], indexed("codeTexts", i), Layout::AutoDialCodeSize,
                      [i](EditorState &s) -> QString & { return s.autoDialCodes[i]; }))
                return false;
        return true;
    }

    bool readOptionSettings(const QJsonValue &value)
    {
        using namespace SettingRanges;
        QJsonArray settings;
        if (!array(value, "optionSettings", 8, settings))
            return false;
        const EditorState start;
        for (int i = 0; i < 8; ++i) {
            const QString path = indexed("optionSettings", i);
            int &setting = m_state.dtmf.*DtmfOrder[i];
            const int startValue = start.dtmf.*DtmfOrder[i];
            if (DtmfOrder[i] != &DtmfSettings::firstDigitDelay) {
                if (!integer(settings[i], path, Dtmf[i], startValue, setting))
                    return false;
                continue;
            }
            // Milliseconds, stored in units of 10 ms.
            const ValueRange units = Dtmf[i];
            if (!integer(settings[i], path, {10 * units.low, 10 * units.high}, startValue, setting))
                return false;
            if (setting % 10 != 0)
                return fail(path, QStringLiteral("%1 ms is stored in steps of 10 ms; give %2 to %3 in steps of 10")
                                      .arg(setting).arg(10 * units.low).arg(10 * units.high));
        }
        return true;
    }

    bool readOptionTexts(const QJsonValue &value)
    {
        QJsonArray texts;
        if (!array(value, "optionTexts", 24, texts))
            return false;
        EditorState start;
        for (int slot = 1; slot <= 24; ++slot) {
            const QString path = indexed("optionTexts", slot - 1);
            const QJsonValue item = texts[slot - 1];
            if (!item.isString())
                return fail(path, QStringLiteral("must be a text"));
            const QString given = item.toString();
            const OptionSlot held = optionSlot(slot);
            if (slot == 19 || slot == 20) {
                if (!numberText(given, path, SettingRanges::ScanDelay, scanDelay(start.options, slot)))
                    return false;
                scanDelay(m_state.options, slot) = given;
            } else if (held.kind == OptionSlot::Number) {
                const QString startText = QString::number(start.options.*held.number);
                if (!numberText(given, path, held.range, startText))
                    return false;
                m_state.options.*held.number = given.toInt();
            } else if (held.kind == OptionSlot::Text) {
                if (!text(item, path, held.size, [&held](EditorState &s) -> QString & { return s.pttIdCodes.*held.code; }))
                    return false;
            } // else a slot the image does not hold: any text, and it keeps nothing
        }
        return true;
    }

    // ---- Values ----

    static QString shown(const QJsonValue &value)
    {
        if (value.isString())
            return quoted(value.toString());
        if (value.isNull())
            return QStringLiteral("null");
        const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray())
                                       : value.isObject() ? QJsonDocument(value.toObject())
                                                          : QJsonDocument(QJsonArray {value});
        QString text = QString::fromUtf8(document.toJson(QJsonDocument::Compact));
        return value.isArray() || value.isObject() ? text : text.mid(1, text.size() - 2);
    }

    bool knownKeys(const QJsonObject &object, const QString &path, const QStringList &keys)
    {
        for (const QString &key : object.keys())
            if (!keys.contains(key))
                return fail(member(path, key), QStringLiteral("unknown key; %1 holds %2")
                                                   .arg(path.isEmpty() ? QStringLiteral("the object") : path,
                                                        keys.join(QStringLiteral(", "))));
        return true;
    }

    bool object(const QJsonValue &value, const QString &path, const QStringList &keys, QJsonObject &out)
    {
        if (!value.isObject())
            return fail(path, QStringLiteral("must be an object with the keys %1").arg(keys.join(QStringLiteral(", "))));
        out = value.toObject();
        return knownKeys(out, path, keys);
    }

    bool array(const QJsonValue &value, const QString &path, int size, QJsonArray &out)
    {
        if (!value.isArray() || value.toArray().size() != size)
            return fail(path, QStringLiteral("must be an array of %1 values").arg(size));
        out = value.toArray();
        return true;
    }

    // A whole number in its range, or the setting's start value (which a file keeps when its byte
    // is out of range).
    bool integer(const QJsonValue &value, const QString &path, ValueRange range, int start, int &out)
    {
        const double number = value.toDouble(NAN);
        if (!value.isDouble() || std::trunc(number) != number)
            return fail(path, QStringLiteral("%1 is not a whole number").arg(shown(value)));
        if (!range.contains(int(std::clamp(number, -1e9, 1e9))) && number != start)
            return fail(path, QStringLiteral("%1 is outside %2 to %3").arg(shown(value)).arg(range.low).arg(range.high));
        out = int(number);
        return true;
    }

    bool numberText(const QString &given, const QString &path, ValueRange range, const QString &start)
    {
        const bool digits = !given.isEmpty() && given.size() <= 3
            && std::all_of(given.cbegin(), given.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (given == start || (digits && range.contains(given.toInt())))
            return true;
        return fail(path, QStringLiteral("%1 is not a number from %2 to %3 written in digits")
                              .arg(quoted(given)).arg(range.low).arg(range.high));
    }

    // A frequency of the field's shape, as dump prints it (kept digit by digit), or a decimal
    // number of MHz (rounded to 10 Hz).
    bool frequency(const QJsonValue &value, const QString &path, bool nullable, QString &out)
    {
        if (value.isNull() && nullable) {
            out.clear();
            return true;
        }
        const QString given = value.toString();
        if (value.isString() && isFrequencyFieldShape(given) && frequencyBytes(given) != NoFrequency) {
            out = given;
            return true;
        }
        if (const auto units = value.isString() ? frequencyUnits(given) : std::nullopt) {
            out = frequencyTextOfUnits(*units);
            return true;
        }
        return fail(path, QStringLiteral("%1 is not a frequency: give MHz as a text such as \"436.12500\"%2")
                              .arg(shown(value), nullable ? QStringLiteral(", or null for none") : QString()));
    }

    // A tone as the editor writes it, or null for none.
    bool tone(const QJsonValue &value, const QString &path, Tone &out)
    {
        if (value.isNull()) {
            out = Tone();
            return true;
        }
        const auto toneWordOf = value.isString() ? toneWord(value.toString()) : std::nullopt;
        if (toneWordOf && toneText(*toneWordOf) == value.toString()) {
            out = Tone::ofWord(*toneWordOf);
            return true;
        }
        return fail(path, QStringLiteral("%1 is not a tone as the editor writes it: CTCSS in Hz with one decimal "
                                         "(\"67.0\"), a DCS code (\"D023N\", N normal, I inverted), or null for none")
                              .arg(shown(value)));
    }

    bool word(const QJsonValue &value, const QString &path, const char *yes, const char *no, bool &out)
    {
        if (value != QJsonValue(QLatin1StringView(yes)) && value != QJsonValue(QLatin1StringView(no)))
            return fail(path, QStringLiteral("%1 is neither \"%2\" nor \"%3\"").arg(shown(value), yes, no));
        out = value == QJsonValue(QLatin1StringView(yes));
        return true;
    }

    bool boolean(const QJsonValue &value, const QString &path, bool &out)
    {
        if (!value.isBool())
            return fail(path, QStringLiteral("%1 is neither true nor false").arg(shown(value)));
        out = value.toBool();
        return true;
    }

    // A text that a data file keeps as it is: tried on the codec, which cuts it to its field and
    // stores one byte a character.
    bool text(const QJsonValue &value, const QString &path, int size, const std::function<QString &(EditorState &)> &slot)
    {
        if (!value.isString())
            return fail(path, QStringLiteral("must be a text"));
        EditorState scratch;
        slot(scratch) = value.toString();
        EditorState back;
        decodeImage(encodeImage(scratch), back);
        // A text kept with its unused bytes (StoredTextA) reads back with them as U+00FF.
        const bool padded = slot(back).size() == size && value.toString().size() < size;
        const QString expected = padded ? value.toString().leftJustified(size, QChar(0xFF)) : value.toString();
        if (slot(back) != expected)
            return fail(path, QStringLiteral("%1 cannot be kept by a data file as it is: it would read back as %2 "
                                             "(the field holds %3 characters of one byte each)")
                                  .arg(shown(value), quoted(slot(back))).arg(size));
        slot(m_state) = value.toString();
        return true;
    }

    void warnIfUnusual(const QString &path, const Frequency &frequency)
    {
        if (frequency.isNone())
            return;
        const QString band = bandName(m_state.currentBand);
        const auto units = frequency.units();
        QString problem;
        if (!units)
            problem = QStringLiteral("holds digits that are no frequency");
        else if (!Bands::contains(Bands::limitsOf(band), frequency))
            problem = QStringLiteral("lies outside the band %1").arg(band);
        else if (snapUnitsToStep(*units) != *units)
            problem = QStringLiteral("lies off the 5 kHz and 6.25 kHz rasters");
        if (!problem.isEmpty())
            m_warnings << QStringLiteral("%1: %2 %3; kept as it is").arg(path, frequency.text(), problem);
    }

    EditorState m_state;
    QString m_field;
    QString m_error;
    QStringList m_warnings;
};

} // namespace

namespace ProgrammingJson {

QJsonObject toJson(const EditorState &state)
{
    QJsonArray channels;
    for (int number = 1; number <= ChannelCount; ++number)
        if (const auto &channel = state.channel(number))
            channels.append(channelJson(number, *channel));
    QJsonObject settings;
    for (const SettingField &setting : SettingFields)
        settings.insert(QLatin1StringView(setting.key), state.*setting.field);
    QJsonArray testFrequencies;
    for (const auto &pair : state.testFrequencyTable)
        testFrequencies.append(QJsonArray {textOrNull(pair.rx), textOrNull(pair.tx)});
    QJsonArray optionSettings;
    for (int DtmfSettings::*setting : DtmfOrder)
        optionSettings.append(state.dtmf.*setting);

    return {{"format", Format},
            {"band", state.currentBand},
            {"bandName", textOrNull(bandName(state.currentBand))},
            {"channels", channels},
            {"settings", settings},
            {"keys", QJsonObject {{"pf1", state.keyFunction1}, {"pf2", state.keyFunction2}}},
            {"powerTuning", QJsonArray {state.powerTuning1, state.powerTuning2}},
            {"embeddedTexts", stringArray(state.embeddedTexts)},
            {"testFrequencies", testFrequencies},
            {"codeTexts", stringArray(state.autoDialCodes)},
            {"optionSettings", optionSettings},
            {"optionTexts", optionTexts(state)}};
}

Reading fromJson(const QByteArray &json)
{
    return StateReader().read(json);
}

} // namespace ProgrammingJson
