#pragma once

#include "i18n/languagemode.h"

#include <QDialog>

class LinkLabel;

// The About box, titled "Help" in every language: the program's title, version and release,
// two pictures, and a link area without text that opens the maker's page. Owned by the main
// window and modeless; OK and the close box hide it.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *owner);

    void retranslate(LanguageMode mode);
    LinkLabel *linkArea() const { return m_linkArea; }

private:
    LinkLabel *m_linkArea;
};
