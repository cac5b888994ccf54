#pragma once

#include "i18n/languagemode.h"
#include "image/editorstate.h"

#include <QDialog>

class QBoxLayout;
class QPushButton;

// Writes the caption table's texts into the widgets of a window whose object name keys its
// rows ("Form5"): the window title, and every label, button, check box, group box and list
// item whose key ("Form5.Label14", "Form5.Combo11[1]") has a row. Others keep their texts.
void applyCaptions(QWidget *window, LanguageMode mode);

// A feature dialog: modeless and without owner, created once at start-up and afterwards only
// shown and hidden. Showing a hidden one fills it from the editor state; OK hands the edited
// state to the window, which applies it; Cancel, Escape and the close box hide it and store
// nothing. Ctrl+Return presses OK.
class FeatureDialog : public QDialog
{
    Q_OBJECT

public:
    // Shows the dialog and gives it the focus: filled from the state when it was hidden, only
    // raised when it is open (the edits it holds stay).
    void present();
    // Fills an open dialog from the state again, after the state changed from outside (a file
    // opened, a read).
    void reload();
    // OK is greyed while a session runs, whose image it would change halfway.
    void setConfirmEnabled(bool enabled);
    virtual void retranslate(LanguageMode mode);

signals:
    // OK: the editor state with the dialog's values in it.
    void confirmed(const EditorState &edited);

protected:
    // name: the object name, which keys the dialog's captions ("Form5").
    FeatureDialog(const EditorState &state, const char *name, QWidget *parent = nullptr);

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

    const EditorState &m_state;

private:
    void accept() override;

    QPushButton *m_ok = nullptr;
    LanguageMode m_language = Language::Simplified;
};
