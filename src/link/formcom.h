#pragma once

#include "link/portslots.h"

#include <QDialog>
#include <array>

class QRadioButton;
class SessionDriver;

// The port dialog: 20 option buttons, "COM1" to "COM20", for the serial port of the cable.
// Creating it probes the ports and opens the remembered one, or else the first usable one.
class FormCOM : public QDialog
{
    Q_OBJECT

public:
    // comPortNumber is the slot in use, 1 to 20 (anything else: none chosen yet); the dialog
    // changes it when it opens another port.
    FormCOM(SessionDriver &session, int &comPortNumber, QWidget *parent = nullptr);

    std::array<QRadioButton *, PortSlots::Count> OptionCOM {}; // button i stands for slot i + 1

private:
    void Form_Load();
    void OptionCOM_Click(int index);

    SessionDriver &m_session;
    int &ComPortNumber;
    QList<PortSlots::Slot> m_slots;
};
