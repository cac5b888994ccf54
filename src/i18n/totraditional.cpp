#include "i18n/totraditional.h"

#include <opencc.h>

namespace {

// One converter for the whole run, opened on first use.
class Converter
{
public:
    Converter() : m_handle(opencc_open("s2t.json")) {}
    ~Converter()
    {
        if (valid())
            opencc_close(m_handle);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_handle != reinterpret_cast<opencc_t>(-1); }

    QString convert(const QString &text) const
    {
        const QByteArray utf8 = text.toUtf8();
        char *converted = opencc_convert_utf8(m_handle, utf8.constData(), size_t(utf8.size()));
        if (!converted)
            return text;
        QString result = QString::fromUtf8(converted);
        opencc_convert_utf8_free(converted);
        return result;
    }

private:
    opencc_t m_handle;
};

} // namespace

QString toTraditional(const QString &simplified)
{
    static const Converter converter;
    if (simplified.isEmpty() || !converter.valid())
        return simplified;
    return converter.convert(simplified);
}
