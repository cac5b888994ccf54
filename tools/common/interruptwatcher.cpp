#include "interruptwatcher.h"

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};
struct sigaction formerInt {};
struct sigaction formerTerm {};

// Only a write to a pipe is safe inside a signal handler; the event loop reads it.
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

InterruptWatcher::InterruptWatcher(QObject *parent) : QObject(parent)
{
    Q_ASSERT(signalPipe[0] < 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[0], &byte, 1);
        emit interrupted();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &formerInt);
    ::sigaction(SIGTERM, &action, &formerTerm);
}

InterruptWatcher::~InterruptWatcher()
{
    if (signalPipe[0] < 0)
        return;
    ::sigaction(SIGINT, &formerInt, nullptr);
    ::sigaction(SIGTERM, &formerTerm, nullptr);
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

#else

InterruptWatcher::InterruptWatcher(QObject *parent) : QObject(parent) {}
InterruptWatcher::~InterruptWatcher() = default;

#endif
