// The measured colours to show beside a gamut: the readings of a chart saved
// by the chart window (a measured chart file, its measured patches only) or
// of any measurement file (CGATS, ArgyllCMS .ti3) with Lab or XYZ columns.
// A file damaged part way is refused rather than shown in part.
#pragma once

#include "KvGamutTypes.h"
#include "Outcome.h"

#include <string>
#include <vector>

class KvGamutReadings {
public:
    static Result<std::vector<KvLabPoint>> read(const std::string& path);
};
