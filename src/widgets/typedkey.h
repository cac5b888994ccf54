#pragma once

#include <QKeyEvent>

// A key that types a character into a text: not Tab, Backspace, Escape or a combination with
// Ctrl or Alt (shortcuts).
inline bool typesCharacter(const QKeyEvent *event)
{
    return !event->text().isEmpty() && event->text().front().unicode() >= 0x20
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}
