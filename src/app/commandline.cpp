#include "app/commandline.h"

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine line;
    bool options = true;
    for (const QString &argument : arguments) {
        if (options && argument == u"--") {
            options = false;
        } else if (options && (argument == u"-h" || argument == u"--help")) {
            return {Request::Help, {}, {}};
        } else if (options && argument == u"--version") {
            return {Request::Version, {}, {}};
        } else if (options && argument.startsWith(u'-') && argument.size() > 1) {
            return {Request::Usage, {}, QStringLiteral("unknown option %1").arg(argument)};
        } else if (!line.file.isEmpty()) {
            return {Request::Usage, {}, QStringLiteral("one data file at a time, not also %1").arg(argument)};
        } else {
            line.file = argument;
        }
    }
    return line;
}

CommandLine CommandLine::early(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == u"--")
            break;
        if (argument == u"-h" || argument == u"--help")
            return {Request::Help, {}, {}};
        if (argument == u"--version")
            return {Request::Version, {}, {}};
    }
    return {};
}

QString CommandLine::helpText()
{
    return QStringLiteral(
        "Usage:\n"
        "  qv540 [FILE.DAT]\n"
        "  qv540 -- FILE.DAT        a file whose name starts with \"-\"\n"
        "  qv540 --help | --version\n"
        "\n"
        "Programs the QV-540 hand-held radio over its serial programming cable: read it, edit its\n"
        "channels and settings, write them back, keep them in .DAT data files. A data file named\n"
        "here opens at once. qv540-cli does the same from scripts.\n"
        "\n"
        "Options:\n"
        "  -h, --help   Show this help.\n"
        "  --version    Show the version.\n"
        "The toolkit's own options (such as -platform offscreen) are taken too.\n");
}
