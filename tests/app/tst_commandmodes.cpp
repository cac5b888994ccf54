// What each mode of the window allows, every command by each way a user reaches it (its menu,
// its shortcut, its toolbar button, the control it lives in): an allowed command does what it
// does, a refused one does nothing at all, and the undo history is still usable afterwards.

#include "app/channelgrid.h"
#include "app/channelsheet.h"
#include "app/datafiledialog.h"
#include "app/mainwindow.h"
#include "dialogs/keysdialog.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/testfrequencydialog.h"
#include "document/programmingdocument.h"
#include "image/codec.h"
#include "link/portslots.h"
#include "storage/datafile.h"
#include "widgets/messagebox.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "common/files.h"
#include "common/richstates.h"
#include "common/windowparts.h"
#include "common/windowtest.h"

namespace {

enum class Way { Menu, Shortcut, Toolbar, Control, Drop, Recent };

const char *wayName(Way way)
{
    static const char *const names[] = {"menu", "shortcut", "toolbar", "control", "drop", "recent file"};
    return names[int(way)];
}

// The six modes, in the order of the expectations below.
const EditingMode Modes[] = {{SessionPhase::Idle, false}, {SessionPhase::Running, false}, {SessionPhase::Held, false},
                             {SessionPhase::Idle, true},  {SessionPhase::Running, true},  {SessionPhase::Held, true}};
const char *const ModeNames[] = {"idle", "running", "held", "locked", "locked, running", "locked, held"};

// A command, one way of giving it, and whether each mode allows it ("Y" or "n" per mode, in
// the order of Modes): the rules a user relies on, written out here rather than read from the
// window's table.
struct Case
{
    Command command;
    Way way;
    const char *action; // the action's object name, for menus, shortcuts and the toolbar
    QKeySequence keys;
    const char *allowed;
};

const Case Cases[] = {
    {Command::EditChannel, Way::Control, nullptr, {}, "YnYnnn"},
    {Command::ChangeBand, Way::Control, nullptr, {}, "YYYnnn"},
    {Command::ChangeSetting, Way::Control, nullptr, {}, "YnYnnn"},
    {Command::NewProgramming, Way::Menu, "mnuNew", {}, "Ynnnnn"},
    {Command::NewProgramming, Way::Toolbar, "mnuNew", {}, "Ynnnnn"},
    {Command::NewProgramming, Way::Shortcut, "mnuNew", QKeySequence(Qt::CTRL | Qt::Key_N), "Ynnnnn"},
    {Command::ImportCsv, Way::Menu, "mnuImportCsv", {}, "Ynnnnn"},
    {Command::ConfirmDialog, Way::Control, nullptr, {}, "YnYnnn"},
    {Command::Undo, Way::Menu, "mnuUndo", {}, "YnYnnn"},
    {Command::Undo, Way::Shortcut, "mnuUndo", QKeySequence(Qt::CTRL | Qt::Key_Z), "YnYnnn"},
    {Command::Redo, Way::Menu, "mnuRedo", {}, "YnYnnn"},
    {Command::Redo, Way::Shortcut, "mnuRedo", QKeySequence(Qt::CTRL | Qt::Key_Y), "YnYnnn"},
    {Command::Redo, Way::Shortcut, "mnuRedo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "YnYnnn"},
    {Command::Open, Way::Menu, "mnuOpen", {}, "YnnYnn"},
    {Command::Open, Way::Toolbar, "mnuOpen", {}, "YnnYnn"},
    {Command::Open, Way::Shortcut, "mnuOpen", QKeySequence(Qt::CTRL | Qt::Key_O), "YnnYnn"},
    {Command::Open, Way::Menu, "mnuOpenBackup", {}, "YnnYnn"},
    {Command::Open, Way::Drop, nullptr, {}, "YnnYnn"},
    {Command::Open, Way::Recent, nullptr, {}, "YnnYnn"},
    {Command::Read, Way::Menu, "mnureadFre", {}, "YnnYnn"},
    {Command::Read, Way::Shortcut, "mnureadFre", QKeySequence(Qt::CTRL | Qt::Key_R), "YnnYnn"},
    {Command::Read, Way::Toolbar, "mnureadFre", {}, "YnnYnn"},
    {Command::Write, Way::Menu, "mnuwriteFre", {}, "YnnYnn"},
    {Command::Write, Way::Shortcut, "mnuwriteFre", QKeySequence(Qt::CTRL | Qt::Key_W), "YnnYnn"},
    {Command::Write, Way::Toolbar, "mnuwriteFre", {}, "YnnYnn"},
    {Command::Save, Way::Menu, "mnuAssave", {}, "YYYYYY"},
    {Command::Save, Way::Toolbar, "mnuAssave", {}, "YnnYnn"}, // the toolbar is held during a session
    {Command::Save, Way::Shortcut, "mnuAssave", QKeySequence(Qt::CTRL | Qt::Key_S), "YYYYYY"},
    {Command::ExportCsv, Way::Menu, "mnuExportCsv", {}, "YYYYYY"},
    {Command::ExportPdf, Way::Menu, "mnuExportPdf", {}, "YYYYYY"},
    {Command::Print, Way::Menu, "mnuPrint", {}, "YYYYYY"},
    {Command::Print, Way::Shortcut, "mnuPrint", QKeySequence(Qt::CTRL | Qt::Key_P), "YYYYYY"},
    {Command::ShowDialog, Way::Menu, "mnudtmf", {}, "YnnYnn"},
    {Command::ShowDialog, Way::Menu, "mnutestfre", {}, "YnnYnn"},
    {Command::CompareRadio, Way::Menu, "mnuCompare", {}, "YnnYnn"},
    {Command::CompareFile, Way::Menu, "mnuCompareFile", {}, "YYYYYY"},
    {Command::ChoosePort, Way::Menu, "mnucom", {}, "YnnYnn"},
    {Command::SwitchLanguage, Way::Menu, "mnuChineseJ", {}, "YYYYYY"},
    {Command::ToggleLock, Way::Menu, "mnulock", {}, "YYYYYY"},
};

// What can be seen of a command having run.
struct Trace
{
    QByteArray image;
    int messages = 0;
    int fileDialogs = 0;
    int printers = 0;
    int modalWindows = 0;
    int dialogsShown = 0;
    bool undoable = false;
    bool redoable = false;
    QString title;
    LanguageMode language = Language::Simplified;
    bool locked = false;

    friend bool operator==(const Trace &, const Trace &) = default;
};

} // namespace

class TestCommandModes : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    int m_messages = 0;
    int m_fileDialogs = 0;
    int m_printers = 0;
    int m_modalWindows = 0;

    MainWindow &w() { return *m_window; }
    QAction *action(const char *name) { return findPart<QAction>(m_window.get(), name); }

    Trace trace()
    {
        ProgrammingDocument &document = w().document();
        return {document.image().bytes(), m_messages, m_fileDialogs, m_printers, m_modalWindows,
                int(w().optionsDialog().isVisible()) + int(w().keysDialog().isVisible())
                    + int(w().testFrequencyDialog().isVisible()),
                document.canUndo(), document.canRedo(), w().windowTitle(), w().language(), document.isLocked()};
    }

    // A window with a file opened, two edits of which one is undone (so that Undo and Redo both
    // have a step), and the keys dialog open with a choice not yet confirmed.
    void prepare()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_window = startWindow(m_dir->path(), QByteArray("\x00\x00\x01", 3));
        const QString path = m_dir->filePath("two.DAT");
        QVERIFY(DataFile::write(path, encodeImage(twoChannels())));
        QVERIFY(w().openDataFile(path));
        auto *squelch = findPart<QComboBox>(m_window.get(), "Combo9");
        squelch->setCurrentIndex(5);
        squelch->setCurrentIndex(6);
        QVERIFY(w().document().undo());
        action("Key_enactment")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(&w().keysDialog()));
        findPart<QComboBox>(&w().keysDialog(), "Combo1")->setCurrentIndex(4);
        w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void enter(EditingMode mode)
    {
        if (mode.locked)
            action("mnulock")->trigger();
        w().document().setSessionPhase(mode.session);
        QCOMPARE(w().document().mode(), mode);
    }

    // Gives the command as a user does; a way that is closed (a greyed menu, button or control)
    // does nothing, as it does for the user.
    void give(const Case &c)
    {
        switch (c.way) {
        case Way::Menu:
            chooseFromMenu(action(c.action));
            break;
        case Way::Shortcut:
            QTest::keySequence(m_window.get(), c.keys);
            break;
        case Way::Toolbar:
            clickToolbarButton(m_window.get(), c.action);
            break;
        case Way::Drop: {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(m_dir->filePath("two.DAT"))});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(m_window.get(), &enter);
            if (!enter.isAccepted())
                break;
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(m_window.get(), &drop);
            break;
        }
        case Way::Recent: {
            auto *recent = findPart<QMenu>(m_window.get(), "mnuRecent");
            if (!recent->menuAction()->isEnabled())
                break;
            emit recent->aboutToShow();
            chooseFromMenu(recent->actions().constFirst());
            break;
        }
        case Way::Control:
            useControl(c.command);
            break;
        }
    }

    // Clicks the action in its menu, when the menus down to it are enabled (a user cannot open
    // them otherwise).
    void chooseFromMenu(QAction *action)
    {
        QList<QMenu *> path;
        for (QObject *holder = action->parent(); auto *menu = qobject_cast<QMenu *>(holder); holder = menu->parent())
            path.prepend(menu);
        for (QMenu *menu : path)
            if (!menu->menuAction()->isEnabled())
                return;
        QMenu *menu = path.last();
        menu->popup(m_window->mapToGlobal(QPoint(20, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        menu->hide();
    }

    void useControl(Command command)
    {
        switch (command) {
        case Command::EditChannel: {
            ChannelGrid &grid = w().channelGrid();
            QTest::mouseClick(grid.table()->viewport(), Qt::LeftButton, {}, grid.cellRect(3, 1).center());
            if (grid.frequencyEditor()->isVisible()) {
                QTest::keyClicks(grid.frequencyEditor(), "440");
                QTest::keyClick(grid.frequencyEditor(), Qt::Key_Return);
            }
            break;
        }
        case Command::ChangeBand:
            QTest::keyClick(findPart<QComboBox>(m_window.get(), "Combo1"), Qt::Key_Down);
            break;
        case Command::ChangeSetting:
            QTest::keyClick(findPart<QComboBox>(m_window.get(), "Combo2"), Qt::Key_Down);
            break;
        case Command::ConfirmDialog:
            w().keysDialog().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w().keysDialog()));
            QTest::keyClick(w().keysDialog().focusWidget(), Qt::Key_Return, Qt::ControlModifier);
            break;
        default:
            QFAIL("no control for this command");
        }
    }

private slots:
    void initTestCase()
    {
        hideMachinePorts();
        qunsetenv(PortSlots::EnvironmentVariable);
    }

    void init()
    {
        m_messages = m_fileDialogs = m_printers = m_modalWindows = 0;
        // Every question is answered Cancel (or its only button): what it would change stays.
        setMessageBoxResponder([this](const MessageBoxRequest &) {
            ++m_messages;
            return MessageAnswer::Cancel;
        });
        DataFileDialog::setChooser([this](DataFileDialog::Kind) {
            ++m_fileDialogs;
            return QString();
        });
        setPrinterChooser([this](QPrinter &) {
            ++m_printers;
            return false;
        });
    }

    void cleanup()
    {
        m_window.reset();
        setMessageBoxResponder(nullptr);
        DataFileDialog::setChooser(nullptr);
        setPrinterChooser(nullptr);
    }

    void commands_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("mode");
        for (int index = 0; index < int(std::size(Cases)); ++index) {
            const Case &c = Cases[index];
            for (int mode = 0; mode < int(std::size(Modes)); ++mode)
                QTest::addRow("%s by %s%s%s, %s", qPrintable(Commands::name(c.command)), wayName(c.way),
                              c.action ? " " : "", c.action ? c.action : "", ModeNames[mode])
                    << index << mode;
        }
    }
    void commands()
    {
        QFETCH(int, index);
        QFETCH(int, mode);
        const Case &c = Cases[index];
        const bool allowed = c.allowed[mode] == 'Y';
        prepare();
        enter(Modes[mode]);
        // The port dialog is modal: it is closed as soon as it shows.
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                ++m_modalWindows;
                modal->close();
            }
        });
        closer.start(10);

        const Trace before = trace();
        const EditorState state = w().state();
        give(c);
        closer.stop();
        if (allowed) {
            QVERIFY2(trace() != before, "the command did nothing");
        } else {
            QVERIFY2(trace() == before, "a refused command did something");
            QCOMPARE(w().state(), state);
        }

        // Back to an idle, unlocked window: the history is as usable as before.
        w().document().setSessionPhase(SessionPhase::Idle);
        w().document().setLocked(false);
        if (before.undoable && (!allowed || w().document().canUndo())) {
            const EditorState now = w().state();
            action("mnuUndo")->trigger();
            QVERIFY(w().state() != now);
        }
    }

    // The facts of the table a user relies on, read from it: the lock refuses every edit and
    // nothing that only reads the programming; a running session refuses whatever would replace
    // the programming.
    void table()
    {
        const EditingMode locked {SessionPhase::Idle, true};
        for (Command edit : {Command::EditChannel, Command::ChangeBand, Command::ChangeSetting, Command::NewProgramming,
                             Command::ImportCsv, Command::ConfirmDialog, Command::Undo, Command::Redo})
            for (SessionPhase phase : {SessionPhase::Idle, SessionPhase::Running, SessionPhase::Held})
                QVERIFY2(!Commands::allowed(edit, {phase, true}), qPrintable(Commands::name(edit)));
        for (Command reads : {Command::Save, Command::ExportCsv, Command::ExportPdf, Command::Print, Command::Write,
                              Command::SwitchLanguage, Command::Open, Command::Read})
            QVERIFY2(Commands::allowed(reads, locked), qPrintable(Commands::name(reads)));
        for (Command replaces : {Command::Open, Command::Read, Command::NewProgramming, Command::ImportCsv})
            QVERIFY2(!Commands::allowed(replaces, {SessionPhase::Running, false}), qPrintable(Commands::name(replaces)));
    }
};

QTEST_MAIN(TestCommandModes)
#include "tst_commandmodes.moc"
