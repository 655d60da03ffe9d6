// The chart as named colour records with the patches' D50 Lab and inks, as
// the instrument panel and the exporters take it. Each record is named as
// its patch is everywhere (chartPatchName): its swatch name, else its
// position counted from 1 ("Patch 0001"); a shuffled chart's patches keep
// the numbers they had before the shuffle.
#pragma once

#include "ChartPatch.h"
#include "KvComboColour.h"

class ChartRecords {
public:
    // Appends one record per patch to `colours`. False, with "Cannot allocate
    // memory" on standard error, when a record cannot be made.
    static bool fill(const CHARTPATCH* patches, KVCOMBOCOLOUR_CC& colours);
};
