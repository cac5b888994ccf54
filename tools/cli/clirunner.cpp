#include "clirunner.h"

#include "cliimages.h"
#include "clisession.h"
#include "exitstatus.h"
#include "filedump.h"
#include "imagecomparison.h"

#include "editor/bands.h"
#include "link/portslots.h"
#include "link/sessionmessage.h"
#include "storage/datafile.h"
#include "storage/wholefile.h"

#include <QCoreApplication>
#include <QFileInfo>
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
    return sessionMessageText(message, Language::English);
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
        print(CliCommand::helpText());
        return ExitStatus::Success;
    case CliCommand::Verb::Version:
        print(QStringLiteral("qv540-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return ExitStatus::Success;
    case CliCommand::Verb::Read: return read(command);
    case CliCommand::Verb::Write: return write(command);
    case CliCommand::Verb::Verify: return verify(command);
    case CliCommand::Verb::Dump: return dump(command);
    }
    return ExitStatus::Usage;
}

int CliRunner::read(const CliCommand &command)
{
    for (const QString &path : {command.file, command.raw})
        if (const QString reason = path.isEmpty() ? QString() : unsavableReason(path); !reason.isEmpty())
            return fail(ExitStatus::FileFailed, QStringLiteral("%1: %2").arg(path, reason));
    CliSession session;
    if (!openPort(session, command.port))
        return ExitStatus::RadioFailed;
    m_progress.start(QStringLiteral("Reading"));
    RadioImage image;
    int radioBand = -1;
    if (const auto result = session.read(&image, &radioBand); result != CliSession::Result::Done)
        return sessionFailed(command.port, result);
    m_progress.complete(sessionText(SessionMessage::ReadSuccess));

    // Only a complete read gets here; both files are put in place whole or not at all.
    QString error;
    if (!DataFile::write(command.file, CliImages::savedAfterRead(image, radioBand), &error))
        return fail(ExitStatus::FileFailed,
                    QStringLiteral("%1: cannot save the data file (%2)").arg(command.file, error));
    if (!command.raw.isEmpty() && !writeRaw(command.raw, image))
        return ExitStatus::FileFailed;
    return ExitStatus::Success;
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
        return sessionFailed(command.port, result);
    if (result == CliSession::Result::Refused) {
        m_progress.finish();
        return fail(ExitStatus::Refused,
                    QStringLiteral("%1: %2 The radio is on %3, %4 on %5; nothing was written. "
                                   "Give --yes to write it anyway.")
                        .arg(command.port, sessionText(SessionMessage::BandMismatch),
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
    CliSession session;
    if (!openPort(session, command.port))
        return ExitStatus::RadioFailed;
    m_progress.start(QStringLiteral("Verifying"));
    RadioImage radio;
    int radioBand = -1;
    if (const auto result = session.read(&radio, &radioBand); result != CliSession::Result::Done)
        return sessionFailed(command.port, result);
    m_progress.complete(sessionText(SessionMessage::ReadSuccess));

    using namespace ImageComparison;
    const QList<AddressRange> ranges = differences(radio, CliImages::writtenOf(*state), command.calibration);
    if (ranges.isEmpty()) {
        print(QStringLiteral("The radio on %1 holds what %2 writes.\n").arg(command.port, command.file));
        return ExitStatus::Success;
    }
    QString listing = QStringLiteral("The radio on %1 differs from %2 at %3 bytes:\n")
                          .arg(command.port, command.file).arg(byteCount(ranges));
    for (const AddressRange &range : ranges)
        listing += rangeText(range) + u'\n';
    print(listing);
    return ExitStatus::Different;
}

int CliRunner::dump(const CliCommand &command)
{
    const std::optional<EditorState> state = loadDataFile(command.file);
    if (!state)
        return ExitStatus::FileFailed;
    if (command.json)
        print(QString::fromUtf8(QJsonDocument(FileDump::json(*state, CliImages::cellTexts())).toJson()));
    else
        print(FileDump::text(*state, CliImages::cellTexts()));
    return ExitStatus::Success;
}

std::optional<EditorState> CliRunner::loadDataFile(const QString &path)
{
    const DataFile::ReadResult file = DataFile::read(path);
    switch (file.status) {
    case DataFile::ReadStatus::Ok:
        return CliImages::stateOf(file.image);
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
    fail(ExitStatus::RadioFailed,
         QStringLiteral("%1: cannot open the port (%2); check the device name, that the cable is "
                        "plugged in and that no other program uses it, and that your account may "
                        "use serial ports (for example the dialout group)").arg(port, error));
    return false;
}

int CliRunner::sessionFailed(const QString &port, CliSession::Result result)
{
    m_progress.finish();
    if (result == CliSession::Result::Interrupted)
        return fail(ExitStatus::Interrupted,
                    QStringLiteral("%1: interrupted; the radio was told to leave programming mode and "
                                   "nothing was saved (after a write it may hold part of the file: "
                                   "write it again)").arg(port));
    return fail(ExitStatus::RadioFailed,
                QStringLiteral("%1: the radio did not answer, or answered wrongly; check that it is "
                               "switched on, that the cable sits firmly in it and in %1, and try again")
                    .arg(port));
}

bool CliRunner::writeRaw(const QString &path, const RadioImage &image)
{
    QString error;
    if (writeWholeFile(path, image.bytes(), &error))
        return true;
    fail(ExitStatus::FileFailed, QStringLiteral("%1: cannot save the raw copy (%2)").arg(path, error));
    return false;
}

void CliRunner::print(const QString &text)
{
    std::fputs(text.toUtf8().constData(), m_out);
    std::fflush(m_out);
}

int CliRunner::fail(int status, const QString &message)
{
    std::fprintf(m_err, "qv540-cli: %s\n", message.toUtf8().constData());
    std::fflush(m_err);
    return status;
}
