// The one way a chart goes to paper, shared by the chart window and the
// command line: PostScript or PDF, laid out on real paper or on the single
// page cut to the chart, written whole or not at all. A failure says why in
// words a person can act on, and leaves any old file, with its permissions,
// as it was.
#pragma once

#include "ChartHeading.h"
#include "ChartPatch.h"
#include "Outcome.h"
#include "PageLayout.h"

#include <string>

class ChartExport {
public:
    enum Format { PostScript, Pdf };

    static Status write(const CHARTPATCH* patches, const std::string& path, Format format,
                        const PageLayout& layout, const ChartHeading& heading);

    // PDF for a name ending in ".pdf", PostScript otherwise.
    static Format formatFor(const std::string& path);
};
