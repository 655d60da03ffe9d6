// What a Lab value read from a file may be, for every reader of the program
// (measurements, measured charts, swatch files): L* from 0 to 100, a* and b*
// from -200 to 200, all finite. Anything else is a damaged number or a file
// that is not on the CIELAB scale, never a colour to judge a print by.
#pragma once

#include <cmath>

struct LabRange {
    static constexpr double lowestL = 0.0, highestL = 100.0;
    static constexpr double widestAB = 200.0;

    static double lowest(int channel) { return channel == 0 ? lowestL : -widestAB; }
    static double highest(int channel) { return channel == 0 ? highestL : widestAB; }
    static bool holds(int channel, double v) {
        return std::isfinite(v) && v >= lowest(channel) && v <= highest(channel);
    }
    static bool holds(const double* lab) { return holds(0, lab[0]) && holds(1, lab[1]) && holds(2, lab[2]); }
};
