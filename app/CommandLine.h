// What the program takes from its command line: --help and --version, which
// answer without a display, and profiles that preset the converter's roles.
#pragma once

#include <QString>

#include <string>

class CommandLine {
public:
    enum Action { Run, Help, Version, UsageError };

    // Only looks for --help (-h) and --version, so they can be answered
    // before anything needs a display.
    static Action early(int argc, char** argv);
    // The remaining arguments, once the toolkit has taken its own.
    static CommandLine parse(int argc, char** argv);

    static const char* usage();
    static std::string version();

    Action action = Run;
    std::string problem; // the complaint when action is UsageError
    QString input;
    QString output;
    QString monitor;
};
