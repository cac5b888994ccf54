#include "editor/channelgrid.h"

#include "editor/channelrules.h"
#include "image/tonelist.h"

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

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// A key that types a character (not Tab, Backspace or a control combination).
bool typesCharacter(const QKeyEvent *event)
{
    return !event->text().isEmpty() && event->text().front().unicode() >= 0x20
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// Focus moved by program code or the user inside the window, not into a drop-down list or to
// another window (a message box): only that ends an edit.
bool endsEdit(const QFocusEvent *event)
{
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason
        && !QApplication::activePopupWidget();
}

} // namespace

ChannelGrid::ChannelGrid(EditorState &state, QWidget *parent)
    : QWidget(parent)
    , Grid1(new QTableWidget(ChannelCount, 9, this))
    , m_state(state)
    , m_texts(CellTexts::forLanguage(Language::Simplified))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Grid1);

    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->verticalHeader()->hide();
    Grid1->horizontalHeader()->setSectionsClickable(false);
    Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid1->setWordWrap(false);
    for (int row = 1; row <= ChannelCount; ++row) {
        for (int column = 0; column <= 8; ++column) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(column == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (row % 2 == 0)
                item->setBackground(EvenRowTint);
            else if (column == 0)
                item->setBackground(palette().button());
            Grid1->setItem(row - 1, column, item);
        }
        Grid1->item(row - 1, 0)->setText(QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0')));
    }
    connect(Grid1, &QTableWidget::cellClicked, this, [this](int row, int column) { openEditor(row + 1, column); });
    Grid1->installEventFilter(this);
    Grid1->viewport()->installEventFilter(this);

    QWidget *viewport = Grid1->viewport();
    Text1 = new QLineEdit(viewport);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFrame(false);
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setMaxLength(9);
    Text1->hide();
    Text1->installEventFilter(this);

    Combo8 = new QComboBox(viewport);
    Combo8->setObjectName(QStringLiteral("Combo8"));
    Combo8->setEditable(true);
    Combo8->setCompleter(nullptr); // a typed tone must not be completed into a listed one
    Combo8->setInsertPolicy(QComboBox::NoInsert);
    Combo8->setMaxVisibleItems(16);
    Combo8->addItems(ToneList::items(m_texts.toneOff));
    Combo8->hide();
    Combo8->installEventFilter(this);
    Combo8->view()->installEventFilter(this);
    connect(Combo8, &QComboBox::activated, this, &ChannelGrid::pickTone);

    for (int column = Column::Power; column <= Column::Scan; ++column) {
        QComboBox *combo = new QComboBox(viewport);
        combo->setObjectName(QStringLiteral("Combo5_%1").arg(column));
        combo->addItems({m_texts.option(column, 0), m_texts.option(column, 1)});
        combo->hide();
        combo->installEventFilter(this);
        connect(combo, &QComboBox::activated, this, [this, column](int index) { pickOption(column, index); });
        Combo5[column - Column::Power] = combo;
    }
    fitToContents();
}

void ChannelGrid::setLanguage(const CellTexts &texts, const QStringList &headerTexts)
{
    m_texts = texts;
    Grid1->setHorizontalHeaderLabels(headerTexts);
    Combo8->setItemText(ToneList::Off, texts.toneOff);
    for (int column = Column::Power; column <= Column::Scan; ++column)
        for (int item = 0; item < 2; ++item)
            Combo5[column - Column::Power]->setItemText(item, texts.option(column, item));
    fitToContents();
}

void ChannelGrid::refresh()
{
    for (int row = 1; row <= ChannelCount; ++row)
        refreshRow(row);
}

void ChannelGrid::refreshRow(int row)
{
    for (int column = 1; column <= 8; ++column)
        Grid1->item(row - 1, column)->setText(m_state.cell(row, column));
}

QRect ChannelGrid::cellRect(int row, int column) const
{
    return Grid1->visualItemRect(Grid1->item(row - 1, column));
}

QWidget *ChannelGrid::openEditorWidget() const
{
    if (Text1->isVisible())
        return Text1;
    if (Combo8->isVisible())
        return Combo8;
    for (QComboBox *combo : Combo5)
        if (combo->isVisible())
            return combo;
    return nullptr;
}

void ChannelGrid::commitEdit()
{
    if (Text1->isVisible())
        endFrequencyEdit();
    else if (Combo8->isVisible())
        endToneEdit();
    else if (QWidget *editor = openEditorWidget())
        hideEditor(editor);
}

void ChannelGrid::openEditor(int row, int column)
{
    if (row < 1 || row > ChannelCount || column < 1)
        return;
    // A channel can only be started with its RX frequency.
    if (!m_state.channelExists(row)) {
        column = Column::RxFrequency;
        Grid1->setCurrentCell(row - 1, column);
    }
    EditRow = row;
    EditColumn = column;
    const QRect cell = cellRect(row, column);
    const QString &text = m_state.cell(row, column);

    if (column == Column::RxFrequency || column == Column::TxFrequency) {
        Text1->setGeometry(cell);
        Text1->setText(text);
        Text1->show();
        Text1->raise();
        Text1->setFocus();
        Text1->selectAll();
    } else if (column == Column::RxTone || column == Column::TxTone) {
        Combo8->setGeometry(cell.x(), cell.y(), cell.width(), Combo8->sizeHint().height());
        Combo8->setCurrentIndex(Combo8->findText(text, Qt::MatchExactly));
        Combo8->setEditText(text);
        Combo8->show();
        Combo8->raise();
        Combo8->setFocus();
        Combo8->lineEdit()->selectAll();
        Combo8->showPopup();
    } else {
        QComboBox *combo = Combo5[column - Column::Power];
        combo->setGeometry(cell.x(), cell.y(), cell.width(), combo->sizeHint().height());
        {
            // Selecting while the list is hidden is not a choice: opening never writes the cell.
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(m_state.option(column, row));
        }
        combo->show();
        combo->raise();
        combo->setFocus();
        combo->showPopup();
    }
}

void ChannelGrid::hideEditor(QWidget *editor)
{
    editor->hide();
    Grid1->setFocus();
}

void ChannelGrid::endFrequencyEdit()
{
    if (m_ending)
        return;
    const QScopedValueRollback ending(m_ending, true);
    const auto outcome = ChannelRules::endFrequencyEdit(m_state, EditRow, EditColumn, Text1->text(), m_band, m_texts);
    if (outcome == ChannelRules::FrequencyEdit::OutOfBand) {
        emit frequencyOutOfBand();
        Grid1->setFocus();
    }
    Text1->hide();
    refreshRow(EditRow);
    if (outcome == ChannelRules::FrequencyEdit::Stored || outcome == ChannelRules::FrequencyEdit::Erased)
        emit edited();
}

void ChannelGrid::endToneEdit()
{
    if (m_ending)
        return;
    const QScopedValueRollback ending(m_ending, true);
    const bool changed = ChannelRules::endToneEdit(m_state, EditRow, EditColumn, Combo8->currentText(), m_texts);
    Combo8->hide();
    refreshRow(EditRow);
    if (changed)
        emit edited();
}

void ChannelGrid::pickTone(int index)
{
    if (!Combo8->isVisible())
        return;
    ChannelRules::pickTone(m_state, EditRow, EditColumn, index, m_texts);
    refreshRow(EditRow);
    hideEditor(Combo8);
    emit edited();
}

void ChannelGrid::pickOption(int column, int index)
{
    QComboBox *combo = Combo5[column - Column::Power];
    if (!combo->isVisible())
        return;
    ChannelRules::pickOption(m_state, EditRow, EditColumn, index, m_texts);
    refreshRow(EditRow);
    hideEditor(combo);
    emit edited();
}

bool ChannelGrid::filterToneKey(QKeyEvent *event)
{
    if (isEnter(event)) {
        Grid1->setFocus();
        return true;
    }
    if (!typesCharacter(event))
        return false;
    const auto key = ChannelRules::toneKey(event->text().front());
    if (key)
        Combo8->lineEdit()->insert(QString(*key));
    return true;
}

bool ChannelGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (!Combo5.back()) // still being built
        return QWidget::eventFilter(watched, event);
    const auto type = event->type();
    if (watched == Grid1 && type == QEvent::KeyPress && isEnter(static_cast<QKeyEvent *>(event))) {
        if (Grid1->currentRow() >= 0)
            openEditor(Grid1->currentRow() + 1, Grid1->currentColumn());
        return true;
    }
    if (watched == Grid1->viewport() && type == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
        Grid1->setFocus(); // a right click only focuses the grid
        return true;
    }
    if (watched == Text1 && type == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (isEnter(key)) {
            Grid1->setFocus();
            return true;
        }
        return typesCharacter(key) && !ChannelRules::frequencyKeyAllowed(key->text().front());
    }
    if (watched == Combo8 && type == QEvent::KeyPress)
        return filterToneKey(static_cast<QKeyEvent *>(event));
    if (watched == Combo8->view() && type == QEvent::KeyPress && typesCharacter(static_cast<QKeyEvent *>(event))) {
        // Typing while the list is open closes it and replaces the text, as typing into the
        // freshly opened editor does.
        Combo8->hidePopup();
        Combo8->lineEdit()->selectAll();
        return filterToneKey(static_cast<QKeyEvent *>(event));
    }
    if (type == QEvent::FocusOut && endsEdit(static_cast<QFocusEvent *>(event))) {
        if (watched == Text1 && Text1->isVisible())
            endFrequencyEdit();
        else if (watched == Combo8 && Combo8->isVisible())
            endToneEdit();
        else if (std::find(Combo5.begin(), Combo5.end(), watched) != Combo5.end())
            static_cast<QWidget *>(watched)->hide(); // leaving an option list keeps the cell
    }
    return QWidget::eventFilter(watched, event);
}

void ChannelGrid::fitToContents()
{
    // The layout's sizes are the least: a column widens where its header or any text it can
    // show would not fit.
    const double twips = logicalDpiX() / 1440.0;
    const QFontMetrics cells(Grid1->font());
    const int padding = 2 * Grid1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    QStringList candidates[9] = {{"16"}, {"888.88888"}, {"254.1", "D777N", m_texts.toneOff}, {"888.88888"},
                                 {"254.1", "D777N", m_texts.toneOff}};
    for (int column = Column::Power; column <= Column::Scan; ++column)
        candidates[column] = {m_texts.option(column, 0), m_texts.option(column, 1)};
    int width = 2 * Grid1->frameWidth();
    for (int column = 0; column <= 8; ++column) {
        int w = std::max(int(ColumnTwips[column] * twips), Grid1->horizontalHeader()->sectionSizeHint(column));
        for (const QString &text : candidates[column])
            w = std::max(w, cells.horizontalAdvance(text) + padding);
        Grid1->setColumnWidth(column, w);
        width += w;
    }
    const int rowHeight = std::max(int(RowTwips * twips), cells.height() + 4);
    for (int row = 0; row < ChannelCount; ++row)
        Grid1->setRowHeight(row, rowHeight);
    const int headerHeight = Grid1->horizontalHeader()->sizeHint().height();
    Grid1->setFixedSize(width, 2 * Grid1->frameWidth() + headerHeight + ChannelCount * rowHeight);
}
