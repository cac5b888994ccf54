#include "app/mainwindow.h"

#include "app/channelgrid.h"
#include "app/comparecommands.h"
#include "app/debuggesture.h"
#include "app/filecommands.h"
#include "app/functionsettingspanel.h"
#include "app/radiocommands.h"
#include "app/sheetcommands.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/embeddedtextsdialog.h"
#include "dialogs/keysdialog.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/pictures.h"
#include "dialogs/powertuningdialog.h"
#include "dialogs/testfrequencydialog.h"
#include "document/programmingdocument.h"
#include "editor/channelrules.h"
#include "i18n/captions.h"
#include "i18n/celltexts.h"
#include "i18n/toolkittexts.h"
#include "link/sessiondriver.h"
#include "widgets/legibility.h"
#include "widgets/weblink.h"

#include <QApplication>
#include <algorithm>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

MainWindow::MainWindow(const SettingsFile &settingsFile, QWidget *parent)
    : QMainWindow(parent)
    , m_document(new ProgrammingDocument(this))
    , m_prompts(this, [this] { m_channelGrid->takeFocus(); })
    , m_settingsFile(settingsFile)
{
    setAcceptDrops(true);
    if (QApplication::windowIcon().isNull()) // every window of the program shows it
        QApplication::setWindowIcon(RadioPicture::programIcon(QStringLiteral(QV540_APP_ID)));
    buildMenus();
    buildToolbar();
    buildFrames();
    buildCommands();
    buildDialogs();
    connect(m_document, &ProgrammingDocument::programmingChanged, this, &MainWindow::showProgramming);
    connect(m_document, &ProgrammingDocument::filePathChanged, this, &MainWindow::showTitle);
    connect(m_document, &ProgrammingDocument::modeChanged, this, &MainWindow::updateEnabled);
    connect(m_document, &ProgrammingDocument::historyChanged, this, &MainWindow::updateEnabled);
    connect(m_document, &ProgrammingDocument::debugModeChanged, m_relockAction, &QAction::setVisible);
    restoreSettings();
}

// The programming goes with the window; what it says on the way no longer reaches the window.
MainWindow::~MainWindow()
{
    m_document->disconnect(this);
}

const EditorState &MainWindow::state() const
{
    return m_document->state();
}

SessionDriver &MainWindow::session()
{
    return m_radio->session();
}

int MainWindow::portSlot() const
{
    return m_radio->portSlot();
}

bool MainWindow::openDataFile(const QString &path)
{
    return m_files->openDataFile(path);
}

CompareWindow &MainWindow::compareWindow()
{
    return m_compare->compareWindow();
}

ChannelSheet MainWindow::channelSheet() const
{
    return m_sheets->sheet();
}

void MainWindow::setClock(std::function<double()> clock)
{
    m_debug->setClock(std::move(clock));
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
    m_newAction = action(m_fileMenu, "mnuNew", QKeySequence(Qt::CTRL | Qt::Key_N));
    m_openAction = action(m_fileMenu, "mnuOpen", QKeySequence(Qt::CTRL | Qt::Key_O));
    m_saveAction = action(m_fileMenu, "mnuAssave", QKeySequence(Qt::CTRL | Qt::Key_S));
    m_fileMenu->addSeparator();
    m_compareFileAction = action(m_fileMenu, "mnuCompareFile");
    m_importCsvAction = action(m_fileMenu, "mnuImportCsv");
    m_exportCsvAction = action(m_fileMenu, "mnuExportCsv");
    m_exportPdfAction = action(m_fileMenu, "mnuExportPdf");
    m_printAction = action(m_fileMenu, "mnuPrint", QKeySequence(Qt::CTRL | Qt::Key_P));
    m_fileMenu->addSeparator();
    m_openBackupAction = action(m_fileMenu, "mnuOpenBackup");
    m_recentMenu = m_fileMenu->addMenu(QString());
    m_recentMenu->setObjectName(QStringLiteral("mnuRecent"));
    m_fileMenu->addSeparator();
    m_quitAction = action(m_fileMenu, "mnuQuit", QKeySequence(Qt::CTRL | Qt::Key_Q));

    m_editMenu = menu("mnuEdit");
    m_undoAction = action(m_editMenu, "mnuUndo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = action(m_editMenu, "mnuRedo");
    m_redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    m_programmingMenu = menu("mnupro");
    m_readAction = action(m_programmingMenu, "mnureadFre", QKeySequence(Qt::CTRL | Qt::Key_R));
    m_writeAction = action(m_programmingMenu, "mnuwriteFre", QKeySequence(Qt::CTRL | Qt::Key_W));
    m_compareAction = action(m_programmingMenu, "mnuCompare");
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
    connect(m_quitAction, &QAction::triggered, this, &QWidget::close);
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
    m_channelGrid = new ChannelGrid(*m_document);
    connect(m_channelGrid, &ChannelGrid::frequencyOutOfBand, this, [this] { m_prompts.ask(Messages::BeyondRange); });

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
    m_settingsPanel = new FunctionSettingsPanel(*m_document);

    m_statusLabel = new QLabel;
    m_statusLabel->setObjectName(QStringLiteral("Label"));
    m_statusLabel->hide();
    m_linkLabel = new LinkLabel;
    m_linkLabel->setObjectName(QStringLiteral("Label2"));
    m_progressBar = new QProgressBar;
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->hide();

    makeLegibleWhenDisabled(m_bandBox);
    auto *side = new QVBoxLayout;
    side->addWidget(m_bandBox);
    side->addWidget(m_settingsPanel, 1);
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

void MainWindow::bind(QAction *action, Command command, std::function<void()> run)
{
    m_commands.push_back({action, command});
    connect(action, &QAction::triggered, this, [this, command, run = std::move(run)] {
        m_channelGrid->commitEdit(); // what was typed counts before anything else happens
        if (m_document->allows(command))
            run();
    });
}

// Every command of the menus and the toolbar, by the programming's command it is.
void MainWindow::buildCommands()
{
    m_files = new FileCommands(*m_document, m_prompts, this,
                               QFileInfo(m_settingsFile.writePath()).absolutePath() + QStringLiteral("/recent-files.ini"));
    m_sheets = new SheetCommands(*m_document, m_prompts, this, {m_channelGrid, m_bandLabel, m_bandCombo, m_settingsPanel});
    m_radio = new RadioCommands(*m_document, m_prompts, *m_files, this,
                                {m_statusLabel, m_progressBar, [this] { return m_bandCombo->currentIndex(); }});
    m_debug = new DebugGesture(*m_document, this);
    m_compare = new CompareCommands(*m_document, *m_files, *m_radio, this);
    connect(m_compare, &CompareCommands::writeRequested, m_writeAction, &QAction::trigger);
    connect(m_radio, &RadioCommands::sessionEnded, m_channelGrid, &ChannelGrid::takeFocus);
    connect(m_recentMenu, &QMenu::aboutToShow, this, [this] { m_files->showRecentFiles(m_recentMenu); });
    connect(m_relockAction, &QAction::triggered, m_debug, &DebugGesture::relockClicked);
    // The keyboard's ways into the frames beside the grid (their captions stay as they are), and
    // F10 into the menu bar; a disabled frame is not entered.
    const std::tuple<QKeySequence, QWidget *, std::function<QWidget *()>> ways[] = {
        {QKeySequence(Qt::ALT | Qt::Key_B), m_bandBox, [this] { return m_bandCombo; }},
        {QKeySequence(Qt::ALT | Qt::Key_G), m_settingsPanel, [this] { return m_settingsPanel->firstList(); }}};
    for (const auto &[keys, area, target] : ways)
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this, area, target] {
            if (!area->isEnabled())
                return;
            m_channelGrid->commitEdit();
            target()->setFocus(Qt::ShortcutFocusReason);
        });
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(m_fileMenu->menuAction()); });

    bind(m_newAction, Command::NewProgramming, [this] { m_files->newProgramming(); });
    bind(m_openAction, Command::Open, [this] { m_files->openFile(DataFileDialog::Kind::Open); });
    bind(m_saveAction, Command::Save, [this] { m_files->saveFile(); });
    bind(m_openBackupAction, Command::Open, [this] { m_files->openFile(DataFileDialog::Kind::OpenBackup); });
    bind(m_importCsvAction, Command::ImportCsv, [this] { m_sheets->importCsv(); });
    bind(m_exportCsvAction, Command::ExportCsv, [this] { m_sheets->exportCsv(); });
    bind(m_exportPdfAction, Command::ExportPdf, [this] { m_sheets->exportPdf(); });
    bind(m_printAction, Command::Print, [this] { m_sheets->print(); });
    bind(m_undoAction, Command::Undo, [this] { m_document->undo(); });
    bind(m_redoAction, Command::Redo, [this] { m_document->redo(); });
    bind(m_readAction, Command::Read, [this] { m_radio->read(); });
    bind(m_writeAction, Command::Write, [this] { m_radio->write(); });
    bind(m_compareAction, Command::CompareRadio, [this] { m_compare->compareWithRadio(); });
    bind(m_compareFileAction, Command::CompareFile, [this] { m_compare->compareWithFile(); });
    bind(m_portAction, Command::ChoosePort, [this] { m_radio->choosePort(); });
    bind(m_lockAction, Command::ToggleLock, [this] { m_document->setLocked(m_lockAction->isChecked()); });
    // The active language does nothing, not even end an open edit.
    const std::pair<QAction *, LanguageMode> languages[] = {{m_simplifiedAction, Language::Simplified},
        {m_traditionalAction, Language::Traditional}, {m_englishAction, Language::English}};
    for (const auto &[action, mode] : languages) {
        m_commands.push_back({action, Command::SwitchLanguage});
        connect(action, &QAction::triggered, this, [this, mode] { switchLanguage(mode); });
    }
}

// The feature dialogs are windows of their own, without owner, so that they stand beside the
// main window; they are created now, hidden, so that every language switch reaches them. The
// About box belongs to the main window and stays above it.
void MainWindow::buildDialogs()
{
    m_optionsDialog = std::make_unique<OptionsDialog>(*m_document);
    m_keysDialog = std::make_unique<KeysDialog>(*m_document);
    m_embeddedTextsDialog = std::make_unique<EmbeddedTextsDialog>(*m_document);
    m_powerTuningDialog = std::make_unique<PowerTuningDialog>(*m_document);
    m_testFrequencyDialog = std::make_unique<TestFrequencyDialog>(*m_document);
    m_aboutDialog = new AboutDialog(this);
    const std::pair<QAction *, FeatureDialog *> commands[] = {{m_optionsAction, m_optionsDialog.get()},
        {m_keysAction, m_keysDialog.get()}, {m_embeddedTextsAction, m_embeddedTextsDialog.get()},
        {m_debugAction, m_powerTuningDialog.get()}, {m_testFrequencyAction, m_testFrequencyDialog.get()}};
    for (const auto &[action, dialog] : commands)
        bind(action, Command::ShowDialog, [dialog] { dialog->present(); });
    connect(m_aboutAction, &QAction::triggered, this, [this] {
        m_aboutDialog->show();
        m_aboutDialog->raise();
        m_aboutDialog->activateWindow();
    });
    connect(m_optionsDialog.get(), &OptionsDialog::unlockCaptionClicked, m_debug, &DebugGesture::captionClicked);
}

QList<FeatureDialog *> MainWindow::featureDialogs() const
{
    return {m_optionsDialog.get(), m_keysDialog.get(), m_embeddedTextsDialog.get(), m_powerTuningDialog.get(),
            m_testFrequencyDialog.get()};
}

// Start-up: settings, language, port and band; the programming starts with its start values.
void MainWindow::restoreSettings()
{
    const Settings settings = m_settingsFile.read();
    // Only 1 locks; any other value leaves the program unlocked, with the lock shown off.
    m_document->setLocked(settings.lock == 1);
    m_prompts.setLanguage(settings.language);
    retranslate();
    m_radio->openPreferredPort(settings.port);
    changeBand(m_bandCombo->currentIndex());
    updateEnabled();
}

void MainWindow::retranslate()
{
    const LanguageMode mode = m_prompts.language();
    useToolkitLanguage(mode);
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
    m_radio->showStatus();

    m_bandBox->setTitle(caption(m_bandBox->objectName()));
    m_bandLabel->setText(caption(m_bandLabel->objectName()));
    m_linkLabel->clear();
    m_settingsPanel->retranslate(mode);

    QStringList header;
    for (int column = 0; column <= 8; ++column)
        header << caption(QStringLiteral("Grid1.header[%1]").arg(column));
    m_channelGrid->setLanguage(mode, CellTexts::forLanguage(mode), header);
    for (FeatureDialog *dialog : featureDialogs())
        dialog->retranslate(mode);
    m_aboutDialog->retranslate(mode);
    m_compare->retranslate(mode);
}

// A language command: the active language does nothing, not even a refresh of the grid.
void MainWindow::switchLanguage(LanguageMode mode)
{
    if (mode == m_prompts.language() || !m_document->allows(Command::SwitchLanguage))
        return;
    // An open editor holds the old language's items, which the new texts would no longer match.
    m_channelGrid->commitEdit();
    m_prompts.setLanguage(mode);
    retranslate();
}

// The title names the file what is shown came from, whatever the language; else it is the
// program's, never converted.
void MainWindow::showTitle()
{
    const QString file = m_document->filePath();
    setWindowTitle(file.isEmpty() ? captionText(u"Form1.title", unconvertedLanguage(m_prompts.language()))
                                  : QStringLiteral("Lumeo-") + file);
}

// The band selector follows the programming, without the band question; the grid and the
// function settings follow it themselves.
void MainWindow::showProgramming()
{
    m_bandCombo->setCurrentIndex(m_document->state().currentBand);
}

// What the user may touch is what the programming's mode allows. A widget about to be disabled
// gives up the keyboard focus to the window first, so that the toolkit does not hand it to the
// next control (the band selector), where keys meant for the grid would change the band. The
// toolbar is held as a whole during a session.
void MainWindow::updateEnabled()
{
    const std::pair<QWidget *, Command> areas[] = {{m_channelGrid, Command::EditChannel},
        {m_settingsPanel, Command::ChangeSetting}, {m_bandBox, Command::ChangeBand}};
    for (const auto &[area, command] : areas) {
        const bool enabled = m_document->allows(command);
        if (!enabled && focusWidget() && area->isAncestorOf(focusWidget()))
            centralWidget()->setFocus();
        area->setEnabled(enabled);
    }
    for (const auto &[action, command] : m_commands)
        action->setEnabled(m_document->allows(command));
    m_undoAction->setEnabled(m_document->canUndo());
    m_redoAction->setEnabled(m_document->canRedo());
    m_lockAction->setChecked(m_document->isLocked());
    m_recentMenu->setEnabled(m_document->allows(Command::Open));
    const QList<QAction *> programming = m_programmingMenu->actions();
    m_programmingMenu->setEnabled(std::any_of(programming.begin(), programming.end(),
                                              [](QAction *action) { return !action->isSeparator() && action->isEnabled(); }));
    m_toolbar->setEnabled(m_document->mode().session == SessionPhase::Idle);
}

// Band selection: the limits follow the selected band; a band other than the one in force asks
// first, since the channels of one band make no sense in another. OK leaves the focus in the
// grid, Cancel where it was.
void MainWindow::changeBand(int band)
{
    m_bandLimits = Bands::limitsOf(m_bandCombo->itemText(band));
    m_channelGrid->setBandLimits(m_bandLimits);
    if (band == m_document->state().currentBand)
        return;
    const QPointer<QWidget> focus = QApplication::focusWidget();
    bool changed = false;
    if (m_document->allows(Command::ChangeBand)) {
        const MessageStyle style {MessageButtons::OkCancel, MessageIcon::Question, 1};
        const bool clear = m_prompts.ask(Messages::BandChange, style, &Messages::BandChangeTitle) == MessageAnswer::Ok;
        // A read that ended while the question was open chose the band itself, with its
        // channels: the answer is moot then.
        if (m_bandCombo->currentIndex() != band || m_document->state().currentBand == band)
            return;
        changed = clear && m_document->edit(Command::ChangeBand, [band](EditorState &state) {
            ChannelRules::clearAllChannels(state);
            state.currentBand = band;
        });
    }
    if (!changed) {
        m_bandCombo->setCurrentIndex(m_document->state().currentBand);
        if (focus)
            focus->setFocus();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_channelGrid->commitEdit();
    if (!m_radio->mayClose() || !m_files->settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    // Shutdown: the three settings. A settings file that cannot be written does not keep the
    // program open.
    m_settingsFile.write({quint8(m_document->isLocked() ? 1 : 0), quint8(m_radio->portSlot()),
                          quint8(m_prompts.language())});
    // The dialogs have no owner: left open, they would keep the program running.
    for (FeatureDialog *dialog : featureDialogs())
        dialog->hide();
    m_radio->flush();
    event->accept();
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
    if (!droppedDataFile(event->mimeData()).isEmpty() && m_document->allows(Command::Open))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedDataFile(event->mimeData());
    if (path.isEmpty() || !m_document->allows(Command::Open))
        return;
    event->acceptProposedAction();
    m_channelGrid->commitEdit();
    m_files->openDroppedFile(path);
}
