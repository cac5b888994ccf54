#pragma once

#include "app/datafiledialog.h"
#include "image/radioimage.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class ProgrammingDocument;
class QMainWindow;
class QMenu;
class RecentFiles;
class WindowPrompts;

// The file commands of the main window: New, Open (a chosen, recent, dropped or backed-up data
// file), Save, the question about unsaved changes, the recent files and the backups of reads.
// Each asks the programming first whether the mode allows it.
class FileCommands : public QObject
{
    Q_OBJECT

public:
    // recentStore: the INI file that keeps the recent files.
    FileCommands(ProgrammingDocument &document, WindowPrompts &prompts, QMainWindow *window,
                 const QString &recentStore);
    ~FileCommands() override;

    void newProgramming();
    // Open and Open Backup: a data file chosen in the file dialog of that kind.
    void openFile(DataFileDialog::Kind kind);
    void openRecentFile(const QString &path);
    void openDroppedFile(const QString &path);
    // Opens a data file as Open does, without asking for its name or about unsaved changes.
    bool openDataFile(const QString &path);
    // The image of a data file; nothing, after saying why, when it cannot be read or is none.
    std::optional<RadioImage> readDataFile(const QString &path);
    // Saves under a chosen name; false when nothing was saved.
    bool saveFile();

    // With unsaved changes, asks whether to save them before they are replaced (by closing,
    // opening or reading): true to go on, after saving when the user chose to.
    bool settleUnsavedChanges();

    // Fills the Recent Files menu, newest first, each entry opening its file.
    void showRecentFiles(QMenu *menu);
    // Keeps the programming just read in the backups folder; one that cannot be kept says so on
    // the status line and fails nothing.
    void keepBackup();

private:
    ProgrammingDocument &m_document;
    WindowPrompts &m_prompts;
    QMainWindow *m_window;
    std::unique_ptr<RecentFiles> m_recentFiles;
};

// Asks for the name of a file to save, with its default extension added and the overwrite
// question asked; empty when the user gives up.
QString chooseSavePath(QWidget *parent, WindowPrompts &prompts, DataFileDialog::Kind kind);
