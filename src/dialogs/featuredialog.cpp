#include "dialogs/featuredialog.h"

#include "document/programmingdocument.h"
#include "i18n/captions.h"
#include "i18n/listitems.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

void applyCaptions(QWidget *window, LanguageMode mode)
{
    const QString prefix = window->objectName() + u'.';
    auto row = [&](const QString &name) -> std::optional<QString> {
        const QString key = prefix + name;
        return hasCaption(key) ? std::optional(captionText(key, mode)) : std::nullopt;
    };
    const QString titleKey = prefix + QStringLiteral("title");
    if (hasCaption(titleKey))
        window->setWindowTitle(captionText(titleKey, unconvertedLanguage(mode)));
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if (name.isEmpty())
            continue;
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            const QStringList items = listItems(prefix + name, mode);
            const QSignalBlocker quiet(combo);
            for (int item = 0; item < combo->count() && item < items.size(); ++item)
                combo->setItemText(item, items.at(item));
            continue;
        }
        const auto text = row(name);
        if (!text)
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget))
            label->setText(*text);
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            button->setText(*text);
        else if (auto *box = qobject_cast<QGroupBox *>(widget))
            box->setTitle(*text);
    }
}

FeatureDialog::FeatureDialog(ProgrammingDocument &document, const char *name, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
{
    setObjectName(QLatin1StringView(name));
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this] {
            if (m_ok && m_ok->isEnabled())
                m_ok->click();
        });
    connect(&m_document, &ProgrammingDocument::programmingChanged, this, [this](bool whole) {
        if (whole)
            reload();
    });
    connect(&m_document, &ProgrammingDocument::modeChanged, this, &FeatureDialog::updateConfirm);
}

const EditorState &FeatureDialog::state() const
{
    return m_document.state();
}

void FeatureDialog::addButtons(QBoxLayout *layout, const char *okName, const char *cancelName)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton;
    m_ok->setObjectName(QLatin1StringView(okName));
    updateConfirm();
    buttons->addWidget(m_ok);
    connect(m_ok, &QPushButton::clicked, this, &FeatureDialog::accept);
    if (cancelName) {
        auto *cancel = new QPushButton;
        cancel->setObjectName(QLatin1StringView(cancelName));
        buttons->addWidget(cancel);
        connect(cancel, &QPushButton::clicked, this, &FeatureDialog::reject);
    }
    layout->addLayout(buttons);
}

void FeatureDialog::present()
{
    if (!isVisible()) {
        load(state());
        show();
        if (QWidget *first = firstControl())
            first->setFocus(Qt::ActiveWindowFocusReason);
    }
    raise();
    activateWindow();
}

void FeatureDialog::reload()
{
    if (isVisible())
        load(state());
}

void FeatureDialog::updateConfirm()
{
    if (m_ok)
        m_ok->setEnabled(m_document.allows(Command::ConfirmDialog));
}

void FeatureDialog::retranslate(LanguageMode mode)
{
    m_language = mode;
    applyCaptions(this, mode);
}

void FeatureDialog::accept()
{
    finishEditing();
    if (m_document.edit(Command::ConfirmDialog, [this](EditorState &state) { store(state); }))
        QDialog::accept();
}
