#pragma once

#include "i18n/languagemode.h"
#include "image/differences.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

// What differs between the programming being edited and the radio or a data file: a row each,
// the editor's value beside the other side's, or one line saying that nothing differs. Write
// asks for the programming to be written, with the questions a write asks; Close (or Escape)
// closes. Titled "比较" in every language.
class CompareWindow : public QDialog
{
    Q_OBJECT

public:
    enum class Other { Radio, File };

    explicit CompareWindow(QWidget *parent);

    // differences: from the other side (a) to the editor's programming (b).
    void showDifferences(const QList<Differences::Difference> &differences, Other other, const QString &fileName = {});
    void retranslate(LanguageMode mode);
    void setWriteEnabled(bool enabled);

    QTreeWidget *list() const { return m_list; }
    QLabel *sameLine() const { return m_same; }

signals:
    void writeRequested();

private:
    void fill();

    QTreeWidget *m_list;
    QLabel *m_same;
    QPushButton *m_write;
    QPushButton *m_close;
    QList<Differences::Difference> m_differences;
    Other m_other = Other::Radio;
    QString m_fileName;
    LanguageMode m_language = Language::Simplified;
};
