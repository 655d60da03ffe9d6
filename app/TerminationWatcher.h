// Turns SIGTERM, SIGINT and SIGHUP into closing every top-level window, the
// way the Quit command does, so settings are saved before the process ends.
#pragma once

#include <QObject>

class QSocketNotifier;

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    // Catches the signals from the very start of the process; a signal that
    // arrives before the watcher exists is acted on once it does.
    static void installHandlers();

    TerminationWatcher();
    ~TerminationWatcher() override;

private:
    void onSignal();

    QSocketNotifier* notifier = nullptr;
};
