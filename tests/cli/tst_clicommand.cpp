// The arguments of qv540-cli: what each verb takes, and what is refused as a usage error.

#include "clicommand.h"
#include "clirunner.h"
#include "link/portslots.h"

#include <QtTest>

using Verb = CliCommand::Verb;

class TestCliCommand : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void interchangeVerbs_data();
    void interchangeVerbs();
    void verbHelp();
    void helpNamesEveryVerbAndOption();
    void comSlotNamesTheWindowsPortSlot();
};

void TestCliCommand::accepted_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("verb");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("flags"); // y yes, c calibration, j json

    QTest::newRow("read") << QStringList {"read", "--port", "/dev/ttyUSB0", "-o", "a.DAT"} << int(Verb::Read)
                          << "/dev/ttyUSB0" << "a.DAT" << "" << "";
    QTest::newRow("read, raw, options first")
        << QStringList {"--raw", "a.bin", "--output=a.DAT", "--port=/dev/pts/3", "read"} << int(Verb::Read)
        << "/dev/pts/3" << "a.DAT" << "a.bin" << "";
    QTest::newRow("write") << QStringList {"write", "--port", "COM3", "b.DAT"} << int(Verb::Write) << "COM3"
                           << "b.DAT" << "" << "";
    QTest::newRow("write, yes, calibration")
        << QStringList {"write", "b.DAT", "--yes", "--calibration", "--port", "COM3"} << int(Verb::Write)
        << "COM3" << "b.DAT" << "" << "yc";
    QTest::newRow("verify, calibration")
        << QStringList {"verify", "--port", "/dev/ttyS0", "c.DAT", "--calibration"} << int(Verb::Verify)
        << "/dev/ttyS0" << "c.DAT" << "" << "c";
    QTest::newRow("diff of two files") << QStringList {"diff", "a.DAT", "b.DAT"} << int(Verb::Diff) << "" << "a.DAT"
                                       << "" << "";
    QTest::newRow("diff of the radio, json, calibration")
        << QStringList {"diff", "--json", "--port", "/dev/pts/2", "f.DAT", "--calibration"} << int(Verb::Diff)
        << "/dev/pts/2" << "f.DAT" << "" << "cj";
    QTest::newRow("dump") << QStringList {"dump", "d.DAT"} << int(Verb::Dump) << "" << "d.DAT" << "" << "";
    QTest::newRow("dump json") << QStringList {"dump", "--json", "d.DAT"} << int(Verb::Dump) << "" << "d.DAT"
                               << "" << "j";
    QTest::newRow("file named like a verb") << QStringList {"dump", "read"} << int(Verb::Dump) << "" << "read"
                                            << "" << "";
    QTest::newRow("help") << QStringList {"--help"} << int(Verb::Help) << "" << "" << "" << "";
    QTest::newRow("help as a command") << QStringList {"help"} << int(Verb::Help) << "" << "" << "" << "";
    QTest::newRow("help beside a verb: the verb's") << QStringList {"write", "-h"} << int(Verb::Help) << "" << "write"
                                                    << "" << "";
    QTest::newRow("help of a verb") << QStringList {"help", "import"} << int(Verb::Help) << "" << "import" << "" << "";
    QTest::newRow("ports") << QStringList {"ports"} << int(Verb::Ports) << "" << "" << "" << "";
    QTest::newRow("read to standard output") << QStringList {"read", "--port", "x", "-o", "-"} << int(Verb::Read)
                                             << "x" << "-" << "" << "";
    QTest::newRow("version") << QStringList {"--version"} << int(Verb::Version) << "" << "" << "" << "";
}

void TestCliCommand::accepted()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, verb);
    QFETCH(QString, port);
    QFETCH(QString, file);
    QFETCH(QString, raw);
    QFETCH(QString, flags);
    const CliCommand command = CliCommand::parse(QStringList {"qv540-cli"} + arguments);
    QVERIFY2(command.error.isEmpty(), qPrintable(command.error));
    QCOMPARE(int(command.verb), verb);
    QCOMPARE(command.port, port);
    QCOMPARE(command.file, file);
    QCOMPARE(command.raw, raw);
    QCOMPARE(command.yes, flags.contains('y'));
    QCOMPARE(command.calibration, flags.contains('c'));
    QCOMPARE(command.json, flags.contains('j'));
    QCOMPARE(command.other, verb == int(Verb::Diff) && port.isEmpty() ? QString("b.DAT") : QString());
}

void TestCliCommand::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error"); // a part of the message

    QTest::newRow("nothing") << QStringList {} << "no command";
    QTest::newRow("unknown verb") << QStringList {"erase", "--port", "x"} << "erase";
    QTest::newRow("unknown option") << QStringList {"dump", "--force", "a.DAT"} << "force";
    QTest::newRow("read without port") << QStringList {"read", "-o", "a.DAT"} << "--port";
    QTest::newRow("port without value") << QStringList {"read", "-o", "a.DAT", "--port"} << "port";
    QTest::newRow("read without output") << QStringList {"read", "--port", "x"} << "-o";
    QTest::newRow("read with a file") << QStringList {"read", "--port", "x", "a.DAT"} << "-o";
    QTest::newRow("raw onto the data file") << QStringList {"read", "--port", "x", "-o", "a.DAT", "--raw", "./a.DAT"}
                                            << "same file";
    QTest::newRow("write without file") << QStringList {"write", "--port", "x"} << "data file";
    QTest::newRow("write with two files") << QStringList {"write", "--port", "x", "a.DAT", "b.DAT"} << "one";
    QTest::newRow("yes for read") << QStringList {"read", "--port", "x", "-o", "a.DAT", "--yes"} << "--yes";
    QTest::newRow("yes for verify") << QStringList {"verify", "--port", "x", "a.DAT", "--yes"} << "--yes";
    QTest::newRow("json for write") << QStringList {"write", "--port", "x", "a.DAT", "--json"} << "--json";
    QTest::newRow("raw for write") << QStringList {"write", "--port", "x", "a.DAT", "--raw", "r"} << "--raw";
    QTest::newRow("port for dump") << QStringList {"dump", "--port", "x", "a.DAT"} << "--port";
    QTest::newRow("calibration for dump") << QStringList {"dump", "--calibration", "a.DAT"} << "--calibration";
    QTest::newRow("export without output") << QStringList {"export", "a.DAT"} << "-o";
    QTest::newRow("import onto the CSV file") << QStringList {"import", "a.csv", "-o", "./a.csv"} << "-o names the file";
    QTest::newRow("encode without file") << QStringList {"encode", "-o", "a.DAT"} << "JSON file";
    QTest::newRow("base for export") << QStringList {"export", "a.DAT", "-o", "a.csv", "--base", "b.DAT"} << "--base";
    QTest::newRow("renumber for encode") << QStringList {"encode", "a.json", "-o", "a.DAT", "--renumber"} << "--renumber";
    QTest::newRow("port for import") << QStringList {"import", "a.csv", "-o", "a.DAT", "--port", "x"} << "--port";
    QTest::newRow("detect without port") << QStringList {"detect"} << "--port";
    QTest::newRow("detect with a file") << QStringList {"detect", "--port", "x", "a.DAT"} << "takes no file";
    QTest::newRow("diff of one file") << QStringList {"diff", "a.DAT"} << "two data files";
    QTest::newRow("diff of three files") << QStringList {"diff", "a.DAT", "b.DAT", "c.DAT"} << "two data files";
    QTest::newRow("diff of two files, calibration") << QStringList {"diff", "a.DAT", "b.DAT", "--calibration"}
                                                    << "only with --port";
    QTest::newRow("diff of the radio and two files") << QStringList {"diff", "--port", "x", "a.DAT", "b.DAT"}
                                                     << "one data file";
    QTest::newRow("yes for diff") << QStringList {"diff", "a.DAT", "b.DAT", "--yes"} << "--yes";
    QTest::newRow("help of two verbs") << QStringList {"help", "read", "write"} << "one command";
    QTest::newRow("help of an unknown verb") << QStringList {"help", "erase"} << "erase";
    QTest::newRow("raw to standard output") << QStringList {"read", "--port", "x", "-o", "a.DAT", "--raw", "-"}
                                            << "only -o";
    QTest::newRow("ports with a file") << QStringList {"ports", "a.DAT"} << "takes no file";
    QTest::newRow("output for detect") << QStringList {"detect", "--port", "x", "-o", "a.DAT"} << "--output";
}

void TestCliCommand::interchangeVerbs_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("verb");
    QTest::addColumn<QStringList>("fields"); // port, file, output, base, renumber ("y" or "")

    QTest::newRow("export") << QStringList {"export", "a.DAT", "-o", "a.csv"} << int(Verb::Export)
                            << QStringList {"", "a.DAT", "a.csv", "", ""};
    QTest::newRow("import onto its base, renumbered")
        << QStringList {"import", "--renumber", "l.csv", "--base", "b.DAT", "-o", "b.DAT"} << int(Verb::Import)
        << QStringList {"", "l.csv", "b.DAT", "b.DAT", "y"};
    QTest::newRow("encode") << QStringList {"encode", "p.json", "--output=p.DAT"} << int(Verb::Encode)
                            << QStringList {"", "p.json", "p.DAT", "", ""};
    QTest::newRow("export to standard output") << QStringList {"export", "a.DAT", "-o", "-"} << int(Verb::Export)
                                               << QStringList {"", "a.DAT", "-", "", ""};
    QTest::newRow("detect") << QStringList {"detect", "--port", "/dev/ttyUSB0"} << int(Verb::Detect)
                            << QStringList {"/dev/ttyUSB0", "", "", "", ""};
}

void TestCliCommand::interchangeVerbs()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, verb);
    QFETCH(QStringList, fields);
    const CliCommand command = CliCommand::parse(QStringList {"qv540-cli"} + arguments);
    QVERIFY2(command.error.isEmpty(), qPrintable(command.error));
    QCOMPARE(int(command.verb), verb);
    QCOMPARE((QStringList {command.port, command.file, command.output, command.base, command.renumber ? "y" : ""}),
             fields);
    const QString help = CliCommand::helpText();
    for (const char *word : {"export FILE.DAT -o FILE.csv", "import FILE.csv -o FILE.DAT [--base FILE.DAT] [--renumber]",
                             "encode FILE.json -o FILE.DAT", "detect --port DEVICE"})
        QVERIFY2(help.contains(QLatin1StringView(word)), word);
}

void TestCliCommand::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const CliCommand command = CliCommand::parse(QStringList {"qv540-cli"} + arguments);
    QCOMPARE(command.verb, Verb::Invalid);
    QVERIFY2(command.error.contains(error), qPrintable(command.error));
}

// A verb's own help: its usage, its options and no other verb's.
void TestCliCommand::verbHelp()
{
    const QString help = CliCommand::helpText("import");
    QVERIFY(help.startsWith("Usage:\n  qv540-cli import FILE.csv -o FILE.DAT [--base FILE.DAT] [--renumber]\n"));
    for (const char *option : {"-o FILE", "--base FILE.DAT", "--renumber", "--help"})
        QVERIFY2(help.contains(QLatin1StringView(option)), option);
    for (const char *other : {"--port", "--json", "qv540-cli read"})
        QVERIFY2(!help.contains(QLatin1StringView(other)), other);
}

void TestCliCommand::helpNamesEveryVerbAndOption()
{
    const QString help = CliCommand::helpText();
    for (const char *word : {"read ", "write ", "verify ", "diff ", "dump ", "ports", "help [COMMAND]", "--port DEVICE", "-o FILE.DAT", "--raw FILE.bin",
                             "--yes", "--calibration", "--json", "--version", "Exit status"})
        QVERIFY2(help.contains(QLatin1StringView(word)), word);
    QVERIFY(help.contains("write, verify, diff: include the power-tuning block"));
}

void TestCliCommand::comSlotNamesTheWindowsPortSlot()
{
    if (PortSlots::systemNaming() == PortSlots::Naming::Numbered)
        QSKIP("COMn is the port itself here");
    PortSlots::setSystemDeviceLister([] {
        return QList<PortSlots::Device> {{"ttyS0", "/dev/ttyS0", false}, {"ttyUSB0", "/dev/ttyUSB0", true}};
    });
    qputenv(PortSlots::EnvironmentVariable, "/tmp/qv540-radio");
    QCOMPARE(CliRunner::portDevice("COM1"), QString("/dev/ttyUSB0"));
    QCOMPARE(CliRunner::portDevice("com2"), QString("/dev/ttyS0"));
    QCOMPARE(CliRunner::portDevice("COM3"), QString("/tmp/qv540-radio"));
    QCOMPARE(CliRunner::portDevice("COM4"), QString());
    QCOMPARE(CliRunner::portDevice("/dev/pts/7"), QString("/dev/pts/7"));
    QCOMPARE(CliRunner::portDevice("ttyUSB1"), QString("ttyUSB1"));
    PortSlots::setSystemDeviceLister(nullptr);
    qunsetenv(PortSlots::EnvironmentVariable);
}

QTEST_GUILESS_MAIN(TestCliCommand)
#include "tst_clicommand.moc"
