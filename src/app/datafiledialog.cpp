#include "app/datafiledialog.h"

#include "storage/backups.h"

#include <QDir>
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
    switch (kind) {
    case Kind::ImportCsv: case Kind::ExportCsv: return QStringLiteral("csv");
    case Kind::ExportPdf: return QStringLiteral("pdf");
    default: return QStringLiteral("DAT");
    }
}

QFileDialog *create(QWidget *parent, Kind kind)
{
    auto *dialog = new QFileDialog(parent);
    const QString suffix = defaultSuffix(kind);
    // Matched without regard to case.
    dialog->setNameFilter(suffix == u"DAT" ? QStringLiteral("Lumeo(*.DAT)")
                                           : QStringLiteral("%1(*.%2)").arg(suffix.toUpper(), suffix));
    dialog->setOption(QFileDialog::DontConfirmOverwrite); // the commands ask themselves
    // The toolkit's own dialog matches the filter without regard to case; a desktop's may not.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    if (kind == Kind::OpenBackup && QDir().mkpath(Backups::folder())) // before the first read, too
        dialog->setDirectory(Backups::folder());
    if (kind == Kind::Open || kind == Kind::ImportCsv || kind == Kind::OpenBackup) {
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
