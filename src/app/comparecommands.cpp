#include "app/comparecommands.h"

#include "app/datafiledialog.h"
#include "app/filecommands.h"
#include "app/radiocommands.h"
#include "document/programmingdocument.h"
#include "image/codec.h"
#include "image/differences.h"

#include <QFileInfo>

CompareCommands::CompareCommands(ProgrammingDocument &document, FileCommands &files, RadioCommands &radio,
                                 QWidget *window)
    : QObject(window)
    , m_document(document)
    , m_files(files)
    , m_radio(radio)
    , m_window(window)
    , m_compareWindow(new CompareWindow(window))
{
    connect(&m_radio, &RadioCommands::radioReadForComparison, this, &CompareCommands::showRadio);
    connect(m_compareWindow, &CompareWindow::writeRequested, this, &CompareCommands::writeRequested);
    auto updateWrite = [this] { m_compareWindow->setWriteEnabled(m_document.allows(Command::Write)); };
    connect(&m_document, &ProgrammingDocument::modeChanged, this, updateWrite);
    updateWrite();
}

void CompareCommands::compareWithRadio()
{
    m_radio.readForComparison();
}

void CompareCommands::compareWithFile()
{
    if (!m_document.allows(Command::CompareFile))
        return;
    const QString path = DataFileDialog::choose(m_window, DataFileDialog::Kind::Open);
    if (path.isEmpty())
        return;
    if (const std::optional<RadioImage> image = m_files.readDataFile(path))
        show(*image, CompareWindow::Other::File, QFileInfo(path).fileName());
}

void CompareCommands::retranslate(LanguageMode mode)
{
    m_compareWindow->retranslate(mode);
}

// What a write would change: the radio's bytes where a write reaches (the power-tuning block
// too in debug mode, whose write may send it), the programming's elsewhere.
void CompareCommands::showRadio(const RadioImage &read)
{
    show(Differences::asFarAsAWriteReaches(read, m_document.image(), m_document.isDebugUnlocked()),
         CompareWindow::Other::Radio);
}

// The other side decodes as Open or Read would decode it onto the programming shown.
void CompareCommands::show(const RadioImage &other, CompareWindow::Other kind, const QString &fileName)
{
    const EditorState &editor = m_document.state();
    EditorState decoded = editor;
    decodeImage(other, decoded);
    m_compareWindow->showDifferences(Differences::between(decoded, other, editor, m_document.image()), kind, fileName);
}
