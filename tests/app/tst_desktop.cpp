// The window as a desktop program: undo and redo of every change, the channel sheet printed
// or exported as PDF, recent files, dropping a data file on the window, and the backups folder.

#include "app/channelgrid.h"
#include "app/channelsheet.h"
#include "app/datafiledialog.h"
#include "app/mainwindow.h"
#include "dialogs/optionsdialog.h"
#include "widgets/messagebox.h"
#include "dialogs/keysdialog.h"
#include "image/codec.h"
#include "link/portslots.h"
#include "storage/backups.h"
#include "storage/datafile.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QUrl>
#include <memory>

#include "common/files.h"
#include "common/richstates.h"
#include "common/windowtest.h"
#include "common/windowparts.h"

namespace {

const CellTexts English = CellTexts::forLanguage(Language::English);

EditorState richState()
{
    EditorState s = twoChannels();
    s.squelch = 4;
    s.keyFunction1 = 3;
    s.embeddedTexts = {"HELLO", "DEPOT 7"};
    return s;
}

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

public:
    enum class Change { CellEdit, TonePick, OptionPick, Band, SettingsList, New, DialogOk, CsvImport };
    Q_ENUM(Change)

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    QList<MessageBoxRequest> m_messages;
    QList<MessageAnswer> m_answers;
    QStringList m_fileNames;
    QList<DataFileDialog::Kind> m_fileDialogs;

    MainWindow &start()
    {
        m_window.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_window = startWindow(m_dir->path(), QByteArray("\x00\x00\x01", 3));
        [&] { QVERIFY(QTest::qWaitForWindowActive(m_window.get())); }();
        return *m_window;
    }

    QString saveRich(const QString &name = "rich.DAT", const EditorState &state = richState())
    {
        const QString path = m_dir->filePath(name);
        [&] { QVERIFY(DataFile::write(path, encodeImage(state))); }();
        return path;
    }

    ChannelGrid &grid() { return m_window->channelGrid(); }
    QAction *action(const char *name) { return findPart<QAction>(m_window.get(), name); }
    QString cell(int row, int column) { return grid().table()->item(row - 1, column)->text(); }

    void clickCell(int row, int column)
    {
        QTest::mouseClick(grid().table()->viewport(), Qt::LeftButton, {}, grid().cellRect(row, column).center());
    }

    void pickFromList(QComboBox *combo, int index)
    {
        QAbstractItemView *view = combo->view();
        QTRY_VERIFY(view->isVisible());
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
    }

    // Opens a menu of the menu bar by its letter, then presses a command's letter in it.
    void menuCommand(Qt::Key menuLetter, Qt::Key commandLetter)
    {
        QTest::keyClick(m_window.get(), menuLetter, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), commandLetter);
    }

    void apply(Change change)
    {
        switch (change) {
        case Change::CellEdit: // a new channel: eight cells in one step
            clickCell(3, 1);
            QTest::keyClicks(grid().frequencyEditor(), "450");
            QTest::keyClick(grid().frequencyEditor(), Qt::Key_Return);
            break;
        case Change::TonePick:
            clickCell(2, 2);
            pickFromList(grid().toneEditor(), 9);
            break;
        case Change::OptionPick:
            clickCell(1, 5);
            pickFromList(grid().optionEditor(5), 1);
            break;
        case Change::Band: // with the channels it clears
            m_answers << MessageAnswer::Ok;
            findPart<QComboBox>(m_window.get(), "Combo1")->setCurrentIndex(2);
            break;
        case Change::SettingsList: {
            auto *squelch = findPart<QComboBox>(m_window.get(), "Combo9");
            squelch->setFocus();
            QTest::keyClick(squelch, Qt::Key_Down);
            break;
        }
        case Change::New:
            m_answers << MessageAnswer::Ok;
            action("mnuNew")->trigger();
            break;
        case Change::DialogOk:
            action("Key_enactment")->trigger();
            QVERIFY(QTest::qWaitForWindowActive(&m_window->keysDialog()));
            QTest::keyClick(m_window->keysDialog().focusWidget(), Qt::Key_Down);
            QTest::keyClick(m_window->keysDialog().focusWidget(), Qt::Key_Return, Qt::ControlModifier);
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
            break;
        case Change::CsvImport:
            writeFileBytes(m_dir->filePath("list.csv"), "Location,Frequency\n1,438.5\n2,439\n");
            m_fileNames << m_dir->filePath("list.csv");
            action("mnuImportCsv")->trigger();
            break;
        }
    }

    // Whether closing now asks about unsaved changes; the window stays.
    bool closingAsks()
    {
        const qsizetype before = m_messages.size();
        m_answers.prepend(MessageAnswer::Cancel); // the question, if it comes, keeps the window
        const bool closed = m_window->close();
        const bool asked = m_messages.size() > before;
        if (!asked)
            m_answers.removeFirst();
        if (closed) {
            m_window->show();
            m_window->activateWindow();
            [&] { QVERIFY(QTest::qWaitForWindowActive(m_window.get())); }();
        }
        return asked;
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
        m_fileDialogs.clear();
        setMessageBoxResponder([this](const MessageBoxRequest &request) {
            m_messages << request;
            return m_answers.isEmpty() ? MessageAnswer::Ok : m_answers.takeFirst();
        });
        DataFileDialog::setChooser([this](DataFileDialog::Kind kind) {
            m_fileDialogs << kind;
            return m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
        });
    }

    void cleanup()
    {
        m_window.reset();
        setMessageBoxResponder(nullptr);
        DataFileDialog::setChooser(nullptr);
        setPrinterChooser(nullptr);
    }

    // Each change is one step: undone, the editor and its image are as before, and closing asks
    // nothing at the saved state; redone, the change is back.
    // Without an installed icon in the theme, every window shows the radio as the program draws it.
    void windowIcon()
    {
        start();
        const QIcon icon = m_window->windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(!icon.pixmap(48, 48).isNull());
        QVERIFY(!m_window->optionsDialog().windowIcon().isNull());
    }

    void undoableChanges_data()
    {
        QTest::addColumn<Change>("change");
        for (Change change : {Change::CellEdit, Change::TonePick, Change::OptionPick, Change::Band, Change::SettingsList,
                              Change::New, Change::DialogOk, Change::CsvImport})
            QTest::newRow(QMetaEnum::fromType<Change>().valueToKey(int(change))) << change;
    }
    void undoableChanges()
    {
        QFETCH(Change, change);
        MainWindow &w = start();
        QVERIFY(w.openDataFile(saveRich()));
        QVERIFY(!action("mnuUndo")->isEnabled()); // opening starts the history afresh
        const EditorState before = w.state();
        apply(change);
        const EditorState after = w.state();
        QVERIFY(encodeImage(after) != encodeImage(before));
        QVERIFY(action("mnuUndo")->isEnabled());

        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.state(), before);
        QCOMPARE(encodeImage(w.state()), encodeImage(before));
        QVERIFY(!action("mnuUndo")->isEnabled());
        QVERIFY(!closingAsks());

        QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.state(), after);
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.state(), after);
        QVERIFY(closingAsks());
    }

    // An undo after a language switch brings back the new language's texts, which the encoder
    // knows; the lock blocks undo as it blocks edits.
    void undoAcrossALanguageSwitchAndTheLock()
    {
        MainWindow &w = start();
        QVERIFY(w.openDataFile(saveRich()));
        const QByteArray image = encodeImage(w.state()).bytes();
        apply(Change::OptionPick); // Low -> Hight
        action("mnuChineseJ")->trigger();
        QCOMPARE(cell(1, 5), QString("高"));
        action("mnuUndo")->trigger();
        QCOMPARE(cell(1, 5), QString("低"));
        QCOMPARE(cell(1, 6), QString("载波"));
        QCOMPARE(encodeImage(w.state()).bytes(), image);

        action("mnuRedo")->trigger();
        action("mnulock")->trigger();
        QVERIFY(!action("mnuUndo")->isEnabled());
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell(1, 5), QString("高"));
        action("mnulock")->trigger();
        QVERIFY(action("mnuUndo")->isEnabled());
    }

    // The sheet holds every channel's frequencies and tones, the settings, keys and texts; the
    // PDF is written by File > Export PDF (its letter), with ".pdf" added; an open edit counts.
    void exportPdf()
    {
        MainWindow &w = start();
        QVERIFY(w.openDataFile(saveRich()));
        clickCell(3, 1);
        QTest::keyClicks(grid().frequencyEditor(), "450.0125"); // left open
        m_fileNames << m_dir->filePath("sheet");
        menuCommand(Qt::Key_F, Qt::Key_E);
        QCOMPARE(m_fileDialogs, QList {DataFileDialog::Kind::ExportPdf});
        QVERIFY(readFileBytes(m_dir->filePath("sheet.pdf")).startsWith("%PDF"));

        const std::unique_ptr<QTextDocument> document(w.channelSheet().document());
        const QString text = document->toPlainText();
        for (const char *expected : {"436.12500", "67.0", "D023N", "445.00625", "440.00000", "450.01250", "Carrow",
                                     "Narrow", "Squelch Grade:", "4 Group", "Key lock & backup", "HELLO", "DEPOT 7",
                                     "400-500MHz"})
            QVERIFY2(text.contains(expected), expected);
        QVERIFY(text.contains(m_dir->filePath("rich.DAT")));
        const QStringList lines = text.split('\n');
        QVERIFY(lines.contains("16")); // empty channels are empty rows
    }

    void print()
    {
        MainWindow &w = start();
        QVERIFY(w.openDataFile(saveRich()));
        const QString path = m_dir->filePath("printed.pdf");
        setPrinterChooser([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        });
        menuCommand(Qt::Key_F, Qt::Key_P);
        QVERIFY(readFileBytes(path).startsWith("%PDF"));
    }

    // Export PDF's dialog takes a typed path and Enter, as Save's does.
    void exportDialogTakesATypedPath()
    {
        QTemporaryDir dir;
        std::unique_ptr<QFileDialog> dialog(DataFileDialog::create(nullptr, DataFileDialog::Kind::ExportPdf));
        dialog->setDirectory(dir.path());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QTest::keyClicks(dialog->focusWidget(), "typed.pdf");
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->selectedFiles(), QStringList {dir.filePath("typed.pdf")});
        QCOMPARE(dialog->nameFilters(), QStringList {"PDF(*.pdf)"});
    }

    // Files opened or saved come first in Recent Files, their paths as they are in every
    // language; a file that has gone is taken off with a message.
    void recentFiles()
    {
        MainWindow &w = start();
        const QString rich = saveRich("R&D.DAT");
        QVERIFY(w.openDataFile(rich));
        m_fileNames << m_dir->filePath("saved");
        action("mnuAssave")->trigger();
        action("mnuChineseF")->trigger();
        QMenu *recent = findPart<QMenu>(&w, "mnuRecent");
        QCOMPARE(recent->title(), QString("最近的文件(&R)"));
        emit recent->aboutToShow();
        QStringList shown;
        for (QAction *entry : recent->actions())
            shown << entry->text();
        QCOMPARE(shown, (QStringList {m_dir->filePath("saved.DAT"), QString(rich).replace("&", "&&")}));

        QFile::remove(m_dir->filePath("saved.DAT"));
        recent->actions().constFirst()->trigger();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.endsWith(m_dir->filePath("saved.DAT")));
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 1);
    }

    // A data file dropped on the window opens, after the unsaved-changes question.
    void dropADataFile()
    {
        MainWindow &w = start();
        const QString rich = saveRich();
        findPart<QComboBox>(&w, "Combo9")->setCurrentIndex(7); // unsaved
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(rich)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        m_answers << MessageAnswer::No;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &drop);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QString("The channel data or settings have changed. Save them?"));
        QCOMPARE(cell(1, 1), QString("436.12500"));

        mime.setUrls({QUrl::fromLocalFile(m_dir->filePath("notes.txt"))});
        QDragEnterEvent other(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &other);
        QVERIFY(!other.isAccepted());
    }

    // File > Open Backup opens the Open dialog in the backups folder.
    void openBackup()
    {
        start();
        action("mnuOpenBackup")->trigger();
        QCOMPARE(m_fileDialogs, QList {DataFileDialog::Kind::OpenBackup});
        std::unique_ptr<QFileDialog> dialog(DataFileDialog::create(nullptr, DataFileDialog::Kind::OpenBackup));
        QCOMPARE(dialog->directory().absolutePath(), QDir(Backups::folder()).absolutePath());
    }

    // The title and the sheet name the file what is shown came from: Open, Save and a dropped
    // file set it, New and Import CSV cut it (the title is then the program's, the sheet says so),
    // edits keep it, and undo back to a state from the file brings it back.
    void titleAndSheetNameTheFileShown_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("file"); // the file named afterwards; empty for none
        QTest::newRow("open") << QStringList {"open"} << "rich.DAT";
        QTest::newRow("an edit keeps it") << QStringList {"open", "edit"} << "rich.DAT";
        QTest::newRow("new") << QStringList {"open", "new"} << "";
        QTest::newRow("import CSV") << QStringList {"open", "import"} << "";
        QTest::newRow("undo of an import") << QStringList {"open", "import", "undo"} << "rich.DAT";
        QTest::newRow("undo of new") << QStringList {"open", "edit", "new", "undo", "undo"} << "rich.DAT";
        QTest::newRow("save after new") << QStringList {"open", "new", "save"} << "saved.DAT";
        QTest::newRow("undo after a save") << QStringList {"open", "new", "save", "undo"} << "saved.DAT";
        QTest::newRow("drop") << QStringList {"new", "drop"} << "dropped.DAT";
    }
    void titleAndSheetNameTheFileShown()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, file);
        MainWindow &w = start();
        const QString rich = saveRich();
        const QString dropped = saveRich("dropped.DAT");
        for (const QString &step : steps) {
            if (step == "open") {
                QVERIFY(w.openDataFile(rich));
            } else if (step == "edit") {
                apply(Change::OptionPick);
            } else if (step == "new") {
                apply(Change::New);
            } else if (step == "import") {
                apply(Change::CsvImport);
            } else if (step == "undo") {
                action("mnuUndo")->trigger();
            } else if (step == "save") {
                m_fileNames << m_dir->filePath("saved.DAT");
                action("mnuAssave")->trigger();
            } else if (step == "drop") {
                m_answers << MessageAnswer::No; // unsaved changes dropped
                QMimeData mime;
                mime.setUrls({QUrl::fromLocalFile(dropped)});
                QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
                QApplication::sendEvent(&w, &enter);
                QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
                QApplication::sendEvent(&w, &drop);
            }
        }
        const QString path = file.isEmpty() ? QString() : m_dir->filePath(file);
        QCOMPARE(w.windowTitle(), path.isEmpty() ? QString("QV-540 Radio Software V1.20") : "Lumeo-" + path);
        const ChannelSheet sheet = w.channelSheet();
        QCOMPARE(sheet.facts.value(0), ChannelSheet::Row("File", path.isEmpty() ? QString("not saved to a file") : path));
    }

    // The Edit menu stands between File and Programming.
    void menus()
    {
        MainWindow &w = start();
        QStringList bar;
        for (QAction *entry : w.menuBar()->actions())
            bar << entry->text();
        QCOMPARE(bar, (QStringList {"File(&F)", "Edit(&E)", "Programming(&P)", "Settings(&S)", "Help(&H)"}));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
