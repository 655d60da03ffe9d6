// Building a chart's patch list, without any window: from a profile handle
// (the grid thinned to a number of patches) or from imported swatch records.
// The chart window and tintry-chart both build their charts here.
#pragma once

#include "ChartHandles.h"
#include "ChartOptions.h"
#include "ChartPatch.h"
#include "KvComboColour.h"

#include <cstdio>
#include <string>

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
    // More swatches than this make no chart anyone could measure by hand.
    static constexpr unsigned long maximumSwatchPatches = 20000;

    // How a swatch chart got its inks: patches printing the file's own CMYK,
    // and patches whose CMYK the profile separated from the file's Lab.
    struct SwatchInks {
        unsigned long fromFile = 0;
        unsigned long separated = 0;
    };

    // Where a swatch chart's inks came from, in the words its exports use.
    static const char* inkNote(const SwatchInks& inks);

    // Appends one patch per record, in order, named as the record. A record
    // with inks of its own prints them, aiming at its Lab when it has one and
    // else at the profile's prediction; with `separate`, or without inks, a
    // record's Lab is kept and its inks are the profile's inverse of it. The
    // preview shows the media-relative Lab. A failure, with no patch added,
    // for more than maximumSwatchPatches records or when memory runs out.
    static Status patchesFromSwatches(CHARTPATCH** patches, const KVCOMBOCOLOUR* records,
                                      const ChartHandles& handles, bool separate, SwatchInks* inks);
    // The file's own inks wherever it has them.
    static void patchesFromSwatches(CHARTPATCH** patches, const KVCOMBOCOLOUR* records,
                                    const ChartHandles& handles);
};
