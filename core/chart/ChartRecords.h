// The chart as named colour records ("Patch 0001", ...) with the patches' D50
// Lab, as the instrument panel and the ISO 12642 exporter take it. The names
// number the patches from 1 in chart order, as on screen and on the page; a
// shuffled chart's patches keep the numbers they had before the shuffle.
#pragma once

#include "ChartPatch.h"
#include "KvComboColour.h"

class ChartRecords {
public:
    // Appends one record per patch to `colours`. False, with "Cannot allocate
    // memory" on standard error, when a record cannot be made.
    static bool fill(const CHARTPATCH* patches, KVCOMBOCOLOUR_CC& colours);
};
