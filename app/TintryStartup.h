// Process start-up: the support library, the application object, the
// installation directory, the start-up language and the first window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class QApplication;

// The steps start-up takes from outside; a test replaces some of them.
struct StartupHooks {
    std::function<int()> startSockets;                            // 0 on success
    std::function<std::uintptr_t()> initGlobals;                  // 0 on failure
    std::function<int(std::uintptr_t)> initStorageClasses;        // 0 on success
    std::function<QApplication*(int&, char**)> createApplication; // null on failure
    std::function<void(QApplication&)> beforeExec;                // runs just before the event loop
};

// The whole program; returns the process exit status.
int tintryMain(int argc, char** argv, const StartupHooks& hooks = {});

// Makes the directory of argv[0] current, then loads the start-up language.
void changeToInstallDir(int argc, char** argv);

// The absolute path of the running executable, whether it was started by a
// bare name from PATH or through a symbolic link; argv0 when it cannot be told.
std::string runningExecutablePath(const char* argv0);
