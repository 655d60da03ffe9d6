// Nearest-neighbour questions under the CIE94 difference for a fixed set of
// D50 Lab points. The points are indexed by L: no point further from a
// colour in L than the best found so far can be nearer, and a cheap lower
// bound of CIE94 rejects most of the rest before the engine's formula is asked.
// For the colours within a radius, a coarse grid over Lab does the same in
// all three dimensions: CIE94 divides a* and b* differences by at most
// 1 + 0.048 * sqrt(C1 * C2), which the largest chroma of a cell bounds.
// Points without a finite Lab are never an answer.
#pragma once

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

class Cie94Index {
public:
    struct Point {
        double lab[3];
        double chroma;

        static Point of(const double* lab) { return {{lab[0], lab[1], lab[2]}, std::hypot(lab[1], lab[2])}; }
    };

    // The two nearest points of a colour; index -1 and distance HUGE_VAL when there are fewer.
    struct Two {
        int first = -1;
        double firstDistance = HUGE_VAL;
        int second = -1;
        double secondDistance = HUGE_VAL;
    };

    explicit Cie94Index(const std::vector<Point>& points);

    // `hint` (or -1) is a guess at the nearest, which only makes it faster.
    Two nearestTwo(const Point& colour, int hint = -1) const;

    // Calls visit(index, distance) for each point closer to `colour` than
    // `radius`, and closer than limit(index) where that is smaller.
    template <class Limit, class Visit>
    void within(const Point& colour, double radius, Limit&& limit, Visit&& visit) const {
        for (const auto& [first, last] : cellsNear(colour, radius))
            for (int k = first; k < last; ++k) {
                const int i = cellItems_[k];
                const double bound = std::min(radius, limit(i));
                const double dL = points_[i].lab[0] - colour.lab[0];
                if (dL * dL >= bound * bound || lowerBoundSquared(colour, points_[i]) >= bound * bound)
                    continue;
                const double d = distance(colour, points_[i]);
                if (d < bound)
                    visit(i, d);
            }
    }

    // The engine's CIE94 difference: what every answer of the index is decided by.
    static double distance(const Point& x, const Point& y);
    // A bound under the engine's value, squared, that spares the engine every
    // pair that cannot be the answer: the same formula written without hue
    // angles, taken down by far more than its rounding can differ.
    static double lowerBoundSquared(const Point& x, const Point& y) { return squared(x, y) * (1.0 - 1e-9); }
    // That formula alone, for choices that need no more than an estimate.
    static double estimate(const Point& x, const Point& y) { return std::sqrt(squared(x, y)); }

private:
    static double squared(const Point& x, const Point& y) {
        const double dL = x.lab[0] - y.lab[0];
        const double da = x.lab[1] - y.lab[1];
        const double db = x.lab[2] - y.lab[2];
        const double dC = x.chroma - y.chroma;
        const double dH2 = std::max(0.0, da * da + db * db - dC * dC);
        const double c12 = std::sqrt(x.chroma * y.chroma);
        const double sC = 1.0 + 0.048 * c12;
        const double sH = 1.0 + 0.014 * c12;
        return dL * dL + dC * dC / (sC * sC) + dH2 / (sH * sH);
    }

    std::size_t firstAtOrAbove(double L) const;
    void buildCells();
    // The stretches of cellItems_ whose cells may hold a point within `radius`.
    std::vector<std::pair<int, int>> cellsNear(const Point& colour, double radius) const;

    const std::vector<Point>& points_;
    std::vector<int> byL_;
    std::vector<double> sortedL_;

    // For within(): a coarse grid over Lab, each cell listing its points
    // (cellItems_ from cellStart_[cell] to cellStart_[cell + 1]) and knowing
    // the largest chroma among them.
    static constexpr double cellSize = 5.0;
    double origin_[3] = {0, 0, 0};
    int dims_[3] = {0, 0, 0};
    std::vector<int> cellStart_, cellItems_;
    std::vector<double> cellChroma_;
    double maxChroma_ = 0;
};
