// The window against the radio emulator through a real pseudo-terminal: the port dialog, a
// read, a write, the band question and a radio that does not answer.

#include "app/channelgrid.h"
#include "app/channelsheet.h"
#include "app/comparewindow.h"
#include "app/datafiledialog.h"
#include "app/mainwindow.h"
#include "widgets/messagebox.h"
#include "app/portdialog.h"
#include "dialogs/embeddedtextsdialog.h"
#include "dialogs/keysdialog.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/powertuningdialog.h"
#include "dialogs/testfrequencydialog.h"
#include "document/programmingdocument.h"
#include "common/files.h"
#include "common/windowtest.h"
#include "common/radioemulator.h"
#include "common/richstates.h"
#include "common/windowparts.h"
#include "i18n/celltexts.h"
#include "image/codec.h"
#include "link/portslots.h"
#include "link/sessiondriver.h"
#include "storage/backups.h"
#include "storage/datafile.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

const CellTexts English = CellTexts::forLanguage(Language::English);

// A radio's programming: three channels in band "136-174MHz", settings off their defaults.
EditorState radioState()
{
    EditorState s;
    s.channel(1) = makeChannel(u"145.02500", u"67.0", u"145.62500", u"D023N", Power::Low, BusyLock::Carrier, Bandwidth::Narrow, false);
    s.channel(2) = makeChannel(u"150.00000", u"", u"150.00000", u"", Power::High, BusyLock::Off, Bandwidth::Wide, true);
    s.channel(3) = makeChannel(u"173.99375", u"D754I", u"", u"", Power::High, BusyLock::Off, Bandwidth::Narrow, true);
    s.currentBand = 5;
    s.timeout = 7;
    s.squelch = 9;
    s.beep = 0;
    return s;
}

} // namespace

class TestWindowE2e : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Radio> m_radio;
    std::unique_ptr<MainWindow> m_window;
    QList<MessageBoxRequest> m_messages;
    QList<MessageAnswer> m_answers;
    QStringList m_fileNames; // the file dialog's answers; cancelled when none is left
    // Called for each message box before it is answered: a test can let time pass while it is open.
    std::function<void(const MessageBoxRequest &)> m_whileOpen;

    // The emulator with the given options, then the window in English, whose only port slot
    // beside a missing device is the emulator's terminal.
    MainWindow &start(const QStringList &radioOptions, const QString &otherPorts = "/dev/qv540-missing")
    {
        m_radio = std::make_unique<Radio>();
        [&] { QVERIFY(m_radio->start(radioOptions)); }();
        qputenv(PortSlots::EnvironmentVariable, (m_radio->device() + ':' + otherPorts).toLocal8Bit());
        m_window = startWindow(m_dir->path(), QByteArray("\x00\x00\x01", 3));
        return *m_window;
    }

    template <class T>
    T *find(const char *name) { return findPart<T>(m_window.get(), name); }
    QComboBox *combo(const char *name) { return find<QComboBox>(name); }
    QAction *action(const char *name) { return find<QAction>(name); }
    QTableWidget *table() { return m_window->channelGrid().table(); }
    MainWindow &w() { return *m_window; }
    void clickToolbar(const char *actionName) { clickToolbarButton(m_window.get(), actionName); }

    QString cell(int row, int column) { return table()->item(row - 1, column)->text(); }

    // The session has ended and the commands are back.
    void waitUntilIdle()
    {
        QTRY_VERIFY_WITH_TIMEOUT(find<QToolBar>("Toolbar1")->isEnabled() && action("mnureadFre")->isEnabled(), 15000);
    }

private slots:
    void initTestCase()
    {
        hideMachinePorts();
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_messages.clear();
        m_answers.clear();
        m_fileNames.clear();
        m_whileOpen = nullptr;
        setMessageBoxResponder([this](const MessageBoxRequest &request) {
            m_messages << request;
            if (m_whileOpen)
                m_whileOpen(request);
            return m_answers.isEmpty() ? MessageAnswer::Ok : m_answers.takeFirst();
        });
        DataFileDialog::setChooser([this](DataFileDialog::Kind) {
            return m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
        });
    }

    void cleanup()
    {
        m_window.reset();
        m_radio.reset();
        setMessageBoxResponder(nullptr);
        DataFileDialog::setChooser(nullptr);
        qunsetenv(PortSlots::EnvironmentVariable);
    }

    void portDialog()
    {
        // A long device path is shortened on its button; the tooltip has it whole.
        const QString longPath = "/tmp/a folder of the radio emulator, far too long for a button/radio";
        MainWindow &w = start({"--unpaced"}, "/dev/qv540-missing:" + longPath);
        QVERIFY(w.session().isPortOpen()); // the first usable slot, opened at start-up
        QCOMPARE(w.session().link().device(), m_radio->device());
        QCOMPARE(w.portSlot(), 1);

        QStringList labels, tooltips;
        QList<bool> enabled;
        int dialogWidth = 0;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<PortDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            for (int slot = 1; slot <= PortSlots::Count; ++slot) {
                QRadioButton *button = dialog->portButton(slot);
                labels << button->text();
                tooltips << button->toolTip();
                enabled << button->isEnabled();
            }
            dialogWidth = dialog->sizeHint().width();
            auto *close = findPart<QPushButton>(dialog, "Command1");
            QCOMPARE(close->text(), QString("Close"));
            QVERIFY(close->isDefault());
            QTest::keyClick(dialog, Qt::Key_Return); // Enter presses Close
            QVERIFY(!dialog->isVisible());
        });
        action("mnucom")->trigger();
        QCOMPARE(labels.size(), 20);
        QCOMPARE(labels[0], "COM1 " + m_radio->device().mid(5));
        QVERIFY(labels[1].startsWith("COM2 "));
        QVERIFY(tooltips[1].startsWith("/dev/qv540-missing: ")); // and why it cannot be opened
        QVERIFY2(labels[2].startsWith("COM3 ") && labels[2].contains(QChar(0x2026)) && labels[2].endsWith("radio"), qPrintable(labels[2]));
        QVERIFY(tooltips[2].startsWith(longPath + ": "));
        QCOMPARE(labels[3], QString("COM4"));
        QCOMPARE(enabled.mid(0, 4), (QList<bool> {true, false, false, false}));
        QVERIFY(dialogWidth < w.width());
        QVERIFY(w.session().isPortOpen());
    }

    void readFillsTheWindow()
    {
        const EditorState radio = radioState();
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, encodeImage(radio)));
        start({"--memory", memory}); // paced as a real radio
        clickToolbar("mnureadFre");
        QVERIFY(!find<QToolBar>("Toolbar1")->isEnabled());
        QVERIFY(!table()->isEnabled());
        QCOMPARE(find<QLabel>("Label")->text(), QString("Is communication, please later……"));
        QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>("Label")->text(), QString("Read frequency success!"), 10000);
        QVERIFY(table()->isEnabled()); // the table is back at once; the commands after the result showed
        QVERIFY(!find<QToolBar>("Toolbar1")->isEnabled());
        waitUntilIdle();
        QVERIFY(!find<QLabel>("Label")->isVisible());
        QVERIFY(m_messages.isEmpty()); // no band question, no error

        for (int row = 1; row <= 16; ++row)
            for (int column = 1; column <= 8; ++column)
                QCOMPARE(cell(row, column), cellText(radio, row, column, English));
        QCOMPARE(combo("Combo1")->currentIndex(), 5);
        QCOMPARE(combo("Combo3")->currentIndex(), 7);
        QCOMPARE(combo("Combo9")->currentIndex(), 9);
        QCOMPARE(combo("Combo7")->currentIndex(), 0);
        QVERIFY(table()->isEnabled());
    }

    // After a session, keys go on in the grid: Down, Tab and Return move the current cell and
    // open its editor, and nothing of what was read or shown changes (the band selector, which
    // the toolkit would hand the focus to while the grid is disabled, keeps its band).
    void keysAfterASession_data()
    {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("bandChangedDuringTheSession"); // answered Cancel
        QTest::addColumn<bool>("fromTheFile"); // what is shown still came from the file opened
        QTest::newRow("read") << QStringList {"--unpaced"} << false << false << false;
        QTest::newRow("failed read") << QStringList {"--silent-after", "3"} << false << false << true;
        QTest::newRow("band question of a read answered Cancel") << QStringList {} << false << true << false;
        QTest::newRow("write refused at the band question") << QStringList {"--unpaced", "--band", "0"} << true << false << true;
    }
    void keysAfterASession()
    {
        QFETCH(QStringList, radio);
        QFETCH(bool, write);
        QFETCH(bool, bandChangedDuringTheSession);
        QFETCH(bool, fromTheFile);
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, encodeImage(radioState())));
        MainWindow &w = start(radio + QStringList {"--memory", memory});
        QVERIFY(w.openDataFile(memory)); // three channels in band 5
        QVERIFY(QTest::qWaitForWindowActive(&w));
        m_answers << MessageAnswer::No; // the band question of a write
        QTest::keyClick(&w, write ? Qt::Key_W : Qt::Key_R, Qt::ControlModifier);
        if (bandChangedDuringTheSession) {
            m_answers = {MessageAnswer::Cancel};
            combo("Combo1")->setCurrentIndex(2); // as with the mouse, during the read
            QCOMPARE(combo("Combo1")->currentIndex(), 5);
        }
        waitUntilIdle();
        const EditorState shown = w.state();
        QCOMPARE(shown.channel(2)->rx.text(), QString("150.00000"));
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Tab, Qt::Key_Return})
            QTest::keyClick(w.focusWidget(), key);
        QCOMPARE(w.state(), shown);
        QCOMPARE(combo("Combo1")->currentIndex(), 5);
        QCOMPARE(table()->currentRow(), 1);
        QCOMPARE(table()->currentColumn(), 2);
        QCOMPARE(w.channelGrid().openEditorWidget(), w.channelGrid().toneEditor());
        // A read's channels came from no file: the title and the sheet say so.
        QCOMPARE(w.windowTitle(), fromTheFile ? "Lumeo-" + memory : QString("QV-540 Radio Software V1.20"));
        QCOMPARE(w.channelSheet().facts.value(0).second, fromTheFile ? memory : QString("not saved to a file"));
    }

    // A radio on another band than its channels: they are read as they are, and marked.
    void readMarksChannelsOutsideTheBand()
    {
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, encodeImage(radioState()))); // channels of 136-174MHz
        start({"--unpaced", "--memory", memory, "--band", "0"});
        action("mnureadFre")->trigger();
        waitUntilIdle();
        QCOMPARE(combo("Combo1")->currentIndex(), 0);
        QCOMPARE(cell(1, 1), QString("145.02500"));
        QCOMPARE(table()->item(0, 1)->toolTip(), QString("Beyond the frequency range: 400-500MHz"));
        QCOMPARE(table()->item(2, 3)->toolTip(), QString()); // no TX frequency: nothing to mark
    }

    // A read replaces the editor: unsaved changes are offered for saving first.
    void readAsksAboutUnsavedChanges_data()
    {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("read");  // the radio's channels replace the typed one
        QTest::addColumn<bool>("saved"); // the typed channel went to a file first
        QTest::newRow("yes") << QStringList {"--unpaced"} << MessageAnswer::Yes << true << true;
        QTest::newRow("no") << QStringList {"--unpaced"} << MessageAnswer::No << true << false;
        QTest::newRow("cancel") << QStringList {"--unpaced"} << MessageAnswer::Cancel << false << false;
        QTest::newRow("no, radio silent") << QStringList {"--silent-after", "0"} << MessageAnswer::No << false << false;
    }
    void readAsksAboutUnsavedChanges()
    {
        QFETCH(QStringList, radio);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, read);
        QFETCH(bool, saved);
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, encodeImage(radioState())));
        MainWindow &w = start(radio + QStringList {"--memory", memory});
        combo("Combo9")->setCurrentIndex(4); // an unsaved change
        const QString savePath = m_dir->filePath("before read.DAT");
        m_fileNames << savePath;
        m_answers << answer;
        action("mnureadFre")->trigger();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QString("The channel data or settings have changed. Save them?"));
        QCOMPARE(w.session().engine().isIdle(), answer == MessageAnswer::Cancel);
        waitUntilIdle();
        QCOMPARE(QFileInfo::exists(savePath), saved);
        QCOMPARE(combo("Combo9")->currentIndex(), read ? 9 : 4);
        m_answers << MessageAnswer::No; // closing asks only while the change is still unsaved
        const qsizetype asked = m_messages.size();
        QVERIFY(w.close());
        QCOMPARE(m_messages.size() - asked, read || saved ? 0 : 1);
    }

    // "Abort and quit?" is taken back when the read ends while it is open; the closing then goes
    // on as from an idle window.
    void closingQuestionEndsWithTheRead()
    {
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, encodeImage(radioState())));
        MainWindow &w = start({"--memory", memory}); // paced: the question is up while the read goes on
        action("mnureadFre")->trigger();
        m_whileOpen = [&](const MessageBoxRequest &request) {
            QVERIFY(request.withdrawal);
            QSignalSpy withdrawn(request.withdrawal, &MessageBoxWithdrawal::withdrawn);
            QVERIFY(withdrawn.wait(10000));
        };
        m_answers << MessageAnswer::No; // never given: the question is gone by then
        QVERIFY(w.close());
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.startsWith("A session with the radio is running"));
        QCOMPARE(cell(1, 1), QString("145.02500")); // the read completed
        QCOMPARE(readFileBytes(m_dir->filePath("user/parameter")), QByteArray("\x00\x01\x01", 3));
    }

    // The band question answered after a read ended behind it: the read chose band and channels.
    void bandQuestionOutlivedByARead()
    {
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, encodeImage(radioState())));
        MainWindow &w = start({"--memory", memory});
        action("mnureadFre")->trigger();
        m_whileOpen = [&](const MessageBoxRequest &) {
            QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>("Label")->text(), QString("Read frequency success!"), 10000);
        };
        m_answers << MessageAnswer::Ok;
        combo("Combo1")->setCurrentIndex(2); // as the user picks it during the read
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(combo("Combo1")->currentIndex(), 5);
        QCOMPARE(w.state().currentBand, 5);
        QCOMPARE(cell(1, 1), QString("145.02500"));
        const RadioImage image = encodeImage(w.state());
        QCOMPARE(image.byte(429), quint8(0x01)); // band 5's code, as the selector shows
        waitUntilIdle();
        QVERIFY(w.close()); // nothing unsaved
        QCOMPARE(m_messages.size(), 1);
    }

    // Values set in every dialog reach the radio with a write in debug mode (the calibration
    // block included, after the question naming it) and come back with a read; an open dialog
    // cannot confirm during the session and shows what was read after it.
    void dialogValuesSurviveWriteAndRead()
    {
        const QString memory = m_dir->filePath("radio.bin");
        QByteArray before = encodeImage(EditorState()).bytes() + memoryPattern(176, 7);
        before[371] = char(0x33); // calibration of its own, which the write replaces
        QVERIFY(writeFileBytes(memory, before));
        MainWindow &w = start({"--unpaced", "--memory", memory, "--save", memory});
        double now = 500;
        w.setClock([&now] { return now; });
        auto confirm = [](QDialog &dialog) {
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        };

        action("mnudtmf")->trigger();
        OptionsDialog &options = w.optionsDialog();
        QVERIFY(QTest::qWaitForWindowActive(&options));
        for (int caption = 1; caption <= 3; ++caption, now += 1) // the debug mode's gesture
            QTest::mouseClick(options.unlockCaption(caption), Qt::LeftButton);
        findPart<QComboBox>(&options, "Combo13")->setCurrentIndex(91);
        findPart<QLineEdit>(&options, "Text5")->setText("250");
        confirm(options);
        action("Key_enactment")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(&w.keysDialog()));
        findPart<QComboBox>(&w.keysDialog(), "Combo1")->setCurrentIndex(6);
        confirm(w.keysDialog());
        action("mnusetin")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(&w.embeddedTextsDialog()));
        QTest::keyClicks(w.embeddedTextsDialog().focusWidget(), "Fleet 9");
        confirm(w.embeddedTextsDialog());
        action("mnudebug")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(&w.powerTuningDialog()));
        findPart<QSlider>(&w.powerTuningDialog(), "Slider1")->setValue(177);
        confirm(w.powerTuningDialog());
        action("mnutestfre")->trigger();
        auto &tests = w.testFrequencyDialog();
        QVERIFY(QTest::qWaitForWindowActive(&tests));
        QTest::keyClick(tests.table(), Qt::Key_Return);
        QTest::keyClicks(tests.focusWidget(), "446.00625");
        confirm(tests);
        const EditorState written = w.state();
        QCOMPARE(written.powerTuning1, 177);
        QCOMPARE(written.testFrequencyTable[0].tx, QString("446.00625"));

        m_answers << MessageAnswer::Yes; // the calibration values, named, go too
        clickToolbar("mnuwriteFre");
        QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>("Label")->text(), QString("Write frequency success!"), 10000);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.contains("177") && m_messages[0].text.contains("92"));
        waitUntilIdle();
        QTRY_COMPARE_WITH_TIMEOUT(readFileBytes(memory),
                                  memoryAfterWrite(before, encodeImage(written).bytes(), true), 5000);

        action("mnudtmf")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(&options));
        findPart<QComboBox>(&options, "Combo13")->setCurrentIndex(0); // not confirmed
        action("mnureadFre")->trigger(); // nothing unsaved: the write counts as saved
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(!findPart<QPushButton>(&options, "Command1")->isEnabled());
        waitUntilIdle();
        QVERIFY(findPart<QPushButton>(&options, "Command1")->isEnabled());
        QCOMPARE(findPart<QComboBox>(&options, "Combo13")->currentText(), QString("5.00 S")); // as read
        QCOMPARE(findPart<QLineEdit>(&options, "Text5")->text(), QString("250"));
        const EditorState &read = w.state();
        QCOMPARE(read.keyFunction1, 6);
        QCOMPARE(read.embeddedTexts[0], QString("Fleet 9"));
        QCOMPARE(read.powerTuning1, 177);
        QCOMPARE(read.testFrequencyTable[0].rx, QString("446.00625"));
        QVERIFY(!w.document().isDebugUnlocked()); // a read locks the debug mode again
        QVERIFY(!action("Korvu")->isVisible());
    }

    void writeLeavesTheImageInTheRadio()
    {
        const QString saved = m_dir->filePath("after.bin");
        MainWindow &w = start({"--unpaced", "--save", saved});
        const QString file = m_dir->filePath("radio.DAT");
        EditorState programming = radioState();
        programming.currentBand = 0;
        programming.channel(1)->rx = programming.channel(1)->tx = mhz(u"436.12500");
        programming.channel(2)->rx = programming.channel(2)->tx = mhz(u"445.00625");
        programming.channel(3)->rx = mhz(u"470.00000");
        QVERIFY(DataFile::write(file, encodeImage(programming)));
        QVERIFY(w.openDataFile(file));
        clickToolbar("mnuwriteFre");
        QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>("Label")->text(), QString("Write frequency success!"), 10000);
        QVERIFY(m_messages.isEmpty());
        waitUntilIdle();
        w.session().closePort();
        QVERIFY(m_radio->stop());

        const QByteArray after = readFileBytes(saved);
        const QByteArray image = encodeImage(w.state()).bytes();
        QCOMPARE(after.size(), 1024);
        QCOMPARE(addressRange(after, 0x0010, 0x017F), addressRange(image, 0x0010, 0x017F));
        QCOMPARE(addressRange(after, 0x01B8, 0x01C7), addressRange(image, 0x01B8, 0x01C7));
        QCOMPARE(addressRange(after, 0x0200, 0x035F), addressRange(image, 0x0200, 0x035F));
    }

    // The radio holds band 0, the window band 5: the write asks, and No leaves the radio as it was.
    void bandQuestionNo()
    {
        const QString saved = m_dir->filePath("after.bin");
        const QByteArray before = encodeImage(EditorState()).bytes() + QByteArray(176, '\xFF');
        QVERIFY(writeFileBytes(m_dir->filePath("before.bin"), before));
        MainWindow &w = start({"--unpaced", "--memory", m_dir->filePath("before.bin"), "--save", saved});
        const QString file = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(file, encodeImage(radioState())));
        QVERIFY(w.openDataFile(file));
        m_answers << MessageAnswer::No;
        clickToolbar("mnuwriteFre");
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 5000);
        QCOMPARE(m_messages[0].text, QString("Frequency band with discrepancies, do you wish to continue?"));
        QCOMPARE(m_messages[0].buttons, (QStringList {"Yes", "No"}));
        QTRY_COMPARE(find<QLabel>("Label")->text(), m_messages[0].text);
        waitUntilIdle();
        QCOMPARE(m_messages.size(), 1); // no error follows
        w.session().closePort();
        QVERIFY(m_radio->stop());
        QCOMPARE(readFileBytes(saved), before);
    }

    // An edit still open when Write is clicked is written; the lock holds during and after a
    // session.
    void openEditIsWrittenAndLockSurvives()
    {
        const QString saved = m_dir->filePath("after.bin");
        MainWindow &w = start({"--unpaced", "--save", saved});
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->visualItemRect(table()->item(0, 1)).center());
        QTest::keyClicks(QApplication::focusWidget(), "436.125"); // no Enter: the editor stays open
        clickToolbar("mnuwriteFre");
        QVERIFY(find<QGroupBox>("Frame1")->isEnabled()); // the band selector stays usable during a session
        QVERIFY(!table()->isEnabled() && !find<QGroupBox>("Frame2")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>("Label")->text(), QString("Write frequency success!"), 10000);
        waitUntilIdle();
        QCOMPARE(cell(1, 1), QString("436.12500"));

        action("mnulock")->trigger();
        clickToolbar("mnureadFre");
        // The lock keeps the band selector closed during a session too.
        QVERIFY(!find<QGroupBox>("Frame1")->isEnabled() && !table()->isEnabled() && !find<QGroupBox>("Frame2")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>("Label")->text(), QString("Read frequency success!"), 10000);
        waitUntilIdle();
        QVERIFY(!find<QGroupBox>("Frame1")->isEnabled() && !table()->isEnabled() && !find<QGroupBox>("Frame2")->isEnabled());

        w.session().closePort();
        QVERIFY(m_radio->stop());
        QCOMPARE(addressRange(readFileBytes(saved), 0x0010, 0x0013), QByteArray::fromHex("00256143"));
    }

    // Compare reads the radio into an image of its own: under the lock, with an unsaved edit, it
    // asks nothing and changes nothing of the programming, its history, title or backups; it lists
    // what a write would change, and Write there writes it. A silent radio reports as a read does.
    void compareWithTheRadio()
    {
        const QString data = m_dir->filePath("data");
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, encodeImage(radioState())));
        MainWindow &w = start({"--unpaced", "--memory", memory});
        QVERIFY(w.openDataFile(memory));
        combo("Combo9")->setCurrentIndex(4); // squelch: an unsaved change
        table()->setCurrentCell(1, 1);
        QTest::keyClick(table(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), "150.5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        action("mnulock")->trigger();
        const EditorState before = w.state();
        const QString title = w.windowTitle();
        const bool undoable = w.document().canUndo();

        action("mnuCompare")->trigger();
        CompareWindow &compare = w.compareWindow();
        QTRY_VERIFY_WITH_TIMEOUT(compare.isVisible(), 10000);
        waitUntilIdle();
        QCOMPARE(compare.windowTitle(), QString("比较"));
        QTreeWidget *list = compare.list();
        QCOMPARE(list->topLevelItemCount(), 2);
        auto row = [&](int index) {
            QTreeWidgetItem *item = list->topLevelItem(index);
            return QStringList {item->text(0), item->text(1), item->text(2)};
        };
        QCOMPARE(row(0), (QStringList {"Channel 2 RX frequency", "150.50000", "150.00000"}));
        QCOMPARE(row(1), (QStringList {"Squelch Grade", "4 Group", "9 Group"}));
        QCOMPARE(list->headerItem()->text(2), QString("Radio"));
        QVERIFY(m_messages.isEmpty()); // no unsaved-changes question
        QCOMPARE(w.state(), before);
        QCOMPARE(w.windowTitle(), title);
        QCOMPARE(w.document().canUndo(), undoable);
        QVERIFY(w.document().isLocked());
        QVERIFY(Backups::list(Backups::folder()).isEmpty());

        QTest::mouseClick(findPart<QPushButton>(&compare, "Command1"), Qt::LeftButton); // Write
        QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>("Label")->text(), QString("Write frequency success!"), 10000);
        waitUntilIdle();
        action("mnuCompare")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(compare.sameLine()->isVisible(), 10000);
        QCOMPARE(compare.sameLine()->text(), QString("No differences."));
        waitUntilIdle();
        QTest::keyClick(compare.focusWidget(), Qt::Key_Escape);
        QVERIFY(!compare.isVisible());
        qunsetenv("XDG_DATA_HOME");

        w.session().closePort();
        QVERIFY(m_radio->stop());
        m_radio = std::make_unique<Radio>();
        QVERIFY(m_radio->start({"--silent-after", "0"}));
        QVERIFY(w.session().openPort(m_radio->device()));
        action("mnuCompare")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 6000);
        QVERIFY(m_messages[0].text.startsWith("Communication error"));
        waitUntilIdle();
        QVERIFY(!compare.isVisible());
        QCOMPARE(w.state(), before);
    }

    void silentRadio()
    {
        start({"--silent-after", "0"});
        QElapsedTimer clock;
        clock.start();
        action("mnureadFre")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 6000);
        QVERIFY(clock.elapsed() >= 2500);
        QCOMPARE(m_messages[0].text, QString("Communication error, please check the intercom model, fault, "
                                             "attachment and computer serial choice!"));
        QCOMPARE(m_messages[0].style.icon, MessageIcon::Critical);
        waitUntilIdle();
        QVERIFY(!find<QLabel>("Label")->isVisible());
        QVERIFY(!find<QProgressBar>("ProgressBar1")->isVisible());
        QVERIFY(table()->isEnabled());
    }

    // The status line speaks the language in force: at once after a switch during a session, and
    // from the start of a new session after a switch, even with the same status as before.
    void statusFollowsTheLanguage()
    {
        start({"--silent-after", "0"}); // English
        QLabel *status = find<QLabel>("Label");
        action("mnureadFre")->trigger();
        QCOMPARE(status->text(), QString("Is communication, please later……"));
        action("mnuChineseJ")->trigger();
        QCOMPARE(status->text(), QString("正在通信,请稍后……"));
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 6000); // the time-out
        QCOMPARE(m_messages[0].buttons, QStringList {"确定"});
        waitUntilIdle();
        action("mnuChineseF")->trigger();
        action("mnureadFre")->trigger();
        QCOMPARE(status->text(), QString("正在通信,請稍後……"));
        w().session().abort();
        waitUntilIdle();
    }

    // A read keeps a backup, the data file that Save then writes; one that cannot be kept says so
    // on the status line and fails nothing.
    void readKeepsABackup()
    {
        const QString data = m_dir->filePath("data");
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, encodeImage(radioState())));
        MainWindow &w = start({"--unpaced", "--memory", memory});
        action("mnureadFre")->trigger();
        waitUntilIdle();
        const QStringList backups = Backups::list(Backups::folder());
        QCOMPARE(backups.size(), 1);
        m_fileNames << m_dir->filePath("saved.DAT");
        action("mnuAssave")->trigger();
        QCOMPARE(readFileBytes(backups.first()), readFileBytes(m_dir->filePath("saved.DAT")));
        QVERIFY(!w.statusBar()->isVisible());

        QVERIFY(QDir(data).removeRecursively() && writeFileBytes(data, "in the way"));
        action("mnureadFre")->trigger();
        waitUntilIdle();
        qunsetenv("XDG_DATA_HOME");
        QVERIFY(w.statusBar()->isVisible());
        QVERIFY(w.statusBar()->currentMessage().startsWith("Read complete, but no backup of it could be kept: "));
        QCOMPARE(cell(1, 1), QString("145.02500"));
        QVERIFY(m_messages.isEmpty());
    }

    // Every fault of the emulator (emulatorFaults()), early and in the middle of a read and of a
    // write; replies in pieces still succeed.
    void radioFaults_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<bool>("fails");
        for (bool write : {false, true}) {
            const char *verb = write ? "write" : "read";
            for (const RadioFault &mode : emulatorFaults())
                if (!write || !mode.readOnly)
                    QTest::addRow("%s, %s", verb, mode.name) << write << mode.options << true;
            QTest::addRow("%s, replies in pieces", verb) << write << QStringList {"--split", "3"} << false;
        }
    }

    // A failed session shows the communication error, tells the radio to leave programming mode
    // and gives the window back as it was: channels, settings and dialog tables (the whole editor
    // state), and the changes not yet saved still unsaved.
    void radioFaults()
    {
        QFETCH(bool, write);
        QFETCH(QStringList, fault);
        QFETCH(bool, fails);
        const QString log = m_dir->filePath("radio.log");
        MainWindow &w = start(QStringList {"--unpaced", "--band", "5", "--log", log} + fault);
        const QString file = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(file, encodeImage(radioState())));
        QVERIFY(w.openDataFile(file));
        combo("Combo9")->setCurrentIndex(4); // a change not yet saved
        const EditorState before = w.state();
        if (!write)
            m_answers << MessageAnswer::No; // the read may replace it unsaved
        clickToolbar(write ? "mnuwriteFre" : "mnureadFre");
        waitUntilIdle();
        QTRY_COMPARE_WITH_TIMEOUT(framesFromProgram(log).value(framesFromProgram(log).size() - 1), QString("45"), 2000);
        QCOMPARE(framesFromProgram(log).count("45"), 1);
        if (!fails) {
            QCOMPARE(m_messages.size(), write ? 0 : 1);
            QCOMPARE(w.state() == before, write);
            return;
        }
        // After a write cut off in the middle, the radio may hold some blocks new and the rest old.
        QCOMPARE(m_messages.last().text, QString("Communication error, please check the intercom model, fault, "
                                                 "attachment and computer serial choice!")
                                             + (write ? "\nThe radio may now hold part of the new programming and "
                                                        "part of the old: write it again before use."
                                                      : ""));
        QVERIFY(w.state() == before);
        QCOMPARE(combo("Combo9")->currentIndex(), 4);
        QCOMPARE(cell(1, 1), QString("145.02500"));
        QVERIFY(action("mnuwriteFre")->isEnabled() && find<QGroupBox>("Frame2")->isEnabled() && table()->isEnabled());
        QVERIFY(!find<QLabel>("Label")->isVisible() && !find<QProgressBar>("ProgressBar1")->isVisible());
        m_answers << MessageAnswer::Cancel;
        QVERIFY(!w.close()); // the change is still unsaved: closing asks
        QCOMPARE(m_messages.last().text, QString("The channel data or settings have changed. Save them?"));
    }

    void noPortOpen()
    {
        MainWindow &w = start({"--unpaced"});
        w.session().closePort();
        action("mnuwriteFre")->trigger();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.startsWith("Communication port not open"));
        QVERIFY(find<QToolBar>("Toolbar1")->isEnabled());
    }

    // The end frame sent when the window closes during a session reaches the radio, although the
    // window and its port go at once, as when the program ends.
    void closingDuringASessionSendsTheEndFrame()
    {
        const QString log = m_dir->filePath("radio.log");
        MainWindow &w = start({"--log", log}); // paced: the read still runs when the window closes
        action("mnureadFre")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(framesFromProgram(log).size() >= 4, 5000); // in the data phase
        m_answers << MessageAnswer::Yes;
        QVERIFY(w.close());
        m_window.reset();
        QTRY_COMPARE_WITH_TIMEOUT(framesFromProgram(log).value(framesFromProgram(log).size() - 1), QString("45"), 2000);
    }

    void closingDuringASessionAsks()
    {
        MainWindow &w = start({"--split", "1"});
        action("mnureadFre")->trigger();
        m_answers << MessageAnswer::No;
        QVERIFY(!w.close());
        QVERIFY(!w.session().engine().isIdle());
        m_answers << MessageAnswer::Yes;
        QVERIFY(w.close());
        QVERIFY(w.session().engine().isIdle());
        QVERIFY(m_messages[0].text.startsWith("A session with the radio is running"));
    }
};

QTEST_MAIN(TestWindowE2e)
#include "tst_window_e2e.moc"
