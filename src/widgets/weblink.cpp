#include "widgets/weblink.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

#ifndef QV540_WEB_ADDRESS
#define QV540_WEB_ADDRESS ""
#endif

namespace WebLink {

namespace {

QString &configured()
{
    static QString value = QStringLiteral(QV540_WEB_ADDRESS);
    return value;
}

} // namespace

QString address()
{
    return configured();
}

void setAddress(const QString &address)
{
    configured() = address;
}

void open()
{
    if (!address().isEmpty())
        QDesktopServices::openUrl(QUrl(address())); // what the browser makes of it is not ours to report
}

} // namespace WebLink

LinkLabel::LinkLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        WebLink::open();
    QLabel::mousePressEvent(event);
}
