#include "ChartGeneration.h"

#include "ChartControls.h"
#include "ChartShuffle.h"
#include "CoverageFit.h"
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
    std::vector<CoverageFit::Candidate> candidates;
    if (options.controls)
        candidates = CoverageFit::candidatesOf(*patches, static_cast<unsigned long>(controls));
    RoughCull::cullToCount(patches, count, out, static_cast<unsigned long>(controls));
    if (options.controls)
        CoverageFit::fit(patches, candidates, static_cast<unsigned long>(controls), out);
    PatchGrid::complete(*patches, profile, preview);
    if (options.shuffle)
        ChartShuffle::apply(patches, options.seed);
    return 0;
}

namespace {

void unpackInks(std::uint32_t packed, unsigned char* cmyk) {
    cmyk[INK_C] = static_cast<unsigned char>(packed >> 24);
    cmyk[INK_M] = static_cast<unsigned char>(packed >> 16);
    cmyk[INK_Y] = static_cast<unsigned char>(packed >> 8);
    cmyk[INK_K] = static_cast<unsigned char>(packed);
}

// One patch from one record; true when it prints the record's own inks.
bool fillFromRecord(CHARTPATCH& p, const KVCOMBOCOLOUR& r, const ChartHandles& handles, bool separate) {
    const bool hasLab = r.flags & KVCOMBO_LAB_VALID;
    const bool hasInks = (r.flags & KVCOMBO_CMYK_VALID) || !hasLab;
    const bool ownInks = hasInks && !(separate && hasLab);
    p.kind = CHARTPATCH_KIND;
    setChartPatchName(p, r.name);
    if (ownInks && (r.flags & KVCOMBO_CMYK_EXACT)) {
        setChartPatchPercent(p, r.percent);
        KvCMSCMYKToLab(handles.profile, p.cmyk, &p.labD50[0], &p.labD50[1], &p.labD50[2]);
    } else if (ownInks) {
        unpackInks(r.cmyk, p.cmyk);
        KvCMSCMYKToLab(handles.profile, p.cmyk, &p.labD50[0], &p.labD50[1], &p.labD50[2]);
    } else {
        KvCMSLabD50ToCMYK(handles.profile, r.L, r.a, r.b, p.cmyk);
    }
    // A measured or aimed-at Lab from the file is the target, whatever the
    // profile would predict.
    if (hasLab) {
        p.labD50[0] = r.L;
        p.labD50[1] = r.a;
        p.labD50[2] = r.b;
    }
    KvCMSCMYKToLabRelative(handles.profile, p.cmyk, &p.labRelative[0], &p.labRelative[1], &p.labRelative[2]);
    KvCMSLabToRGB(handles.preview, p.labRelative[0], p.labRelative[1], p.labRelative[2], p.rgb);
    return ownInks;
}

} // namespace

Status ChartGeneration::patchesFromSwatches(CHARTPATCH** patches, const KVCOMBOCOLOUR* records,
                                            const ChartHandles& handles, bool separate, SwatchInks* inks) {
    SwatchInks counted;
    if (inks)
        *inks = counted;
    unsigned long n = 0;
    for (const KVCOMBOCOLOUR* r = records; r != nullptr && n <= maximumSwatchPatches; r = KvNext(r))
        ++n;
    if (n > maximumSwatchPatches)
        return Status::failed("", "more than " + std::to_string(maximumSwatchPatches) +
                                      " swatches, too many for one chart");
    CHARTPATCH* made = nullptr;
    for (const KVCOMBOCOLOUR* r = records; r != nullptr; r = KvNext(r)) {
        auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        if (p == nullptr) {
            // Half a chart would be measured as the whole one.
            FreeList(&made);
            return Status::failed("", "out of memory");
        }
        if (fillFromRecord(*p, *r, handles, separate))
            ++counted.fromFile;
        else
            ++counted.separated;
        AddList(&made, p);
    }
    while (made != nullptr) {
        CHARTPATCH* p = made;
        RemoveList(&made, p);
        AddList(patches, p);
    }
    if (inks)
        *inks = counted;
    return {};
}

void ChartGeneration::patchesFromSwatches(CHARTPATCH** patches, const KVCOMBOCOLOUR* records,
                                          const ChartHandles& handles) {
    (void)patchesFromSwatches(patches, records, handles, false, nullptr);
}

const char* ChartGeneration::inkNote(const SwatchInks& inks) {
    if (inks.separated == 0)
        return "inks from the file";
    if (inks.fromFile == 0)
        return "inks separated from the file's Lab through the profile";
    return "inks from the file where it has them, else separated through the profile";
}
