#include "app/datafiledialog.h"

#include <QFileDialog>

namespace DataFileDialog {

namespace {
Chooser &chooser()
{
    static Chooser instance;
    return instance;
}
} // namespace

void setChooser(Chooser c)
{
    chooser() = std::move(c);
}

QFileDialog *create(QWidget *parent, Kind kind)
{
    auto *dialog = new QFileDialog(parent);
    dialog->setNameFilter(QStringLiteral("Lumeo(*.DAT)")); // matched without regard to case
    dialog->setOption(QFileDialog::DontConfirmOverwrite); // the Save command asks itself
    // The toolkit's own dialog matches the filter without regard to case; a desktop's may not.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    if (kind == Kind::Open) {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
    }
    return dialog;
}

QString choose(QWidget *parent, Kind kind)
{
    if (chooser())
        return chooser()(kind);
    QFileDialog *dialog = create(parent, kind);
    QString name;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
        name = dialog->selectedFiles().constFirst();
    delete dialog;
    return name;
}

} // namespace DataFileDialog
