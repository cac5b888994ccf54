#pragma once

#include "dialogs/featuredialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

// The optional-functions dialog: VOX, scan and priority, PTT ID and duplicate, the optional
// functions of the programming; the DTMF group and the auto-dial codes pass through it untouched.
// Three captions of its scan frame also carry the debug mode's unlock gesture.
class OptionsDialog : public FeatureDialog
{
    Q_OBJECT

public:
    explicit OptionsDialog(ProgrammingDocument &document, QWidget *parent = nullptr);

    // The captions of the unlock gesture, 1 to 3: the two revert times and the return channel.
    QLabel *unlockCaption(int caption) const { return m_unlockCaptions.at(caption - 1); }

signals:
    void unlockCaptionClicked(int caption);

protected:
    void load(const EditorState &state) override;
    void store(EditorState &state) override;
    QWidget *firstControl() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A list and the setting its position is.
    struct SettingList
    {
        QComboBox *combo;
        int OptionalFunctions::*setting;
    };

    QWidget *buildVoxFrame();
    QWidget *buildScanFrame();
    QComboBox *addList(const char *name, const QStringList &items, int OptionalFunctions::*setting);
    QLineEdit *addDelayBox(const char *name, QScrollBar *&spin);
    void priorityModeChosen(int index);
    void priorityChannelChosen(int index);

    std::vector<SettingList> m_lists; // every list of a setting, but the priority channel
    QComboBox *m_voxCombo = nullptr;
    QCheckBox *m_cancelCheck = nullptr;
    QCheckBox *m_receiveVoxCheck = nullptr;
    QComboBox *m_priorityCombo = nullptr;        // none, fixed, selected
    QComboBox *m_priorityChannelCombo = nullptr; // the channel number, 1 to 16
    QLineEdit *m_receiveDelayEdit = nullptr;
    QLineEdit *m_transmitDelayEdit = nullptr;
    QScrollBar *m_receiveDelaySpin = nullptr;
    QScrollBar *m_transmitDelaySpin = nullptr;
    std::array<QLabel *, 3> m_unlockCaptions {};
    int m_fixedPriorityChannel = 0; // found by the last switch to "fixed"; 0 for none
};
