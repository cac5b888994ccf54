#include "app/channelgrid.h"

#include "document/programmingdocument.h"
#include "editor/channelrules.h"
#include "i18n/celltexts.h"
#include "i18n/messages.h"
#include "image/tonelist.h"
#include "widgets/layoutunits.h"
#include "widgets/legibility.h"
#include "widgets/typedkey.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTableWidget>
#include <QVBoxLayout>

using Column = EditorState::Column;

namespace {

// Layout sizes in twips (1/1440 inch): column widths of columns 0 to 8 and the row height.
constexpr int ColumnTwips[9] = {500, 1330, 1000, 1330, 1000, 800, 850, 1000, 900};
constexpr int RowTwips = 300;
const QColor EvenRowTint(192, 192, 255);
const QColor OutOfBandTint(255, 200, 140);

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

bool isTab(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// Ctrl+Tab or Ctrl+Shift+Tab: out of the grid, as text editors leave their text.
bool isControlTab(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && (event->modifiers() & Qt::ControlModifier);
}

// A key meant for the menu bar: F10, or Alt with a letter (a menu's mnemonic).
bool opensMenu(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_F10)
        return true;
    return (event->modifiers() & Qt::AltModifier) && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z;
}

// Focus moved by program code or the user inside the window, not into a drop-down list or to
// another window (a message box): only that ends an edit.
bool endsEdit(const QFocusEvent *event)
{
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason
        && !QApplication::activePopupWidget();
}

} // namespace

ChannelGrid::ChannelGrid(ProgrammingDocument &document, QWidget *parent)
    : QWidget(parent)
    , m_table(new QTableWidget(ChannelCount, 9, this))
    , m_document(document)
    , m_texts(CellTexts::forLanguage(Language::Simplified))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);

    m_table->setObjectName(QStringLiteral("Grid1"));
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setWordWrap(false);
    for (int row = 1; row <= ChannelCount; ++row) {
        for (int column = 0; column <= 8; ++column) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (column == 0) {
                // The channel number is no cell of the channel: the current cell never rests on it.
                item->setFlags(Qt::NoItemFlags);
                item->setForeground(palette().text());
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            if (row % 2 == 0)
                item->setBackground(EvenRowTint);
            else if (column == 0)
                item->setBackground(palette().button());
            m_table->setItem(row - 1, column, item);
        }
        m_table->item(row - 1, 0)->setText(QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0')));
    }
    makeLegibleWhenDisabled(this);
    // The first channel's RX frequency is where work starts; current, not selected.
    m_table->selectionModel()->setCurrentIndex(m_table->model()->index(0, Column::RxFrequency), QItemSelectionModel::NoUpdate);
    connect(m_table, &QTableWidget::cellClicked, this, [this](int row, int column) { openEditor(row + 1, column); });
    m_table->installEventFilter(this);
    m_table->viewport()->installEventFilter(this);

    QWidget *viewport = m_table->viewport();
    m_frequencyEditor = new QLineEdit(viewport);
    m_frequencyEditor->setObjectName(QStringLiteral("Text1"));
    m_frequencyEditor->setFrame(false);
    m_frequencyEditor->setAlignment(Qt::AlignCenter);
    m_frequencyEditor->hide();
    m_frequencyEditor->installEventFilter(this);
    // A paste keeps what typing would have let through. (The editor has no maximum length of its
    // own, which would cut a paste before its blanks and letters are dropped.)
    connect(m_frequencyEditor, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString kept = ChannelRules::frequencyEditorText(text);
        if (kept != text)
            m_frequencyEditor->setText(kept);
    });

    m_toneEditor = new QComboBox(viewport);
    m_toneEditor->setObjectName(QStringLiteral("Combo8"));
    m_toneEditor->setEditable(true);
    m_toneEditor->setCompleter(nullptr); // a typed tone must not be completed into a listed one
    m_toneEditor->setInsertPolicy(QComboBox::NoInsert);
    m_toneEditor->setMaxVisibleItems(16);
    m_toneEditor->addItems(QStringList {m_texts.toneOff} + ToneList::toneTexts());
    m_toneEditor->hide();
    m_toneEditor->installEventFilter(this);
    m_toneEditor->view()->installEventFilter(this);
    connect(m_toneEditor, &QComboBox::activated, this, &ChannelGrid::pickTone);

    for (int column = Column::Power; column <= Column::Scan; ++column) {
        QComboBox *combo = new QComboBox(viewport);
        combo->setObjectName(QStringLiteral("Combo5_%1").arg(column));
        combo->addItems({m_texts.option(column, 0), m_texts.option(column, 1)});
        combo->hide();
        combo->installEventFilter(this);
        combo->view()->installEventFilter(this);
        connect(combo, &QComboBox::activated, this, [this, column](int index) { pickOption(column, index); });
        m_optionEditors[column - Column::Power] = combo;
    }
    fitToContents();
    connect(&m_document, &ProgrammingDocument::programmingChanged, this, &ChannelGrid::refresh);
}

const EditorState &ChannelGrid::state() const
{
    return m_document.state();
}

void ChannelGrid::store(const std::function<void(EditorState &)> &change)
{
    m_document.edit(Command::EditChannel, change);
}

void ChannelGrid::setLanguage(LanguageMode mode, const CellTexts &texts, const QStringList &headerTexts)
{
    m_language = mode;
    m_texts = texts;
    m_table->setHorizontalHeaderLabels(headerTexts);
    m_toneEditor->setItemText(ToneList::Off, texts.toneOff);
    for (int column = Column::Power; column <= Column::Scan; ++column)
        for (int item = 0; item < 2; ++item)
            optionEditor(column)->setItemText(item, texts.option(column, item));
    fitToContents();
    refresh();
}

void ChannelGrid::setBandLimits(Bands::Limits limits)
{
    m_band = limits;
    refresh();
}

void ChannelGrid::refresh()
{
    for (int row = 1; row <= ChannelCount; ++row)
        refreshRow(row);
}

void ChannelGrid::takeFocus()
{
    if (!isEnabled())
        return;
    if (m_table->currentColumn() < Column::RxFrequency)
        m_table->selectionModel()->setCurrentIndex(m_table->model()->index(0, Column::RxFrequency),
                                                   QItemSelectionModel::NoUpdate);
    m_table->setFocus();
}

void ChannelGrid::refreshRow(int row)
{
    for (int column = 1; column <= 8; ++column)
        m_table->item(row - 1, column)->setText(cellText(state(), row, column, m_texts));
    markOutOfBand(row, Column::RxFrequency);
    markOutOfBand(row, Column::TxFrequency);
}

// A frequency outside the band in force (a radio can hold such channels) stays as it is, but
// shows in a warning colour, with the band's limits in its tooltip.
void ChannelGrid::markOutOfBand(int row, int column)
{
    QTableWidgetItem *item = m_table->item(row - 1, column);
    const std::optional<Channel> &channel = state().channel(row);
    if (!channel || Bands::contains(m_band, ChannelRules::frequencyIn(*channel, column))) {
        item->setData(Qt::BackgroundRole, row % 2 == 0 ? QVariant(QBrush(EvenRowTint)) : QVariant());
        item->setToolTip(QString());
        return;
    }
    item->setBackground(OutOfBandTint);
    item->setToolTip(QStringLiteral("%1: %2-%3MHz")
                         .arg(Messages::BeyondRange.text(m_language))
                         .arg(m_band.low)
                         .arg(m_band.high));
}

QRect ChannelGrid::cellRect(int row, int column) const
{
    return m_table->visualItemRect(m_table->item(row - 1, column));
}

QWidget *ChannelGrid::openEditorWidget() const
{
    if (m_frequencyEditor->isVisible())
        return m_frequencyEditor;
    if (m_toneEditor->isVisible())
        return m_toneEditor;
    for (QComboBox *combo : m_optionEditors)
        if (combo->isVisible())
            return combo;
    return nullptr;
}

void ChannelGrid::commitEdit()
{
    if (m_frequencyEditor->isVisible())
        endFrequencyEdit();
    else if (m_toneEditor->isVisible())
        endToneEdit();
    else if (QWidget *editor = openEditorWidget())
        hideEditor(editor);
}

// Ends an open edit and gives the focus to the next (or previous) control outside the grid.
void ChannelGrid::leaveGrid(bool forward)
{
    commitEdit();
    QWidget *next = m_table;
    do
        next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    while (next != m_table
           && (m_table->isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled()
               || !next->isVisible()));
    if (next != m_table)
        next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void ChannelGrid::cancelEdit()
{
    if (QWidget *editor = openEditorWidget()) {
        const QScopedValueRollback ending(m_ending, true); // the focus loss must store nothing
        hideEditor(editor);
    }
}

// Ends the edit as leaving the editor does; a key that moves (Tab, an arrow) then moves the
// grid's current cell, so that the next Enter edits the cell the user moved to.
void ChannelGrid::finishEdit(QKeyEvent *moveKey)
{
    commitEdit();
    if (moveKey) {
        QKeyEvent forwarded(QEvent::KeyPress, moveKey->key(), moveKey->modifiers());
        QCoreApplication::sendEvent(m_table, &forwarded);
    }
}

void ChannelGrid::openEditor(int row, int column, const QString &typed)
{
    if (row < 1 || row > ChannelCount || column < 1)
        return;
    if (openEditorWidget())
        commitEdit(); // one edit at a time: what the open editor holds counts first
    // A channel can only be started with its RX frequency.
    if (!state().channelExists(row)) {
        column = Column::RxFrequency;
        m_table->setCurrentCell(row - 1, column);
    }
    m_editRow = row;
    m_editColumn = column;
    const QRect cell = cellRect(row, column);
    const QString text = cellText(state(), row, column, m_texts);

    if (column == Column::RxFrequency || column == Column::TxFrequency) {
        m_frequencyEditor->setGeometry(cell);
        m_frequencyEditor->setText(typed.isEmpty() ? text : typed);
        m_frequencyEditor->show();
        m_frequencyEditor->raise();
        m_frequencyEditor->setFocus();
        if (typed.isEmpty())
            m_frequencyEditor->selectAll(); // typing replaces the cell's text
    } else if (column == Column::RxTone || column == Column::TxTone) {
        m_toneEditor->setGeometry(cell.x(), cell.y(), cell.width(), m_toneEditor->sizeHint().height());
        m_toneEditor->setCurrentIndex(typed.isEmpty() ? m_toneEditor->findText(text, Qt::MatchExactly) : -1);
        m_toneEditor->setEditText(typed.isEmpty() ? text : typed);
        m_toneEditor->show();
        m_toneEditor->raise();
        m_toneEditor->setFocus();
        if (typed.isEmpty()) {
            m_toneEditor->lineEdit()->selectAll();
            m_toneEditor->showPopup();
        }
    } else {
        QComboBox *combo = optionEditor(column);
        combo->setGeometry(cell.x(), cell.y(), cell.width(), combo->sizeHint().height());
        {
            // Selecting while the list is hidden is not a choice: opening never writes the cell.
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(ChannelRules::optionItem(*state().channel(row), column));
        }
        combo->show();
        combo->raise();
        combo->setFocus();
        combo->showPopup();
    }
}

// Hides an editor. When it holds the window's keyboard focus, the grid takes it over; the
// window need not be the active one (a message box has just closed), since keys go to its focus
// widget all the same. An editor left for another control leaves the focus there.
void ChannelGrid::hideEditor(QWidget *editor)
{
    const QWidget *focus = window()->focusWidget();
    if (focus && (focus == editor || editor->isAncestorOf(focus)))
        m_table->setFocus();
    editor->hide();
}

void ChannelGrid::endFrequencyEdit()
{
    if (m_ending)
        return;
    const QScopedValueRollback ending(m_ending, true);
    auto outcome = ChannelRules::FrequencyEdit::Unchanged;
    store([&](EditorState &state) {
        outcome = ChannelRules::endFrequencyEdit(state, m_editRow, m_editColumn, m_frequencyEditor->text(), m_band);
    });
    hideEditor(m_frequencyEditor);
    refreshRow(m_editRow);
    if (outcome == ChannelRules::FrequencyEdit::OutOfBand)
        emit frequencyOutOfBand();
}

void ChannelGrid::endToneEdit()
{
    if (m_ending)
        return;
    const QScopedValueRollback ending(m_ending, true);
    const QString typed = m_toneEditor->currentText();
    const bool offItem = typed == m_texts.toneOff;
    store([&](EditorState &state) { ChannelRules::endToneEdit(state, m_editRow, m_editColumn, typed, offItem); });
    hideEditor(m_toneEditor);
    refreshRow(m_editRow);
}

// A pick from a list. The toolkit also reports one when a typed tone that matches an item loses
// the focus as its edit ends; that is the end of a typed edit, not a pick.
void ChannelGrid::pickTone(int index)
{
    if (!m_toneEditor->isVisible() || m_ending)
        return;
    store([&](EditorState &state) { ChannelRules::pickTone(state, m_editRow, m_editColumn, index); });
    refreshRow(m_editRow);
    hideEditor(m_toneEditor);
}

void ChannelGrid::pickOption(int column, int index)
{
    QComboBox *combo = optionEditor(column);
    if (!combo->isVisible() || m_ending)
        return;
    store([&](EditorState &state) { ChannelRules::pickOption(state, m_editRow, m_editColumn, index); });
    refreshRow(m_editRow);
    hideEditor(combo);
}

bool ChannelGrid::filterToneKey(QKeyEvent *event)
{
    if (!typesCharacter(event))
        return false;
    const auto key = ChannelRules::toneKey(event->text().front());
    if (key)
        m_toneEditor->lineEdit()->insert(QString(*key));
    return true;
}

// Keys on the grid: Enter opens the current cell's editor; a digit typed on a closed frequency
// or tone cell opens its editor with that digit (a "D" too on a tone cell), as spreadsheets do.
// Other characters do nothing: no type-ahead search jumping to another channel.
bool ChannelGrid::handleGridKey(QKeyEvent *event)
{
    if (isControlTab(event)) {
        leaveGrid(!(event->modifiers() & Qt::ShiftModifier) && event->key() == Qt::Key_Tab);
        return true;
    }
    const int row = m_table->currentRow() + 1;
    int column = m_table->currentColumn();
    if (isEnter(event)) {
        if (row >= 1)
            openEditor(row, column);
        return true;
    }
    if (!typesCharacter(event))
        return false;
    if (row < 1 || column < Column::RxFrequency || column > Column::TxTone)
        return true;
    if (!state().channelExists(row))
        column = Column::RxFrequency;
    if (const auto opening = ChannelRules::editorTextOfKeyOnCell(event->text().front(), column))
        openEditor(row, column, *opening);
    return true;
}

// Keys in an open editor. Enter ends the edit at once (not by way of the focus loss, which the
// toolkit does not send while the window is inactive, as it is right after a message box); Tab,
// Shift+Tab and, in the frequency editor, Up and Down end it and then move; Escape closes the
// editor and the cell keeps what it had. Up and Down in the lists pick, as lists do.
bool ChannelGrid::handleEditorKey(QWidget *editor, QKeyEvent *event)
{
    if (isEnter(event)) {
        finishEdit();
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        cancelEdit();
        return true;
    }
    const bool verticalMove = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (isTab(event) || (editor == m_frequencyEditor && verticalMove && !(event->modifiers() & Qt::AltModifier))) {
        finishEdit(event);
        return true;
    }
    if (editor == m_frequencyEditor && typesCharacter(event)) {
        const qsizetype kept = m_frequencyEditor->text().size() - m_frequencyEditor->selectedText().size();
        return !ChannelRules::frequencyKeyAllowed(event->text().front()) || kept >= ChannelRules::FrequencyEditorLength;
    }
    if (editor == m_toneEditor)
        return filterToneKey(event);
    return false;
}

bool ChannelGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_optionEditors.back()) // still being built
        return QWidget::eventFilter(watched, event);
    const auto type = event->type();
    if (watched == m_table && type == QEvent::KeyPress)
        return handleGridKey(static_cast<QKeyEvent *>(event));
    if (watched == m_table->viewport() && type == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
        m_table->setFocus(); // a right click only focuses the grid
        return true;
    }
    if (type == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        QWidget *editor = openEditorWidget();
        if (editor && watched == editor)
            return handleEditorKey(editor, key);
        // In a dropped-down list: Tab leaves the list and the editor as above.
        auto *combo = editor ? qobject_cast<QComboBox *>(editor) : nullptr;
        if (combo && watched == combo->view()) {
            // Escape closes the list and the editor at once; a key of the menu bar closes both,
            // storing nothing, and then reaches the menu bar.
            if (key->key() == Qt::Key_Escape || opensMenu(key)) {
                combo->hidePopup();
                cancelEdit();
                m_table->setFocus();
                if (opensMenu(key))
                    QCoreApplication::postEvent(window(), new QKeyEvent(QEvent::KeyPress, key->key(), key->modifiers(), key->text()));
                return true;
            }
            if (isTab(key)) {
                combo->hidePopup();
                finishEdit(key);
                return true;
            }
            if (combo == m_toneEditor && typesCharacter(key)) {
                // Typing while the list is open closes it and replaces the text, as typing
                // into the freshly opened editor does.
                m_toneEditor->hidePopup();
                m_toneEditor->lineEdit()->selectAll();
                return filterToneKey(key);
            }
        }
        return QWidget::eventFilter(watched, event);
    }
    if (type == QEvent::FocusOut && endsEdit(static_cast<QFocusEvent *>(event))) {
        if (watched == m_frequencyEditor && m_frequencyEditor->isVisible())
            endFrequencyEdit();
        else if (watched == m_toneEditor && m_toneEditor->isVisible())
            endToneEdit();
        else if (std::find(m_optionEditors.begin(), m_optionEditors.end(), watched) != m_optionEditors.end())
            static_cast<QWidget *>(watched)->hide(); // leaving an option list keeps the cell
    }
    return QWidget::eventFilter(watched, event);
}

void ChannelGrid::fitToContents()
{
    // The layout's sizes are the least: a column widens where its header or any text it can
    // show would not fit.
    const QFontMetrics cells(m_table->font());
    const int padding = 2 * m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    QStringList candidates[9] = {{"16"}, {"888.88888"}, {"254.1", "D777N", m_texts.toneOff}, {"888.88888"},
                                 {"254.1", "D777N", m_texts.toneOff}};
    for (int column = Column::Power; column <= Column::Scan; ++column)
        candidates[column] = {m_texts.option(column, 0), m_texts.option(column, 1)};
    int width = 2 * m_table->frameWidth();
    for (int column = 0; column <= 8; ++column) {
        int w = std::max(twipsToPixels(this, ColumnTwips[column]), m_table->horizontalHeader()->sectionSizeHint(column));
        for (const QString &text : candidates[column])
            w = std::max(w, cells.horizontalAdvance(text) + padding);
        m_table->setColumnWidth(column, w);
        width += w;
    }
    const int rowHeight = std::max(twipsToPixels(this, RowTwips), cells.height() + 4);
    for (int row = 0; row < ChannelCount; ++row)
        m_table->setRowHeight(row, rowHeight);
    const int headerHeight = m_table->horizontalHeader()->sizeHint().height();
    m_table->setFixedSize(width, 2 * m_table->frameWidth() + headerHeight + ChannelCount * rowHeight);
}
