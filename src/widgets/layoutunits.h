#pragma once

#include <QWidget>

// The window layouts are given in twips (1/1440 inch): the pixels they take at the widget's
// logical resolution.
inline int twipsToPixels(const QWidget *widget, int twips)
{
    return int(twips * widget->logicalDpiX() / 1440.0);
}
