// How well a chart covers the printer's gamut, and how fast it is built.
// Coverage: for a dense random CMYK sample under a 300 % ink limit, the CIE94
// distance of each sample to its nearest patch (max, mean, 95th percentile);
// spread: the least distance between two patches. Our chart without options,
// with a 13-level grid and the controls (with and without the ink limit), and
// ArgyllCMS targen's chart when targen is installed, at 64 and 512 patches, on
// default_cmyk.icc or the CMYK profile given. Then the time to build 512
// patches on the 13-level grid.
// Run by hand: build/bench/bench_chart_quality [--time] [PROFILE.icc]
#include "ChartGeneration.h"
#include "ChartHandles.h"

#include <lcms2.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* kProfile = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
constexpr int kSampleInkLimit = 300;
constexpr int kSamples = 20000;

struct Lab {
    double v[3];
};

std::FILE* devNull() {
    static std::FILE* f = std::fopen("/dev/null", "w");
    return f;
}

Lab labOf(KvCMSHandle profile, const unsigned char* kcmy) {
    Lab l{};
    KvCMSCMYKToLab(profile, kcmy, &l.v[0], &l.v[1], &l.v[2]);
    return l;
}

// Uniform random inks under the sample's ink limit, from a fixed seed.
std::vector<Lab> sample(KvCMSHandle profile) {
    std::vector<Lab> s;
    unsigned long long state = 12345;
    auto next = [&] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<unsigned char>(state >> 56);
    };
    while (s.size() < kSamples) {
        unsigned char kcmy[4] = {next(), next(), next(), next()};
        if ((0u + kcmy[0] + kcmy[1] + kcmy[2] + kcmy[3]) * 100u <= kSampleInkLimit * 255u)
            s.push_back(labOf(profile, kcmy));
    }
    return s;
}

std::vector<Lab> ours(KvCMSHandle profile, unsigned long count, const ChartOptions& options) {
    CHARTPATCH* head = nullptr;
    ChartGeneration::generatePatches(&head, profile, nullptr, count, devNull(), options);
    std::vector<Lab> labs;
    for (const CHARTPATCH* p = head; p; p = KvNext(p))
        labs.push_back({{p->labD50[0], p->labD50[1], p->labD50[2]}});
    FreeList(&head);
    return labs;
}

// targen's chart for the same profile and ink limit, read with LittleCMS's
// IT8 reader and converted through our engine; empty without targen.
std::vector<Lab> targen(KvCMSHandle profile, unsigned long count) {
    const std::string base = "/tmp/bench_chart_quality_" + std::to_string(count);
    const std::string command = "targen -v0 -d4 -f" + std::to_string(count) + " -c " + kProfile + " -l" +
                                std::to_string(kSampleInkLimit) + " " + base + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return {};
    std::vector<Lab> labs;
    cmsHANDLE it8 = cmsIT8LoadFromFile(nullptr, (base + ".ti1").c_str());
    if (it8 == nullptr)
        return {};
    const char* fields[4] = {"CMYK_K", "CMYK_C", "CMYK_M", "CMYK_Y"};
    for (int row = 0; row < cmsIT8GetPropertyDbl(it8, "NUMBER_OF_SETS"); ++row) {
        unsigned char kcmy[4];
        for (int i = 0; i < 4; ++i)
            kcmy[i] = static_cast<unsigned char>(
                cmsIT8GetDataRowColDbl(it8, row, cmsIT8FindDataFormat(it8, fields[i])) * 2.55 + 0.5);
        labs.push_back(labOf(profile, kcmy));
    }
    cmsIT8Free(it8);
    return labs;
}

void report(const char* name, const std::vector<Lab>& chart, const std::vector<Lab>& samples) {
    if (chart.empty()) {
        std::printf("%-28s (not available)\n", name);
        return;
    }
    std::vector<double> nearest;
    for (const Lab& s : samples) {
        double best = HUGE_VAL;
        for (const Lab& p : chart)
            best = std::min(best, KvCMS_ColourDiff_CIE94(s.v, p.v));
        nearest.push_back(best);
    }
    std::sort(nearest.begin(), nearest.end());
    double sum = 0;
    for (double d : nearest)
        sum += d;
    double spread = HUGE_VAL;
    for (std::size_t i = 0; i < chart.size(); ++i)
        for (std::size_t j = i + 1; j < chart.size(); ++j)
            spread = std::min(spread, KvCMS_ColourDiff_CIE94(chart[j].v, chart[i].v));
    std::printf("%-28s %5zu %8.2f %8.2f %8.2f %8.2f\n", name, chart.size(), nearest.back(),
                sum / nearest.size(), nearest[nearest.size() * 95 / 100], spread);
}

double millisToBuild(KvCMSHandle profile, KvCMSHandle preview, const ChartOptions& options) {
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        CHARTPATCH* head = nullptr;
        const auto t0 = std::chrono::steady_clock::now();
        ChartGeneration::generatePatches(&head, profile, preview, 512, devNull(), options);
        const auto t1 = std::chrono::steady_clock::now();
        FreeList(&head);
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    bool timeOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--time")
            timeOnly = true;
        else
            kProfile = argv[i];
    }
    ChartHandles h;
    if (!h.openForGrid(kProfile, "/usr/share/color/icc/ghostscript/srgb.icc")) {
        std::fprintf(stderr, "bench_chart_quality: cannot open %s\n", kProfile);
        return 1;
    }
    const std::vector<Lab> samples = sample(h.profile);
    ChartOptions fine;
    fine.levels = 13;
    fine.controls = true;
    ChartOptions limited = fine;
    limited.inkLimit = kSampleInkLimit;
    std::printf("%s\nCIE94 from %d random CMYK samples under %d %% ink to the nearest patch\n", kProfile,
                kSamples, kSampleInkLimit);
    std::printf("%-28s %5s %8s %8s %8s %8s\n", "chart", "count", "max", "mean", "p95", "spread");
    for (unsigned long count : {64ul, 512ul}) {
        if (timeOnly)
            break;
        report(("plain " + std::to_string(count)).c_str(), ours(h.profile, count, {}), samples);
        report(("levels 13 controls " + std::to_string(count)).c_str(), ours(h.profile, count, fine),
               samples);
        report(("... ink limit 300 " + std::to_string(count)).c_str(), ours(h.profile, count, limited),
               samples);
        report(("targen " + std::to_string(count)).c_str(), targen(h.profile, count), samples);
    }
    ChartOptions grid13;
    grid13.levels = 13;
    std::printf(
        "\nbuild of 512 patches, best of 5 (ms): plain %.1f, levels 13 %.1f, levels 13 controls %.1f\n",
        millisToBuild(h.profile, h.preview, {}), millisToBuild(h.profile, h.preview, grid13),
        millisToBuild(h.profile, h.preview, fine));
    return 0;
}
