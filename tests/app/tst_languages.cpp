// The three languages: start-up in each stored mode, the language commands, what Traditional
// Chinese converts and what it leaves Simplified, and the channel cells and encoding across a
// switch.

#include "app/channelgrid.h"
#include "app/mainwindow.h"
#include "editor/channelrules.h"
#include "i18n/captions.h"
#include "i18n/celltexts.h"
#include "widgets/messagebox.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/embeddedtextsdialog.h"
#include "dialogs/keysdialog.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/powertuningdialog.h"
#include "dialogs/testfrequencydialog.h"
#include "i18n/totraditional.h"
#include "image/codec.h"
#include "link/portslots.h"
#include "storage/datafile.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <memory>

#include "common/files.h"
#include "common/windowtest.h"
#include "common/windowparts.h"

namespace {

// Every text the conversion to Traditional Chinese reaches in one window, by the kinds it
// converts: captions of labels, buttons and group boxes, menu titles and items, the toolbar's
// own tooltip, list items and grid headers. Text boxes, sliders and titles are left out.
QStringList convertibleTexts(QWidget *window)
{
    QStringList texts;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->window() != window)
            continue; // a window of its own (the About box), walked by itself
        if (auto *label = qobject_cast<QLabel *>(widget))
            texts << label->text();
        else if (qobject_cast<QAbstractButton *>(widget) && !qobject_cast<QToolButton *>(widget))
            texts << static_cast<QAbstractButton *>(widget)->text();
        else if (auto *box = qobject_cast<QGroupBox *>(widget))
            texts << box->title();
        else if (auto *toolbar = qobject_cast<QToolBar *>(widget))
            texts << toolbar->toolTip();
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            for (int item = 0; item < combo->count(); ++item)
                texts << combo->itemText(item);
        else if (auto *table = qobject_cast<QTableWidget *>(widget))
            for (int column = 0; column < table->columnCount(); ++column)
                texts << table->horizontalHeaderItem(column)->text();
        else if (auto *menu = qobject_cast<QMenu *>(widget)) {
            texts << menu->title();
            for (QAction *action : menu->actions())
                if (!action->isSeparator() && !action->menu())
                    texts << action->text();
        }
    }
    return texts;
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    QList<MessageBoxRequest> m_messages;

    MainWindow &start(int language)
    {
        m_window.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_window = startWindow(m_dir->path(), QByteArray("\x00\x00", 2) + char(language));
        return *m_window;
    }

    QList<QWidget *> sevenWindows(MainWindow &w)
    {
        return {&w, &w.testFrequencyDialog(), &w.powerTuningDialog(), &w.optionsDialog(), &w.keysDialog(),
                &w.embeddedTextsDialog(), &w.aboutDialog()};
    }

    QStringList convertibleTexts(MainWindow &w)
    {
        QStringList texts;
        for (QWidget *window : sevenWindows(w))
            texts << ::convertibleTexts(window);
        return texts;
    }

    // The texts no conversion touches: the seven windows' titles and the toolbar's tooltips.
    QStringList unconvertedTexts(MainWindow &w)
    {
        QStringList texts;
        for (QWidget *window : sevenWindows(w))
            texts << window->windowTitle();
        for (QAction *action : findPart<QToolBar>(&w, "Toolbar1")->actions())
            texts << action->toolTip();
        return texts;
    }

    void switchTo(int language)
    {
        const char *commands[] = {"mnuChineseJ", "mnuEnglish", "mnuChineseF"};
        findPart<QAction>(m_window.get(), commands[language])->trigger();
    }

    QString cell(int row, int column) { return m_window->channelGrid().table()->item(row - 1, column)->text(); }

private slots:
    void initTestCase()
    {
        hideMachinePorts();
        qunsetenv(PortSlots::EnvironmentVariable);
    }

    void init()
    {
        m_messages.clear();
        setMessageBoxResponder([this](const MessageBoxRequest &request) {
            m_messages << request;
            return MessageAnswer::Cancel;
        });
    }

    void cleanup()
    {
        m_window.reset();
        setMessageBoxResponder(nullptr);
    }

    // Stored 2 is Traditional Chinese; any value beyond 2 shows the Simplified texts with English
    // messages, and is kept until a language command.
    void startUp_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QStringList>("texts"); // title, menu item, dialog caption, tooltip, About version
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("Traditional") << 2
                                     << QStringList {"QV-540 对讲机编程软件 V1.20", "寫頻(&W)", "優先信道", "读频",
                                                     "繁體中文版 V1.0"}
                                     << "所有信道的數據將被清除！" << QStringList {"確定", "取消"};
        QTest::newRow("stored 7") << 7
                                  << QStringList {"QV-540 对讲机编程软件 V1.20", "写频(&W)", "优先信道", "读频",
                                                  "简体中文版 V1.20"}
                                  << "All channel data will be clear." << QStringList {"OK", "Cancel"};
    }
    void startUp()
    {
        QFETCH(int, stored);
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(QStringList, buttons);
        MainWindow &w = start(stored);
        const QStringList shown {w.windowTitle(), findPart<QAction>(&w, "mnuwriteFre")->text(),
                                 findPart<QLabel>(&w.optionsDialog(), "Label15")->text(),
                                 findPart<QAction>(&w, "mnureadFre")->toolTip(),
                                 findPart<QLabel>(&w.aboutDialog(), "lblVersion")->text()};
        QCOMPARE(shown, texts);
        findPart<QAction>(&w, "mnuNew")->trigger();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, message);
        QCOMPARE(m_messages[0].buttons, buttons);
        QVERIFY(w.close());
        QCOMPARE(readFileBytes(m_dir->filePath("user/parameter")), QByteArray("\x00\x00", 2) + char(stored));
    }

    // After a switch every text the conversion reaches is the new language's; in Traditional
    // Chinese each is the conversion of its Simplified text, while titles and the toolbar's
    // tooltips stay Simplified. Choosing the active language changes nothing.
    void switches_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("English to Traditional") << 1 << 2;
        QTest::newRow("Traditional to English") << 2 << 1;
        QTest::newRow("Traditional to Simplified") << 2 << 0;
        QTest::newRow("Simplified to Simplified") << 0 << 0;
    }
    void switches()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        const QStringList simplified = convertibleTexts(start(Language::Simplified));
        const QStringList simplifiedTitles = unconvertedTexts(*m_window);
        const QStringList fresh = convertibleTexts(start(unconvertedLanguage(to)));
        const QStringList freshTitles = unconvertedTexts(*m_window);

        start(from);
        QTest::mouseClick(m_window->channelGrid().table()->viewport(), Qt::LeftButton, {},
                          m_window->channelGrid().cellRect(1, 1).center());
        QTest::keyClicks(m_window->channelGrid().frequencyEditor(), "436.125"); // left open
        switchTo(to);
        const QStringList texts = convertibleTexts(*m_window);
        if (to == Language::Traditional) {
            QCOMPARE(texts.size(), simplified.size());
            for (qsizetype i = 0; i < texts.size(); ++i) {
                // The About box's version line is the Traditional edition's own.
                const QString source = simplified[i] == "简体中文版 V1.20" ? QString("繁体中文版 V1.0") : simplified[i];
                QCOMPARE(texts[i], toTraditional(source));
            }
            QCOMPARE(unconvertedTexts(*m_window), simplifiedTitles);
        } else {
            QCOMPARE(texts, fresh);
            QCOMPARE(unconvertedTexts(*m_window), freshTitles);
        }
        // The open edit is stored by a switch, as Enter would; the active language leaves it open.
        const bool switched = from != to;
        QCOMPARE(m_window->channelGrid().openEditorWidget() == nullptr, switched);
        QCOMPARE(cell(1, 1), switched ? QString("436.12500") : QString());
    }

    // Off tones and option items follow the language; tone values stay; the image is the same
    // in every language, so closing asks nothing.
    void cellsAndImageAcrossSwitches()
    {
        EditorState file;
        const Tone tones[] = {Tone(), Tone::ctcss(885), Tone::dcs({023, false}), Tone()};
        for (int row = 1; row <= 4; ++row) { // each option column at each item
            Channel &channel = file.channel(row).emplace(Channel::on(*Frequency::ofText(QStringLiteral("43%1.00000").arg(row))));
            channel.rxTone = tones[row - 1];
            channel.txTone = tones[(row + 1) % 4];
            for (int column = EditorState::Power; column <= EditorState::Scan; ++column)
                ChannelRules::pickOption(file, row, column, (row + column) % 2);
        }
        MainWindow &w = start(Language::English);
        const QString path = m_dir->filePath("options.DAT");
        QVERIFY(DataFile::write(path, encodeImage(file)));
        QVERIFY(w.openDataFile(path));
        const QByteArray image = encodeImage(w.state()).bytes();
        const QString title = w.windowTitle();
        for (int language : {Language::Traditional, Language::Simplified, Language::English, Language::Traditional}) {
            switchTo(language);
            const CellTexts texts = CellTexts::forLanguage(language);
            QCOMPARE(cell(1, 2), texts.toneOff);
            QCOMPARE(cell(2, 2), QString("88.5"));
            QCOMPARE(cell(3, 2), QString("D023N"));
            for (int row = 1; row <= 4; ++row)
                for (int column = 5; column <= 8; ++column)
                    QCOMPARE(cell(row, column), texts.option(column, (row + column) % 2));
            QCOMPARE(encodeImage(w.state()).bytes(), image);
            QCOMPARE(w.windowTitle(), title); // still names the file
        }
        QVERIFY(w.close()); // nothing to save
        QVERIFY(m_messages.isEmpty());
    }

    // Lists keep their selection through a switch and report no change: no check of a dialog
    // runs, no value is edited.
    void listsKeepTheirSelection()
    {
        MainWindow &w = start(Language::English);
        auto *mode = findPart<QComboBox>(&w.optionsDialog(), "Combo11");
        mode->setCurrentIndex(1); // "Fixed", with no channel: a choice would be refused
        auto *squelch = findPart<QComboBox>(&w, "Combo9");
        int changes = 0;
        connect(squelch, &QComboBox::currentIndexChanged, this, [&changes] { ++changes; });
        switchTo(Language::Traditional);
        QCOMPARE(mode->currentIndex(), 1);
        QCOMPARE(squelch->currentIndex(), 1);
        QCOMPARE(changes, 0);
        QVERIFY(m_messages.isEmpty());
    }

    // The toolkit's own texts (here a text box's context menu) follow the language, from the
    // start and at each switch.
    void toolkitTextsFollow()
    {
        auto undo = [] { return QCoreApplication::translate("QLineEdit", "&Undo"); };
        start(0);
        QCOMPARE(undo(), QString("撤消(&U)"));
        findPart<QAction>(m_window.get(), "mnuChineseF")->trigger();
        QCOMPARE(undo(), QString("復原(&U)"));
        findPart<QAction>(m_window.get(), "mnuEnglish")->trigger();
        QCOMPARE(undo(), QString("&Undo"));
    }

    // Settings > Languages is the last entry of the Settings menu; its three commands, in order,
    // are reached with Alt+S and the arrow keys.
    void languagesByKeyboard()
    {
        MainWindow &w = start(Language::English);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QMenu *settings = findPart<QMenu>(&w, "mnuset");
        QCOMPARE(settings->actions().constLast()->menu(), findPart<QMenu>(&w, "mnuLanguage"));
        QStringList commands;
        for (QAction *action : findPart<QMenu>(&w, "mnuLanguage")->actions())
            commands << action->objectName();
        QCOMPARE(commands, (QStringList {"mnuChineseJ", "mnuChineseF", "mnuEnglish"}));

        QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(settings->isVisible());
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}) // Languages, Traditional
            QTest::keyClick(QApplication::activePopupWidget(), key);
        QCOMPARE(w.language(), Language::Traditional);
        QCOMPARE(findPart<QAction>(&w, "mnuwriteFre")->text(), QString("寫頻(&W)"));
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
