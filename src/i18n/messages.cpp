#include "i18n/messages.h"

#include "i18n/totraditional.h"

QString Message::text(LanguageMode mode) const
{
    switch (mode) {
    case Language::Simplified:
        return QString::fromUtf8(simplified);
    case Language::Traditional:
        return toTraditional(QString::fromUtf8(simplified));
    default:
        return QString::fromUtf8(english);
    }
}
