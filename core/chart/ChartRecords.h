// The chart as named colour records with the patches' D50 Lab and inks, as
// the exporters take it, and the one way a record, or a name with a Lab,
// becomes a patch. Each record is named as
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

    // A patch named `name` aiming at `lab` (D50, which also stands in as the
    // media-relative Lab), with the inks `cmyk` (C, M, Y, K in percent) when
    // given, previewed in sRGB. Null when memory ran out.
    static CHARTPATCH* patchOf(const char* name, const double* lab, const double* cmyk);
    // The same from a record: its name, its Lab and its inks when it has them.
    static CHARTPATCH* patchOf(const KVCOMBOCOLOUR& record);
    // A copy of a whole list, each patch as it is; null when memory ran out.
    static CHARTPATCH* copy(const CHARTPATCH* patches);
};
