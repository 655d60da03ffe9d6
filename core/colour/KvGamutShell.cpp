#include "KvGamutShell.h"

#include <cmath>

namespace {

// Lab units a cell's middle may lie short of the boundary and still count
// as on it: the boundary's grid cuts the gamut's edges by about that much.
constexpr double closeEnough = 1.0;

KvLabPoint middleOf(const std::vector<KvLabPoint>& lab, const KvGamutShell::Quad& q) {
    KvLabPoint m{0, 0, 0};
    for (std::uint32_t i : q.corner) {
        m.L += lab[i].L / 4;
        m.a += lab[i].a / 4;
        m.b += lab[i].b / 4;
    }
    return m;
}

double distance(const KvLabPoint& p, const KvLabPoint& q) {
    return std::sqrt((p.L - q.L) * (p.L - q.L) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b));
}

// Turns a quad so that its corners run counter-clockwise seen from outside,
// the side away from the centre, as the boundary's own quads do.
void faceOutward(KvGamutShell::Quad& q, const std::vector<KvLabPoint>& lab, const KvLabPoint& centre) {
    const KvLabPoint &p0 = lab[q.corner[0]], &p1 = lab[q.corner[1]], &p2 = lab[q.corner[2]],
                     &p3 = lab[q.corner[3]];
    const double u[3] = {p2.L - p0.L, p2.a - p0.a, p2.b - p0.b};
    const double w[3] = {p3.L - p1.L, p3.a - p1.a, p3.b - p1.b};
    const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
    const KvLabPoint m = middleOf(lab, q);
    const double out = n[0] * (m.L - centre.L) + n[1] * (m.a - centre.a) + n[2] * (m.b - centre.b);
    if (out < 0)
        std::swap(q.corner[1], q.corner[3]);
}

std::vector<KvGamutShell::Quad> cells(const KvDeviceFaces& sheets, const std::vector<KvLabPoint>& lab,
                                      const KvGamutSurface& boundary, int step) {
    std::vector<KvGamutShell::Quad> out;
    const KvLabPoint& centre = boundary.centre();
    for (int s = 0; s < sheets.sheets(); ++s)
        for (int j = 0; j + step < sheets.points; j += step)
            for (int i = 0; i + step < sheets.points; i += step) {
                KvGamutShell::Quad q{{std::uint32_t(sheets.at(s, i, j)),
                                      std::uint32_t(sheets.at(s, i + step, j)),
                                      std::uint32_t(sheets.at(s, i + step, j + step)),
                                      std::uint32_t(sheets.at(s, i, j + step))}};
                // A larger cell's corners are not on its surface's middle
                // where that curves: its middle sample is.
                const KvLabPoint m =
                    step > 1 ? lab[sheets.at(s, i + step / 2, j + step / 2)] : middleOf(lab, q);
                if (distance(m, centre) < boundary.reachToward(m) - closeEnough)
                    continue;
                faceOutward(q, lab, centre);
                out.push_back(q);
            }
    return out;
}

} // namespace

KvGamutShell KvGamutShell::outer(const KvDeviceFaces& sheets, const std::vector<KvLabPoint>& lab,
                                 const KvGamutSurface& boundary) {
    KvGamutShell shell;
    if (boundary.empty() || lab.size() != sheets.samples())
        return shell;
    shell.faces = cells(sheets, lab, boundary, 1);
    shell.wires = cells(sheets, lab, boundary, 4);
    return shell;
}
