#include "RoughCull.h"

#include "Cie94Index.h"
#include "KvCMS.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// What one pass needs of a patch, in list order.
struct Point {
    Cie94Index::Point lab;
    bool finite;
};

// CIE94 weighs chroma and hue differences down by at most
// 1 + 0.048 * sqrt(C1 * C2) <= 1 + 0.024 * (C1 + C2): a bound of a few
// multiplications that turns most far pairs away before the index's
// closer bound, and the engine, are asked.
bool farApart(const Point& x, const Point& y, double toleranceSquared) {
    const double dL = x.lab.lab[0] - y.lab.lab[0];
    const double da = x.lab.lab[1] - y.lab.lab[1];
    const double db = x.lab.lab[2] - y.lab.lab[2];
    const double s = 1.0 + 0.024 * (x.lab.chroma + y.lab.chroma);
    return (dL * dL + (da * da + db * db) / (s * s)) * (1.0 - 1e-9) > toleranceSquared;
}

} // namespace

void RoughCull::report(std::FILE* out, bool reverse, double tolerance, unsigned long removed, int left) {
    std::fprintf(out, "%s rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n",
                 reverse ? "reverse" : "forward", tolerance, removed, left);
}

double RoughCull::labDiagonal(const CHARTPATCH* patches) {
    double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const CHARTPATCH* p = patches; p != nullptr; p = KvNext(p))
        if (std::isfinite(p->labD50[0]) && std::isfinite(p->labD50[1]) && std::isfinite(p->labD50[2]))
            for (int i = 0; i < 3; ++i) {
                lo[i] = std::min(lo[i], p->labD50[i]);
                hi[i] = std::max(hi[i], p->labD50[i]);
            }
    if (lo[0] > hi[0])
        return 0.0;
    return std::sqrt((hi[0] - lo[0]) * (hi[0] - lo[0]) + (hi[1] - lo[1]) * (hi[1] - lo[1]) +
                     (hi[2] - lo[2]) * (hi[2] - lo[2]));
}

void RoughCull::cullToCount(CHARTPATCH** patches, unsigned long count, std::FILE* out, unsigned long keep) {
    count = std::max(count, keep);
    cullLoop(patches, count,
             [&](double tolerance, bool& reverse) { pass(patches, tolerance, reverse, count, out, keep); });
}

void RoughCull::pass(CHARTPATCH** patches, double tolerance, bool& reverse, unsigned long count,
                     std::FILE* out, unsigned long keep) {
    if (*patches == nullptr)
        return;
    std::vector<CHARTPATCH*> records;
    std::vector<Point> points;
    for (CHARTPATCH* p = *patches; p != nullptr; p = KvNext(p)) {
        const double* lab = p->labD50;
        const bool finite = std::isfinite(lab[0]) && std::isfinite(lab[1]) && std::isfinite(lab[2]);
        records.push_back(p);
        points.push_back({Cie94Index::Point::of(lab), finite});
    }
    const int n = static_cast<int>(records.size());

    // Patches without a finite Lab never compare below anything: they can
    // neither be removed nor remove, and they stay out of the sorted index.
    std::vector<int> byL;
    for (int i = 0; i < n; ++i)
        if (points[i].finite)
            byL.push_back(i);
    std::sort(byL.begin(), byL.end(),
              [&](int x, int y) { return points[x].lab.lab[0] < points[y].lab.lab[0]; });
    std::vector<double> sortedL(byL.size());
    for (std::size_t k = 0; k < byL.size(); ++k)
        sortedL[k] = points[byL[k]].lab.lab[0];

    const double toleranceSquared = tolerance * tolerance;
    const double reach = tolerance * (1.0 + 1e-9);
    std::vector<char> alive(n, 1);
    std::vector<int> close;
    unsigned long left = static_cast<unsigned long>(n);
    unsigned long dropped = 0;
    for (int step = 0; step < n && left > count; ++step) {
        const int r = reverse ? n - 1 - step : step;
        if (!alive[r] || !points[r].finite)
            continue;
        const auto first = std::lower_bound(sortedL.begin(), sortedL.end(), points[r].lab.lab[0] - reach);
        const auto last = std::upper_bound(first, sortedL.end(), points[r].lab.lab[0] + reach);
        close.clear();
        for (auto k = first - sortedL.begin(); k < last - sortedL.begin(); ++k) {
            const int t = byL[k];
            if (!alive[t] || (reverse ? t >= r : t <= r) || static_cast<unsigned long>(t) < keep ||
                farApart(points[t], points[r], toleranceSquared) ||
                Cie94Index::lowerBoundSquared(points[t].lab, points[r].lab) > toleranceSquared)
                continue;
            if (KvCMS_ColourDiff_CIE94(records[t]->labD50, records[r]->labD50) < tolerance)
                close.push_back(t);
        }
        // The walk meets the close patches in list order, moving away from the reference.
        if (reverse)
            std::sort(close.begin(), close.end(), std::greater<int>());
        else
            std::sort(close.begin(), close.end());
        for (int t : close) {
            alive[t] = 0;
            ++dropped;
            if (--left <= count)
                break;
        }
    }
    for (int i = 0; i < n; ++i)
        if (!alive[i]) {
            RemoveList(patches, records[i]);
            Kv_free(records[i]);
        }
    report(out, reverse, tolerance, dropped, ListLength(*patches));
    reverse = !reverse;
}
