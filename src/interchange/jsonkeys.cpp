#include "interchange/jsonkeys.h"

#include <QSet>
#include <cstring>

namespace JsonKeys {

namespace {

// Walks a valid JSON text, value by value, keeping the keys of each object it is in.
class Scanner
{
public:
    explicit Scanner(QByteArrayView text) : m_text(text) {}

    std::optional<Duplicate> value(const QString &where)
    {
        skipBlanks();
        if (m_at >= m_text.size())
            return std::nullopt;
        switch (m_text[m_at]) {
        case '{': return object(where);
        case '[': return array(where);
        case '"': string();
                  return std::nullopt;
        default:
            while (m_at < m_text.size() && !QByteArrayView(",]} \t\r\n").contains(m_text[m_at]))
                ++m_at; // a number, true, false or null
            return std::nullopt;
        }
    }

private:
    std::optional<Duplicate> object(const QString &where)
    {
        ++m_at; // {
        QSet<QString> keys;
        for (;;) {
            skipBlanks();
            if (m_at >= m_text.size() || m_text[m_at] == '}')
                break;
            if (m_text[m_at] == ',') {
                ++m_at;
                continue;
            }
            const QString key = string();
            const QString place = where.isEmpty() ? key : where + u'.' + key;
            if (keys.contains(key))
                return Duplicate {key, place};
            keys.insert(key);
            skipBlanks();
            ++m_at; // :
            if (auto duplicate = value(place))
                return duplicate;
        }
        ++m_at;
        return std::nullopt;
    }

    std::optional<Duplicate> array(const QString &where)
    {
        ++m_at; // [
        for (int index = 0;; ++index) {
            skipBlanks();
            if (m_at >= m_text.size() || m_text[m_at] == ']')
                break;
            if (m_text[m_at] == ',')
                ++m_at;
            if (auto duplicate = value(QStringLiteral("%1[%2]").arg(where).arg(index)))
                return duplicate;
            skipBlanks();
        }
        ++m_at;
        return std::nullopt;
    }

    // A string, its escapes resolved, so that "r\u0078" is the key rx.
    QString string()
    {
        ++m_at; // the opening quote
        QByteArray utf8;
        QString text;
        while (m_at < m_text.size() && m_text[m_at] != '"') {
            if (m_text[m_at] != '\\') {
                utf8 += m_text[m_at++];
                continue;
            }
            text += QString::fromUtf8(utf8);
            utf8.clear();
            const char escaped = m_text[m_at + 1];
            m_at += 2;
            if (escaped == 'u') {
                text += QChar(char16_t(QByteArray(m_text.sliced(m_at, 4).data(), 4).toUShort(nullptr, 16)));
                m_at += 4;
                continue;
            }
            const char *const from = "bfnrt", *const to = "\b\f\n\r\t";
            const char *special = std::strchr(from, escaped);
            text += QLatin1Char(special ? to[special - from] : escaped);
        }
        ++m_at; // the closing quote
        return text + QString::fromUtf8(utf8);
    }

    void skipBlanks()
    {
        while (m_at < m_text.size() && QByteArrayView(" \t\r\n").contains(m_text[m_at]))
            ++m_at;
    }

    QByteArrayView m_text;
    qsizetype m_at = 0;
};

} // namespace

std::optional<Duplicate> firstDuplicate(QByteArrayView json)
{
    return Scanner(json).value(QString());
}

} // namespace JsonKeys
