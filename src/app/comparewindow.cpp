#include "app/comparewindow.h"

#include "i18n/captions.h"
#include "i18n/differencetexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CompareWindow::CompareWindow(QWidget *parent)
    : QDialog(parent)
    , m_list(new QTreeWidget)
    , m_same(new QLabel)
    , m_write(new QPushButton)
    , m_close(new QPushButton)
{
    setObjectName(QStringLiteral("Compare"));
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setColumnCount(3);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_same->setObjectName(QStringLiteral("Label1"));
    m_write->setObjectName(QStringLiteral("Command1"));
    m_close->setObjectName(QStringLiteral("Command2"));
    m_write->setAutoDefault(false);
    connect(m_write, &QPushButton::clicked, this, &CompareWindow::writeRequested);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_write);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_same);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(640, 420);
}

void CompareWindow::showDifferences(const QList<Differences::Difference> &differences, Other other,
                                    const QString &fileName)
{
    m_differences = differences;
    m_other = other;
    m_fileName = fileName;
    fill();
    show();
    raise();
    activateWindow();
    (m_differences.isEmpty() ? static_cast<QWidget *>(m_close) : m_list)->setFocus(Qt::ActiveWindowFocusReason);
}

void CompareWindow::retranslate(LanguageMode mode)
{
    m_language = mode;
    fill();
}

void CompareWindow::setWriteEnabled(bool enabled)
{
    m_write->setEnabled(enabled);
}

void CompareWindow::fill()
{
    auto caption = [this](const char *key) { return captionText(QString::fromLatin1(key), m_language); };
    setWindowTitle(captionText(u"Compare.title", unconvertedLanguage(m_language)));
    m_write->setText(caption("Compare.Command1"));
    m_close->setText(caption("Compare.Command2"));
    QString other = caption(m_other == Other::Radio ? "Compare.header[2]" : "Compare.header[3]");
    if (!m_fileName.isEmpty())
        other += QStringLiteral(" (%1)").arg(m_fileName);
    m_list->setHeaderLabels({caption("Compare.header[0]"), caption("Compare.header[1]"), other});

    const int current = m_list->indexOfTopLevelItem(m_list->currentItem());
    m_list->clear();
    for (const Differences::Difference &difference : std::as_const(m_differences)) {
        const DifferenceTexts texts = DifferenceTexts::of(difference, m_language);
        m_list->addTopLevelItem(new QTreeWidgetItem(QStringList {texts.item, texts.b, texts.a}));
    }
    m_list->setCurrentItem(m_list->topLevelItem(std::max(current, 0)));
    m_same->setText(caption("Compare.same"));
    m_same->setVisible(m_differences.isEmpty());
    m_list->setVisible(!m_differences.isEmpty());
}
