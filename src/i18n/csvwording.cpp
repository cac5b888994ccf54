#include "i18n/csvwording.h"

using CsvChannelTable::Import;
using CsvChannelTable::SkippedRow;
using Reason = SkippedRow::Reason;

namespace {

const Message &messageOf(Reason reason)
{
    switch (reason) {
    case Reason::LocationOutOfRange: return Messages::CsvLocationOutOfRange;
    case Reason::LocationTaken: return Messages::CsvLocationTaken;
    case Reason::NoChannelLeft: return Messages::CsvNoChannelLeft;
    case Reason::NoFrequency: return Messages::CsvNoFrequency;
    case Reason::NotANumber: return Messages::CsvNotANumber;
    case Reason::RxOutOfBand: return Messages::CsvRxOutOfBand;
    case Reason::TxOutOfBand: return Messages::CsvTxOutOfBand;
    case Reason::ToneRefused: return Messages::CsvToneRefused;
    case Reason::Unsupported: return Messages::CsvUnsupported;
    case Reason::UnknownValue: break;
    }
    return Messages::CsvUnknownValue;
}

} // namespace

namespace CsvWording {

QString skippedRowText(const SkippedRow &row, const Wording &wording)
{
    // The value goes in last: a "%3" in a cell stays as it is.
    const QString reason = wording(messageOf(row.reason))
                               .replace(QLatin1StringView("%1"), row.column)
                               .replace(QLatin1StringView("%3"), row.band)
                               .replace(QLatin1StringView("%2"), row.value);
    return wording(Messages::CsvSkippedRow).arg(QString::number(row.line), reason);
}

QString failureText(const Import &import, const Wording &wording)
{
    switch (import.failure) {
    case Import::Failure::NoFrequencyColumn: return wording(Messages::CsvNoFrequencyColumn);
    case Import::Failure::NoUsableRow: return wording(Messages::CsvNoUsableRow);
    case Import::Failure::UnclosedQuote: return wording(Messages::CsvUnclosedQuote).arg(import.failureLine);
    case Import::Failure::None: break;
    }
    return {};
}

QString reportText(const Import &import, const QString &fileName, const Wording &wording, int maxRows)
{
    QString report = import.state ? wording(Messages::CsvImported).arg(fileName, QString::number(import.imported))
                                  : wording(Messages::CsvCannotImport) + failureText(import, wording);
    if (import.skipped.isEmpty())
        return report;
    report += u'\n' + wording(Messages::CsvRowsSkipped);
    for (const SkippedRow &row : import.skipped.first(std::min<qsizetype>(maxRows, import.skipped.size())))
        report += u'\n' + skippedRowText(row, wording);
    if (import.skippedCount > maxRows)
        report += u'\n' + wording(Messages::CsvMoreRows).arg(import.skippedCount - maxRows);
    return report;
}

} // namespace CsvWording
