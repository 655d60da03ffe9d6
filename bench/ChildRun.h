// A program run as a whole process, for the benchmarks that time ours beside
// a peer tool: its output, wall time and peak resident memory (wait4's
// ru_maxrss, libraries included).
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

struct ChildRun {
    QString out;
    double ms = 0;
    long maxRssKiB = 0;
    bool ok = false;

    // Runs args[0] (a full path) with its standard output and error on one
    // pipe, in `workDir` when given.
    static ChildRun of(const std::vector<std::string>& args, const QString& workDir = QString()) {
        ChildRun c;
        int fds[2];
        if (pipe(fds) != 0)
            return c;
        QElapsedTimer timer;
        timer.start();
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            dup2(fds[1], 2);
            close(fds[0]);
            if (!workDir.isEmpty() && chdir(QFile::encodeName(workDir).constData()) != 0)
                _exit(127);
            std::vector<char*> argv;
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[1]);
        QByteArray out;
        char buf[4096];
        for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
            out.append(buf, n);
        close(fds[0]);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        c.ms = double(timer.nsecsElapsed()) / 1e6;
        c.maxRssKiB = usage.ru_maxrss;
        c.out = QString::fromLocal8Bit(out);
        c.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        return c;
    }
};
