#pragma once

#include "editor/bands.h"
#include "i18n/celltexts.h"
#include "image/editorstate.h"

class ProgrammingDocument;

#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QTableWidget;

// The channel table on screen: the grid and its in-place editors, a view of the programming's
// channels. What the user enters goes through the channel rules into the programming, as an
// edit it may refuse; the grid shows whatever the programming holds afterwards.
class ChannelGrid : public QWidget
{
    Q_OBJECT

public:
    explicit ChannelGrid(ProgrammingDocument &document, QWidget *parent = nullptr);

    // The table (rows 0..15 are channels 1..16, columns 1..8 their cells, column 0 the channel
    // number) and its in-place editors.
    QTableWidget *table() const { return m_table; }
    QLineEdit *frequencyEditor() const { return m_frequencyEditor; } // columns 1 and 3
    QComboBox *toneEditor() const { return m_toneEditor; }           // columns 2 and 4
    QComboBox *optionEditor(int column) const { return m_optionEditors.at(column - EditorState::Power); } // 5 to 8

    // The language of the cell texts, header and tooltips, and the band that frequencies must
    // lie in (a frequency outside it, as a read can bring, is marked).
    void setLanguage(LanguageMode mode, const CellTexts &texts, const QStringList &headerTexts);
    void setBandLimits(Bands::Limits limits);
    const CellTexts &cellTexts() const { return m_texts; }

    // Shows the programming's channel cells again.
    void refresh();
    // Gives the keyboard focus to the grid's current cell (the first channel's RX frequency when
    // there is none), unless the grid is disabled.
    void takeFocus();

    // Ends an edit in progress as leaving the editor does, so that what was typed counts.
    void commitEdit();
    // Closes an open editor without storing anything.
    void cancelEdit();
    // The editor that is open, if any.
    QWidget *openEditorWidget() const;

    // The grid cell of channel row 1..16, column 1..8.
    QRect cellRect(int row, int column) const;

signals:
    void frequencyOutOfBand(); // shown to the user once the edit has ended

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Opens the editor of a cell; typed, when given, is the editor's whole text (a key typed on
    // the closed cell) instead of the cell's text.
    void openEditor(int row, int column, const QString &typed = {});
    bool handleGridKey(QKeyEvent *event);
    void leaveGrid(bool forward);
    bool handleEditorKey(QWidget *editor, QKeyEvent *event);
    void finishEdit(QKeyEvent *moveKey = nullptr);
    void endFrequencyEdit();
    void endToneEdit();
    void pickTone(int index);
    void pickOption(int column, int index);
    bool filterToneKey(QKeyEvent *event);
    void hideEditor(QWidget *editor);
    void refreshRow(int row);
    void markOutOfBand(int row, int column);
    void fitToContents();
    const EditorState &state() const;
    // Hands an edit of the channels to the programming, which stores it unless refused.
    void store(const std::function<void(EditorState &)> &change);

    QTableWidget *m_table;
    QLineEdit *m_frequencyEditor = nullptr;
    QComboBox *m_toneEditor = nullptr;
    std::array<QComboBox *, 4> m_optionEditors {}; // columns 5 to 8, at column - 5
    int m_editRow = 0; // the cell being edited
    int m_editColumn = 0;

    ProgrammingDocument &m_document;
    LanguageMode m_language = Language::Simplified;
    CellTexts m_texts;
    Bands::Limits m_band {400, 500};
    bool m_ending = false; // an edit is being ended: a message box it shows must not end it again
};
