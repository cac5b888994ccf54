#include "interchange/csvtext.h"

#include <QStringDecoder>
#include <algorithm>

namespace CsvText {

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

bool blank(const Record &record)
{
    return std::all_of(record.cells.cbegin(), record.cells.cend(), [](const QString &cell) { return cell.trimmed().isEmpty(); });
}

bool needsQuotes(const QString &cell)
{
    if (cell.isEmpty())
        return false;
    return cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\n') || cell.contains(u'\r')
        || cell.front().isSpace() || cell.back().isSpace();
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QStringDecoder toUtf16(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = toUtf16(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

Reader::Reader(QStringView text) : m_text(text) {}

std::optional<Record> Reader::next()
{
    while (m_at < m_text.size() && m_unclosedQuoteLine == 0) {
        if (m_text[m_at] == u'#') {
            skipLine();
            continue;
        }
        Record record {m_line, {}};
        if (!readRecord(record.cells)) {
            m_unclosedQuoteLine = record.line;
            break;
        }
        if (!blank(record))
            return record;
    }
    return std::nullopt;
}

// Reads cells up to and including the record's line end; false at a quote that never closes.
bool Reader::readRecord(QStringList &cells)
{
    for (;;) {
        QString cell;
        if (m_at < m_text.size() && m_text[m_at] == u'"' && !readQuoted(cell))
            return false;
        const qsizetype start = m_at;
        while (m_at < m_text.size() && m_text[m_at] != u',' && !isLineEnd(m_text[m_at]))
            ++m_at;
        cell += m_text.sliced(start, m_at - start);
        cells.append(cell);
        if (m_at < m_text.size() && m_text[m_at] == u',') {
            ++m_at;
            continue;
        }
        endLine();
        return true;
    }
}

bool Reader::readQuoted(QString &cell)
{
    ++m_at; // the opening quote
    while (m_at < m_text.size()) {
        const QChar c = m_text[m_at];
        if (c == u'"') {
            if (m_at + 1 < m_text.size() && m_text[m_at + 1] == u'"') {
                cell += u'"';
                m_at += 2;
                continue;
            }
            ++m_at;
            return true;
        }
        if (isLineEnd(c)) {
            endLine();
            cell += u'\n';
            continue;
        }
        cell += c;
        ++m_at;
    }
    return false;
}

void Reader::skipLine()
{
    while (m_at < m_text.size() && !isLineEnd(m_text[m_at]))
        ++m_at;
    endLine();
}

// Steps over one line end (CR LF, LF or CR), if there is one.
void Reader::endLine()
{
    if (m_at >= m_text.size())
        return;
    if (m_text[m_at] == u'\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == u'\n')
        ++m_at;
    ++m_at;
    ++m_line;
}

Document parse(QStringView text)
{
    Document document;
    Reader reader(text);
    while (auto record = reader.next())
        document.records.append(std::move(*record));
    document.unclosedQuoteLine = reader.unclosedQuoteLine();
    return document;
}

QString line(const QStringList &cells)
{
    QStringList written;
    for (const QString &cell : cells) {
        if (needsQuotes(cell))
            written << u'"' + QString(cell).replace(u'"', QStringLiteral("\"\"")) + u'"';
        else
            written << cell;
    }
    return written.join(u',');
}

} // namespace CsvText
