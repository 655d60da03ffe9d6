#include "ChartControls.h"

#include "PatchGrid.h"

#include <algorithm>
#include <cmath>

namespace {

ChartControls::Inks cmyk(int c, int m, int y, int k) {
    ChartControls::Inks i{};
    i[INK_C] = static_cast<unsigned char>(c);
    i[INK_M] = static_cast<unsigned char>(m);
    i[INK_Y] = static_cast<unsigned char>(y);
    i[INK_K] = static_cast<unsigned char>(k);
    return i;
}

unsigned total(const ChartControls::Inks& i) {
    return 0u + i[0] + i[1] + i[2] + i[3];
}

// Squared media-relative chroma: how far from neutral the inks print.
double cast(KvCMSHandle profile, const ChartControls::Inks& i) {
    double L = 0, a = 0, b = 0;
    KvCMSCMYKToLabRelative(profile, i.data(), &L, &a, &b);
    return std::isfinite(a) && std::isfinite(b) ? a * a + b * b : HUGE_VAL;
}

} // namespace

ChartControls::Inks ChartControls::greyBalance(KvCMSHandle profile, unsigned char c) {
    // A pattern search over magenta and yellow: the cast is smooth and has one
    // valley near equal inks, so halving steps from a coarse start find it in
    // a few dozen conversions.
    int m = c, y = c;
    double best = cast(profile, cmyk(c, m, y, 0));
    for (int step = 32; step >= 1;) {
        int bestM = m, bestY = y;
        for (int dm = -1; dm <= 1; ++dm)
            for (int dy = -1; dy <= 1; ++dy) {
                const int tm = std::clamp(m + dm * step, 0, 255), ty = std::clamp(y + dy * step, 0, 255);
                const double d = cast(profile, cmyk(c, tm, ty, 0));
                if (d < best) {
                    best = d;
                    bestM = tm;
                    bestY = ty;
                }
            }
        if (bestM == m && bestY == y)
            step /= 2;
        m = bestM;
        y = bestY;
    }
    return cmyk(c, m, y, 0);
}

std::vector<ChartControls::Inks> ChartControls::neutralRamp(KvCMSHandle profile,
                                                            const ChartOptions& options) {
    // The darkest step is the deepest balanced grey the ink limit allows.
    int top = 255;
    if (!options.inkAllowed(total(greyBalance(profile, 255)))) {
        int lo = 0, hi = 255;
        while (hi - lo > 1) {
            const int mid = (lo + hi) / 2;
            (options.inkAllowed(total(greyBalance(profile, static_cast<unsigned char>(mid)))) ? lo : hi) =
                mid;
        }
        top = lo;
    }
    std::vector<Inks> ramp;
    for (int i = 1; i <= rampSteps; ++i) {
        const Inks grey = greyBalance(profile, static_cast<unsigned char>(top * i / rampSteps));
        if (options.inkAllowed(total(grey)) && total(grey) > 0)
            ramp.push_back(grey);
    }
    return ramp;
}

std::vector<ChartControls::Inks> ChartControls::inks(KvCMSHandle profile, const ChartOptions& options) {
    std::vector<Inks> all = {cmyk(0, 0, 0, 0),     cmyk(255, 0, 0, 0),  cmyk(0, 255, 0, 0),
                             cmyk(0, 0, 255, 0),   cmyk(0, 0, 0, 255),  cmyk(255, 255, 0, 0),
                             cmyk(255, 0, 255, 0), cmyk(0, 255, 255, 0)};
    all.erase(
        std::remove_if(all.begin(), all.end(), [&](const Inks& i) { return !options.inkAllowed(total(i)); }),
        all.end());
    for (const Inks& grey : neutralRamp(profile, options))
        if (std::find(all.begin(), all.end(), grey) == all.end())
            all.push_back(grey);
    return all;
}

int ChartControls::append(CHARTPATCH** patches, KvCMSHandle profile, KvCMSHandle preview,
                          const ChartOptions& options) {
    const std::vector<Inks> all = inks(profile, options);
    for (const Inks& i : all) {
        CHARTPATCH* p = PatchGrid::makePatch(i.data(), profile, preview);
        if (p == nullptr)
            return -1;
        AddList(patches, p);
    }
    return static_cast<int>(all.size());
}
