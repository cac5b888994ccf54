#include "app/radiocommands.h"

#include "app/filecommands.h"
#include "app/portdialog.h"
#include "app/windowprompts.h"
#include "document/programmingdocument.h"
#include "i18n/sessionwording.h"
#include "image/codec.h"
#include "link/portselection.h"
#include "link/sessiondriver.h"

#include <QLabel>
#include <QProgressBar>

RadioCommands::RadioCommands(ProgrammingDocument &document, WindowPrompts &prompts, FileCommands &files,
                             QWidget *window, Display display)
    : QObject(window)
    , m_document(document)
    , m_prompts(prompts)
    , m_files(files)
    , m_window(window)
    , m_display(std::move(display))
    , m_session(new SessionDriver(this))
{
    m_display.progress->setRange(0, ProtocolEngine::ProgressMaximum);
    connectSession();
}

void RadioCommands::openPreferredPort(int slot)
{
    m_portSlot = slot;
    if (const int opened = ::openPreferredPort(*m_session, slot).choice.slot)
        m_portSlot = opened;
}

void RadioCommands::connectSession()
{
    ProtocolEngine &engine = m_session->engine();
    engine.setImageProvider([this] { return m_document.image(); });
    engine.setSelectedBandProvider(m_display.selectedBand);
    connect(&engine, &ProtocolEngine::runningChanged, this, &RadioCommands::updatePhase);
    connect(&engine, &ProtocolEngine::commandsLockedChanged, this, &RadioCommands::updatePhase);
    connect(&engine, &ProtocolEngine::runningChanged, this, [this](bool running) {
        if (!running)
            emit sessionEnded();
    });
    // The status is written again when a session starts, in the language now in force, even if
    // it is the one the last session ended with.
    connect(&engine, &ProtocolEngine::statusChanged, this, &RadioCommands::showStatus);
    connect(&engine, &ProtocolEngine::runningChanged, this, &RadioCommands::showStatus);
    connect(&engine, &ProtocolEngine::statusVisibleChanged, m_display.status, &QWidget::setVisible);
    connect(&engine, &ProtocolEngine::progressVisibleChanged, m_display.progress, &QWidget::setVisible);
    connect(&engine, &ProtocolEngine::progressChanged, m_display.progress, &QProgressBar::setValue);
    connect(&engine, &ProtocolEngine::bandQuestionAsked, this, [this, &engine] {
        const QString question = m_prompts.text(SessionWording::BandMismatch);
        engine.answerBandQuestion(m_prompts.tell(question, {MessageButtons::YesNo, MessageIcon::Information})
                                  == MessageAnswer::Yes);
    });
    connect(&engine, &ProtocolEngine::communicationError, this, [this, &engine] {
        QString text = m_prompts.text(SessionWording::CommunicationError);
        // A write cut off in the middle leaves the radio with some blocks new and the rest old.
        if (engine.operation() == ProtocolEngine::Operation::Write)
            text += u'\n' + m_prompts.text(Messages::WriteMayBePartial);
        m_prompts.tell(text, {MessageButtons::Ok, MessageIcon::Critical});
    });
    connect(&engine, &ProtocolEngine::readFinished, this, &RadioCommands::readFinished);
    // What the radio now holds counts as saved; a change made during the write does not.
    connect(&engine, &ProtocolEngine::writeFinished, this, [this, &engine] { m_document.markWritten(engine.writeImage()); });
}

// The session's phase as the programming's mode: running, then held until its result has been
// shown (and a communication error closed).
void RadioCommands::updatePhase()
{
    const ProtocolEngine &engine = m_session->engine();
    m_document.setSessionPhase(!engine.isIdle()       ? SessionPhase::Running
                               : engine.commandsLocked() ? SessionPhase::Held
                                                         : SessionPhase::Idle);
}

void RadioCommands::showStatus()
{
    m_display.status->setText(m_prompts.text(SessionWording::of(m_session->engine().status())));
}

// Whether a session may start: the mode allows command and the port is open (else it says so).
bool RadioCommands::mayStart(Command command)
{
    if (!m_document.allows(command))
        return false;
    if (m_session->isPortOpen())
        return true;
    m_prompts.tell(m_prompts.text(SessionWording::PortNotOpen),
                   {MessageButtons::Ok, MessageIcon::Information});
    return false;
}

void RadioCommands::read()
{
    // A read replaces the programming: unsaved changes are offered for saving first.
    if (mayStart(Command::Read) && m_files.settleUnsavedChanges()) {
        m_comparing = false;
        m_session->startRead();
    }
}

// A comparison replaces nothing: no question about unsaved changes.
void RadioCommands::readForComparison()
{
    if (mayStart(Command::CompareRadio)) {
        m_comparing = true;
        m_session->startRead();
    }
}

void RadioCommands::write()
{
    if (!mayStart(Command::Write))
        return;
    // Calibration belongs to one radio, while the values come from whatever was opened or read
    // last: a write in debug mode names them and asks before it sends them.
    bool calibration = false;
    if (m_document.isDebugUnlocked()) {
        const EditorState &state = m_document.state();
        const QString question = m_prompts.text(Messages::WriteCalibration).arg(state.powerTuning1).arg(state.powerTuning2);
        const MessageAnswer answer = m_prompts.tell(question, {MessageButtons::YesNoCancel, MessageIcon::Question});
        if (answer == MessageAnswer::Cancel)
            return;
        calibration = answer == MessageAnswer::Yes;
    }
    m_session->startWrite(calibration);
}

void RadioCommands::readFinished(const RadioImage &image, int radioBand)
{
    if (std::exchange(m_comparing, false)) {
        emit radioReadForComparison(image);
        return;
    }
    // Decoding keeps a value whose byte is out of range: it starts from what is shown.
    EditorState read = m_document.state();
    decodeImage(image, read);
    if (radioBand >= 0)
        read.currentBand = radioBand; // else the band the image holds
    if (m_document.replace(Command::TakeRead, read))
        m_files.keepBackup();
}

// The port dialog. Each time it is shown it probes the ports afresh.
void RadioCommands::choosePort()
{
    if (!m_document.allows(Command::ChoosePort))
        return;
    PortDialog dialog(*m_session, m_portSlot, m_prompts.language(), m_window);
    dialog.exec();
    m_portSlot = dialog.slot();
}

bool RadioCommands::mayClose()
{
    // A session cut off here would leave the radio in programming mode, perhaps half written.
    // A session that ends while the question is open takes the question with it: the closing
    // then goes on as from an idle window.
    if (m_session->engine().isIdle())
        return true;
    MessageBoxWithdrawal whenEnded;
    connect(&m_session->engine(), &ProtocolEngine::runningChanged, &whenEnded, [&whenEnded](bool running) {
        if (!running)
            whenEnded.withdraw();
    });
    const MessageAnswer answer =
        m_prompts.ask(Messages::AbortSession, {MessageButtons::YesNo, MessageIcon::Exclamation}, nullptr, &whenEnded);
    if (answer == MessageAnswer::Yes)
        m_session->abort();
    return answer == MessageAnswer::Yes || answer == MessageAnswer::Withdrawn;
}

void RadioCommands::flush()
{
    m_session->link().waitForWritten(SessionDriver::FlushTimeout);
}
