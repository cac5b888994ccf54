#include "app/mainwindow.h"

#include "app/channelgrid.h"
#include "app/channelsheet.h"
#include "app/datafiledialog.h"
#include "app/layoutunits.h"
#include "app/portdialog.h"
#include "app/weblink.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/embeddedtextsdialog.h"
#include "dialogs/keysdialog.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/powertuningdialog.h"
#include "dialogs/testfrequencydialog.h"
#include "editor/channelrules.h"
#include "editor/settingsrules.h"
#include "i18n/captions.h"
#include "image/codec.h"
#include "interchange/csvchanneltable.h"
#include "link/portselection.h"
#include "link/sessiondriver.h"
#include "storage/backups.h"
#include "storage/datafile.h"
#include "storage/recentfiles.h"
#include "storage/wholefile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPrinter>
#include <QTextDocument>
#include <QUndoCommand>
#include <QUndoStack>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QTime>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int TimeoutItems = 40; // 15 to 600 seconds in steps of 15

// The numbered items of a list: the numbers first..last, each followed by the suffix.
QStringList numberedItems(int first, int last, int step, const QString &suffix)
{
    QStringList items;
    for (int n = first; n <= last; n += step)
        items << QString::number(n) + suffix;
    return items;
}

// Replaces a list's items, keeping its selection and sending no change.
void setItems(QComboBox *combo, const QStringList &items)
{
    const QSignalBlocker quiet(combo);
    const int index = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(index < items.size() ? index : -1);
}

// One undo step: the editor state before a change and after it.
class EditorStateChange : public QUndoCommand
{
public:
    EditorStateChange(std::function<void(const EditorState &)> restore, EditorState before, EditorState after)
        : m_restore(std::move(restore)), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_restore(m_before); }
    void redo() override { m_restore(m_after); }

private:
    std::function<void(const EditorState &)> m_restore;
    EditorState m_before;
    EditorState m_after;
};

} // namespace

MainWindow::MainWindow(const SettingsFile &settingsFile, QWidget *parent)
    : QMainWindow(parent)
    , m_session(new SessionDriver(this))
    , m_settingsFile(settingsFile)
{
    m_clock = [] { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; };
    m_undoStack = new QUndoStack(this);
    // The recent files are kept beside the settings file, which has no room for them.
    m_recentFiles = std::make_unique<RecentFiles>(QFileInfo(m_settingsFile.writePath()).absolutePath()
                                                  + QStringLiteral("/recent-files.ini"));
    setAcceptDrops(true);
    buildMenus();
    buildToolbar();
    buildFrames();
    buildDialogs();
    connectSession();
    restoreSettings();
}

// The history goes before the widgets its signals update.
MainWindow::~MainWindow()
{
    m_undoStack->disconnect(this);
}

// The feature dialogs are windows of their own, without owner, so that they stand beside the
// main window; they are created now, hidden, so that every language switch reaches them. The
// About box belongs to the main window and stays above it.
void MainWindow::buildDialogs()
{
    m_optionsDialog = std::make_unique<OptionsDialog>(m_state);
    m_keysDialog = std::make_unique<KeysDialog>(m_state);
    m_embeddedTextsDialog = std::make_unique<EmbeddedTextsDialog>(m_state);
    m_powerTuningDialog = std::make_unique<PowerTuningDialog>(m_state);
    m_testFrequencyDialog = std::make_unique<TestFrequencyDialog>(m_state);
    m_aboutDialog = new AboutDialog(this);
    const std::pair<QAction *, FeatureDialog *> commands[] = {{m_optionsAction, m_optionsDialog.get()},
        {m_keysAction, m_keysDialog.get()}, {m_embeddedTextsAction, m_embeddedTextsDialog.get()},
        {m_debugAction, m_powerTuningDialog.get()}, {m_testFrequencyAction, m_testFrequencyDialog.get()}};
    for (const auto &[action, dialog] : commands) {
        connect(action, &QAction::triggered, dialog, &FeatureDialog::present);
        connect(dialog, &FeatureDialog::confirmed, this, &MainWindow::applyDialogEdit);
    }
    connect(m_aboutAction, &QAction::triggered, this, [this] {
        m_aboutDialog->show();
        m_aboutDialog->raise();
        m_aboutDialog->activateWindow();
    });
    connect(m_optionsDialog.get(), &OptionsDialog::unlockCaptionClicked, this, &MainWindow::unlockCaptionClicked);
    connect(m_relockAction, &QAction::triggered, this, &MainWindow::relockClicked);
}

QList<FeatureDialog *> MainWindow::featureDialogs() const
{
    return {m_optionsDialog.get(), m_keysDialog.get(), m_embeddedTextsDialog.get(), m_powerTuningDialog.get(),
            m_testFrequencyDialog.get()};
}

void MainWindow::applyDialogEdit(const EditorState &edited)
{
    m_state = edited;
    showState();
    recordEdit();
}

void MainWindow::recordEdit()
{
    if (m_state == m_recorded)
        return;
    // The step is pushed after the change was made: its first redo shows what is there.
    m_undoStack->push(new EditorStateChange([this](const EditorState &state) { restoreEditorState(state); },
                                            m_recorded, m_state));
    m_recorded = m_state;
}

// Shows a state of the history. Its cells are written again in the language in force, so that
// an undo after a switch brings back no text of the other language; the debug mode stays as it
// is, since the gesture is no edit.
void MainWindow::restoreEditorState(const EditorState &state)
{
    EditorState restored = state;
    restored.debugUnlocked = m_state.debugUnlocked;
    ChannelRules::retranslateCells(restored, cellTexts());
    m_state = restored;
    m_recorded = restored;
    showState();
    reloadDialogs();
}

// Open, a read and start-up replace the editor: what came before cannot be undone into it.
void MainWindow::resetHistory()
{
    m_undoStack->clear();
    m_recorded = m_state;
}

void MainWindow::undoOrRedo(bool undo)
{
    m_channelGrid->commitEdit(); // an open edit is the latest change
    if (undo)
        m_undoStack->undo();
    else
        m_undoStack->redo();
}

// After the state was replaced (a file opened, a read), open dialogs show it. Decoding has
// locked the debug mode: its button and sliders show it too.
void MainWindow::reloadDialogs()
{
    setDebugUnlocked(m_state.debugUnlocked);
    for (FeatureDialog *dialog : featureDialogs())
        dialog->reload();
}

void MainWindow::unlockCaptionClicked(int caption)
{
    if (m_unlockGesture.click(caption, m_clock()))
        setDebugUnlocked(true);
}

// The relock goes by the debug mode's own timing of two clicks, not the desktop's double-click
// interval.
void MainWindow::relockClicked()
{
    if (!m_relock.click(m_clock()))
        return;
    m_unlockGesture.reset();
    setDebugUnlocked(false);
}

void MainWindow::setDebugUnlocked(bool unlocked)
{
    m_state.debugUnlocked = unlocked;
    m_recorded.debugUnlocked = unlocked;
    m_relockAction->setVisible(unlocked);
    m_powerTuningDialog->setUnlocked(unlocked);
}

// The menus; each action's object name keys its caption.
void MainWindow::buildMenus()
{
    auto action = [](QMenu *menu, const char *name, const QKeySequence &shortcut = {}) {
        QAction *a = menu->addAction(QString());
        a->setObjectName(QLatin1StringView(name));
        a->setShortcut(shortcut);
        return a;
    };
    auto menu = [this](const char *name) {
        QMenu *m = menuBar()->addMenu(QString());
        m->setObjectName(QLatin1StringView(name));
        return m;
    };
    m_fileMenu = menu("mnuFile");
    m_newAction = action(m_fileMenu, "mnuNew");
    m_openAction = action(m_fileMenu, "mnuOpen");
    m_saveAction = action(m_fileMenu, "mnuAssave");
    m_fileMenu->addSeparator();
    m_importCsvAction = action(m_fileMenu, "mnuImportCsv");
    m_exportCsvAction = action(m_fileMenu, "mnuExportCsv");
    m_exportPdfAction = action(m_fileMenu, "mnuExportPdf");
    m_printAction = action(m_fileMenu, "mnuPrint");
    m_fileMenu->addSeparator();
    m_openBackupAction = action(m_fileMenu, "mnuOpenBackup");
    m_recentMenu = m_fileMenu->addMenu(QString());
    m_recentMenu->setObjectName(QStringLiteral("mnuRecent"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::showRecentFiles);
    m_fileMenu->addSeparator();
    m_quitAction = action(m_fileMenu, "mnuQuit");

    m_editMenu = menu("mnuEdit");
    m_undoAction = action(m_editMenu, "mnuUndo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = action(m_editMenu, "mnuRedo");
    m_redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    m_programmingMenu = menu("mnupro");
    m_readAction = action(m_programmingMenu, "mnureadFre", QKeySequence(Qt::CTRL | Qt::Key_R));
    m_writeAction = action(m_programmingMenu, "mnuwriteFre", QKeySequence(Qt::CTRL | Qt::Key_W));
    m_programmingMenu->addSeparator();
    m_optionsAction = action(m_programmingMenu, "mnudtmf");
    m_keysAction = action(m_programmingMenu, "Key_enactment");
    m_embeddedTextsAction = action(m_programmingMenu, "mnusetin");
    m_debugAction = action(m_programmingMenu, "mnudebug");
    m_testFrequencyAction = action(m_programmingMenu, "mnutestfre");

    m_settingsMenu = menu("mnuset");
    m_lockAction = action(m_settingsMenu, "mnulock");
    m_lockAction->setCheckable(true);
    m_lockAction->setChecked(true); // as created; start-up sets it from the settings file
    m_portAction = action(m_settingsMenu, "mnucom");
    m_languageMenu = m_settingsMenu->addMenu(QString());
    m_languageMenu->setObjectName(QStringLiteral("mnuLanguage"));
    m_simplifiedAction = action(m_languageMenu, "mnuChineseJ");
    m_traditionalAction = action(m_languageMenu, "mnuChineseF");
    m_englishAction = action(m_languageMenu, "mnuEnglish");

    m_helpMenu = menu("mnuhelp");
    // There is no help: the entry stays greyed. Its caption names F1 already, so it carries no
    // shortcut that the menu would show a second time.
    m_helpTopicsAction = action(m_helpMenu, "mnumainhelp");
    m_helpTopicsAction->setEnabled(false);
    m_aboutAction = action(m_helpMenu, "mnuabout");

    connect(m_newAction, &QAction::triggered, this, &MainWindow::newFile);
    connect(m_openAction, &QAction::triggered, this, &MainWindow::openFile);
    connect(m_saveAction, &QAction::triggered, this, &MainWindow::saveFile);
    connect(m_importCsvAction, &QAction::triggered, this, &MainWindow::importCsv);
    connect(m_exportCsvAction, &QAction::triggered, this, &MainWindow::exportCsv);
    connect(m_exportPdfAction, &QAction::triggered, this, &MainWindow::exportPdf);
    connect(m_printAction, &QAction::triggered, this, &MainWindow::printSheet);
    connect(m_openBackupAction, &QAction::triggered, this, &MainWindow::openBackup);
    connect(m_undoAction, &QAction::triggered, this, [this] { undoOrRedo(true); });
    connect(m_redoAction, &QAction::triggered, this, [this] { undoOrRedo(false); });
    connect(m_quitAction, &QAction::triggered, this, &QWidget::close);
    connect(m_lockAction, &QAction::triggered, this, &MainWindow::toggleLock);
    connect(m_portAction, &QAction::triggered, this, &MainWindow::choosePort);
    connect(m_simplifiedAction, &QAction::triggered, this, [this] { switchLanguage(Language::Simplified); });
    connect(m_traditionalAction, &QAction::triggered, this, [this] { switchLanguage(Language::Traditional); });
    connect(m_englishAction, &QAction::triggered, this, [this] { switchLanguage(Language::English); });
    connect(m_readAction, &QAction::triggered, this, [this] { startSession(false); });
    connect(m_writeAction, &QAction::triggered, this, [this] { startSession(true); });
}

// The toolbar shows the menu's own actions, with icons the menu leaves out; their tooltips come
// from the toolbar's rows of the caption table.
void MainWindow::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    const std::pair<QAction *, QStyle::StandardPixmap> buttons[] = {{m_newAction, QStyle::SP_FileIcon},
        {m_openAction, QStyle::SP_DialogOpenButton}, {m_saveAction, QStyle::SP_DialogSaveButton}, {nullptr, {}},
        {m_readAction, QStyle::SP_ArrowDown}, {m_writeAction, QStyle::SP_ArrowUp}};
    for (const auto &[action, icon] : buttons) {
        if (!action) {
            m_toolbar->addSeparator();
            continue;
        }
        action->setIcon(style()->standardIcon(icon));
        action->setIconVisibleInMenu(false);
        m_toolbar->addAction(action);
    }
    m_relockAction = m_toolbar->addAction(style()->standardIcon(QStyle::SP_BrowserReload), QString());
    m_relockAction->setObjectName(QStringLiteral("Korvu"));
    m_relockAction->setVisible(false); // shown only while debug mode is unlocked
}

void MainWindow::buildFrames()
{
    m_channelGrid = new ChannelGrid(m_state);
    connect(m_channelGrid, &ChannelGrid::edited, this, &MainWindow::recordEdit);
    connect(m_channelGrid, &ChannelGrid::frequencyOutOfBand, this, [this] {
        ask(Messages::BeyondRange, {});
        m_channelGrid->table()->setFocus();
    });

    m_bandBox = new QGroupBox;
    m_bandBox->setObjectName(QStringLiteral("Frame1"));
    m_bandLabel = new QLabel;
    m_bandLabel->setObjectName(QStringLiteral("Label3"));
    m_bandCombo = new QComboBox;
    m_bandCombo->setObjectName(QStringLiteral("Combo1"));
    m_bandCombo->addItems(Bands::items());
    auto *bandLayout = new QHBoxLayout(m_bandBox);
    bandLayout->addWidget(m_bandLabel);
    bandLayout->addWidget(m_bandCombo, 1);
    connect(m_bandCombo, &QComboBox::currentIndexChanged, this, &MainWindow::changeBand);

    m_settingsBox = new QGroupBox;
    m_settingsBox->setObjectName(QStringLiteral("Frame2"));
    auto *settingsLayout = new QGridLayout(m_settingsBox);
    settingsLayout->setVerticalSpacing(12);
    int row = 0;
    auto addSetting = [&](QLabel *&label, const char *labelName, QComboBox *&combo, const char *comboName,
                          int EditorState::*field) {
        label = new QLabel;
        label->setObjectName(QLatin1StringView(labelName));
        combo = new QComboBox;
        combo->setObjectName(QLatin1StringView(comboName));
        combo->setMinimumWidth(twipsToPixels(this, 1335));
        settingsLayout->addWidget(label, row, 0);
        settingsLayout->addWidget(combo, row, 1);
        ++row;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, field](int index) {
            m_state.*field = index;
            recordEdit();
        });
    };
    addSetting(m_voicePromptLabel, "Label4", m_voicePromptCombo, "Combo2", &EditorState::voicePrompt);
    addSetting(m_timeoutLabel, "Label5", m_timeoutCombo, "Combo3", &EditorState::timeout);
    addSetting(m_timeoutAlertLabel, "Label1", m_timeoutAlertCombo, "Combo4", &EditorState::timeoutWarn);
    addSetting(m_squelchLabel, "Label6", m_squelchCombo, "Combo9", &EditorState::squelch);
    addSetting(m_batterySaveLabel, "Label7", m_batterySaveCombo, "Combo6", &EditorState::batterySave);
    addSetting(m_keyBeepLabel, "Label8", m_keyBeepCombo, "Combo7", &EditorState::beep);
    settingsLayout->setRowStretch(row, 1);

    m_statusLabel = new QLabel;
    m_statusLabel->setObjectName(QStringLiteral("Label"));
    m_statusLabel->hide();
    m_linkLabel = new LinkLabel;
    m_linkLabel->setObjectName(QStringLiteral("Label2"));
    m_progressBar = new QProgressBar;
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, ProtocolEngine::ProgressMaximum);

    makeLegibleWhenDisabled(m_bandBox);
    makeLegibleWhenDisabled(m_settingsBox);
    auto *side = new QVBoxLayout;
    side->addWidget(m_bandBox);
    side->addWidget(m_settingsBox, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_channelGrid, 0, Qt::AlignTop);
    top->addLayout(side);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_statusLabel, 1);
    bottom->addWidget(m_progressBar, 1);
    bottom->addWidget(m_linkLabel);
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    setCentralWidget(central);
}

// Start-up: settings, language, port, band, and the start values of everything else.
void MainWindow::restoreSettings()
{
    const Settings settings = m_settingsFile.read();
    // Only 1 locks; any other value leaves the program unlocked, with the lock shown off.
    setLocked(settings.lock == 1);
    m_portSlot = settings.port;
    m_language = settings.language;
    retranslate();
    if (const int slot = openPreferredPort(*m_session, m_portSlot).choice.slot)
        m_portSlot = slot;

    m_state.currentBand = 0;
    m_bandCombo->setCurrentIndex(0);
    changeBand(0);
    resetToDefaults();
    markSaved();
    resetHistory();
}

void MainWindow::resetToDefaults()
{
    m_state = EditorState();
    showState();
    m_progressBar->hide();
}

CellTexts MainWindow::cellTexts() const
{
    return CellTexts::forLanguage(m_language);
}

void MainWindow::retranslate()
{
    const LanguageMode mode = m_language;
    auto caption = [mode](const QString &key) { return captionText(key, mode); };
    showTitle();
    for (QMenu *menu : {m_fileMenu, m_editMenu, m_programmingMenu, m_settingsMenu, m_languageMenu, m_helpMenu,
                        m_recentMenu})
        menu->setTitle(caption(menu->objectName()));
    // Every command named in the caption table; the recent files' paths are shown as they are.
    for (QAction *action : menuBar()->findChildren<QAction *>())
        if (hasCaption(action->objectName()))
            action->setText(caption(action->objectName()));
    const std::pair<QAction *, const char *> toolTips[] = {{m_newAction, "Toolbar1.new"}, {m_openAction, "Toolbar1.open"},
        {m_saveAction, "Toolbar1.save"}, {m_readAction, "Toolbar1.read"}, {m_writeAction, "Toolbar1.write"}};
    for (const auto &[action, key] : toolTips)
        action->setToolTip(captionText(QString::fromLatin1(key), unconvertedLanguage(mode)));
    showStatus();

    for (QGroupBox *frame : {m_bandBox, m_settingsBox})
        frame->setTitle(caption(frame->objectName()));
    for (QLabel *label : {m_bandLabel, m_voicePromptLabel, m_timeoutLabel, m_timeoutAlertLabel, m_squelchLabel,
                          m_batterySaveLabel, m_keyBeepLabel})
        label->setText(caption(label->objectName()));
    m_linkLabel->clear();

    const QString seconds = caption("suffix.seconds");
    setItems(m_voicePromptCombo, {caption("Combo2[0]"), caption("Combo2[1]"), caption("Combo2[2]")});
    setItems(m_timeoutCombo, numberedItems(15, 15 * TimeoutItems, 15, seconds));
    setItems(m_timeoutAlertCombo, QStringList {caption("Combo4[0]")} + numberedItems(1, 10, 1, seconds));
    setItems(m_squelchCombo, numberedItems(0, 9, 1, caption("suffix.grade")));
    setItems(m_batterySaveCombo, {caption("Combo6[0]"), caption("Combo6[1]")});
    setItems(m_keyBeepCombo, {caption("Combo7[0]"), caption("Combo7[1]")});

    QStringList header;
    for (int column = 0; column <= 8; ++column)
        header << caption(QStringLiteral("Grid1.header[%1]").arg(column));
    ChannelRules::retranslateCells(m_state, cellTexts());
    m_channelGrid->setLanguage(m_language, cellTexts(), header);
    for (FeatureDialog *dialog : featureDialogs())
        dialog->retranslate(mode);
    m_aboutDialog->retranslate(mode);
}

// A language command: the active language does nothing, not even a refresh of the grid.
void MainWindow::switchLanguage(LanguageMode mode)
{
    if (mode == m_language)
        return;
    // An open editor holds the old language's items, which the new texts would no longer match.
    m_channelGrid->commitEdit();
    m_language = mode;
    retranslate();
    ChannelRules::retranslateCells(m_recorded, cellTexts());
}

// The title names the file opened or saved last, whatever the language; else it is the
// program's, never converted.
void MainWindow::showTitle()
{
    setWindowTitle(m_filePath.isEmpty() ? captionText(u"Form1.title", unconvertedLanguage(m_language))
                                        : QStringLiteral("Lumeo-") + m_filePath);
}

void MainWindow::showStatus()
{
    m_statusLabel->setText(sessionMessageText(m_session->engine().status(), m_language));
}

void MainWindow::showState()
{
    m_channelGrid->refresh();
    m_bandCombo->setCurrentIndex(m_state.currentBand); // taken without the band question
    const std::pair<QComboBox *, int> lists[] = {{m_voicePromptCombo, m_state.voicePrompt},
        {m_timeoutCombo, m_state.timeout}, {m_timeoutAlertCombo, m_state.timeoutWarn},
        {m_squelchCombo, m_state.squelch}, {m_batterySaveCombo, m_state.batterySave}, {m_keyBeepCombo, m_state.beep}};
    for (const auto &[combo, index] : lists) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

RadioImage MainWindow::encodedImage() const
{
    EditorState shown = m_state;
    shown.currentBand = m_bandCombo->currentIndex();
    return encodeImage(shown, cellTexts());
}

void MainWindow::markSaved()
{
    m_savedImage = encodedImage();
}

bool MainWindow::hasUnsavedChanges() const
{
    return encodedImage() != m_savedImage;
}

bool MainWindow::settleUnsavedChanges()
{
    m_channelGrid->commitEdit();
    if (!hasUnsavedChanges())
        return true;
    const MessageAnswer answer = ask(Messages::UnsavedChanges, {MessageButtons::YesNoCancel, MessageIcon::Exclamation});
    if (answer == MessageAnswer::Cancel || answer == MessageAnswer::Withdrawn)
        return false;
    return answer == MessageAnswer::No || saveFile();
}

MessageAnswer MainWindow::ask(const Message &text, MessageStyle style, const Message *title,
                              MessageBoxWithdrawal *withdrawal)
{
    return showMessageBox(this, m_language, text.text(m_language), style, title ? title->text(m_language) : QString(),
                          withdrawal);
}

MessageAnswer MainWindow::tell(const QString &text, MessageStyle style)
{
    return showMessageBox(this, m_language, text, style);
}

// Band selection: the limits follow the selected band; a band other than the one in force asks
// first, since the channels of one band make no sense in another.
void MainWindow::changeBand(int band)
{
    m_bandLimits = Bands::limitsOf(m_bandCombo->itemText(band));
    m_channelGrid->setBandLimits(m_bandLimits);
    if (band == m_state.currentBand)
        return;
    const MessageStyle style {MessageButtons::OkCancel, MessageIcon::Question, 1};
    const bool clear = ask(Messages::BandChange, style, &Messages::BandChangeTitle) == MessageAnswer::Ok;
    // A read that ended while the question was open chose the band itself, with its channels:
    // the answer is moot then.
    if (m_bandCombo->currentIndex() != band || m_state.currentBand == band)
        return;
    if (clear) {
        ChannelRules::clearAllChannels(m_state);
        m_state.currentBand = band;
        m_channelGrid->refresh();
        recordEdit();
    } else {
        m_bandCombo->setCurrentIndex(m_state.currentBand);
    }
}

void MainWindow::newFile()
{
    m_channelGrid->commitEdit();
    const MessageStyle style {MessageButtons::OkCancel, MessageIcon::Exclamation, 1};
    if (ask(Messages::ClearAll, style, &Messages::ClearAllTitle) == MessageAnswer::Cancel)
        return;
    ChannelRules::emptyChannelCells(m_state);
    m_channelGrid->refresh();
    recordEdit();
}

void MainWindow::openFile()
{
    if (!settleUnsavedChanges())
        return;
    const QString path = DataFileDialog::choose(this, DataFileDialog::Kind::Open);
    if (!path.isEmpty())
        openDataFile(path);
}

bool MainWindow::openDataFile(const QString &path)
{
    const DataFile::ReadResult file = DataFile::read(path);
    if (file.status == DataFile::ReadStatus::CannotOpen) {
        tell(Messages::CannotOpen.text(m_language) + path + "\n" + file.error, {MessageButtons::Ok, MessageIcon::Critical});
        return false;
    }
    if (file.status == DataFile::ReadStatus::NotDataFile) {
        ask(Messages::WrongFileType, {});
        return false;
    }
    decodeImage(file.image, m_state, cellTexts());
    showState();
    reloadDialogs();
    m_filePath = QFileInfo(path).absoluteFilePath();
    m_recentFiles->add(m_filePath);
    showTitle();
    markSaved();
    resetHistory();
    return true;
}

QString MainWindow::chooseSavePath(DataFileDialog::Kind kind)
{
    for (;;) {
        QString path = DataFileDialog::choose(this, kind);
        if (path.isEmpty())
            return {};
        if (QFileInfo(path).suffix().isEmpty())
            path += u'.' + DataFileDialog::defaultSuffix(kind); // so that the opening dialog shows it
        const MessageStyle overwrite {MessageButtons::YesNo, MessageIcon::Question};
        if (QFileInfo::exists(path) && ask(Messages::Overwrite, overwrite) == MessageAnswer::No)
            continue;
        return path;
    }
}

// Saves under a chosen name; false when nothing was saved.
bool MainWindow::saveFile()
{
    m_channelGrid->commitEdit();
    const QString path = chooseSavePath(DataFileDialog::Kind::Save);
    if (path.isEmpty())
        return false;
    const RadioImage image = encodedImage();
    QString error;
    if (!DataFile::write(path, image, &error)) {
        tell(Messages::CannotSave.text(m_language) + path + "\n" + error, {MessageButtons::Ok, MessageIcon::Critical});
        return false;
    }
    m_filePath = QFileInfo(path).absoluteFilePath();
    m_recentFiles->add(m_filePath);
    showTitle();
    m_savedImage = image;
    return true;
}

// Replaces the channels with those of a CSV file, in one step, as an edit: the band and the
// settings stay, and the change counts as unsaved. The report says what was skipped.
void MainWindow::importCsv()
{
    m_channelGrid->commitEdit();
    const QString path = DataFileDialog::choose(this, DataFileDialog::Kind::ImportCsv);
    if (path.isEmpty())
        return;
    QFile file(path);
    const QByteArray contents = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError) {
        tell(Messages::CannotOpen.text(m_language) + path + "\n" + file.errorString(),
             {MessageButtons::Ok, MessageIcon::Critical});
        return;
    }
    const CsvChannelTable::Import import = CsvChannelTable::importTable(contents, m_state, cellTexts(), false);
    if (import.state) {
        m_state = *import.state;
        m_channelGrid->refresh();
        recordEdit();
    }
    const MessageIcon icon = !import.state ? MessageIcon::Critical
        : import.skipped.isEmpty()         ? MessageIcon::Information
                                           : MessageIcon::Exclamation;
    tell(CsvChannelTable::reportText(import, QFileInfo(path).fileName(), m_language), {MessageButtons::Ok, icon});
}

void MainWindow::exportCsv()
{
    m_channelGrid->commitEdit();
    const QString path = chooseSavePath(DataFileDialog::Kind::ExportCsv);
    if (path.isEmpty())
        return;
    const CsvChannelTable::Export table = CsvChannelTable::exportTable(m_state, cellTexts());
    QString error;
    if (!WholeFile::write(path, table.text.toUtf8(), &error)) {
        tell(Messages::CannotSave.text(m_language) + path + "\n" + error, {MessageButtons::Ok, MessageIcon::Critical});
        return;
    }
    QStringList leftOut;
    for (int channel : table.leftOut)
        leftOut << QString::number(channel);
    if (!leftOut.isEmpty())
        tell(Messages::CsvChannelsLeftOut.text(m_language) + leftOut.join(QStringLiteral(", ")),
             {MessageButtons::Ok, MessageIcon::Exclamation});
}

// The channel sheet of what the window shows, in the language in force.
ChannelSheet MainWindow::channelSheet() const
{
    auto caption = [this](const char *key) { return captionText(QString::fromLatin1(key), m_language); };
    ChannelSheet sheet;
    sheet.title = caption("Form1.title");
    sheet.facts = {{caption("Sheet.file"), m_filePath}, {m_bandLabel->text(), m_bandCombo->currentText()},
                   {caption("Sheet.date"), QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))}};
    const QTableWidget *table = m_channelGrid->table();
    for (int column = 0; column < table->columnCount(); ++column)
        sheet.header << table->horizontalHeaderItem(column)->text();
    for (int row = 0; row < ChannelCount; ++row)
        for (int column = 1; column < table->columnCount(); ++column)
            sheet.rows[row] << table->item(row, column)->text();
    sheet.settingsTitle = m_settingsBox->title();
    const std::pair<QLabel *, QComboBox *> settings[] = {{m_voicePromptLabel, m_voicePromptCombo},
        {m_timeoutLabel, m_timeoutCombo}, {m_timeoutAlertLabel, m_timeoutAlertCombo}, {m_squelchLabel, m_squelchCombo},
        {m_batterySaveLabel, m_batterySaveCombo}, {m_keyBeepLabel, m_keyBeepCombo}};
    for (const auto &[label, combo] : settings)
        sheet.settings << ChannelSheet::Row {label->text(), combo->currentText()};
    sheet.keysTitle = caption("Form6.title");
    const std::pair<const char *, int> keys[] = {{"PF1", m_state.keyFunction1}, {"PF2", m_state.keyFunction2}};
    for (const auto &[key, function] : keys)
        sheet.keys << ChannelSheet::Row {QString::fromLatin1(key),
            captionText(QStringLiteral("Form6.Combo1[%1]").arg(SettingsRules::keyFunctionShown(function)), m_language)};
    sheet.textsTitle = caption("Form7.title");
    sheet.texts = {m_state.embeddedTexts[0], m_state.embeddedTexts[1]};
    return sheet;
}

void MainWindow::exportPdf()
{
    m_channelGrid->commitEdit();
    const QString path = chooseSavePath(DataFileDialog::Kind::ExportPdf);
    if (path.isEmpty())
        return;
    const std::unique_ptr<QTextDocument> document(channelSheet().document());
    QString error;
    if (!writePdf(*document, path, &error))
        tell(Messages::CannotSave.text(m_language) + path + "\n" + error, {MessageButtons::Ok, MessageIcon::Critical});
}

void MainWindow::printSheet()
{
    m_channelGrid->commitEdit();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    if (!choosePrinter(this, printer))
        return;
    const std::unique_ptr<QTextDocument> document(channelSheet().document());
    document->print(&printer);
}

// Every completed read is kept in the backups folder. A backup that cannot be written fails
// nothing; the status line says so once.
void MainWindow::keepBackup()
{
    const Backups::Result backup = Backups::keep(encodedImage(), m_state.currentBand);
    if (backup.error.isEmpty())
        return;
    QStatusBar *bar = statusBar();
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString &message) { bar->setVisible(!message.isEmpty()); },
            Qt::UniqueConnection);
    bar->showMessage(Messages::BackupFailed.text(m_language) + backup.error, 20000);
    bar->show();
}

void MainWindow::openBackup()
{
    if (!settleUnsavedChanges())
        return;
    const QString path = DataFileDialog::choose(this, DataFileDialog::Kind::OpenBackup);
    if (!path.isEmpty())
        openDataFile(path);
}

// The recent files' paths, as they are: never translated, an ampersand no shortcut.
void MainWindow::showRecentFiles()
{
    m_recentMenu->clear();
    for (const QString &path : m_recentFiles->paths()) {
        QAction *action = m_recentMenu->addAction(QString(path).replace(u'&', QStringLiteral("&&")));
        connect(action, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
}

void MainWindow::openRecentFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        m_recentFiles->remove(path);
        tell(Messages::RecentFileMissing.text(m_language) + path, {MessageButtons::Ok, MessageIcon::Information});
        return;
    }
    if (settleUnsavedChanges())
        openDataFile(path);
}

namespace {

// The data file a drag brings, if it brings one.
QString droppedDataFile(const QMimeData *mime)
{
    if (!mime || mime->urls().size() != 1 || !mime->urls().constFirst().isLocalFile())
        return {};
    const QString path = mime->urls().constFirst().toLocalFile();
    return path.endsWith(QStringLiteral(".DAT"), Qt::CaseInsensitive) ? path : QString();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedDataFile(event->mimeData()).isEmpty() && m_session->engine().isIdle())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedDataFile(event->mimeData());
    if (path.isEmpty() || !m_session->engine().isIdle())
        return;
    event->acceptProposedAction();
    if (settleUnsavedChanges())
        openDataFile(path);
}

void MainWindow::toggleLock()
{
    setLocked(m_lockAction->isChecked());
}

void MainWindow::setLocked(bool locked)
{
    m_lockAction->setChecked(locked);
    updateEnabled();
}

// What the user may touch. The editing lock guards the table, the band and the settings. A
// session locks out everything whose change it would miss or overwrite (the table, the
// settings), and until its final status has been shown, the commands; it enables the band
// selector, which the band question of a write refers to. The lock comes back afterwards.
void MainWindow::updateEnabled()
{
    const bool running = !m_session->engine().isIdle();
    const bool busy = m_session->engine().commandsLocked();
    const bool locked = m_lockAction->isChecked();
    m_bandBox->setEnabled(running || !locked);
    m_settingsBox->setEnabled(!running && !locked);
    m_channelGrid->setEnabled(!running && !locked);
    m_toolbar->setEnabled(!busy);
    m_programmingMenu->setEnabled(!busy);
    for (QAction *action : {m_readAction, m_writeAction, m_newAction, m_openAction, m_importCsvAction,
                            m_openBackupAction, m_portAction})
        action->setEnabled(!busy);
    m_recentMenu->setEnabled(!busy);
    // Undo is an edit: the lock and a session block it as they block the table.
    m_undoAction->setEnabled(m_undoStack->canUndo() && !running && !locked);
    m_redoAction->setEnabled(m_undoStack->canRedo() && !running && !locked);
    for (FeatureDialog *dialog : featureDialogs())
        dialog->setConfirmEnabled(!running);
}

void MainWindow::connectSession()
{
    ProtocolEngine &engine = m_session->engine();
    engine.setImageProvider([this] {
        m_channelGrid->commitEdit();
        return encodedImage();
    });
    engine.setSelectedBandProvider([this] { return m_bandCombo->currentIndex(); });
    connect(&engine, &ProtocolEngine::commandsLockedChanged, this, &MainWindow::updateEnabled);
    connect(m_undoStack, &QUndoStack::canUndoChanged, this, &MainWindow::updateEnabled);
    connect(m_undoStack, &QUndoStack::canRedoChanged, this, &MainWindow::updateEnabled);
    connect(&engine, &ProtocolEngine::runningChanged, this, &MainWindow::updateEnabled);
    // The status is written again when a session starts, in the language now in force, even if
    // it is the one the last session ended with.
    connect(&engine, &ProtocolEngine::statusChanged, this, &MainWindow::showStatus);
    connect(&engine, &ProtocolEngine::runningChanged, this, &MainWindow::showStatus);
    connect(&engine, &ProtocolEngine::statusVisibleChanged, m_statusLabel, &QWidget::setVisible);
    connect(&engine, &ProtocolEngine::progressVisibleChanged, m_progressBar, &QWidget::setVisible);
    connect(&engine, &ProtocolEngine::progressChanged, m_progressBar, &QProgressBar::setValue);
    connect(&engine, &ProtocolEngine::bandQuestionAsked, this, [this, &engine] {
        const QString question = sessionMessageText(SessionMessage::BandMismatch, m_language);
        engine.answerBandQuestion(tell(question, {MessageButtons::YesNo, MessageIcon::Information}) == MessageAnswer::Yes);
    });
    connect(&engine, &ProtocolEngine::communicationError, this, [this] {
        tell(sessionMessageText(SessionMessage::CommunicationError, m_language), {MessageButtons::Ok, MessageIcon::Critical});
    });
    connect(&engine, &ProtocolEngine::readFinished, this, &MainWindow::readFinished);
    // What the radio now holds counts as saved; a change made during the write does not.
    connect(&engine, &ProtocolEngine::writeFinished, this, [this, &engine] { m_savedImage = engine.writeImage(); });
}

void MainWindow::startSession(bool write)
{
    if (!m_session->isPortOpen()) {
        tell(sessionMessageText(SessionMessage::PortNotOpen, m_language), {MessageButtons::Ok, MessageIcon::Information});
        return;
    }
    // A read replaces the editor's contents: unsaved changes are offered for saving first.
    if (!write && !settleUnsavedChanges())
        return;
    // Calibration belongs to one radio, while the values come from whatever was opened or read
    // last: a write in debug mode names them and asks before it sends them.
    bool calibration = false;
    if (write && m_state.debugUnlocked) {
        const QString question = QString(Messages::WriteCalibration.text(m_language))
                                     .arg(m_state.powerTuning1)
                                     .arg(m_state.powerTuning2);
        const MessageAnswer answer = tell(question, {MessageButtons::YesNoCancel, MessageIcon::Question});
        if (answer == MessageAnswer::Cancel)
            return;
        calibration = answer == MessageAnswer::Yes;
    }
    // Moving the focus to the band selector ends an edit in the table, so that it counts.
    m_bandBox->setEnabled(true);
    m_bandCombo->setFocus();
    m_channelGrid->commitEdit();
    if (write)
        m_session->startWrite(calibration);
    else
        m_session->startRead();
}

void MainWindow::readFinished(const RadioImage &image, int radioBand)
{
    decodeImage(image, m_state, cellTexts());
    if (radioBand >= 0)
        m_state.currentBand = radioBand; // else the band the image holds
    showState();
    reloadDialogs();
    markSaved();
    resetHistory();
    keepBackup();
}

// The port dialog. It is refused while a session runs: its probe would close the session's port.
// Each time it is shown it probes the ports afresh.
void MainWindow::choosePort()
{
    if (!m_session->engine().isIdle())
        return;
    PortDialog dialog(*m_session, m_portSlot, this);
    dialog.exec();
    m_portSlot = dialog.slot();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A session cut off here would leave the radio in programming mode, perhaps half written.
    // A session that ends while the question is open takes the question with it: the closing
    // then goes on as from an idle window.
    if (!m_session->engine().isIdle()) {
        MessageBoxWithdrawal whenEnded;
        connect(&m_session->engine(), &ProtocolEngine::runningChanged, &whenEnded, [&whenEnded](bool running) {
            if (!running)
                whenEnded.withdraw();
        });
        const MessageAnswer answer =
            ask(Messages::AbortSession, {MessageButtons::YesNo, MessageIcon::Exclamation}, nullptr, &whenEnded);
        if (answer != MessageAnswer::Yes && answer != MessageAnswer::Withdrawn) {
            event->ignore();
            return;
        }
        if (answer == MessageAnswer::Yes)
            m_session->abort();
    }
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    // Shutdown: the three settings. A settings file that cannot be written does not keep the
    // program open.
    m_settingsFile.write({quint8(m_lockAction->isChecked() ? 1 : 0), quint8(m_portSlot), quint8(m_language)});
    // The dialogs have no owner: left open, they would keep the program running.
    for (FeatureDialog *dialog : featureDialogs())
        dialog->hide();
    // The end frame of a session ended here or just before may still wait in the port's buffer;
    // the program must not end before it is on the wire.
    m_session->link().waitForWritten(SessionDriver::FlushTimeout);
    event->accept();
}
