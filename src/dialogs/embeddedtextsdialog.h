#pragma once

#include "dialogs/featuredialog.h"

#include <array>

class QLineEdit;

// The embedded-information dialog: two texts written into the radio. Typing stops at 32
// characters (a paste is taken whole; the radio's field keeps the first 32); characters the
// radio cannot store are refused.
class EmbeddedTextsDialog : public FeatureDialog
{
    Q_OBJECT

public:
    explicit EmbeddedTextsDialog(ProgrammingDocument &document, QWidget *parent = nullptr);

protected:
    void load(const EditorState &state) override;
    void store(EditorState &state) override;
    QWidget *firstControl() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QLineEdit *, 2> m_texts {};
};
