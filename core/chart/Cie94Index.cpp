#include "Cie94Index.h"

#include "KvCMS.h"

#include <algorithm>

Cie94Index::Cie94Index(const std::vector<Point>& points) : points_(points) {
    // A point without a finite Lab is near nothing, and would break the order.
    for (std::size_t i = 0; i < points.size(); ++i)
        if (std::isfinite(points[i].lab[0]) && std::isfinite(points[i].lab[1]) &&
            std::isfinite(points[i].lab[2]))
            byL_.push_back(static_cast<int>(i));
    std::stable_sort(byL_.begin(), byL_.end(),
                     [&](int x, int y) { return points_[x].lab[0] < points_[y].lab[0]; });
    sortedL_.reserve(byL_.size());
    for (int i : byL_)
        sortedL_.push_back(points_[i].lab[0]);
    buildCells();
}

void Cie94Index::buildCells() {
    if (byL_.empty())
        return;
    double hi[3];
    for (int axis = 0; axis < 3; ++axis) {
        origin_[axis] = hi[axis] = points_[byL_.front()].lab[axis];
        for (int i : byL_) {
            origin_[axis] = std::min(origin_[axis], points_[i].lab[axis]);
            hi[axis] = std::max(hi[axis], points_[i].lab[axis]);
        }
        // Lab values are bounded in practice; a wild one only makes the grid coarser.
        dims_[axis] = static_cast<int>(std::min((hi[axis] - origin_[axis]) / cellSize, 255.0)) + 1;
    }
    const auto cellOf = [&](const Point& p) {
        int c = 0;
        for (int axis = 0; axis < 3; ++axis) {
            const double x = (p.lab[axis] - origin_[axis]) / cellSize;
            c = c * dims_[axis] + std::clamp(static_cast<int>(x), 0, dims_[axis] - 1);
        }
        return c;
    };
    const std::size_t cells = std::size_t(dims_[0]) * std::size_t(dims_[1]) * std::size_t(dims_[2]);
    cellStart_.assign(cells + 1, 0);
    cellChroma_.assign(cells, 0.0);
    for (int i : byL_) {
        const int c = cellOf(points_[i]);
        ++cellStart_[c + 1];
        cellChroma_[c] = std::max(cellChroma_[c], points_[i].chroma);
        maxChroma_ = std::max(maxChroma_, points_[i].chroma);
    }
    for (std::size_t c = 0; c < cells; ++c)
        cellStart_[c + 1] += cellStart_[c];
    cellItems_.resize(byL_.size());
    std::vector<int> fill(cellStart_.begin(), cellStart_.end() - 1);
    for (int i : byL_)
        cellItems_[fill[cellOf(points_[i])]++] = i;
}

std::vector<std::pair<int, int>> Cie94Index::cellsNear(const Point& colour, double radius) const {
    std::vector<std::pair<int, int>> spans;
    if (cellItems_.empty() || !(radius > 0))
        return spans;
    // How far a point may lie along each axis and still be within the radius.
    const double widest = 1.0 + 0.048 * std::sqrt(colour.chroma * maxChroma_);
    const double reach[3] = {radius, radius * widest, radius * widest};
    int lo[3], hi[3];
    for (int axis = 0; axis < 3; ++axis) {
        const double from = (colour.lab[axis] - reach[axis] - origin_[axis]) / cellSize;
        const double to = (colour.lab[axis] + reach[axis] - origin_[axis]) / cellSize;
        lo[axis] = static_cast<int>(std::clamp(std::floor(from), 0.0, double(dims_[axis] - 1)));
        hi[axis] = static_cast<int>(std::clamp(std::floor(to), -1.0, double(dims_[axis] - 1)));
    }
    // The gap between a coordinate and cell k along an axis.
    const auto gap = [&](int axis, int k) {
        const double from = origin_[axis] + k * cellSize;
        const double x = colour.lab[axis];
        // The outermost cells reach on to whatever was clamped into them.
        const bool first = k == 0, last = k == dims_[axis] - 1;
        if (x < from && !first)
            return from - x;
        if (x > from + cellSize && !last)
            return x - from - cellSize;
        return 0.0;
    };
    for (int l = lo[0]; l <= hi[0]; ++l) {
        const double gL = gap(0, l);
        for (int a = lo[1]; a <= hi[1]; ++a) {
            const double gA = gap(1, a);
            for (int b = lo[2]; b <= hi[2]; ++b) {
                const int c = (l * dims_[1] + a) * dims_[2] + b;
                if (cellStart_[c] == cellStart_[c + 1])
                    continue;
                const double gB = gap(2, b);
                const double s = 1.0 + 0.048 * std::sqrt(colour.chroma * cellChroma_[c]);
                if ((gL * gL + (gA * gA + gB * gB) / (s * s)) * (1.0 - 1e-9) >= radius * radius)
                    continue;
                spans.push_back({cellStart_[c], cellStart_[c + 1]});
            }
        }
    }
    return spans;
}

double Cie94Index::distance(const Point& x, const Point& y) {
    return KvCMS_ColourDiff_CIE94(x.lab, y.lab);
}

std::size_t Cie94Index::firstAtOrAbove(double L) const {
    return static_cast<std::size_t>(std::lower_bound(sortedL_.begin(), sortedL_.end(), L) - sortedL_.begin());
}

Cie94Index::Two Cie94Index::nearestTwo(const Point& colour, int hint) const {
    // First the two nearest by the estimate alone, walking outwards in L from
    // the colour, always to the nearer side, until both sides are further in
    // L alone than the second.
    double first = HUGE_VAL, second = HUGE_VAL; // squared estimates
    auto offer = [&](int i) {
        const double e = squared(colour, points_[i]);
        if (e < first) {
            second = first;
            first = e;
        } else if (e < second) {
            second = e;
        }
    };
    if (hint >= 0)
        offer(hint);
    const auto n = static_cast<std::ptrdiff_t>(byL_.size());
    const auto at = static_cast<std::ptrdiff_t>(firstAtOrAbove(colour.lab[0]));
    for (std::ptrdiff_t up = at, down = at - 1; up < n || down >= 0;) {
        const double dUp = up < n ? sortedL_[up] - colour.lab[0] : HUGE_VAL;
        const double dDown = down >= 0 ? colour.lab[0] - sortedL_[down] : HUGE_VAL;
        const bool goUp = dUp <= dDown;
        const double dL = goUp ? dUp : dDown;
        if (dL * dL >= second)
            break;
        const int i = byL_[goUp ? up++ : down--];
        if (i != hint)
            offer(i);
    }
    // Then the engine decides among every point the estimate cannot tell
    // from the second, so rounding never picks the answer.
    Two t;
    if (!std::isfinite(second) && !std::isfinite(first))
        return t;
    const double reach = std::isfinite(second) ? second / (1.0 - 1e-9) : HUGE_VAL;
    const std::size_t last =
        std::isfinite(reach) ? firstAtOrAbove(colour.lab[0] + std::sqrt(reach)) : byL_.size();
    for (std::size_t k = std::isfinite(reach) ? firstAtOrAbove(colour.lab[0] - std::sqrt(reach)) : 0;
         k < std::min(last + 1, byL_.size()); ++k) {
        const int i = byL_[k];
        if (lowerBoundSquared(colour, points_[i]) > second)
            continue;
        const double d = distance(colour, points_[i]);
        if (d < t.firstDistance || (d == t.firstDistance && i < t.first)) {
            t.second = t.first;
            t.secondDistance = t.firstDistance;
            t.first = i;
            t.firstDistance = d;
        } else if (d < t.secondDistance || (d == t.secondDistance && i < t.second)) {
            t.second = i;
            t.secondDistance = d;
        }
    }
    return t;
}
