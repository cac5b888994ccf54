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

QString defaultSuffix(Kind kind)
{
    const bool csv = kind == Kind::ImportCsv || kind == Kind::ExportCsv;
    return csv ? QStringLiteral("csv") : QStringLiteral("DAT");
}

QFileDialog *create(QWidget *parent, Kind kind)
{
    auto *dialog = new QFileDialog(parent);
    const bool csv = kind == Kind::ImportCsv || kind == Kind::ExportCsv;
    // Matched without regard to case.
    dialog->setNameFilter(csv ? QStringLiteral("CSV(*.csv)") : QStringLiteral("Lumeo(*.DAT)"));
    dialog->setOption(QFileDialog::DontConfirmOverwrite); // the commands ask themselves
    // The toolkit's own dialog matches the filter without regard to case; a desktop's may not.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    if (kind == Kind::Open || kind == Kind::ImportCsv) {
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
