// The volume a device's gamut fills in Lab. The surface of the device cube
// (RGB) or hypercube (CMYK) is sampled on a coarse grid of each face; the
// grid is filled in by interpolation within each grid cell, finely enough to
// wall the gamut in, and the Lab cells inside the wall are counted.
#pragma once

#include "KvGamutModel.h"

#include <atomic>
#include <vector>

class KvGamutVolume {
public:
    // The faces of the device space's unit cube or hypercube: for each
    // channel held at 0 and at 1, a grid of `points` samples along each of
    // the other channels, the first of them varying fastest.
    struct Faces {
        int channels;
        int points;
        // Lab samples of one face.
        std::size_t perFace() const;
        // Device values, 0..1 per channel, face after face.
        std::vector<float> deviceSamples() const;
    };

    // A grid dense enough that interpolating within its cells stays within a
    // fraction of a Lab unit of the profile's own values.
    static Faces facesFor(int channels);

    // The volume in cubic Lab units enclosed by the faces whose Lab values
    // are `lab` (as laid out by deviceSamples). -1 when `cancel` is raised.
    static double measure(const Faces& faces, const std::vector<KvLabPoint>& lab,
                          const std::atomic<bool>* cancel = nullptr);
};
