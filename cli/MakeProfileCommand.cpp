#include "MakeProfileCommand.h"

#include "MakeProfileArguments.h"
#include "MakeProfileJob.h"
#include "ProfileInstaller.h"
#include "WholeFile.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int statusDone = 0, statusError = 1, statusUsage = 2;
constexpr int endingSignals[] = {SIGINT, SIGTERM, SIGHUP};

int usageError(const std::string& what) {
    std::fprintf(stderr, "tintry-chart: %s\n", what.c_str());
    return statusUsage;
}

int failure(const std::string& what, const std::string& why) {
    std::fprintf(stderr, "tintry-chart: %s\n", Failure{what, why}.text().c_str());
    return statusError;
}

int failure(const Failure& f) {
    return failure(f.what, f.why);
}

// colprof leads a session of its own, so the terminal's Ctrl+C never reaches
// it: an interrupt must end it here, or it would run on with nobody waiting.
// The handler only writes a byte; the event loop does the rest.
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    const ssize_t n = ::write(signalPipe[1], &byte, 1);
    (void)n;
}

class InterruptGuard {
public:
    InterruptGuard() {
        if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(endingSignals); ++i)
            ::sigaction(endingSignals[i], &action, &saved[i]);
        notifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    }
    ~InterruptGuard() {
        notifier.reset();
        if (signalPipe[0] < 0)
            return;
        for (std::size_t i = 0; i < std::size(endingSignals); ++i)
            ::sigaction(endingSignals[i], &saved[i], nullptr);
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
    QSocketNotifier* interrupts() const { return notifier.get(); }

private:
    struct sigaction saved[std::size(endingSignals)]{};
    std::unique_ptr<QSocketNotifier> notifier;
};

// One line when the work has moved on by 5 % or into another stage.
class ProgressLines {
public:
    void show(int percent, const QString& stage) {
        if (percent < shown + 5 && stage == lastStage && percent < 100)
            return;
        if (percent == shown && stage == lastStage)
            return;
        shown = percent;
        lastStage = stage;
        std::fprintf(stderr, "%3d%%  %s\n", percent, stage.toLocal8Bit().constData());
        std::fflush(stderr);
    }

private:
    int shown = -5;
    QString lastStage;
};

// Makes the profile; empty when it was made, else why not.
QString makeProfile(MakeProfileJob& job) {
    bool ok = false;
    QString why;
    QEventLoop loop;
    ProgressLines lines;
    InterruptGuard guard;
    QObject::connect(&job, &MakeProfileJob::progress, &loop,
                     [&lines](int percent, const QString& stage) { lines.show(percent, stage); });
    QObject::connect(&job, &MakeProfileJob::finished, &loop, [&](bool done, const QString& message) {
        ok = done;
        why = message;
        loop.quit();
    });
    if (QSocketNotifier* interrupts = guard.interrupts())
        QObject::connect(interrupts, &QSocketNotifier::activated, &loop, [&] {
            job.cancel();
            why = QStringLiteral("interrupted: colprof was ended, and nothing was written");
            loop.quit();
        });
    loop.exec();
    return ok ? QString() : why;
}

std::string installedLine(const ProfileInstaller::Installed& installed) {
    return (installed.alreadyThere ? "Already installed as " : "Installed as ") + installed.path + "\n";
}

} // namespace

bool MakeProfileCommand::wanted(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--make-profile") == 0 || std::strncmp(argv[i], "--make-profile=", 15) == 0)
            return true;
    return false;
}

const char* MakeProfileCommand::usage() {
    static const std::string text =
        "\n"
        "       tintry-chart --make-profile MEASURED.ti3 --out PRINTER.icc [--quality LEVEL]\n"
        "                    [--black LEVEL] [--ink-limit PERCENT] [--description TEXT]\n"
        "                    [--no-unseen] [--install] [--json CHECK.json]\n"
        "\n"
        "Makes a CMYK printer profile from a measured chart with ArgyllCMS colprof, then checks\n"
        "it: the fit (every patch through the profile, CIEDE2000 against its reading) and, for\n"
        "charts of 300 patches or more, the check on unseen patches, which says what to expect\n"
        "between the patches. Progress goes to standard error, the check to standard output.\n"
        "It exits with 0 when the profile is made, 2 when the command line is wrong, 1 on any\n"
        "other failure, which leaves PRINTER.icc as it was.\n"
        "\n" +
        MakeProfileArguments::help();
    return text.c_str();
}

int MakeProfileCommand::run(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage() + 1, stdout);
            return statusDone;
        }
    MakeProfileArguments arguments;
    if (const std::string problem = arguments.parse(argc, argv); !problem.empty())
        return usageError(problem);
    const std::string out = arguments.get("--out");
    const std::string json = arguments.get("--json");
    // Checked before minutes of work, not after.
    if (!json.empty())
        if (Status target = WholeFile::checkTarget(json); !target)
            return failure(target.failure());
    const Result<MeasuredSet> set = MeasuredSet::read(arguments.get("--make-profile"));
    if (!set)
        return failure(set.failure());

    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr)
        app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
    MakeProfileJob job;
    if (const Status s = job.start(*set, out, arguments.options()); !s)
        return failure(s.failure());
    if (const QString why = makeProfile(job); !why.isEmpty())
        return failure(out, why.toLocal8Bit().toStdString());

    ProfileAccuracy accuracy = job.accuracy();
    std::string installed;
    if (arguments.has("--install")) {
        const Result<ProfileInstaller::Installed> done = ProfileInstaller::install(out);
        if (!done)
            return failure(done.failure().what,
                           done.failure().why + " (the profile is at " + out + ", not installed)");
        accuracy.installed = done->path;
        installed = installedLine(*done);
    }
    if (!json.empty())
        if (Status written = WholeFile::write(json, accuracy.json()); !written)
            return failure(written.failure());
    std::printf("%s\nProfile written to %s\n%s", accuracy.report().toLocal8Bit().constData(), out.c_str(),
                installed.c_str());
    return statusDone;
}
