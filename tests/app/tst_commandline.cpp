// The window's command line: a file to open, --help and --version, options never taken as files.

#include "app/commandline.h"

#include <QTest>

using Request = CommandLine::Request;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("request");
        QTest::addColumn<QString>("file");
        QTest::newRow("nothing") << QStringList {} << int(Request::Run) << "";
        QTest::newRow("a file") << QStringList {"a.DAT"} << int(Request::Run) << "a.DAT";
        QTest::newRow("a file named like an option") << QStringList {"--", "-odd.DAT"} << int(Request::Run)
                                                     << "-odd.DAT";
        QTest::newRow("help after the end of options") << QStringList {"--", "--help"} << int(Request::Run)
                                                        << "--help";
        QTest::newRow("a file called -") << QStringList {"-"} << int(Request::Run) << "-";
        QTest::newRow("help") << QStringList {"--help"} << int(Request::Help) << "";
        QTest::newRow("h beside a file") << QStringList {"a.DAT", "-h"} << int(Request::Help) << "";
        QTest::newRow("version") << QStringList {"--version"} << int(Request::Version) << "";
        QTest::newRow("unknown option") << QStringList {"-x.DAT"} << int(Request::Usage) << "";
        QTest::newRow("two files") << QStringList {"a.DAT", "b.DAT"} << int(Request::Usage) << "";
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, request);
        QFETCH(QString, file);
        const CommandLine line = CommandLine::parse(arguments);
        QCOMPARE(int(line.request), request);
        QCOMPARE(line.file, file);
        QCOMPARE(line.error.isEmpty(), request != int(Request::Usage));
    }

    // Before the toolkit has taken its options out, only --help and --version are looked for.
    void early()
    {
        QCOMPARE(CommandLine::early({"-platform", "offscreen", "--version"}).request, Request::Version);
        QCOMPARE(CommandLine::early({"-platform", "offscreen", "a.DAT"}).request, Request::Run);
        QCOMPARE(CommandLine::early({"--", "--help"}).request, Request::Run);
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
