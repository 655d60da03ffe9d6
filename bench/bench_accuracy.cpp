// How far the converter's Normal accuracy is from the exact result, over
// every ordered pair of the RGB and CMYK profiles Debian ships, at all four
// intents. Each way of building a transform is compared with the exact one
// (floating-point input, no precalculation: what Best and transicc give) on a
// grid of input colours plus a fixed set of random ones; the difference is
// CIEDE2000 between the two outputs, both read back through the output
// profile. The engine's own numbers, in the whole units it shows, are held
// against the exact result rounded to whole units. Prints the worst and 95th percentile over all colours of
// all pairs, the worst pair, and what building one transform and converting one colour cost. Run by hand:
// build/bench/bench_accuracy [profile folder]
#include "KvCmsIcc.h"
#include "LcmsHandles.h"

#include <lcms2.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using lcms::ProfilePtr;
using lcms::TransformPtr;

struct Profile {
    std::string path;
    cmsUInt32Number space;
};

std::vector<Profile> deviceProfiles(const std::string& folder) {
    std::vector<Profile> out;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        const std::string path = entry.path().string();
        icProfileClassSignature cls = icSigNoClass;
        icColorSpaceSignature space = icSigNoSpace;
        if (!KvCmsIcc::getICCprofileClass(path.c_str(), &cls, &space))
            continue;
        KvCmsIcc probe;
        if (!probe.create(path.c_str(), path.c_str()))
            continue; // not a device profile the converter takes
        out.push_back({path, cmsUInt32Number(space)});
    }
    std::sort(out.begin(), out.end(), [](const Profile& a, const Profile& b) { return a.path < b.path; });
    return out;
}

int channels(cmsUInt32Number space) {
    return space == cmsSigCmykData ? 4 : 3;
}

// Inputs in lcms's floating-point units (RGB 0..1, CMYK 0..100).
std::vector<std::vector<double>> inputs(cmsUInt32Number space) {
    std::vector<std::vector<double>> out;
    const int n = channels(space);
    const double top = n == 4 ? 100.0 : 1.0;
    const int steps = n == 4 ? 7 : 13;
    std::vector<int> i(std::size_t(n), 0);
    for (;;) {
        std::vector<double> v;
        // Whole units (RGB 0..255, CMYK percent), as a user types them.
        for (int c = 0; c < n; ++c)
            v.push_back(n == 4 ? std::round(100.0 * i[std::size_t(c)] / (steps - 1))
                               : std::round(255.0 * i[std::size_t(c)] / (steps - 1)) / 255.0);
        out.push_back(v);
        int c = 0;
        while (c < n && ++i[std::size_t(c)] == steps)
            i[std::size_t(c++)] = 0;
        if (c == n)
            break;
    }
    std::mt19937 random(12);
    std::uniform_real_distribution<double> unit(0.0, top);
    for (int k = 0; k < 2000; ++k) {
        std::vector<double> v;
        for (int c = 0; c < n; ++c)
            v.push_back(std::round(unit(random) * (n == 4 ? 1.0 : 255.0)) / (n == 4 ? 1.0 : 255.0));
        out.push_back(v);
    }
    return out;
}

cmsUInt32Number fmt16(cmsUInt32Number s) {
    return s == cmsSigRgbData ? TYPE_RGB_16 : TYPE_CMYK_16;
}
cmsUInt32Number fmtDbl(cmsUInt32Number s) {
    return s == cmsSigRgbData ? TYPE_RGB_DBL : TYPE_CMYK_DBL;
}

enum Way { Default16, HighRes16, FloatIn, Engine, EngineBest, Ways };
const char* const wayNames[] = {"16-bit, default grid", "16-bit, high-resolution grid",
                                "floating-point input", "engine Normal, whole units",
                                "engine Best, whole units"};

struct Result {
    std::vector<double> errors;
    double worst = 0;
    std::string worstPair;
    double buildMs = 0;
    int builds = 0;
    double convertUs = 0;
    long converted = 0;
};

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/usr/share/color/icc";
    const std::vector<Profile> profiles = deviceProfiles(folder);
    std::printf("%zu device profiles under %s\n", profiles.size(), folder.c_str());
    cmsContext ctx = cmsCreateContext(nullptr, nullptr);
    Result results[Ways];
    const char* intentNames[] = {"perceptual", "relative", "saturation", "absolute"};
    for (const Profile& in : profiles) {
        const auto colours = inputs(in.space);
        for (const Profile& out : profiles) {
            ProfilePtr src(cmsOpenProfileFromFileTHR(ctx, in.path.c_str(), "r"));
            ProfilePtr dst(cmsOpenProfileFromFileTHR(ctx, out.path.c_str(), "r"));
            ProfilePtr lab(cmsCreateLab4ProfileTHR(ctx, nullptr));
            TransformPtr back(cmsCreateTransformTHR(ctx, dst.get(), fmtDbl(out.space), lab.get(),
                                                    TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0));
            const int nOut = channels(out.space);
            const double outTop = nOut == 4 ? 100.0 : 1.0;
            for (cmsUInt32Number intent = 0; intent < 4; ++intent) {
                TransformPtr exact(cmsCreateTransformTHR(ctx, src.get(), fmtDbl(in.space), dst.get(),
                                                         fmt16(out.space), intent, cmsFLAGS_NOCACHE));
                if (!exact || !back)
                    continue;
                for (int way = 0; way < Ways; ++way) {
                    Result& r = results[way];
                    const auto t0 = std::chrono::steady_clock::now();
                    TransformPtr xf;
                    KvCmsIcc engine;
                    if (way == Default16)
                        xf.reset(cmsCreateTransformTHR(ctx, src.get(), fmt16(in.space), dst.get(),
                                                       fmt16(out.space), intent, 0));
                    else if (way == HighRes16)
                        xf.reset(cmsCreateTransformTHR(ctx, src.get(), fmt16(in.space), dst.get(),
                                                       fmt16(out.space), intent, cmsFLAGS_HIGHRESPRECALC));
                    else if (way == FloatIn)
                        xf.reset(cmsCreateTransformTHR(ctx, src.get(), fmtDbl(in.space), dst.get(),
                                                       fmt16(out.space), intent, 0));
                    else {
                        engine.setinterpolationAccuracy(way == EngineBest ? ICC_ACCURACY_BEST
                                                                          : ICC_ACCURACY_NORMAL);
                        engine.setrenderingIntent(icRenderingIntent(intent));
                        engine.create(in.path.c_str(), out.path.c_str());
                    }
                    r.buildMs += seconds(std::chrono::steady_clock::now() - t0) * 1e3;
                    ++r.builds;
                    const bool viaEngine = way == Engine || way == EngineBest;
                    if (!viaEngine && !xf)
                        continue;
                    if (viaEngine && !engine.transform)
                        continue;
                    double pairWorst = 0;
                    for (const auto& c : colours) {
                        cmsUInt16Number a[4] = {}, b[4] = {};
                        cmsDoTransform(exact.get(), c.data(), a, 1);
                        const auto t1 = std::chrono::steady_clock::now();
                        double outB[4] = {};
                        if (way == FloatIn) {
                            cmsDoTransform(xf.get(), c.data(), b, 1);
                        } else if (viaEngine) {
                            // As displayed: whole units in and out.
                            unsigned long u[4] = {};
                            const unsigned long v[4] = {
                                (unsigned long)std::lround(c[0] * (in.space == cmsSigRgbData ? 255 : 1)),
                                (unsigned long)std::lround(c[1] * (in.space == cmsSigRgbData ? 255 : 1)),
                                (unsigned long)std::lround(c[2] * (in.space == cmsSigRgbData ? 255 : 1)),
                                c.size() > 3 ? (unsigned long)std::lround(c[3]) : 0};
                            if (in.space == cmsSigRgbData && out.space == cmsSigRgbData)
                                engine.rgb2rgb(v[0], v[1], v[2], &u[0], &u[1], &u[2]);
                            else if (in.space == cmsSigRgbData)
                                engine.rgb2cmyk(v[0], v[1], v[2], &u[0], &u[1], &u[2], &u[3]);
                            else if (out.space == cmsSigRgbData)
                                engine.cmyk2rgb(v[0], v[1], v[2], v[3], &u[0], &u[1], &u[2]);
                            else
                                engine.cmyk2cmyk(v[0], v[1], v[2], v[3], &u[0], &u[1], &u[2], &u[3]);
                            for (int k = 0; k < nOut; ++k)
                                outB[k] = double(u[k]) / (nOut == 4 ? 1.0 : 255.0);
                        } else {
                            cmsUInt16Number w[4] = {};
                            const double scale = in.space == cmsSigCmykData ? 65535.0 / 100.0 : 65535.0;
                            for (std::size_t k = 0; k < c.size(); ++k)
                                w[k] = cmsUInt16Number(std::lround(c[k] * scale));
                            cmsDoTransform(xf.get(), w, b, 1);
                        }
                        r.convertUs += seconds(std::chrono::steady_clock::now() - t1) * 1e6;
                        ++r.converted;
                        double outA[4] = {};
                        // The engine shows whole units: its numbers are held
                        // against the exact result rounded the same way.
                        const double units = nOut == 4 ? 100.0 : 255.0;
                        for (int k = 0; k < nOut; ++k) {
                            outA[k] = viaEngine ? std::round(a[k] / 65535.0 * units) / units * outTop
                                                : a[k] / 65535.0 * outTop;
                            if (!viaEngine)
                                outB[k] = b[k] / 65535.0 * outTop;
                        }
                        cmsCIELab la, lb;
                        cmsDoTransform(back.get(), outA, &la, 1);
                        cmsDoTransform(back.get(), outB, &lb, 1);
                        const double e = cmsCIE2000DeltaE(&la, &lb, 1, 1, 1);
                        r.errors.push_back(e);
                        pairWorst = std::max(pairWorst, e);
                    }
                    if (pairWorst > r.worst) {
                        r.worst = pairWorst;
                        r.worstPair = std::filesystem::path(in.path).filename().string() + " -> " +
                                      std::filesystem::path(out.path).filename().string() + ", " +
                                      intentNames[intent];
                    }
                }
            }
        }
    }
    std::printf("%-30s %8s %8s %9s %10s  %s\n", "way", "p95 dE", "worst", "build ms", "convert us",
                "worst pair");
    for (int way = 0; way < Ways; ++way) {
        Result& r = results[way];
        if (r.errors.empty())
            continue;
        std::sort(r.errors.begin(), r.errors.end());
        const double p95 = r.errors[r.errors.size() * 95 / 100];
        std::printf("%-30s %8.3f %8.3f %9.2f %10.2f  %s\n", wayNames[way], p95, r.worst, r.buildMs / r.builds,
                    r.convertUs / double(r.converted), r.worstPair.c_str());
    }
    cmsDeleteContext(ctx);
    return 0;
}
