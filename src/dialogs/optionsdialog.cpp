#include "dialogs/optionsdialog.h"

#include "widgets/messagebox.h"
#include "editor/settingsrules.h"
#include "i18n/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
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

QStringList numbers(int first, int last, int width = 1)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items << QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
    return items;
}

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
    below->addWidget(addList("Combo4", {"发射开始", "发射结束", "两者"}, &OptionalFunctions::pttId), 0, 1);
    below->addWidget(caption("Label11", "复制"), 1, 0);
    below->addWidget(addList("Combo10", {"禁止", "使能"}, &OptionalFunctions::duplicate), 1, 1);
    below->setColumnStretch(1, 1);
    left->addLayout(below);
    left->addStretch(1);
    frames->addLayout(left);
    frames->addWidget(buildScanFrame());
    layout->addLayout(frames);
    addButtons(layout);
    // Reading order for Tab: the VOX frame, PTT ID and duplicate, then the scan frame, OK, Cancel.
    setMinimumSize(648, 382);
}

QWidget *OptionsDialog::buildVoxFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("VOX"));
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(frame);
    m_voxCombo = addList("Combo6", {"禁止", "使能"}, &OptionalFunctions::vox);
    const std::pair<QLabel *, QComboBox *> rows[] = {
        {caption("Label8", "VOX 功能"), m_voxCombo},
        {caption("Label10", "VOX 增益电平"), addList("Combo7", QStringList {"关闭"} + numbers(1, 10), &OptionalFunctions::voxGain)},
        {caption("Label9", "VOX 延迟时间"),
         addList("Combo8", {"0.3S", "0.5S", "1S", "1.5S", "2S", "3S"}, &OptionalFunctions::voxDelay)},
        {caption("Label7", "VOX 可进行音调"), addList("Combo9", {"禁止", "使能"}, &OptionalFunctions::voxTone)}};
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
    m_priorityCombo = addList("Combo11", {"无", "固定", "选定"}, &OptionalFunctions::priorityMode);
    m_priorityChannelCombo = new QComboBox;
    m_priorityChannelCombo->setObjectName(QStringLiteral("Combo12"));
    m_priorityChannelCombo->addItems(numbers(1, ChannelCount, 2));
    connect(m_priorityCombo, &QComboBox::activated, this, &OptionsDialog::priorityModeChosen);
    connect(m_priorityChannelCombo, &QComboBox::activated, this, &OptionsDialog::priorityChannelChosen);

    m_unlockCaptions = {caption("Label17", "回扫时间A"), caption("Label16", "回扫时间B"), caption("Label18", "返回信道")};
    for (QLabel *label : m_unlockCaptions)
        label->installEventFilter(this);
    const std::pair<QLabel *, QComboBox *> rows[] = {
        {caption("Label14", "优先"), m_priorityCombo},
        {caption("Label15", "优先信道"), m_priorityChannelCombo},
        {m_unlockCaptions[0], addList("Combo13", revertTimeItems(QStringLiteral("空")), &OptionalFunctions::revertTimeA)},
        {m_unlockCaptions[1], addList("Combo14", revertTimeItems(QStringLiteral("空")), &OptionalFunctions::revertTimeB)},
        {m_unlockCaptions[2],
         addList("Combo15", {"选定", "选定+当前通话", "优先", "优先+当前通话"}, &OptionalFunctions::returnChannel)}};
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

QComboBox *OptionsDialog::addList(const char *name, const QStringList &items, int OptionalFunctions::*setting)
{
    auto *combo = new QComboBox;
    combo->setObjectName(QLatin1StringView(name));
    combo->addItems(items);
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
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        for (int caption = 1; caption <= 3; ++caption)
            if (watched == m_unlockCaptions[caption - 1])
                emit unlockCaptionClicked(caption);
    return FeatureDialog::eventFilter(watched, event);
}
