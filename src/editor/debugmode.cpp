#include "editor/debugmode.h"

#include <cmath>

namespace {

int wholeSeconds(double time)
{
    return int(std::lround(time));
}

} // namespace

bool DebugUnlockGesture::click(int caption, double now)
{
    if (caption < 1 || caption > 3)
        return false;
    if (!m_marks[0] && !m_marks[1] && !m_marks[2])
        m_start = wholeSeconds(now);
    if (now - m_start > Window) {
        for (bool &mark : m_marks)
            mark = false;
        m_marks[caption - 1] = true;
        m_start = wholeSeconds(now);
        return false;
    }
    m_marks[caption - 1] = true;
    if (m_marks[0] && m_marks[1] && m_marks[2])
        m_completed = true;
    return m_completed;
}

void DebugUnlockGesture::reset()
{
    for (bool &mark : m_marks)
        mark = false;
    m_completed = false;
}

bool DebugRelock::click(double now)
{
    if (m_lastClick == 0 || now - m_lastClick >= 1) {
        m_lastClick = wholeSeconds(now);
        return false;
    }
    m_lastClick = 0;
    return true;
}
