#include "dialogs/testfrequencydialog.h"

#include "widgets/celleditor.h"
#include "widgets/layoutunits.h"
#include "widgets/typedkey.h"
#include "i18n/captions.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int ColumnTwips[3] = {900, 1530, 1530};
constexpr int RowTwips = 300;

// The grid: an edit is refused on the row numbers and on a transmit cell whose row has no
// receive frequency, however it is asked for (a click, Enter, F2).
class FrequencyTable : public QTableWidget
{
public:
    FrequencyTable(std::function<bool(int row, int column)> editable)
        : QTableWidget(ChannelCount, 3)
        , m_editable(std::move(editable))
    {
    }

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override
    {
        if (index.isValid() && !m_editable(index.row() + 1, index.column()))
            return false;
        return QTableWidget::edit(index, trigger, event);
    }

private:
    std::function<bool(int, int)> m_editable;
};

} // namespace

TestFrequencyDialog::TestFrequencyDialog(ProgrammingDocument &document, QWidget *parent)
    : FeatureDialog(document, "Form4", parent)
    , m_table(new FrequencyTable([this](int row, int column) { return editable(row, column); }))
    , m_delegate(new CellEditor(
          this, [](QLineEdit *editor, const QModelIndex &) { editor->setAlignment(Qt::AlignCenter); },
          [this](const QModelIndex &index, const QString &text) { edited(index.row() + 1, index.column(), text); }))
{
    setWindowTitle(QStringLiteral("测试频率"));
    m_table->setObjectName(QStringLiteral("mfgrid1"));
    m_table->setItemDelegate(m_delegate);
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::EditKeyPressed); // F2; clicks and Enter below
    m_table->setTabKeyNavigation(false); // arrows move in the grid; Tab goes on to OK
    m_table->setHorizontalHeaderLabels({"频道", "接收频率", "发射频率"});
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < 3; ++column)
        m_table->setColumnWidth(column, twipsToPixels(this, ColumnTwips[column]));
    for (int row = 0; row < ChannelCount; ++row) {
        m_table->setRowHeight(row, std::max(twipsToPixels(this, RowTwips), fontMetrics().height() + 4));
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (column == 0) {
                item->setText(QStringLiteral("%1").arg(row + 1, 2, 10, QLatin1Char('0')));
                item->setFlags(Qt::NoItemFlags);
                item->setForeground(palette().text());
            }
            m_table->setItem(row, column, item);
        }
    }
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setMinimumSize(2 * m_table->frameWidth() + m_table->columnWidth(0) + 2 * m_table->columnWidth(1)
                                + m_table->verticalScrollBar()->sizeHint().width(),
                            twipsToPixels(this, 5145));
    connect(m_table, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (editable(row + 1, column))
            m_table->editItem(m_table->item(row, column));
    });
    m_table->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    addButtons(layout);
}

void TestFrequencyDialog::retranslate(LanguageMode mode)
{
    FeatureDialog::retranslate(mode);
    QStringList header;
    for (int column = 0; column < 3; ++column)
        header << captionText(QStringLiteral("Form4.mfgrid1.header[%1]").arg(column), mode);
    m_table->setHorizontalHeaderLabels(header);
}

QWidget *TestFrequencyDialog::firstControl() const
{
    return m_table;
}

bool TestFrequencyDialog::editable(int row, int column) const
{
    if (column == 1)
        return true;
    return column == 2 && TestFrequencyRules::transmitEditable(m_rows.at(row - 1));
}

void TestFrequencyDialog::load(const EditorState &state)
{
    m_delegate->discard(); // nothing of an open edit stays
    for (int row = 1; row <= ChannelCount; ++row) {
        m_rows[row - 1] = state.testFrequencyTable[row - 1];
        showRow(row);
    }
    m_table->setCurrentCell(0, 1);
}

void TestFrequencyDialog::store(EditorState &state)
{
    for (int row = 1; row <= ChannelCount; ++row)
        state.testFrequencyTable[row - 1] = m_rows[row - 1];
}

void TestFrequencyDialog::finishEditing()
{
    m_delegate->finish();
}

void TestFrequencyDialog::showRow(int row)
{
    m_table->item(row - 1, 1)->setText(m_rows[row - 1].rx);
    m_table->item(row - 1, 2)->setText(m_rows[row - 1].tx);
}

void TestFrequencyDialog::edited(int row, int column, const QString &text)
{
    const TestFrequencyRules::Row &current = m_rows.at(row - 1);
    const auto result = column == 1 ? TestFrequencyRules::afterReceiveEdit(current, text)
                                    : TestFrequencyRules::afterTransmitEdit(current, text);
    if (result)
        m_rows[row - 1] = *result;
    showRow(row); // a refused value leaves the cell as it was
}

// Enter on the grid opens the current cell (the open editor ends an edit itself), and stays in
// the grid instead of pressing OK; a digit or point typed on a closed cell opens it with that
// character, as in the channel grid.
bool TestFrequencyDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool digit = typesCharacter(key) && (key->text().front().isDigit() || key->text() == u".");
        if (!enter && !digit)
            return FeatureDialog::eventFilter(watched, event);
        QTableWidgetItem *item = m_table->currentItem();
        if (item && editable(item->row() + 1, item->column())) {
            m_table->editItem(item);
            if (QLineEdit *editor = digit ? m_delegate->openEditor() : nullptr)
                editor->setText(key->text());
        }
        return true;
    }
    return FeatureDialog::eventFilter(watched, event);
}
