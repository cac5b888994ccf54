#pragma once

#include "dialogs/featuredialog.h"

class QComboBox;

// The keys dialog: the function of the programmable key PF1. The PF2 list is not shown, but it
// is filled on opening and stored on OK like the PF1 list.
class KeysDialog : public FeatureDialog
{
    Q_OBJECT

public:
    explicit KeysDialog(ProgrammingDocument &document, QWidget *parent = nullptr);

protected:
    void load(const EditorState &state) override;
    void store(EditorState &state) override;
    QWidget *firstControl() const override;

private:
    QComboBox *m_pf1Combo;
    QComboBox *m_pf2Combo;
};
