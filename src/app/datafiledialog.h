#pragma once

#include <QString>
#include <functional>

class QFileDialog;
class QWidget;

// The file dialog of the Open and Save commands, filtered to data files ("Lumeo(*.DAT)"; on a
// file system that tells case apart, names ending in ".dat" show too), of Import CSV and Export
// CSV, filtered to CSV files in the same way, of Export PDF, and of Open Backup, which opens
// data files in the backups folder.
namespace DataFileDialog {

enum class Kind { Open, Save, ImportCsv, ExportCsv, ExportPdf, OpenBackup };

// The extension a saved name without one gets: "DAT", "csv" or "pdf".
QString defaultSuffix(Kind kind);

// Asks for a file name; empty when the user cancels.
QString choose(QWidget *parent, Kind kind);

// The dialog as choose() shows it, for a caller that wants to show it itself.
QFileDialog *create(QWidget *parent, Kind kind);

// For tests: answers every request instead of a person, until reset with nullptr.
using Chooser = std::function<QString(Kind)>;
void setChooser(Chooser chooser);

} // namespace DataFileDialog
