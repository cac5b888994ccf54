#pragma once

#include "dialogs/featuredialog.h"
#include "editor/testfrequencyrules.h"

#include <array>

class QTableWidget;
class CellEditor;

// The test-frequency dialog: sixteen receive and transmit frequency pairs in a grid. A click,
// Enter or F2 opens a cell; a transmit cell stays shut while its row has no receive frequency.
// Enter ends an edit and never presses OK; an ended edit is lowered onto its raster, and a
// receive frequency is copied to its transmit cell.
class TestFrequencyDialog : public FeatureDialog
{
    Q_OBJECT

public:
    explicit TestFrequencyDialog(ProgrammingDocument &document, QWidget *parent = nullptr);

    QTableWidget *table() const { return m_table; }
    void retranslate(LanguageMode mode) override;

protected:
    void load(const EditorState &state) override;
    void store(EditorState &state) override;
    void finishEditing() override;
    QWidget *firstControl() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class CellEditor;
    // An edit of row 1..16, column 1 (receive) or 2 (transmit) ended with text.
    void edited(int row, int column, const QString &text);
    void showRow(int row);
    bool editable(int row, int column) const;

    QTableWidget *m_table;
    CellEditor *m_delegate;
    std::array<TestFrequencyRules::Row, ChannelCount> m_rows;
};
