// tintry-chart: builds a chart from the command line with the chart window's
// own generation, import and export code, for scripts and batch work.
//
//   tintry-chart --profile P.icc --patches N [--controls] [--ink-limit PERCENT]
//                [--levels L] [--shuffle SEED] [--preview M.icc]
//                [--swatches FILE [--separate]] [--ps OUT.ps] [--iso12642 OUT.txt]
//                [--ti1 OUT.ti1]
//
// Progress lines go to standard output; any failure ends with status 1 and
// one line on standard error.
#pragma once

class ChartCommand {
public:
    static int run(int argc, char** argv);
    static const char* usage();
};
