#pragma once

#include <QLabel>
#include <QString>

// The maker's web page, opened by the main window's link label and the About box's link area.
// Its address is set at build time (CMake's QV540_WEB_ADDRESS) and is empty by default: a click
// then does nothing.
namespace WebLink {

QString address();
// For tests: another address, until set back.
void setAddress(const QString &address);
// Opens the page in the desktop's browser; nothing when the address is empty.
void open();

} // namespace WebLink

// A label whose whole area opens the maker's page when clicked, text or none; the hand pointer
// shows that it does.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
