// The candidates of a generated chart: every CMYK combination of nine levels
// per ink (255/8 apart), except unprinted paper, converted through the
// printer profile to Lab and through the monitor profile to a preview.
#pragma once

#include "ChartPatch.h"
#include "KvCMS.h"

#include <cstdio>

class PatchGrid {
public:
    static constexpr int levels = 9;
    static constexpr int candidates = levels * levels * levels * levels - 1; // 6560

    // Ink level i (0..8): 0, 32, 64, 96, 128, 159, 191, 223, 255.
    static unsigned char level(int i) { return static_cast<unsigned char>(i * 31.875 + 0.5); }

    // Appends the candidates to *patches in the order C, M, Y, K (K fastest)
    // and writes the summary line to `out`. Returns 0, or -1 when a record
    // cannot be allocated (the records made so far stay in the list).
    static int generate(CHARTPATCH** patches, KvCMSHandle profile, KvCMSHandle preview, std::FILE* out);
};
