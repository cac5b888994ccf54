#pragma once

#include <QString>

// The settings the program keeps from one run to the next, three bytes of the file "parameter".
struct Settings
{
    quint8 lock = 0;     // 1: the editing lock is on
    quint8 port = 0;     // serial port slot 1..20, 0 when none has been chosen
    quint8 language = 0; // LanguageMode as stored
    friend bool operator==(const Settings &, const Settings &) = default;
};

// Where the settings file lives: in the user's configuration folder, which the program writes.
// A file beside the program is only read, as the preset of an account that has none yet: the
// program never creates a file in its own folder, which a package manager owns and every account
// shares, and two runs of one build keep their settings apart.
class SettingsFile
{
public:
    static SettingsFile locate(const QString &programDir, const QString &userConfigDir);
    static SettingsFile forThisProgram();

    const QString &readPath() const { return m_readPath; }
    const QString &writePath() const { return m_writePath; }

    // The first three bytes; a missing, empty or short file reads as zeros where bytes lack.
    Settings read() const;
    // Writes the first three bytes, keeping any that follow. False when it cannot be written.
    bool write(const Settings &settings) const;

private:
    QString m_readPath;
    QString m_writePath;
};
