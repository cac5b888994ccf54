#include "app/sheetcommands.h"

#include "app/channelgrid.h"
#include "app/filecommands.h"
#include "app/functionsettingspanel.h"
#include "app/windowprompts.h"
#include "document/programmingdocument.h"
#include "editor/settingsrules.h"
#include "i18n/captions.h"
#include "i18n/csvwording.h"
#include "interchange/csvchanneltable.h"
#include "storage/inputfile.h"
#include "storage/wholefile.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QTableWidget>
#include <QTextDocument>

SheetCommands::SheetCommands(ProgrammingDocument &document, WindowPrompts &prompts, QWidget *window, ShownParts shown)
    : QObject(window)
    , m_document(document)
    , m_prompts(prompts)
    , m_window(window)
    , m_shown(shown)
{
}

// Replaces the channels with those of a CSV file, in one step, as an edit: the band and the
// settings stay, and the change counts as unsaved. The report says what was skipped.
void SheetCommands::importCsv()
{
    if (!m_document.allows(Command::ImportCsv))
        return;
    const QString path = DataFileDialog::choose(m_window, DataFileDialog::Kind::ImportCsv);
    if (path.isEmpty())
        return;
    if (const auto kind = InputFile::kindOf(path); kind != InputFile::Kind::Regular && kind != InputFile::Kind::Missing) {
        m_prompts.tellError(Messages::NotRegularFile, path);
        return;
    }
    const InputFile::Contents contents = InputFile::read(path);
    if (contents.status == InputFile::Contents::Status::TooLarge) {
        m_prompts.tell(m_prompts.text(Messages::InputTooLarge).arg(QFileInfo(path).fileName()),
                       {MessageButtons::Ok, MessageIcon::Critical});
        return;
    }
    if (contents.status != InputFile::Contents::Status::Ok) {
        m_prompts.tellError(Messages::CannotOpen, path + "\n" + contents.error);
        return;
    }
    const CsvChannelTable::Import import = CsvChannelTable::importTable(contents.bytes, m_document.state(), false);
    if (import.state)
        m_document.edit(Command::ImportCsv, [&](EditorState &state) { state = *import.state; });
    const MessageIcon icon = !import.state ? MessageIcon::Critical
        : import.skipped.isEmpty()         ? MessageIcon::Information
                                           : MessageIcon::Exclamation;
    const LanguageMode mode = m_prompts.language();
    m_prompts.tell(CsvWording::reportText(import, QFileInfo(path).fileName(), [mode](const Message &m) { return m.text(mode); }),
                   {MessageButtons::Ok, icon});
}

void SheetCommands::exportCsv()
{
    const QString path = chooseSavePath(m_window, m_prompts, DataFileDialog::Kind::ExportCsv);
    if (path.isEmpty())
        return;
    const CsvChannelTable::Export table = CsvChannelTable::exportTable(m_document.state());
    QString error;
    if (!WholeFile::write(path, table.text.toUtf8(), &error)) {
        m_prompts.tellError(Messages::CannotSave, path + "\n" + error);
        return;
    }
    QStringList leftOut;
    for (int channel : table.leftOut)
        leftOut << QString::number(channel);
    if (!leftOut.isEmpty())
        m_prompts.tell(m_prompts.text(Messages::CsvChannelsLeftOut) + leftOut.join(QStringLiteral(", ")),
                       {MessageButtons::Ok, MessageIcon::Exclamation});
}

ChannelSheet SheetCommands::sheet() const
{
    const LanguageMode mode = m_prompts.language();
    auto caption = [mode](const char *key) { return captionText(QString::fromLatin1(key), mode); };
    const EditorState &state = m_document.state();
    const QString file = m_document.filePath();
    ChannelSheet sheet;
    sheet.title = caption("Form1.title");
    sheet.facts = {{caption("Sheet.file"), file.isEmpty() ? caption("Sheet.nofile") : file},
                   {m_shown.bandLabel->text(), m_shown.bandSelector->currentText()},
                   {caption("Sheet.date"), QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))}};
    const QTableWidget *table = m_shown.grid->table();
    for (int column = 0; column < table->columnCount(); ++column)
        sheet.header << table->horizontalHeaderItem(column)->text();
    for (int row = 0; row < ChannelCount; ++row)
        for (int column = 1; column < table->columnCount(); ++column)
            sheet.rows[row] << table->item(row, column)->text();
    sheet.settingsTitle = m_shown.settings->title();
    for (const auto &[label, value] : m_shown.settings->shownSettings())
        sheet.settings << ChannelSheet::Row {label, value};
    sheet.keysTitle = caption("Form6.title");
    const std::pair<const char *, int> keys[] = {{"PF1", state.keyFunction1}, {"PF2", state.keyFunction2}};
    for (const auto &[key, function] : keys)
        sheet.keys << ChannelSheet::Row {QString::fromLatin1(key),
            captionText(QStringLiteral("Form6.Combo1[%1]").arg(SettingsRules::keyFunctionShown(function)), mode)};
    sheet.textsTitle = caption("Form7.title");
    sheet.texts = {state.embeddedTexts[0], state.embeddedTexts[1]};
    return sheet;
}

void SheetCommands::exportPdf()
{
    const QString path = chooseSavePath(m_window, m_prompts, DataFileDialog::Kind::ExportPdf);
    if (path.isEmpty())
        return;
    const std::unique_ptr<QTextDocument> document(sheet().document());
    QString error;
    if (!writePdf(*document, path, &error))
        m_prompts.tellError(Messages::CannotSave, path + "\n" + error);
}

void SheetCommands::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_window->windowTitle());
    if (!choosePrinter(m_window, printer))
        return;
    const std::unique_ptr<QTextDocument> document(sheet().document());
    document->print(&printer);
}
