#include "KvGamutSurface.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Vec = std::array<double, 3>; // L*, a*, b*

Vec minus(const Vec& p, const Vec& q) {
    return {p[0] - q[0], p[1] - q[1], p[2] - q[2]};
}
Vec cross(const Vec& p, const Vec& q) {
    return {p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0]};
}
double dot(const Vec& p, const Vec& q) {
    return p[0] * q[0] + p[1] * q[1] + p[2] * q[2];
}
Vec scaled(const Vec& p, double s) {
    return {p[0] * s, p[1] * s, p[2] * s};
}
Vec from(const KvLabPoint& p, const KvLabPoint& centre) {
    return {p.L - centre.L, p.a - centre.a, p.b - centre.b};
}

constexpr int N = KvGamutSurface::cells;
constexpr int side = N + 1;

// A face of the cube of directions: the axis it faces, on which side, and
// the two axes its grid runs along.
struct CubeFace {
    int axis;
    double sign;
    int across[2];
};
CubeFace cubeFace(int f) {
    const int k = f / 2;
    return {k, f % 2 ? -1.0 : 1.0, {k == 0 ? 1 : 0, k == 2 ? 1 : 2}};
}

// The directions every surface is held on, made once. A node on an edge of
// the cube belongs to two or three faces; it is one node, so the faces meet
// without a seam.
class Directions {
public:
    static const Directions& get() {
        static const Directions directions;
        return directions;
    }

    std::uint32_t node(int f, int i, int j) const {
        return faceNode[(std::size_t(f) * side + std::size_t(j)) * side + std::size_t(i)];
    }
    const Vec& unit(std::uint32_t n) const { return units[n]; }
    std::size_t count() const { return units.size(); }

    // Where a tangent across a face falls on its grid, in cells from its edge.
    static double position(double tangent) { return (std::atan(tangent) + M_PI / 4) / (M_PI / 2) * N; }

private:
    Directions() {
        // Equal angles, and exactly symmetric about the middle of a face.
        std::vector<double> tangent(side);
        for (int i = 0; i <= N / 2; ++i) {
            tangent[std::size_t(i)] = i == 0 ? -1.0 : std::tan(-M_PI / 4 + i * (M_PI / 2) / N);
            tangent[std::size_t(N - i)] = -tangent[std::size_t(i)];
        }
        tangent[N / 2] = 0.0;
        // A node is a point of the lattice on the cube's surface, 0..N along
        // each axis; faces that share it name the same lattice point. Sorting
        // the points finds the shared ones in far less memory than a map.
        struct Slot {
            std::array<int, 3> at;
            std::uint32_t slot;
        };
        std::vector<Slot> slots;
        slots.reserve(6 * std::size_t(side) * side);
        for (int f = 0; f < 6; ++f) {
            const CubeFace face = cubeFace(f);
            for (int j = 0; j <= N; ++j)
                for (int i = 0; i <= N; ++i) {
                    Slot s{{}, std::uint32_t(slots.size())};
                    s.at[std::size_t(face.axis)] = face.sign > 0 ? N : 0;
                    s.at[std::size_t(face.across[0])] = i;
                    s.at[std::size_t(face.across[1])] = j;
                    slots.push_back(s);
                }
        }
        std::sort(slots.begin(), slots.end(), [](const Slot& x, const Slot& y) { return x.at < y.at; });
        faceNode.resize(slots.size());
        units.reserve(6 * std::size_t(N) * N + 2);
        for (std::size_t k = 0; k < slots.size(); ++k) {
            if (k == 0 || slots[k].at != slots[k - 1].at) {
                const Vec d{tangent[std::size_t(slots[k].at[0])], tangent[std::size_t(slots[k].at[1])],
                            tangent[std::size_t(slots[k].at[2])]};
                units.push_back(scaled(d, 1 / std::sqrt(dot(d, d))));
            }
            faceNode[slots[k].slot] = std::uint32_t(units.size() - 1);
        }
    }

    std::vector<Vec> units;
    std::vector<std::uint32_t> faceNode;
};

// Lets every node whose ray crosses the triangle keep the farthest crossing.
// The triangle is projected onto each face of the cube from the centre (a
// projection that keeps straight lines straight), after cutting away what
// lies behind the face, and only the nodes under its projection are tried.
class Rasteriser {
public:
    explicit Rasteriser(std::vector<double>& radius) : radius(radius), dirs(Directions::get()) {}

    void triangle(const Vec& p0, const Vec& p1, const Vec& p2) {
        const Vec e1 = minus(p1, p0), e2 = minus(p2, p0);
        const Vec n = cross(e1, e2);
        if (dot(n, n) < 1e-18)
            return; // no area: a sheet folded flat here
        const Vec p[3] = {p0, p1, p2};
        for (int f = 0; f < 6; ++f)
            onFace(cubeFace(f), f, p, e1, e2);
    }

private:
    void onFace(const CubeFace& face, int f, const Vec (&p)[3], const Vec& e1, const Vec& e2) {
        constexpr double nearest = 1e-6;
        const auto depth = [&](const Vec& v) { return face.sign * v[std::size_t(face.axis)]; };
        Vec kept[4];
        int n = 0;
        for (int k = 0; k < 3; ++k) {
            const Vec& a = p[k];
            const Vec& b = p[(k + 1) % 3];
            const double da = depth(a), db = depth(b);
            if (da >= nearest)
                kept[n++] = a;
            if ((da >= nearest) != (db >= nearest))
                kept[n++] = {a[0] + (b[0] - a[0]) * (nearest - da) / (db - da),
                             a[1] + (b[1] - a[1]) * (nearest - da) / (db - da),
                             a[2] + (b[2] - a[2]) * (nearest - da) / (db - da)};
        }
        if (n < 3)
            return;
        double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
        for (int k = 0; k < n; ++k)
            for (int c = 0; c < 2; ++c) {
                const double t = kept[k][std::size_t(face.across[c])] / depth(kept[k]);
                lo[c] = std::min(lo[c], t);
                hi[c] = std::max(hi[c], t);
            }
        if (hi[0] < -1 || lo[0] > 1 || hi[1] < -1 || lo[1] > 1)
            return;
        const auto first = [](double t) { return std::max(0, int(std::floor(Directions::position(t)))); };
        const auto last = [](double t) { return std::min(N, int(std::ceil(Directions::position(t)))); };
        for (int j = first(std::max(lo[1], -1.0)); j <= last(std::min(hi[1], 1.0)); ++j)
            for (int i = first(std::max(lo[0], -1.0)); i <= last(std::min(hi[0], 1.0)); ++i)
                hit(dirs.node(f, i, j), p[0], e1, e2);
    }

    // Moller and Trumbore's ray-triangle test. The small tolerance lets a
    // ray along an edge between two triangles find one of them.
    void hit(std::uint32_t node, const Vec& p0, const Vec& e1, const Vec& e2) {
        constexpr double tolerance = 1e-7;
        const Vec& d = dirs.unit(node);
        const Vec pv = cross(d, e2);
        const double det = dot(e1, pv);
        if (std::fabs(det) < 1e-12)
            return;
        const Vec tv = scaled(p0, -1);
        const double u = dot(tv, pv) / det;
        if (u < -tolerance || u > 1 + tolerance)
            return;
        const Vec qv = cross(tv, e1);
        const double v = dot(d, qv) / det;
        if (v < -tolerance || u + v > 1 + tolerance)
            return;
        const double t = dot(e2, qv) / det;
        if (t > 0 && t > radius[node])
            radius[node] = t;
    }

    std::vector<double>& radius;
    const Directions& dirs;
};

// The tetrahedron from the centre to a triangle of the mesh.
double cone(const Vec& a, const Vec& b, const Vec& c) {
    return std::fabs(dot(a, cross(b, c))) / 6;
}

} // namespace

KvGamutSurface KvGamutSurface::build(const KvDeviceFaces& faces, const std::vector<KvLabPoint>& lab,
                                     const KvLabPoint& centre, const std::atomic<bool>* cancel) {
    if (faces.points < 2 || lab.size() != faces.samples())
        return {};
    std::vector<double> radius(Directions::get().count(), -1.0);
    Rasteriser raster(radius);
    for (int s = 0; s < faces.sheets(); ++s) {
        if (cancel && cancel->load())
            return {};
        for (int j = 0; j + 1 < faces.points; ++j)
            for (int i = 0; i + 1 < faces.points; ++i) {
                const Vec a = from(lab[faces.at(s, i, j)], centre);
                const Vec b = from(lab[faces.at(s, i + 1, j)], centre);
                const Vec c = from(lab[faces.at(s, i + 1, j + 1)], centre);
                const Vec d = from(lab[faces.at(s, i, j + 1)], centre);
                raster.triangle(a, b, c);
                raster.triangle(a, c, d);
            }
    }
    // A ray from a centre inside a closed surface always leaves through it.
    if (std::any_of(radius.begin(), radius.end(), [](double r) { return r < 0; }))
        return {};
    return {centre, std::move(radius)};
}

double KvGamutSurface::volumeOf(const std::vector<double>& radius) {
    const Directions& dirs = Directions::get();
    const auto at = [&](std::uint32_t n) { return scaled(dirs.unit(n), radius[n]); };
    double v = 0;
    for (int f = 0; f < 6; ++f)
        for (int j = 0; j < N; ++j)
            for (int i = 0; i < N; ++i) {
                const Vec a = at(dirs.node(f, i, j)), b = at(dirs.node(f, i + 1, j));
                const Vec c = at(dirs.node(f, i + 1, j + 1)), d = at(dirs.node(f, i, j + 1));
                v += cone(a, b, c) + cone(a, c, d);
            }
    return v;
}

double KvGamutSurface::volume() const {
    return empty() ? 0.0 : volumeOf(radius);
}

bool KvGamutSurface::contains(const KvLabPoint& p) const {
    if (empty())
        return false;
    const Vec d = from(p, middle);
    return std::sqrt(dot(d, d)) <= reachToward(p) || dot(d, d) < 1e-24;
}

double KvGamutSurface::reachToward(const KvLabPoint& p) const {
    const Vec d = from(p, middle);
    const double length = std::sqrt(dot(d, d));
    if (empty() || length < 1e-12)
        return 0;
    int axis = 0;
    for (int k = 1; k < 3; ++k)
        if (std::fabs(d[std::size_t(k)]) > std::fabs(d[std::size_t(axis)]))
            axis = k;
    const int f = 2 * axis + (d[std::size_t(axis)] < 0 ? 1 : 0);
    const CubeFace face = cubeFace(f);
    const double w = std::fabs(d[std::size_t(axis)]);
    const auto cell = [&](int c) {
        const double t = d[std::size_t(face.across[c])] / w;
        return std::clamp(int(std::floor(Directions::position(t))), 0, N - 1);
    };
    const int i = cell(0), j = cell(1);
    const Directions& dirs = Directions::get();
    const auto at = [&](std::uint32_t n) { return scaled(dirs.unit(n), radius[n]); };
    const Vec a = at(dirs.node(f, i, j)), b = at(dirs.node(f, i + 1, j));
    const Vec c = at(dirs.node(f, i + 1, j + 1)), e = at(dirs.node(f, i, j + 1));
    // The cell is two triangles split along a-c, as the volume counts it;
    // the plane through the centre, a and c tells which one the ray meets.
    const Vec split = cross(a, c);
    const Vec& third = (dot(split, d) >= 0) == (dot(split, b) >= 0) ? b : e;
    const Vec normal = cross(minus(c, a), minus(third, a));
    const double across = dot(normal, d);
    if (std::fabs(across) < 1e-300)
        return 0;
    return std::max(0.0, dot(normal, a) / across * length);
}

double KvGamutSurface::overlap(const KvGamutSurface& a, const KvGamutSurface& b) {
    if (a.empty() || b.empty() || a.middle.L != b.middle.L || a.middle.a != b.middle.a ||
        a.middle.b != b.middle.b)
        return -1;
    std::vector<double> both(a.radius.size());
    for (std::size_t n = 0; n < both.size(); ++n)
        both[n] = std::min(a.radius[n], b.radius[n]);
    return volumeOf(both);
}
