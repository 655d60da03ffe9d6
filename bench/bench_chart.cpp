// Times chart generation and culling on the two Ghostscript CMYK profiles for
// 8, 64 and 512 patches: the grid (6560 engine conversions), the fast cull and
// the plain reference cull, with their ratio and the memory the build takes.
// Run by hand: build/bench/bench_chart
#include "ChartHandles.h"
#include "PatchGrid.h"
#include "ReferenceCull.h"
#include "RoughCull.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

long peakKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

std::FILE* devNull() {
    static std::FILE* f = std::fopen("/dev/null", "w");
    return f;
}

// Seconds for one grid plus one cull, fast or plain; the best of `runs`.
struct Timing {
    double grid = 1e9;
    double cull = 1e9;
};

Timing timeChart(const ChartHandles& h, unsigned long count, bool reference, int runs) {
    Timing best;
    for (int i = 0; i < runs; ++i) {
        CHARTPATCH* head = nullptr;
        const auto t0 = std::chrono::steady_clock::now();
        PatchGrid::generate(&head, h.profile, h.preview, devNull());
        const auto t1 = std::chrono::steady_clock::now();
        if (reference)
            ReferenceCull().cullToCount(&head, count, devNull());
        else
            RoughCull::cullToCount(&head, count, devNull());
        const auto t2 = std::chrono::steady_clock::now();
        FreeList(&head);
        best.grid = std::min(best.grid, seconds(t1 - t0));
        best.cull = std::min(best.cull, seconds(t2 - t1));
    }
    return best;
}

} // namespace

int main() {
    const char* profiles[] = {"/usr/share/color/icc/ghostscript/default_cmyk.icc",
                              "/usr/share/color/icc/ghostscript/ps_cmyk.icc"};
    std::printf("%-16s %5s %9s %9s %9s %11s %7s\n", "profile", "count", "grid ms", "cull ms", "total ms",
                "plain ms", "ratio");
    for (const char* profile : profiles) {
        ChartHandles h;
        if (!h.openForGrid(profile, "/usr/share/color/icc/ghostscript/srgb.icc")) {
            std::fprintf(stderr, "bench_chart: cannot open %s\n", profile);
            return 1;
        }
        const long before = peakKiB();
        timeChart(h, 8, false, 1);
        const long after = peakKiB();
        for (unsigned long count : {8ul, 64ul, 512ul}) {
            const Timing fast = timeChart(h, count, false, 7);
            const Timing plain = timeChart(h, count, true, 1);
            const double total = fast.grid + fast.cull;
            std::printf("%-16s %5lu %9.1f %9.1f %9.1f %11.1f %6.0fx\n", std::strrchr(profile, '/') + 1, count,
                        fast.grid * 1e3, fast.cull * 1e3, total * 1e3, (plain.grid + plain.cull) * 1e3,
                        (plain.grid + plain.cull) / total);
        }
        std::printf("%-16s peak memory growth of one build: %ld KiB (process peak %ld KiB)\n",
                    std::strrchr(profile, '/') + 1, after - before, after);
    }
    return 0;
}
