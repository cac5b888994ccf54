#include "app/form1.h"

#include "i18n/captions.h"
#include "image/editorstate.h"

#include <QHeaderView>
#include <QTableWidget>

Form1::Form1(QWidget *parent)
    : QMainWindow(parent)
    , Grid1(new QTableWidget(ChannelCount, 8, this))
{
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < ChannelCount; ++row)
        Grid1->setVerticalHeaderItem(row, new QTableWidgetItem(QStringLiteral("%1").arg(row + 1, 2, 10, QLatin1Char('0'))));
    setCentralWidget(Grid1);
    applyLanguage(Language::Simplified);
    resize(900, 560);
}

void Form1::applyLanguage(LanguageMode mode)
{
    setWindowTitle(captionText(u"Form1.title", mode));
    Grid1->setCornerButtonEnabled(false);
    for (int column = 1; column <= 8; ++column)
        Grid1->setHorizontalHeaderItem(column - 1, new QTableWidgetItem(captionText(QStringLiteral("Grid1.header[%1]").arg(column), mode)));
}
