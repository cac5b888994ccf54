#include "app/channelgrid.h"
#include "app/comparewindow.h"
#include "app/datafiledialog.h"
#include "app/mainwindow.h"
#include "dialogs/optionsdialog.h"
#include "widgets/messagebox.h"
#include "image/codec.h"
#include "image/tonelist.h"
#include "interchange/csvchanneltable.h"
#include "link/portslots.h"
#include "storage/datafile.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QMimeData>
#include <QUrl>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "common/files.h"
#include "common/windowtest.h"
#include "common/richstates.h"
#ifdef Q_OS_UNIX
#include "common/filesizelimit.h"
#endif
#include "common/windowparts.h"

using Column = EditorState::Column;

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    QList<MessageBoxRequest> m_messages; // every message box shown, in order
    QList<MessageAnswer> m_answers;      // the answers to give; the first button when none is left
    QStringList m_fileNames;             // the file dialog's answers; cancelled when none is left
    int m_fileDialogs = 0;

    // A window started with the given settings file (none when null) in a fresh folder.
    MainWindow &start(const QByteArray &settings = QByteArray())
    {
        m_window.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_window = startWindow(m_dir->path(), settings);
        m_messages.clear();
        return *m_window;
    }

    // The settings the window writes: in the user's folder, never beside the program.
    QString settingsPath() const { return m_dir->filePath("user/parameter"); }
    ChannelGrid &grid() { return m_window->channelGrid(); }
    QTableWidget *table() { return grid().table(); }
    template <class T>
    T *find(const char *name) { return findPart<T>(m_window.get(), name); }
    QComboBox *combo(const char *name) { return find<QComboBox>(name); }
    QAction *action(const char *name) { return find<QAction>(name); }
    QString cell(int row, int column) { return table()->item(row - 1, column)->text(); }
    QStringList row(int r)
    {
        QStringList cells;
        for (int column = 1; column <= 8; ++column)
            cells << cell(r, column);
        return cells;
    }

    void clickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(table()->viewport(), button, {}, grid().cellRect(row, column).center());
    }

    void typeFrequency(int row, int column, const QString &text)
    {
        clickCell(row, column);
        QVERIFY(grid().frequencyEditor()->isVisible());
        QTest::keyClicks(grid().frequencyEditor(), text); // replaces the cell's text, which the editor selects
        if (text.isEmpty())
            QTest::keyClick(grid().frequencyEditor(), Qt::Key_Backspace);
        QTest::keyClick(grid().frequencyEditor(), Qt::Key_Return);
    }

    // Picks an item of an open drop-down list as a user does, with the arrow keys and Enter.
    void pickFromList(QComboBox *combo, int index)
    {
        QAbstractItemView *view = combo->view();
        QTRY_VERIFY(view->isVisible());
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
    }

    void choose(QComboBox *combo, int index)
    {
        combo->showPopup();
        pickFromList(combo, index);
    }

    // Message boxes are answered from m_answers, else with their first button, and collected.
    void answerMessageBoxes()
    {
        setMessageBoxResponder([this](const MessageBoxRequest &request) {
            m_messages << request;
            if (!m_answers.isEmpty())
                return m_answers.takeFirst();
            return request.style.buttons == MessageButtons::YesNo || request.style.buttons == MessageButtons::YesNoCancel
                ? MessageAnswer::Yes
                : MessageAnswer::Ok;
        });
    }

    QString messageText(int i = -1) const { return m_messages.value(i < 0 ? m_messages.size() - 1 : i).text; }

    // Where the platform delivers a key: an open drop-down list, else the window's focus widget,
    // whether or not the window is the active one.
    QWidget *keyTarget()
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            return popup->focusWidget() ? popup->focusWidget() : popup;
        QWidget *focus = m_window->focusWidget();
        return focus ? focus : m_window.get();
    }

    // Plays keys as a user does: "@r,c" clicks a cell, "<Key>" presses a key ("<Grid>" gives the
    // grid the focus, "<Inactive>" leaves no window active, as some desktops do after a message
    // box), anything else is typed character by character. Message boxes are the real ones,
    // closed by pressing Enter on them; their texts are collected.
    QStringList play(const QString &script)
    {
        QStringList boxes;
        QTimer boxCloser;
        connect(&boxCloser, &QTimer::timeout, [&boxes] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxes << box->text();
                QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
            }
        });
        boxCloser.start(10);
        setMessageBoxResponder(nullptr);
        const QHash<QString, Qt::Key> keys {{"Enter", Qt::Key_Return}, {"Tab", Qt::Key_Tab}, {"Backtab", Qt::Key_Backtab},
            {"Up", Qt::Key_Up}, {"Down", Qt::Key_Down}, {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},
            {"Home", Qt::Key_Home}, {"Esc", Qt::Key_Escape}};
        for (const QString &token : script.split(' ', Qt::SkipEmptyParts)) {
            if (token.startsWith('@')) {
                const QStringList cell = token.mid(1).split(',');
                clickCell(cell[0].toInt(), cell[1].toInt());
            } else if (token == "<Grid>") {
                table()->setFocus();
            } else if (token == "<Inactive>") {
                QApplication::setActiveWindow(nullptr);
            } else if (token.startsWith('<')) {
                const Qt::Key key = keys.value(token.mid(1, token.size() - 2));
                QTest::keyClick(keyTarget(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            } else {
                for (QChar c : token)
                    QTest::keyClick(keyTarget(), c.toLatin1());
            }
        }
        answerMessageBoxes();
        return boxes;
    }

    // A file with two channels in band 0, in English.
    QString richFile()
    {
        const QString path = m_dir->filePath("rich.DAT");
        [&] { QVERIFY(DataFile::write(path, encodeImage(twoChannels()))); }();
        return path;
    }

private slots:
    void initTestCase()
    {
        hideMachinePorts();
        qunsetenv(PortSlots::EnvironmentVariable);
    }

    void init()
    {
        m_messages.clear();
        m_answers.clear();
        m_fileNames.clear();
        m_fileDialogs = 0;
        answerMessageBoxes();
        DataFileDialog::setChooser([this](DataFileDialog::Kind) {
            ++m_fileDialogs;
            return m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
        });
    }

    void cleanup()
    {
        if (m_window)
            m_window->channelGrid().commitEdit();
        m_window.reset(); // the test's changes are discarded without a question: the responder answers
        setMessageBoxResponder(nullptr);
        DataFileDialog::setChooser(nullptr);
    }

    // ---- Start-up and shutdown ----

    void startUp_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QStringList>("texts"); // title, header 1, time-out, pre-alert, squelch, voice, battery
        QTest::newRow("first run") << QByteArray()
                                   << QStringList {"QV-540 对讲机编程软件 V1.20", "接收频率", "30 秒", "1 秒", "1 级", "中文", "使能"};
        QTest::newRow("English") << QByteArray("\x00\x00\x01", 3)
                                 << QStringList {"QV-540 Radio Software V1.20", "RX frequency", "30 S", "1 S", "1 Group", "Chinese", "On"};
    }
    void startUp()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QStringList, texts);
        MainWindow &w = start(settings);
        QCOMPARE(w.windowTitle(), texts[0]);
        QCOMPARE(table()->horizontalHeaderItem(1)->text(), texts[1]);
        QCOMPARE(combo("Combo3")->count(), 40);
        QCOMPARE(combo("Combo3")->itemText(39), texts[2].replace("30", "600"));
        QCOMPARE(combo("Combo3")->currentIndex(), 1);
        QCOMPARE(combo("Combo4")->currentText(), texts[3]);
        QCOMPARE(combo("Combo4")->count(), 11);
        QCOMPARE(combo("Combo9")->currentText(), texts[4]);
        QCOMPARE(combo("Combo9")->count(), 10);
        QCOMPARE(combo("Combo2")->currentText(), texts[5]);
        QCOMPARE(combo("Combo6")->currentText(), texts[6]);
        QCOMPARE(combo("Combo7")->currentIndex(), 1);
        QCOMPARE(combo("Combo1")->currentText(), QString("400-500MHz"));
        QCOMPARE(w.bandLimits().low, 400);
        QVERIFY(!action("mnulock")->isChecked());
        QVERIFY(table()->isEnabled());
        QVERIFY(!find<QProgressBar>("ProgressBar1")->isVisible());
        QVERIFY(!action("mnumainhelp")->isEnabled());
        QVERIFY(action("mnumainhelp")->shortcut().isEmpty()); // its caption names F1 already
        for (int r = 1; r <= 16; ++r) {
            QCOMPARE(cell(r, 0), QString("%1").arg(r, 2, 10, QChar('0')));
            QCOMPARE(row(r), QStringList(8, QString()));
        }
        QVERIFY(m_messages.isEmpty());
    }

    void settingsFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no file") << QByteArray() << false << QByteArray("\x00\x00\x00", 3);
        QTest::newRow("locked, English, COM4") << QByteArray("\x01\x04\x01", 3) << true << QByteArray("\x01\x04\x01", 3);
        QTest::newRow("lock byte neither 0 nor 1") << QByteArray("\x07\x02\x00", 3) << false << QByteArray("\x00\x02\x00", 3);
        QTest::newRow("five bytes") << QByteArray("\x00\x03\x00\x41\x42", 5) << false << QByteArray("\x00\x03\x00\x41\x42", 5);
    }
    void settingsFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, locked);
        QFETCH(QByteArray, after);
        start(before.isEmpty() ? QByteArray() : before);
        QCOMPARE(action("mnulock")->isChecked(), locked);
        for (QWidget *area : std::initializer_list<QWidget *> {find<QGroupBox>("Frame1"), find<QGroupBox>("Frame2"), table()})
            QCOMPARE(area->isEnabled(), !locked);
        action("mnuQuit")->trigger();
        QCOMPARE(readFileBytes(settingsPath()), after);
    }

    void lockCommand()
    {
        MainWindow &w = start();
        action("mnulock")->trigger();
        QVERIFY(!table()->isEnabled() && !find<QGroupBox>("Frame1")->isEnabled() && !find<QGroupBox>("Frame2")->isEnabled());
        clickCell(1, 1);
        QVERIFY(!grid().frequencyEditor()->isVisible()); // a locked grid opens no editor
        w.close();
        QCOMPARE(readFileBytes(settingsPath()).left(1), QByteArray("\x01", 1));
        action("mnulock")->trigger();
        QVERIFY(table()->isEnabled() && find<QGroupBox>("Frame1")->isEnabled() && find<QGroupBox>("Frame2")->isEnabled());
    }

    // ---- The grid and its editors ----

    void firstFrequencyMakesAChannel()
    {
        start(QByteArray("\x00\x00\x01", 3));
        clickCell(1, Column::Power); // an empty row starts with its RX frequency
        QVERIFY(grid().frequencyEditor()->isVisible());
        QCOMPARE(grid().frequencyEditor()->geometry(), grid().cellRect(1, Column::RxFrequency));
        QCOMPARE(table()->currentColumn(), 1);
        QTest::keyClicks(grid().frequencyEditor(), "4x3a8.12345678"); // letters do not pass; a tenth character neither
        QCOMPARE(grid().frequencyEditor()->text(), QString("438.12345"));
        QTest::keyClick(grid().frequencyEditor(), Qt::Key_Return);
        QVERIFY(!grid().frequencyEditor()->isVisible());
        QVERIFY(table()->hasFocus());
        QCOMPARE(row(1), (QStringList {"438.12000", "Off", "438.12000", "Off", "Hight", "Off", "Wide", "Have"}));
    }

    void frequencyOutOfBand_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("upper limit") << "500";
        QTest::newRow("below") << "399.99999";
    }
    void frequencyOutOfBand()
    {
        QFETCH(QString, typed);
        start(QByteArray("\x00\x00\x01", 3));
        typeFrequency(1, 1, "436.125");
        typeFrequency(1, 3, typed);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QString("Beyond the frequency range"));
        QCOMPARE(m_messages[0].title, QString("Lumeo"));
        QCOMPARE(m_messages[0].buttons, QStringList {"OK"});
        QCOMPARE(cell(1, 3), QString("436.12500"));
        typeFrequency(2, 1, typed); // an empty row stays empty
        QCOMPARE(row(2), QStringList(8, QString()));
    }

    void erasingFrequencies()
    {
        start();
        typeFrequency(1, 1, "436.125");
        typeFrequency(1, 3, "");
        QCOMPARE(cell(1, 3), QString("436.12500"));
        typeFrequency(1, 1, "");
        QCOMPARE(row(1), QStringList(8, QString()));
    }

    void keyboardAndMouse()
    {
        start();
        typeFrequency(1, 1, "436.125");
        table()->setCurrentCell(0, 3);
        table()->setFocus();
        QTest::keyClick(table(), Qt::Key_Right);
        QTest::keyClick(table(), Qt::Key_Left);
        QTest::keyClick(table(), Qt::Key_Left);
        QCOMPARE(table()->currentColumn(), 2);
        QVERIFY(!grid().frequencyEditor()->isVisible() && !grid().toneEditor()->isVisible()); // arrows only move
        table()->setCurrentCell(0, 3);
        QTest::keyClick(table(), Qt::Key_Return);
        QVERIFY(grid().frequencyEditor()->isVisible()); // Enter opens as a click does
        QCOMPARE(grid().frequencyEditor()->geometry(), grid().cellRect(1, 3));
        QTest::keyClick(grid().frequencyEditor(), Qt::Key_Return);

        clickCell(1, 5, Qt::RightButton);
        QVERIFY(table()->hasFocus());
        QCOMPARE(table()->currentColumn(), 3); // a right click only focuses
        QVERIFY(!grid().optionEditor(Column::Power)->isVisible());
    }

    // The grid by keyboard, from a fresh window or a file: after the keys, the channels and
    // whether an editor is still open. Real message boxes, closed with Enter.
    void keyboard_data()
    {
        QTest::addColumn<bool>("file");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("rows"); // channels 1.. as "cell|cell|...", "" for empty
        QTest::addColumn<bool>("editorOpen");
        QTest::addColumn<int>("refusals"); // "Beyond the frequency range" messages shown

        const auto added = [](const char *f) { return QString("%1|Off|%1|Off|Hight|Off|Wide|Have").arg(f); };
        const QString first = "436.12500|67.0|436.12500|D023N|Low|Carrow|Narrow|No";
        const QString second = "445.00625|Off|440.00000|Off|Hight|Off|Wide|Have";

        // A refusal, Enter on the message, then Enter reopens the editor: the next value counts.
        QTest::newRow("refused, then the same row, three times")
            << false << "@1,1 500 <Enter> <Enter> 460 <Enter> @1,1 500 <Enter> <Enter> 461 <Enter> "
                        "@1,1 500 <Enter> <Enter> 462 <Enter>"
            << QStringList {"462.00000|Off|460.00000|Off|Hight|Off|Wide|Have"} << false << 3;
        QTest::newRow("refused, then the next row, three times")
            << false << "@1,1 500 <Enter> <Down> <Enter> 441 <Enter> <Enter> 500 <Enter> <Down> <Enter> 442 <Enter> "
                        "<Enter> 500 <Enter> <Down> <Enter> 443 <Enter>"
            << QStringList {"", added("441.00000"), added("442.00000"), added("443.00000")} << false << 3;
        QTest::newRow("keys reach an inactive window")
            << false << "@1,1 <Inactive> 436.125 <Enter> <Enter> 438 <Enter>"
            << QStringList {"438.00000|Off|436.12500|Off|Hight|Off|Wide|Have"} << false << 0;

        // Keys that leave an editor end the edit first.
        QTest::newRow("Tab stores, then moves")
            << false << "@1,1 436.125 <Tab> <Tab> 438 <Enter>"
            << QStringList {"436.12500|Off|438.00000|Off|Hight|Off|Wide|Have"} << false << 0;
        QTest::newRow("Shift+Tab stores, then moves")
            << true << "@1,3 437 <Backtab> <Backtab> 439 <Enter>"
            << QStringList {"439.00000|67.0|437.00000|D023N|Low|Carrow|Narrow|No", second} << false << 0;
        QTest::newRow("Up and Down store, then move")
            << false << "@2,1 440 <Up> <Enter> 441 <Down> <Down> <Enter> 442 <Enter>"
            << QStringList {added("441.00000"), added("440.00000"), added("442.00000")} << false << 0;
        QTest::newRow("Escape keeps the frequency")
            << true << "@1,1 438 <Esc> @2,3 4 <Esc>" << QStringList {first, second} << false << 0;
        QTest::newRow("one Escape closes the list and the editor, keeping the tone")
            << true << "@1,2 <Esc> @2,4 9 <Esc>" << QStringList {first, second} << false << 0;
        QTest::newRow("Tab stores a typed tone; arrows pick")
            << true << "@1,2 88.5 <Tab> <Tab> <Enter> <Down> <Enter>"
            << QStringList {"436.12500|88.5|436.12500|D025N|Low|Carrow|Narrow|No", second} << false << 0;
        QTest::newRow("Tab leaves an option list unpicked")
            << true << "@1,5 <Tab> <Enter> <Up> <Enter>"
            << QStringList {"436.12500|67.0|436.12500|D023N|Low|Off|Narrow|No", second} << false << 0;
        QTest::newRow("Left and Right move the caret")
            << false << "@1,1 4361 <Left> . <Right> <Enter>" << QStringList {added("436.10000")} << false << 0;

        // Typing on a closed cell opens its editor with what was typed; nothing else jumps.
        QTest::newRow("typing replaces a frequency")
            << true << "@1,1 <Esc> 440 <Enter>"
            << QStringList {"440.00000|67.0|436.12500|D023N|Low|Carrow|Narrow|No", second} << false << 0;
        QTest::newRow("a letter does nothing")
            << true << "@2,1 <Esc> x441 <Enter>"
            << QStringList {first, "441.00000|Off|440.00000|Off|Hight|Off|Wide|Have"} << false << 0;
        QTest::newRow("typing on tone cells")
            << true << "@1,2 <Esc> <Esc> 100 <Tab> <Tab> d23i <Enter>"
            << QStringList {"436.12500|100.0|436.12500|D023I|Low|Carrow|Narrow|No", second} << false << 0;
        QTest::newRow("typing on an empty channel starts it")
            << false << "@1,1 <Esc> <Right> 436 <Enter>" << QStringList {added("436.00000")} << false << 0;
        QTest::newRow("typing leaves the editor open")
            << false << "@1,1 <Esc> 43" << QStringList {""} << true << 0;

        // The channel number is never the current cell.
        QTest::newRow("first focus on RX, Left and Home stay")
            << false << "<Grid> <Left> <Home> <Enter> 436.125 <Enter>" << QStringList {added("436.12500")} << false << 0;
    }
    void keyboard()
    {
        QFETCH(bool, file);
        QFETCH(QString, keys);
        QFETCH(QStringList, rows);
        QFETCH(bool, editorOpen);
        QFETCH(int, refusals);
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        if (file)
            QVERIFY(w.openDataFile(richFile()));
        const QStringList boxes = play(keys);
        QCOMPARE(boxes, QStringList(refusals, "Beyond the frequency range"));
        for (int r = 1; r <= rows.size(); ++r)
            QCOMPARE(row(r).join('|'), rows[r - 1].isEmpty() ? QString("|||||||") : rows[r - 1]);
        QCOMPARE(grid().openEditorWidget() != nullptr, editorOpen);
    }

    // Keys that leave the grid: a menu key in an open list closes the list and the editor,
    // storing nothing, and opens the menu; F10 opens the menu bar; Ctrl+Tab and Ctrl+Shift+Tab
    // leave the grid (an edit stored first); Alt+B and Alt+G go to the band and the settings,
    // unless the lock has greyed them.
    void keysOutOfTheGrid()
    {
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        QVERIFY(w.openDataFile(richFile()));
        const QStringList before = row(1);
        auto openMenu = [] { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); };
        for (const QKeyCombination keys : {QKeyCombination(Qt::AltModifier, Qt::Key_F), QKeyCombination(Qt::Key_F10)}) {
            clickCell(1, 5); // power: the list opens with its editor
            QTRY_VERIFY(grid().optionEditor(5)->view()->isVisible());
            QTest::keyClick(keyTarget(), keys.key(), keys.keyboardModifiers());
            QTRY_VERIFY(openMenu());
            QCOMPARE(openMenu()->objectName(), QString("mnuFile"));
            QVERIFY(!grid().openEditorWidget());
            QTest::keyClick(openMenu(), Qt::Key_Escape);
            QTRY_VERIFY(!openMenu());
            QCOMPARE(row(1), before);
        }
        table()->setFocus();
        QTest::keyClick(table(), Qt::Key_F10);
        QTRY_VERIFY(openMenu());
        QTest::keyClick(openMenu(), Qt::Key_Escape);
        QTRY_VERIFY(!openMenu());

        clickCell(2, 1);
        QTest::keyClicks(grid().frequencyEditor(), "441");
        QTest::keyClick(grid().frequencyEditor(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(cell(2, 1), QString("441.00000"));
        QVERIFY(!table()->isAncestorOf(QApplication::focusWidget()) && QApplication::focusWidget() != table());
        table()->setFocus();
        QTest::keyClick(table(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QApplication::focusWidget() != table());

        QTest::keyClick(table(), Qt::Key_B, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), combo("Combo1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), combo("Combo2"));
        action("mnulock")->trigger();
        QWidget *focus = QApplication::focusWidget();
        for (Qt::Key letter : {Qt::Key_B, Qt::Key_G}) {
            QTest::keyClick(&w, letter, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), focus);
        }
    }

    void pasteKeepsWhatTypingAccepts()
    {
        start();
        clickCell(1, 1);
        QApplication::clipboard()->setText(" 4x3 8.1a2345678");
        QTest::keySequence(grid().frequencyEditor(), QKeySequence::Paste);
        QCOMPARE(grid().frequencyEditor()->text(), QString("438.12345"));
        QTest::keyClick(grid().frequencyEditor(), Qt::Key_Return);
        QCOMPARE(cell(1, 1), QString("438.12000"));
    }

    // A channel outside the band (a radio or a file can hold one) stays as it is, but shows it.
    void outOfBandChannelIsMarked()
    {
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        EditorState file;
        file.channel(1) = Channel::on(mhz(u"145.02500"));
        file.channel(1)->tx = mhz(u"436.12500");
        const QString path = m_dir->filePath("other band.DAT");
        QVERIFY(DataFile::write(path, encodeImage(file)));
        QVERIFY(w.openDataFile(path));
        QTableWidgetItem *rx = table()->item(0, Column::RxFrequency);
        QTableWidgetItem *tx = table()->item(0, Column::TxFrequency);
        QCOMPARE(rx->text(), QString("145.02500"));
        QCOMPARE(rx->toolTip(), QString("Beyond the frequency range: 400-500MHz"));
        QVERIFY(rx->background() != tx->background());
        QVERIFY(tx->toolTip().isEmpty());
        typeFrequency(1, 1, "436.125"); // back in the band: unmarked
        QVERIFY(rx->toolTip().isEmpty());
        QCOMPARE(rx->background(), tx->background());
    }

    void typedTones_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::newRow("lower-case DCS") << "d23n" << "D023N";
        QTest::newRow("DCS above 777") << "D999i" << "D777I";
        QTest::newRow("not octal") << "D089N" << "Off";
        QTest::newRow("no letter") << "D23" << "Off";
        QTest::newRow("CTCSS") << "85" << "85.0";
        QTest::newRow("CTCSS too high") << "300" << "Off";
        QTest::newRow("letters filtered") << "8x8.5" << "88.5";
    }
    void typedTones()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        start(QByteArray("\x00\x00\x01", 3));
        typeFrequency(1, 1, "436.125");
        clickCell(1, Column::TxTone);
        QComboBox *combo = grid().toneEditor();
        QVERIFY(combo->isVisible());
        QTRY_VERIFY(combo->view()->isVisible()); // opens with its list dropped down
        QTest::keyClick(combo->view(), typed[0].toLatin1()); // typing closes the list and types
        QVERIFY(!combo->view()->isVisible());
        QTest::keyClicks(combo, typed.mid(1));
        QTest::keyClick(combo, Qt::Key_Return);
        QVERIFY(!combo->isVisible());
        QCOMPARE(this->cell(1, Column::TxTone), cell);
        QCOMPARE(ToneList::indexOf(m_window->state().toneFallback(1, Column::TxTone)), 0);
    }

    void pickedTone()
    {
        start();
        typeFrequency(1, 1, "436.125");
        clickCell(1, Column::RxTone);
        pickFromList(grid().toneEditor(), 163);
        QVERIFY(!grid().toneEditor()->isVisible());
        QCOMPARE(cell(1, Column::RxTone), QString("D047I"));
        QCOMPARE(ToneList::indexOf(m_window->state().toneFallback(1, Column::RxTone)), 163);
        clickCell(1, Column::RxTone);
        QTest::keyClick(grid().toneEditor()->view(), '3'); // refused: back to the picked tone
        QTest::keyClicks(grid().toneEditor(), "00");
        table()->setFocus();
        QCOMPARE(cell(1, Column::RxTone), QString("D047I"));
    }

    void optionCells()
    {
        MainWindow &w = start();
        typeFrequency(1, 1, "436.125");
        clickCell(1, Column::Power);
        QComboBox *power = grid().optionEditor(Column::Power);
        QVERIFY(power->isVisible());
        QCOMPARE(power->currentText(), QString("高")); // opening shows the cell's item, writes nothing
        QCOMPARE(cell(1, Column::Power), QString("高"));
        pickFromList(power, 0);
        QVERIFY(!power->isVisible());
        QCOMPARE(cell(1, Column::Power), QString("低"));
        QCOMPARE(w.state().channel(1)->power, Power::Low);

        clickCell(1, Column::Bandwidth);
        QComboBox *band = grid().optionEditor(Column::Bandwidth);
        QTRY_VERIFY(band->view()->isVisible());
        QTest::keyClick(band->view(), Qt::Key_Escape); // dropped down and left without a pick
        clickCell(2, 0);
        QVERIFY(!band->isVisible());
        QCOMPARE(cell(1, Column::Bandwidth), QString("宽带"));
        QCOMPARE(w.state().channel(1)->bandwidth, Bandwidth::Wide);
    }

    // ---- Band selection ----

    void bandQuestion()
    {
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        typeFrequency(1, 1, "436.125");
        m_answers << MessageAnswer::Cancel;
        choose(combo("Combo1"), 5);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QString("Change frequency channel list will remove, sure?"));
        QCOMPARE(m_messages[0].title, QString("Attention!"));
        QCOMPARE(m_messages[0].buttons, (QStringList {"OK", "Cancel"}));
        QCOMPARE(combo("Combo1")->currentIndex(), 0);
        QCOMPARE(cell(1, 1), QString("436.12500"));
        typeFrequency(2, 1, "150"); // checked against the band still in force
        QCOMPARE(messageText(), QString("Beyond the frequency range"));

        m_answers << MessageAnswer::Ok;
        choose(combo("Combo1"), 5);
        QCOMPARE(combo("Combo1")->currentIndex(), 5);
        QCOMPARE(w.state().currentBand, 5);
        QCOMPARE(row(1), QStringList(8, QString()));
        QCOMPARE(w.bandLimits().low, 136);
        QCOMPARE(w.bandLimits().high, 174);
        const int before = int(m_messages.size());
        choose(combo("Combo1"), 5); // the band in force asks nothing
        QCOMPARE(m_messages.size(), before);
    }

    // Where the keyboard focus is once a real message box has closed: in the grid's current
    // cell after the window's questions; back on the band selector after its question answered
    // Cancel; on the dialog's control after a box of a feature dialog.
    void focusAfterMessageBoxes_data()
    {
        QTest::addColumn<QString>("ask");    // what raises the box
        QTest::addColumn<QString>("button"); // the button pressed
        QTest::addColumn<QString>("focus");  // the object name of the focused widget afterwards
        QTest::newRow("New, Cancel") << "new" << "Cancel" << "Grid1";
        QTest::newRow("New, OK") << "new" << "OK" << "Grid1";
        QTest::newRow("band, OK") << "band" << "OK" << "Grid1";
        QTest::newRow("band, Cancel") << "band" << "Cancel" << "Combo1";
        QTest::newRow("frequency beyond the band") << "frequency" << "OK" << "Grid1";
        QTest::newRow("a dialog's message") << "fixed priority" << "OK" << "Combo11";
    }
    void focusAfterMessageBoxes()
    {
        QFETCH(QString, ask);
        QFETCH(QString, button);
        QFETCH(QString, focus);
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        if (ask != "fixed priority")
            typeFrequency(1, 1, "436.125");
        setMessageBoxResponder(nullptr);
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                for (QAbstractButton *b : box->buttons())
                    if (b->text() == button)
                        b->click();
        });
        closer.start(10);
        QWidget *window = &w;
        if (ask == "new") {
            action("mnuNew")->trigger();
        } else if (ask == "band") {
            combo("Combo1")->setFocus();
            QTest::keyClick(combo("Combo1"), Qt::Key_Down);
        } else if (ask == "frequency") {
            typeFrequency(2, 1, "520");
        } else {
            action("mnudtmf")->trigger();
            window = &w.optionsDialog();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QComboBox *priority = findPart<QComboBox>(window, "Combo11");
            priority->setFocus();
            QTest::keyClick(priority, Qt::Key_Down); // "fixed" without a channel: refused
            QCOMPARE(priority->currentIndex(), 0);
        }
        QTRY_VERIFY(QApplication::activeWindow() == window);
        QCOMPARE(window->focusWidget()->objectName(), focus);
        answerMessageBoxes();
    }

    // ---- Files ----

    void saveThenOpen()
    {
        MainWindow &w = start();
        m_answers << MessageAnswer::Ok;
        choose(combo("Combo1"), 5);
        typeFrequency(1, 1, "145.025");
        typeFrequency(3, 1, "150");
        clickCell(3, Column::RxTone);
        pickFromList(grid().toneEditor(), 60);
        choose(combo("Combo3"), 7);
        choose(combo("Combo9"), 9);
        const QStringList channel3 = row(3);

        const QString name = m_dir->filePath("radio"); // no extension: ".DAT" is added
        m_fileNames << name;
        action("mnuAssave")->trigger();
        const QString path = name + ".DAT";
        QCOMPARE(readFileBytes(path).size(), 853);
        QVERIFY(readFileBytes(path).startsWith("QVF54"));
        QCOMPARE(w.windowTitle(), "Lumeo-" + path);

        m_answers << MessageAnswer::Ok;
        action("mnuNew")->trigger();
        QCOMPARE(row(3), QStringList(8, QString()));
        QCOMPARE(combo("Combo1")->currentIndex(), 5); // New keeps the band and the settings
        QCOMPARE(combo("Combo3")->currentIndex(), 7);
        choose(combo("Combo3"), 2);

        m_fileNames << path;
        m_answers << MessageAnswer::No; // the changes since the save are not kept
        action("mnuOpen")->trigger();
        QCOMPARE(row(3), channel3);
        QCOMPARE(cell(1, 1), QString("145.02500"));
        QCOMPARE(combo("Combo1")->currentIndex(), 5);
        QCOMPARE(combo("Combo3")->currentIndex(), 7);
        QCOMPARE(combo("Combo9")->currentIndex(), 9);
        QCOMPARE(w.windowTitle(), "Lumeo-" + path);
    }

    void overwriteQuestion()
    {
        start();
        const QString path = m_dir->filePath("kept.DAT");
        writeFileBytes(path, "old");
        typeFrequency(1, 1, "436.125");
        m_fileNames << path; // then the second dialog is cancelled
        m_answers << MessageAnswer::No;
        action("mnuAssave")->trigger();
        QCOMPARE(m_fileDialogs, 2);
        QCOMPARE(messageText(), QString("该文件已存在，是否覆盖？"));
        QCOMPARE(m_messages.last().buttons, (QStringList {"是", "否"}));
        QCOMPARE(readFileBytes(path), QByteArray("old"));

        m_fileNames << path;
        m_answers << MessageAnswer::Yes;
        action("mnuAssave")->trigger();
        QCOMPARE(readFileBytes(path).size(), 853);
    }

    void notADataFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("wrong signature") << "QVX54" + QByteArray(848, '\xFF');
        QTest::newRow("too short") << "QVF54" + QByteArray(700, '\x00');
    }
    void notADataFile()
    {
        QFETCH(QByteArray, contents);
        MainWindow &w = start();
        typeFrequency(1, 1, "436.125");
        const QString title = w.windowTitle();
        const QString path = m_dir->filePath("other.DAT");
        writeFileBytes(path, contents);
        m_fileNames << path;
        m_answers << MessageAnswer::No; // not saved first
        action("mnuOpen")->trigger();
        QCOMPARE(messageText(), QString("文件类型不对，无法打开。"));
        QCOMPARE(cell(1, 1), QString("436.12500"));
        QCOMPARE(w.windowTitle(), title);
    }

    void failures()
    {
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        typeFrequency(1, 1, "436.125");
        const QString title = w.windowTitle();
        m_fileNames << m_dir->filePath("missing/folder/radio.DAT");
        action("mnuAssave")->trigger();
        QVERIFY(messageText().startsWith("The file could not be saved"));
        QCOMPARE(w.windowTitle(), title);

        m_fileNames << m_dir->filePath("missing.DAT");
        m_answers << MessageAnswer::No; // not saved first
        action("mnuOpen")->trigger();
        QVERIFY(messageText().startsWith("The file could not be opened"));
        QCOMPARE(cell(1, 1), QString("436.12500"));

        m_answers << MessageAnswer::No;
        action("mnuOpen")->trigger(); // a cancelled dialog says nothing
        const int before = int(m_messages.size());
        action("mnuAssave")->trigger();
        QCOMPARE(m_messages.size(), before);
    }

    // The disk fills up during a save: a message, and the old file, the caption and the unsaved
    // changes as they were.
    void saveOntoAFullDisk()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs a file size limit (POSIX)");
#else
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        const QString path = richFile();
        const QByteArray old = readFileBytes(path);
        QVERIFY(w.openDataFile(path));
        const QString title = w.windowTitle();
        typeFrequency(3, 1, "436.125");
        m_fileNames << path;
        m_answers << MessageAnswer::Yes; // overwrite
        {
            const FileSizeLimit fullDisk(500);
            action("mnuAssave")->trigger();
        }
        QVERIFY2(messageText().startsWith("The file could not be saved"), qPrintable(messageText()));
        QCOMPARE(readFileBytes(path), old);
        QCOMPARE(w.windowTitle(), title);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), (QStringList {"parameter", "rich.DAT"}));
        m_answers << MessageAnswer::Cancel;
        QVERIFY(!w.close());
        QCOMPARE(messageText(), QString("The channel data or settings have changed. Save them?"));
#endif
    }

    // Open with unsaved changes asks first, as closing does.
    void openAsksAboutUnsavedChanges_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<int>("fileDialogs");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("opened");
        QTest::newRow("yes: saved, then opened") << true << MessageAnswer::Yes << 2 << true << true;
        QTest::newRow("no: opened, changes dropped") << true << MessageAnswer::No << 1 << false << true;
        QTest::newRow("cancel: nothing") << true << MessageAnswer::Cancel << 0 << false << false;
        QTest::newRow("no changes: no question") << false << MessageAnswer::Withdrawn << 1 << false << true;
    }
    void openAsksAboutUnsavedChanges()
    {
        QFETCH(bool, changed);
        QFETCH(MessageAnswer, answer);
        QFETCH(int, fileDialogs);
        QFETCH(bool, saved);
        QFETCH(bool, opened);
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        const QString file = richFile();
        if (changed)
            typeFrequency(1, 1, "438");
        const QStringList before = row(1);
        const QString savePath = m_dir->filePath("kept.DAT");
        if (answer == MessageAnswer::Yes)
            m_fileNames << savePath;
        m_fileNames << file;
        if (changed)
            m_answers << answer;
        action("mnuOpen")->trigger();
        QCOMPARE(m_messages.size(), changed ? 1 : 0);
        if (changed) {
            QCOMPARE(m_messages[0].text, QString("The channel data or settings have changed. Save them?"));
            QCOMPARE(m_messages[0].buttons, (QStringList {"Yes", "No", "Cancel"}));
        }
        QCOMPARE(m_fileDialogs, fileDialogs);
        QCOMPARE(QFileInfo::exists(savePath), saved);
        QCOMPARE(cell(1, 1), opened ? QString("436.12500") : before[0]);
        // What was opened counts as saved; changes kept by Cancel are still unsaved.
        const qsizetype asked = m_messages.size();
        m_answers << MessageAnswer::No;
        QVERIFY(w.close());
        QCOMPARE(m_messages.size() - asked, opened ? 0 : 1);
    }

    void newCommand()
    {
        start();
        typeFrequency(1, 1, "436.125");
        m_answers << MessageAnswer::Cancel;
        action("mnuNew")->trigger();
        QCOMPARE(m_messages[0].text, QString("所有信道的数据将被清除！"));
        QCOMPARE(m_messages[0].title, QString("警告"));
        QCOMPARE(cell(1, 1), QString("436.12500"));
        action("mnuNew")->trigger();
        QCOMPARE(cell(1, 1), QString());
    }

    // A typed tone that is refused falls back on the tone of the file, not of an earlier one.
    void openedToneIsTheFallback()
    {
        MainWindow &w = start();
        typeFrequency(1, 1, "436.125");
        clickCell(1, Column::RxTone);
        pickFromList(grid().toneEditor(), 5); // 77.0, remembered as picked
        EditorState file;
        file.channel(1) = Channel::on(mhz(u"436.12500"));
        file.channel(1)->rxTone = tone(u"88.5");
        const QString path = m_dir->filePath("tone.DAT");
        QVERIFY(DataFile::write(path, encodeImage(file)));
        QVERIFY(w.openDataFile(path));
        clickCell(1, Column::RxTone);
        QTest::keyClick(grid().toneEditor()->view(), '3');
        QTest::keyClicks(grid().toneEditor(), "00");
        QTest::keyClick(grid().toneEditor(), Qt::Key_Return);
        QCOMPARE(cell(1, Column::RxTone), QString("88.5"));
    }

    // ---- Closing ----

    void closingAsksOnlyAboutChanges_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel") << MessageAnswer::Cancel << false << false;
        QTest::newRow("no") << MessageAnswer::No << true << false;
        QTest::newRow("yes") << MessageAnswer::Yes << true << true;
    }
    void closingAsksOnlyAboutChanges()
    {
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        MainWindow &w = start();
        QVERIFY(w.close()); // nothing changed: nothing asked
        QVERIFY(m_messages.isEmpty());

        start();
        choose(combo("Combo9"), 4);
        m_answers << answer;
        m_fileNames << m_dir->filePath("closing.DAT");
        QCOMPARE(m_window->close(), closed);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].buttons, (QStringList {"是", "否", "取消"}));
        QCOMPARE(QFileInfo::exists(m_dir->filePath("closing.DAT")), saved);
        QCOMPARE(QFileInfo::exists(settingsPath()), closed);
    }

    // Only files are opened: a pipe or a device would keep the window waiting for ever. Each way
    // a file reaches the window refuses them with a message, and the programming stays.
    void specialFilesAreNotOpened_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("way");
        for (const char *kind : {"pipe", "folder", "socket", "device"})
            for (const char *way : {"Open", "drop", "command line", "Import CSV"})
                QTest::addRow("%s by %s", kind, way) << QString(kind) << QString(way);
    }
    void specialFilesAreNotOpened()
    {
        QFETCH(QString, kind);
        QFETCH(QString, way);
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        QVERIFY(w.openDataFile(richFile()));
        const QStringList before = row(1);
        QString path = m_dir->filePath(kind + ".DAT");
        int socket = -1;
        if (kind == "pipe") {
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == "socket") {
            socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address {};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path) - 1);
            QVERIFY(::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0);
        } else {
            path = "/dev/zero";
        }
        if (way == "Open") {
            m_fileNames << path;
            action("mnuOpen")->trigger();
        } else if (way == "drop") {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(kind == "device" ? m_dir->filePath("zero.DAT") : path)});
            if (kind == "device")
                QVERIFY(QFile::link("/dev/zero", m_dir->filePath("zero.DAT"))); // a .DAT name for the device
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(&w, &enter);
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(&w, &drop);
        } else if (way == "command line") {
            QVERIFY(!w.openDataFile(path));
        } else {
            m_fileNames << path;
            action("mnuImportCsv")->trigger();
        }
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(messageText().startsWith("The file could not be opened: it is not a regular file"), qPrintable(messageText()));
        QCOMPARE(row(1), before);
        if (socket >= 0)
            ::close(socket);
    }

    // A channel list larger than any that makes sense is refused before it is read further.
    // The desktop's usual shortcuts, shown in the menu in every language; Ctrl+Q closes the window.
    void standardShortcuts()
    {
        for (const QByteArray &settings : {QByteArray(3, '\0'), QByteArray("\x00\x00\x01", 3), QByteArray("\x00\x00\x02", 3)}) {
            MainWindow &w = start(settings);
            const std::pair<const char *, QKeySequence> shortcuts[] = {{"mnuNew", QKeySequence(Qt::CTRL | Qt::Key_N)},
                {"mnuOpen", QKeySequence(Qt::CTRL | Qt::Key_O)}, {"mnuAssave", QKeySequence(Qt::CTRL | Qt::Key_S)},
                {"mnuPrint", QKeySequence(Qt::CTRL | Qt::Key_P)}, {"mnuQuit", QKeySequence(Qt::CTRL | Qt::Key_Q)}};
            for (const auto &[name, keys] : shortcuts)
                QCOMPARE(action(name)->shortcut(), keys);
            QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key_Q));
            QVERIFY(!w.isVisible());
        }
    }

    // Compare with File: the rows of what differs, the editor's value first, in the language in
    // force and again after a switch; nothing of the programming changes; keys reach Write and
    // Close, Escape closes; a file that is no data file is refused as Open refuses it.
    void compareWithAFile()
    {
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        answerMessageBoxes();
        const QString path = m_dir->filePath("two.DAT");
        QVERIFY(DataFile::write(path, encodeImage(twoChannels())));
        QVERIFY(w.openDataFile(path));
        typeFrequency(1, 1, "438");
        const EditorState before = w.state();

        m_fileNames << path;
        action("mnuCompareFile")->trigger();
        CompareWindow &compare = w.compareWindow();
        QVERIFY(compare.isVisible());
        QTreeWidget *list = compare.list();
        QCOMPARE(list->topLevelItemCount(), 1);
        QTreeWidgetItem *item = list->topLevelItem(0);
        QCOMPARE((QStringList {item->text(0), item->text(1), item->text(2)}),
                 (QStringList {"Channel 1 RX frequency", "438.00000", cellText(twoChannels(), 1, 1, {})}));
        QCOMPARE(list->headerItem()->text(2), QString("File (two.DAT)"));
        QCOMPARE(w.state(), before);
        QVERIFY(w.windowTitle().endsWith("two.DAT"));

        action("mnuChineseF")->trigger();
        QCOMPARE(list->topLevelItem(0)->text(0), QString("信道 1 接收頻率"));
        QCOMPARE(compare.windowTitle(), QString("比较"));
        QCOMPARE(compare.focusWidget(), list);
        QTest::keyClick(list, Qt::Key_Tab);
        QCOMPARE(compare.focusWidget()->objectName(), QString("Command1"));
        QTest::keyClick(compare.focusWidget(), Qt::Key_Tab);
        QCOMPARE(compare.focusWidget()->objectName(), QString("Command2"));
        QTest::keyClick(compare.focusWidget(), Qt::Key_Escape);
        QVERIFY(!compare.isVisible());

        const QString text = m_dir->filePath("text.DAT");
        QVERIFY(writeFileBytes(text, "not a data file"));
        m_fileNames << text;
        action("mnuCompareFile")->trigger();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(!compare.isVisible());
    }

    void importOfAHugeFile()
    {
        start(QByteArray("\x00\x00\x01", 3));
        QByteArray huge = "Location,Frequency\n1,436.125\n";
        huge.append(1024 * 1024, '\n');
        QVERIFY(writeFileBytes(m_dir->filePath("huge.csv"), huge));
        m_fileNames << m_dir->filePath("huge.csv");
        action("mnuImportCsv")->trigger();
        QCOMPARE(messageText(), QString("huge.csv: larger than 1 MiB; a channel list of 16 channels needs a few kB"));
        QCOMPARE(row(1), QStringList(8, QString()));
    }

    // The Open dialog shows data files whatever the case of their extension.
    void openDialogFilter()
    {
        QTemporaryDir dir;
        for (const char *name : {"a.DAT", "b.dat", "c.txt"})
            writeFileBytes(dir.filePath(name), "x");
        std::unique_ptr<QFileDialog> dialog(DataFileDialog::create(nullptr, DataFileDialog::Kind::Open));
        QCOMPARE(dialog->nameFilters(), QStringList {"Lumeo(*.DAT)"});
        dialog->setDirectory(dir.path());
        dialog->show();
        auto *model = dialog->findChild<QFileSystemModel *>();
        QVERIFY(model);
        const QModelIndex root = model->index(dir.path());
        QTRY_COMPARE(model->rowCount(root), 2);
        QStringList shown;
        for (int i = 0; i < model->rowCount(root); ++i)
            shown << model->index(i, 0, root).data().toString();
        shown.sort();
        QCOMPARE(shown, (QStringList {"a.DAT", "b.dat"}));
    }

    // ---- CSV files ----

    void csvCommandsFollowSave_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("Simplified") << QByteArray("\x00\x00\x00", 3) << QStringList {"导入 CSV(&I)...", "导出 CSV(&X)..."};
        QTest::newRow("English") << QByteArray("\x00\x00\x01", 3) << QStringList {"Import CSV(&I)...", "Export CSV(&X)..."};
        QTest::newRow("Traditional") << QByteArray("\x00\x00\x02", 3) << QStringList {"導入 CSV(&I)...", "導出 CSV(&X)..."};
    }
    void csvCommandsFollowSave()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QStringList, texts);
        start(settings);
        QStringList order;
        for (QAction *action : find<QMenu>("mnuFile")->actions())
            order << (action->isSeparator() ? "|" : action->menu() ? action->menu()->objectName() : action->objectName());
        // New, Open, Save | Compare with File, Import CSV, Export CSV, Export PDF, Print | Open Backup,
        // Recent Files | Quit
        QCOMPARE(order, (QStringList {"mnuNew", "mnuOpen", "mnuAssave", "|", "mnuCompareFile", "mnuImportCsv",
                                      "mnuExportCsv", "mnuExportPdf", "mnuPrint", "|", "mnuOpenBackup", "mnuRecent",
                                      "|", "mnuQuit"}));
        QCOMPARE(action("mnuImportCsv")->text(), texts[0]);
        QCOMPARE(action("mnuExportCsv")->text(), texts[1]);
    }

    // An import replaces the channels in one step and keeps the band and the settings; it asks
    // nothing first, says what it skipped, and counts as an unsaved edit.
    void importCsvIsOneEdit()
    {
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        const QString file = m_dir->filePath("sixteen.DAT");
        const CellTexts english = CellTexts::forLanguage(Language::English);
        QVERIFY(DataFile::write(file, encodeImage(richChannels(0))));
        QVERIFY(w.openDataFile(file));
        const QString path = m_dir->filePath("list.csv");
        writeFileBytes(path, "Location,Frequency,Tone,rToneFreq,Power\n"
                             "5,438.12345,Tone,100,1.0W\n3,446.00625,,,\n9,520,,,\n");
        m_fileNames << path;
        action("mnuImportCsv")->trigger();
        QCOMPARE(m_fileDialogs, 1);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(messageText(), QString("Channels imported from list.csv: 2.\nThese rows were skipped:\n"
                                        "line 4: the RX frequency 520 MHz lies outside the band 400-500MHz"));
        QCOMPARE(m_messages[0].style.icon, MessageIcon::Exclamation);
        QCOMPARE(row(1), QStringList(8, QString()));
        QCOMPARE(row(3).join('|'), QString("446.00625|Off|446.00625|Off|Hight|Off|Wide|Have"));
        QCOMPARE(row(5).join('|'), QString("438.12000|Off|438.12000|100.0|Low|Off|Wide|Have"));
        QCOMPARE(row(16), QStringList(8, QString()));
        QCOMPARE(combo("Combo1")->currentIndex(), 0);
        QCOMPARE(combo("Combo9")->currentIndex(), 3);
        QCOMPARE(combo("Combo3")->currentIndex(), 11);

        m_answers << MessageAnswer::No;
        QVERIFY(w.close());
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(messageText(), QString("The channel data or settings have changed. Save them?"));
    }

    void importCsvThatCannotBeUsedChangesNothing()
    {
        MainWindow &w = start(QByteArray("\x00\x00\x01", 3));
        QVERIFY(w.openDataFile(richFile()));
        const QStringList before = row(1);
        const QString path = m_dir->filePath("names.csv");
        writeFileBytes(path, "Location,Name\n1,Hill\n");
        m_fileNames << path << m_dir->filePath("missing.csv");
        action("mnuImportCsv")->trigger();
        QCOMPARE(messageText(), QString("The CSV file could not be imported: it has no Frequency column."));
        QCOMPARE(m_messages.last().style.icon, MessageIcon::Critical);
        action("mnuImportCsv")->trigger();
        QVERIFY(messageText().startsWith("The file could not be opened: " + m_dir->filePath("missing.csv")));
        QCOMPARE(row(1), before);
        const qsizetype shown = m_messages.size();
        QVERIFY(w.close()); // nothing changed: nothing asked
        QCOMPARE(m_messages.size(), shown);
    }

    void exportCsvWritesTheChannels()
    {
        MainWindow &w = start();
        QVERIFY(w.openDataFile(richFile()));
        const QString name = m_dir->filePath("list"); // no extension: ".csv" is added
        m_fileNames << name;
        action("mnuExportCsv")->trigger();
        const QByteArray written = readFileBytes(name + ".csv");
        QCOMPARE(written, CsvChannelTable::exportTable(w.state()).text.toUtf8());
        QVERIFY(written.contains("\r\n2,,445.006250,-,5.006250,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,,,,,,off\r\n"));
        QVERIFY(m_messages.isEmpty());

        m_fileNames << name + ".csv"; // then the second dialog is cancelled
        m_answers << MessageAnswer::No;
        action("mnuExportCsv")->trigger();
        QCOMPARE(m_fileDialogs, 3);
        QCOMPARE(messageText(), QString("该文件已存在，是否覆盖？"));
        m_fileNames << m_dir->filePath("missing/folder/list.csv");
        action("mnuExportCsv")->trigger();
        QVERIFY(messageText().startsWith("无法保存文件，原有文件保持不变：" + m_dir->filePath("missing/folder/list.csv")));
        QVERIFY(w.close()); // an export changes nothing
    }

    // The CSV dialogs are those of Open and Save: a path typed into the name and Enter choose it.
    void csvDialogsTakeATypedPath_data()
    {
        QTest::addColumn<DataFileDialog::Kind>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("import an existing file") << DataFileDialog::Kind::ImportCsv << "list.CSV";
        QTest::newRow("export to a new file") << DataFileDialog::Kind::ExportCsv << "new.csv";
    }
    void csvDialogsTakeATypedPath()
    {
        QFETCH(DataFileDialog::Kind, kind);
        QFETCH(QString, name);
        QTemporaryDir dir;
        writeFileBytes(dir.filePath("list.CSV"), "Frequency\n446\n");
        std::unique_ptr<QFileDialog> dialog(DataFileDialog::create(nullptr, kind));
        QCOMPARE(dialog->nameFilters(), QStringList {"CSV(*.csv)"});
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        auto *nameEdit = dialog->findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(nameEdit);
        nameEdit->setFocus();
        QTest::keyClicks(nameEdit, dir.filePath(name));
        QTest::keyClick(nameEdit, Qt::Key_Return);
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->selectedFiles(), QStringList {dir.filePath(name)});
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
