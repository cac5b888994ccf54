#include "i18n/toolkittexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool useToolkitLanguage(LanguageMode mode)
{
    static QTranslator *translator = nullptr;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    if (mode != Language::Simplified && mode != Language::Traditional)
        return true;
    auto *loaded = new QTranslator;
    const QString name = mode == Language::Simplified ? QStringLiteral("qtbase_zh_CN") : QStringLiteral("qtbase_zh_TW");
    if (!loaded->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete loaded;
        return false;
    }
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
}
