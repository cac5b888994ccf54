#pragma once

#include "link/portslots.h"

class SessionDriver;

// The slots of this machine, probed, and the slot whose port the session now holds open.
struct PortSelection
{
    QList<PortSlots::Slot> table;
    PortSlots::Choice choice; // slot 0: nothing usable, no port opened
};

// Probes the port slots and opens the preferred one: the given slot when it is usable, else the
// first usable one (PortSlots::choose). A port the session already holds on the chosen device
// stays open as it is; the slot the session holds counts as usable without a second open.
// Start-up and the port dialog both choose this way.
PortSelection openPreferredPort(SessionDriver &session, int preferredSlot);
