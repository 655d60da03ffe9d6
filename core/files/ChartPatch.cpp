#include "ChartPatch.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

std::string chartPatchName(const CHARTPATCH& p, unsigned long index) {
    const std::size_t length = strnlen(p.name, sizeof p.name);
    if (length > 0)
        return std::string(p.name, length);
    // A shuffled patch keeps the name of its place before the shuffle, so
    // readings taken by name still land on the right colour.
    char text[32];
    std::snprintf(text, sizeof text, "Patch %04lu",
                  p.number != 0 ? static_cast<unsigned long>(p.number) : index + 1);
    return text;
}

void setChartPatchName(CHARTPATCH& p, const char* name) {
    std::memset(p.name, 0, sizeof p.name);
    if (name == nullptr)
        return;
    std::size_t length = strnlen(name, sizeof p.name - 1);
    // A UTF-8 sequence cut in half would show as a broken character; drop
    // its lead and continuation bytes instead.
    if (name[length] != '\0')
        while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
            --length;
    std::memcpy(p.name, name, length);
}

namespace {
constexpr int byteOf[4] = {INK_C, INK_M, INK_Y, INK_K};
} // namespace

double chartPatchInk(const CHARTPATCH& p, int i) {
    return p.exact ? p.percent[i] : p.cmyk[byteOf[i]] * 100.0 / 255.0;
}

double chartPatchInkFraction(const CHARTPATCH& p, int i) {
    return p.exact ? p.percent[i] / 100.0 : p.cmyk[byteOf[i]] / 255.0;
}

void setChartPatchPercent(CHARTPATCH& p, const double* cmyk) {
    // Inks that are bytes written in percent (a grid chart's export, to four
    // decimals or more) stay bytes, so such a chart comes back patch for
    // patch; anything else is kept as written, to 0.01 %.
    bool bytes = true;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        v[i] = std::clamp(std::isfinite(cmyk[i]) ? cmyk[i] : 0.0, 0.0, 100.0);
        bytes = bytes && std::fabs(v[i] * 2.55 - std::round(v[i] * 2.55)) < 1e-3;
    }
    p.exact = bytes ? 0 : 1;
    for (int i = 0; i < 4; ++i) {
        p.percent[i] = bytes ? 0.0 : std::round(v[i] * 100.0) / 100.0;
        p.cmyk[byteOf[i]] = static_cast<unsigned char>(std::lround((bytes ? v[i] : p.percent[i]) * 2.55));
    }
}

void setChartPatchBytes(CHARTPATCH& p, const unsigned char* kcmy) {
    p.exact = 0;
    for (int i = 0; i < 4; ++i) {
        p.cmyk[i] = kcmy[i];
        p.percent[i] = 0.0;
    }
}
