#include "document/commands.h"

#include <array>

namespace {

// The modes in the table's column order: idle, a session running, its result held; then the
// same three under the editing lock.
constexpr int modeColumn(EditingMode mode)
{
    return int(mode.session) + (mode.locked ? 3 : 0);
}

struct Row
{
    Command command;
    std::array<bool, 6> allowed;
    FileTie file;
};

constexpr bool Y = true;
constexpr bool n = false;

// A session refuses what it would overwrite or miss: the channels and settings while it runs,
// the commands that replace or send the programming until its result has been shown. The lock
// refuses everything that edits the programming; what replaces it whole (Open, Read) or changes
// no byte of it stays. The band stays open while a session runs, since a write asks again when
// it changes; under the lock it does not.
constexpr Row Table[] = {
    //                             idle running held | locked: idle running held
    {Command::EditChannel,        {Y,   n,      Y,              n,   n,      n}, FileTie::Keeps},
    {Command::ChangeBand,         {Y,   Y,      Y,              n,   n,      n}, FileTie::Keeps},
    {Command::ChangeSetting,      {Y,   n,      Y,              n,   n,      n}, FileTie::Keeps},
    {Command::NewProgramming,     {Y,   n,      n,              n,   n,      n}, FileTie::Clears},
    {Command::ImportCsv,          {Y,   n,      n,              n,   n,      n}, FileTie::Clears},
    {Command::ConfirmDialog,      {Y,   n,      Y,              n,   n,      n}, FileTie::Keeps},
    {Command::Undo,               {Y,   n,      Y,              n,   n,      n}, FileTie::Keeps},
    {Command::Redo,               {Y,   n,      Y,              n,   n,      n}, FileTie::Keeps},
    {Command::Open,               {Y,   n,      n,              Y,   n,      n}, FileTie::Sets},
    {Command::Read,               {Y,   n,      n,              Y,   n,      n}, FileTie::Keeps},
    {Command::TakeRead,           {n,   n,      Y,              n,   n,      Y}, FileTie::Clears},
    {Command::Write,              {Y,   n,      n,              Y,   n,      n}, FileTie::Keeps},
    {Command::Save,               {Y,   Y,      Y,              Y,   Y,      Y}, FileTie::Sets},
    {Command::ExportCsv,          {Y,   Y,      Y,              Y,   Y,      Y}, FileTie::Keeps},
    {Command::ExportPdf,          {Y,   Y,      Y,              Y,   Y,      Y}, FileTie::Keeps},
    {Command::Print,              {Y,   Y,      Y,              Y,   Y,      Y}, FileTie::Keeps},
    {Command::ShowDialog,         {Y,   n,      n,              Y,   n,      n}, FileTie::Keeps},
    {Command::CompareRadio,       {Y,   n,      n,              Y,   n,      n}, FileTie::Keeps},
    {Command::CompareFile,        {Y,   Y,      Y,              Y,   Y,      Y}, FileTie::Keeps},
    {Command::ChoosePort,         {Y,   n,      n,              Y,   n,      n}, FileTie::Keeps},
    {Command::SwitchLanguage,     {Y,   Y,      Y,              Y,   Y,      Y}, FileTie::Keeps},
    {Command::ToggleLock,         {Y,   Y,      Y,              Y,   Y,      Y}, FileTie::Keeps},
};

static_assert(std::size(Table) == std::size(Commands::All), "a row for every command");

constexpr const Row &rowOf(Command command)
{
    for (const Row &row : Table)
        if (row.command == command)
            return row;
    return Table[0]; // not reached: every command has its row
}

} // namespace

namespace Commands {

bool allowed(Command command, EditingMode mode)
{
    return rowOf(command).allowed.at(modeColumn(mode));
}

FileTie fileTie(Command command)
{
    return rowOf(command).file;
}

QString name(Command command)
{
    static const char *const names[] = {"EditChannel", "ChangeBand", "ChangeSetting", "NewProgramming", "ImportCsv",
        "ConfirmDialog", "Undo", "Redo", "Open", "Read", "TakeRead", "Write", "Save", "ExportCsv", "ExportPdf",
        "Print", "ShowDialog", "CompareRadio", "CompareFile", "ChoosePort", "SwitchLanguage", "ToggleLock"};
    static_assert(std::size(names) == std::size(All));
    return QString::fromLatin1(names[int(command)]);
}

} // namespace Commands
