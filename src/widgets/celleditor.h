#pragma once

#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>

class QLineEdit;

// The cell editor of a dialog's grid: a line edit, set up by the dialog, whose text goes to the
// dialog's rules when the edit ends instead of into the cell. The dialog shows the result.
class CellEditor : public QStyledItemDelegate
{
public:
    using Setup = std::function<void(QLineEdit *editor, const QModelIndex &index)>;
    using Edited = std::function<void(const QModelIndex &index, const QString &text)>;

    CellEditor(QObject *parent, Setup setup, Edited edited);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

    // Whether an edit is open: an editor closed by the view lingers, hidden, until it is deleted.
    bool editing() const;
    // Ends the open edit as Enter does.
    void finish();
    // Closes the open editor, keeping nothing of it.
    void discard();
    // The open editor; null when no edit is open.
    QLineEdit *openEditor() const;

protected:
    // Enter in the editor ends the edit at once, so that the next key finds it ended, and goes
    // no further: it never presses a dialog's default button.
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    Setup m_setup;
    Edited m_edited;
    mutable QPointer<QWidget> m_editor;
};
