#pragma once

// The hidden debug mode's timing rules. Times are the time of day in seconds since midnight,
// with fractions; stored times are rounded to whole seconds. Across midnight a difference comes
// out negative, and counts as within the time allowed.

// The unlock gesture: three designated captions clicked, in any order, within 5 seconds of the
// first. Once it has been completed, any designated click within 5 seconds of the gesture's
// start unlocks again, until the debug mode is relocked.
class DebugUnlockGesture
{
public:
    static constexpr double Window = 5; // seconds

    // A click on designated caption 1, 2 or 3 at the given time: true when it unlocks.
    bool click(int caption, double now);
    // Forgets the marks and the completion (the relock).
    void reset();
    bool completed() const { return m_completed; }

private:
    bool m_marks[3] = {false, false, false};
    int m_start = 0; // whole seconds since midnight
    bool m_completed = false;
};

// The relock: two clicks on the relock button less than a second apart, measured from the
// first click's time rounded to whole seconds (so 0.5 s apart always relocks, 1.5 s never).
class DebugRelock
{
public:
    // A click at the given time: true when it completes the pair that relocks.
    bool click(double now);

private:
    int m_lastClick = 0; // whole seconds since midnight; 0 when there is none
};
