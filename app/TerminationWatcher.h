// Turns SIGTERM, SIGINT and SIGHUP into closing every top-level window, the
// way the Quit command does, so settings are saved before the process ends.
#pragma once

#include <QObject>

class QSocketNotifier;

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    TerminationWatcher();
    ~TerminationWatcher() override;

private:
    void onSignal();

    QSocketNotifier* notifier = nullptr;
};
