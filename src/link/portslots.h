#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The 20 port slots the port dialog offers, "COM1" to "COM20". On Windows slot n is the port
// COMn. Elsewhere ports have no numbers, so the slots are bound in order to the serial devices
// the system lists (USB adapters first, then by name), followed by the devices named in the
// environment variable QV540_PORTS (for instance the emulator's pseudo-terminal, which the
// system does not list).
class PortSlots
{
public:
    static constexpr int Count = 20;
    static constexpr char EnvironmentVariable[] = "QV540_PORTS";

    enum class Naming {
        Numbered, // slot n is the port COMn
        ByDevice, // slots are bound to devices in order
    };

    // A serial device as the system lists it.
    struct Device
    {
        QString name; // "ttyUSB0", "COM3"
        QString path; // what the port is opened by: "/dev/ttyUSB0", "COM3"
        bool usb = false;
    };

    struct Slot
    {
        int number = 0;  // 1 to Count
        QString device;  // what SerialLink::open takes; empty when no device is bound
        QString label;   // "COM3" or "COM1 ttyUSB0"
        bool usable = false;
        QString reason;  // why it cannot be opened, when it is not usable
    };

    // The slot to open at start-up, and whether its button is checked: the remembered slot when
    // it is usable, else the first usable one (not checked). Slot 0: nothing usable, nothing
    // opened, the stored number stays. A stored number outside 1 to Count is no choice.
    struct Choice
    {
        int slot = 0;
        bool remembered = false;
    };

    static Naming systemNaming();
    static QList<Device> systemDevices();
    // For tests: the devices systemDevices() reports instead of the machine's, until reset
    // with nullptr, so that a test sees the same slots on every machine.
    static void setSystemDeviceLister(std::function<QList<Device>()> lister);
    // The devices of QV540_PORTS: paths separated by ':' (';' on Windows).
    static QStringList extraDevices();
    static QStringList splitDeviceList(const QString &value, QChar separator);

    // The slots, without probing: each is usable until probe() says otherwise.
    static QList<Slot> bind(QList<Device> devices, const QStringList &extra, Naming naming);
    // Tries to open each bound device. The device the program holds open (inUse) counts as
    // usable without a try, since a second open of it would fail.
    static void probe(QList<Slot> &table, const QString &inUse = {});
    // The slots of this machine, probed.
    static QList<Slot> list(const QString &inUse = {});

    static Choice choose(const QList<Slot> &table, int stored);

    // Why a device cannot be opened; empty when it can. A port another program holds is told
    // apart from one the account may not use, and names that program where the system does.
    static QString probeDevice(const QString &device);
    // The program holding a device's lock file, "minicom (process 1234)"; empty when none does.
    static QString holderOf(const QString &device);
};
