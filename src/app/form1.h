#pragma once

#include "editor/bands.h"
#include "i18n/captions.h"
#include "i18n/languagemode.h"
#include "i18n/messages.h"
#include "image/editorstate.h"
#include "image/radioimage.h"
#include "storage/settingsfile.h"

#include <QMainWindow>

class ChannelGrid;
class FormCOM;
class MessageBoxWithdrawal;
class SessionDriver;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QTableWidget;
class QToolBar;

// The main window: the channel grid, the band and function-setting frames, the menus and the
// toolbar. It owns the editor state and shows it; the rules live in the core.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(const SettingsFile &settingsFile, QWidget *parent = nullptr);

    // Opens a data file as the Open command does, without asking for its name.
    bool openDataFile(const QString &path);

    const EditorState &state() const { return m_state; }
    SessionDriver &session() { return *m_session; }
    int comPortNumber() const { return ComPortNumber; }
    LanguageMode language() const { return m_language; }
    Bands::Limits bandLimits() const { return {BandLowLimit, BandHighLimit}; }

    // Menu commands, by their names.
    QMenu *mnuFile, *mnupro, *mnuset, *mnuLanguage, *mnuhelp;
    QAction *mnuNew, *mnuOpen, *mnuAssave, *mnuQuit;
    QAction *mnureadFre, *mnuwriteFre, *mnudtmf, *Key_enactment, *mnusetin, *mnudebug, *mnutestfre;
    QAction *mnulock, *mnucom, *mnuChineseJ, *mnuChineseF, *mnuEnglish;
    QAction *mnumainhelp, *mnuabout;

    QToolBar *Toolbar1;      // new, open, save | read, write, and the hidden relock button "Korvu"
    ChannelGrid *channelGrid; // Grid1 with its editors Text1, Combo8 and Combo5
    QTableWidget *Grid1;     // the channel table
    QGroupBox *Frame1;       // band frame
    QLabel *Label3;          // "频段", beside the band selector
    QComboBox *Combo1;       // band selector
    QGroupBox *Frame2;       // function-setting frame
    QLabel *Label4, *Label5, *Label1, *Label6, *Label7, *Label8; // its captions
    QComboBox *Combo2;       // voice prompt
    QComboBox *Combo3;       // transmit time-out, 15 to 600 seconds
    QComboBox *Combo4;       // time-out pre-alert
    QComboBox *Combo9;       // squelch level
    QComboBox *Combo6;       // battery save
    QComboBox *Combo7;       // key beep
    QLabel *Label;           // status of a programming session
    QLabel *Label2;          // link to the maker's page (no address set)
    QProgressBar *ProgressBar1; // progress of a programming session

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildFrames();
    void Form_Load();
    void ResetToDefaults();
    void ApplyLanguage();
    void Toolbar1_ButtonClick(const QString &key);

    void mnuNew_Click();
    void mnuOpen_Click();
    bool mnuAssave_Click();
    void mnulock_Click();
    void setLocked(bool locked);
    void updateEnabled();

    void mnucom_Click();
    void startSession(bool write);
    void connectSession();
    void readFinished(const RadioImage &image, int radioBand);
    void Combo1_Click();

    void showState();          // every control from the editor state
    void markSaved();          // the current state counts as saved
    bool hasUnsavedChanges() const;
    // With unsaved changes, asks whether to save them before they are replaced (by closing,
    // opening or reading): true to go on, after saving when the user chose to.
    bool settleUnsavedChanges();
    // The image of the editor as the window shows it: the band is the one the selector shows.
    RadioImage encodedImage() const;
    int ask(const Message &text, int style, const Message *title = nullptr, MessageBoxWithdrawal *withdrawal = nullptr);
    CellTexts cellTexts() const;

    EditorState m_state;
    SessionDriver *m_session;
    FormCOM *m_formCom = nullptr; // loaded at start-up and again after each close
    SettingsFile m_settingsFile;
    LanguageMode m_language = Language::Simplified;
    int ComPortNumber = 0; // serial port slot 1..20, 0 when none has been chosen
    int BandLowLimit = 400;
    int BandHighLimit = 500;
    RadioImage m_savedImage; // the image last opened, saved, read or written
};
