// What a print shop asks of a generated chart beyond its number of patches:
// control patches up front, a total ink limit, a finer grid and a shuffled
// order. Every option is off by default, and then the chart is the plain
// nine-level grid culled as it always was, patch for patch.
#pragma once

#include <cstdint>
#include <string>

struct ChartOptions {
    static constexpr int defaultLevels = 9;
    static constexpr int minLevels = 2;
    static constexpr int maxLevels = 17;
    static constexpr int minInkLimit = 100; // percent; below one solid nothing is left to chart
    static constexpr int maxInkLimit = 400;
    static constexpr unsigned long minPatches = 8;
    static constexpr unsigned long plainMaxPatches = 512;
    static constexpr unsigned long maxPatches = 2000;

    bool controls = false;
    int inkLimit = 0; // total ink in percent; 0 for none
    int levels = defaultLevels;
    bool shuffle = false;
    std::uint32_t seed = 0;

    bool plain() const { return !controls && inkLimit == 0 && levels == defaultLevels && !shuffle; }
    // Whether a total ink of four 0..255 bytes is allowed.
    bool inkAllowed(unsigned total) const {
        return inkLimit == 0 || total * 100u <= unsigned(inkLimit) * 255u;
    }
    // Empty when the options can build a chart of `count` patches, else why not.
    std::string problem(unsigned long count) const;
};
