#include "dialogs/powertuningdialog.h"

#include "document/programmingdocument.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

PowerTuningDialog::PowerTuningDialog(ProgrammingDocument &document, QWidget *parent)
    : FeatureDialog(document, "Form2", parent)
{
    setWindowTitle(QStringLiteral("Debug"));
    auto *layout = new QVBoxLayout(this);
    m_groups = {buildGroup("Frame1", "Slider1", "Lblpower1", "Label3", "Label8", m_highSlider, m_highValue),
                buildGroup("Frame2", "Slider3", "Lblpower3", "Label6", "Label7", m_lowSlider, m_lowValue)};
    for (QWidget *group : m_groups)
        layout->addWidget(group);
    addButtons(layout, "Command1", nullptr); // no Cancel: the close box leaves the values
    setUnlocked(document.isDebugUnlocked());
    connect(&document, &ProgrammingDocument::debugModeChanged, this, &PowerTuningDialog::setUnlocked);
}

// A group of one slider: its value above it, "low" and "high" at its ends.
QWidget *PowerTuningDialog::buildGroup(const char *frame, const char *slider, const char *value, const char *low,
                                       const char *high, QSlider *&sliderWidget, QLabel *&valueLabel)
{
    auto *box = new QGroupBox;
    box->setObjectName(QLatin1StringView(frame));
    sliderWidget = new QSlider(Qt::Horizontal);
    sliderWidget->setObjectName(QLatin1StringView(slider));
    sliderWidget->setRange(0, 255);
    sliderWidget->setSingleStep(1);
    sliderWidget->setPageStep(5);
    sliderWidget->setMinimumWidth(185);
    valueLabel = new QLabel;
    valueLabel->setObjectName(QLatin1StringView(value));
    valueLabel->setAlignment(Qt::AlignCenter);
    QLabel *shown = valueLabel;
    connect(sliderWidget, &QSlider::valueChanged, shown, [shown](int v) { shown->setText(QString::number(v)); });
    auto *lowLabel = new QLabel;
    lowLabel->setObjectName(QLatin1StringView(low));
    auto *highLabel = new QLabel;
    highLabel->setObjectName(QLatin1StringView(high));
    auto *grid = new QGridLayout(box);
    grid->addWidget(valueLabel, 0, 1);
    grid->addWidget(lowLabel, 1, 0);
    grid->addWidget(sliderWidget, 1, 1);
    grid->addWidget(highLabel, 1, 2);
    grid->setColumnStretch(1, 1);
    return box;
}

// The groups as a whole, so that the values and the captions at the sliders' ends grey with them.
void PowerTuningDialog::setUnlocked(bool unlocked)
{
    for (QWidget *group : m_groups)
        group->setEnabled(unlocked);
}

QWidget *PowerTuningDialog::firstControl() const
{
    if (m_highSlider->isEnabled())
        return m_highSlider;
    return okButton();
}

void PowerTuningDialog::load(const EditorState &state)
{
    m_highSlider->setValue(state.powerTuning1);
    m_lowSlider->setValue(state.powerTuning2);
    m_highValue->setText(QString::number(m_highSlider->value()));
    m_lowValue->setText(QString::number(m_lowSlider->value()));
}

void PowerTuningDialog::store(EditorState &state)
{
    state.powerTuning1 = m_highSlider->value();
    state.powerTuning2 = m_lowSlider->value();
}
