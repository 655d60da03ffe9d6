#include "SpotreadSource.h"

#include "ChildGroup.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A prompt line of spotread that wants a key press ends in a colon.
bool isPrompt(const QByteArray& text) {
    const QByteArray t = text.trimmed();
    return t.endsWith(':') && t.toLower().contains("key");
}

// Longer than any line spotread prints; a longer run without a line end is junk.
constexpr qsizetype longestLine = 4096;

} // namespace

SpotreadSource::SpotreadSource(QObject* parent) : QObject(parent) {
    watchdog = new QTimer(this);
    watchdog->setSingleShot(true);
    connect(watchdog, &QTimer::timeout, this, [this] {
        fail(tr("spotread gave no answer within %1 s: is the instrument connected and switched on?")
                 .arg(timeoutMs / 1000.0, 0, 'g', 3));
    });
}

SpotreadSource::~SpotreadSource() {
    // The current child and any still dying after an earlier end.
    for (QProcess* child : findChildren<QProcess*>())
        childgroup::endNow(child, this);
    closePty();
}

void SpotreadSource::setProgram(const QString& program) {
    programSetting = program.trimmed();
}

void SpotreadSource::setTimeout(int milliseconds) {
    timeoutMs = milliseconds > 0 ? milliseconds : defaultTimeout;
}

QString SpotreadSource::executable() const {
    return childgroup::findExecutable(programSetting);
}

bool SpotreadSource::isRunning() const {
    return process && process->state() != QProcess::NotRunning;
}

qint64 SpotreadSource::processId() const {
    return isRunning() ? process->processId() : 0;
}

void SpotreadSource::read() {
    switch (current) {
    case Idle:
    case Error:
        readWanted = true;
        start();
        break;
    case Ready:
        pressKey();
        setState(Reading, tr("Reading"));
        break;
    case WaitingForUser:
        // The person has done what spotread asked (placed the instrument on
        // its white tile, say); the key lets spotread go on. The reading
        // itself waits for the next Read: the instrument is still on the tile.
        pressKey();
        setState(WaitingForInstrument, tr("Waiting for the instrument"));
        break;
    case Starting:
    case WaitingForInstrument:
        readWanted = true;
        break;
    case Reading:
        break;
    }
}

void SpotreadSource::cancel() {
    readWanted = false;
    watchdog->stop();
    endChild();
    setState(Idle, tr("Cancelled"));
}

void SpotreadSource::start() {
    endChild();
    const QString exe = executable();
    if (exe.isEmpty()) {
        readWanted = false;
        setState(Error,
                 tr("spotread is not installed (Debian package argyll), or the program setting is wrong"));
        return;
    }
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        master = -1;
        fail(tr("No pseudo-terminal for spotread: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    // Our key presses must not come back as output, and lines end in '\n'.
    termios mode{};
    if (::tcgetattr(slave, &mode) == 0) {
        mode.c_lflag &= ~tcflag_t(ECHO | ECHOE | ECHOK | ECHONL);
        mode.c_oflag &= ~tcflag_t(ONLCR);
        ::tcsetattr(slave, TCSANOW, &mode);
    }
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);

    pending.clear();
    lastLine.clear();
    process = new QProcess(this);
    process->setProgram(exe);
    process->setArguments(args);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // '.' in the numbers we parse
    process->setProcessEnvironment(env);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process->setChildProcessModifier([slave] {
        ::setsid();
        ::ioctl(slave, TIOCSCTTY, 0);
        ::dup2(slave, STDIN_FILENO);
        ::dup2(slave, STDOUT_FILENO);
        ::dup2(slave, STDERR_FILENO);
    });
    QProcess* child = process;
    connect(child, &QProcess::started, this, [this] {
        if (current == Starting)
            setState(WaitingForInstrument, tr("Waiting for the instrument"));
    });
    connect(child, &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus status) { childFinished(code, int(status)); });
    connect(child, &QProcess::errorOccurred, this, [this, child](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart && child == process)
            fail(tr("spotread could not be started: %1").arg(child->errorString()));
    });
    notifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SpotreadSource::readPty);

    setState(Starting, tr("Starting spotread"));
    armTimeout();
    process->start();
    childgroup::rememberGroup(process);
    ::close(slave); // the child has its own copies
}

void SpotreadSource::readPty() {
    if (master < 0)
        return;
    char buffer[4096];
    for (int rounds = 0; rounds < 64; ++rounds) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n > 0) {
            takeText(QByteArray(buffer, qsizetype(n)));
            if (master < 0) // the text ended the child
                return;
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // 0 or EIO: every copy of the terminal's other side is closed.
        if (notifier)
            notifier->setEnabled(false);
        return;
    }
}

void SpotreadSource::takeText(const QByteArray& chunk) {
    pending += chunk;
    pending.replace('\r', "");
    qsizetype end;
    while (master >= 0 && (end = pending.indexOf('\n')) >= 0) {
        const QByteArray line = pending.left(end);
        pending.remove(0, end + 1);
        takeLine(line);
    }
    if (master < 0)
        return;
    if (pending.size() > longestLine)
        pending = pending.right(longestLine);
    // Output without a prompt does not extend the wait: a spotread that
    // chatters without ever answering must time out like a silent one.
    if (isPrompt(pending)) {
        const QByteArray prompt = pending;
        pending.clear();
        takePrompt(prompt);
    }
}

void SpotreadSource::takeLine(const QByteArray& line) {
    double lab[3];
    switch (parseLine(line, lab)) {
    case ResultLine:
        // One key press, one reading: a result nobody asked for (a second
        // line after one press, or one before any press) would be stored in
        // a patch that was never measured.
        if (current != Reading)
            return;
        watchdog->stop();
        setState(Ready, tr("Reading taken: L %1, a %2, b %3")
                            .arg(lab[0], 0, 'f', 2)
                            .arg(lab[1], 0, 'f', 2)
                            .arg(lab[2], 0, 'f', 2));
        emit reading(lab[0], lab[1], lab[2]);
        return;
    case GarbledResult:
        fail(tr("spotread answered with a line that is not a reading: %1")
                 .arg(QString::fromLocal8Bit(line.trimmed().left(200))));
        return;
    case NotD50Result:
        fail(tr("spotread gave Lab under another illuminant; remove its -i option: %1")
                 .arg(QString::fromLocal8Bit(line.trimmed().left(200))));
        return;
    case OtherLine:
        break;
    }
    if (!line.trimmed().isEmpty()) {
        lastLine = line.trimmed().left(300);
        if (current == Starting || current == WaitingForInstrument || current == Reading) {
            text = QString::fromLocal8Bit(lastLine);
            emit stateChanged(current, text);
        }
    }
}

void SpotreadSource::takePrompt(const QByteArray& prompt) {
    watchdog->stop(); // from here on spotread waits for the person, not the instrument
    if (prompt.contains("to take a reading")) {
        if (readWanted) {
            readWanted = false;
            pressKey();
            setState(Reading, tr("Reading"));
        } else {
            setState(Ready, tr("Place the instrument on the colour and press Read"));
        }
        return;
    }
    // Anything else (calibration, an error to retry) needs the person first.
    readWanted = false;
    QString ask = QString::fromLocal8Bit(lastLine);
    if (!ask.isEmpty())
        ask += ' ';
    ask += QString::fromLocal8Bit(prompt.trimmed().left(300));
    setState(WaitingForUser, tr("spotread asks: %1 (press Read to go on, Cancel to stop)").arg(ask));
}

void SpotreadSource::pressKey() {
    if (master < 0)
        return;
    // Any key but Esc, q and a few letters takes a reading or continues.
    const ssize_t n = ::write(master, "\n", 1);
    (void)n;
    armTimeout();
}

void SpotreadSource::armTimeout() {
    watchdog->start(timeoutMs);
}

void SpotreadSource::fail(const QString& why) {
    readWanted = false;
    watchdog->stop();
    endChild();
    setState(Error, why);
}

void SpotreadSource::setState(State s, const QString& why) {
    current = s;
    text = why;
    emit stateChanged(s, why);
}

void SpotreadSource::endChild() {
    // What the child still says is no longer wanted.
    closePty();
    QProcess* child = process;
    process = nullptr;
    childgroup::end(child, this);
}

void SpotreadSource::childFinished(int exitCode, int exitStatus) {
    readPty(); // its last words, which may explain the exit
    closePty();
    if (process) {
        process->deleteLater();
        process = nullptr;
    }
    readWanted = false;
    watchdog->stop();
    QString why = exitStatus == QProcess::CrashExit ? tr("spotread stopped unexpectedly")
                                                    : tr("spotread ended (exit code %1)").arg(exitCode);
    if (!lastLine.isEmpty())
        why += QLatin1String(": ") + QString::fromLocal8Bit(lastLine);
    setState(Error, why);
}

void SpotreadSource::closePty() {
    if (notifier) {
        // We may be inside its own signal.
        notifier->setEnabled(false);
        notifier->deleteLater();
        notifier = nullptr;
    }
    if (master >= 0)
        ::close(master);
    master = -1;
    pending.clear();
}

SpotreadSource::LineKind SpotreadSource::parseLine(const QByteArray& line, double* lab) {
    if (!line.contains("Result is"))
        return OtherLine;
    static const QRegularExpression result(
        QStringLiteral("^\\s*Result is XYZ:\\s*(\\S+)\\s+(\\S+)\\s+(\\S+),\\s*(\\S+) "
                       "Lab:\\s*(\\S+)\\s+(\\S+)\\s+(\\S+)\\s*$"));
    const QRegularExpressionMatch m = result.match(QString::fromLatin1(line));
    if (!m.hasMatch())
        return GarbledResult;
    double v[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        v[i] = m.captured(i < 3 ? i + 1 : i + 2).toDouble(&ok);
        if (!ok || !std::isfinite(v[i]))
            return GarbledResult;
    }
    if (v[3] < -1.0 || v[3] > 200.0 || std::fabs(v[4]) > 500.0 || std::fabs(v[5]) > 500.0)
        return GarbledResult;
    if (m.captured(4) != QLatin1String("D50"))
        return NotD50Result;
    lab[0] = v[3];
    lab[1] = v[4];
    lab[2] = v[5];
    return ResultLine;
}
