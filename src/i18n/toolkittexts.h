#pragma once

#include "i18n/languagemode.h"

// The toolkit's own texts (file, print and progress dialogs, the context menus of text boxes,
// its error strings) in the language in force: Simplified or Traditional Chinese from the
// toolkit's translations (Debian's qt6-translations-l10n), English otherwise. Whether they were
// found is returned; without them the toolkit speaks English.
bool useToolkitLanguage(LanguageMode mode);
