#pragma once

#include "dialogs/featuredialog.h"

#include <QSize>
#include <array>
#include <vector>

class CellEditor;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;

// The optional-functions dialog: VOX, scan and priority, PTT ID and duplicate, the optional
// functions of the programming, and, on a page its DTMF button shows, the DTMF group, the eight
// auto-dial codes and the three codes PTT ID sends. Three captions of its scan frame also carry
// the debug mode's unlock gesture.
class OptionsDialog : public FeatureDialog
{
    Q_OBJECT

public:
    explicit OptionsDialog(ProgrammingDocument &document, QWidget *parent = nullptr);

    // The captions of the unlock gesture, 1 to 3: the two revert times and the return channel.
    QLabel *unlockCaption(int caption) const { return m_unlockCaptions.at(caption - 1); }
    void retranslate(LanguageMode mode) override;

signals:
    void unlockCaptionClicked(int caption);

protected:
    void load(const EditorState &state) override;
    void store(EditorState &state) override;
    void finishEditing() override;
    QWidget *firstControl() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A list and the setting its position is.
    struct SettingList
    {
        QComboBox *combo;
        int OptionalFunctions::*setting;
    };

    struct DtmfList
    {
        QComboBox *combo;
        int DtmfSettings::*setting;
    };

    QWidget *buildVoxFrame();
    QWidget *buildScanFrame();
    QWidget *buildDtmfPanel();
    QWidget *buildCodeGrid();
    // A list with the items of the caption key "Form5.NAME".
    QComboBox *newList(const char *name);
    QComboBox *addList(const char *name, int OptionalFunctions::*setting);
    QLineEdit *addDelayBox(const char *name, QScrollBar *&spin);
    void priorityModeChosen(int index);
    void priorityChannelChosen(int index);
    void showDtmf(bool shown);
    void codeEdited(int row, const QString &text);

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

    QPushButton *m_dtmfButton = nullptr;
    QWidget *m_dtmfPanel = nullptr;
    QSize m_collapsedSize;
    std::vector<DtmfList> m_dtmfLists;
    QTableWidget *m_codeGrid = nullptr;
    CellEditor *m_codeEditor = nullptr;
    std::array<QString, 8> m_codes; // the auto-dial codes as the grid holds them
    QLineEdit *m_pttIdEdit = nullptr;
    QLineEdit *m_pttStartEdit = nullptr;
    QLineEdit *m_pttEndEdit = nullptr;
};
