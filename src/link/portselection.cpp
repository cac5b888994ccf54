#include "link/portselection.h"

#include "link/sessiondriver.h"

PortSelection openPreferredPort(SessionDriver &session, int preferredSlot)
{
    PortSelection selection;
    selection.table = PortSlots::list(session.isPortOpen() ? session.link().device() : QString());
    selection.choice = PortSlots::choose(selection.table, preferredSlot);
    if (selection.choice.slot == 0)
        return selection;
    const QString &device = selection.table[selection.choice.slot - 1].device;
    if (!session.isPortOpen() || session.link().device() != device)
        session.openPort(device);
    return selection;
}
