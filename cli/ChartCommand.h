// tintry-chart: builds a chart from the command line with the chart window's
// own generation, import and export code, for scripts and batch work.
//
//   tintry-chart --profile P.icc --patches N [--controls] [--ink-limit PERCENT]
//                [--levels L] [--shuffle SEED] [--preview M.icc]
//                [--swatches FILE [--separate]] [--ps OUT.ps] [--iso12642 OUT.txt]
//                [--ti1 OUT.ti1]
//
// Options take their value as the next argument or after '=' (--patches=64).
// An export named '-' goes to standard output; the progress lines then go to
// standard error, and --quiet drops them. Exit status: 0 on success, 2 for a
// command line that cannot be run (with a hint to --help), 1 for any other
// failure, each with one line "tintry-chart: <what>: <why>" on standard error.
#pragma once

#include <string>

class ChartCommand {
public:
    static constexpr int failure = 1;
    static constexpr int usageError = 2;

    static int run(int argc, char** argv);
    static const char* usage();
    static const char* version();
    // Writes "tintry-chart: <line>" to standard error; returns `status`.
    static int complain(int status, const std::string& line);
};
