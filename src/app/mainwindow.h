#pragma once

#include "app/datafiledialog.h"
#include "app/messagebox.h"
#include "editor/bands.h"
#include "editor/debugmode.h"
#include "i18n/captions.h"
#include "i18n/languagemode.h"
#include "i18n/messages.h"
#include "image/editorstate.h"
#include "image/radioimage.h"
#include "storage/settingsfile.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class AboutDialog;
class ChannelGrid;
class EmbeddedTextsDialog;
class FeatureDialog;
class KeysDialog;
class LinkLabel;
struct ChannelSheet;
class QUndoStack;
class RecentFiles;
class OptionsDialog;
class PowerTuningDialog;
class TestFrequencyDialog;
class SessionDriver;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;

// The main window: the channel grid, the band and function-setting frames, the menus and the
// toolbar. It owns the editor state and shows it; the rules live in the core. Its widgets carry
// the object names that key the caption table ("Combo9", "mnureadFre"), by which tests find them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(const SettingsFile &settingsFile, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Opens a data file as the Open command does, without asking for its name.
    bool openDataFile(const QString &path);

    const EditorState &state() const { return m_state; }
    SessionDriver &session() { return *m_session; }
    ChannelGrid &channelGrid() { return *m_channelGrid; }
    int portSlot() const { return m_portSlot; }
    LanguageMode language() const { return m_language; }
    Bands::Limits bandLimits() const { return m_bandLimits; }

    // The feature dialogs: top-level windows of their own, created at start-up and hidden.
    OptionsDialog &optionsDialog() { return *m_optionsDialog; }
    KeysDialog &keysDialog() { return *m_keysDialog; }
    EmbeddedTextsDialog &embeddedTextsDialog() { return *m_embeddedTextsDialog; }
    PowerTuningDialog &powerTuningDialog() { return *m_powerTuningDialog; }
    TestFrequencyDialog &testFrequencyDialog() { return *m_testFrequencyDialog; }
    AboutDialog &aboutDialog() { return *m_aboutDialog; }

    // The channel sheet that Print and Export PDF make of what the window shows.
    ChannelSheet channelSheet() const;

    // The time of day in seconds since midnight, with fractions, which the debug mode's
    // gesture and relock are timed by; for tests, another clock.
    void setClock(std::function<double()> clock) { m_clock = std::move(clock); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildFrames();
    void buildDialogs();
    void restoreSettings();
    void resetToDefaults();
    void retranslate();
    void switchLanguage(LanguageMode mode);
    void showTitle();
    void showStatus();

    void newFile();
    void openFile();
    bool saveFile();
    void importCsv();
    void exportCsv();
    void exportPdf();
    void printSheet();

    void openBackup();
    void openRecentFile(const QString &path);
    void showRecentFiles();
    void keepBackup();
    // Asks for the name of a file to save, with its default extension added and the overwrite
    // question asked; empty when the user gives up.
    QString chooseSavePath(DataFileDialog::Kind kind);
    void toggleLock();
    void setLocked(bool locked);
    void updateEnabled();

    void choosePort();
    void startSession(bool write);
    void connectSession();
    void readFinished(const RadioImage &image, int radioBand);
    void changeBand(int band);
    void applyDialogEdit(const EditorState &edited);
    // Undo: every change of the editor becomes one step from the last recorded state to now.
    void recordEdit();
    void restoreEditorState(const EditorState &state);
    void resetHistory();
    void undoOrRedo(bool undo);
    void reloadDialogs();
    QList<FeatureDialog *> featureDialogs() const;
    void unlockCaptionClicked(int caption);
    void relockClicked();
    void setDebugUnlocked(bool unlocked);

    void showState();          // every control from the editor state
    void markSaved();          // the current state counts as saved
    bool hasUnsavedChanges() const;
    // With unsaved changes, asks whether to save them before they are replaced (by closing,
    // opening or reading): true to go on, after saving when the user chose to.
    bool settleUnsavedChanges();
    // The image of the editor as the window shows it: the band is the one the selector shows.
    RadioImage encodedImage() const;
    MessageAnswer ask(const Message &text, MessageStyle style, const Message *title = nullptr,
                      MessageBoxWithdrawal *withdrawal = nullptr);
    MessageAnswer tell(const QString &text, MessageStyle style);
    CellTexts cellTexts() const;

    QMenu *m_fileMenu, *m_editMenu, *m_programmingMenu, *m_settingsMenu, *m_languageMenu, *m_helpMenu;
    QMenu *m_recentMenu;
    QAction *m_newAction, *m_openAction, *m_saveAction, *m_quitAction;
    QAction *m_importCsvAction, *m_exportCsvAction, *m_exportPdfAction, *m_printAction, *m_openBackupAction;
    QAction *m_undoAction, *m_redoAction;
    QAction *m_readAction, *m_writeAction;
    QAction *m_optionsAction, *m_keysAction, *m_embeddedTextsAction, *m_debugAction, *m_testFrequencyAction;
    QAction *m_lockAction, *m_portAction;
    QAction *m_simplifiedAction, *m_traditionalAction, *m_englishAction;
    QAction *m_helpTopicsAction, *m_aboutAction;
    QToolBar *m_toolbar;      // new, open, save | read, write, and the relock button of debug mode
    QAction *m_relockAction;  // hidden unless debug mode is unlocked

    ChannelGrid *m_channelGrid;
    QGroupBox *m_bandBox;
    QLabel *m_bandLabel;
    QComboBox *m_bandCombo;
    QGroupBox *m_settingsBox; // the six function settings
    QLabel *m_voicePromptLabel, *m_timeoutLabel, *m_timeoutAlertLabel, *m_squelchLabel, *m_batterySaveLabel,
        *m_keyBeepLabel;
    QComboBox *m_voicePromptCombo;  // off, Chinese, English
    QComboBox *m_timeoutCombo;      // transmit time-out, 15 to 600 seconds
    QComboBox *m_timeoutAlertCombo; // time-out pre-alert
    QComboBox *m_squelchCombo;
    QComboBox *m_batterySaveCombo;
    QComboBox *m_keyBeepCombo;
    QLabel *m_statusLabel;   // status of a programming session
    LinkLabel *m_linkLabel;  // link to the maker's page
    QProgressBar *m_progressBar;

    EditorState m_state;
    SessionDriver *m_session;
    SettingsFile m_settingsFile;
    LanguageMode m_language = Language::Simplified;
    int m_portSlot = 0; // serial port slot 1..20, 0 when none has been chosen
    Bands::Limits m_bandLimits {400, 500};
    RadioImage m_savedImage; // the image last opened, saved, read or written
    QString m_filePath;      // the data file opened or saved last, which the title names

    std::unique_ptr<OptionsDialog> m_optionsDialog;
    std::unique_ptr<KeysDialog> m_keysDialog;
    std::unique_ptr<EmbeddedTextsDialog> m_embeddedTextsDialog;
    std::unique_ptr<PowerTuningDialog> m_powerTuningDialog;
    std::unique_ptr<TestFrequencyDialog> m_testFrequencyDialog;
    AboutDialog *m_aboutDialog = nullptr; // owned by the window
    QUndoStack *m_undoStack;
    EditorState m_recorded; // the state the last undo step ends in
    std::unique_ptr<RecentFiles> m_recentFiles;
    DebugUnlockGesture m_unlockGesture;
    DebugRelock m_relock;
    std::function<double()> m_clock;
};
