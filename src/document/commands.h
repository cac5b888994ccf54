#pragma once

#include <QString>

// Every command that reads, changes, replaces or sends the programming being edited, and the
// modes of the window that decide which of them may run. One table (commands.cpp) holds the
// answer for each pair; the window greys what it refuses and the owner of the programming
// refuses it again, so that no key, menu, toolbar button or dialog gets past it.
enum class Command {
    EditChannel,    // a cell typed or picked in the channel grid
    ChangeBand,     // the band selector, with the channels it clears
    ChangeSetting,  // one of the six function settings
    NewProgramming, // File > New: the channels emptied
    ImportCsv,
    ConfirmDialog, // OK of a feature dialog
    Undo,
    Redo,
    Open,     // File > Open, Open Backup, a recent or dropped file, a file named at start
    Read,     // starting a read from the radio
    TakeRead, // what a completed read brought, as its session ends
    Write,
    Save,
    ExportCsv,
    ExportPdf,
    Print,
    ShowDialog, // the feature dialogs of the Programming menu
    CompareRadio, // the programming against what the radio holds, read for the comparison only
    CompareFile,  // the programming against a data file
    ChoosePort,
    SwitchLanguage,
    ToggleLock,
};

// Where a programming session stands: none; running; or ended, its result still shown while
// the commands are held back for a moment.
enum class SessionPhase { Idle, Running, Held };

struct EditingMode
{
    SessionPhase session = SessionPhase::Idle;
    bool locked = false; // the editing lock of the Settings menu

    friend bool operator==(const EditingMode &, const EditingMode &) = default;
};

// What a command does to the file that the title and the channel sheet name.
enum class FileTie {
    Keeps,  // what is shown still came from that file
    Clears, // what is shown no longer came from a file (New, Import CSV, a read)
    Sets,   // Open and Save name their file
};

namespace Commands {

inline constexpr Command All[] = {Command::EditChannel, Command::ChangeBand, Command::ChangeSetting,
    Command::NewProgramming, Command::ImportCsv, Command::ConfirmDialog, Command::Undo, Command::Redo, Command::Open,
    Command::Read, Command::TakeRead, Command::Write, Command::Save, Command::ExportCsv, Command::ExportPdf,
    Command::Print, Command::ShowDialog, Command::CompareRadio, Command::CompareFile, Command::ChoosePort, Command::SwitchLanguage, Command::ToggleLock};

bool allowed(Command command, EditingMode mode);
FileTie fileTie(Command command);
// The command's name, for messages of tests and logs.
QString name(Command command);

} // namespace Commands
