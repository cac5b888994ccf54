#pragma once

#include <QString>
#include <QStringList>

// The window's command line: a data file to open, or --help or --version, which are answered
// before the window's application needs a display. An argument starting with "-" is an option,
// never a file name; "--" ends the options, so that "qv540 -- -odd.DAT" opens "-odd.DAT".
struct CommandLine
{
    enum class Request { Run, Help, Version, Usage };

    Request request = Request::Run;
    QString file;  // Run: the data file to open, if any
    QString error; // Usage: what is wrong

    // The arguments without the program's name (and, once the application exists, without the
    // toolkit's own options, which it takes out).
    static CommandLine parse(const QStringList &arguments);
    // Whether the arguments ask only for --help or --version, before the toolkit's options are
    // known: those two are answered without starting it.
    static CommandLine early(const QStringList &arguments);
    static QString helpText();
};
