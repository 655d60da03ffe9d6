#include "KvGamutVolume.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Cells of 1 x 2 x 2 Lab units: L* carries most of a print gamut's shape.
constexpr double cellL = 1.0, cellAb = 2.0;
// Interpolated samples per coarse grid step: at least `leastSteps`, and more
// where the step spans more Lab (a crease of the device's response, such as
// ink clipped by a limit), until neighbours lie a spacing apart or a most
// is reached. Profiles hold their tables on grids of 9 to 33
// points a side, so a coarse step spans about one table cell and
// interpolating inside it adds no visible error.
constexpr int leastSteps = 3;
// An RGB face maps to a thin surface, which a flood through cell faces
// crosses wherever two neighbouring samples are a whole cell apart: it is
// sampled closely, which its two dimensions make cheap. A CMYK face maps to a
// solid, whose thickness closes such gaps.
struct Sampling {
    double spacing;
    int mostSteps;
};
constexpr Sampling surface = {0.5, 64}, solid = {1.0, 24};

enum : unsigned char { Empty = 0, Wall = 1, Outside = 2 };

KvLabPoint mix(const KvLabPoint& p, const KvLabPoint& q, double t) {
    return {p.L + (q.L - p.L) * t, p.a + (q.a - p.a) * t, p.b + (q.b - p.b) * t};
}

// A box of Lab cells with one empty cell of margin all round, so the outside
// is one connected region that a flood from a corner reaches.
class CellGrid {
public:
    explicit CellGrid(const std::vector<KvLabPoint>& lab) {
        double lo[3] = {1e9, 1e9, 1e9}, hi[3] = {-1e9, -1e9, -1e9};
        for (const KvLabPoint& p : lab) {
            const double v[3] = {p.L / cellL, p.a / cellAb, p.b / cellAb};
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], v[k]);
                hi[k] = std::max(hi[k], v[k]);
            }
        }
        for (int k = 0; k < 3; ++k) {
            origin[k] = std::floor(lo[k]) - 1;
            size[k] = int(std::floor(hi[k]) - origin[k]) + 2;
        }
        cells.assign(std::size_t(size[0]) * std::size_t(size[1]) * std::size_t(size[2]), Empty);
    }

    std::size_t index(int l, int a, int b) const {
        return (std::size_t(l) * std::size_t(size[1]) + std::size_t(a)) * std::size_t(size[2]) +
               std::size_t(b);
    }

    void mark(const KvLabPoint& p) {
        const int l = int(p.L / cellL - origin[0]);
        const int a = int(p.a / cellAb - origin[1]);
        const int b = int(p.b / cellAb - origin[2]);
        if (l > 0 && a > 0 && b > 0 && l < size[0] - 1 && a < size[1] - 1 && b < size[2] - 1)
            cells[index(l, a, b)] = Wall;
    }

    void floodOutside();
    double insideVolume() const;

private:
    bool touchesOutside(int l, int a, int b) const {
        return cells[index(l - 1, a, b)] == Outside || cells[index(l + 1, a, b)] == Outside ||
               cells[index(l, a - 1, b)] == Outside || cells[index(l, a + 1, b)] == Outside ||
               cells[index(l, a, b - 1)] == Outside || cells[index(l, a, b + 1)] == Outside;
    }

    double origin[3] = {};
    int size[3] = {};
    std::vector<unsigned char> cells;
};

// Through faces of cells, from a corner of the margin. Cells are marked when
// they are pushed, so each is pushed once at most.
void CellGrid::floodOutside() {
    std::vector<std::uint32_t> stack = {std::uint32_t(index(0, 0, 0))};
    cells[stack.back()] = Outside;
    const std::size_t stepB = 1, stepA = std::size_t(size[2]), stepL = std::size_t(size[1]) * stepA;
    while (!stack.empty()) {
        const std::size_t i = stack.back();
        stack.pop_back();
        const int b = int(i % stepA), a = int((i / stepA) % std::size_t(size[1])), l = int(i / stepL);
        const auto visit = [&](bool inside, std::size_t j) {
            if (inside && cells[j] == Empty) {
                cells[j] = Outside;
                stack.push_back(std::uint32_t(j));
            }
        };
        visit(l > 0, i - stepL);
        visit(l < size[0] - 1, i + stepL);
        visit(a > 0, i - stepA);
        visit(a < size[1] - 1, i + stepA);
        visit(b > 0, i - stepB);
        visit(b < size[2] - 1, i + stepB);
    }
}

// Cells the flood never reached are inside: empty ones whole, wall cells on
// the boundary by half. A CMYK surface maps to thick walls (each face of the
// hypercube is a solid), so only wall cells that touch the outside lie on
// the boundary.
double CellGrid::insideVolume() const {
    double inside = 0;
    for (int l = 1; l < size[0] - 1; ++l)
        for (int a = 1; a < size[1] - 1; ++a)
            for (int b = 1; b < size[2] - 1; ++b) {
                const unsigned char c = cells[index(l, a, b)];
                if (c == Empty)
                    inside += 1;
                else if (c == Wall)
                    inside += touchesOutside(l, a, b) ? 0.5 : 1.0;
            }
    return inside * cellL * cellAb * cellAb;
}

// One coarse grid cell of a face: its 8 corners (4 repeated on an RGB face,
// whose third axis has one point), first axis fastest.
struct Corners {
    KvLabPoint v[8];

    // Steps along device axis k (0..2): enough for the longest of the
    // cell's four edges in that direction.
    int steps(int k, const Sampling& sampling) const {
        const int bit = 1 << k;
        double longest = 0;
        for (int i = 0; i < 8; ++i)
            if (!(i & bit)) {
                const KvLabPoint& p = v[i];
                const KvLabPoint& q = v[i | bit];
                longest = std::max({longest, std::fabs(q.L - p.L) / cellL, std::fabs(q.a - p.a) / cellAb,
                                    std::fabs(q.b - p.b) / cellAb});
            }
        return std::clamp(int(std::ceil(longest / sampling.spacing)), leastSteps, sampling.mostSteps);
    }
};

// Samples 0..n-1 along an axis, and n too on the last cell of the axis, so
// neighbouring cells share no samples and the face's far edges are reached.
// An axis of one point has the one sample.
int samplesAlong(int points, int cell, int n) {
    if (points == 1)
        return 1;
    return cell == points - 2 ? n + 1 : n;
}

void markCell(CellGrid& grid, const Corners& c, const int count[3], const int n[3]) {
    for (int s2 = 0; s2 < count[2]; ++s2) {
        const double t2 = double(s2) / n[2];
        const KvLabPoint e[4] = {mix(c.v[0], c.v[4], t2), mix(c.v[1], c.v[5], t2), mix(c.v[2], c.v[6], t2),
                                 mix(c.v[3], c.v[7], t2)};
        for (int s1 = 0; s1 < count[1]; ++s1) {
            const double t1 = double(s1) / n[1];
            const KvLabPoint from = mix(e[0], e[2], t1), to = mix(e[1], e[3], t1);
            for (int s0 = 0; s0 < count[0]; ++s0)
                grid.mark(mix(from, to, double(s0) / n[0]));
        }
    }
}

// Marks one face, interpolating within each cell of its coarse grid.
void markFace(CellGrid& grid, const KvLabPoint* face, int points, int dims) {
    const int p[3] = {points, points, dims == 3 ? points : 1};
    const auto at = [&](int i0, int i1, int i2) {
        return face[(std::size_t(i2) * std::size_t(p[1]) + std::size_t(i1)) * std::size_t(p[0]) +
                    std::size_t(i0)];
    };
    const auto cellsAlong = [](int n) { return std::max(n - 1, 1); };
    const auto next = [](int n, int i) { return std::min(i + 1, n - 1); };
    for (int c2 = 0; c2 < cellsAlong(p[2]); ++c2)
        for (int c1 = 0; c1 < cellsAlong(p[1]); ++c1)
            for (int c0 = 0; c0 < cellsAlong(p[0]); ++c0) {
                Corners c;
                const int i[2][3] = {{c0, c1, c2}, {next(p[0], c0), next(p[1], c1), next(p[2], c2)}};
                for (int k = 0; k < 8; ++k)
                    c.v[k] = at(i[k & 1][0], i[(k >> 1) & 1][1], i[(k >> 2) & 1][2]);
                const Sampling& sampling = dims == 3 ? solid : surface;
                const int n[3] = {c.steps(0, sampling), c.steps(1, sampling), c.steps(2, sampling)};
                const int count[3] = {samplesAlong(p[0], c0, n[0]), samplesAlong(p[1], c1, n[1]),
                                      samplesAlong(p[2], c2, n[2])};
                markCell(grid, c, count, n);
            }
}

} // namespace

std::size_t KvGamutVolume::Faces::perFace() const {
    std::size_t n = 1;
    for (int k = 1; k < channels; ++k)
        n *= std::size_t(points);
    return n;
}

std::vector<float> KvGamutVolume::Faces::deviceSamples() const {
    std::vector<float> out;
    out.reserve(perFace() * std::size_t(2 * channels * channels));
    for (int held = 0; held < channels; ++held)
        for (float side : {0.0f, 1.0f})
            for (std::size_t i = 0; i < perFace(); ++i) {
                std::size_t rest = i;
                for (int c = 0; c < channels; ++c) {
                    if (c == held) {
                        out.push_back(side);
                        continue;
                    }
                    out.push_back(float(rest % std::size_t(points)) / float(points - 1));
                    rest /= std::size_t(points);
                }
            }
    return out;
}

KvGamutVolume::Faces KvGamutVolume::facesFor(int channels) {
    return channels == 4 ? Faces{4, 17} : Faces{channels, 33};
}

double KvGamutVolume::measure(const Faces& faces, const std::vector<KvLabPoint>& lab,
                              const std::atomic<bool>* cancel) {
    const std::size_t perFace = faces.perFace();
    if (lab.empty() || lab.size() != perFace * std::size_t(2 * faces.channels))
        return 0;
    const auto cancelled = [cancel] { return cancel && cancel->load(); };
    CellGrid grid(lab);
    for (std::size_t f = 0; f < std::size_t(2 * faces.channels); ++f) {
        if (cancelled())
            return -1;
        markFace(grid, lab.data() + f * perFace, faces.points, faces.channels - 1);
    }
    if (cancelled())
        return -1;
    grid.floodOutside();
    return grid.insideVolume();
}
