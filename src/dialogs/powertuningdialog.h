#pragma once

#include "dialogs/featuredialog.h"

#include <array>

class QLabel;
class QSlider;

// The transmit-power tuning dialog of the debug mode: the high-power and low-power calibration
// values, 0 to 255. The sliders move only while the debug mode is unlocked, and look greyed
// otherwise. OK stores; the close
// box and Escape store nothing.
class PowerTuningDialog : public FeatureDialog
{
    Q_OBJECT

public:
    explicit PowerTuningDialog(ProgrammingDocument &document, QWidget *parent = nullptr);

protected:
    void load(const EditorState &state) override;
    void store(EditorState &state) override;
    QWidget *firstControl() const override;

private:
    // Enables or disables the sliders at once, open or not.
    void setUnlocked(bool unlocked);
    QWidget *buildGroup(const char *frame, const char *slider, const char *value, const char *low,
                        const char *high, QSlider *&sliderWidget, QLabel *&valueLabel);

    std::array<QWidget *, 2> m_groups {}; // high power, low power
    QSlider *m_highSlider = nullptr;
    QSlider *m_lowSlider = nullptr;
    QLabel *m_highValue = nullptr; // the sliders' values as text
    QLabel *m_lowValue = nullptr;
};
