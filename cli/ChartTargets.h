// Where the exports of tintry-chart go. Every target is checked before any
// work, so that a mistyped folder costs no generation, and every export is
// written through one path, standard output ('-') included.
#pragma once

#include "ChartArguments.h"
#include "Outcome.h"

#include <functional>
#include <string>

class ChartTargets {
public:
    // Writes an export to a file, saying why on standard error when it cannot.
    using Writer = std::function<bool(const std::string& path)>;

    // Writing an output over one of the inputs would destroy the input, and
    // a second output over the first would lose the first: compared as files
    // (device and inode), so another spelling or a link to the file is caught
    // too. Empty when no two clash, else the complaint.
    static std::string sameFileProblem(const ChartArguments& arguments);
    // Why an export could not be written to `path`; empty when it can.
    static std::string targetProblem(const char* path);
    // "PATH: cannot write: WHY", as every refused export is said.
    static std::string cannotWrite(const Failure& failure);
    // Runs one export to its target; '-' has it written to a private file
    // first and then copied to standard output, so every exporter gets a
    // real file. 0, or the exit status after the reason went to standard error.
    static int exportTo(const char* target, const Writer& write);
};
