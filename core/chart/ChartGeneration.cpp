#include "ChartGeneration.h"

#include "ChartControls.h"
#include "ChartShuffle.h"
#include "PatchGrid.h"
#include "RoughCull.h"

#include <algorithm>
#include <array>
#include <vector>

int ChartGeneration::generateChart(CHARTPATCH** patches, KvCMSHandle profile, KvCMSHandle preview,
                                   unsigned long count, std::FILE* out, const ChartOptions& options) {
    if (profile == nullptr)
        return -1;
    switch (ChartHandles::spaceOf(profile)) {
    case icSigCmykData:
        return generatePatches(patches, profile, preview, count, out, options);
    case icSigRgbData:
        // A screen or camera profile has no inks to print: the chart stays empty.
        FreeList(patches);
        return 0;
    default:
        return -1;
    }
}

int ChartGeneration::generatePatches(CHARTPATCH** patches, KvCMSHandle profile, KvCMSHandle preview,
                                     unsigned long count, std::FILE* out, const ChartOptions& options) {
    FreeList(patches);
    int controls = 0;
    std::vector<std::array<unsigned char, 4>> taken;
    if (options.controls) {
        controls = ChartControls::append(patches, profile, preview, options);
        for (const CHARTPATCH* p = *patches; p != nullptr; p = KvNext(p))
            taken.push_back({p->cmyk[0], p->cmyk[1], p->cmyk[2], p->cmyk[3]});
    }
    // A grid point equal to a control would only be culled again.
    std::function<bool(const unsigned char*)> isControl;
    if (!taken.empty())
        isControl = [&](const unsigned char* kcmy) {
            return std::find(taken.begin(), taken.end(), std::array{kcmy[0], kcmy[1], kcmy[2], kcmy[3]}) !=
                   taken.end();
        };
    if (controls < 0 || PatchGrid::generateForCull(patches, profile, options, isControl, out) != 0) {
        // An unculled grid is no chart; offer nothing for printing.
        FreeList(patches);
        return -1;
    }
    RoughCull::cullToCount(patches, count, out, static_cast<unsigned long>(controls));
    PatchGrid::complete(*patches, profile, preview);
    if (options.shuffle)
        ChartShuffle::apply(patches, options.seed);
    return 0;
}

void ChartGeneration::patchesFromSwatches(CHARTPATCH** patches, const KVCOMBOCOLOUR* records,
                                          const ChartHandles& handles) {
    for (const KVCOMBOCOLOUR* r = records; r != nullptr; r = KvNext(r)) {
        auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        if (p == nullptr) {
            std::fprintf(stderr, "Cannot allocate memory\n");
            return;
        }
        p->kind = CHARTPATCH_KIND;
        if (r->flags & KVCOMBO_LAB_VALID) {
            p->labD50[0] = r->L;
            p->labD50[1] = r->a;
            p->labD50[2] = r->b;
            KvCMSLabD50ToCMYK(handles.profile, r->L, r->a, r->b, p->cmyk);
        } else {
            p->cmyk[INK_C] = static_cast<unsigned char>(r->cmyk >> 24);
            p->cmyk[INK_M] = static_cast<unsigned char>(r->cmyk >> 16);
            p->cmyk[INK_Y] = static_cast<unsigned char>(r->cmyk >> 8);
            p->cmyk[INK_K] = static_cast<unsigned char>(r->cmyk);
            KvCMSCMYKToLab(handles.profile, p->cmyk, &p->labD50[0], &p->labD50[1], &p->labD50[2]);
        }
        KvCMSCMYKToLabRelative(handles.profile, p->cmyk, &p->labRelative[0], &p->labRelative[1],
                               &p->labRelative[2]);
        KvCMSLabToRGB(handles.preview, p->labRelative[0], p->labRelative[1], p->labRelative[2], p->rgb);
        AddList(patches, p);
    }
}
