// The window against the radio emulator through a real pseudo-terminal: the port dialog, a
// read, a write, the band question and a radio that does not answer.

#include "app/datafiledialog.h"
#include "app/form1.h"
#include "common/files.h"
#include "common/radioemulator.h"
#include "i18n/msgboxlocalized.h"
#include "image/codec.h"
#include "link/formcom.h"
#include "link/portslots.h"
#include "link/sessiondriver.h"
#include "storage/datafile.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <memory>

namespace {

const CellTexts English = CellTexts::forLanguage(Language::English);

// A radio's programming: three channels in band "136-174MHz", settings off their defaults.
EditorState radioState()
{
    EditorState s;
    const QStringList rows[] = {{"145.02500", "67.0", "145.62500", "D023N", "Low", "Carrow", "Narrow", "No"},
                                {"150.00000", "Off", "150.00000", "Off", "Hight", "Off", "Wide", "Have"},
                                {"173.99375", "D754I", "", "", "Hight", "Off", "Narrow", "Have"}};
    for (int row = 1; row <= 3; ++row)
        for (int column = 1; column <= 8; ++column)
            s.cell(row, column) = rows[row - 1][column - 1];
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
    std::unique_ptr<Form1> m_window;
    QList<MessageBoxRequest> m_messages;
    QList<int> m_answers;
    QStringList m_fileNames; // the file dialog's answers; cancelled when none is left
    // Called for each message box before it is answered: a test can let time pass while it is open.
    std::function<void(const MessageBoxRequest &)> m_whileOpen;

    // The emulator with the given options, then the window in English, whose only port slot
    // beside a missing device is the emulator's terminal.
    Form1 &start(const QStringList &radioOptions, const QString &otherPorts = "/dev/qv540-missing")
    {
        m_radio = std::make_unique<Radio>();
        [&] { QVERIFY(m_radio->start(radioOptions)); }();
        qputenv(PortSlots::EnvironmentVariable, (m_radio->device() + ':' + otherPorts).toLocal8Bit());
        writeFileBytes(m_dir->filePath("parameter"), QByteArray("\x00\x00\x01", 3));
        m_window = std::make_unique<Form1>(SettingsFile::locate(m_dir->path(), m_dir->filePath("user")));
        m_window->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(m_window.get())); }();
        return *m_window;
    }

    void clickToolbar(const char *key)
    {
        QToolBar *toolbar = m_window->Toolbar1;
        for (QAction *action : toolbar->actions())
            if (action->data().toString() == QLatin1StringView(key))
                QTest::mouseClick(toolbar->widgetForAction(action), Qt::LeftButton);
    }

    QString cell(int row, int column) { return m_window->Grid1->item(row - 1, column)->text(); }

    // The session has ended and the commands are back.
    void waitUntilIdle()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_window->Toolbar1->isEnabled() && m_window->mnureadFre->isEnabled(), 15000);
    }

private slots:
    void initTestCase()
    {
        PortSlots::setSystemDeviceLister([] { return QList<PortSlots::Device>(); });
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
            return m_answers.isEmpty() ? MsgBoxResult::Ok : m_answers.takeFirst();
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
        Form1 &w = start({"--unpaced"}, "/dev/qv540-missing:" + longPath);
        QVERIFY(w.session().isPortOpen()); // the first usable slot, opened at start-up
        QCOMPARE(w.session().link().device(), m_radio->device());
        QCOMPARE(w.comPortNumber(), 1);

        QStringList labels, tooltips;
        QList<bool> enabled;
        int dialogWidth = 0;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<FormCOM *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            for (QRadioButton *button : dialog->OptionCOM) {
                labels << button->text();
                tooltips << button->toolTip();
                enabled << button->isEnabled();
            }
            dialogWidth = dialog->sizeHint().width();
            dialog->reject();
        });
        w.mnucom->trigger();
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
        QVERIFY(DataFile::write(memory, EncodeImage(radio, English)));
        Form1 &w = start({"--memory", memory}); // paced as a real radio
        clickToolbar("read");
        QVERIFY(!w.Toolbar1->isEnabled());
        QVERIFY(!w.Grid1->isEnabled());
        QCOMPARE(w.Label->text(), QString("Is communication, please later……"));
        QTRY_COMPARE_WITH_TIMEOUT(w.Label->text(), QString("Read frequency success!"), 10000);
        QVERIFY(w.Grid1->isEnabled()); // the table is back at once; the commands after the result showed
        QVERIFY(!w.Toolbar1->isEnabled());
        waitUntilIdle();
        QVERIFY(!w.Label->isVisible());
        QVERIFY(m_messages.isEmpty()); // no band question, no error

        for (int row = 1; row <= 16; ++row)
            for (int column = 1; column <= 8; ++column)
                QCOMPARE(cell(row, column), radio.cell(row, column));
        QCOMPARE(w.Combo1->currentIndex(), 5);
        QCOMPARE(w.Combo3->currentIndex(), 7);
        QCOMPARE(w.Combo9->currentIndex(), 9);
        QCOMPARE(w.Combo7->currentIndex(), 0);
        QVERIFY(w.Grid1->isEnabled());
    }

    // A radio on another band than its channels: they are read as they are, and marked.
    void readMarksChannelsOutsideTheBand()
    {
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, EncodeImage(radioState(), English))); // channels of 136-174MHz
        Form1 &w = start({"--unpaced", "--memory", memory, "--band", "0"});
        w.mnureadFre->trigger();
        waitUntilIdle();
        QCOMPARE(w.Combo1->currentIndex(), 0);
        QCOMPARE(cell(1, 1), QString("145.02500"));
        QCOMPARE(w.Grid1->item(0, 1)->toolTip(), QString("Beyond the frequency range: 400-500MHz"));
        QCOMPARE(w.Grid1->item(2, 3)->toolTip(), QString()); // no TX frequency: nothing to mark
    }

    // A read replaces the editor: unsaved changes are offered for saving first.
    void readAsksAboutUnsavedChanges_data()
    {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("read");  // the radio's channels replace the typed one
        QTest::addColumn<bool>("saved"); // the typed channel went to a file first
        QTest::newRow("yes") << QStringList {"--unpaced"} << MsgBoxResult::Yes << true << true;
        QTest::newRow("no") << QStringList {"--unpaced"} << MsgBoxResult::No << true << false;
        QTest::newRow("cancel") << QStringList {"--unpaced"} << MsgBoxResult::Cancel << false << false;
        QTest::newRow("no, radio silent") << QStringList {"--silent-after", "0"} << MsgBoxResult::No << false << false;
    }
    void readAsksAboutUnsavedChanges()
    {
        QFETCH(QStringList, radio);
        QFETCH(int, answer);
        QFETCH(bool, read);
        QFETCH(bool, saved);
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, EncodeImage(radioState(), English)));
        Form1 &w = start(radio + QStringList {"--memory", memory});
        w.Combo9->setCurrentIndex(4); // an unsaved change
        const QString savePath = m_dir->filePath("before read.DAT");
        m_fileNames << savePath;
        m_answers << answer;
        w.mnureadFre->trigger();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QString("The channel data or settings have changed. Save them?"));
        QCOMPARE(w.session().engine().isIdle(), answer == MsgBoxResult::Cancel);
        waitUntilIdle();
        QCOMPARE(QFileInfo::exists(savePath), saved);
        QCOMPARE(w.Combo9->currentIndex(), read ? 9 : 4);
        m_answers << MsgBoxResult::No; // closing asks only while the change is still unsaved
        const qsizetype asked = m_messages.size();
        QVERIFY(w.close());
        QCOMPARE(m_messages.size() - asked, read || saved ? 0 : 1);
    }

    // "Abort and quit?" is taken back when the read ends while it is open; the closing then goes
    // on as from an idle window.
    void closingQuestionEndsWithTheRead()
    {
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, EncodeImage(radioState(), English)));
        Form1 &w = start({"--memory", memory}); // paced: the question is up while the read goes on
        w.mnureadFre->trigger();
        m_whileOpen = [&](const MessageBoxRequest &request) {
            QVERIFY(request.withdrawal);
            QSignalSpy withdrawn(request.withdrawal, &MessageBoxWithdrawal::withdrawn);
            QVERIFY(withdrawn.wait(10000));
        };
        m_answers << MsgBoxResult::No; // never given: the question is gone by then
        QVERIFY(w.close());
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.startsWith("A session with the radio is running"));
        QCOMPARE(cell(1, 1), QString("145.02500")); // the read completed
        QCOMPARE(readFileBytes(m_dir->filePath("parameter")), QByteArray("\x00\x01\x01", 3));
    }

    // The band question answered after a read ended behind it: the read chose band and channels.
    void bandQuestionOutlivedByARead()
    {
        const QString memory = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(memory, EncodeImage(radioState(), English)));
        Form1 &w = start({"--memory", memory});
        w.mnureadFre->trigger();
        m_whileOpen = [&](const MessageBoxRequest &) {
            QTRY_COMPARE_WITH_TIMEOUT(w.Label->text(), QString("Read frequency success!"), 10000);
        };
        m_answers << MsgBoxResult::Ok;
        w.Combo1->setCurrentIndex(2); // as the user picks it during the read
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(w.Combo1->currentIndex(), 5);
        QCOMPARE(w.state().currentBand, 5);
        QCOMPARE(cell(1, 1), QString("145.02500"));
        const RadioImage image = EncodeImage(w.state(), English);
        QCOMPARE(image.byte(429), quint8(0x01)); // band 5's code, as the selector shows
        waitUntilIdle();
        QVERIFY(w.close()); // nothing unsaved
        QCOMPARE(m_messages.size(), 1);
    }

    void writeLeavesTheImageInTheRadio()
    {
        const QString saved = m_dir->filePath("after.bin");
        Form1 &w = start({"--unpaced", "--save", saved});
        const QString file = m_dir->filePath("radio.DAT");
        EditorState programming = radioState();
        programming.currentBand = 0;
        programming.cell(1, 1) = programming.cell(1, 3) = "436.12500";
        programming.cell(2, 1) = programming.cell(2, 3) = "445.00625";
        programming.cell(3, 1) = "470.00000";
        QVERIFY(DataFile::write(file, EncodeImage(programming, English)));
        QVERIFY(w.openDataFile(file));
        clickToolbar("write");
        QTRY_COMPARE_WITH_TIMEOUT(w.Label->text(), QString("Write frequency success!"), 10000);
        QVERIFY(m_messages.isEmpty());
        waitUntilIdle();
        w.session().closePort();
        QVERIFY(m_radio->stop());

        const QByteArray after = readFileBytes(saved);
        const QByteArray image = EncodeImage(w.state(), English).bytes();
        QCOMPARE(after.size(), 1024);
        QCOMPARE(addressRange(after, 0x0010, 0x017F), addressRange(image, 0x0010, 0x017F));
        QCOMPARE(addressRange(after, 0x01B8, 0x01C7), addressRange(image, 0x01B8, 0x01C7));
        QCOMPARE(addressRange(after, 0x0200, 0x035F), addressRange(image, 0x0200, 0x035F));
    }

    // The radio holds band 0, the window band 5: the write asks, and No leaves the radio as it was.
    void bandQuestionNo()
    {
        const QString saved = m_dir->filePath("after.bin");
        const QByteArray before = EncodeImage(EditorState(), English).bytes() + QByteArray(176, '\xFF');
        QVERIFY(writeFileBytes(m_dir->filePath("before.bin"), before));
        Form1 &w = start({"--unpaced", "--memory", m_dir->filePath("before.bin"), "--save", saved});
        const QString file = m_dir->filePath("radio.DAT");
        QVERIFY(DataFile::write(file, EncodeImage(radioState(), English)));
        QVERIFY(w.openDataFile(file));
        m_answers << MsgBoxResult::No;
        clickToolbar("write");
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 5000);
        QCOMPARE(m_messages[0].text, QString("Frequency band with discrepancies, do you wish to continue?"));
        QCOMPARE(m_messages[0].buttons, (QStringList {"Yes", "No"}));
        QTRY_COMPARE(w.Label->text(), m_messages[0].text);
        waitUntilIdle();
        QCOMPARE(m_messages.size(), 1); // no error follows
        w.session().closePort();
        QVERIFY(m_radio->stop());
        QCOMPARE(readFileBytes(saved), before);
    }

    // An edit still open when Write is clicked is written; the lock comes back after a session.
    void openEditIsWrittenAndLockSurvives()
    {
        const QString saved = m_dir->filePath("after.bin");
        Form1 &w = start({"--unpaced", "--save", saved});
        QTest::mouseClick(w.Grid1->viewport(), Qt::LeftButton, {}, w.Grid1->visualItemRect(w.Grid1->item(0, 1)).center());
        QTest::keyClicks(QApplication::focusWidget(), "436.125"); // no Enter: the editor stays open
        clickToolbar("write");
        QTRY_COMPARE_WITH_TIMEOUT(w.Label->text(), QString("Write frequency success!"), 10000);
        waitUntilIdle();
        QCOMPARE(cell(1, 1), QString("436.12500"));

        w.mnulock->trigger();
        clickToolbar("read");
        QVERIFY(w.Frame1->isEnabled()); // the band selector stays usable during a session
        QVERIFY(!w.Grid1->isEnabled() && !w.Frame2->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(w.Label->text(), QString("Read frequency success!"), 10000);
        waitUntilIdle();
        QVERIFY(!w.Frame1->isEnabled() && !w.Grid1->isEnabled() && !w.Frame2->isEnabled());

        w.session().closePort();
        QVERIFY(m_radio->stop());
        QCOMPARE(addressRange(readFileBytes(saved), 0x0010, 0x0013), QByteArray::fromHex("00256143"));
    }

    void silentRadio()
    {
        Form1 &w = start({"--silent-after", "0"});
        QElapsedTimer clock;
        clock.start();
        w.mnureadFre->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 6000);
        QVERIFY(clock.elapsed() >= 2500);
        QCOMPARE(m_messages[0].text, QString("Communication error, please check the intercom model, fault, "
                                             "attachment and computer serial choice!"));
        QCOMPARE(m_messages[0].style & 0xF0, MsgBoxStyle::Critical);
        waitUntilIdle();
        QVERIFY(!w.Label->isVisible());
        QVERIFY(!w.ProgressBar1->isVisible());
        QVERIFY(w.Grid1->isEnabled());
    }

    void noPortOpen()
    {
        Form1 &w = start({"--unpaced"});
        w.session().closePort();
        w.mnuwriteFre->trigger();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.startsWith("Communication port not open"));
        QVERIFY(w.Toolbar1->isEnabled());
    }

    void closingDuringASessionAsks()
    {
        Form1 &w = start({"--split", "1"});
        w.mnureadFre->trigger();
        m_answers << MsgBoxResult::No;
        QVERIFY(!w.close());
        QVERIFY(!w.session().engine().isIdle());
        m_answers << MsgBoxResult::Yes;
        QVERIFY(w.close());
        QVERIFY(w.session().engine().isIdle());
        QVERIFY(m_messages[0].text.startsWith("A session with the radio is running"));
    }
};

QTEST_MAIN(TestWindowE2e)
#include "tst_window_e2e.moc"
