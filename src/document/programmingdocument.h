#pragma once

#include "document/commands.h"
#include "image/editorstate.h"
#include "image/radioimage.h"

#include <QObject>
#include <QString>
#include <functional>

class QUndoStack;

// The programming being edited, and the one way to change it. It holds the editor state, the
// image last opened, saved, read or written, the file that the title and the channel sheet
// name, the undo history, the editing lock, the session phase and the debug mode. Every change,
// from any window or command, is one step through it; it refuses, in one place, whatever the
// current mode forbids (Commands::allowed), and says when the programming, its file or its mode
// changed. The main window, the channel grid and the feature dialogs are views of it.
class ProgrammingDocument : public QObject
{
    Q_OBJECT

public:
    explicit ProgrammingDocument(QObject *parent = nullptr);
    ~ProgrammingDocument() override;

    const EditorState &state() const { return m_state; }
    // The data file what is shown came from (opened or saved last), or empty: none.
    QString filePath() const;

    EditingMode mode() const { return m_mode; }
    bool allows(Command command) const { return Commands::allowed(command, m_mode); }
    bool isLocked() const { return m_mode.locked; }
    void setLocked(bool locked);
    void setSessionPhase(SessionPhase phase);

    // An edit by command: change is made on a copy of the state, which becomes the state, as one
    // undo step, when it differs. False, and nothing changes, when the mode refuses the command.
    bool edit(Command command, const std::function<void(EditorState &)> &change);
    // The programming replaced whole, by Open (with its file) or the result of a read: the
    // history starts afresh, the debug mode ends, and what came counts as saved.
    bool replace(Command command, const EditorState &state, const QString &filePath = {});
    // Save put the image into a file: it counts as saved and is what the title names.
    void markSaved(const QString &filePath, const RadioImage &image);
    // A write put the image into the radio: it counts as saved.
    void markWritten(const RadioImage &image);

    // The image of the programming, as a write or Save would send it.
    RadioImage image() const;
    bool hasUnsavedChanges() const { return image() != m_savedImage; }

    bool canUndo() const;
    bool canRedo() const;
    bool undo();
    bool redo();

    // The debug mode, unlocked by a gesture in the optional-functions dialog: a write then also
    // sends the power tuning. It is no edit and ends with every replacement of the programming.
    bool isDebugUnlocked() const { return m_debugUnlocked; }
    void setDebugUnlocked(bool unlocked);

signals:
    // The state changed; whole when it was replaced or restored by undo or redo, so that views
    // holding edits of their own (an open dialog) show it afresh.
    void programmingChanged(bool whole);
    void filePathChanged();
    void modeChanged();
    void historyChanged(); // canUndo() or canRedo() may have changed
    void debugModeChanged(bool unlocked);

private:
    friend class ProgrammingStep;
    struct Snapshot
    {
        EditorState state;
        int detachedAt = -1; // the file generation in which a command cut the tie to the file
    };

    void restore(const Snapshot &snapshot);
    void setState(const EditorState &state, int detachedAt, bool whole);

    EditorState m_state;
    int m_detachedAt = -1;
    // Open and Save each start a generation of the file they name; a state detached in the
    // current generation names no file. One saved later is what every state in the history
    // came from, by undo and redo.
    int m_fileGeneration = 0;
    QString m_lastFile;
    RadioImage m_savedImage;
    EditingMode m_mode;
    bool m_debugUnlocked = false;
    QUndoStack *m_history;
    bool m_pushing = false; // a step being pushed: its first redo is what is already there
};
