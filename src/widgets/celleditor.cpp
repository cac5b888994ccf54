#include "widgets/celleditor.h"

#include <QKeyEvent>
#include <QLineEdit>

CellEditor::CellEditor(QObject *parent, Setup setup, Edited edited)
    : QStyledItemDelegate(parent)
    , m_setup(std::move(setup))
    , m_edited(std::move(edited))
{
}

QWidget *CellEditor::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    auto *editor = static_cast<QLineEdit *>(QStyledItemDelegate::createEditor(parent, option, index));
    if (m_setup)
        m_setup(editor, index);
    m_editor = editor;
    return editor;
}

void CellEditor::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const
{
    m_edited(index, static_cast<QLineEdit *>(editor)->text());
}

bool CellEditor::editing() const
{
    return m_editor && m_editor->isVisible();
}

void CellEditor::finish()
{
    if (QWidget *editor = editing() ? m_editor.data() : nullptr) {
        emit commitData(editor);
        emit closeEditor(editor, NoHint);
    }
}

void CellEditor::discard()
{
    if (QWidget *editor = editing() ? m_editor.data() : nullptr)
        emit closeEditor(editor, NoHint);
}

QLineEdit *CellEditor::openEditor() const
{
    return editing() ? static_cast<QLineEdit *>(m_editor.data()) : nullptr;
}

bool CellEditor::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && object == m_editor) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            finish();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
