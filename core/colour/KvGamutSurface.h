// A gamut's boundary as seen from a point inside it, its centre: for each of
// a fixed set of directions, the distance to the farthest place where the
// profile's surface crosses that ray. The directions are the nodes of a grid
// on each face of a cube around the centre, spaced equally in angle, so
// every gamut is held on the same directions and two gamuts about the same
// centre compare node by node: the colours both hold reach, in each
// direction, as far as the nearer of the two.
//
// The nodes joined to their grid neighbours make a closed mesh; the volume
// and the inside test both use that one mesh. A gamut whose surface bends back on itself as
// seen from the centre is taken as filled out to its farthest crossing, as
// ArgyllCMS's gamut library takes it.
#pragma once

#include "KvDeviceFaces.h"
#include "KvGamutTypes.h"

#include <atomic>
#include <cstdint>
#include <vector>

class KvGamutSurface {
public:
    // Grid cells along each side of a cube face: 6 x 64 x 64 directions, a
    // little over a degree apart, enough that the mesh is within 0.3 % of
    // the volume of its own surface on every profile tried.
    static constexpr int cells = 64;

    KvGamutSurface() = default;

    // The boundary of the colours `lab`, sampled on the sheets of `faces`, as
    // seen from `centre`. Empty when `cancel` was raised, or when the centre
    // does not lie inside (some direction meets no surface at all).
    static KvGamutSurface build(const KvDeviceFaces& faces, const std::vector<KvLabPoint>& lab,
                                const KvLabPoint& centre, const std::atomic<bool>* cancel = nullptr);

    bool empty() const { return radius.empty(); }
    const KvLabPoint& centre() const { return middle; }

    // In cubic Lab units; 0 when empty.
    double volume() const;
    // Whether a colour lies inside the mesh (on it counts as inside).
    bool contains(const KvLabPoint& p) const;
    // How far the mesh reaches from the centre in the direction of `p`; 0
    // when empty or `p` is the centre.
    double reachToward(const KvLabPoint& p) const;
    // The volume both hold; -1 unless both are built about the same centre.
    static double overlap(const KvGamutSurface& a, const KvGamutSurface& b);

private:
    KvGamutSurface(const KvLabPoint& centre, std::vector<double> radius)
        : middle(centre), radius(std::move(radius)) {}

    static double volumeOf(const std::vector<double>& radius);

    KvLabPoint middle{50, 0, 0};
    std::vector<double> radius; // per node; empty when not built
};
