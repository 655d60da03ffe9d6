#include "TintryStartup.h"

#include "CommandLine.h"
#include "KvFileInfo.h"
#include "KvMainWindow.h"
#include "Kvlib.h"
#include "LanguageStartup.h"
#include "TerminationWatcher.h"
#include "Tintry.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <utility>

namespace {

// The support library's peers talk over sockets; a peer that goes away must
// not kill the program with SIGPIPE.
int startSockets() {
    return std::signal(SIGPIPE, SIG_IGN) == SIG_ERR ? 1 : 0;
}

QApplication* createApplication(int& argc, char** argv) {
    return new QApplication(argc, argv);
}

} // namespace

std::string runningExecutablePath(const char* argv0) {
    char buffer[PATH_MAX];
    if (::realpath("/proc/self/exe", buffer))
        return buffer;
    return argv0 ? argv0 : "";
}

void changeToInstallDir(int argc, char** argv) {
    const std::string directory = KvFileInfo::dirnameFromPath(argv && argv[0] ? argv[0] : "");
    if (::chdir(directory.c_str()) != 0)
        std::fprintf(stderr, "Failed to change to installation directory %s\n", directory.c_str());
    loadStartupLanguage(argc, argv);
}

namespace {

// Help and version are answered before anything else starts, so they work
// with no display, from a script or a package build.
bool answeredEarly(int argc, char** argv, int& status) {
    switch (CommandLine::early(argc, argv)) {
    case CommandLine::Help:
        std::fputs(CommandLine::usage(), stdout);
        break;
    case CommandLine::Version:
        std::fputs(CommandLine::version().c_str(), stdout);
        break;
    default:
        return false;
    }
    status = std::fflush(stdout) == 0 ? 0 : 1;
    return true;
}

// Profiles named on the command line go through the converter's own checks;
// one it does not take is reported on standard error, and start-up goes on.
void presetProfiles(KvMainWindow& window, const CommandLine& line) {
    Tintry* converter = window.converter();
    if (!converter)
        return;
    const std::pair<Tintry::ProfileSlot, QString> roles[] = {{Tintry::InputProfile, line.input},
                                                             {Tintry::OutputProfile, line.output},
                                                             {Tintry::MonitorProfile, line.monitor}};
    for (const auto& [role, path] : roles)
        if (!path.isEmpty() && !converter->useProfile(role, path))
            std::fprintf(stderr, "tintry: %s: not taken: not a readable ICC profile of a fitting class\n",
                         QFile::encodeName(path).constData());
}

} // namespace

int tintryMain(int argc, char** argv, const StartupHooks& hooks) {
    int early = 0;
    if (answeredEarly(argc, argv, early))
        return early;
    if ((hooks.startSockets ? hooks.startSockets() : startSockets()) != 0) {
        std::fputs("Windows sockets initialisation failed\n", stdout);
        std::fflush(stdout);
        return 10;
    }
    Kv_InitSubSystems(0);
    LogErrorLogtofile(0);
    const std::uintptr_t globals = hooks.initGlobals ? hooks.initGlobals() : KvInitGlobals();
    if (globals == 0) {
        std::fputs("Could not initalise the server globals\n", stdout);
        std::fflush(stdout);
        return 11;
    }
    if ((hooks.initStorageClasses ? hooks.initStorageClasses(globals) : KvInitStorageClasses(globals)) != 0) {
        std::fputs("Could not initialise the storage classes\n", stdout);
        std::fflush(stdout);
        return 12;
    }
    QApplication* app =
        hooks.createApplication ? hooks.createApplication(argc, argv) : createApplication(argc, argv);
    if (!app) {
        std::fputs("Panic:: Could not create main qApp\n", stderr);
        return 10;
    }
    CommandLine line = CommandLine::parse(argc, argv);
    if (line.action == CommandLine::UsageError) {
        std::fprintf(stderr, "tintry: %s\n", line.problem.c_str());
        delete app;
        return 2;
    }
    // Profiles are named relative to where the user is, not where the program lives.
    for (QString* path : {&line.input, &line.output, &line.monitor})
        if (!path->isEmpty())
            *path = QFileInfo(*path).absoluteFilePath();
    QGuiApplication::setWindowIcon(QIcon(":/tintry/tintry.svg"));
    QGuiApplication::setDesktopFileName("com.quillon.Tintry");
    TerminationWatcher::installHandlers();
    changeToInstallDir(argc, argv);
    QObject::connect(app, &QGuiApplication::lastWindowClosed, app, &QCoreApplication::quit);
    // A polite request to stop (logout, kill) closes the windows as Quit does,
    // so every window saves its settings on the way out.
    TerminationWatcher watcher;
    KvMainWindow* window = new KvMainWindow(argc, argv, nullptr, nullptr, {});
    presetProfiles(*window, line);
    window->show();
    if (hooks.beforeExec)
        hooks.beforeExec(*app);
    app->exec();
    delete app;
    return 0;
}
