#include "interchange/csvchanneltable.h"

#include "editor/bands.h"
#include "editor/channelrules.h"
#include "image/fields.h"
#include "interchange/csvtext.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <limits>
#include <variant>

using Column = EditorState::Column;
using SkippedRow = CsvChannelTable::SkippedRow;
using Reason = SkippedRow::Reason;
using CsvChannelTable::Import;

namespace {

const char *const ColumnNames[] = {"Location", "Name", "Frequency", "Duplex", "Offset", "Tone", "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep", "Skip", "Power",
    "Comment", "URCALL", "RPT1CALL", "RPT2CALL", "DVCODE", "BusyLock"};

// What an empty cell or a missing column means.
const QHash<QString, QString> &defaults()
{
    static const QHash<QString, QString> values {{"Offset", "0"}, {"rToneFreq", "88.5"}, {"cToneFreq", "88.5"},
        {"DtcsCode", "023"}, {"RxDtcsCode", "023"}, {"DtcsPolarity", "NN"}, {"CrossMode", "Tone->Tone"},
        {"Mode", "FM"}, {"TStep", "5.00"}, {"Power", "High"}, {"BusyLock", "off"}};
    return values;
}

constexpr qint64 UnitsPerMHz = 100'000; // frequency fields count 10 Hz
constexpr qint64 FinePerMHz = 100'000'000; // typed values are taken to 10^-8 MHz, as the editor does
constexpr qint64 FineLimit = 1'000'000 * FinePerMHz;

// "436.125000": MHz with six decimals.
QString megahertz(qint64 units)
{
    return QStringLiteral("%1.%2").arg(units / UnitsPerMHz).arg(units % UnitsPerMHz, 5, 10, QLatin1Char('0'))
        + QLatin1Char('0');
}

// A value in 10^-8 MHz as a plain decimal text, without trailing zeros: "505.0", "438.12345".
QString fineMegahertz(qint64 fine)
{
    const QString sign = fine < 0 ? QStringLiteral("-") : QString();
    fine = qAbs(fine);
    QString fraction = QStringLiteral("%1").arg(fine % FinePerMHz, 8, 10, QLatin1Char('0'));
    while (fraction.size() > 1 && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return sign + QString::number(fine / FinePerMHz) + u'.' + fraction;
}

// ---- Export ----------------------------------------------------------------------------------

QString ctcssText(int tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

QString codeText(DcsCode dcs)
{
    return QStringLiteral("%1").arg(dcs.code, 3, 8, QLatin1Char('0'));
}

QChar polarityLetter(const Tone &tone)
{
    return tone.kind() == Tone::Kind::Dcs && tone.dcsCode().inverted ? QLatin1Char('R') : QLatin1Char('N');
}

QString crossName(Tone::Kind kind)
{
    return kind == Tone::Kind::Ctcss ? QStringLiteral("Tone") : kind == Tone::Kind::Dcs ? QStringLiteral("DTCS") : QString();
}

// The simplest tone mode that says exactly which tones the channel sends and listens for.
void writeTones(QHash<QString, QString> &row, const Tone &tx, const Tone &rx)
{
    using Kind = Tone::Kind;
    const bool sameCode = tx.kind() == Kind::Dcs && rx.kind() == Kind::Dcs && tx.dcsCode().code == rx.dcsCode().code;
    if (tx.isNone() && rx.isNone()) {
        row["Tone"] = QString();
    } else if (tx.kind() == Kind::Ctcss && rx.isNone()) {
        row["Tone"] = "Tone";
        row["rToneFreq"] = ctcssText(tx.tenths());
    } else if (tx.kind() == Kind::Ctcss && rx.kind() == Kind::Ctcss && tx.tenths() == rx.tenths()) {
        row["Tone"] = "TSQL";
        row["rToneFreq"] = row["cToneFreq"] = ctcssText(tx.tenths());
    } else if (sameCode) {
        row["Tone"] = "DTCS";
        row["DtcsCode"] = row["RxDtcsCode"] = codeText(tx.dcsCode());
    } else {
        row["Tone"] = "Cross";
        row["CrossMode"] = crossName(tx.kind()) + "->" + crossName(rx.kind());
        if (tx.kind() == Kind::Ctcss)
            row["rToneFreq"] = ctcssText(tx.tenths());
        if (tx.kind() == Kind::Dcs)
            row["DtcsCode"] = codeText(tx.dcsCode());
        if (rx.kind() == Kind::Ctcss)
            row["cToneFreq"] = ctcssText(rx.tenths());
        if (rx.kind() == Kind::Dcs)
            row["RxDtcsCode"] = codeText(rx.dcsCode());
    }
    row["DtcsPolarity"] = QString(polarityLetter(tx)) + polarityLetter(rx);
}

// The row of a channel; nothing when a frequency is no number.
std::optional<QStringList> exportRow(int number, const Channel &channel)
{
    const auto rx = channel.rx.units();
    if (!rx)
        return std::nullopt;
    const bool hasTx = !channel.tx.isNone();
    const qint64 tx = hasTx ? channel.tx.units().value_or(-1) : 0;
    if (tx < 0)
        return std::nullopt;

    QHash<QString, QString> row = defaults();
    row["Power"] = channel.power == Power::High ? "5.0W" : "1.0W";
    row["Location"] = QString::number(number);
    row["Frequency"] = megahertz(*rx);
    row["Duplex"] = !hasTx ? "off" : tx == *rx ? "" : tx > *rx ? "+" : "-";
    row["Offset"] = megahertz(hasTx ? qAbs(tx - *rx) : 0);
    writeTones(row, channel.txTone, channel.rxTone);
    row["Mode"] = channel.bandwidth == Bandwidth::Wide ? "FM" : "NFM";
    row["TStep"] = *rx % 500 != 0 && *rx % 625 == 0 ? "6.25" : "5.00";
    row["Skip"] = channel.scan ? "" : "S";
    row["BusyLock"] = channel.busyLock == BusyLock::Carrier ? "carrier" : "off";

    QStringList cells;
    for (const char *name : ColumnNames)
        cells << row.value(QLatin1StringView(name));
    return cells;
}

// ---- Import ----------------------------------------------------------------------------------

// The cells of one row, found by their column's name.
class RowCells
{
public:
    RowCells(const QHash<QString, int> &columns, const CsvText::Record &record)
        : m_columns(columns), m_record(record) {}

    bool has(const QString &name) const { return m_columns.contains(name.toLower()); }
    // The cell's text without blanks at its ends; empty when the row or the file lacks it.
    QString given(const QString &name) const
    {
        const int index = m_columns.value(name.toLower(), -1);
        return index >= 0 ? m_record.cells.value(index).trimmed() : QString();
    }
    // The cell's text, or the column's default for an empty cell.
    QString value(const QString &name) const
    {
        const QString text = given(name);
        return text.isEmpty() ? defaults().value(name) : text;
    }
    int line() const { return m_record.line; }

private:
    const QHash<QString, int> &m_columns;
    const CsvText::Record &m_record;
};

using RowResult = std::variant<Channel, SkippedRow>;

// Reads one row into a channel as the editor takes typed values, or says why it cannot.
class RowReader
{
public:
    RowReader(const RowCells &cells, Bands::Limits band, const QString &bandName)
        : m_cells(cells), m_band(band), m_bandName(bandName) {}

    RowResult read()
    {
        const QString frequency = m_cells.given("Frequency");
        if (frequency.isEmpty())
            return skip(Reason::NoFrequency);
        using ChannelRules::FrequencyEdit;
        const FrequencyEdit rx = ChannelRules::endFrequencyEdit(m_scratch, 1, Column::RxFrequency, frequency, m_band);
        if (rx == FrequencyEdit::Unchanged)
            return skip(Reason::NotANumber, "Frequency", frequency);
        if (rx == FrequencyEdit::OutOfBand)
            return skip(Reason::RxOutOfBand, "Frequency", frequency);
        if (auto problem = readTransmitFrequency(frequency))
            return *problem;

        Channel channel = *m_scratch.channel(1);
        if (auto problem = readTones(channel))
            return *problem;
        if (auto problem = readOptions(channel))
            return *problem;
        return channel;
    }

private:
    SkippedRow skip(Reason reason, const QString &column = {}, const QString &value = {}) const
    {
        return {m_cells.line(), reason, column, value, m_bandName};
    }

    std::optional<SkippedRow> readTransmitFrequency(const QString &rxText)
    {
        const QString duplex = m_cells.given("Duplex").toLower();
        const QString offset = m_cells.value("Offset");
        QString tx;
        if (duplex.isEmpty()) {
            return std::nullopt; // the new channel's TX is its RX
        } else if (duplex == u"off") {
            m_scratch.channel(1)->tx = Frequency();
            return std::nullopt;
        } else if (duplex == u"split") {
            if (!decimalUnits(offset, 8, FineLimit))
                return skip(Reason::NotANumber, "Offset", offset);
            tx = offset;
        } else if (duplex == u"+" || duplex == u"-") {
            const auto shift = decimalUnits(offset, 8, FineLimit);
            if (!shift)
                return skip(Reason::NotANumber, "Offset", offset);
            const qint64 rx = decimalUnits(rxText, 8, FineLimit).value_or(0);
            tx = fineMegahertz(duplex == u"+" ? rx + *shift : rx - *shift);
        } else {
            return skip(Reason::UnknownValue, "Duplex", m_cells.given("Duplex"));
        }
        using ChannelRules::FrequencyEdit;
        if (tx.startsWith(u'-')
            || ChannelRules::endFrequencyEdit(m_scratch, 1, Column::TxFrequency, tx, m_band) != FrequencyEdit::Stored)
            return skip(Reason::TxOutOfBand, "Offset", tx);
        return std::nullopt;
    }

    // A CTCSS tone from its column, as the tone editor takes it typed.
    std::optional<SkippedRow> ctcss(const QString &column, Tone &tone) const
    {
        const QString value = m_cells.value(column);
        const auto typed = value.startsWith(u'D', Qt::CaseInsensitive) ? std::nullopt : ChannelRules::typedTone(value);
        if (!typed)
            return skip(Reason::ToneRefused, column, value);
        tone = *typed;
        return std::nullopt;
    }

    // A DCS code from its column with the polarity letter at `which` of DtcsPolarity.
    std::optional<SkippedRow> dcs(const QString &column, int which, Tone &tone) const
    {
        const QString polarity = m_cells.value("DtcsPolarity").toUpper();
        if (polarity.size() != 2 || !QStringLiteral("NR").contains(polarity[0]) || !QStringLiteral("NR").contains(polarity[1]))
            return skip(Reason::UnknownValue, "DtcsPolarity", m_cells.given("DtcsPolarity"));
        const QString code = m_cells.value(column);
        const QChar letter = polarity[which] == u'R' ? QLatin1Char('I') : QLatin1Char('N');
        const auto typed = ChannelRules::typedTone(QStringLiteral("D") + code + letter);
        if (!typed)
            return skip(Reason::ToneRefused, column, code);
        tone = *typed;
        return std::nullopt;
    }

    std::optional<SkippedRow> readTones(Channel &channel) const
    {
        const QString mode = m_cells.given("Tone").toLower();
        channel.txTone = Tone();
        channel.rxTone = Tone();
        if (mode.isEmpty())
            return std::nullopt;
        if (mode == u"tone")
            return ctcss("rToneFreq", channel.txTone);
        if (mode == u"tsql") {
            auto problem = ctcss("cToneFreq", channel.txTone);
            channel.rxTone = channel.txTone;
            return problem;
        }
        if (mode == u"dtcs") {
            if (auto problem = dcs("DtcsCode", 0, channel.txTone))
                return problem;
            return dcs("DtcsCode", 1, channel.rxTone);
        }
        if (mode == u"cross")
            return readCrossTones(channel);
        if (mode == u"tsql-r" || mode == u"dtcs-r")
            return skip(Reason::Unsupported, "Tone", m_cells.given("Tone"));
        return skip(Reason::UnknownValue, "Tone", m_cells.given("Tone"));
    }

    // "A->B": A the TX tone's kind, B the RX tone's, each Tone, DTCS or nothing.
    std::optional<SkippedRow> readCrossTones(Channel &channel) const
    {
        const QString crossMode = m_cells.value("CrossMode");
        const QStringList kinds = crossMode.toLower().split(QStringLiteral("->"));
        const QStringList known {"", "tone", "dtcs"};
        if (kinds.size() != 2 || !known.contains(kinds[0]) || !known.contains(kinds[1]))
            return skip(Reason::UnknownValue, "CrossMode", crossMode);
        std::optional<SkippedRow> problem;
        if (kinds[0] == u"tone")
            problem = ctcss("rToneFreq", channel.txTone);
        else if (kinds[0] == u"dtcs")
            problem = dcs("DtcsCode", 0, channel.txTone);
        if (problem)
            return problem;
        if (kinds[1] == u"tone")
            return ctcss("cToneFreq", channel.rxTone);
        if (kinds[1] == u"dtcs")
            return dcs("RxDtcsCode", 1, channel.rxTone);
        return std::nullopt;
    }

    std::optional<SkippedRow> readOptions(Channel &channel) const
    {
        const QString mode = m_cells.value("Mode").toUpper();
        if (mode != u"FM" && mode != u"NFM")
            return skip(Reason::Unsupported, "Mode", m_cells.given("Mode"));
        channel.bandwidth = mode == u"FM" ? Bandwidth::Wide : Bandwidth::Narrow;

        const QString skipText = m_cells.given("Skip").toUpper();
        if (!skipText.isEmpty() && skipText != u"S")
            return skip(Reason::UnknownValue, "Skip", m_cells.given("Skip"));
        channel.scan = skipText.isEmpty();

        const auto high = isHighPower(m_cells.value("Power"));
        if (!high)
            return skip(Reason::UnknownValue, "Power", m_cells.given("Power"));
        channel.power = *high ? Power::High : Power::Low;

        const QString busyLock = m_cells.value("BusyLock").toLower();
        if (busyLock != u"carrier" && busyLock != u"off")
            return skip(Reason::UnknownValue, "BusyLock", m_cells.given("BusyLock"));
        channel.busyLock = busyLock == u"carrier" ? BusyLock::Carrier : BusyLock::Off;
        return std::nullopt;
    }

    // "High", "low", or watts ("5", "5W", "0.5 w"): below 2 W is low power.
    static std::optional<bool> isHighPower(const QString &text)
    {
        QString power = text.toLower();
        if (power == u"high" || power == u"low")
            return power == u"high";
        if (power.endsWith(u'w'))
            power = power.chopped(1).trimmed();
        const auto milliwatts = decimalUnits(power, 3, std::numeric_limits<qint64>::max() / 1000);
        if (!milliwatts)
            return std::nullopt;
        return *milliwatts >= 2000;
    }

    const RowCells &m_cells;
    Bands::Limits m_band;
    QString m_bandName;
    EditorState m_scratch; // the row is typed into its channel 1 first
};

// A row that can be imported, waiting for its channel number.
struct ReadyRow
{
    int line = 0;
    int location = 0; // 0: the next free channel
    Channel channel;
};

struct PlacedChannel
{
    int number;
    Channel channel;
};

// The Location of a row: 1 to 16, 0 for none given.
std::variant<int, SkippedRow> locationOf(const RowCells &cells, bool numbered)
{
    const QString text = cells.given("Location");
    if (!numbered || text.isEmpty())
        return 0;
    const bool digits = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    const int number = digits && text.size() <= 2 ? text.toInt() : 0;
    if (number < 1 || number > ChannelCount)
        return SkippedRow {cells.line(), Reason::LocationOutOfRange, "Location", text, {}};
    return number;
}

// The rows skipped: the first Import::KeptSkipped by line are kept, all are counted.
class SkippedRows
{
public:
    void append(const SkippedRow &row)
    {
        ++m_count;
        m_rows.append(row);
        if (m_rows.size() > 2 * Import::KeptSkipped)
            keepFirst();
    }
    int count() const { return m_count; }
    QList<SkippedRow> rows()
    {
        keepFirst();
        return m_rows;
    }

private:
    void keepFirst()
    {
        std::stable_sort(m_rows.begin(), m_rows.end(), [](const SkippedRow &a, const SkippedRow &b) { return a.line < b.line; });
        if (m_rows.size() > Import::KeptSkipped)
            m_rows.resize(Import::KeptSkipped);
    }

    QList<SkippedRow> m_rows;
    int m_count = 0;
};

// Gives the rows their channels as they come: a numbered row takes its channel unless an
// earlier row took it; rows without a number fill the channels left free at the end, in file
// order, so only the first 16 of them can get one.
class Placement
{
public:
    explicit Placement(SkippedRows &skipped) : m_skipped(skipped) {}

    void add(const ReadyRow &row)
    {
        if (row.location == 0) {
            if (m_waiting.size() < ChannelCount)
                m_waiting.append(row);
            else
                m_skipped.append({row.line, Reason::NoChannelLeft, {}, {}, {}});
        } else if (m_taken[row.location]) {
            m_skipped.append({row.line, Reason::LocationTaken, "Location", QString::number(row.location), {}});
        } else {
            place(row, row.location);
        }
    }

    QList<PlacedChannel> finish()
    {
        for (const ReadyRow &row : m_waiting) {
            const auto free = std::find(m_taken.begin() + 1, m_taken.end(), false);
            if (free == m_taken.end())
                m_skipped.append({row.line, Reason::NoChannelLeft, {}, {}, {}});
            else
                place(row, int(free - m_taken.begin()));
        }
        return m_placed;
    }

private:
    void place(const ReadyRow &row, int number)
    {
        m_taken[number] = true;
        m_placed.append({number, row.channel});
    }

    SkippedRows &m_skipped;
    std::array<bool, ChannelCount + 1> m_taken {};
    QList<ReadyRow> m_waiting;
    QList<PlacedChannel> m_placed;
};

QHash<QString, int> columnsOf(const CsvText::Record &header)
{
    QHash<QString, int> columns;
    for (int i = 0; i < header.cells.size(); ++i) {
        const QString name = header.cells[i].trimmed().toLower();
        if (!columns.contains(name))
            columns.insert(name, i);
    }
    return columns;
}

} // namespace

namespace CsvChannelTable {

QStringList columns()
{
    QStringList names;
    for (const char *name : ColumnNames)
        names << QLatin1StringView(name);
    return names;
}

Export exportTable(const EditorState &state)
{
    Export result;
    result.text = CsvText::line(columns()) + QStringLiteral("\r\n");
    for (int number = 1; number <= ChannelCount; ++number) {
        const auto &channel = state.channel(number);
        if (!channel)
            continue;
        if (const auto row = exportRow(number, *channel))
            result.text += CsvText::line(*row) + QStringLiteral("\r\n");
        else
            result.leftOut.append(number);
    }
    return result;
}

Import importTable(const QByteArray &contents, const EditorState &base, bool renumber)
{
    Import result;
    const QString text = CsvText::decode(contents);
    CsvText::Reader reader(text);
    const std::optional<CsvText::Record> header = reader.next();
    const QHash<QString, int> columns = header ? columnsOf(*header) : QHash<QString, int>();
    const QString bandName = Bands::items().at(std::clamp(base.currentBand, 0, BandCount - 1));
    const Bands::Limits band = Bands::limitsOf(bandName);
    const bool numbered = !renumber && columns.contains(QStringLiteral("location"));
    const bool usable = columns.contains(QStringLiteral("frequency"));
    SkippedRows skipped;
    Placement placement(skipped);
    // Without a Frequency column the rows are read only to find a quote that never closes.
    while (const std::optional<CsvText::Record> record = reader.next()) {
        if (!usable)
            continue;
        const RowCells cells(columns, *record);
        const auto location = locationOf(cells, numbered);
        if (const auto *problem = std::get_if<SkippedRow>(&location)) {
            skipped.append(*problem);
            continue;
        }
        const RowResult row = RowReader(cells, band, bandName).read();
        if (const auto *problem = std::get_if<SkippedRow>(&row))
            skipped.append(*problem);
        else
            placement.add({record->line, std::get<int>(location), std::get<Channel>(row)});
    }
    if (reader.unclosedQuoteLine() > 0) {
        result.failure = Import::Failure::UnclosedQuote;
        result.failureLine = reader.unclosedQuoteLine();
        return result;
    }
    if (!usable) {
        result.failure = Import::Failure::NoFrequencyColumn;
        return result;
    }

    const QList<PlacedChannel> channels = placement.finish();
    result.skipped = skipped.rows();
    result.skippedCount = skipped.count();
    result.imported = int(channels.size());
    if (channels.isEmpty()) {
        result.failure = Import::Failure::NoUsableRow;
        return result;
    }
    EditorState state = base;
    ChannelRules::clearAllChannels(state);
    for (const PlacedChannel &placed : channels)
        state.placeChannel(placed.number, placed.channel);
    result.state = state;
    return result;
}

} // namespace CsvChannelTable
