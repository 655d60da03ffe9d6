// The chart as a PDF through libharu: the same pages as the PostScript
// document (landscape ones turned on a portrait sheet), patches filled in
// DeviceCMYK so that no colour management on the way to the printer touches
// the inks, black-only Helvetica text.
#pragma once

#include "ChartHeading.h"
#include "ChartPatch.h"
#include "PageLayout.h"

#include <string>
#include <vector>

class PdfChart {
public:
    // The document's bytes; empty with `why` set when libharu fails.
    static std::vector<unsigned char> render(const CHARTPATCH* patches, const PageLayout& layout,
                                             const ChartHeading& heading, std::string& why);
};
