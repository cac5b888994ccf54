#include "filedump.h"

#include "editor/bands.h"

#include <QJsonArray>
#include <QTextStream>

namespace {

using Column = EditorState::Column;

// A channel as the encoder reads its cells: an option cell counts as item 0 only when it holds
// that item's text, and scan is on for any text but empty and item 0.
struct Channel
{
    int number = 0;
    QString rx, tx, rxTone, txTone; // empty for none
    bool high = true;
    bool carrier = true;
    bool wide = true;
    bool scan = false;
};

Channel channelOf(const EditorState &state, int row, const CellTexts &texts)
{
    auto tone = [&](int column) {
        const QString &cell = state.cell(row, column);
        return cell == texts.toneOff ? QString() : cell;
    };
    auto isItem0 = [&](int column) { return state.cell(row, column) == texts.option(column, 0); };
    const QString &scan = state.cell(row, Column::Scan);
    return {row,
            state.cell(row, Column::RxFrequency),
            state.cell(row, Column::TxFrequency),
            tone(Column::RxTone),
            tone(Column::TxTone),
            !isItem0(Column::Power),
            !isItem0(Column::BusyLock),
            !isItem0(Column::Bandwidth),
            !scan.isEmpty() && scan != texts.option(Column::Scan, 0)};
}

QList<Channel> channelsOf(const EditorState &state, const CellTexts &texts)
{
    QList<Channel> channels;
    for (int row = 1; row <= ChannelCount; ++row)
        if (state.channelExists(row))
            channels.append(channelOf(state, row, texts));
    return channels;
}

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

QJsonObject channelJson(const Channel &c)
{
    return {{"channel", c.number},
            {"rx", textOrNull(c.rx)},
            {"tx", textOrNull(c.tx)},
            {"rxTone", textOrNull(c.rxTone)},
            {"txTone", textOrNull(c.txTone)},
            {"power", c.high ? "high" : "low"},
            {"busyLock", c.carrier ? "carrier" : "off"},
            {"bandwidth", c.wide ? "wide" : "narrow"},
            {"scan", c.scan}};
}

// The six function settings of the main window, by their JSON names, with a reading of each
// list position.
struct Setting
{
    const char *key;
    const char *label;
    int value;
    QString meaning;
};

QString listItem(int index, const QStringList &items)
{
    return index >= 0 && index < items.size() ? items.at(index) : QStringLiteral("no selection");
}

QList<Setting> settingsOf(const EditorState &s)
{
    auto seconds = [](int value) { return QStringLiteral("%1 s").arg(value); };
    const bool timeoutListed = s.timeout >= 0 && s.timeout < 40;
    const bool warnListed = s.timeoutWarn >= 0 && s.timeoutWarn <= 10;
    const bool squelchListed = s.squelch >= 0 && s.squelch <= 9;
    return {
        {"voicePrompt", "Voice prompt", s.voicePrompt, listItem(s.voicePrompt, {"off", "Chinese", "English"})},
        {"timeout", "Time-out", s.timeout, timeoutListed ? seconds(15 * (s.timeout + 1)) : listItem(-1, {})},
        {"timeoutWarn", "Time-out warning", s.timeoutWarn,
         warnListed ? (s.timeoutWarn == 0 ? QStringLiteral("off") : seconds(s.timeoutWarn)) : listItem(-1, {})},
        {"squelch", "Squelch", s.squelch,
         squelchListed ? QStringLiteral("level %1").arg(s.squelch) : listItem(-1, {})},
        {"batterySave", "Battery save", s.batterySave, listItem(s.batterySave, {"off", "on"})},
        {"beep", "Key beep", s.beep, listItem(s.beep, {"off", "on"})},
    };
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

void writeChannels(QTextStream &out, const QList<Channel> &channels)
{
    if (channels.isEmpty()) {
        out << "Channels: none\n";
        return;
    }
    const QString row = QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8  %9\n");
    out << row.arg("Ch", 2).arg("RX", -9).arg("TX", -9).arg("RX tone", -7).arg("TX tone", -7)
               .arg("Power", -5).arg("Busy lock", -9).arg("Bandwidth", -9).arg("Scan");
    auto orDash = [](const QString &text) { return text.isEmpty() ? QStringLiteral("-") : text; };
    for (const Channel &c : channels)
        out << row.arg(c.number, 2).arg(orDash(c.rx), -9).arg(orDash(c.tx), -9).arg(orDash(c.rxTone), -7)
                   .arg(orDash(c.txTone), -7).arg(c.high ? "high" : "low", -5)
                   .arg(c.carrier ? "carrier" : "off", -9).arg(c.wide ? "wide" : "narrow", -9)
                   .arg(c.scan ? "yes" : "no");
}

void writeTables(QTextStream &out, const EditorState &s)
{
    out << "Embedded texts: " << quoted(s.embeddedTexts[0]) << ", " << quoted(s.embeddedTexts[1]) << '\n';
    out << "Code texts:";
    for (int i = 1; i <= 8; ++i)
        out << ' ' << i << '=' << quoted(s.codeText(i));
    out << '\n';
    out << "Test frequencies (RX/TX):";
    bool any = false;
    for (int i = 0; i < ChannelCount; ++i) {
        const auto &pair = s.testFrequencyTable.at(i);
        if (pair.rx.isEmpty() && pair.tx.isEmpty())
            continue;
        out << "\n  " << QString::number(i + 1).rightJustified(2) << "  " << (pair.rx.isEmpty() ? "-" : pair.rx)
            << " / " << (pair.tx.isEmpty() ? "-" : pair.tx);
        any = true;
    }
    out << (any ? "\n" : " none\n");
}

} // namespace

namespace FileDump {

QString text(const EditorState &state, const CellTexts &texts)
{
    QString page;
    QTextStream out(&page);
    out << "Band: " << state.currentBand << " (" << bandName(state.currentBand) << ")\n";
    for (const Setting &setting : settingsOf(state))
        out << setting.label << ": " << setting.value << " (" << setting.meaning << ")\n";
    out << "Keys: PF1 " << state.keyFunction1 << ", PF2 " << state.keyFunction2 << '\n';
    out << "Power tuning: high " << state.powerTuning1 << ", low " << state.powerTuning2 << '\n';
    out << '\n';
    writeChannels(out, channelsOf(state, texts));
    out << '\n';
    writeTables(out, state);
    return page;
}

QJsonObject json(const EditorState &state, const CellTexts &texts)
{
    QJsonArray channels;
    for (const Channel &channel : channelsOf(state, texts))
        channels.append(channelJson(channel));
    QJsonObject settings;
    for (const Setting &setting : settingsOf(state))
        settings.insert(setting.key, setting.value);
    QJsonArray testFrequencies;
    for (const auto &pair : state.testFrequencyTable)
        testFrequencies.append(QJsonArray {textOrNull(pair.rx), textOrNull(pair.tx)});
    QJsonArray optionSettings;
    for (int value : state.optionSettingTable)
        optionSettings.append(value);

    return {{"band", state.currentBand},
            {"bandName", textOrNull(bandName(state.currentBand))},
            {"channels", channels},
            {"settings", settings},
            {"keys", QJsonObject {{"pf1", state.keyFunction1}, {"pf2", state.keyFunction2}}},
            {"powerTuning", QJsonArray {state.powerTuning1, state.powerTuning2}},
            {"embeddedTexts", stringArray(state.embeddedTexts)},
            {"testFrequencies", testFrequencies},
            {"codeTexts", stringArray(state.codeTexts)},
            {"optionSettings", optionSettings},
            {"optionTexts", stringArray(state.optionTextTable)}};
}

} // namespace FileDump
