// Ending an ArgyllCMS child and everything it started. Each child leads a
// session and process group of its own (setsid between fork and exec), so a
// signal to the group reaches its own children too. The group can outlive
// its leader when a grandchild ignores TERM, and QProcess forgets the
// leader's id once it is reaped; so the id is kept on the child object.
#pragma once

#include <QString>
#include <QtGlobal>

class QObject;
class QProcess;

namespace childgroup {

// The executable a program setting names: a name looked up on PATH, or a
// path; empty when there is none.
QString findExecutable(const QString& setting);

// How long a child asked to end politely has before it is killed.
constexpr int graceMs = 1000;

// The property of the child object that keeps its group's id.
inline const char* const groupProperty = "childGroup";

void signalGroup(qint64 pid, int sig);
qint64 groupOf(const QProcess* child);
// Call right after start(): the group's id is the leader's.
void rememberGroup(QProcess* child);
// KILL for whatever of the group is left after the grace.
void killGroupAfterGrace(qint64 group);

// TERM to the group now, KILL after the grace; the child object is deleted
// once it is reaped. What it still says no longer reaches `owner`.
void end(QProcess* child, QObject* owner);
// KILL to the group at once, and the leader reaped before this returns: for
// destructors, which cannot wait for the event loop.
void endNow(QProcess* child, QObject* owner);

} // namespace childgroup
