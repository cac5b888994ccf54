#include "app/functionsettingspanel.h"

#include "document/programmingdocument.h"
#include "i18n/captions.h"
#include "i18n/listitems.h"
#include "widgets/layoutunits.h"
#include "widgets/legibility.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace {

// Replaces a list's items, keeping its selection and sending no change.
void setItems(QComboBox *combo, const QStringList &items)
{
    const QSignalBlocker quiet(combo);
    const int index = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(index < items.size() ? index : -1);
}

} // namespace

FunctionSettingsPanel::FunctionSettingsPanel(ProgrammingDocument &document, QWidget *parent)
    : QGroupBox(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("Frame2"));
    auto *layout = new QGridLayout(this);
    layout->setVerticalSpacing(12);
    const std::tuple<const char *, const char *, int EditorState::*> settings[] = {
        {"Label4", "Combo2", &EditorState::voicePrompt}, {"Label5", "Combo3", &EditorState::timeout},
        {"Label1", "Combo4", &EditorState::timeoutWarn}, {"Label6", "Combo9", &EditorState::squelch},
        {"Label7", "Combo6", &EditorState::batterySave}, {"Label8", "Combo7", &EditorState::beep}};
    for (const auto &[labelName, listName, value] : settings) {
        auto *label = new QLabel;
        label->setObjectName(QLatin1StringView(labelName));
        auto *list = new QComboBox;
        list->setObjectName(QLatin1StringView(listName));
        list->setMinimumWidth(twipsToPixels(this, 1335));
        layout->addWidget(label, int(m_settings.size()), 0);
        layout->addWidget(list, int(m_settings.size()), 1);
        connect(list, &QComboBox::currentIndexChanged, this, [this, list, value](int index) {
            // Refused (the frame is disabled then, so only a program could choose): the list
            // shows the setting again.
            if (!m_document.edit(Command::ChangeSetting, [&](EditorState &state) { state.*value = index; }))
                showSettings();
        });
        m_settings.push_back({label, list, value});
    }
    layout->setRowStretch(int(m_settings.size()), 1);
    makeLegibleWhenDisabled(this);
    connect(&m_document, &ProgrammingDocument::programmingChanged, this, &FunctionSettingsPanel::showSettings);
}

void FunctionSettingsPanel::retranslate(LanguageMode mode)
{
    auto caption = [mode](const QString &key) { return captionText(key, mode); };
    setTitle(caption(objectName()));
    for (const Setting &setting : m_settings)
        setting.label->setText(caption(setting.label->objectName()));
    for (const Setting &setting : m_settings)
        setItems(setting.list, listItems(setting.list->objectName(), mode));
    showSettings();
}

void FunctionSettingsPanel::showSettings()
{
    for (const Setting &setting : m_settings) {
        const int index = m_document.state().*setting.value;
        const QSignalBlocker quiet(setting.list);
        setting.list->setCurrentIndex(index >= 0 && index < setting.list->count() ? index : -1);
    }
}

QList<std::pair<QString, QString>> FunctionSettingsPanel::shownSettings() const
{
    QList<std::pair<QString, QString>> shown;
    for (const Setting &setting : m_settings)
        shown.push_back({setting.label->text(), setting.list->currentText()});
    return shown;
}
