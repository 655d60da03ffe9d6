// Where in device space a gamut's boundary lies: on the two-dimensional faces
// of the device cube (RGB) or hypercube (CMYK), each pair of channels running
// over a grid while the others sit at 0 or 1. Every interior device value
// maps to the inside of the colours its faces enclose, so sampling these
// sheets finds the whole boundary, and a sheet's grid gives the triangles
// between neighbouring samples.
#pragma once

#include <cstddef>
#include <vector>

class KvDeviceFaces {
public:
    KvDeviceFaces(int channels, int points) : channels(channels), points(points) {}

    // A grid fine enough that the triangles between samples stay within a
    // fraction of a Lab unit of the profile's own surface: profiles hold their
    // tables on grids of 9 to 33 points a side.
    static KvDeviceFaces forChannels(int channels) { return {channels, 33}; }

    // 6 sheets for RGB, 24 for CMYK.
    int sheets() const;
    std::size_t perSheet() const { return std::size_t(points) * std::size_t(points); }
    std::size_t samples() const { return perSheet() * std::size_t(sheets()); }

    // Device values, 0..1 per channel, sheet after sheet, each row by row
    // with the first free channel varying fastest.
    std::vector<float> deviceSamples() const;

    // The sample at column i, row j of sheet s.
    std::size_t at(int s, int i, int j) const {
        return std::size_t(s) * perSheet() + std::size_t(j) * std::size_t(points) + std::size_t(i);
    }

    int channels;
    int points;
};
