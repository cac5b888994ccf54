#include "dialogs/keysdialog.h"

#include "dialogs/pictures.h"
#include "editor/settingsrules.h"
#include "i18n/listitems.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>


KeysDialog::KeysDialog(ProgrammingDocument &document, QWidget *parent)
    : FeatureDialog(document, "Form6", parent)
    , m_pf1Combo(new QComboBox)
    , m_pf2Combo(new QComboBox)
{
    setWindowTitle(QStringLiteral("键设定"));
    auto *pf1 = new QLabel(QStringLiteral("PF1"));
    pf1->setObjectName(QStringLiteral("Label1"));
    auto *pf2 = new QLabel(QStringLiteral("PF2"));
    pf2->setObjectName(QStringLiteral("Label2"));
    m_pf1Combo->setObjectName(QStringLiteral("Combo1"));
    m_pf2Combo->setObjectName(QStringLiteral("Combo2"));
    for (QComboBox *combo : {m_pf1Combo, m_pf2Combo})
        combo->addItems(listItems(objectName() + u'.' + combo->objectName(), Language::Simplified));
    pf2->hide(); // the dialog offers PF1 only
    m_pf2Combo->hide();

    auto *keys = new QGridLayout;
    keys->addWidget(pf1, 0, 0);
    keys->addWidget(m_pf1Combo, 0, 1);
    keys->addWidget(pf2, 1, 0);
    keys->addWidget(m_pf2Combo, 1, 1);
    keys->setColumnStretch(1, 1);
    keys->setRowStretch(2, 1);
    auto *left = new QVBoxLayout;
    left->addSpacing(60);
    left->addLayout(keys);
    addButtons(left);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    auto *picture = new RadioPicture(RadioPicture::Kind::SideKeys);
    picture->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(picture);
}

QWidget *KeysDialog::firstControl() const
{
    return m_pf1Combo;
}

void KeysDialog::load(const EditorState &state)
{
    m_pf1Combo->setCurrentIndex(SettingsRules::keyFunctionShown(state.keyFunction1));
    m_pf2Combo->setCurrentIndex(SettingsRules::keyFunctionShown(state.keyFunction2));
}

void KeysDialog::store(EditorState &state)
{
    state.keyFunction1 = m_pf1Combo->currentIndex();
    state.keyFunction2 = m_pf2Combo->currentIndex();
}
