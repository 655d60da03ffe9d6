// Shared by the instrument tests: fake spotread programs that talk as the
// real one does (its prompts, its result line), slowly, never, or wrongly,
// and a look at which processes of a session are still alive.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

namespace instrumentkit {

inline const QByteArray readingPrompt = "Hit ESC or Q to exit, any other key to take a reading: ";

// A fake spotread that answers each key press with the next of `labs`
// (after `delay` seconds), then says nothing more. `before` runs first.
inline QByteArray answering(const QStringList& labs, const QByteArray& delay = "0",
                            const QByteArray& before = QByteArray()) {
    QByteArray s = "#!/bin/sh\n" + before + "echo 'Place instrument on spot to be measured,'\nprintf '" +
                   readingPrompt + "'\n";
    for (const QString& lab : labs)
        s += "read key || exit 1\nsleep " + delay + "\necho\necho ' Result is XYZ: 18.000000 19.000000 " +
             "15.000000, D50 Lab: " + lab.toLatin1() + "'\necho\nprintf '" + readingPrompt + "'\n";
    return s + "exec sleep 1000\n";
}

// One that never says a word, as spotread does with no instrument attached;
// the sleep is a grandchild that must go too.
inline QByteArray silent() {
    return "#!/bin/sh\nsleep 1000\n";
}

// Writes an executable script into `dir` and returns its path.
inline QString writeProgram(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    f.write(text);
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// The processes (alive or zombie) whose session is `sid`.
inline QList<int> sessionMembers(qint64 sid) {
    QList<int> out;
    if (sid <= 0)
        return out;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const int pid = entry.toInt(&numeric);
        if (!numeric)
            continue;
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // "pid (comm) state ppid pgrp session ...": comm may hold anything but ')'.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 3 && fields[3].toLongLong() == sid)
            out << pid;
    }
    return out;
}

inline bool processGone(qint64 pid) {
    return pid > 0 && !QFileInfo::exists(QString("/proc/%1").arg(pid));
}

} // namespace instrumentkit
