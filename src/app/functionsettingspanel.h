#pragma once

#include "i18n/languagemode.h"
#include "image/editorstate.h"

#include <QGroupBox>
#include <QList>
#include <QString>
#include <utility>

class ProgrammingDocument;
class QComboBox;
class QLabel;

// The frame of the six radio-wide function settings beside the channel grid (voice prompt,
// transmit time-out and its pre-alert, squelch, battery save, key beep): a view of the
// programming. Each list's position is the setting's value; choosing an item is an edit of the
// programming, which the mode may refuse. Its widgets' object names key the caption table
// ("Frame2", "Label4", "Combo2").
class FunctionSettingsPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit FunctionSettingsPanel(ProgrammingDocument &document, QWidget *parent = nullptr);

    void retranslate(LanguageMode mode);
    // Each setting's caption and the item it shows, in order, as the channel sheet lists them.
    QList<std::pair<QString, QString>> shownSettings() const;
    // The first list, voice prompt: where the keyboard enters the frame.
    QComboBox *firstList() const { return m_settings.constFirst().list; }

private:
    struct Setting
    {
        QLabel *label;
        QComboBox *list;
        int EditorState::*value;
    };

    void showSettings();

    ProgrammingDocument &m_document;
    QList<Setting> m_settings;
};
