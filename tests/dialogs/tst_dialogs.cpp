// The feature dialogs in the running window, driven by keys and clicks: what they show, what
// OK, Cancel and the close box store, their checks, and the debug mode's gesture and relock.

#include "app/mainwindow.h"
#include "widgets/messagebox.h"
#include "widgets/weblink.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/embeddedtextsdialog.h"
#include "dialogs/keysdialog.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/powertuningdialog.h"
#include "dialogs/testfrequencydialog.h"
#include "document/programmingdocument.h"
#include "image/codec.h"
#include "link/portslots.h"
#include "storage/datafile.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <memory>

#include "common/files.h"
#include "common/windowtest.h"
#include "common/windowparts.h"

namespace {

// A programming with every dialog's values away from the start values.
EditorState richState()
{
    EditorState s;
    s.channel(2) = Channel::on(Frequency::ofText(u"436.12500").value());
    s.channel(2)->busyLock = BusyLock::Carrier;
    // PTT ID both; VOX off, gain 5, delay 1.5 s, tones off; cancel off, off on receive on;
    // duplicate off; priority selected on channel 5; revert times 5.00 and 1.45 s; return to
    // priority + talk-back; resume delays 120 and 300 s.
    s.options = {2, 0, 5, 3, 0, 0, 1, 0, 2, 5, 91, 20, 3, "120", "300"};
    // DTMF: 10 digits a second, first digit 500 ms and 250 ms delay, D key 3 s, group call "#";
    // the ID code fills 2 of its 10 bytes, the rest stays FF.
    s.dtmf = {2, 2, 250, 0, 3, 0, 2, 5};
    s.autoDialCodes[0] = "12345*#";
    s.pttIdCodes = {"12", "ABCD", ""};
    s.keyFunction1 = 3;
    s.keyFunction2 = 7;
    s.embeddedTexts = {"HELLO WORLD", "Depot 7"};
    s.testFrequencyTable[0] = {"436.12500", "438.12500"};
    s.testFrequencyTable[5] = {"145.02500", "145.02500"};
    s.powerTuning1 = 200;
    s.powerTuning2 = 80;
    return s;
}

} // namespace

// Takes the web addresses the desktop would open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestDialogs : public QObject
{
    Q_OBJECT

private:
    enum class Dialog { Options, Keys, EmbeddedTexts, PowerTuning, TestFrequency };
    enum class Leave { Ok, Cancel, CloseBox };

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    QList<MessageBoxRequest> m_messages;
    double m_now = 1000; // the time of day the window's clock reports

    MainWindow &start(const QByteArray &settings = QByteArray("\x00\x00\x01", 3))
    {
        m_window.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_window = startWindow(m_dir->path(), settings);
        m_window->setClock([this] { return m_now; });
        return *m_window;
    }

    void open(const EditorState &state)
    {
        const QString path = m_dir->filePath("rich.DAT");
        QVERIFY(DataFile::write(path, encodeImage(state)));
        QVERIFY(m_window->openDataFile(path));
    }

    RadioImage image() { return encodeImage(m_window->state()); }

    FeatureDialog &dialog(Dialog which)
    {
        switch (which) {
        case Dialog::Options: return m_window->optionsDialog();
        case Dialog::Keys: return m_window->keysDialog();
        case Dialog::EmbeddedTexts: return m_window->embeddedTextsDialog();
        case Dialog::PowerTuning: return m_window->powerTuningDialog();
        case Dialog::TestFrequency: break;
        }
        return m_window->testFrequencyDialog();
    }

    // Opens a dialog by its command, as the Programming menu does, and waits for it to be active.
    FeatureDialog &show(Dialog which)
    {
        const char *commands[] = {"mnudtmf", "Key_enactment", "mnusetin", "mnudebug", "mnutestfre"};
        findPart<QAction>(m_window.get(), commands[int(which)])->trigger();
        FeatureDialog &shown = dialog(which);
        [&] { QVERIFY(QTest::qWaitForWindowActive(&shown)); }();
        return shown;
    }

    QWidget *focused(QWidget *window) { return window->focusWidget() ? window->focusWidget() : window; }

    // Types any text, one key per character, as an input method delivers it.
    static void type(QWidget *widget, const QString &text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    void pressOk(QWidget *window) { QTest::keyClick(focused(window), Qt::Key_Return, Qt::ControlModifier); }

    // The designated captions of the scan frame, clicked at the given times.
    void clickCaptions(const QList<int> &captions, double from)
    {
        OptionsDialog &options = m_window->optionsDialog();
        for (int caption : captions) {
            m_now = from++;
            QTest::mouseClick(options.unlockCaption(caption), Qt::LeftButton);
        }
    }

    // The cell editor open in a grid, if any.
    static QLineEdit *openEditor(QTableWidget *table)
    {
        for (QLineEdit *editor : table->findChildren<QLineEdit *>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }

    QAction *relockButton() { return findPart<QAction>(m_window.get(), "Korvu"); }

    // Whether closing the window now asks about unsaved changes (it is not closed).
    bool closingAsks()
    {
        const qsizetype before = m_messages.size();
        setMessageBoxResponder([this](const MessageBoxRequest &request) {
            m_messages << request;
            return MessageAnswer::Cancel;
        });
        const bool closed = m_window->close();
        const bool asked = m_messages.size() > before;
        answerOk();
        if (closed)
            m_window->show();
        return asked;
    }

    void answerOk()
    {
        setMessageBoxResponder([this](const MessageBoxRequest &request) {
            m_messages << request;
            return request.style.buttons == MessageButtons::YesNoCancel ? MessageAnswer::No : MessageAnswer::Ok;
        });
    }

    // Edits the first control of an open dialog by keyboard, away from what it showed.
    void edit(Dialog which, QWidget *window)
    {
        QWidget *first = focused(window);
        switch (which) {
        case Dialog::Options:
        case Dialog::Keys:
            QTest::keyClick(first, Qt::Key_Down); // the next item of the first list
            break;
        case Dialog::EmbeddedTexts:
            QTest::keyClicks(first, "!");
            break;
        case Dialog::PowerTuning:
            QTest::keyClick(first, Qt::Key_Right); // the high-power slider, unlocked
            break;
        case Dialog::TestFrequency:
            QTest::keyClick(first, Qt::Key_Return);
            QTest::keyClicks(focused(window), "440");
            QTest::keyClick(focused(window), Qt::Key_Return);
            break;
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
        m_messages.clear();
        m_now = 1000;
        answerOk();
    }

    void cleanup()
    {
        m_window.reset();
        setMessageBoxResponder(nullptr);
        WebLink::setAddress(QString());
    }

    // Opening and OK keeps the image; Cancel, Escape and the close box after edits store
    // nothing; a confirmed edit is a change that closing asks about.
    void okCancelAndCloseBox_data()
    {
        QTest::addColumn<Dialog>("which");
        QTest::addColumn<Leave>("leave");
        QTest::addColumn<bool>("edits");
        const std::pair<Dialog, const char *> dialogs[] = {{Dialog::Options, "options"}, {Dialog::Keys, "keys"},
            {Dialog::EmbeddedTexts, "embedded texts"}, {Dialog::PowerTuning, "power tuning"},
            {Dialog::TestFrequency, "test frequencies"}};
        for (const auto &[which, name] : dialogs) {
            QTest::addRow("%s: OK unchanged", name) << which << Leave::Ok << false;
            QTest::addRow("%s: edit, Cancel", name) << which << Leave::Cancel << true;
            QTest::addRow("%s: edit, close box", name) << which << Leave::CloseBox << true;
            QTest::addRow("%s: edit, OK", name) << which << Leave::Ok << true;
        }
    }
    void okCancelAndCloseBox()
    {
        QFETCH(Dialog, which);
        QFETCH(Leave, leave);
        QFETCH(bool, edits);
        start();
        open(richState());
        clickCaptions({1, 2, 3}, 1000); // the tuning sliders move only in debug mode
        const RadioImage before = image();
        FeatureDialog &shown = show(which);
        if (edits)
            edit(which, &shown);
        if (leave == Leave::Ok)
            pressOk(&shown);
        else if (leave == Leave::Cancel)
            QTest::keyClick(focused(&shown), Qt::Key_Escape);
        else
            shown.close();
        QVERIFY(!shown.isVisible());
        const bool stored = leave == Leave::Ok && edits;
        QCOMPARE(image() != before, stored);
        QCOMPARE(closingAsks(), stored);
        if (!stored) { // the next opening shows the stored values again
            show(which);
            pressOk(&shown);
            QCOMPARE(image(), before);
        }
    }

    void optionsShowTheirSlots()
    {
        start(QByteArray(3, '\0'));
        open(richState());
        FeatureDialog &options = show(Dialog::Options);
        auto combo = [&](const char *name) { return findPart<QComboBox>(&options, name)->currentText(); };
        QCOMPARE(combo("Combo13"), QString("5.00 S")); // slot 13 = 91
        QCOMPARE(findPart<QComboBox>(&options, "Combo13")->count(), 92);
        QCOMPARE(combo("Combo12"), QString("05"));
        QCOMPARE(combo("Combo11"), QString("选定"));
        QCOMPARE(combo("Combo15"), QString("优先+当前"));
        QCOMPARE(findPart<QLineEdit>(&options, "Text6")->text(), QString("300"));
        QVERIFY(findPart<QCheckBox>(&options, "Check4")->isChecked());
        QCOMPARE(options.windowTitle(), QString("可选功能"));
    }

    void fixedPriorityTakesTheFirstChannel()
    {
        start(QByteArray(3, '\0'));
        EditorState state;
        state.channel(3) = Channel::on(Frequency::ofText(u"436.12500").value());
        open(state);
        FeatureDialog &options = show(Dialog::Options);
        auto *mode = findPart<QComboBox>(&options, "Combo11");
        auto *channel = findPart<QComboBox>(&options, "Combo12");
        mode->setFocus();
        QTest::keyClick(mode, Qt::Key_Down); // "固定"
        QCOMPARE(mode->currentText(), QString("固定"));
        QCOMPARE(channel->currentText(), QString("03"));
        QTest::keyClick(channel, Qt::Key_Up); // channel 2 is empty: refused
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QString("不可选择空信道，请重新选择！"));
        QCOMPARE(channel->currentText(), QString("03"));
    }

    void fixedPriorityNeedsAChannel()
    {
        start();
        FeatureDialog &options = show(Dialog::Options);
        auto *mode = findPart<QComboBox>(&options, "Combo11");
        mode->setFocus();
        QTest::keyClick(mode, Qt::Key_Down);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QString("When set to 'fixed' channel not is empty, please reset!"));
        QCOMPARE(m_messages[0].title, QString("Tip"));
        QCOMPARE(mode->currentText(), QString("No"));
    }

    // The spin bar has a position of its own: typing 120 and then its lower arrow writes 1.
    // The box takes whole numbers up to 300 only.
    void delaySpinAndBox()
    {
        start();
        FeatureDialog &options = show(Dialog::Options);
        auto *box = findPart<QLineEdit>(&options, "Text5");
        auto *spin = findPart<QScrollBar>(&options, "VScroll1");
        box->setFocus();
        QTest::keyClicks(box, "120");
        QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, spin->height() - 2));
        QCOMPARE(box->text(), QString("1"));
        box->clear();
        QTest::keyClicks(box, "3x01");
        QCOMPARE(box->text(), QString("30")); // a letter and a value above 300 are refused as typed
        QApplication::clipboard()->setText("1234");
        box->selectAll();
        QTest::keySequence(box, QKeySequence::Paste);
        QCOMPARE(box->text(), QString("30"));
    }

    // The DTMF page, reached by Alt+D: the group's lists show what is stored, the 250 ms delay
    // among them; the auto-dial grid and the three code boxes take 0-9, A-D, * and #, letters
    // turned upper case, the boxes up to 10 or 16 characters; a code longer than 16 is kept with
    // a warning. OK stores what was edited and leaves the untouched start code as it was.
    void dtmfPage()
    {
        QTest::failOnWarning(QRegularExpression("editor that does not belong"));
        start();
        open(richState());
        FeatureDialog &options = show(Dialog::Options);
        const int narrow = options.width();
        QTest::keyClick(focused(&options), Qt::Key_D, Qt::AltModifier);
        auto *grid = findPart<QTableWidget>(&options, "mfgrid1");
        QTRY_VERIFY(grid->isVisible()); // a mnemonic clicks its button after a moment
        QVERIFY(options.width() > narrow);
        auto list = [&](const char *name) { return findPart<QComboBox>(&options, name); };
        QCOMPARE(list("Combo18")->currentText(), QString("250MS"));
        QCOMPARE(list("Combo19")->currentText(), QString("3秒")); // the same texts in English
        QCOMPARE(findPart<QLabel>(&options, "Label28")->text(), QString("组呼码"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString("自动拨号存储器"));
        QCOMPARE(grid->item(0, 1)->text(), QString("12345*#"));
        QCOMPARE(findPart<QLineEdit>(&options, "Text1")->text(), QString("12")); // without its FF bytes

        list("Combo18")->setFocus();
        QTest::keyClick(list("Combo18"), Qt::Key_Down);
        grid->setFocus();
        grid->setCurrentCell(1, 1);
        QTest::keyClick(grid, Qt::Key_Return); // opens the code
        type(focused(&options), "abe12");
        QTest::keyClick(focused(&options), Qt::Key_Return); // ends the edit, OK not pressed
        QCOMPARE(grid->item(1, 1)->text(), QString("AB12"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(2, 1)).center());
        QVERIFY(openEditor(grid));
        type(focused(&options), "0123456789ABCD*#1");
        QTest::keyClick(focused(&options), Qt::Key_Return);
        QTRY_COMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QString("存储器只能存储16位！"));
        QCOMPARE(m_messages[0].style.icon, MessageIcon::Critical);
        QCOMPARE(grid->item(2, 1)->text(), QString("0123456789ABCD*#1")); // kept as typed
        QVERIFY(options.isVisible());

        auto *id = findPart<QLineEdit>(&options, "Text1");
        auto *end = findPart<QLineEdit>(&options, "Text4");
        id->setFocus();
        id->selectAll();
        type(id, "abcdef#1234567");
        QCOMPARE(id->text(), QString("ABCD#12345")); // e, f refused; full at 10
        end->setFocus();
        type(end, QString("9").repeated(20));
        QCOMPARE(end->text(), QString("9").repeated(16));
        QApplication::clipboard()->setText("12x");
        QTest::keySequence(end, QKeySequence::SelectAll);
        QTest::keySequence(end, QKeySequence::Paste);
        QCOMPARE(end->text(), QString("9").repeated(16)); // a paste with another character is refused

        pressOk(&options);
        QVERIFY(!options.isVisible());
        const EditorState &state = m_window->state();
        QCOMPARE(state.dtmf.firstDigitDelay, 300);
        QCOMPARE(state.autoDialCodes[1], QString("AB12"));
        QCOMPARE(state.autoDialCodes[2], QString("0123456789ABCD*#1"));
        QCOMPARE(state.pttIdCodes.id, QString("ABCD#12345"));
        QCOMPARE(state.pttIdCodes.start, QString("ABCD"));
        QCOMPARE(state.pttIdCodes.end, QString("9").repeated(16));
        EditorState decoded;
        decodeImage(image(), decoded);
        QCOMPARE(decoded.pttIdCodes.id, QString("ABCD#12345")); // padded with FF, read back without
    }

    // In Traditional Chinese the DTMF page's texts are converted, as every other text is.
    void dtmfPageInTraditional()
    {
        start(QByteArray("\x00\x00\x02", 3));
        FeatureDialog &options = show(Dialog::Options);
        QTest::keyClick(focused(&options), Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(findPart<QTableWidget>(&options, "mfgrid1")->isVisible());
        QCOMPARE(findPart<QLabel>(&options, "Label26")->text(), QString("DTMF 側音"));
        QCOMPARE(findPart<QComboBox>(&options, "Combo19")->itemText(0), QString("D碼"));
        QCOMPARE(findPart<QTableWidget>(&options, "mfgrid1")->horizontalHeaderItem(0)->text(), QString("編號"));
        QTest::keyClick(focused(&options), Qt::Key_D, Qt::AltModifier); // and hidden again
        QTRY_VERIFY(!findPart<QTableWidget>(&options, "mfgrid1")->isVisible());
    }

    // An open dialog keeps what the user chose in it while the main window is edited (only a
    // replacement of the programming, or undo, shows it afresh); OK then stores both.
    void openDialogKeepsItsChoicesThroughOtherEdits()
    {
        start();
        FeatureDialog &keys = show(Dialog::Keys);
        auto *pf1 = findPart<QComboBox>(&keys, "Combo1");
        pf1->setCurrentIndex(6);
        findPart<QComboBox>(m_window.get(), "Combo9")->setCurrentIndex(4);
        QCOMPARE(pf1->currentIndex(), 6);
        keys.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&keys));
        pressOk(&keys);
        QCOMPARE(m_window->state().keyFunction1, 6);
        QCOMPARE(m_window->state().squelch, 4);
    }

    void keysOpenOnOffOutsideTheList_data()
    {
        QTest::addColumn<int>("stored");
        QTest::newRow("12") << 12;
        QTest::newRow("-1") << -1;
    }
    void keysOpenOnOffOutsideTheList()
    {
        QFETCH(int, stored);
        // A data file cannot hold these (decoding keeps 0 to 11 only): a dialog of its own is
        // shown such a state.
        ProgrammingDocument programming;
        programming.edit(Command::ConfirmDialog, [stored](EditorState &state) {
            state.keyFunction1 = stored;
            state.keyFunction2 = stored;
        });
        KeysDialog keys(programming);
        keys.retranslate(Language::English);
        keys.present();
        QVERIFY(QTest::qWaitForWindowActive(&keys));
        QCOMPARE(findPart<QComboBox>(&keys, "Combo1")->currentText(), QString("OFF"));
        QVERIFY(!findPart<QComboBox>(&keys, "Combo2")->isVisible());
        pressOk(&keys);
        QCOMPARE(programming.state().keyFunction1, 1);
        QCOMPARE(programming.state().keyFunction2, 1);
    }

    void embeddedTexts()
    {
        start();
        FeatureDialog &texts = show(Dialog::EmbeddedTexts);
        auto *first = findPart<QLineEdit>(&texts, "Text1");
        QTest::keyClicks(first, QString(40, 'a'));
        QCOMPARE(first->text().size(), 32); // typing stops at 32
        type(first, "张");
        QCOMPARE(first->text().size(), 32);
        auto *second = findPart<QLineEdit>(&texts, "Text2");
        second->setFocus();
        type(second, "张A");
        QCOMPARE(second->text(), QString("A")); // no single-byte code: refused
        QApplication::clipboard()->setText(QString(40, 'b') + "ÿ");
        QTest::keySequence(second, QKeySequence::Paste);
        QCOMPARE(second->text(), "A" + QString(40, 'b')); // taken whole, but for the filler byte
        pressOk(&texts);
        QCOMPARE(m_window->state().embeddedTexts[1].size(), 41);
    }

    // Cells open by a click, Enter or F2, but a transmit cell only with a receive frequency;
    // Enter ends an edit and never presses OK; OK ends an open edit first.
    void testFrequencyGrid()
    {
        QTest::failOnWarning(QRegularExpression("editor that does not belong|editing failed"));
        start();
        auto &dialog = static_cast<TestFrequencyDialog &>(show(Dialog::TestFrequency));
        QTableWidget *table = dialog.table();
        QCOMPARE(dialog.focusWidget(), table);
        QCOMPARE(table->currentColumn(), 1);
        QCOMPARE(table->horizontalHeaderItem(2)->text(), QString("TX Frequency"));
        auto cell = [&](int row, int column) { return table->item(row - 1, column)->text(); };

        table->setCurrentCell(1, 2); // a transmit cell of an empty row opens by no means
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_F2})
            QTest::keyClick(table, key);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(1, 2)).center());
        QVERIFY(!openEditor(table));
        QVERIFY(dialog.isVisible()); // Enter did not press OK

        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(0, 1)).center());
        QTest::keyClicks(focused(&dialog), "436.123");
        QTest::keyClick(focused(&dialog), Qt::Key_Return);
        QCOMPARE(cell(1, 1), QString("436.12000"));
        QCOMPARE(cell(1, 2), QString("436.12000"));
        QVERIFY(dialog.isVisible());

        table->setCurrentCell(0, 2);
        QTest::keyClick(table, Qt::Key_F2);
        QTest::keyClicks(focused(&dialog), "1234");
        QTest::keyClick(focused(&dialog), Qt::Key_Return);
        QCOMPARE(cell(1, 2), QString("436.12000")); // refused: the field cannot hold it

        table->setCurrentCell(4, 1); // a digit on a closed cell opens it with that digit
        QTest::keyClicks(table, "4");
        QVERIFY(openEditor(table));
        QTest::keyClicks(focused(&dialog), "38.5");
        QTest::keyClick(focused(&dialog), Qt::Key_Return);
        QCOMPARE(cell(5, 1), QString("438.50000"));

        table->setCurrentCell(2, 1);
        QTest::keyClick(table, Qt::Key_Return);
        QTest::keyClicks(focused(&dialog), "436.125");
        pressOk(&dialog); // the open edit ends first, with its rules
        QVERIFY(!dialog.isVisible());
        QCOMPARE(m_window->state().testFrequencyTable[2].rx, QString("436.12500"));
        QCOMPARE(m_window->state().testFrequencyTable[2].tx, QString("436.12500"));
        QCOMPARE(m_window->state().testFrequencyTable[0].tx, QString("436.12000"));
    }

    // The unlock gesture on the scan frame's captions shows the relock button and frees the
    // sliders; two clicks on the button half a second apart lock again, and a decoded file
    // locks too, shown as such; the completed gesture then unlocks with two clicks.
    void debugModeWiring()
    {
        start();
        FeatureDialog &options = show(Dialog::Options);
        FeatureDialog &tuning = show(Dialog::PowerTuning);
        auto *slider = findPart<QSlider>(&tuning, "Slider1");
        QVERIFY(!relockButton()->isVisible() && !slider->isEnabled());
        clickCaptions({1, 2}, 1000);
        QVERIFY(!relockButton()->isVisible());
        clickCaptions({3}, 1004.5);
        QVERIFY(relockButton()->isVisible() && slider->isEnabled());
        QVERIFY(m_window->document().isDebugUnlocked());

        QToolBar *toolbar = findPart<QToolBar>(m_window.get(), "Toolbar1");
        m_now = 2000.2;
        QTest::mouseClick(toolbar->widgetForAction(relockButton()), Qt::LeftButton);
        m_now = 2001.7; // 1.5 s later: no relock
        QTest::mouseClick(toolbar->widgetForAction(relockButton()), Qt::LeftButton);
        QVERIFY(relockButton()->isVisible());
        m_now = 2002.2;
        QTest::mouseClick(toolbar->widgetForAction(relockButton()), Qt::LeftButton);
        QVERIFY(!relockButton()->isVisible() && !slider->isEnabled());

        clickCaptions({1, 2, 3}, 3000);
        QVERIFY(relockButton()->isVisible());
        open(richState()); // decoding locks the debug mode
        QVERIFY(!relockButton()->isVisible() && !slider->isEnabled());
        QCOMPARE(findPart<QLabel>(&tuning, "Lblpower1")->text(), QString("200")); // the open dialog follows
        clickCaptions({2, 3}, 4000);
        QVERIFY(relockButton()->isVisible() && slider->isEnabled());
        QVERIFY(options.isVisible());
    }

    // A decode refills an open dialog, without a message; edits it held are replaced.
    void decodeRefillsOpenDialogs()
    {
        start();
        FeatureDialog &keys = show(Dialog::Keys);
        QTest::keyClick(focused(&keys), Qt::Key_Down);
        open(richState());
        QCOMPARE(findPart<QComboBox>(&keys, "Combo1")->currentIndex(), 3);
        QVERIFY(m_messages.isEmpty());
    }

    void captionsFollowTheLanguage_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QStringList>("texts"); // titles of options, keys, texts, tuning, tests; a few captions
        QTest::newRow("Simplified") << QByteArray(3, '\0')
                                    << QStringList {"可选功能", "键设定", "嵌入信息", "Debug", "测试频率", "VOX功能",
                                                    "电量", "发射高功率", "确定", "发布：2016.12"};
        QTest::newRow("English") << QByteArray("\x00\x00\x01", 3)
                                 << QStringList {"Optional Function", "Keys Set", "Embedded Information", "Debug",
                                                 "测试频率", "VOX Function", "electric quantity", "TX-Hight Power",
                                                 "OK", "Issue：2016.12"};
    }
    void captionsFollowTheLanguage()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QStringList, texts);
        start(settings);
        QStringList shown;
        for (Dialog which : {Dialog::Options, Dialog::Keys, Dialog::EmbeddedTexts, Dialog::PowerTuning,
                             Dialog::TestFrequency})
            shown << dialog(which).windowTitle();
        shown << findPart<QLabel>(&m_window->optionsDialog(), "Label8")->text()
              << findPart<QComboBox>(&m_window->keysDialog(), "Combo1")->itemText(8)
              << findPart<QGroupBox>(&m_window->powerTuningDialog(), "Frame1")->title()
              << findPart<QPushButton>(&m_window->embeddedTextsDialog(), "Command1")->text()
              << findPart<QLabel>(&m_window->aboutDialog(), "Label2")->text();
        QCOMPARE(shown, texts);
    }

    // The About box belongs to the window and blocks nothing; its link area has no text but
    // opens the address set at build time, as the window's link label does.
    void aboutBox()
    {
        MainWindow &w = start();
        findPart<QAction>(&w, "mnuabout")->trigger();
        AboutDialog &about = w.aboutDialog();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.windowTitle(), QString("Help"));
        QCOMPARE(about.parentWidget(), &w);
        QVERIFY(!about.isModal());
        QLabel *link = findPart<QLabel>(&about, "lblDescription");
        QVERIFY(link->text().isEmpty());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        QTest::mouseClick(link, Qt::LeftButton); // no address set: nothing opens
        WebLink::setAddress("https://example.org/qv540");
        QTest::mouseClick(link, Qt::LeftButton);
        QTest::mouseClick(findPart<QLabel>(&w, "Label2"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(catcher.urls, (QList<QUrl> {QUrl("https://example.org/qv540"), QUrl("https://example.org/qv540")}));
        QTest::keyClick(findPart<QPushButton>(&about, "cmdOK"), Qt::Key_Space);
        QVERIFY(!about.isVisible());
    }

    // The first control has the focus; Tab goes on in reading order.
    void tabFollowsReadingOrder_data()
    {
        QTest::addColumn<Dialog>("which");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("options") << Dialog::Options
                                 << QStringList {"Combo6", "Combo7", "Combo8", "Combo9", "Check3", "Check4", "Combo4",
                                                 "Combo10", "Command3", "Combo11", "Combo12", "Combo13", "Combo14",
                                                 "Combo15", "Text5", "Text6", "Command1", "Command2"};
        QTest::newRow("options, DTMF shown")
            << Dialog::Options
            << QStringList {"Combo6", "Combo7", "Combo8", "Combo9", "Check3", "Check4", "Combo4", "Combo10",
                            "Command3", "Combo11", "Combo12", "Combo13", "Combo14", "Combo15", "Text5", "Text6",
                            "Combo0", "Combo16", "Combo18", "Combo17", "Combo19", "Combo20", "Combo22", "Combo21",
                            "mfgrid1", "Text1", "Text3", "Text4", "Command1", "Command2"};
        QTest::newRow("keys") << Dialog::Keys << QStringList {"Combo1", "Command1", "Command2"};
        QTest::newRow("embedded texts") << Dialog::EmbeddedTexts << QStringList {"Text1", "Text2", "Command1", "Command2"};
        QTest::newRow("test frequencies") << Dialog::TestFrequency << QStringList {"mfgrid1", "Command1", "Command2"};
    }
    void tabFollowsReadingOrder()
    {
        QFETCH(Dialog, which);
        QFETCH(QStringList, order);
        start();
        FeatureDialog &shown = show(which);
        if (QTest::currentDataTag() == QByteArrayLiteral("options, DTMF shown")) {
            QTest::keyClick(&shown, Qt::Key_D, Qt::AltModifier);
            QTRY_VERIFY(findPart<QTableWidget>(&shown, "mfgrid1")->isVisible());
            findPart<QComboBox>(&shown, "Combo6")->setFocus();
        }
        QStringList visited;
        for (qsizetype i = 0; i < order.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, order);
        QCOMPARE(QApplication::focusWidget()->objectName(), order.first()); // round again
        shown.hide();
    }

    // Closing the window closes the dialogs, which would otherwise keep the program running.
    void closingTheWindowClosesDialogs()
    {
        MainWindow &w = start();
        FeatureDialog &options = show(Dialog::Options);
        QVERIFY(w.close());
        QVERIFY(!options.isVisible());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
