#include "ColprofRun.h"

#include "ChildGroup.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTimer>

#include <unistd.h>

#include <algorithm>

namespace {

// Longer than any line colprof prints.
constexpr qsizetype longestLine = 4096;

struct Stage {
    const char* start; // how colprof's line begins
    double from, to;
    int name; // index into stageNames(); -1 keeps the stage's name
};

// colprof's steps at medium quality, timed on a 1485-patch chart: fitting
// the device curves takes a third of the time, the separation (B to A)
// tables most of the rest. Longer beginnings come before shorter ones
// they start with.
constexpr Stage stages[] = {
    {"Estimating white point", 0.00, 0.01, 0},
    {"About to optimise temporary matrix", 0.01, 0.02, 0},
    {"About to optimise a common ord 0", 0.02, 0.03, 0},
    {"About to optimise a common input curve", 0.03, 0.04, 0},
    {"About to optimise input curves and matrix again", 0.06, 0.07, 0},
    {"About to optimise input curves and matrix", 0.04, 0.05, 0},
    {"About to optimise output curves and matrix", 0.05, 0.06, 0},
    {"About to optimise input, matrix and output together", 0.07, 0.33, 0},
    {"Create final clut from scattered data", 0.33, 0.38, 1},
    {"Creating B to A tables", 0.38, 0.97, 2},
    {"Creating gamut boundary table", 0.97, 1.00, 3},
};

QString stageName(int i) {
    switch (i) {
    case 0:
        return ColprofRun::tr("Fitting the profile to the patches");
    case 1:
        return ColprofRun::tr("Building the colour table");
    case 2:
        return ColprofRun::tr("Building the separation tables");
    default:
        return ColprofRun::tr("Finding the gamut boundary");
    }
}

} // namespace

ColprofRun::ColprofRun(QObject* parent) : QObject(parent) {
    watchdog = new QTimer(this);
    watchdog->setSingleShot(true);
    connect(watchdog, &QTimer::timeout, this, [this] {
        stop(tr("colprof said nothing for %1 s and was ended").arg(timeoutMs / 1000.0, 0, 'g', 4));
    });
}

ColprofRun::~ColprofRun() {
    // The current child and any still dying after an earlier end.
    for (QProcess* child : findChildren<QProcess*>())
        childgroup::endNow(child, this);
}

void ColprofRun::setTimeout(int milliseconds) {
    timeoutMs = milliseconds > 0 ? milliseconds : defaultTimeout;
}

QString ColprofRun::executable() const {
    return childgroup::findExecutable(programSetting);
}

bool ColprofRun::isRunning() const {
    return process && process->state() != QProcess::NotRunning;
}

qint64 ColprofRun::processId() const {
    return isRunning() ? process->processId() : 0;
}

bool ColprofRun::start(const QString& folder, const QString& base, const QStringList& options) {
    cancel();
    const QString exe = executable();
    if (exe.isEmpty()) {
        text = tr("colprof is not installed (Debian package argyll), or the program setting is wrong");
        return false;
    }
    output = folder + '/' + base + QLatin1String(".icc");
    pending.clear();
    lastLine.clear();
    errorLine.clear();
    stageFrom = stageTo = done = 0;
    stage = tr("Starting colprof");
    text.clear();

    process = new QProcess(this);
    process->setProgram(exe);
    process->setArguments(options + QStringList{"-O", base + QLatin1String(".icc"), base});
    process->setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    // colprof turns the measurements (absolute) into the profile's media-
    // relative tables with a Bradford adaptation by default, and notes that
    // in a private tag only ArgyllCMS reads. LittleCMS, and the ICC rule for
    // version 2 profiles, undo it by scaling XYZ by the media white, so every
    // absolute colour away from the paper came out shifted (on FOGRA29 at
    // medium quality the fit's mean grew from 0.10 to 0.17). Made with the
    // ICC's own scaling, the profile says to LittleCMS what colprof fitted.
    env.insert(QStringLiteral("ARGYLL_CREATE_WRONG_VON_KRIES_OUTPUT_CLASS_REL_WP"), QStringLiteral("1"));
    process->setProcessEnvironment(env);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::MergedChannels);
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process->setChildProcessModifier([] { ::setsid(); });
    QProcess* child = process;
    connect(child, &QProcess::readyReadStandardOutput, this, &ColprofRun::readOutput);
    connect(child, &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus status) { childFinished(code, int(status)); });
    connect(child, &QProcess::errorOccurred, this, [this, child](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart && child == process)
            stop(tr("colprof could not be started: %1").arg(child->errorString()));
    });
    watchdog->start(timeoutMs);
    starting = true;
    process->start();
    starting = false;
    if (process == nullptr) // it failed at once; stop() has said why
        return false;
    childgroup::rememberGroup(process);
    emit progress(0, stage);
    return true;
}

void ColprofRun::cancel() {
    watchdog->stop();
    QProcess* child = process;
    process = nullptr;
    if (child == nullptr)
        return;
    childgroup::end(child, this);
    text = tr("Cancelled");
}

void ColprofRun::readOutput() {
    if (process == nullptr)
        return;
    pending += process->readAll();
    watchdog->start(timeoutMs);
    qsizetype end;
    while ((end = pending.indexOf('\n')) >= 0 || (end = pending.indexOf('\r')) >= 0) {
        const qsizetype cr = pending.indexOf('\r');
        if (cr >= 0 && cr < end)
            end = cr;
        const QByteArray line = pending.left(end);
        pending.remove(0, end + 1);
        takeLine(line);
    }
    // Percentages come on an unfinished line, one by one as the work goes on.
    const qsizetype sign = pending.lastIndexOf('%');
    if (sign >= 0) {
        takeLine(pending.left(sign + 1));
        pending.remove(0, sign + 1);
    }
    if (pending.size() > longestLine)
        pending = pending.right(longestLine);
}

void ColprofRun::takeLine(const QByteArray& line) {
    static const QRegularExpression percent(QStringLiteral("\\b(\\d{1,3})%"));
    QString words = QString::fromLocal8Bit(line);
    int last = -1;
    for (auto it = percent.globalMatch(words); it.hasNext();)
        last = it.next().captured(1).toInt();
    words.remove(percent);
    words = words.trimmed();
    if (last >= 0)
        takePercent(last);
    if (words.isEmpty() || words.startsWith(QLatin1String("***")))
        return;
    lastLine = words.left(300).toLocal8Bit();
    if (words.contains(QLatin1String("Error")))
        errorLine = lastLine;
    double from = 0, to = 0;
    QString name;
    if (!stageOf(line, &from, &to, &name))
        return;
    stageFrom = from;
    stageTo = to;
    const bool renamed = name != stage;
    stage = name;
    if (from > done || renamed) {
        done = std::max(done, from);
        emit progress(done, stage);
    }
}

void ColprofRun::takePercent(int percent) {
    const double at = stageFrom + (stageTo - stageFrom) * std::min(percent, 100) / 100.0;
    // Small steps are not news; a progress bar has a few hundred pixels.
    if (at < done + 0.002)
        return;
    done = at;
    emit progress(done, stage);
}

bool ColprofRun::stageOf(const QByteArray& line, double* from, double* to, QString* name) {
    const QByteArray t = line.trimmed();
    for (const Stage& s : stages)
        if (t.startsWith(s.start)) {
            *from = s.from;
            *to = s.to;
            *name = stageName(s.name);
            return true;
        }
    return false;
}

void ColprofRun::childFinished(int exitCode, int exitStatus) {
    readOutput(); // its last words, which may explain the exit
    watchdog->stop();
    QProcess* child = process;
    process = nullptr;
    childgroup::end(child, this);
    const QByteArray said = errorLine.isEmpty() ? lastLine : errorLine;
    const QString reason = said.isEmpty() ? QString() : QLatin1String(": ") + QString::fromLocal8Bit(said);
    if (exitStatus == QProcess::CrashExit)
        text = tr("colprof stopped unexpectedly (it crashed or was killed)") + reason;
    else if (exitCode != 0)
        text = tr("colprof failed (exit code %1)").arg(exitCode) + reason;
    else if (!QFileInfo(output).isFile())
        text = tr("colprof ended without writing the profile") + reason;
    else {
        text.clear();
        done = 1;
        emit progress(done, stage);
        emit finished(true, text);
        return;
    }
    emit finished(false, text);
}

void ColprofRun::stop(const QString& why) {
    watchdog->stop();
    QProcess* child = process;
    process = nullptr;
    childgroup::end(child, this);
    text = why;
    // Inside start() the caller learns it from start()'s answer.
    if (!starting)
        emit finished(false, text);
}
