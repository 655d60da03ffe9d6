// A measured chart kept as a file: CGATS in the form of an ArgyllCMS .ti3
// (CTI3, CMYK_LAB), so colverify and LittleCMS read it as they are.
//
// The first table holds the measured patches: SAMPLE_ID (the position in the
// chart, from 1), SAMPLE_NAME, CMYK_C..CMYK_K in percent, LAB_L..LAB_B as
// measured, and beside them the target (TARGET_L..TARGET_B) and its CIEDE2000
// error (DE2000). Patches without a reading follow in a second table of the
// same columns less the measured ones, so that no tool mistakes a target for
// a measurement, and the chart still comes back whole.
#pragma once

#include "Outcome.h"

#include <ctime>
#include <string>

class ChartSession;

class MeasuredChartFile {
public:
    // The file's text; empty when LittleCMS cannot make the table.
    static std::string text(const ChartSession& chart, const std::string& title, std::time_t created);
    // Writes the file whole or not at all.
    static Status save(const ChartSession& chart, const std::string& path, const std::string& title);
    // Rebuilds the chart with its readings into `chart`, previewed in sRGB;
    // a failure (naming the table and row where it can) leaves it alone.
    static Status open(const std::string& path, ChartSession& chart);
    static Status parse(const void* data, std::size_t size, ChartSession& chart);
};
