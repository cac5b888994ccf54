#pragma once

#include "app/channelsheet.h"
#include "app/windowprompts.h"
#include "document/commands.h"
#include "editor/bands.h"
#include "storage/settingsfile.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class AboutDialog;
class ChannelGrid;
class CompareCommands;
class CompareWindow;
class DebugGesture;
class EmbeddedTextsDialog;
class FeatureDialog;
class FileCommands;
class FunctionSettingsPanel;
class KeysDialog;
class LinkLabel;
class OptionsDialog;
class PowerTuningDialog;
class ProgrammingDocument;
class RadioCommands;
class SessionDriver;
class SheetCommands;
class TestFrequencyDialog;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;
struct EditorState;

// The main window: it builds the menus, the toolbar, the channel grid, the band and
// function-setting frames and the feature dialogs, and wires them to the programming being
// edited (ProgrammingDocument) and to the commands (FileCommands, SheetCommands, RadioCommands,
// DebugGesture). Every command runs through one gate: an open edit in the grid is ended, then
// the command runs if the programming's mode allows it, and whatever the mode refuses is greyed.
// Its widgets carry the object names that key the caption table ("Combo9", "mnureadFre"), by
// which tests find them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(const SettingsFile &settingsFile, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Opens a data file as the Open command does, without asking for its name.
    bool openDataFile(const QString &path);

    ProgrammingDocument &document() { return *m_document; }
    const EditorState &state() const;
    SessionDriver &session();
    ChannelGrid &channelGrid() { return *m_channelGrid; }
    int portSlot() const;
    LanguageMode language() const { return m_prompts.language(); }
    Bands::Limits bandLimits() const { return m_bandLimits; }

    // The feature dialogs: top-level windows of their own, created at start-up and hidden.
    OptionsDialog &optionsDialog() { return *m_optionsDialog; }
    KeysDialog &keysDialog() { return *m_keysDialog; }
    EmbeddedTextsDialog &embeddedTextsDialog() { return *m_embeddedTextsDialog; }
    PowerTuningDialog &powerTuningDialog() { return *m_powerTuningDialog; }
    TestFrequencyDialog &testFrequencyDialog() { return *m_testFrequencyDialog; }
    AboutDialog &aboutDialog() { return *m_aboutDialog; }
    CompareWindow &compareWindow();

    // The channel sheet that Print and Export PDF make of what the window shows.
    ChannelSheet channelSheet() const;

    // The clock the debug mode's gestures are timed by; for tests, another one.
    void setClock(std::function<double()> clock);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildFrames();
    void buildCommands();
    void buildDialogs();
    // A command's action: it ends an open grid edit, then runs when the mode allows command.
    void bind(QAction *action, Command command, std::function<void()> run);
    void restoreSettings();
    void retranslate();
    void switchLanguage(LanguageMode mode);
    void showTitle();
    void showProgramming();
    void updateEnabled();
    void changeBand(int band);
    QList<FeatureDialog *> featureDialogs() const;

    ProgrammingDocument *m_document;
    WindowPrompts m_prompts;
    SettingsFile m_settingsFile;
    Bands::Limits m_bandLimits {400, 500};

    QMenu *m_fileMenu, *m_editMenu, *m_programmingMenu, *m_settingsMenu, *m_languageMenu, *m_helpMenu;
    QMenu *m_recentMenu;
    QAction *m_newAction, *m_openAction, *m_saveAction, *m_quitAction;
    QAction *m_importCsvAction, *m_exportCsvAction, *m_exportPdfAction, *m_printAction, *m_openBackupAction;
    QAction *m_undoAction, *m_redoAction;
    QAction *m_readAction, *m_writeAction, *m_compareAction, *m_compareFileAction;
    QAction *m_optionsAction, *m_keysAction, *m_embeddedTextsAction, *m_debugAction, *m_testFrequencyAction;
    QAction *m_lockAction, *m_portAction;
    QAction *m_simplifiedAction, *m_traditionalAction, *m_englishAction;
    QAction *m_helpTopicsAction, *m_aboutAction;
    QToolBar *m_toolbar;      // new, open, save | read, write, and the relock button of debug mode
    QAction *m_relockAction;  // hidden unless debug mode is unlocked
    QList<std::pair<QAction *, Command>> m_commands; // every action bound to a command

    ChannelGrid *m_channelGrid;
    QGroupBox *m_bandBox;
    QLabel *m_bandLabel;
    QComboBox *m_bandCombo;
    FunctionSettingsPanel *m_settingsPanel;
    QLabel *m_statusLabel;   // status of a programming session
    LinkLabel *m_linkLabel;  // link to the maker's page
    QProgressBar *m_progressBar;

    FileCommands *m_files = nullptr;
    SheetCommands *m_sheets = nullptr;
    RadioCommands *m_radio = nullptr;
    DebugGesture *m_debug = nullptr;
    CompareCommands *m_compare = nullptr;

    std::unique_ptr<OptionsDialog> m_optionsDialog;
    std::unique_ptr<KeysDialog> m_keysDialog;
    std::unique_ptr<EmbeddedTextsDialog> m_embeddedTextsDialog;
    std::unique_ptr<PowerTuningDialog> m_powerTuningDialog;
    std::unique_ptr<TestFrequencyDialog> m_testFrequencyDialog;
    AboutDialog *m_aboutDialog = nullptr; // owned by the window
};
