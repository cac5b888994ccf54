#include "dialogs/optionsdialog.h"

#include "widgets/celleditor.h"
#include "widgets/messagebox.h"
#include "editor/settingsrules.h"
#include "i18n/captions.h"
#include "i18n/listitems.h"
#include "i18n/messages.h"
#include "image/layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>

using namespace SettingsRules;

namespace {

// Whole seconds from 0 to 300, refused as typed (and pasted) otherwise.
class DelayValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return delayTextAccepted(input) ? Acceptable : Invalid;
    }
};

// A DTMF code as typed or pasted: lower-case letters become upper case, and a key or a paste
// with anything but 0-9, A-D, * and # is refused.
class DtmfCodeValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        const std::optional<QString> code = typedDtmfCode(input);
        if (!code)
            return Invalid;
        input = *code;
        return Acceptable;
    }
};

QLabel *caption(const char *name, const char *text = "")
{
    auto *label = new QLabel(QString::fromUtf8(text));
    label->setObjectName(QLatin1StringView(name));
    return label;
}

} // namespace

OptionsDialog::OptionsDialog(ProgrammingDocument &document, QWidget *parent)
    : FeatureDialog(document, "Form5", parent)
{
    setWindowTitle(QStringLiteral("可选功能"));
    auto *layout = new QVBoxLayout(this);
    auto *frames = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(buildVoxFrame());
    auto *below = new QGridLayout;
    below->addWidget(caption("Label4", "PTT ID"), 0, 0);
    below->addWidget(addList("Combo4", &OptionalFunctions::pttId), 0, 1);
    below->addWidget(caption("Label11", "复制"), 1, 0);
    below->addWidget(addList("Combo10", &OptionalFunctions::duplicate), 1, 1);
    below->setColumnStretch(1, 1);
    left->addLayout(below);
    left->addStretch(1);
    m_dtmfButton = new QPushButton(QStringLiteral("DTMF(&D)"));
    m_dtmfButton->setObjectName(QStringLiteral("Command3"));
    m_dtmfButton->setCheckable(true);
    m_dtmfButton->setAutoDefault(false); // Enter in the dialog stays with OK
    left->addWidget(m_dtmfButton, 0, Qt::AlignLeft);
    frames->addLayout(left);
    frames->addWidget(buildScanFrame());
    frames->addWidget(m_dtmfPanel = buildDtmfPanel());
    m_dtmfPanel->hide();
    connect(m_dtmfButton, &QPushButton::toggled, this, &OptionsDialog::showDtmf);
    layout->addLayout(frames);
    addButtons(layout);
    // Reading order for Tab: the VOX frame, PTT ID, duplicate and the DTMF button, the scan frame,
    // the DTMF page when it is shown, then OK and Cancel.
    setMinimumSize(648, 382);
}

// The DTMF group, the auto-dial codes and the PTT ID codes: a page to the right of the scan
// frame that the DTMF button shows, widening the dialog, and hides again.
QWidget *OptionsDialog::buildDtmfPanel()
{
    auto *panel = new QWidget;
    auto *columns = new QHBoxLayout(panel);
    columns->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QGroupBox(QStringLiteral("DTMF"));
    frame->setObjectName(QStringLiteral("Frame3"));
    auto *lists = new QGridLayout(frame);
    const std::tuple<const char *, const char *, const char *, int DtmfSettings::*> rows[] = {
        {"Label25", "DTMF 速率", "Combo0", &DtmfSettings::rate},
        {"Label21", "首位数码时间", "Combo16", &DtmfSettings::firstDigitTime},
        {"Label23", "首位数码延迟", "Combo18", &DtmfSettings::firstDigitDelay},
        {"Label22", "*和#音", "Combo17", &DtmfSettings::starHashTone},
        {"Label24", "D键设定", "Combo19", &DtmfSettings::dKey},
        {"Label26", "DTMF 侧音", "Combo20", &DtmfSettings::sideTone},
        {"Label28", "组呼码", "Combo22", &DtmfSettings::groupCallCode},
        {"Label27", "自动复位定时器", "Combo21", &DtmfSettings::autoResetTimer}};
    int row = 0;
    for (const auto &[labelName, text, listName, setting] : rows) {
        QComboBox *combo = newList(listName);
        m_dtmfLists.push_back({combo, setting});
        lists->addWidget(caption(labelName, text), row, 0);
        lists->addWidget(combo, row++, 1);
    }
    lists->setColumnStretch(1, 1);
    lists->setRowStretch(row, 1);
    columns->addWidget(frame);

    auto *codes = new QVBoxLayout;
    codes->addWidget(buildCodeGrid(), 1);
    auto *boxes = new QGridLayout;
    const std::tuple<const char *, const char *, const char *, int, QLineEdit *&> pttRows[] = {
        {"Label1", "ID码", "Text1", Layout::PttIdCodeSize, m_pttIdEdit},
        {"Label13", "发射开始(16位)", "Text3", Layout::PttCodeSize, m_pttStartEdit},
        {"Label12", "发射结束(16位)", "Text4", Layout::PttCodeSize, m_pttEndEdit}};
    row = 0;
    for (const auto &[labelName, text, boxName, limit, box] : pttRows) {
        box = new QLineEdit;
        box->setObjectName(QLatin1StringView(boxName));
        box->setMaxLength(limit);
        box->setValidator(new DtmfCodeValidator(box));
        boxes->addWidget(caption(labelName, text), row, 0);
        boxes->addWidget(box, row++, 1);
    }
    boxes->setColumnStretch(1, 1);
    codes->addLayout(boxes);
    columns->addLayout(codes);
    return panel;
}

// The eight auto-dial codes: a click, a typed key, Enter or F2 opens a code; Enter ends the edit.
QWidget *OptionsDialog::buildCodeGrid()
{
    m_codeGrid = new QTableWidget(int(m_codes.size()), 2);
    m_codeGrid->setObjectName(QStringLiteral("mfgrid1"));
    m_codeEditor = new CellEditor(
        this, [](QLineEdit *editor, const QModelIndex &) { editor->setValidator(new DtmfCodeValidator(editor)); },
        [this](const QModelIndex &index, const QString &text) { codeEdited(index.row(), text); });
    m_codeGrid->setItemDelegate(m_codeEditor);
    m_codeGrid->verticalHeader()->hide();
    m_codeGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_codeGrid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_codeGrid->setTabKeyNavigation(false); // arrows move in the grid; Tab goes on to the boxes
    m_codeGrid->setHorizontalHeaderLabels({QStringLiteral("编号"), QStringLiteral("自动拨号存储器")});
    m_codeGrid->horizontalHeader()->setStretchLastSection(true);
    m_codeGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int row = 0; row < m_codeGrid->rowCount(); ++row) {
        auto *number = new QTableWidgetItem(QString::number(row + 1));
        number->setTextAlignment(Qt::AlignCenter);
        number->setFlags(Qt::NoItemFlags);
        number->setForeground(palette().text());
        m_codeGrid->setItem(row, 0, number);
        m_codeGrid->setItem(row, 1, new QTableWidgetItem);
    }
    m_codeGrid->resizeColumnToContents(0);
    m_codeGrid->setMinimumWidth(m_codeGrid->fontMetrics().horizontalAdvance(QString(18, u'0')) + 80);
    m_codeGrid->setMinimumHeight(m_codeGrid->horizontalHeader()->sizeHint().height()
                                 + m_codeGrid->rowCount() * m_codeGrid->verticalHeader()->defaultSectionSize()
                                 + 2 * m_codeGrid->frameWidth());
    connect(m_codeGrid, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == 1)
            m_codeGrid->editItem(m_codeGrid->item(row, column));
    });
    m_codeGrid->installEventFilter(this);
    return m_codeGrid;
}

void OptionsDialog::showDtmf(bool shown)
{
    if (shown)
        m_collapsedSize = size();
    m_dtmfPanel->setVisible(shown);
    layout()->activate();
    resize(shown ? size().expandedTo(sizeHint()) : m_collapsedSize.expandedTo(minimumSize()));
}

// A code of up to 16 digits fits the radio's memory; a longer one is kept as typed, with a warning.
void OptionsDialog::codeEdited(int row, const QString &text)
{
    m_codes.at(row) = text;
    m_codeGrid->item(row, 1)->setText(text);
    if (text.size() > Layout::AutoDialCodeSize)
        // After the edit has closed: a box opened while it ends would end it once more.
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                showMessageBox(this, language(), Messages::CodeTooLong.text(language()),
                               {MessageButtons::Ok, MessageIcon::Critical});
        });
}

void OptionsDialog::retranslate(LanguageMode mode)
{
    FeatureDialog::retranslate(mode);
    m_codeGrid->setHorizontalHeaderLabels({captionText(u"Form5.mfgrid1.header[0]", mode),
                                          captionText(u"Form5.mfgrid1.header[1]", mode)});
}

void OptionsDialog::finishEditing()
{
    m_codeEditor->finish();
}

QWidget *OptionsDialog::buildVoxFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("VOX"));
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(frame);
    m_voxCombo = addList("Combo6", &OptionalFunctions::vox);
    const std::pair<QLabel *, QComboBox *> rows[] = {
        {caption("Label8", "VOX 功能"), m_voxCombo},
        {caption("Label10", "VOX 增益电平"), addList("Combo7", &OptionalFunctions::voxGain)},
        {caption("Label9", "VOX 延迟时间"), addList("Combo8", &OptionalFunctions::voxDelay)},
        {caption("Label7", "VOX 可进行音调"), addList("Combo9", &OptionalFunctions::voxTone)}};
    int row = 0;
    for (const auto &[label, combo] : rows) {
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row++, 1);
    }
    m_cancelCheck = new QCheckBox(QStringLiteral("取消操作"));
    m_cancelCheck->setObjectName(QStringLiteral("Check3"));
    m_receiveVoxCheck = new QCheckBox(QStringLiteral("接收时禁止VOX"));
    m_receiveVoxCheck->setObjectName(QStringLiteral("Check4"));
    grid->addWidget(m_cancelCheck, row++, 0, 1, 2);
    grid->addWidget(m_receiveVoxCheck, row++, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return frame;
}

QWidget *OptionsDialog::buildScanFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("扫描"));
    frame->setObjectName(QStringLiteral("Frame2"));
    auto *grid = new QGridLayout(frame);
    m_priorityCombo = addList("Combo11", &OptionalFunctions::priorityMode);
    m_priorityChannelCombo = newList("Combo12");
    connect(m_priorityCombo, &QComboBox::activated, this, &OptionsDialog::priorityModeChosen);
    connect(m_priorityChannelCombo, &QComboBox::activated, this, &OptionsDialog::priorityChannelChosen);

    m_unlockCaptions = {caption("Label17", "回扫时间A"), caption("Label16", "回扫时间B"), caption("Label18", "返回信道")};
    for (QLabel *label : m_unlockCaptions)
        label->installEventFilter(this);
    const std::pair<QLabel *, QComboBox *> rows[] = {
        {caption("Label14", "优先"), m_priorityCombo},
        {caption("Label15", "优先信道"), m_priorityChannelCombo},
        {m_unlockCaptions[0], addList("Combo13", &OptionalFunctions::revertTimeA)},
        {m_unlockCaptions[1], addList("Combo14", &OptionalFunctions::revertTimeB)},
        {m_unlockCaptions[2], addList("Combo15", &OptionalFunctions::returnChannel)}};
    int row = 0;
    for (const auto &[label, combo] : rows) {
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row++, 1, 1, 2);
    }
    grid->addWidget(caption("Label19", "扫描接收恢复延时时间(秒)"), row, 0);
    grid->addWidget(m_receiveDelayEdit = addDelayBox("Text5", m_receiveDelaySpin), row, 1);
    grid->addWidget(m_receiveDelaySpin, row++, 2);
    grid->addWidget(caption("Label20", "扫描发射恢复延时时间(秒)"), row, 0);
    grid->addWidget(m_transmitDelayEdit = addDelayBox("Text6", m_transmitDelaySpin), row, 1);
    grid->addWidget(m_transmitDelaySpin, row++, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    return frame;
}

QComboBox *OptionsDialog::newList(const char *name)
{
    auto *combo = new QComboBox;
    combo->setObjectName(QLatin1StringView(name));
    combo->addItems(listItems(objectName() + u'.' + combo->objectName(), Language::Simplified));
    return combo;
}

QComboBox *OptionsDialog::addList(const char *name, int OptionalFunctions::*setting)
{
    QComboBox *combo = newList(name);
    m_lists.push_back({combo, setting});
    return combo;
}

// A delay box with its spin bar. The bar has a position of its own, from 0 to 300, which starts
// at 0 and is never taken from the box: each of its steps writes the position into the box.
QLineEdit *OptionsDialog::addDelayBox(const char *name, QScrollBar *&spin)
{
    auto *box = new QLineEdit;
    box->setObjectName(QLatin1StringView(name));
    box->setValidator(new DelayValidator(box));
    spin = new QScrollBar(Qt::Vertical);
    spin->setObjectName(QStringLiteral("VScroll%1").arg(name[4] == '5' ? 1 : 2));
    spin->setRange(0, MaxDelay);
    spin->setSingleStep(1);
    spin->setPageStep(1);
    spin->setFixedHeight(box->sizeHint().height());
    connect(spin, &QScrollBar::valueChanged, box, [box](int position) { box->setText(QString::number(position)); });
    return box;
}

QWidget *OptionsDialog::firstControl() const
{
    return m_voxCombo;
}

// Setting the controls runs none of the priority checks: they answer the user's choices only.
void OptionsDialog::load(const EditorState &state)
{
    const OptionalFunctions &options = state.options;
    for (const SettingList &list : m_lists)
        list.combo->setCurrentIndex(listPositionOf(options.*list.setting, list.combo->count()));
    const int channel = listPositionOf(options.priorityChannel, ChannelCount + 1); // 0: none
    m_priorityChannelCombo->setCurrentIndex(channel - 1);
    m_receiveDelayEdit->setText(options.scanReceiveDelay);
    m_transmitDelayEdit->setText(options.scanTransmitDelay);
    m_cancelCheck->setChecked(options.voxCancel == 1);
    m_receiveVoxCheck->setChecked(options.voxOffOnReceive == 1);

    for (const DtmfList &list : m_dtmfLists) {
        const int value = state.dtmf.*list.setting;
        list.combo->setCurrentIndex(list.setting == &DtmfSettings::firstDigitDelay
                                        ? firstDigitDelayPosition(value)
                                        : listPositionOf(value, list.combo->count()));
    }
    m_codeEditor->discard(); // nothing of an open edit stays
    for (int row = 0; row < int(m_codes.size()); ++row) {
        m_codes.at(row) = state.autoDialCodes.at(row);
        m_codeGrid->item(row, 1)->setText(m_codes.at(row));
    }
    m_codeGrid->setCurrentCell(0, 1);
    m_pttIdEdit->setText(pttCodeShown(state.pttIdCodes.id));
    m_pttStartEdit->setText(pttCodeShown(state.pttIdCodes.start));
    m_pttEndEdit->setText(pttCodeShown(state.pttIdCodes.end));
}

void OptionsDialog::store(EditorState &state)
{
    OptionalFunctions &options = state.options;
    for (const SettingList &list : m_lists)
        if (list.combo->currentIndex() >= 0) // a list showing no item leaves its setting as it was
            options.*list.setting = list.combo->currentIndex();
    options.priorityChannel = m_priorityChannelCombo->currentIndex() + 1;
    options.scanReceiveDelay = m_receiveDelayEdit->text();
    options.scanTransmitDelay = m_transmitDelayEdit->text();
    options.voxCancel = m_cancelCheck->isChecked() ? 1 : 0;
    options.voxOffOnReceive = m_receiveVoxCheck->isChecked() ? 1 : 0;

    for (const DtmfList &list : m_dtmfLists) {
        const int position = list.combo->currentIndex();
        if (position >= 0) // as above: no item shown, the setting stays
            state.dtmf.*list.setting =
                list.setting == &DtmfSettings::firstDigitDelay ? firstDigitDelayOf(position) : position;
    }
    for (int row = 0; row < int(m_codes.size()); ++row)
        state.autoDialCodes.at(row) = m_codes.at(row);
    // A code box stores its text only once edited: untouched, the stored code keeps its bytes,
    // the filling FF bytes among them.
    const std::pair<QLineEdit *, QString PttIdCodes::*> boxes[] = {
        {m_pttIdEdit, &PttIdCodes::id}, {m_pttStartEdit, &PttIdCodes::start}, {m_pttEndEdit, &PttIdCodes::end}};
    for (const auto &[box, code] : boxes)
        if (box->isModified())
            state.pttIdCodes.*code = box->text();
}

// "Fixed" takes the first channel that has a receive frequency; without one it is refused.
void OptionsDialog::priorityModeChosen(int index)
{
    if (index != 1)
        return;
    if (const int channel = firstChannelWithFrequency(state())) {
        m_fixedPriorityChannel = channel;
        m_priorityChannelCombo->setCurrentIndex(channel - 1);
        return;
    }
    showMessageBox(this, language(), Messages::FixedNeedsChannel.text(language()), {},
                   Messages::FixedNeedsChannelTitle.text(language()));
    m_priorityCombo->setCurrentIndex(0);
}

// In "fixed" mode an empty channel cannot be the priority channel.
void OptionsDialog::priorityChannelChosen(int index)
{
    if (m_priorityCombo->currentIndex() != 1 || state().channelExists(index + 1))
        return;
    showMessageBox(this, language(), Messages::EmptyChannelChosen.text(language()));
    m_priorityChannelCombo->setCurrentIndex(m_fixedPriorityChannel - 1);
}

bool OptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on the code grid opens the current code (the open editor ends an edit itself), and
    // stays in the grid instead of pressing OK.
    if (watched == m_codeGrid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_codeGrid->currentColumn() == 1)
                m_codeGrid->editItem(m_codeGrid->currentItem());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        for (int caption = 1; caption <= 3; ++caption)
            if (watched == m_unlockCaptions[caption - 1])
                emit unlockCaptionClicked(caption);
    return FeatureDialog::eventFilter(watched, event);
}
