#include "app/portdialog.h"

#include "i18n/captions.h"
#include "link/portselection.h"
#include "link/sessiondriver.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

namespace {

// A slot's label as its button shows it: a long device path is shortened in the middle, so
// that the dialog keeps its four rows of five and stays narrow; the tooltip has it whole.
QString buttonLabel(const QRadioButton *button, const QString &label)
{
    const QFontMetrics metrics(button->font());
    return metrics.elidedText(label, Qt::ElideMiddle, metrics.horizontalAdvance(QStringLiteral("COM20 ttyUSB10")));
}

} // namespace

PortDialog::PortDialog(SessionDriver &session, int slot, LanguageMode mode, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_slot(slot)
{
    setObjectName(QStringLiteral("FormCOM"));
    setWindowTitle(QStringLiteral("Com"));
    if (parent)
        setWindowIcon(parent->windowIcon());
    auto *layout = new QGridLayout(this);
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < PortSlots::Count; ++i) {
        auto *button = new QRadioButton(QStringLiteral("COM%1").arg(i + 1));
        button->setObjectName(QStringLiteral("OptionCOM_%1").arg(i));
        group->addButton(button, i);
        layout->addWidget(button, i / 5, i % 5); // four rows of five
        m_buttons[i] = button;
    }
    connect(group, &QButtonGroup::idClicked, this, &PortDialog::choose);
    // Closes as Escape does; the default button, so that Enter closes too.
    auto *close = new QPushButton(captionText(u"FormCOM.Command1", mode));
    close->setObjectName(QStringLiteral("Command1"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(close, PortSlots::Count / 5, 0, 1, 5, Qt::AlignRight);
    showSlots();
}

// The probe: every slot's device is tried; the port of the remembered slot, or else of the
// first usable one, is opened. The remembered slot's button shows checked.
void PortDialog::showSlots()
{
    const PortSelection selection = openPreferredPort(m_session, m_slot);
    m_slots = selection.table;
    for (const PortSlots::Slot &slot : m_slots) {
        QRadioButton *button = m_buttons[slot.number - 1];
        button->setText(buttonLabel(button, slot.label));
        button->setEnabled(slot.usable);
        if (slot.device.isEmpty())
            button->setToolTip(slot.reason);
        else
            button->setToolTip(slot.usable ? slot.device : slot.device + QStringLiteral(": ") + slot.reason);
    }
    if (selection.choice.slot == 0)
        return; // nothing usable: no port is open, the remembered number stays
    m_slot = selection.choice.slot;
    if (selection.choice.remembered)
        m_buttons[m_slot - 1]->setChecked(true);
}

void PortDialog::choose(int index)
{
    m_slot = index + 1;
    QString error;
    if (!m_session.openPort(m_slots[index].device, &error))
        m_buttons[index]->setToolTip(m_slots[index].device + QStringLiteral(": ") + error); // the port stays closed
}
