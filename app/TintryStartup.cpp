#include "TintryStartup.h"

#include "KvFileInfo.h"
#include "KvMainWindow.h"
#include "Kvlib.h"
#include "LanguageStartup.h"
#include "TerminationWatcher.h"

#include <QApplication>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

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

int tintryMain(int argc, char** argv, const StartupHooks& hooks) {
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
    TerminationWatcher::installHandlers();
    changeToInstallDir(argc, argv);
    QObject::connect(app, &QGuiApplication::lastWindowClosed, app, &QCoreApplication::quit);
    // A polite request to stop (logout, kill) closes the windows as Quit does,
    // so every window saves its settings on the way out.
    TerminationWatcher watcher;
    KvMainWindow* window = new KvMainWindow(argc, argv, nullptr, nullptr, {});
    window->show();
    if (hooks.beforeExec)
        hooks.beforeExec(*app);
    app->exec();
    delete app;
    return 0;
}
