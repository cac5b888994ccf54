#pragma once

#include <QIcon>
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

    // The program's icon: the installed one by its name (the desktop entry's), else the radio
    // with its waves as drawn here, so that panels and task switchers show one either way.
    static QIcon programIcon(const QString &installedName);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintRadio(QPainter &painter, const QRectF &body) const;
    Kind m_kind;
};
