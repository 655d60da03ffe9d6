// A fixed pseudo-random order for a chart, so that a press's uneven density
// across the sheet spreads over all colours instead of reading as a profile
// error in one hue. The same seed gives the same order on every machine: the
// generator and the draw are our own, not the standard library's.
#pragma once

#include "ChartPatch.h"

#include <cstdint>
#include <vector>

class ChartShuffle {
public:
    // The permutation of `n` positions for `seed`: entry i is the old
    // position (from 0) of the patch that goes to place i.
    static std::vector<std::size_t> order(std::size_t n, std::uint32_t seed);
    // Numbers every patch by its place before (from 1; names follow that
    // number) and relinks the list in the order of `seed`.
    static void apply(CHARTPATCH** patches, std::uint32_t seed);
};
