// A gamut's boundary as seen from a point inside it, its centre: for each of
// a fixed set of directions, the distance to the farthest place where the
// profile's surface crosses that ray. The directions are the nodes of a grid
// on each face of a cube around the centre, spaced equally in angle, so
// every gamut is held on the same directions and two gamuts about the same
// centre compare node by node: the colours both hold reach, in each
// direction, as far as the nearer of the two.
//
// The nodes joined to their grid neighbours make a closed mesh; its volume,
// the inside test and the drawing all use that one mesh, so what the view
// shows is what is measured. A gamut whose surface bends back on itself as
// seen from the centre is taken as filled out to its farthest crossing, as
// ArgyllCMS's gamut library takes it.
#pragma once

#include "KvDeviceFaces.h"
#include "KvGamutTypes.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

class KvGamutSurface {
public:
    // Grid cells along each side of a cube face: 6 x 64 x 64 directions, a
    // little over a degree apart, enough that the mesh is within 0.3 % of
    // the volume of its own surface on every profile tried.
    static constexpr int cells = 64;

    // A four-sided cell of the drawing mesh, its corners counter-clockwise
    // as seen from outside.
    struct Quad {
        std::array<std::uint32_t, 4> corner;
    };

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
    // The volume both hold; -1 unless both are built about the same centre.
    static double overlap(const KvGamutSurface& a, const KvGamutSurface& b);

    // The mesh on every `step`th node of the grid (step divides `cells`).
    std::vector<Quad> quads(int step) const;
    // A node of the mesh: the boundary's colour in that direction.
    KvLabPoint point(std::uint32_t node) const;
    std::size_t nodes() const { return radius.size(); }

private:
    KvGamutSurface(const KvLabPoint& centre, std::vector<double> radius)
        : middle(centre), radius(std::move(radius)) {}

    static double volumeOf(const std::vector<double>& radius);

    KvLabPoint middle{50, 0, 0};
    std::vector<double> radius; // per node; empty when not built
};
