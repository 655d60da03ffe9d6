// The answer a measured chart is printed for: how far the print is from its
// targets, in CIEDE2000, and whether that is within the user's tolerances.
// Percentiles interpolate linearly between the sorted errors (the median of
// 1, 2, 3, 4 is 2.5), as spreadsheets and numpy do by default.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ChartSession;

struct ChartTolerances {
    // Each limit is passed by a value under it; a limit of 0 or less is not checked.
    double maximum = 3.0; // every patch under the crossing-out threshold
    double mean = 0.0;
    double p95 = 0.0;
};

struct PatchError {
    std::size_t index = 0; // position in the chart, from 0
    std::string name;
    double deltaE = 0.0;
};

struct ChartVerdict {
    std::size_t patches = 0;  // in the chart
    std::size_t measured = 0; // with a reading
    double mean = 0, median = 0, p95 = 0, maximum = 0;
    std::vector<PatchError> worst; // up to ten, largest error first
    ChartTolerances tolerances;
    bool meanPasses = true, p95Passes = true, maximumPasses = true;

    // No reading at all never passes: there is nothing to judge.
    bool passes() const { return measured > 0 && meanPasses && p95Passes && maximumPasses; }

    static ChartVerdict judge(const ChartSession& chart, const ChartTolerances& tolerances);
    // The value at fraction `q` (0..1) of the sorted `values`.
    static double percentile(std::vector<double> values, double q);
    // One line: "64 of 64 measured, mean 0.52, p95 1.80, max 4.21: FAIL".
    std::string summary() const;
};
