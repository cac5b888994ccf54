#include "link/portslots.h"

#include <QSerialPort>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

using Slot = PortSlots::Slot;
using Device = PortSlots::Device;

namespace {

QList<Slot> usableAt(const QList<int> &numbers)
{
    QList<Slot> slotList = PortSlots::bind({}, {}, PortSlots::Naming::Numbered);
    for (Slot &slot : slotList)
        slot.usable = numbers.contains(slot.number);
    return slotList;
}

} // namespace

class TestPortSlots : public QObject
{
    Q_OBJECT

private slots:
    void bindsDevicesInOrder();
    void numberedSlots();
    void splitsTheDeviceList();
    void choice_data();
    void choice();
    void probeTellsWhyAPortCannotBeOpened();
};

void TestPortSlots::bindsDevicesInOrder()
{
    const QList<Device> devices {{"ttyS10", "/dev/ttyS10", false},
                                 {"ttyUSB1", "/dev/ttyUSB1", true},
                                 {"ttyS2", "/dev/ttyS2", false},
                                 {"ttyACM0", "/dev/ttyACM0", true}};
    const QList<Slot> slotList = PortSlots::bind(devices, {"/dev/pts/7", "/dev/ttyS2"},
                                                 PortSlots::Naming::ByDevice);
    QCOMPARE(slotList.size(), 20);
    QStringList labels;
    for (const Slot &slot : slotList.first(6))
        labels << slot.label;
    QCOMPARE(labels, QStringList({"COM1 ttyACM0", "COM2 ttyUSB1", "COM3 ttyS2", "COM4 ttyS10",
                                  "COM5 pts/7", "COM6"}));
    QCOMPARE(slotList.at(4).device, "/dev/pts/7");
    QVERIFY(slotList.at(3).usable);
    QVERIFY(slotList.at(5).device.isEmpty());
    QVERIFY(!slotList.at(5).usable);

    // Never more than 20 slots.
    QList<Device> many;
    for (int i = 0; i < 25; ++i)
        many.append({QStringLiteral("ttyS%1").arg(i), QStringLiteral("/dev/ttyS%1").arg(i), false});
    const QList<Slot> full = PortSlots::bind(many, {"/dev/pts/1"}, PortSlots::Naming::ByDevice);
    QCOMPARE(full.size(), 20);
    QCOMPARE(full.last().label, "COM20 ttyS19");
}

void TestPortSlots::numberedSlots()
{
    const QList<Slot> slotList = PortSlots::bind({{"COM3", "\\\\.\\COM3", false}}, {"CNCA0"},
                                                 PortSlots::Naming::Numbered);
    QCOMPARE(slotList.at(2).device, "COM3");
    QCOMPARE(slotList.at(2).label, "COM3");
    // A listed device takes the first number no port of the system has.
    QCOMPARE(slotList.at(0).device, "CNCA0");
    QCOMPARE(slotList.at(0).label, "COM1 CNCA0");
    QVERIFY(slotList.at(1).device.isEmpty());
}

void TestPortSlots::splitsTheDeviceList()
{
    QCOMPARE(PortSlots::splitDeviceList(" /dev/pts/3::/dev/pts/4:/dev/pts/3 ", u':'),
             QStringList({"/dev/pts/3", "/dev/pts/4"}));
    QCOMPARE(PortSlots::splitDeviceList("", u':'), QStringList());
}

void TestPortSlots::choice_data()
{
    QTest::addColumn<QList<int>>("usable");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("remembered");
    QTest::newRow("no ports") << QList<int> {} << 3 << 0 << false;
    QTest::newRow("stored slot absent") << QList<int> {1, 4} << 3 << 1 << false;
    QTest::newRow("stored slot present") << QList<int> {1, 2, 4} << 4 << 4 << true;
    QTest::newRow("first run") << QList<int> {5, 9} << 0 << 5 << false;
    QTest::newRow("stored above 20") << QList<int> {2} << 21 << 2 << false;
    QTest::newRow("stored 20") << QList<int> {2, 20} << 20 << 20 << true;
}

void TestPortSlots::choice()
{
    QFETCH(QList<int>, usable);
    QFETCH(int, stored);
    QFETCH(int, slot);
    QFETCH(bool, remembered);
    const PortSlots::Choice choice = PortSlots::choose(usableAt(usable), stored);
    QCOMPARE(choice.slot, slot);
    QCOMPARE(choice.remembered, remembered);
}

void TestPortSlots::probeTellsWhyAPortCannotBeOpened()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    QVERIFY(grantpt(master) == 0 && unlockpt(master) == 0);
    const QString pty = QString::fromLocal8Bit(ptsname(master));

    QTemporaryDir dir;
    const QString missing = dir.filePath("ttyMissing");
    QList<Slot> slotList = PortSlots::bind({}, {pty, missing, "/dev/pts/in-use"},
                                           PortSlots::Naming::ByDevice);
    PortSlots::probe(slotList, "/dev/pts/in-use");
    QVERIFY2(slotList.at(0).usable, qPrintable(slotList.at(0).reason));
    QVERIFY(!slotList.at(1).usable);
    QVERIFY(!slotList.at(1).reason.isEmpty());
    QVERIFY(slotList.at(2).usable); // the program's own port
    QVERIFY(!slotList.at(3).usable);

    // Through the environment, after the system's own devices.
    qputenv(PortSlots::EnvironmentVariable, pty.toLocal8Bit());
    const QList<Slot> listed = PortSlots::list();
    QVERIFY(std::any_of(listed.cbegin(), listed.cend(),
                        [&](const Slot &s) { return s.device == pty && s.usable; }));

    // A port another program holds is no question of permission: the holder is named.
    QSerialPort holder(pty);
    QVERIFY(holder.open(QIODevice::ReadWrite));
    const QString reason = PortSlots::probeDevice(pty);
    QVERIFY2(reason.contains(QStringLiteral("in use by tst_portslots (process %1)").arg(QCoreApplication::applicationPid())),
             qPrintable(reason));
    QVERIFY2(!reason.contains(QStringLiteral("group")), qPrintable(reason));
    holder.close();
    QVERIFY(PortSlots::probeDevice(pty).isEmpty());
    ::close(master);
}

QTEST_GUILESS_MAIN(TestPortSlots)
#include "tst_portslots.moc"
