#include "clirunner.h"

#include "cliimages.h"
#include "clisession.h"
#include "exitstatus.h"
#include "filedump.h"
#include "imagecomparison.h"

#include "editor/bands.h"
#include "i18n/differencewording.h"
#include "image/codec.h"
#include "image/differences.h"
#include "interchange/csvchanneltable.h"
#include "interchange/programmingjson.h"
#include "link/portslots.h"
#include "i18n/csvwording.h"
#include "i18n/sessionwording.h"
#include "link/sessionmessage.h"
#include "image/layout.h"
#include "storage/backups.h"
#include "storage/datafile.h"
#include "storage/inputfile.h"
#include "storage/wholefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

namespace {

QString bandText(int band)
{
    const QStringList names = Bands::items();
    if (band < 0 || band >= names.size())
        return QStringLiteral("a band code outside the band list");
    return QStringLiteral("band %1 (%2)").arg(band).arg(names.at(band));
}

QString sessionText(SessionMessage message)
{
    return SessionWording::of(message).inEnglish();
}

// Why a file cannot be saved at path, found before the radio is read; empty when it can be.
QString unsavableReason(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("is a folder; name a file to save");
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("its folder %1 does not exist; create it first").arg(folder.filePath());
    if (!folder.isWritable())
        return QStringLiteral("its folder %1 is not writable; choose another place").arg(folder.filePath());
    return {};
}

} // namespace

CliRunner::CliRunner(std::FILE *out, std::FILE *err)
    : m_out(out), m_err(err), m_progress(err, ProgressBar::isTerminal(err))
{
}

QString CliRunner::portDevice(const QString &port)
{
#ifndef Q_OS_WIN
    // Elsewhere than on Windows "COMn" names the window's port slot n.
    static const QRegularExpression slotName(QStringLiteral("^COM([1-9][0-9]?)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = slotName.match(port);
    if (match.hasMatch() && !QFileInfo::exists(port)) {
        const int number = match.captured(1).toInt();
        const QList<PortSlots::Slot> table =
            PortSlots::bind(PortSlots::systemDevices(), PortSlots::extraDevices(), PortSlots::systemNaming());
        return number <= table.size() ? table.at(number - 1).device : QString();
    }
#endif
    return port;
}

int CliRunner::run(const CliCommand &command)
{
    switch (command.verb) {
    case CliCommand::Verb::Invalid:
        return fail(ExitStatus::Usage, command.error + QStringLiteral(" (see qv540-cli --help)"));
    case CliCommand::Verb::Help:
        print(command.file.isEmpty() ? CliCommand::helpText() : CliCommand::helpText(command.file));
        return ExitStatus::Success;
    case CliCommand::Verb::Version:
        print(QStringLiteral("qv540-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return ExitStatus::Success;
    case CliCommand::Verb::Read: return read(command);
    case CliCommand::Verb::Write: return write(command);
    case CliCommand::Verb::Verify: return verify(command);
    case CliCommand::Verb::Diff: return diff(command);
    case CliCommand::Verb::Dump: return dump(command);
    case CliCommand::Verb::Export: return exportCsv(command);
    case CliCommand::Verb::Import: return importCsv(command);
    case CliCommand::Verb::Encode: return encode(command);
    case CliCommand::Verb::Detect: return detect(command);
    case CliCommand::Verb::Ports: return ports();
    }
    return ExitStatus::Usage;
}

int CliRunner::read(const CliCommand &command)
{
    for (const QString &path : {command.file, command.raw})
        if (const QString reason = path.isEmpty() || path == u"-" ? QString() : unsavableReason(path); !reason.isEmpty())
            return fail(ExitStatus::FileFailed, QStringLiteral("%1: %2").arg(path, reason));
    CliSession session;
    if (!openPort(session, command.port))
        return ExitStatus::RadioFailed;
    m_progress.start(QStringLiteral("Reading"));
    RadioImage image;
    int radioBand = -1;
    if (const auto result = session.read(&image, &radioBand); result != CliSession::Result::Done)
        return sessionFailed(result);
    m_progress.complete(sessionText(SessionMessage::ReadSuccess));

    // Only a complete read gets here; both files are put in place whole or not at all.
    const RadioImage saved = CliImages::savedAfterRead(image, radioBand);
    if (!saveBytes(command.file, DataFile::contentsOf(saved), QStringLiteral("data file")))
        return ExitStatus::FileFailed;
    if (!command.raw.isEmpty() && !saveBytes(command.raw, image.bytes(), QStringLiteral("raw copy")))
        return ExitStatus::FileFailed;
    if (command.backup)
        keepBackup(saved);
    return ExitStatus::Success;
}

// A backup that cannot be written fails nothing: the read has been saved where asked.
void CliRunner::keepBackup(const RadioImage &saved)
{
    const Backups::Result backup = Backups::keep(saved, Layout::bandOfCode(saved.byte(Layout::BandCode)).value_or(-1));
    if (!backup.error.isEmpty())
        std::fprintf(m_err, "qv540-cli: warning: no backup of this read was kept (%s)\n", qUtf8Printable(backup.error));
}

int CliRunner::write(const CliCommand &command)
{
    const std::optional<EditorState> state = loadDataFile(command.file);
    if (!state)
        return ExitStatus::FileFailed;
    CliSession session;
    if (!openPort(session, command.port))
        return ExitStatus::RadioFailed;
    m_progress.start(QStringLiteral("Writing"));
    const CliSession::Result result =
        session.write(CliImages::writtenOf(*state), state->currentBand, command.calibration, command.yes);
    if (result == CliSession::Result::NoAnswer || result == CliSession::Result::Interrupted)
        return sessionFailed(result, true);
    if (result == CliSession::Result::Refused) {
        m_progress.finish();
        return fail(ExitStatus::Refused,
                    QStringLiteral("%1: %2 The radio is on %3, %4 on %5; nothing was written. "
                                   "Give --yes to write it anyway.")
                        .arg(m_portName, sessionText(SessionMessage::BandMismatch),
                             bandText(session.radioBand()), command.file, bandText(state->currentBand)));
    }
    m_progress.complete(sessionText(SessionMessage::WriteSuccess));
    return ExitStatus::Success;
}

int CliRunner::verify(const CliCommand &command)
{
    const std::optional<EditorState> state = loadDataFile(command.file);
    if (!state)
        return ExitStatus::FileFailed;
    int status = ExitStatus::Success;
    const std::optional<RadioImage> radio = readRadio(command.port, QStringLiteral("Verifying"), status);
    if (!radio)
        return status;

    using namespace ImageComparison;
    const QList<AddressRange> ranges = differences(*radio, CliImages::writtenOf(*state), command.calibration);
    if (ranges.isEmpty()) {
        print(QStringLiteral("The radio on %1 holds what %2 writes.\n").arg(m_portName, command.file));
        return ExitStatus::Success;
    }
    QString listing = QStringLiteral("The radio on %1 differs from %2 at %3 bytes:\n")
                          .arg(m_portName, command.file).arg(byteCount(ranges));
    for (const AddressRange &range : ranges)
        listing += rangeText(range) + u'\n';
    print(listing);
    return ExitStatus::Different;
}

int CliRunner::diff(const CliCommand &command)
{
    struct Side
    {
        EditorState state;
        RadioImage image;
    };
    auto sideOf = [](const RadioImage &image) { return Side {CliImages::stateOf(image), image}; };
    std::optional<Side> a;
    std::optional<Side> b;
    if (command.port.isEmpty()) {
        // Two files: every byte of their images.
        const std::optional<RadioImage> first = loadDataImage(command.file);
        const std::optional<RadioImage> second = first ? loadDataImage(command.other) : std::nullopt;
        if (!second)
            return ExitStatus::FileFailed;
        a = sideOf(*first);
        b = sideOf(*second);
    } else {
        // The radio against a file: what a write of the file would change.
        const std::optional<EditorState> state = loadDataFile(command.file);
        if (!state)
            return ExitStatus::FileFailed;
        int status = ExitStatus::Success;
        const std::optional<RadioImage> radio = readRadio(command.port, QStringLiteral("Reading"), status);
        if (!radio)
            return status;
        const RadioImage written = CliImages::writtenOf(*state);
        a = sideOf(Differences::asFarAsAWriteReaches(*radio, written, command.calibration));
        b = sideOf(written);
    }
    const QList<Differences::Difference> found = Differences::between(a->state, a->image, b->state, b->image);
    if (command.json) {
        QJsonArray list;
        for (const Differences::Difference &d : found)
            list.append(DifferenceWording::json(d));
        print(QString::fromUtf8(QJsonDocument(list).toJson()));
    } else {
        QString lines;
        for (const Differences::Difference &d : found)
            lines += DifferenceWording::line(d) + u'\n';
        print(lines);
    }
    return found.isEmpty() ? ExitStatus::Success : ExitStatus::Different;
}

// The radio's memory for a command that compares with it; nothing, with the exit status in
// status, when the port or the radio fails.
std::optional<RadioImage> CliRunner::readRadio(const QString &port, const QString &progressLabel, int &status)
{
    CliSession session;
    if (!openPort(session, port)) {
        status = ExitStatus::RadioFailed;
        return std::nullopt;
    }
    m_progress.start(progressLabel);
    RadioImage radio;
    int radioBand = -1;
    if (const auto result = session.read(&radio, &radioBand); result != CliSession::Result::Done) {
        status = sessionFailed(result);
        return std::nullopt;
    }
    m_progress.complete(sessionText(SessionMessage::ReadSuccess));
    return radio;
}

int CliRunner::dump(const CliCommand &command)
{
    const std::optional<EditorState> state = loadDataFile(command.file);
    if (!state)
        return ExitStatus::FileFailed;
    if (command.json)
        print(QString::fromUtf8(QJsonDocument(FileDump::json(*state)).toJson()));
    else
        print(FileDump::text(*state));
    return ExitStatus::Success;
}

int CliRunner::exportCsv(const CliCommand &command)
{
    const std::optional<EditorState> state = loadDataFile(command.file);
    if (!state)
        return ExitStatus::FileFailed;
    const CsvChannelTable::Export table = CsvChannelTable::exportTable(*state);
    for (int channel : table.leftOut)
        report(QStringLiteral("%1: channel %2 left out: its frequency field holds digits that are no number")
                   .arg(command.file).arg(channel));
    const bool saved = saveBytes(command.output, table.text.toUtf8(), QStringLiteral("CSV file"));
    return saved ? ExitStatus::Success : ExitStatus::FileFailed;
}

int CliRunner::importCsv(const CliCommand &command)
{
    EditorState base; // without --base, the band and settings a freshly started window holds
    if (!command.base.isEmpty()) {
        const std::optional<EditorState> file = loadDataFile(command.base);
        if (!file)
            return ExitStatus::FileFailed;
        base = *file;
    }
    const std::optional<QByteArray> contents = readInput(command.file);
    if (!contents)
        return ExitStatus::FileFailed;

    using CsvChannelTable::Import;
    const Import import = CsvChannelTable::importTable(*contents, base, command.renumber);
    // The first rows skipped are named; a file of thousands of bad rows is summed up.
    constexpr int NamedRows = 20;
    for (const CsvChannelTable::SkippedRow &row : import.skipped.first(std::min<qsizetype>(NamedRows, import.skipped.size())))
        report(QStringLiteral("%1: %2; row skipped")
                   .arg(command.file, CsvWording::skippedRowText(row, &Message::inEnglish)));
    if (import.skippedCount > NamedRows)
        report(QStringLiteral("%1: and %2 more rows skipped").arg(command.file).arg(import.skippedCount - NamedRows));
    switch (import.failure) {
    case Import::Failure::NoFrequencyColumn:
        return fail(ExitStatus::FileFailed,
                    QStringLiteral("%1: no Frequency column in its first line; name the columns there, as export "
                                   "writes them (Location,Name,Frequency,...); nothing was saved").arg(command.file));
    case Import::Failure::UnclosedQuote:
        return fail(ExitStatus::FileFailed,
                    QStringLiteral("%1: line %2: a quoted cell never ends; close it with a second \" (nothing was saved)")
                        .arg(command.file).arg(import.failureLine));
    case Import::Failure::NoUsableRow:
        return fail(ExitStatus::FileFailed,
                    QStringLiteral("%1: no row could be imported; nothing was saved").arg(command.file));
    case Import::Failure::None:
        break;
    }
    return saveDataFile(command.output, *import.state) ? ExitStatus::Success : ExitStatus::FileFailed;
}

int CliRunner::encode(const CliCommand &command)
{
    const std::optional<QByteArray> contents = readInput(command.file);
    if (!contents)
        return ExitStatus::FileFailed;
    const ProgrammingJson::Reading reading = ProgrammingJson::fromJson(*contents);
    if (!reading.state) {
        const QString where = reading.field.isEmpty() ? command.file : command.file + QStringLiteral(": ") + reading.field;
        return fail(ExitStatus::FileFailed, QStringLiteral("%1: %2; nothing was saved").arg(where, reading.error));
    }
    for (const QString &warning : reading.warnings)
        report(QStringLiteral("%1: %2").arg(command.file, warning));
    return saveDataFile(command.output, *reading.state) ? ExitStatus::Success : ExitStatus::FileFailed;
}

// The 20 port slots as the window's port dialog shows them, probed: a line each.
int CliRunner::ports()
{
    QString lines;
    for (const PortSlots::Slot &slot : PortSlots::list()) {
        const QString state = slot.device.isEmpty() ? QStringLiteral("no serial port")
                            : slot.usable           ? QStringLiteral("can be opened")
                                                    : QStringLiteral("cannot be opened: ") + slot.reason;
        lines += QStringLiteral("COM%1").arg(slot.number).leftJustified(6) + (slot.device.isEmpty() ? QStringLiteral("-") : slot.device).leftJustified(24)
               + u' ' + state + u'\n';
    }
    print(lines);
    return ExitStatus::Success;
}

int CliRunner::detect(const CliCommand &command)
{
    CliSession session;
    if (!openPort(session, command.port))
        return ExitStatus::RadioFailed;
    quint8 bandCode = 0;
    if (const auto result = session.detect(&bandCode); result != CliSession::Result::Done)
        return sessionFailed(result);
    const int band = ProtocolEngine::bandOfIdentityCode(bandCode);
    const QString code = QStringLiteral("%1").arg(bandCode, 2, 16, QLatin1Char('0')).toUpper();
    const QString bandName = band >= 0 ? Bands::items().at(band) : QStringLiteral("unknown band code 0x") + code;
    print(QStringLiteral("Model: QV-540 (%1)\nBand: %2\n").arg(QLatin1StringView(ProtocolEngine::ModelIdentifier), bandName));
    return ExitStatus::Success;
}

std::optional<EditorState> CliRunner::loadDataFile(const QString &path)
{
    const std::optional<RadioImage> image = loadDataImage(path);
    return image ? std::optional(CliImages::stateOf(*image)) : std::nullopt;
}

std::optional<RadioImage> CliRunner::loadDataImage(const QString &path)
{
    if (!readable(path))
        return std::nullopt;
    const DataFile::ReadResult file = DataFile::read(path);
    switch (file.status) {
    case DataFile::ReadStatus::Ok:
        return file.image;
    case DataFile::ReadStatus::CannotOpen:
        fail(ExitStatus::FileFailed, QStringLiteral("%1: cannot read the file (%2)").arg(path, file.error));
        return std::nullopt;
    case DataFile::ReadStatus::NotDataFile:
        fail(ExitStatus::FileFailed,
             QStringLiteral("%1: not a data file (it must start with \"%2\" and hold a whole image); "
                            "name a .DAT file saved by qv540 or qv540-cli")
                 .arg(path, QLatin1StringView(DataFile::Signature)));
        return std::nullopt;
    }
    return std::nullopt;
}

bool CliRunner::openPort(CliSession &session, const QString &port)
{
    const QString device = portDevice(port);
    m_portName = device.isEmpty() || device == port ? port : QStringLiteral("%1 (%2)").arg(port, device);
    if (device.isEmpty()) {
        fail(ExitStatus::RadioFailed,
             QStringLiteral("%1: no serial port is bound to this slot; name the device itself, "
                            "such as /dev/ttyUSB0").arg(port));
        return false;
    }
    QString error;
    if (session.open(device, &error)) {
        session.setProgressHandler([this](int value, int maximum) { m_progress.show(value, maximum); });
        return true;
    }
    // Why, as the port dialog says it: another program holding the port is told apart from an
    // account that may not use it.
    const QString why = PortSlots::probeDevice(device);
    fail(ExitStatus::RadioFailed, QStringLiteral("%1: cannot open the port: %2%3")
                                      .arg(m_portName, why.isEmpty() ? error : why,
                                           why.contains(QStringLiteral("in use")) || why.contains(QStringLiteral("group"))
                                               ? QString()
                                               : QStringLiteral(" (check the device name and that the cable is plugged in)")));
    return false;
}

int CliRunner::sessionFailed(CliSession::Result result, bool write)
{
    m_progress.finish();
    // A write cut off in the middle leaves the radio with some blocks new and the rest old.
    const QString partial = write ? u' ' + Messages::WriteMayBePartial.inEnglish() : QString();
    if (result == CliSession::Result::Interrupted)
        return fail(ExitStatus::Interrupted,
                    QStringLiteral("%1: interrupted; the radio was told to leave programming mode%2")
                        .arg(m_portName, write ? u'.' + partial : QStringLiteral(" and nothing was saved")));
    return fail(ExitStatus::RadioFailed,
                QStringLiteral("%1: the radio did not answer, or answered wrongly; check that it is "
                               "switched on, that the cable sits firmly in it and in %1, and try again.%2")
                    .arg(m_portName, partial));
}

// A folder or a socket is no input; a pipe, a FIFO or a device is read as a file is (so that
// `encode <(jq ...)` works), never beyond the bound of inputs.
bool CliRunner::readable(const QString &path)
{
    const InputFile::Kind kind = InputFile::kindOf(path);
    if (kind != InputFile::Kind::Folder && kind != InputFile::Kind::Other)
        return true;
    fail(ExitStatus::FileFailed, QStringLiteral("%1: not a file but %2; name a file, a pipe or a device")
                                     .arg(path, kind == InputFile::Kind::Folder ? "a folder" : "a socket or block device"));
    return false;
}

std::optional<QByteArray> CliRunner::readInput(const QString &path)
{
    if (!readable(path))
        return std::nullopt;
    const InputFile::Contents contents = InputFile::read(path);
    switch (contents.status) {
    case InputFile::Contents::Status::Ok:
        return contents.bytes;
    case InputFile::Contents::Status::TooLarge:
        fail(ExitStatus::FileFailed, Messages::InputTooLarge.inEnglish().arg(path));
        break;
    case InputFile::Contents::Status::CannotRead:
        fail(ExitStatus::FileFailed, QStringLiteral("%1: cannot read the file (%2)").arg(path, contents.error));
        break;
    }
    return std::nullopt;
}

bool CliRunner::saveBytes(const QString &path, const QByteArray &bytes, const QString &what)
{
    if (path == u"-") { // standard output
        const bool written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out) == size_t(bytes.size())
                          && std::fflush(m_out) == 0;
        if (!written)
            fail(ExitStatus::FileFailed, QStringLiteral("standard output: cannot write the %1").arg(what));
        return written;
    }
    QString error;
    if (WholeFile::write(path, bytes, &error))
        return true;
    fail(ExitStatus::FileFailed, QStringLiteral("%1: cannot save the %2 (%3)").arg(path, what, error));
    return false;
}

bool CliRunner::saveDataFile(const QString &path, const EditorState &state)
{
    return saveBytes(path, DataFile::contentsOf(CliImages::writtenOf(state)), QStringLiteral("data file"));
}

void CliRunner::print(const QString &text)
{
    std::fputs(text.toUtf8().constData(), m_out);
    std::fflush(m_out);
}

void CliRunner::report(const QString &message)
{
    std::fprintf(m_err, "qv540-cli: %s\n", message.toUtf8().constData());
    std::fflush(m_err);
}

int CliRunner::fail(int status, const QString &message)
{
    report(message);
    return status;
}
