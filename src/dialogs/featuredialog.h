#pragma once

#include "i18n/languagemode.h"
#include "image/editorstate.h"

#include <QDialog>

class ProgrammingDocument;
class QBoxLayout;
class QPushButton;

// Writes the caption table's texts into the widgets of a window whose object name keys its
// rows ("Form5"): the window title, every label, button, check box and group box whose key
// ("Form5.Label14") has a row, and the items of every list (listItems). Others keep their texts.
void applyCaptions(QWidget *window, LanguageMode mode);

// A feature dialog: modeless and without owner, created once and afterwards only shown and
// hidden; a view of the programming. Showing a hidden one fills it from the programming, and so
// does a replacement of the programming (a file opened, a read, undo) while it is open. OK
// stores its values into the programming as one edit, which the mode may refuse (OK is greyed
// then); Cancel, Escape and the close box hide it and store nothing. Ctrl+Return presses OK.
class FeatureDialog : public QDialog
{
    Q_OBJECT

public:
    // Shows the dialog and gives it the focus: filled from the state when it was hidden, only
    // raised when it is open (the edits it holds stay).
    void present();
    virtual void retranslate(LanguageMode mode);

protected:
    // name: the object name, which keys the dialog's captions ("Form5").
    FeatureDialog(ProgrammingDocument &document, const char *name, QWidget *parent = nullptr);

    virtual void load(const EditorState &state) = 0;
    virtual void store(EditorState &state) = 0;
    // Ends an edit still open in the dialog, as leaving it would, before OK stores.
    virtual void finishEditing() {}
    // The control that has the focus when the dialog is shown.
    virtual QWidget *firstControl() const = 0;

    // The OK button ("Command1", or another object name) and, unless null, Cancel ("Command2"),
    // added to layout at the bottom right.
    void addButtons(QBoxLayout *layout, const char *okName = "Command1", const char *cancelName = "Command2");
    QPushButton *okButton() const { return m_ok; }
    LanguageMode language() const { return m_language; }
    const EditorState &state() const;
    ProgrammingDocument &document() const { return m_document; }

private:
    void accept() override;
    // Fills an open dialog from the programming again.
    void reload();
    // OK is greyed while the mode refuses it: a session running, whose image it would change
    // halfway, or the editing lock.
    void updateConfirm();

    ProgrammingDocument &m_document;

    QPushButton *m_ok = nullptr;
    LanguageMode m_language = Language::Simplified;
};
