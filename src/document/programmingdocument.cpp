#include "document/programmingdocument.h"

#include "image/codec.h"

#include <QScopedValueRollback>
#include <QUndoCommand>
#include <QUndoStack>

// One step of the history: the programming before a change and after it.
class ProgrammingStep : public QUndoCommand
{
public:
    ProgrammingStep(ProgrammingDocument *document, ProgrammingDocument::Snapshot before,
                    ProgrammingDocument::Snapshot after)
        : m_document(document)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }
    void undo() override { m_document->restore(m_before); }
    void redo() override { m_document->restore(m_after); }

private:
    ProgrammingDocument *m_document;
    ProgrammingDocument::Snapshot m_before;
    ProgrammingDocument::Snapshot m_after;
};

ProgrammingDocument::ProgrammingDocument(QObject *parent)
    : QObject(parent)
    , m_history(new QUndoStack(this))
{
    connect(m_history, &QUndoStack::canUndoChanged, this, &ProgrammingDocument::historyChanged);
    connect(m_history, &QUndoStack::canRedoChanged, this, &ProgrammingDocument::historyChanged);
    m_savedImage = image();
}

// The history goes before the views its signals would reach.
ProgrammingDocument::~ProgrammingDocument()
{
    m_history->disconnect(this);
}

QString ProgrammingDocument::filePath() const
{
    return m_detachedAt == m_fileGeneration ? QString() : m_lastFile;
}

void ProgrammingDocument::setLocked(bool locked)
{
    if (m_mode.locked == locked)
        return;
    m_mode.locked = locked;
    emit modeChanged();
}

void ProgrammingDocument::setSessionPhase(SessionPhase phase)
{
    if (m_mode.session == phase)
        return;
    m_mode.session = phase;
    emit modeChanged();
}

bool ProgrammingDocument::edit(Command command, const std::function<void(EditorState &)> &change)
{
    if (!allows(command))
        return false;
    EditorState changed = m_state;
    change(changed);
    const int detachedAt = Commands::fileTie(command) == FileTie::Clears ? m_fileGeneration : m_detachedAt;
    if (changed == m_state && detachedAt == m_detachedAt)
        return true;
    Snapshot before {m_state, m_detachedAt};
    Snapshot after {std::move(changed), detachedAt};
    setState(after.state, after.detachedAt, false);
    const QScopedValueRollback pushing(m_pushing, true);
    m_history->push(new ProgrammingStep(this, std::move(before), std::move(after)));
    return true;
}

bool ProgrammingDocument::replace(Command command, const EditorState &state, const QString &filePath)
{
    if (!allows(command))
        return false;
    const QString file = this->filePath();
    if (Commands::fileTie(command) == FileTie::Sets) {
        m_lastFile = filePath;
        ++m_fileGeneration;
        m_detachedAt = -1;
    } else if (Commands::fileTie(command) == FileTie::Clears) {
        m_lastFile.clear();
    }
    setDebugUnlocked(false);
    m_state = state;
    m_history->clear();
    m_savedImage = image();
    emit programmingChanged(true);
    if (this->filePath() != file)
        emit filePathChanged();
    return true;
}

void ProgrammingDocument::markSaved(const QString &filePath, const RadioImage &image)
{
    const QString file = this->filePath();
    m_lastFile = filePath;
    ++m_fileGeneration; // every state of the history came from this file by undo and redo
    m_savedImage = image;
    if (this->filePath() != file)
        emit filePathChanged();
}

void ProgrammingDocument::markWritten(const RadioImage &image)
{
    m_savedImage = image;
}

RadioImage ProgrammingDocument::image() const
{
    return encodeImage(m_state);
}

bool ProgrammingDocument::canUndo() const
{
    return m_history->canUndo() && allows(Command::Undo);
}

bool ProgrammingDocument::canRedo() const
{
    return m_history->canRedo() && allows(Command::Redo);
}

bool ProgrammingDocument::undo()
{
    if (!canUndo())
        return false;
    m_history->undo();
    return true;
}

bool ProgrammingDocument::redo()
{
    if (!canRedo())
        return false;
    m_history->redo();
    return true;
}

void ProgrammingDocument::setDebugUnlocked(bool unlocked)
{
    if (m_debugUnlocked == unlocked)
        return;
    m_debugUnlocked = unlocked;
    emit debugModeChanged(unlocked);
}

void ProgrammingDocument::restore(const Snapshot &snapshot)
{
    if (!m_pushing)
        setState(snapshot.state, snapshot.detachedAt, true);
}

void ProgrammingDocument::setState(const EditorState &state, int detachedAt, bool whole)
{
    const QString file = filePath();
    m_state = state;
    m_detachedAt = detachedAt;
    emit programmingChanged(whole);
    if (filePath() != file)
        emit filePathChanged();
}
