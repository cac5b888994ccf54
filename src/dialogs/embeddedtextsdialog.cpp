#include "dialogs/embeddedtextsdialog.h"

#include "widgets/typedkey.h"
#include "editor/settingsrules.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace SettingsRules;

EmbeddedTextsDialog::EmbeddedTextsDialog(ProgrammingDocument &document, QWidget *parent)
    : FeatureDialog(document, "Form7", parent)
{
    setWindowTitle(QStringLiteral("嵌入信息"));
    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < 2; ++i) {
        auto *box = new QLineEdit;
        box->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        box->setMinimumWidth(353);
        box->installEventFilter(this);
        // A paste or an input method may bring characters typing would refuse: they go.
        connect(box, &QLineEdit::textEdited, box, [box](const QString &text) {
            const QString kept = storableEmbeddedText(text);
            if (kept != text)
                box->setText(kept);
        });
        layout->addWidget(box);
        m_texts[i] = box;
    }
    layout->addStretch(1);
    addButtons(layout);
}

QWidget *EmbeddedTextsDialog::firstControl() const
{
    return m_texts[0];
}

void EmbeddedTextsDialog::load(const EditorState &state)
{
    for (int i = 0; i < 2; ++i)
        m_texts[i]->setText(state.embeddedTexts[i]);
}

void EmbeddedTextsDialog::store(EditorState &state)
{
    for (int i = 0; i < 2; ++i)
        state.embeddedTexts[i] = m_texts[i]->text();
}

bool EmbeddedTextsDialog::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (typesCharacter(key))
            return !embeddedKeyAccepted(box->text().size(), box->selectedText().size(), key->text().front());
    }
    return FeatureDialog::eventFilter(watched, event);
}
