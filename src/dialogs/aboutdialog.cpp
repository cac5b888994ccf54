#include "dialogs/aboutdialog.h"

#include "widgets/weblink.h"
#include "dialogs/featuredialog.h"
#include "dialogs/pictures.h"
#include "i18n/totraditional.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel *label(const char *name, qreal pointSize)
{
    auto *label = new QLabel;
    label->setObjectName(QLatin1StringView(name));
    QFont font = label->font();
    font.setFamilies({QStringLiteral("SimSun"), font.family()});
    font.setPointSizeF(pointSize);
    label->setFont(font);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget *owner)
    : QDialog(owner)
    , m_linkArea(new LinkLabel)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Help"));
    auto *waves = new RadioPicture(RadioPicture::Kind::Waves);
    waves->setObjectName(QStringLiteral("Image2"));
    auto *display = new RadioPicture(RadioPicture::Kind::Display);
    display->setObjectName(QStringLiteral("Image1"));
    m_linkArea->setObjectName(QStringLiteral("lblDescription"));
    m_linkArea->setMinimumHeight(38);
    QPalette blue = m_linkArea->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    m_linkArea->setPalette(blue);
    auto *separator = new QFrame;
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken); // an etched line: grey over white
    auto *ok = new QPushButton;
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(label("lblTitle", 15.75), 0, 1, 1, 2);
    layout->addWidget(waves, 1, 0, 2, 1);
    layout->addWidget(display, 1, 1, 2, 1);
    layout->addWidget(label("lblVersion", 10.5), 1, 2);
    layout->addWidget(label("Label2", 10.5), 2, 2);
    layout->addWidget(m_linkArea, 3, 0, 1, 3);
    layout->addWidget(separator, 4, 0, 1, 3);
    layout->addWidget(ok, 5, 0, 1, 3, Qt::AlignHCenter);
    layout->setColumnStretch(2, 1);
    setMinimumWidth(396);
}

// In Traditional Chinese the version line is the conversion of a text of its own: the
// Traditional edition carries another version number.
void AboutDialog::retranslate(LanguageMode mode)
{
    applyCaptions(this, mode);
    if (mode == Language::Traditional)
        findChild<QLabel *>(QStringLiteral("lblVersion"))->setText(toTraditional(QStringLiteral("繁体中文版 V1.0")));
}
