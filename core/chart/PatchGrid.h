// The candidates of a generated chart: every CMYK combination of a number of
// evenly spaced levels per ink (nine by default, 255/8 apart), except
// unprinted paper and anything above the ink limit, converted through the
// printer profile to Lab and through the monitor profile to a preview.
#pragma once

#include "ChartOptions.h"
#include "ChartPatch.h"
#include "KvCMS.h"

#include <cstdio>
#include <functional>

class PatchGrid {
public:
    static constexpr int levels = ChartOptions::defaultLevels;
    static constexpr int candidates = levels * levels * levels * levels - 1; // 6560

    // Ink level i of `count` levels, rounded half up; for nine levels 0, 32,
    // 64, 96, 128, 159, 191, 223, 255.
    static unsigned char level(int i, int count = levels) {
        return static_cast<unsigned char>(i * (255.0 / (count - 1)) + 0.5);
    }

    // Appends the candidates to *patches in the order C, M, Y, K (K fastest)
    // and writes the summary line to `out`. Returns 0, or -1 when a record
    // cannot be allocated (the records made so far stay in the list).
    static int generate(CHARTPATCH** patches, KvCMSHandle profile, KvCMSHandle preview, std::FILE* out);
    // The same on the grid and ink limit of `options`, but with only the D50
    // Lab that the cull compares: most candidates are culled, so their
    // relative Lab and preview are made afterwards, by complete(), for the
    // survivors alone. Candidates for which `skip` (when given) is true are
    // left out and counted as skipped.
    static int generateForCull(CHARTPATCH** patches, KvCMSHandle profile, const ChartOptions& options,
                               const std::function<bool(const unsigned char*)>& skip, std::FILE* out);
    // Fills the relative Lab and the preview of every patch of the list.
    static void complete(CHARTPATCH* patches, KvCMSHandle profile, KvCMSHandle preview);

    // One patch of the given inks (K, C, M, Y), converted; null when memory
    // ran out (the message is then on standard error).
    static CHARTPATCH* makePatch(const unsigned char* kcmy, KvCMSHandle profile, KvCMSHandle preview);

private:
    static CHARTPATCH* makeCandidate(const unsigned char* kcmy, KvCMSHandle profile);
};
