#include "widgets/legibility.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

void makeLegibleWhenDisabled(QWidget *widget)
{
    const QColor disabledText(80, 80, 80);
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(232, 232, 232)); // white cells greyed
    widget->setPalette(palette);
}
