#pragma once

#include <QString>
#include <QStringList>

// One invocation of qv540-cli, as its arguments ask for it:
//
//   qv540-cli read   --port DEVICE -o FILE.DAT [--raw FILE.bin]
//   qv540-cli write  --port DEVICE FILE.DAT [--yes] [--calibration]
//   qv540-cli verify --port DEVICE FILE.DAT [--calibration]
//   qv540-cli dump   FILE.DAT [--json]
//   qv540-cli --help | --version
struct CliCommand
{
    enum class Verb { Invalid, Help, Version, Read, Write, Verify, Dump };

    Verb verb = Verb::Invalid;
    QString port;   // read, write, verify
    QString file;   // the data file: written by read, read by the others
    QString raw;    // read: also keep the bytes as received here
    bool yes = false;
    bool calibration = false;
    bool json = false;
    QString error;  // why the arguments are refused, when verb is Invalid

    // The command of a program's arguments, the program's name first.
    static CliCommand parse(const QStringList &arguments);
    static QString helpText();
};
