#include "link/portslots.h"

#include <QFile>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace {

// "ttyS2" before "ttyS10": names compare by their text, then by their trailing number.
bool nameLess(const QString &a, const QString &b)
{
    auto split = [](const QString &name) {
        qsizetype digits = name.size();
        while (digits > 0 && name.at(digits - 1).isDigit())
            --digits;
        return std::pair(name.left(digits), name.mid(digits).toLongLong());
    };
    return split(a) < split(b);
}

QString shortName(const QString &path)
{
    return path.startsWith(u"/dev/") ? path.mid(5) : path;
}

QString comName(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

} // namespace

PortSlots::Naming PortSlots::systemNaming()
{
#ifdef Q_OS_WIN
    return Naming::Numbered;
#else
    return Naming::ByDevice;
#endif
}

namespace {
std::function<QList<PortSlots::Device>()> &deviceLister()
{
    static std::function<QList<PortSlots::Device>()> lister;
    return lister;
}
} // namespace

void PortSlots::setSystemDeviceLister(std::function<QList<Device>()> lister)
{
    deviceLister() = std::move(lister);
}

QList<PortSlots::Device> PortSlots::systemDevices()
{
    if (deviceLister())
        return deviceLister()();
    QList<Device> devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices.append({info.portName(), info.systemLocation(), info.hasVendorIdentifier()});
    return devices;
}

QStringList PortSlots::extraDevices()
{
#ifdef Q_OS_WIN
    const QChar separator = u';';
#else
    const QChar separator = u':';
#endif
    return splitDeviceList(qEnvironmentVariable(EnvironmentVariable), separator);
}

QStringList PortSlots::splitDeviceList(const QString &value, QChar separator)
{
    QStringList devices;
    for (const QString &part : value.split(separator, Qt::SkipEmptyParts)) {
        const QString device = part.trimmed();
        if (!device.isEmpty() && !devices.contains(device))
            devices.append(device);
    }
    return devices;
}

QList<PortSlots::Slot> PortSlots::bind(QList<Device> devices, const QStringList &extra, Naming naming)
{
    QList<Slot> table;
    for (int number = 1; number <= Count; ++number)
        table.append({number, {}, comName(number), false, {}});

    if (naming == Naming::Numbered) {
        // Devices of the list take the numbers no port of the system has.
        QStringList present;
        for (const Device &device : devices)
            present.append(device.name.toUpper());
        auto next = extra.cbegin();
        for (Slot &slot : table) {
            if (present.contains(slot.label)) {
                slot.device = slot.label;
            } else if (next != extra.cend()) {
                slot.device = *next++;
                slot.label += u' ' + slot.device;
            }
            slot.usable = !slot.device.isEmpty();
        }
        return table;
    }

    std::stable_sort(devices.begin(), devices.end(), [](const Device &a, const Device &b) {
        if (a.usb != b.usb)
            return a.usb;
        return nameLess(a.name, b.name);
    });
    for (const QString &path : extra) {
        const bool listed = std::any_of(devices.cbegin(), devices.cend(),
                                        [&](const Device &d) { return d.path == path; });
        if (!listed)
            devices.append({shortName(path), path, false});
    }
    for (qsizetype i = 0; i < devices.size() && i < Count; ++i) {
        table[i].device = devices.at(i).path;
        table[i].label += u' ' + devices.at(i).name;
        table[i].usable = true;
    }
    return table;
}

QString PortSlots::holderOf(const QString &device)
{
#ifdef Q_OS_UNIX
    // The UUCP lock file that serial programs (Qt's among them) take: its first line is the
    // process id, in text.
    const QString lockName = QStringLiteral("LCK..") + shortName(device).replace(u'/', u'_');
    for (const char *folder : {"/var/lock", "/run/lock", "/var/lock/lockdev", "/tmp", "/var/tmp", "/etc/locks",
                               "/var/spool/locks", "/var/spool/uucp"}) {
        QFile lock(QLatin1StringView(folder) + u'/' + lockName);
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        const qint64 pid = lock.readLine().trimmed().toLongLong();
        QFile command(QStringLiteral("/proc/%1/comm").arg(pid));
        if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
            continue; // stale: its process has gone
        const QString name = command.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(command.readAll().trimmed()) : QString();
        return name.isEmpty() ? QStringLiteral("process %1").arg(pid) : QStringLiteral("%1 (process %2)").arg(name).arg(pid);
    }
#else
    Q_UNUSED(device);
#endif
    return {};
}

QString PortSlots::probeDevice(const QString &device)
{
    QSerialPort port(device);
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return {};
    }
    if (port.error() != QSerialPort::PermissionError)
        return port.errorString();
    // Qt reports a port another program holds as a permission error too: tell the two apart.
    if (const QString holder = holderOf(device); !holder.isEmpty())
        return QStringLiteral("%1: the port is in use by %2.").arg(port.errorString(), holder);
#ifdef Q_OS_UNIX
    if (::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0)
        return QStringLiteral("%1: the port is in use by another program.").arg(port.errorString());
#endif
    return QStringLiteral("%1. The user's account needs the serial-port group "
                          "(for example dialout) to use it.")
        .arg(port.errorString());
}

void PortSlots::probe(QList<Slot> &table, const QString &inUse)
{
    for (Slot &slot : table) {
        if (slot.device.isEmpty()) {
            slot.usable = false;
            slot.reason = QStringLiteral("No serial port");
        } else if (!inUse.isEmpty() && slot.device == inUse) {
            slot.usable = true;
            slot.reason.clear();
        } else {
            slot.reason = probeDevice(slot.device);
            slot.usable = slot.reason.isEmpty();
        }
    }
}

QList<PortSlots::Slot> PortSlots::list(const QString &inUse)
{
    QList<Slot> table = bind(systemDevices(), extraDevices(), systemNaming());
    probe(table, inUse);
    return table;
}

PortSlots::Choice PortSlots::choose(const QList<Slot> &table, int stored)
{
    if (stored >= 1 && stored <= table.size() && table.at(stored - 1).usable)
        return {stored, true};
    for (const Slot &slot : table)
        if (slot.usable)
            return {slot.number, false};
    return {};
}
