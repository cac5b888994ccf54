#include "app/form1.h"

#include "app/datafiledialog.h"
#include "editor/channelgrid.h"
#include "editor/channelrules.h"
#include "i18n/captions.h"
#include "i18n/msgboxlocalized.h"
#include "image/codec.h"
#include "link/formcom.h"
#include "link/sessiondriver.h"
#include "storage/datafile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
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

} // namespace

Form1::Form1(const SettingsFile &settingsFile, QWidget *parent)
    : QMainWindow(parent)
    , m_session(new SessionDriver(this))
    , m_settingsFile(settingsFile)
{
    buildMenus();
    buildToolbar();
    buildFrames();
    connectSession();
    Form_Load();
}

void Form1::buildMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QKeySequence &shortcut = {}) {
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
    mnuFile = menu("mnuFile");
    mnuNew = action(mnuFile, "mnuNew");
    mnuOpen = action(mnuFile, "mnuOpen");
    mnuAssave = action(mnuFile, "mnuAssave");
    mnuFile->addSeparator();
    mnuQuit = action(mnuFile, "mnuQuit");

    mnupro = menu("mnupro");
    mnureadFre = action(mnupro, "mnureadFre", QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuwriteFre = action(mnupro, "mnuwriteFre", QKeySequence(Qt::CTRL | Qt::Key_W));
    mnupro->addSeparator();
    mnudtmf = action(mnupro, "mnudtmf");
    Key_enactment = action(mnupro, "Key_enactment");
    mnusetin = action(mnupro, "mnusetin");
    mnudebug = action(mnupro, "mnudebug");
    mnutestfre = action(mnupro, "mnutestfre");

    mnuset = menu("mnuset");
    mnulock = action(mnuset, "mnulock");
    mnulock->setCheckable(true);
    mnulock->setChecked(true); // as created; start-up sets it from the settings file
    mnucom = action(mnuset, "mnucom");
    mnuLanguage = mnuset->addMenu(QString());
    mnuLanguage->setObjectName(QStringLiteral("mnuLanguage"));
    mnuChineseJ = action(mnuLanguage, "mnuChineseJ");
    mnuChineseF = action(mnuLanguage, "mnuChineseF");
    mnuEnglish = action(mnuLanguage, "mnuEnglish");

    mnuhelp = menu("mnuhelp");
    // There is no help: the entry stays greyed. Its caption names F1 already, so it carries no
    // shortcut that the menu would show a second time.
    mnumainhelp = action(mnuhelp, "mnumainhelp");
    mnumainhelp->setEnabled(false);
    mnuabout = action(mnuhelp, "mnuabout");

    connect(mnuNew, &QAction::triggered, this, &Form1::mnuNew_Click);
    connect(mnuOpen, &QAction::triggered, this, &Form1::mnuOpen_Click);
    connect(mnuAssave, &QAction::triggered, this, &Form1::mnuAssave_Click);
    connect(mnuQuit, &QAction::triggered, this, &QWidget::close);
    connect(mnulock, &QAction::triggered, this, &Form1::mnulock_Click);
    connect(mnucom, &QAction::triggered, this, &Form1::mnucom_Click);
    connect(mnureadFre, &QAction::triggered, this, [this] { startSession(false); });
    connect(mnuwriteFre, &QAction::triggered, this, [this] { startSession(true); });
}

void Form1::buildToolbar()
{
    Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    const struct { const char *key; QStyle::StandardPixmap icon; } buttons[] = {
        {"new", QStyle::SP_FileIcon}, {"open", QStyle::SP_DialogOpenButton}, {"save", QStyle::SP_DialogSaveButton},
        {nullptr, {}}, {"read", QStyle::SP_ArrowDown}, {"write", QStyle::SP_ArrowUp}, {"Korvu", QStyle::SP_BrowserReload}};
    for (const auto &button : buttons) {
        if (!button.key) {
            Toolbar1->addSeparator();
            continue;
        }
        const QString key = QLatin1StringView(button.key);
        QAction *a = Toolbar1->addAction(style()->standardIcon(button.icon), QString());
        a->setObjectName(QStringLiteral("Toolbar1_") + key);
        a->setData(key);
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
    Toolbar1->actions().constLast()->setVisible(false); // the relock button shows only in debug mode
}

void Form1::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1StringView("new"))
        mnuNew->trigger();
    else if (key == QLatin1StringView("open"))
        mnuOpen->trigger();
    else if (key == QLatin1StringView("save"))
        mnuAssave->trigger();
    else if (key == QLatin1StringView("write"))
        mnuwriteFre->trigger();
    else if (key == QLatin1StringView("read"))
        mnureadFre->trigger();
}

void Form1::buildFrames()
{
    channelGrid = new ChannelGrid(m_state);
    Grid1 = channelGrid->Grid1;
    connect(channelGrid, &ChannelGrid::frequencyOutOfBand, this, [this] {
        ask(Messages::BeyondRange, MsgBoxStyle::OkOnly);
        Grid1->setFocus();
    });

    Frame1 = new QGroupBox;
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label3 = new QLabel;
    Combo1 = new QComboBox;
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems(Bands::items());
    auto *bandLayout = new QHBoxLayout(Frame1);
    bandLayout->addWidget(Label3);
    bandLayout->addWidget(Combo1, 1);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form1::Combo1_Click);

    Frame2 = new QGroupBox;
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto *settingsLayout = new QGridLayout(Frame2);
    settingsLayout->setVerticalSpacing(12);
    const double twips = logicalDpiX() / 1440.0;
    int row = 0;
    auto addSetting = [&](QLabel *&label, QComboBox *&combo, const char *name, int EditorState::*field) {
        label = new QLabel;
        combo = new QComboBox;
        combo->setObjectName(QLatin1StringView(name));
        combo->setMinimumWidth(int(1335 * twips));
        settingsLayout->addWidget(label, row, 0);
        settingsLayout->addWidget(combo, row, 1);
        ++row;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, field](int index) { m_state.*field = index; });
    };
    addSetting(Label4, Combo2, "Combo2", &EditorState::voicePrompt);
    addSetting(Label5, Combo3, "Combo3", &EditorState::timeout);
    addSetting(Label1, Combo4, "Combo4", &EditorState::timeoutWarn);
    addSetting(Label6, Combo9, "Combo9", &EditorState::squelch);
    addSetting(Label7, Combo6, "Combo6", &EditorState::batterySave);
    addSetting(Label8, Combo7, "Combo7", &EditorState::beep);
    settingsLayout->setRowStretch(row, 1);

    Label = new QLabel;
    Label->setObjectName(QStringLiteral("Label"));
    Label->hide();
    Label2 = new QLabel;
    Label2->setObjectName(QStringLiteral("Label2"));
    ProgressBar1 = new QProgressBar;
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 460);

    makeLegibleWhenDisabled(Frame1);
    makeLegibleWhenDisabled(Frame2);
    auto *side = new QVBoxLayout;
    side->addWidget(Frame1);
    side->addWidget(Frame2, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(channelGrid, 0, Qt::AlignTop);
    top->addLayout(side);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label, 1);
    bottom->addWidget(ProgressBar1, 1);
    bottom->addWidget(Label2);
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    setCentralWidget(central);
}

// Start-up: settings, language, lists, band, and the start values of everything else.
void Form1::Form_Load()
{
    const Settings settings = m_settingsFile.read();
    // Only 1 locks; any other value leaves the program unlocked, with the lock shown off.
    setLocked(settings.lock == 1);
    ComPortNumber = settings.port;
    m_language = settings.language;
    ApplyLanguage();
    m_formCom = new FormCOM(*m_session, ComPortNumber, this); // probes and opens a port

    m_state.currentBand = 0;
    Combo1->setCurrentIndex(0);
    Combo1_Click();
    ResetToDefaults();
    markSaved();
}

void Form1::ResetToDefaults()
{
    m_state = EditorState();
    showState();
    ProgressBar1->hide();
}

CellTexts Form1::cellTexts() const
{
    return CellTexts::forLanguage(m_language);
}

void Form1::ApplyLanguage()
{
    const LanguageMode mode = m_language;
    auto caption = [mode](const char *key) { return captionText(QString::fromLatin1(key), mode); };
    setWindowTitle(caption("Form1.title"));
    for (QMenu *menu : {mnuFile, mnupro, mnuset, mnuLanguage, mnuhelp})
        menu->setTitle(caption(menu->objectName().toLatin1()));
    for (QAction *action : {mnuNew, mnuOpen, mnuAssave, mnuQuit, mnureadFre, mnuwriteFre, mnudtmf, Key_enactment,
                            mnusetin, mnudebug, mnutestfre, mnulock, mnucom, mnuChineseJ, mnuChineseF, mnuEnglish,
                            mnumainhelp, mnuabout})
        action->setText(caption(action->objectName().toLatin1()));
    for (QAction *action : Toolbar1->actions())
        if (const QString key = action->data().toString(); !key.isEmpty())
            action->setToolTip(caption(("Toolbar1." + key).toLatin1()));

    for (QGroupBox *frame : {Frame1, Frame2})
        frame->setTitle(caption(frame->objectName().toLatin1()));
    const std::pair<QLabel *, const char *> labels[] = {{Label3, "Label3"}, {Label4, "Label4"}, {Label5, "Label5"},
        {Label1, "Label1"}, {Label6, "Label6"}, {Label7, "Label7"}, {Label8, "Label8"}};
    for (const auto &[label, key] : labels)
        label->setText(caption(key));
    Label2->clear();

    const QString seconds = caption("suffix.seconds");
    setItems(Combo2, {caption("Combo2[0]"), caption("Combo2[1]"), caption("Combo2[2]")});
    setItems(Combo3, numberedItems(15, 15 * TimeoutItems, 15, seconds));
    setItems(Combo4, QStringList {caption("Combo4[0]")} + numberedItems(1, 10, 1, seconds));
    setItems(Combo9, numberedItems(0, 9, 1, caption("suffix.grade")));
    setItems(Combo6, {caption("Combo6[0]"), caption("Combo6[1]")});
    setItems(Combo7, {caption("Combo7[0]"), caption("Combo7[1]")});

    QStringList header;
    for (int column = 0; column <= 8; ++column)
        header << captionText(QStringLiteral("Grid1.header[%1]").arg(column), mode);
    channelGrid->setLanguage(m_language, cellTexts(), header);
    ChannelRules::SetGrid1Text(m_state, cellTexts());
    channelGrid->refresh();
}

void Form1::showState()
{
    channelGrid->refresh();
    Combo1->setCurrentIndex(m_state.currentBand); // taken without the band question
    const std::pair<QComboBox *, int> lists[] = {{Combo2, m_state.voicePrompt}, {Combo3, m_state.timeout},
        {Combo4, m_state.timeoutWarn}, {Combo9, m_state.squelch}, {Combo6, m_state.batterySave}, {Combo7, m_state.beep}};
    for (const auto &[combo, index] : lists) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

RadioImage Form1::encodedImage() const
{
    EditorState shown = m_state;
    shown.currentBand = Combo1->currentIndex();
    return EncodeImage(shown, cellTexts());
}

void Form1::markSaved()
{
    m_savedImage = encodedImage();
}

bool Form1::hasUnsavedChanges() const
{
    return encodedImage() != m_savedImage;
}

bool Form1::settleUnsavedChanges()
{
    channelGrid->commitEdit();
    if (!hasUnsavedChanges())
        return true;
    const int answer = ask(Messages::UnsavedChanges, MsgBoxStyle::YesNoCancel + MsgBoxStyle::Exclamation);
    if (answer == MsgBoxResult::Cancel || answer == MsgBoxResult::Withdrawn)
        return false;
    return answer == MsgBoxResult::No || mnuAssave_Click();
}

int Form1::ask(const Message &text, int style, const Message *title, MessageBoxWithdrawal *withdrawal)
{
    return MsgBoxLocalized(this, m_language, text.text(m_language), style, title ? title->text(m_language) : QString(),
                           withdrawal);
}

// Band selection: the limits follow the selected band; a band other than the one in force asks
// first, since the channels of one band make no sense in another.
void Form1::Combo1_Click()
{
    const int band = Combo1->currentIndex();
    const Bands::Limits limits = Bands::limitsOf(Combo1->currentText());
    BandLowLimit = limits.low;
    BandHighLimit = limits.high;
    channelGrid->setBandLimits(limits);
    if (band == m_state.currentBand)
        return;
    const int style = MsgBoxStyle::OkCancel + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2 + MsgBoxStyle::SystemModal;
    const bool clear = ask(Messages::BandChange, style, &Messages::BandChangeTitle) == MsgBoxResult::Ok;
    // A read that ended while the question was open chose the band itself, with its channels:
    // the answer is moot then.
    if (Combo1->currentIndex() != band || m_state.currentBand == band)
        return;
    if (clear) {
        ChannelRules::ClearGrid(m_state);
        m_state.currentBand = band;
        channelGrid->refresh();
    } else {
        Combo1->setCurrentIndex(m_state.currentBand);
    }
}

void Form1::mnuNew_Click()
{
    channelGrid->commitEdit();
    const int style = MsgBoxStyle::OkCancel + MsgBoxStyle::Exclamation + MsgBoxStyle::DefaultButton2;
    if (ask(Messages::ClearAll, style, &Messages::ClearAllTitle) == MsgBoxResult::Cancel)
        return;
    ChannelRules::ClearGrid1(m_state);
    channelGrid->refresh();
}

void Form1::mnuOpen_Click()
{
    if (!settleUnsavedChanges())
        return;
    const QString path = DataFileDialog::choose(this, DataFileDialog::Kind::Open);
    if (!path.isEmpty())
        openDataFile(path);
}

bool Form1::openDataFile(const QString &path)
{
    const DataFile::ReadResult file = DataFile::read(path);
    if (file.status == DataFile::ReadStatus::CannotOpen) {
        MsgBoxLocalized(this, m_language, Messages::CannotOpen.text(m_language) + path + "\n" + file.error, MsgBoxStyle::Critical);
        return false;
    }
    if (file.status == DataFile::ReadStatus::NotDataFile) {
        ask(Messages::WrongFileType, MsgBoxStyle::OkOnly);
        return false;
    }
    DecodeImage(file.image, m_state, cellTexts());
    showState();
    setWindowTitle(QStringLiteral("Lumeo-") + QFileInfo(path).absoluteFilePath());
    markSaved();
    return true;
}

// Saves under a chosen name; false when nothing was saved.
bool Form1::mnuAssave_Click()
{
    channelGrid->commitEdit();
    for (;;) {
        QString path = DataFileDialog::choose(this, DataFileDialog::Kind::Save);
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".DAT"); // so that the Open dialog shows it
        const int overwrite = MsgBoxStyle::YesNo + MsgBoxStyle::Question;
        if (QFileInfo::exists(path) && ask(Messages::Overwrite, overwrite) == MsgBoxResult::No)
            continue;
        const RadioImage image = encodedImage();
        QString error;
        if (!DataFile::write(path, image, &error)) {
            MsgBoxLocalized(this, m_language, Messages::CannotSave.text(m_language) + path + "\n" + error, MsgBoxStyle::Critical);
            return false;
        }
        setWindowTitle(QStringLiteral("Lumeo-") + QFileInfo(path).absoluteFilePath());
        m_savedImage = image;
        return true;
    }
}

void Form1::mnulock_Click()
{
    setLocked(mnulock->isChecked());
}

void Form1::setLocked(bool locked)
{
    mnulock->setChecked(locked);
    updateEnabled();
}

// What the user may touch. The editing lock guards the table, the band and the settings. A
// session locks out everything whose change it would miss or overwrite (the table, the
// settings), and until its final status has been shown, the commands; it enables the band
// selector, which the band question of a write refers to. The lock comes back afterwards.
void Form1::updateEnabled()
{
    const bool running = !m_session->engine().isIdle();
    const bool busy = m_session->engine().commandsLocked();
    const bool locked = mnulock->isChecked();
    Frame1->setEnabled(running || !locked);
    Frame2->setEnabled(!running && !locked);
    channelGrid->setEnabled(!running && !locked);
    Toolbar1->setEnabled(!busy);
    mnupro->setEnabled(!busy);
    for (QAction *action : {mnureadFre, mnuwriteFre, mnuNew, mnuOpen, mnucom})
        action->setEnabled(!busy);
}

void Form1::connectSession()
{
    ProtocolEngine &engine = m_session->engine();
    engine.setImageProvider([this] {
        channelGrid->commitEdit();
        return encodedImage();
    });
    engine.setSelectedBandProvider([this] { return Combo1->currentIndex(); });
    connect(&engine, &ProtocolEngine::commandsLockedChanged, this, &Form1::updateEnabled);
    connect(&engine, &ProtocolEngine::runningChanged, this, &Form1::updateEnabled);
    connect(&engine, &ProtocolEngine::statusChanged, this,
            [this](SessionMessage status) { Label->setText(sessionMessageText(status, m_language)); });
    connect(&engine, &ProtocolEngine::statusVisibleChanged, Label, &QWidget::setVisible);
    connect(&engine, &ProtocolEngine::progressVisibleChanged, ProgressBar1, &QWidget::setVisible);
    connect(&engine, &ProtocolEngine::progressChanged, ProgressBar1, &QProgressBar::setValue);
    connect(&engine, &ProtocolEngine::bandQuestionAsked, this, [this, &engine] {
        const int style = MsgBoxStyle::YesNo + MsgBoxStyle::Information;
        const QString question = sessionMessageText(SessionMessage::BandMismatch, m_language);
        engine.answerBandQuestion(MsgBoxLocalized(this, m_language, question, style) == MsgBoxResult::Yes);
    });
    connect(&engine, &ProtocolEngine::communicationError, this, [this] {
        const QString text = sessionMessageText(SessionMessage::CommunicationError, m_language);
        MsgBoxLocalized(this, m_language, text, MsgBoxStyle::Critical);
    });
    connect(&engine, &ProtocolEngine::readFinished, this, &Form1::readFinished);
    // What the radio now holds counts as saved; a change made during the write does not.
    connect(&engine, &ProtocolEngine::writeFinished, this, [this, &engine] { m_savedImage = engine.writeImage(); });
}

void Form1::startSession(bool write)
{
    if (!m_session->isPortOpen()) {
        const QString text = sessionMessageText(SessionMessage::PortNotOpen, m_language);
        MsgBoxLocalized(this, m_language, text, MsgBoxStyle::Information);
        return;
    }
    // A read replaces the editor's contents: unsaved changes are offered for saving first.
    if (!write && !settleUnsavedChanges())
        return;
    // Moving the focus to the band selector ends an edit in the table, so that it counts.
    Frame1->setEnabled(true);
    Combo1->setFocus();
    channelGrid->commitEdit();
    if (write)
        m_session->startWrite(m_state.debugUnlocked);
    else
        m_session->startRead();
}

void Form1::readFinished(const RadioImage &image, int radioBand)
{
    DecodeImage(image, m_state, cellTexts());
    if (radioBand >= 0)
        m_state.currentBand = radioBand; // else the band the image holds
    showState();
    markSaved();
}

// The port dialog. It is refused while a session runs: its probe would close the session's port.
void Form1::mnucom_Click()
{
    if (!m_session->engine().isIdle())
        return;
    if (!m_formCom)
        m_formCom = new FormCOM(*m_session, ComPortNumber, this);
    m_formCom->exec();
    // Closing the dialog unloads it: the next time, the ports are probed again.
    delete m_formCom;
    m_formCom = nullptr;
}

void Form1::closeEvent(QCloseEvent *event)
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
        const int answer = ask(Messages::AbortSession, MsgBoxStyle::YesNo + MsgBoxStyle::Exclamation, nullptr, &whenEnded);
        if (answer != MsgBoxResult::Yes && answer != MsgBoxResult::Withdrawn) {
            event->ignore();
            return;
        }
        if (answer == MsgBoxResult::Yes)
            m_session->abort();
    }
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    // Shutdown: the three settings. A settings file that cannot be written does not keep the
    // program open.
    m_settingsFile.write({quint8(mnulock->isChecked() ? 1 : 0), quint8(ComPortNumber), quint8(m_language)});
    event->accept();
}
