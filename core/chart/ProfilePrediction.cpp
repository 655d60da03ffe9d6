#include "ProfilePrediction.h"

#include "ChartSession.h"
#include "Kvlib.h"
#include "LcmsHandles.h"
#include "MeasuredSet.h"
#include "MonitorPreview.h"
#include "ProfileCheck.h"

#include <cmath>

namespace {

constexpr int inkOrder[4] = {INK_C, INK_M, INK_Y, INK_K};

// A patch of the check chart: the inks as bytes (for showing), the
// prediction as its target.
CHARTPATCH* makePatch(const MeasuredPatch& m, const double* predicted, const MonitorPreview& preview) {
    auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
    if (p == nullptr)
        return nullptr;
    p->kind = CHARTPATCH_KIND;
    for (int k = 0; k < 4; ++k)
        p->cmyk[inkOrder[k]] = static_cast<unsigned char>(std::lround(m.cmyk[k] * 2.55));
    for (int k = 0; k < 3; ++k)
        p->labD50[k] = p->labRelative[k] = predicted[k];
    preview.toRgb(p->labD50, p->rgb);
    setChartPatchName(*p, m.name.c_str());
    return p;
}

} // namespace

Status ProfilePrediction::check(const std::string& profilePath) {
    const ProfileCheck c = ProfileCheck::check(profilePath.c_str(), ProfileRole::SwatchProfile);
    if (!c.usable())
        return Status::failed(profilePath, c.describe());
    if (c.profileClass != icSigOutputClass || c.space != icSigCmykData)
        return Status::failed(profilePath, "not a CMYK printer (output) profile");
    return {};
}

Result<ChartVerdict> ProfilePrediction::judge(const std::string& profilePath, const MeasuredSet& set,
                                              const std::vector<std::size_t>& which, ChartSession& chart) {
    if (Status s = check(profilePath); !s)
        return s;
    lcms::ContextPtr context = lcms::quietContext();
    ProfileCheck::Problem problem = ProfileCheck::Usable;
    lcms::ProfilePtr profile(ProfileCheck::open(context.get(), profilePath.c_str(), &problem));
    lcms::ProfilePtr lab(cmsCreateLab4ProfileTHR(context.get(), cmsD50_xyY()));
    lcms::TransformPtr toLab(
        profile && lab
            ? cmsCreateTransformTHR(context.get(), profile.get(), TYPE_CMYK_DBL, lab.get(), TYPE_Lab_DBL,
                                    INTENT_ABSOLUTE_COLORIMETRIC, cmsFLAGS_NOOPTIMIZE | cmsFLAGS_NOCACHE)
            : nullptr);
    if (!toLab)
        return Failure{profilePath, "LittleCMS cannot take this profile from inks to Lab"};

    std::vector<std::size_t> all;
    if (which.empty())
        for (std::size_t i = 0; i < set.size(); ++i)
            all.push_back(i);
    const std::vector<std::size_t>& chosen = which.empty() ? all : which;
    const MonitorPreview preview = MonitorPreview::srgb();
    CHARTPATCH* list = nullptr;
    for (std::size_t i : chosen) {
        if (i >= set.size()) {
            FreeList(&list);
            return Failure{profilePath, "a patch to check is not in the measurements"};
        }
        double predicted[3];
        cmsDoTransform(toLab.get(), set.patches[i].cmyk, predicted, 1);
        CHARTPATCH* p = makePatch(set.patches[i], predicted, preview);
        if (p == nullptr) {
            FreeList(&list);
            return Failure{profilePath, "out of memory"};
        }
        AddList(&list, p);
    }
    chart.reset(list);
    for (std::size_t r = 0; r < chosen.size(); ++r) {
        const double* reading = set.patches[chosen[r]].lab;
        chart.recordAt(r, reading[0], reading[1], reading[2]);
    }
    return ChartVerdict::judge(chart, ChartTolerances{0, 0, 0});
}
