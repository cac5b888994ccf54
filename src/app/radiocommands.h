#pragma once

#include "document/commands.h"
#include "image/radioimage.h"

#include <QObject>
#include <functional>

class ProgrammingDocument;
class FileCommands;
class QLabel;
class QProgressBar;
class QWidget;
class SessionDriver;
class WindowPrompts;

// The commands that talk to the radio: Read, Write and the choice of the serial port, and what
// a session shows (its status, its progress, the band question, a communication error). The
// session's phase is the programming's mode: while it runs, and until its result has been shown,
// the programming refuses what the session would overwrite or miss.
class RadioCommands : public QObject
{
    Q_OBJECT

public:
    // The parts of the window a session shows itself in, and the band the band selector shows
    // (a write's band check asks for it at each acknowledge).
    struct Display
    {
        QLabel *status;
        QProgressBar *progress;
        std::function<int()> selectedBand;
    };

    RadioCommands(ProgrammingDocument &document, WindowPrompts &prompts, FileCommands &files, QWidget *window,
                  Display display);

    SessionDriver &session() { return *m_session; }
    // The port slot in use or chosen last, 1 to 20; 0 when none has been chosen.
    int portSlot() const { return m_portSlot; }
    // Start-up: opens the given slot's port, or else the first usable one.
    void openPreferredPort(int slot);

    void read();
    // Reads the radio for a comparison only: what it brings goes to radioReadForComparison, not
    // into the programming, and is kept as no backup.
    void readForComparison();
    void write();
    void choosePort();
    // Whether the window may close: during a session only when the user agrees to abort it (or
    // it ends while the question is open).
    bool mayClose();
    // The program is about to end: the end frame of a session ended just before must be on the
    // wire first.
    void flush();
    // The status in the language now in force.
    void showStatus();

signals:
    // A session ended, whatever its outcome: where the user goes on working gets the focus.
    void sessionEnded();
    void radioReadForComparison(const RadioImage &image);

private:
    bool mayStart(Command command);
    void connectSession();
    void updatePhase();
    void readFinished(const RadioImage &image, int radioBand);

    ProgrammingDocument &m_document;
    WindowPrompts &m_prompts;
    FileCommands &m_files;
    QWidget *m_window;
    Display m_display;
    SessionDriver *m_session;
    int m_portSlot = 0;
    bool m_comparing = false; // the read running is a comparison's
};
