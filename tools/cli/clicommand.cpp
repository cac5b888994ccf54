#include "clicommand.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <map>

namespace {

using Verb = CliCommand::Verb;

// What each verb takes: whether it talks to the radio, the options it accepts beside --port,
// and the file it reads, if any, with whether -o names the file it saves.
struct VerbRule
{
    Verb verb;
    bool needsPort;
    QStringList options;
    QString input = {}; // "data file", "CSV file", ...; empty: no file
    bool needsOutput = false;
};

const std::map<QString, VerbRule> &verbRules()
{
    static const std::map<QString, VerbRule> rules {
        {"read", {Verb::Read, true, {"output", "raw", "no-backup"}}},
        {"write", {Verb::Write, true, {"yes", "calibration"}, "data file"}},
        {"verify", {Verb::Verify, true, {"calibration"}, "data file"}},
        {"diff", {Verb::Diff, false, {"port", "calibration", "json"}, "data file"}},
        {"dump", {Verb::Dump, false, {"json"}, "data file"}},
        {"export", {Verb::Export, false, {"output"}, "data file", true}},
        {"import", {Verb::Import, false, {"output", "base", "renumber"}, "CSV file", true}},
        {"encode", {Verb::Encode, false, {"output"}, "JSON file", true}},
        {"detect", {Verb::Detect, true, {}}},
    };
    return rules;
}

CliCommand refused(const QString &error)
{
    CliCommand command;
    command.error = error;
    return command;
}

void addOptions(QCommandLineParser &parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {"port", {}, "DEVICE"},
        {{"o", "output"}, {}, "FILE"},
        {"raw", {}, "FILE"},
        {"no-backup", {}},
        {"yes", {}},
        {"calibration", {}},
        {"json", {}},
        {"base", {}, "FILE"},
        {"renumber", {}},
        {{"h", "help"}, {}},
        {"version", {}},
    });
}

// The option names given that the verb does not take; --port counts only for the radio verbs.
QString misplacedOption(const QCommandLineParser &parser, const VerbRule &rule)
{
    for (const QString &name :
         QStringList {"port", "output", "raw", "no-backup", "yes", "calibration", "json", "base", "renumber"}) {
        const bool allowed = rule.options.contains(name) || (name == u"port" && rule.needsPort);
        if (!allowed && parser.isSet(name))
            return name;
    }
    return {};
}

QString absolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// diff compares two data files, or with --port the radio and one data file.
CliCommand diffOf(const QCommandLineParser &parser, const QStringList &files)
{
    CliCommand command;
    command.verb = Verb::Diff;
    command.port = parser.value("port");
    command.calibration = parser.isSet("calibration");
    command.json = parser.isSet("json");
    if (command.port.isEmpty()) {
        if (command.calibration)
            return refused(QStringLiteral("diff takes --calibration only with --port"));
        if (files.size() != 2)
            return refused(QStringLiteral("diff needs two data files, or --port DEVICE and one data file"));
        command.other = files.at(1);
    } else if (files.size() != 1) {
        return refused(QStringLiteral("diff --port takes one data file"));
    }
    command.file = files.value(0);
    return command;
}

CliCommand commandOf(const QCommandLineParser &parser, const QString &verbName, const VerbRule &rule)
{
    const QStringList files = parser.positionalArguments().mid(1);
    if (const QString name = misplacedOption(parser, rule); !name.isEmpty())
        return refused(QStringLiteral("%1 does not take --%2").arg(verbName, name));
    if (rule.needsPort && parser.value("port").isEmpty())
        return refused(QStringLiteral("%1 needs --port DEVICE").arg(verbName));

    CliCommand command;
    command.verb = rule.verb;
    command.port = parser.value("port");
    command.yes = parser.isSet("yes");
    command.calibration = parser.isSet("calibration");
    command.json = parser.isSet("json");
    if (rule.verb == Verb::Diff)
        return diffOf(parser, files);
    if (rule.verb == Verb::Read) {
        if (!files.isEmpty())
            return refused(QStringLiteral("read saves to the file named by -o, not to %1").arg(files.first()));
        command.file = parser.value("output");
        command.raw = parser.value("raw");
        command.backup = !parser.isSet("no-backup");
        if (command.file.isEmpty())
            return refused(QStringLiteral("read needs -o FILE.DAT"));
        if (!command.raw.isEmpty() && absolute(command.raw) == absolute(command.file))
            return refused(QStringLiteral("--raw and -o name the same file"));
        return command;
    }
    if (rule.input.isEmpty()) {
        if (!files.isEmpty())
            return refused(QStringLiteral("%1 takes no file, not %2").arg(verbName, files.first()));
        return command;
    }
    if (files.size() != 1)
        return refused(files.isEmpty() ? QStringLiteral("%1 needs a %2").arg(verbName, rule.input)
                                       : QStringLiteral("%1 takes one %2").arg(verbName, rule.input));
    command.file = files.first();
    if (!rule.needsOutput)
        return command;
    command.output = parser.value("output");
    command.base = parser.value("base");
    command.renumber = parser.isSet("renumber");
    if (command.output.isEmpty())
        return refused(QStringLiteral("%1 needs -o and the file to save").arg(verbName));
    if (absolute(command.output) == absolute(command.file))
        return refused(QStringLiteral("-o names the file %1 reads; name another file to save").arg(verbName));
    return command;
}

} // namespace

CliCommand CliCommand::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments))
        return refused(parser.errorText());

    CliCommand command;
    if (parser.isSet("help")) {
        command.verb = Verb::Help;
        return command;
    }
    if (parser.isSet("version")) {
        command.verb = Verb::Version;
        return command;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return refused(QStringLiteral("no command given"));
    const auto rule = verbRules().find(positional.first());
    if (rule == verbRules().end())
        return refused(QStringLiteral("unknown command \"%1\"").arg(positional.first()));
    return commandOf(parser, rule->first, rule->second);
}

QString CliCommand::helpText()
{
    return QStringLiteral(
        "Usage:\n"
        "  qv540-cli read   --port DEVICE -o FILE.DAT [--raw FILE.bin] [--no-backup]\n"
        "  qv540-cli write  --port DEVICE FILE.DAT [--yes] [--calibration]\n"
        "  qv540-cli verify --port DEVICE FILE.DAT [--calibration]\n"
        "  qv540-cli diff   A.DAT B.DAT [--json]\n"
        "  qv540-cli diff   --port DEVICE FILE.DAT [--calibration] [--json]\n"
        "  qv540-cli dump   FILE.DAT [--json]\n"
        "  qv540-cli export FILE.DAT -o FILE.csv\n"
        "  qv540-cli import FILE.csv -o FILE.DAT [--base FILE.DAT] [--renumber]\n"
        "  qv540-cli encode FILE.json -o FILE.DAT\n"
        "  qv540-cli detect --port DEVICE\n"
        "  qv540-cli --help | --version\n"
        "\n"
        "Programs a QV-540 radio over its serial programming cable, for scripts and batches.\n"
        "\n"
        "Commands:\n"
        "  read     Read the radio and save its programming as a data file, as the window\n"
        "           saves it after a read. The file is replaced only by a complete read. A\n"
        "           backup of it goes to the backups folder too (~/.local/share/qv540/backups,\n"
        "           the newest 50 kept).\n"
        "  write    Write a data file's programming to the radio, as the window writes it.\n"
        "  verify   Read the radio and compare every byte a write of FILE.DAT would send;\n"
        "           prints the radio addresses (hexadecimal) that differ.\n"
        "  diff     Print what differs from A.DAT to B.DAT, a line each: \"channel 3 RX\n"
        "           frequency: 436.12500 -> 438.00000\", then bytes that belong to no named\n"
        "           value. With --port the radio is A and FILE.DAT is B, compared where a\n"
        "           write of FILE.DAT reaches: what that write would change.\n"
        "  dump     Print a data file's channels and settings.\n"
        "  export   Save a data file's channels as a CSV channel list.\n"
        "  import   Save the channels of a CSV channel list as a data file, with the band and\n"
        "           settings of --base (else the start values); rows that cannot be taken are\n"
        "           skipped, each named on standard error.\n"
        "  encode   Save the programming a JSON file describes (as dump --json prints it) as a\n"
        "           data file.\n"
        "  detect   Ask the radio who it is: prints its model and band, reads and writes nothing.\n"
        "\n"
        "Options:\n"
        "  --port DEVICE    The cable's serial port: a device path such as /dev/ttyUSB0 or a\n"
        "                   pseudo-terminal; COMn on Windows (elsewhere COMn is the window's\n"
        "                   port slot n).\n"
        "  -o FILE          read, import, encode: the data file to save; export: the CSV file.\n"
        "  --raw FILE.bin   read: also keep the 1024 bytes exactly as received.\n"
        "  --no-backup      read: keep no backup of the read.\n"
        "  --yes            write: go on when the radio's band differs from the file's.\n"
        "  --calibration    write, verify, diff: include the power-tuning block, as the\n"
        "                   window's debug mode does.\n"
        "  --json           dump: print one JSON object; diff: a list of objects.\n"
        "  --base FILE.DAT  import: keep this data file's band and settings.\n"
        "  --renumber       import: number the rows 1 to 16 in file order, whatever their Location.\n"
        "  -h, --help       Show this help.\n"
        "  --version        Show the version.\n"
        "\n"
        "Exit status: 0 success (diff: no difference); 1 the radio did not answer or answered\n"
        "wrongly, or the port cannot be used; 2 usage error; 3 a file that cannot be read or\n"
        "written, or is not a data file, a CSV file with no Frequency column or no usable row,\n"
        "a JSON value that is refused (nothing is saved then); 4 refused: the radio's band\n"
        "differs from the file's and --yes is not given; 5 verify or diff found a difference;\n"
        "130 interrupted (Ctrl+C) during a session, after telling the radio to leave\n"
        "programming mode.\n");
}
