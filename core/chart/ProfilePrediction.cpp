#include "ProfilePrediction.h"

#include "ChartDocument.h"
#include "ChartSession.h"
#include "KvComboColour.h"
#include "Kvlib.h"
#include "LcmsHandles.h"
#include "MeasuredSet.h"
#include "MonitorPreview.h"
#include "ProfileCheck.h"

#include <cmath>

namespace {

// A patch of the check chart: the inks as bytes (for showing), the
// prediction as its target.
CHARTPATCH* makePatch(const MeasuredPatch& m, const double* predicted, const MonitorPreview& preview) {
    auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
    if (p == nullptr)
        return nullptr;
    p->kind = CHARTPATCH_KIND;
    setChartPatchPercent(*p, m.cmyk);
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

Status ProfilePrediction::retarget(const ChartDocument& measured, const std::string& profile,
                                   ChartDocument& into) {
    const ChartSession& from = measured.session();
    // Inks and names alone, so the profile gives every target.
    KVCOMBOCOLOUR_CC records;
    for (std::size_t i = 0; i < from.size(); ++i) {
        auto* r = static_cast<KVCOMBOCOLOUR*>(Kv_calloc(1, sizeof(KVCOMBOCOLOUR)));
        if (r == nullptr)
            return Status::failed(profile, "out of memory");
        r->name = AllocateAndCopyString(from.name(i).c_str());
        r->cmyk = chartPatchCMYK(from.patch(i));
        r->flags = KVCOMBO_CMYK_VALID | (from.patch(i).exact ? KVCOMBO_CMYK_EXACT : 0u);
        for (int k = 0; k < 4; ++k)
            r->percent[k] = chartPatchInk(from.patch(i), k);
        if (!records.insertCombo(r))
            KvPacketFreeItem(r, KV_PACKET_COMBOCOLOUR);
    }
    if (Status built = into.buildFromSwatches(records.list, profile, measured.origin().preview, false);
        !built)
        return built;
    if (into.session().size() != from.size())
        return Status::failed(profile, "the chart could not be made again in full");
    for (std::size_t i = 0; i < from.size(); ++i)
        if (from.measured(i)) {
            const double* lab = from.reading(i).lab;
            into.session().recordAt(i, lab[0], lab[1], lab[2]);
        }
    return {};
}
