// What of a profile's device faces lies on its gamut's boundary, for drawing:
// the cells of each sheet's sample grid whose middle the boundary reaches.
// An RGB cube's faces all do; of a CMYK hypercube's 24, the ones inside the
// gamut (dark mixtures with black, say) are left out. Drawn from the
// device's own samples, the gamut keeps its edges sharp (the line from white
// to yellow, say), which the boundary's grid of directions would cut into
// steps.
#pragma once

#include "KvDeviceFaces.h"
#include "KvGamutSurface.h"

#include <array>
#include <cstdint>
#include <vector>

class KvGamutShell {
public:
    // Corners index the samples, counter-clockwise as seen from outside.
    struct Quad {
        std::array<std::uint32_t, 4> corner;
    };

    // Every cell of the grid, to paint as faces.
    std::vector<Quad> faces;
    // Cells of four by four samples, whose edges make a wireframe of lines a
    // person can tell apart.
    std::vector<Quad> wires;

    static KvGamutShell outer(const KvDeviceFaces& sheets, const std::vector<KvLabPoint>& lab,
                              const KvGamutSurface& boundary);
};
