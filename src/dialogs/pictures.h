#pragma once

#include <QWidget>

// The dialogs' pictures, drawn by the program itself: a hand-held radio with its two
// programmable side keys (the keys dialog), and the radio with its radio waves and a frequency
// display (the About box).
class RadioPicture : public QWidget
{
    Q_OBJECT

public:
    enum class Kind { SideKeys, Waves, Display };

    explicit RadioPicture(Kind kind, QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintRadio(QPainter &painter, const QRectF &body) const;
    Kind m_kind;
};
