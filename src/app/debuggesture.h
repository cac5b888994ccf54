#pragma once

#include "editor/debugmode.h"

#include <QObject>
#include <functional>

class ProgrammingDocument;

// The hidden debug mode's gestures on the window: clicks on three captions of the optional
// functions unlock it, two quick clicks on the toolbar's relock button lock it again. The mode
// itself is the programming's.
class DebugGesture : public QObject
{
    Q_OBJECT

public:
    DebugGesture(ProgrammingDocument &document, QObject *parent = nullptr);

    // A click on unlock caption 1 to 3 of the optional-functions dialog.
    void captionClicked(int caption);
    // A click on the relock button. The relock goes by the debug mode's own timing of two
    // clicks, not the desktop's double-click interval.
    void relockClicked();

    // The time of day in seconds since midnight, with fractions, which the gestures are timed by;
    // for tests, another clock.
    void setClock(std::function<double()> clock) { m_clock = std::move(clock); }

private:
    ProgrammingDocument &m_document;
    DebugUnlockGesture m_unlock;
    DebugRelock m_relock;
    std::function<double()> m_clock;
};
