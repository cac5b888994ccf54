#pragma once

#include "i18n/languagemode.h"
#include "link/portslots.h"

#include <QDialog>
#include <array>

class QRadioButton;
class SessionDriver;

// The port dialog: 20 option buttons, "COM1" to "COM20", for the serial port of the cable.
// Creating it probes the ports and opens the port of the given slot, or else of the first usable
// one, as start-up does; a click on a button opens that slot's port. Close, Enter or Escape
// closes it; the window asks it for the slot in use when it closes.
class PortDialog : public QDialog
{
    Q_OBJECT

public:
    // slot: the slot in use or chosen last, 1 to 20; anything else when none has been chosen.
    PortDialog(SessionDriver &session, int slot, LanguageMode mode, QWidget *parent = nullptr);

    // The slot in use or chosen last; the given one when no slot is usable.
    int slot() const { return m_slot; }
    // The button of slot 1 to 20.
    QRadioButton *portButton(int slot) const { return m_buttons.at(slot - 1); }

private:
    void showSlots();
    void choose(int index);

    SessionDriver &m_session;
    int m_slot;
    std::array<QRadioButton *, PortSlots::Count> m_buttons {}; // button i stands for slot i + 1
    QList<PortSlots::Slot> m_slots;
};
