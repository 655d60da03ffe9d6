// Writes a chart as an ArgyllCMS target file (.ti1): the patches' inks in
// percent with their expected D50 XYZ, in chart order, so that ArgyllCMS's
// printtarg can lay the chart out for a strip-reading instrument. SAMPLE_ID
// is the position; the patch names ride along in SAMPLE_NAME.
#pragma once

#include "ChartPatch.h"
#include "Outcome.h"

#include <ctime>
#include <string>

class ExportTi1 {
public:
    static std::string text(const CHARTPATCH* patches, std::time_t created, const std::string& descriptor);
    // Written whole or not at all, any old file left as it was on failure.
    static Status write(const CHARTPATCH* patches, const std::string& path, std::time_t created,
                        const std::string& descriptor);
};
