#include "i18n/totraditional.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryFile>

#include <opencc.h>

namespace {

// A conversion of our own over OpenCC's character table alone, without its phrase tables: the
// stock configurations would turn "复制" into "複製" where each character has its own first form
// ("復制"). OpenCC reads configurations from files only, so it is written to a temporary file for
// the moment of opening; the table itself comes from OpenCC's data folder.
constexpr char CharacterConfiguration[] = R"({
  "name": "Simplified to Traditional Chinese, character by character",
  "segmentation": {"type": "mmseg", "dict": {"type": "ocd2", "file": "STCharacters.ocd2"}},
  "conversion_chain": [{"dict": {"type": "ocd2", "file": "STCharacters.ocd2"}}]
})";

class CharacterConverter
{
public:
    CharacterConverter()
    {
        QTemporaryFile configuration(QStringLiteral("%1/qv540-s2t-XXXXXX.json").arg(QDir::tempPath()));
        if (configuration.open() && configuration.write(CharacterConfiguration) > 0 && configuration.flush())
            m_handle = opencc_open(QFile::encodeName(configuration.fileName()).constData());
    }
    ~CharacterConverter()
    {
        if (valid())
            opencc_close(m_handle);
    }
    CharacterConverter(const CharacterConverter &) = delete;
    CharacterConverter &operator=(const CharacterConverter &) = delete;

    bool valid() const { return m_handle != reinterpret_cast<opencc_t>(-1); }

    // The Traditional form of one character (as its UTF-16 units), or the character itself.
    QString convert(const QString &character)
    {
        const auto known = m_forms.constFind(character);
        if (known != m_forms.cend())
            return *known;
        const QByteArray utf8 = character.toUtf8();
        QString form = character;
        if (char *converted = opencc_convert_utf8(m_handle, utf8.constData(), size_t(utf8.size()))) {
            const QString result = QString::fromUtf8(converted);
            opencc_convert_utf8_free(converted);
            if (result.toUcs4().size() == 1)
                form = result;
        }
        m_forms.insert(character, form);
        return form;
    }

private:
    opencc_t m_handle = reinterpret_cast<opencc_t>(-1);
    QHash<QString, QString> m_forms;
};

} // namespace

QString toTraditional(const QString &simplified)
{
    static CharacterConverter converter;
    if (!converter.valid())
        return simplified;
    QString traditional;
    traditional.reserve(simplified.size());
    for (qsizetype i = 0; i < simplified.size();) {
        const qsizetype length = simplified[i].isHighSurrogate() && i + 1 < simplified.size() ? 2 : 1;
        const QString character = simplified.mid(i, length);
        traditional += character.front().unicode() < 0x80 ? character : converter.convert(character);
        i += length;
    }
    return traditional;
}
