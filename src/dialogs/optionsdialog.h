#pragma once

#include "dialogs/featuredialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

// The optional-functions dialog: VOX, scan and priority, PTT ID and duplicate. Its values live
// in the option text slots; the DTMF group and the auto-dial codes pass through it untouched.
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
    struct SlotList
    {
        QComboBox *combo;
        int slot;
    };

    QWidget *buildVoxFrame();
    QWidget *buildScanFrame();
    QComboBox *addList(const char *name, const QStringList &items, int slot);
    QLineEdit *addDelayBox(const char *name, QScrollBar *&spin);
    void priorityModeChosen(int index);
    void priorityChannelChosen(int index);

    std::vector<SlotList> m_lists; // every list bound to a text slot, but the priority channel
    QComboBox *m_voxCombo = nullptr;
    QCheckBox *m_cancelCheck = nullptr;       // slot 23
    QCheckBox *m_receiveVoxCheck = nullptr;   // slot 24
    QComboBox *m_priorityCombo = nullptr;     // slot 11: none, fixed, selected
    QComboBox *m_priorityChannelCombo = nullptr; // slot 12: the channel number, 1 to 16
    QLineEdit *m_receiveDelayEdit = nullptr;  // slot 19
    QLineEdit *m_transmitDelayEdit = nullptr; // slot 20
    QScrollBar *m_receiveDelaySpin = nullptr;
    QScrollBar *m_transmitDelaySpin = nullptr;
    std::array<QLabel *, 3> m_unlockCaptions {};
    int m_fixedPriorityChannel = 0; // found by the last switch to "fixed"; 0 for none
};
