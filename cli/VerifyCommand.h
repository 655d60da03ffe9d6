// tintry-chart --verify: judges a measured chart against its reference.
//
//   tintry-chart --verify MEASURED --reference CHART [--report FILE.html]
//                [--cgats FILE] [--max DE] [--mean DE] [--p95 DE] [--monitor M.icc]
//
// Rows are matched by SAMPLE_NAME (SAMPLE_ID where a file has no names), else
// taken in order. One summary line goes to standard output. Exit status: 0
// when the chart passes, 3 when it fails, 1 on an error, 2 on a usage error.
#pragma once

class VerifyCommand {
public:
    static bool wanted(int argc, char** argv);
    static int run(int argc, char** argv);
};
