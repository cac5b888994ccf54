#include "dialogs/pictures.h"

#include <QPainter>
#include <QPixmap>
#include <QPainterPath>

RadioPicture::RadioPicture(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QIcon RadioPicture::programIcon(const QString &installedName)
{
    QIcon drawn;
    RadioPicture picture(Kind::Waves);
    for (int size : {16, 24, 32, 48, 64, 128}) {
        picture.resize(size, size);
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        picture.render(&pixmap, {}, {}, QWidget::DrawChildren);
        drawn.addPixmap(pixmap);
    }
    return QIcon::fromTheme(installedName, drawn);
}

QSize RadioPicture::sizeHint() const
{
    switch (m_kind) {
    case Kind::SideKeys: return {113, 257};
    case Kind::Waves: return {65, 68};
    case Kind::Display: return {64, 64};
    }
    return {64, 64};
}

// The radio seen from the front: antenna, body, speaker grille and a small display.
void RadioPicture::paintRadio(QPainter &painter, const QRectF &body) const
{
    const QColor casing(60, 64, 72);
    painter.setPen(Qt::NoPen);
    painter.setBrush(casing);
    const qreal antennaWidth = body.width() * 0.16;
    painter.drawRoundedRect(QRectF(body.left() + body.width() * 0.18, body.top() - body.height() * 0.42,
                                   antennaWidth, body.height() * 0.46), antennaWidth / 2, antennaWidth / 2);
    painter.drawRoundedRect(body, body.width() * 0.14, body.width() * 0.14);
    painter.setBrush(QColor(150, 200, 160));
    const QRectF display(body.left() + body.width() * 0.16, body.top() + body.height() * 0.12, body.width() * 0.68,
                         body.height() * 0.16);
    painter.drawRect(display);
    painter.setPen(QPen(QColor(120, 125, 135), qMax<qreal>(1, body.width() / 40)));
    for (int line = 0; line < 5; ++line) {
        const qreal y = body.top() + body.height() * (0.40 + line * 0.08);
        painter.drawLine(QPointF(body.left() + body.width() * 0.2, y), QPointF(body.right() - body.width() * 0.2, y));
    }
}

void RadioPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();
    if (m_kind == Kind::SideKeys) {
        const QRectF body(area.width() * 0.30, area.height() * 0.22, area.width() * 0.50, area.height() * 0.74);
        paintRadio(painter, body);
        // The two programmable keys on the left side, labelled.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(230, 120, 40));
        const QString names[] = {QStringLiteral("PF1"), QStringLiteral("PF2")};
        QFont font = painter.font();
        font.setPixelSize(qMax(9, int(area.height() / 22)));
        painter.setFont(font);
        for (int key = 0; key < 2; ++key) {
            const QRectF button(body.left() - area.width() * 0.07, body.top() + body.height() * (0.30 + key * 0.16),
                                area.width() * 0.08, body.height() * 0.11);
            painter.setPen(Qt::NoPen);
            painter.drawRoundedRect(button, 2, 2);
            painter.setPen(palette().windowText().color());
            painter.drawText(QRectF(0, button.top(), button.left() - 2, button.height()),
                             Qt::AlignRight | Qt::AlignVCenter, names[key]);
        }
        return;
    }
    const QRectF body(area.width() * 0.28, area.height() * 0.34, area.width() * 0.36, area.height() * 0.62);
    paintRadio(painter, body);
    if (m_kind == Kind::Waves) {
        painter.setPen(QPen(QColor(40, 110, 220), qMax<qreal>(1.5, area.width() / 30)));
        painter.setBrush(Qt::NoBrush);
        const QPointF tip(body.left() + body.width() * 0.26, body.top() - body.height() * 0.42);
        for (int ring = 1; ring <= 3; ++ring) {
            const qreal r = area.width() * 0.09 * ring;
            painter.drawArc(QRectF(tip.x() - r, tip.y() - r, 2 * r, 2 * r), 20 * 16, 50 * 16);
        }
    } else {
        painter.setPen(QColor(20, 60, 30));
        QFont font = painter.font();
        font.setPixelSize(qMax(6, int(body.height() * 0.12)));
        painter.setFont(font);
        painter.drawText(QRectF(body.left(), body.top() + body.height() * 0.10, body.width(), body.height() * 0.2),
                         Qt::AlignCenter, QStringLiteral("540"));
    }
}
