#pragma once

#include <QObject>

// While it lives, SIGINT and SIGTERM no longer end the process at once but emit interrupted()
// on the thread's event loop, so that a tool can finish cleanly: tell the radio to leave
// programming mode, save what it holds. The signals' former handling returns when it goes.
// One watcher at a time. On systems without POSIX signals it watches nothing.
class InterruptWatcher : public QObject
{
    Q_OBJECT

public:
    explicit InterruptWatcher(QObject *parent = nullptr);
    ~InterruptWatcher() override;

signals:
    void interrupted();
};
