#include "link/formcom.h"

#include "link/sessiondriver.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QGridLayout>
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

FormCOM::FormCOM(SessionDriver &session, int &comPortNumber, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , ComPortNumber(comPortNumber)
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
        OptionCOM[i] = button;
    }
    connect(group, &QButtonGroup::idClicked, this, &FormCOM::OptionCOM_Click);
    Form_Load();
}

// The probe: every slot's device is tried; the port of the remembered slot, or else the first
// usable one, is opened.
void FormCOM::Form_Load()
{
    m_slots = PortSlots::list(m_session.isPortOpen() ? m_session.link().device() : QString());
    for (const PortSlots::Slot &slot : m_slots) {
        QRadioButton *button = OptionCOM[slot.number - 1];
        button->setText(buttonLabel(button, slot.label));
        button->setEnabled(slot.usable);
        if (slot.device.isEmpty())
            button->setToolTip(slot.reason);
        else
            button->setToolTip(slot.usable ? slot.device : slot.device + QStringLiteral(": ") + slot.reason);
    }
    const PortSlots::Choice choice = PortSlots::choose(m_slots, ComPortNumber);
    if (choice.slot == 0)
        return; // nothing usable: no port is open, the remembered number stays
    ComPortNumber = choice.slot;
    if (choice.remembered)
        OptionCOM[choice.slot - 1]->setChecked(true);
    const QString &device = m_slots[choice.slot - 1].device;
    if (!m_session.isPortOpen() || m_session.link().device() != device)
        m_session.openPort(device);
}

void FormCOM::OptionCOM_Click(int index)
{
    ComPortNumber = index + 1;
    QString error;
    if (!m_session.openPort(m_slots[index].device, &error))
        OptionCOM[index]->setToolTip(m_slots[index].device + QStringLiteral(": ") + error); // the port stays closed
}
