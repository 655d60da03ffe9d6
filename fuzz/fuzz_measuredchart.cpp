// Measured charts as "Open measurements..." and --verify read them back: a
// file refused leaves the chart held alone, and one taken gives a chart
// whose every reading is a finite colour.
#include "ChartSession.h"
#include "MeasuredChartFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ChartSession chart;
    const Status parsed = MeasuredChartFile::parse(data, size, chart);
    if (!parsed) {
        if (parsed.failure().why.empty() || chart.size() != 0)
            std::abort();
        return 0;
    }
    if (chart.size() == 0 || chart.measuredCount() > chart.size())
        std::abort();
    std::size_t measured = 0;
    for (std::size_t i = 0; i < chart.size(); ++i) {
        if (!chart.measured(i))
            continue;
        ++measured;
        for (double v : chart.reading(i).lab)
            if (!std::isfinite(v))
                std::abort();
        if (!std::isfinite(chart.reading(i).deltaE))
            std::abort();
    }
    if (measured != chart.measuredCount())
        std::abort();
    return 0;
}
