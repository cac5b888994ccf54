#pragma once

#include "image/editorstate.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Channel lists as CSV files, in the columns of the common multi-radio programming tools: what
// `qv540-cli export` and `import` and the window's Export CSV and Import CSV commands share.
namespace CsvChannelTable {

// The columns an export writes, in their order.
QStringList columns();

struct Export
{
    QString text;          // the header line and one line a channel, each ending in CR LF
    QList<int> leftOut;    // channels whose RX or TX frequency is no number (a field of odd digits)
};

// The channels of an editor state as CSV.
Export exportTable(const EditorState &state);

// Why an import skipped a row.
struct SkippedRow
{
    enum class Reason {
        LocationOutOfRange, // value: the Location
        LocationTaken,      // value: the channel number
        NoChannelLeft,
        NoFrequency,
        NotANumber,         // column, value
        RxOutOfBand,        // value: the frequency as given
        TxOutOfBand,        // value: the TX frequency Duplex and Offset give
        ToneRefused,        // column, value
        Unsupported,        // column, value: a mode the radio cannot do
        UnknownValue,       // column, value
    };

    int line = 0;   // the physical line of the file, the header being line 1 unless comments precede it
    Reason reason = Reason::UnknownValue;
    QString column; // the column's name as an export writes it
    QString value;
    QString band;   // the band's name, for the band reasons

    friend bool operator==(const SkippedRow &, const SkippedRow &) = default;
};

struct Import
{
    enum class Failure { None, NoFrequencyColumn, NoUsableRow, UnclosedQuote };

    Failure failure = Failure::None;
    int failureLine = 0;                // UnclosedQuote: where the quote opens
    std::optional<EditorState> state;   // the base with its channels replaced; none on failure
    int imported = 0;                   // channels imported
    QList<SkippedRow> skipped;          // the first KeptSkipped rows skipped, in the order of their lines
    int skippedCount = 0;               // all rows skipped

    static constexpr int KeptSkipped = 100; // enough to name them; a file of bad rows is summed up
};

// Imports a CSV file's rows as the channels of base, whose band and settings stay. Every row is
// taken as the editor takes typed values: its RX and TX frequencies must lie in base's band and
// are lowered onto the raster, its tones must be ones the tone editor takes. Location numbers
// the channels (1 to 16); rows without one, or every row with renumber, fill the free channels
// in file order. A row that cannot be taken is skipped, with the reason. The whole file is read
// and checked first, then the result holds the new state, or nothing when no row could be used.
// Rows are read one after another: the memory an import takes does not grow with the file.
Import importTable(const QByteArray &contents, const EditorState &base, bool renumber);

} // namespace CsvChannelTable
