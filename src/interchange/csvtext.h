#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The syntax of CSV files (RFC 4180, read leniently): cells separated by commas, a cell in double
// quotes may hold commas, line ends and doubled quotes. Lines end in CR LF, LF or CR.
namespace CsvText {

struct Record
{
    int line = 0; // the physical line the record starts on, counted from 1
    QStringList cells;
};

struct Document
{
    QList<Record> records;
    int unclosedQuoteLine = 0; // the line of a quoted cell that never ends; 0 when none
};

// The text of a file's bytes: UTF-8, a byte-order mark dropped. Bytes that are no UTF-8 become
// U+FFFD, so that a name in another encoding spoils only its own cell.
QString decode(const QByteArray &bytes);

// Reads the records of a text one after another, so that a long file needs no more memory than
// its longest record. Lines that start with "#", empty lines and lines of empty cells only (as
// spreadsheets write below a table) are no records. A quote inside an unquoted cell, and what
// follows the closing quote of a quoted one, are taken as they stand.
class Reader
{
public:
    explicit Reader(QStringView text);
    // The next record; nothing at the end of the text, or at a quoted cell that never ends.
    std::optional<Record> next();
    // The line of a quoted cell that never ends; 0 when none has been met.
    int unclosedQuoteLine() const { return m_unclosedQuoteLine; }

private:
    bool readRecord(QStringList &cells);
    bool readQuoted(QString &cell);
    void skipLine();
    void endLine();

    QStringView m_text;
    qsizetype m_at = 0;
    int m_line = 1;
    int m_unclosedQuoteLine = 0;
};

// Every record of a text, as Reader reads them.
Document parse(QStringView text);

// One record, without its line end: a cell is quoted when it holds a comma, a quote, a line
// end, or blanks at either end.
QString line(const QStringList &cells);

} // namespace CsvText
