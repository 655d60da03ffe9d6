#include "ChartVerdict.h"

#include "ChartSession.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "CNumericLocale.h"

double ChartVerdict::percentile(std::vector<double> values, double q) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const double at = std::clamp(q, 0.0, 1.0) * double(values.size() - 1);
    const std::size_t below = std::size_t(std::floor(at));
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (at - double(below)) * (values[above] - values[below]);
}

ChartVerdict ChartVerdict::judge(const ChartSession& chart, const ChartTolerances& tolerances) {
    ChartVerdict v;
    v.tolerances = tolerances;
    v.patches = chart.size();
    std::vector<double> errors;
    std::vector<PatchError> all;
    for (std::size_t i = 0; i < chart.size(); ++i) {
        if (!chart.measured(i))
            continue;
        errors.push_back(chart.reading(i).deltaE);
        all.push_back(PatchError{i, chart.name(i), chart.reading(i).deltaE});
    }
    v.measured = errors.size();
    if (!errors.empty()) {
        v.mean = std::accumulate(errors.begin(), errors.end(), 0.0) / double(errors.size());
        v.median = percentile(errors, 0.5);
        v.p95 = percentile(errors, 0.95);
        v.maximum = *std::max_element(errors.begin(), errors.end());
    }
    // Largest first; ties keep chart order, so the list is the same every time.
    std::stable_sort(all.begin(), all.end(),
                     [](const PatchError& a, const PatchError& b) { return a.deltaE > b.deltaE; });
    all.resize(std::min<std::size_t>(all.size(), 10));
    v.worst = std::move(all);
    v.maximumPasses = !(tolerances.maximum > 0) || v.maximum < tolerances.maximum;
    v.meanPasses = !(tolerances.mean > 0) || v.mean < tolerances.mean;
    v.p95Passes = !(tolerances.p95 > 0) || v.p95 < tolerances.p95;
    return v;
}

std::string ChartVerdict::summary() const {
    CNumericLocale numbers;
    char line[160];
    std::snprintf(line, sizeof line, "%zu of %zu measured, mean %.2f, p95 %.2f, max %.2f: %s", measured,
                  patches, mean, p95, maximum, passes() ? "PASS" : "FAIL");
    return line;
}
