#include "ChildGroup.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QVariant>

#include <csignal>

namespace childgroup {

QString findExecutable(const QString& setting) {
    if (setting.isEmpty())
        return {};
    if (!setting.contains('/'))
        return QStandardPaths::findExecutable(setting);
    const QFileInfo info(setting);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

void signalGroup(qint64 pid, int sig) {
    if (pid <= 0)
        return;
    ::kill(-pid_t(pid), sig);
    ::kill(pid_t(pid), sig);
}

qint64 groupOf(const QProcess* child) {
    return child->property(groupProperty).toLongLong();
}

void rememberGroup(QProcess* child) {
    child->setProperty(groupProperty, child->processId());
}

// Not tied to the child object, which goes as soon as the leader is reaped. A
// group id is not given to a new process while any member of the group
// lives, so a group that is gone by then is simply not found.
void killGroupAfterGrace(qint64 group) {
    if (group <= 0)
        return;
    QTimer::singleShot(graceMs, [group] {
        if (::kill(-pid_t(group), 0) == 0)
            ::kill(-pid_t(group), SIGKILL);
    });
}

void end(QProcess* child, QObject* owner) {
    if (child == nullptr)
        return;
    if (child->state() == QProcess::NotRunning) {
        // The leader is gone, but what it started may not be.
        const qint64 group = groupOf(child);
        if (group > 0 && ::kill(-pid_t(group), SIGTERM) == 0)
            killGroupAfterGrace(group);
        child->deleteLater();
        return;
    }
    // Its exit is no news now; QProcess reaps it when it goes.
    child->disconnect(owner);
    QObject::connect(child, &QProcess::finished, child, &QObject::deleteLater);
    signalGroup(child->processId(), SIGTERM);
    QTimer::singleShot(graceMs, child, [child] {
        if (child->state() != QProcess::NotRunning)
            signalGroup(child->processId(), SIGKILL);
    });
    killGroupAfterGrace(groupOf(child));
}

void endNow(QProcess* child, QObject* owner) {
    if (child == nullptr)
        return;
    child->disconnect(owner);
    // Also when the leader has gone: a grandchild may still hold the group.
    if (groupOf(child) > 0)
        ::kill(-pid_t(groupOf(child)), SIGKILL);
    if (child->state() == QProcess::NotRunning)
        return;
    signalGroup(child->processId(), SIGKILL);
    // Reaps it: it is already dying, so the wait is short.
    child->waitForFinished(3000);
}

} // namespace childgroup
