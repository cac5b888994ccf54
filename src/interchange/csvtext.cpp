#include "interchange/csvtext.h"

#include <QStringDecoder>
#include <algorithm>

namespace CsvText {

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Reads records from a text, one physical line count at a time.
class Parser
{
public:
    explicit Parser(QStringView text) : m_text(text) {}

    Document run()
    {
        Document document;
        while (m_at < m_text.size()) {
            if (m_text[m_at] == u'#') {
                skipLine();
                continue;
            }
            Record record {m_line, {}};
            if (!readRecord(record.cells)) {
                document.unclosedQuoteLine = record.line;
                break;
            }
            const bool blank = std::all_of(record.cells.cbegin(), record.cells.cend(),
                                           [](const QString &cell) { return cell.trimmed().isEmpty(); });
            if (!blank)
                document.records.append(record);
        }
        return document;
    }

private:
    // Reads cells up to and including the record's line end; false at a quote that never closes.
    bool readRecord(QStringList &cells)
    {
        for (;;) {
            QString cell;
            if (m_at < m_text.size() && m_text[m_at] == u'"' && !readQuoted(cell))
                return false;
            while (m_at < m_text.size() && m_text[m_at] != u',' && !isLineEnd(m_text[m_at]))
                cell += m_text[m_at++];
            cells.append(cell);
            if (m_at < m_text.size() && m_text[m_at] == u',') {
                ++m_at;
                continue;
            }
            endLine();
            return true;
        }
    }

    bool readQuoted(QString &cell)
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

    void skipLine()
    {
        while (m_at < m_text.size() && !isLineEnd(m_text[m_at]))
            ++m_at;
        endLine();
    }

    // Steps over one line end (CR LF, LF or CR), if there is one.
    void endLine()
    {
        if (m_at >= m_text.size())
            return;
        if (m_text[m_at] == u'\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == u'\n')
            ++m_at;
        ++m_at;
        ++m_line;
    }

    QStringView m_text;
    qsizetype m_at = 0;
    int m_line = 1;
};

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

Document parse(QStringView text)
{
    return Parser(text).run();
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
