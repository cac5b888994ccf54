#pragma once

#include <QString>
#include <QStringList>

// One invocation of qv540-cli, as its arguments ask for it:
//
//   qv540-cli read   --port DEVICE -o FILE.DAT [--raw FILE.bin] [--no-backup]
//   qv540-cli write  --port DEVICE FILE.DAT [--yes] [--calibration]
//   qv540-cli verify --port DEVICE FILE.DAT [--calibration]
//   qv540-cli diff   A.DAT B.DAT [--json]
//   qv540-cli diff   --port DEVICE FILE.DAT [--calibration] [--json]
//   qv540-cli dump   FILE.DAT [--json]
//   qv540-cli export FILE.DAT -o FILE.csv
//   qv540-cli import FILE.csv -o FILE.DAT [--base FILE.DAT] [--renumber]
//   qv540-cli encode FILE.json -o FILE.DAT
//   qv540-cli detect --port DEVICE
//   qv540-cli ports
//   qv540-cli help [VERB] | VERB --help
//   qv540-cli --help | --version
struct CliCommand
{
    enum class Verb { Invalid, Help, Version, Read, Write, Verify, Diff, Dump, Export, Import, Encode, Detect, Ports };

    Verb verb = Verb::Invalid;
    QString port;   // read, write, verify, detect
    QString file;   // read: the data file to save; help: the verb asked about; the others: the file they read
    QString other;  // diff of two files: the second (side B)
    QString output; // export, import, encode: the file to save; "-" for standard output
    QString raw;    // read: also keep the bytes as received here
    QString base;   // import: the data file whose band and settings the channels join
    bool backup = true; // read: keep a backup of the read
    bool renumber = false;
    bool yes = false;
    bool calibration = false;
    bool json = false;
    QString error;  // why the arguments are refused, when verb is Invalid

    // The command of a program's arguments, the program's name first.
    static CliCommand parse(const QStringList &arguments);
    static QString helpText();
    // A verb's own usage, what it does and its options; the whole help for an unknown verb.
    static QString helpText(const QString &verb);
    static bool isVerb(const QString &name);
};
