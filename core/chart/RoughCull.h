// Thinning a chart's candidates by CIE94 difference. A pass walks a reference
// patch through the list and removes every patch on its far side that lies
// closer to it than the tolerance; passes alternate forward and reverse with
// the tolerance rising 0.25 each time, until exactly `count` patches are left.
//
// This is the fast form used by the chart: flat arrays, an index sorted by L,
// and a cheap lower bound of CIE94 that rejects far pairs before the engine's
// formula is asked. It must remove exactly the patches, in exactly the order,
// that ReferenceCull (the plain list walk) removes.
#pragma once

#include "ChartPatch.h"

#include <cstdio>

class RoughCull {
public:
    static constexpr double startTolerance = 2.0;
    static constexpr double toleranceStep = 0.25;

    // Culls *patches down to `count` patches, writing one line per pass to
    // `out`. The first `keep` patches are never removed (they still remove
    // others), so the list never gets shorter than `keep`.
    static void cullToCount(CHARTPATCH** patches, unsigned long count, std::FILE* out,
                            unsigned long keep = 0);
    // One pass at `tolerance`, forward or (reverse) backward; inverts `reverse`
    // unless the list was empty. Removed records are released.
    static void pass(CHARTPATCH** patches, double tolerance, bool& reverse, unsigned long count,
                     std::FILE* out, unsigned long keep = 0);

    // The loop around the passes, shared with the reference so that both stop alike.
    template <class Pass> static void cullLoop(CHARTPATCH** patches, unsigned long count, Pass&& onePass) {
        // No pair of finite Lab values is further apart than the diagonal of
        // their bounding box, so a pass beyond it removes all it can; patches
        // the engine gave no finite Lab are never removed and must not keep
        // the loop going for ever.
        const double limit = labDiagonal(*patches) + 1.0;
        double tolerance = startTolerance;
        bool reverse = false;
        while (static_cast<unsigned long>(ListLength(*patches)) > count && tolerance <= limit) {
            onePass(tolerance, reverse);
            tolerance += toleranceStep;
        }
    }

    static double labDiagonal(const CHARTPATCH* patches);
    static void report(std::FILE* out, bool reverse, double tolerance, unsigned long removed, int left);
};
