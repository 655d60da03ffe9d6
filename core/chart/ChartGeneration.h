// Building a chart's patch list, without any window: from a profile handle
// (the grid thinned to a number of patches) or from imported swatch records.
// The chart window and tintry-chart both build their charts here.
#pragma once

#include "ChartHandles.h"
#include "ChartOptions.h"
#include "ChartPatch.h"
#include "KvComboColour.h"

#include <cstdio>

class ChartGeneration {
public:
    // A CMYK handle: the grid culled to `count` patches (generatePatches). An
    // RGB handle: an empty chart and 0. Any other handle, or none: -1 and
    // *patches untouched.
    static int generateChart(CHARTPATCH** patches, KvCMSHandle profile, KvCMSHandle preview,
                             unsigned long count, std::FILE* out, const ChartOptions& options = {});
    // Replaces *patches with the culled grid; 0, or -1 when memory ran out
    // (the chart is then left empty). With options: the controls first, the
    // grid of their levels under their ink limit, then the shuffle.
    static int generatePatches(CHARTPATCH** patches, KvCMSHandle profile, KvCMSHandle preview,
                               unsigned long count, std::FILE* out, const ChartOptions& options = {});
    // Appends one patch per record, in order: records with Lab keep it and get
    // their inks from the profile's inverse; the others keep their inks. The
    // preview shows the media-relative Lab. Stops early, with the message on
    // standard error, when memory runs out.
    static void patchesFromSwatches(CHARTPATCH** patches, const KVCOMBOCOLOUR* records,
                                    const ChartHandles& handles);
};
