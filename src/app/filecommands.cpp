#include "app/filecommands.h"

#include "app/windowprompts.h"
#include "document/programmingdocument.h"
#include "editor/channelrules.h"
#include "image/codec.h"
#include "storage/backups.h"
#include "storage/datafile.h"
#include "storage/inputfile.h"
#include "storage/recentfiles.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

FileCommands::FileCommands(ProgrammingDocument &document, WindowPrompts &prompts, QMainWindow *window,
                           const QString &recentStore)
    : QObject(window)
    , m_document(document)
    , m_prompts(prompts)
    , m_window(window)
    , m_recentFiles(std::make_unique<RecentFiles>(recentStore))
{
}

FileCommands::~FileCommands() = default;

void FileCommands::newProgramming()
{
    if (!m_document.allows(Command::NewProgramming))
        return;
    const MessageStyle style {MessageButtons::OkCancel, MessageIcon::Exclamation, 1};
    if (m_prompts.ask(Messages::ClearAll, style, &Messages::ClearAllTitle) == MessageAnswer::Cancel)
        return;
    m_document.edit(Command::NewProgramming, ChannelRules::clearAllChannels);
}

void FileCommands::openFile(DataFileDialog::Kind kind)
{
    if (!m_document.allows(Command::Open) || !settleUnsavedChanges())
        return;
    const QString path = DataFileDialog::choose(m_window, kind);
    if (!path.isEmpty())
        openDataFile(path);
}

std::optional<RadioImage> FileCommands::readDataFile(const QString &path)
{
    // A pipe or a device would keep the window waiting for ever: only files are opened.
    if (const auto kind = InputFile::kindOf(path); kind != InputFile::Kind::Regular && kind != InputFile::Kind::Missing) {
        m_prompts.tellError(Messages::NotRegularFile, path);
        return std::nullopt;
    }
    const DataFile::ReadResult file = DataFile::read(path);
    if (file.status == DataFile::ReadStatus::CannotOpen) {
        m_prompts.tellError(Messages::CannotOpen, path + "\n" + file.error);
        return std::nullopt;
    }
    if (file.status == DataFile::ReadStatus::NotDataFile) {
        m_prompts.ask(Messages::WrongFileType);
        return std::nullopt;
    }
    return file.image;
}

void FileCommands::openRecentFile(const QString &path)
{
    if (!m_document.allows(Command::Open))
        return;
    if (!QFileInfo::exists(path)) {
        m_recentFiles->remove(path);
        m_prompts.tell(m_prompts.text(Messages::RecentFileMissing) + path, {MessageButtons::Ok, MessageIcon::Information});
        return;
    }
    if (settleUnsavedChanges())
        openDataFile(path);
}

void FileCommands::openDroppedFile(const QString &path)
{
    if (m_document.allows(Command::Open) && settleUnsavedChanges())
        openDataFile(path);
}

bool FileCommands::openDataFile(const QString &path)
{
    if (!m_document.allows(Command::Open))
        return false;
    const std::optional<RadioImage> image = readDataFile(path);
    if (!image)
        return false;
    // Decoding keeps a value whose byte is out of range: it starts from what is shown.
    EditorState opened = m_document.state();
    decodeImage(*image, opened);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_document.replace(Command::Open, opened, absolute);
    m_recentFiles->add(absolute);
    return true;
}

bool FileCommands::saveFile()
{
    if (!m_document.allows(Command::Save))
        return false;
    const QString path = chooseSavePath(m_window, m_prompts, DataFileDialog::Kind::Save);
    if (path.isEmpty())
        return false;
    const RadioImage image = m_document.image();
    QString error;
    if (!DataFile::write(path, image, &error)) {
        m_prompts.tellError(Messages::CannotSave, path + "\n" + error);
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_document.markSaved(absolute, image);
    m_recentFiles->add(absolute);
    return true;
}

bool FileCommands::settleUnsavedChanges()
{
    if (!m_document.hasUnsavedChanges())
        return true;
    const MessageAnswer answer =
        m_prompts.ask(Messages::UnsavedChanges, {MessageButtons::YesNoCancel, MessageIcon::Exclamation});
    if (answer == MessageAnswer::Cancel || answer == MessageAnswer::Withdrawn)
        return false;
    return answer == MessageAnswer::No || saveFile();
}

// The recent files' paths, as they are: never translated, an ampersand no shortcut.
void FileCommands::showRecentFiles(QMenu *menu)
{
    menu->clear();
    for (const QString &path : m_recentFiles->paths()) {
        QAction *action = menu->addAction(QString(path).replace(u'&', QStringLiteral("&&")));
        connect(action, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
}

void FileCommands::keepBackup()
{
    const Backups::Result backup = Backups::keep(m_document.image(), m_document.state().currentBand);
    if (backup.error.isEmpty())
        return;
    QStatusBar *bar = m_window->statusBar();
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString &message) { bar->setVisible(!message.isEmpty()); },
            Qt::UniqueConnection);
    bar->showMessage(m_prompts.text(Messages::BackupFailed) + backup.error, 20000);
    bar->show();
}

QString chooseSavePath(QWidget *parent, WindowPrompts &prompts, DataFileDialog::Kind kind)
{
    for (;;) {
        QString path = DataFileDialog::choose(parent, kind);
        if (path.isEmpty())
            return {};
        if (QFileInfo(path).suffix().isEmpty())
            path += u'.' + DataFileDialog::defaultSuffix(kind); // so that the opening dialog shows it
        const MessageStyle overwrite {MessageButtons::YesNo, MessageIcon::Question};
        if (QFileInfo::exists(path) && prompts.ask(Messages::Overwrite, overwrite) == MessageAnswer::No)
            continue;
        return path;
    }
}
