#include "filedump.h"

#include "editor/bands.h"
#include "interchange/programmingjson.h"

#include <QTextStream>
#include <algorithm>

namespace {

QString bandName(int band)
{
    const QStringList names = Bands::items();
    return band >= 0 && band < names.size() ? names.at(band) : QString();
}

// The six function settings of the main window, with a reading of each list position.
struct Setting
{
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
        {"Voice prompt", s.voicePrompt, listItem(s.voicePrompt, {"off", "Chinese", "English"})},
        {"Time-out", s.timeout, timeoutListed ? seconds(15 * (s.timeout + 1)) : listItem(-1, {})},
        {"Time-out warning", s.timeoutWarn,
         warnListed ? (s.timeoutWarn == 0 ? QStringLiteral("off") : seconds(s.timeoutWarn)) : listItem(-1, {})},
        {"Squelch", s.squelch,
         squelchListed ? QStringLiteral("level %1").arg(s.squelch) : listItem(-1, {})},
        {"Battery save", s.batterySave, listItem(s.batterySave, {"off", "on"})},
        {"Key beep", s.beep, listItem(s.beep, {"off", "on"})},
    };
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

void writeChannels(QTextStream &out, const EditorState &state)
{
    if (std::none_of(state.channels.begin(), state.channels.end(), [](const auto &channel) { return channel.has_value(); })) {
        out << "Channels: none\n";
        return;
    }
    const QString row = QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8  %9\n");
    out << row.arg("Ch", 2).arg("RX", -9).arg("TX", -9).arg("RX tone", -7).arg("TX tone", -7)
               .arg("Power", -5).arg("Busy lock", -9).arg("Bandwidth", -9).arg("Scan");
    auto orDash = [](const QString &text) { return text.isEmpty() ? QStringLiteral("-") : text; };
    for (int number = 1; number <= ChannelCount; ++number) {
        const auto &c = state.channel(number);
        if (!c)
            continue;
        out << row.arg(number, 2).arg(orDash(c->rx.text()), -9).arg(orDash(c->tx.text()), -9)
                   .arg(orDash(c->rxTone.text()), -7).arg(orDash(c->txTone.text()), -7)
                   .arg(c->power == Power::High ? "high" : "low", -5)
                   .arg(c->busyLock == BusyLock::Carrier ? "carrier" : "off", -9)
                   .arg(c->bandwidth == Bandwidth::Wide ? "wide" : "narrow", -9).arg(c->scan ? "yes" : "no");
    }
}

void writeTables(QTextStream &out, const EditorState &s)
{
    out << "Embedded texts: " << quoted(s.embeddedTexts[0]) << ", " << quoted(s.embeddedTexts[1]) << '\n';
    out << "Code texts:";
    for (int i = 1; i <= 8; ++i)
        out << ' ' << i << '=' << quoted(s.autoDialCodes[i - 1]);
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

QString text(const EditorState &state)
{
    QString page;
    QTextStream out(&page);
    out << "Band: " << state.currentBand << " (" << bandName(state.currentBand) << ")\n";
    for (const Setting &setting : settingsOf(state))
        out << setting.label << ": " << setting.value << " (" << setting.meaning << ")\n";
    out << "Keys: PF1 " << state.keyFunction1 << ", PF2 " << state.keyFunction2 << '\n';
    out << "Power tuning: high " << state.powerTuning1 << ", low " << state.powerTuning2 << '\n';
    out << '\n';
    writeChannels(out, state);
    out << '\n';
    writeTables(out, state);
    return page;
}

QJsonObject json(const EditorState &state)
{
    return ProgrammingJson::toJson(state);
}

} // namespace FileDump
