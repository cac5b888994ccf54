// The owner of the programming being edited: every change one step, refused where the mode
// forbids it; the file that what is shown came from; what counts as saved; the debug mode.

#include "document/programmingdocument.h"
#include "editor/channelrules.h"

#include <QSignalSpy>
#include <QTest>

namespace {

void setSquelch(ProgrammingDocument &document, int squelch)
{
    document.edit(Command::ChangeSetting, [squelch](EditorState &state) { state.squelch = squelch; });
}

} // namespace

class TestProgrammingDocument : public QObject
{
    Q_OBJECT

private slots:
    // A refused edit changes nothing, records nothing and says nothing; the history stays usable.
    void refusedEditsLeaveEverything()
    {
        ProgrammingDocument document;
        setSquelch(document, 4);
        QSignalSpy changes(&document, &ProgrammingDocument::programmingChanged);
        document.setLocked(true);
        for (Command command : {Command::ChangeSetting, Command::NewProgramming, Command::ImportCsv,
                                Command::ConfirmDialog, Command::EditChannel, Command::ChangeBand})
            QVERIFY(!document.edit(command, [](EditorState &state) { state.squelch = 9; }));
        QVERIFY(!document.undo());
        QCOMPARE(document.state().squelch, 4);
        QCOMPARE(changes.size(), 0);
        document.setLocked(false);
        document.setSessionPhase(SessionPhase::Running);
        QVERIFY(!document.edit(Command::ChangeSetting, [](EditorState &state) { state.squelch = 9; }));
        QVERIFY(!document.replace(Command::Open, EditorState(), "/tmp/a.DAT"));
        document.setSessionPhase(SessionPhase::Idle);
        QVERIFY(document.undo());
        QCOMPARE(document.state().squelch, 1);
    }

    // An edit that changes nothing is no step; one that does is one step, however much it changes.
    void oneStepPerChange()
    {
        ProgrammingDocument document;
        QVERIFY(document.edit(Command::ChangeSetting, [](EditorState &) {}));
        QVERIFY(!document.canUndo());
        document.edit(Command::EditChannel, [](EditorState &state) {
            ChannelRules::fillNewChannel(state, 1, *Frequency::ofText(u"436.12500"));
        });
        QVERIFY(document.hasUnsavedChanges());
        QVERIFY(document.undo());
        QVERIFY(!document.canUndo());
        QVERIFY(!document.hasUnsavedChanges()); // back at what was saved
        QVERIFY(document.redo());
        QCOMPARE(document.state().channel(1)->tx.text(), QString("436.12500"));
    }

    // The file that what is shown came from: set by Open and Save, kept by edits, cut by New,
    // Import CSV and a read; undo and redo bring back the tie of the state they bring back, and
    // every state of the history came from the file saved last.
    void filePath()
    {
        ProgrammingDocument document;
        QSignalSpy changes(&document, &ProgrammingDocument::filePathChanged);
        QVERIFY(document.replace(Command::Open, EditorState(), "/data/a.DAT"));
        QCOMPARE(document.filePath(), QString("/data/a.DAT"));
        setSquelch(document, 4);
        QCOMPARE(document.filePath(), QString("/data/a.DAT"));
        document.edit(Command::NewProgramming, ChannelRules::clearAllChannels); // no channel: only the tie changes
        QCOMPARE(document.filePath(), QString());
        QVERIFY(document.canUndo());
        document.undo();
        QCOMPARE(document.filePath(), QString("/data/a.DAT"));
        document.redo();
        QCOMPARE(document.filePath(), QString());
        document.markSaved("/data/b.DAT", document.image());
        QCOMPARE(document.filePath(), QString("/data/b.DAT"));
        document.undo(); // the state before New, as it came from b.DAT by undo
        QCOMPARE(document.filePath(), QString("/data/b.DAT"));
        document.edit(Command::ImportCsv, [](EditorState &state) { state.channel(2) = Channel::on(*Frequency::ofText(u"438.00000")); });
        QCOMPARE(document.filePath(), QString());
        document.undo();
        QCOMPARE(document.filePath(), QString("/data/b.DAT"));
        QCOMPARE(changes.size(), 7);

        document.setSessionPhase(SessionPhase::Held);
        QVERIFY(document.replace(Command::TakeRead, EditorState()));
        QCOMPARE(document.filePath(), QString());
        QVERIFY(!document.canUndo()); // a read starts the history afresh
        QVERIFY(!document.hasUnsavedChanges());
    }

    // Only the end of a session takes what a read brought.
    void readResultOnlyAtTheEndOfASession()
    {
        ProgrammingDocument document;
        EditorState read;
        read.squelch = 8;
        for (SessionPhase phase : {SessionPhase::Idle, SessionPhase::Running}) {
            document.setSessionPhase(phase);
            QVERIFY(!document.replace(Command::TakeRead, read));
        }
        document.setLocked(true);
        document.setSessionPhase(SessionPhase::Held);
        QVERIFY(document.replace(Command::TakeRead, read)); // a read may replace a locked programming
        QCOMPARE(document.state().squelch, 8);
    }

    // The debug mode is no edit: undo leaves it; a replacement of the programming ends it.
    void debugMode()
    {
        ProgrammingDocument document;
        setSquelch(document, 4);
        document.setDebugUnlocked(true);
        document.undo();
        QVERIFY(document.isDebugUnlocked());
        QVERIFY(!document.hasUnsavedChanges());
        document.replace(Command::Open, EditorState(), "/data/a.DAT");
        QVERIFY(!document.isDebugUnlocked());
    }

    // A write makes what the radio now holds the saved state.
    void writtenCountsAsSaved()
    {
        ProgrammingDocument document;
        setSquelch(document, 4);
        const RadioImage written = document.image();
        setSquelch(document, 5); // during the write
        document.markWritten(written);
        QVERIFY(document.hasUnsavedChanges());
        document.undo();
        QVERIFY(!document.hasUnsavedChanges());
    }
};

QTEST_MAIN(TestProgrammingDocument)
#include "tst_programmingdocument.moc"
