#include "clicommand.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
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
        {"ports", {Verb::Ports, false, {}}},
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
        if (command.raw == u"-")
            return refused(QStringLiteral("--raw takes a file; only -o may be - (standard output)"));
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
    if (command.output != u"-" && absolute(command.output) == absolute(command.file))
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
    const QStringList positional = parser.positionalArguments();
    // "help", "help VERB" and "VERB --help": the whole help, or the verb's own.
    const bool helpVerb = !positional.isEmpty() && positional.first() == u"help";
    if (parser.isSet("help") || helpVerb) {
        const QString verb = helpVerb ? positional.value(1) : positional.value(0);
        if (helpVerb && positional.size() > 2)
            return refused(QStringLiteral("help takes one command"));
        if (!verb.isEmpty() && !isVerb(verb))
            return refused(QStringLiteral("unknown command \"%1\"").arg(verb));
        command.verb = Verb::Help;
        command.file = verb;
        return command;
    }
    if (parser.isSet("version")) {
        command.verb = Verb::Version;
        return command;
    }
    if (positional.isEmpty())
        return refused(QStringLiteral("no command given"));
    const auto rule = verbRules().find(positional.first());
    if (rule == verbRules().end())
        return refused(QStringLiteral("unknown command \"%1\"").arg(positional.first()));
    return commandOf(parser, rule->first, rule->second);
}

namespace {

// What --help says of each command: its usage lines, what it does (a line each as shown) and
// the options it takes.
struct VerbHelp
{
    const char *verb;
    QStringList usage;
    QStringList description;
    QStringList options;
};

const QList<VerbHelp> &verbHelp()
{
    static const QList<VerbHelp> verbs {
        {"read", {"read   --port DEVICE -o FILE.DAT [--raw FILE.bin] [--no-backup]"},
         {"Read the radio and save its programming as a data file, as the window",
          "saves it after a read. The file is replaced only by a complete read. A",
          "backup of it goes to the backups folder too (~/.local/share/qv540/backups,",
          "the 50 written last kept)."},
         {"port", "output", "raw", "no-backup"}},
        {"write", {"write  --port DEVICE FILE.DAT [--yes] [--calibration]"},
         {"Write a data file's programming to the radio, as the window writes it."}, {"port", "yes", "calibration"}},
        {"verify", {"verify --port DEVICE FILE.DAT [--calibration]"},
         {"Read the radio and compare every byte a write of FILE.DAT would send;",
          "prints the radio addresses (hexadecimal) that differ."},
         {"port", "calibration"}},
        {"diff", {"diff   A.DAT B.DAT [--json]", "diff   --port DEVICE FILE.DAT [--calibration] [--json]"},
         {"Print what differs from A.DAT to B.DAT, a line each: \"channel 3 RX",
          "frequency: 436.12500 -> 438.00000\", then bytes that belong to no named",
          "value. With --port the radio is A and FILE.DAT is B, compared where a",
          "write of FILE.DAT reaches: what that write would change."},
         {"port", "calibration", "json"}},
        {"dump", {"dump   FILE.DAT [--json]"}, {"Print a data file's channels and settings."}, {"json"}},
        {"export", {"export FILE.DAT -o FILE.csv"}, {"Save a data file's channels as a CSV channel list."}, {"output"}},
        {"import", {"import FILE.csv -o FILE.DAT [--base FILE.DAT] [--renumber]"},
         {"Save the channels of a CSV channel list as a data file, with the band and",
          "settings of --base (else the start values); rows that cannot be taken are",
          "skipped, each named on standard error."},
         {"output", "base", "renumber"}},
        {"encode", {"encode FILE.json -o FILE.DAT"},
         {"Save the programming a JSON file describes (as dump --json prints it) as a", "data file."}, {"output"}},
        {"detect", {"detect --port DEVICE"},
         {"Ask the radio who it is: prints its model and band, reads and writes nothing."}, {"port"}},
        {"ports", {"ports"},
         {"List the 20 port slots, COM1 to COM20, with the device each is bound to",
          "and whether it can be opened, or why not."},
         {}},
    };
    return verbs;
}

// The options' lines, as --help shows them.
const std::map<QString, QString> &optionHelp()
{
    static const std::map<QString, QString> options {
        {"port", "  --port DEVICE    The cable's serial port: a device path such as /dev/ttyUSB0 or a\n"
                 "                   pseudo-terminal; COMn on Windows (elsewhere COMn is the window's\n"
                 "                   port slot n).\n"},
        {"output", "  -o FILE          read, import, encode: the data file to save; export: the CSV file;\n"
                   "                   - for standard output.\n"},
        {"raw", "  --raw FILE.bin   read: also keep the 1024 bytes exactly as received.\n"},
        {"no-backup", "  --no-backup      read: keep no backup of the read.\n"},
        {"yes", "  --yes            write: go on when the radio's band differs from the file's.\n"},
        {"calibration", "  --calibration    write, verify, diff: include the power-tuning block, as the\n"
                        "                   window's debug mode does.\n"},
        {"json", "  --json           dump: print one JSON object; diff: a list of objects.\n"},
        {"base", "  --base FILE.DAT  import: keep this data file's band and settings.\n"},
        {"renumber", "  --renumber       import: number the rows 1 to 16 in file order, whatever their Location.\n"},
    };
    return options;
}

const QStringList OptionOrder {"port", "output", "raw", "no-backup", "yes", "calibration", "json", "base", "renumber"};

} // namespace

bool CliCommand::isVerb(const QString &name)
{
    return verbRules().contains(name);
}

QString CliCommand::helpText()
{
    QString text = QStringLiteral("Usage:\n");
    for (const VerbHelp &verb : verbHelp())
        for (const QString &usage : verb.usage)
            text += QStringLiteral("  qv540-cli ") + usage + u'\n';
    text += QStringLiteral(
        "  qv540-cli help [COMMAND] | COMMAND --help\n"
        "  qv540-cli --help | --version\n"
        "\n"
        "Programs a QV-540 radio over its serial programming cable, for scripts and batches.\n"
        "\n"
        "Commands:\n");
    for (const VerbHelp &verb : verbHelp())
        for (qsizetype i = 0; i < verb.description.size(); ++i)
            text += (i == 0 ? QStringLiteral("  %1").arg(QLatin1StringView(verb.verb), -9) : QString(11, u' '))
                  + verb.description.at(i) + u'\n';
    text += QStringLiteral("  help     Show this help, or a command's own.\n\nOptions:\n");
    for (const QString &option : OptionOrder)
        text += optionHelp().at(option);
    return text + QStringLiteral(
        "  -h, --help       Show this help; after a command, its own.\n"
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

QString CliCommand::helpText(const QString &verbName)
{
    const auto verb = std::find_if(verbHelp().begin(), verbHelp().end(),
                                   [&](const VerbHelp &v) { return verbName == QLatin1StringView(v.verb); });
    if (verb == verbHelp().end())
        return helpText();
    QString text = QStringLiteral("Usage:\n");
    for (const QString &usage : verb->usage)
        text += QStringLiteral("  qv540-cli ") + usage + u'\n';
    text += u'\n' + verb->description.join(u'\n') + QStringLiteral("\n\nOptions:\n");
    for (const QString &option : verb->options)
        text += optionHelp().at(option);
    return text + QStringLiteral("  -h, --help       Show this help.\n");
}
