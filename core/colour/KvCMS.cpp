// The engine's C entry points, used by the colour-check chart.
//
// A handle is one of two things: the device-to-Lab view of an RGB or CMYK
// profile (used to predict what a printed patch will measure), or a Lab to
// monitor RGB transform (used to preview patches). Each handle has its own
// lcms context, so a chart build never touches lcms's global state.
//
// The trailing integers of KvCMSInit are the rendering intent of the Lab to
// monitor transform (the chart passes 1, relative colorimetric, so the
// preview maps paper white to monitor white) and two reserved values.
#include "KvCMS.h"

#include "KvCmsIcc.h"

#include "LcmsHandles.h"
#include "MonitorPreview.h"
#include "ProfileCheck.h"

#include <lcms2.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>

namespace {

using lcms::ContextPtr;
using lcms::ProfilePtr;
using lcms::TransformPtr;

void keepLcmsError(cmsContext context, cmsUInt32Number, const char* text) {
    auto* lastError = static_cast<std::string*>(cmsGetContextUserData(context));
    if (lastError != nullptr)
        *lastError = text ? text : "";
}

struct EngineState {
    std::string lastError;
    ContextPtr context{cmsCreateContext(nullptr, &lastError)};
    ProfilePtr profile;
    TransformPtr toLabAbsolute;
    TransformPtr toLabRelative;
    TransformPtr fromLabAbsolute; // built on first use: generated charts never need it
    std::unique_ptr<MonitorPreview> monitor;

    EngineState() {
        if (context)
            cmsSetLogErrorHandlerTHR(context.get(), keepLcmsError);
    }

    cmsHTRANSFORM labTransform(cmsHPROFILE from, cmsUInt32Number fromFormat, cmsHPROFILE to,
                               cmsUInt32Number toFormat, cmsUInt32Number intent) const {
        return cmsCreateTransformTHR(context.get(), from, fromFormat, to, toFormat, intent, 0);
    }
};

// The handle the callers see. Standard layout, so the source colour space is
// at offset 0 where the chart reads it.
struct KvCMSEngine {
    std::uint32_t sourceSpace;
    std::uint32_t destinationSpace;
    EngineState* state;
};
static_assert(std::is_standard_layout_v<KvCMSEngine>);
static_assert(offsetof(KvCMSEngine, sourceSpace) == 0);

KvCMSEngine* engineOf(KvCMSHandle handle) {
    return static_cast<KvCMSEngine*>(handle);
}

// Opens a profile only after the engine's own validation, which also refuses
// truncated files that lcms would otherwise open with tags missing, and a
// damaged white point that would move every absolute colour.
ProfilePtr openChecked(cmsContext context, const char* path, icColorSpaceSignature expectedSpace) {
    ProfilePtr profile(ProfileCheck::open(context, path));
    if (!profile || lcms::headerSpace(profile.get()) != expectedSpace)
        return nullptr;
    const cmsUInt32Number profileClass = lcms::headerClass(profile.get());
    if (profileClass == cmsSigLinkClass || profileClass == cmsSigAbstractClass ||
        profileClass == cmsSigNamedColorClass)
        return nullptr;
    return profile;
}

cmsUInt32Number doubleFormat(icColorSpaceSignature s) {
    return s == icSigRgbData ? TYPE_RGB_DBL : TYPE_CMYK_DBL;
}

KvCMSHandle deviceToLabHandle(icColorSpaceSignature space, const char* path) {
    auto state = std::make_unique<EngineState>();
    if (!state->context)
        return nullptr;
    state->profile = openChecked(state->context.get(), path, space);
    if (!state->profile)
        return nullptr;
    ProfilePtr lab(cmsCreateLab4ProfileTHR(state->context.get(), nullptr));
    if (!lab)
        return nullptr;
    state->toLabAbsolute.reset(state->labTransform(state->profile.get(), doubleFormat(space), lab.get(),
                                                   TYPE_Lab_DBL, INTENT_ABSOLUTE_COLORIMETRIC));
    state->toLabRelative.reset(state->labTransform(state->profile.get(), doubleFormat(space), lab.get(),
                                                   TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC));
    if (!state->toLabAbsolute || !state->toLabRelative)
        return nullptr;
    return new KvCMSEngine{space, space, state.release()};
}

KvCMSHandle labToMonitorHandle(const char* monitorPath, int intent) {
    auto state = std::make_unique<EngineState>();
    Result<MonitorPreview> preview = MonitorPreview::open(monitorPath ? monitorPath : "", intent);
    if (!state->context || !monitorPath || !*monitorPath || !preview)
        return nullptr;
    state->monitor = std::make_unique<MonitorPreview>(std::move(*preview));
    return new KvCMSEngine{icSigLabData, icSigRgbData, state.release()};
}

// Without a monitor profile the preview still needs a colour: the built-in
// sRGB stands in for the monitor, made once and kept for the program's life.
const MonitorPreview& builtInSrgb() {
    static const MonitorPreview srgb = MonitorPreview::srgb();
    return srgb;
}

unsigned char byteFromUnit(double v, double scale) {
    const double x = v * scale;
    if (!(x > 0)) // also catches NaN
        return 0;
    if (x >= 255.0)
        return 255;
    return static_cast<unsigned char>(std::lround(x));
}

bool cmykToLab(KvCMSHandle handle, const unsigned char* kcmy, double* L, double* a, double* b,
               bool relative) {
    const KvCMSEngine* engine = engineOf(handle);
    if (engine == nullptr || engine->sourceSpace != icSigCmykData || !kcmy || !L || !a || !b)
        return false;
    cmsHTRANSFORM xform = relative ? engine->state->toLabRelative.get() : engine->state->toLabAbsolute.get();
    // lcms takes floating-point CMYK in percent, in the order C, M, Y, K.
    const double cmyk[4] = {kcmy[1] * 100.0 / 255.0, kcmy[2] * 100.0 / 255.0, kcmy[3] * 100.0 / 255.0,
                            kcmy[0] * 100.0 / 255.0};
    cmsCIELab lab{};
    cmsDoTransform(xform, cmyk, &lab, 1);
    *L = lab.L;
    *a = lab.a;
    *b = lab.b;
    return true;
}

double deltaE(const double* x, const double* y, double (*formula)(const cmsCIELab*, const cmsCIELab*)) {
    if (x == nullptr || y == nullptr)
        return std::numeric_limits<double>::infinity();
    const cmsCIELab first{x[0], x[1], x[2]};
    const cmsCIELab second{y[0], y[1], y[2]};
    return formula(&first, &second);
}

double ciede2000(const cmsCIELab* x, const cmsCIELab* y) {
    return cmsCIE2000DeltaE(x, y, 1.0, 1.0, 1.0);
}

} // namespace

KvCMSHandle KvCMSInit(icColorSpaceSignature sourceSpace, icColorSpaceSignature destinationSpace,
                      const char* sourceProfile, const char* destinationProfile, int a, int, int) {
    if (sourceSpace == icSigLabData && destinationSpace == icSigRgbData && sourceProfile == nullptr)
        return labToMonitorHandle(destinationProfile, a);
    if (sourceSpace == destinationSpace && (sourceSpace == icSigRgbData || sourceSpace == icSigCmykData))
        return deviceToLabHandle(sourceSpace, sourceProfile);
    return nullptr;
}

void KvCMSDestroy(KvCMSHandle handle) {
    KvCMSEngine* engine = engineOf(handle);
    if (engine == nullptr)
        return;
    delete engine->state;
    delete engine;
}

bool KvCMSCMYKToLab(KvCMSHandle handle, const unsigned char* kcmy, double* L, double* a, double* b) {
    return cmykToLab(handle, kcmy, L, a, b, false);
}

bool KvCMSCMYKToLabRelative(KvCMSHandle handle, const unsigned char* kcmy, double* L, double* a, double* b) {
    return cmykToLab(handle, kcmy, L, a, b, true);
}

bool KvCMSLabD50ToCMYK(KvCMSHandle handle, double L, double a, double b, unsigned char* kcmy) {
    KvCMSEngine* engine = engineOf(handle);
    if (engine == nullptr || engine->sourceSpace != icSigCmykData || kcmy == nullptr || !std::isfinite(L) ||
        !std::isfinite(a) || !std::isfinite(b))
        return false;
    EngineState& state = *engine->state;
    if (!state.fromLabAbsolute) {
        ProfilePtr lab(cmsCreateLab4ProfileTHR(state.context.get(), nullptr));
        if (lab)
            state.fromLabAbsolute.reset(state.labTransform(lab.get(), TYPE_Lab_DBL, state.profile.get(),
                                                           TYPE_CMYK_DBL, INTENT_ABSOLUTE_COLORIMETRIC));
        if (!state.fromLabAbsolute)
            return false;
    }
    const cmsCIELab lab{L, a, b};
    double cmyk[4] = {};
    cmsDoTransform(state.fromLabAbsolute.get(), &lab, cmyk, 1);
    kcmy[0] = byteFromUnit(cmyk[3], 2.55);
    kcmy[1] = byteFromUnit(cmyk[0], 2.55);
    kcmy[2] = byteFromUnit(cmyk[1], 2.55);
    kcmy[3] = byteFromUnit(cmyk[2], 2.55);
    return true;
}

bool KvCMSLabToRGB(KvCMSHandle handle, double L, double a, double b, unsigned char* rgb) {
    if (rgb == nullptr)
        return false;
    const MonitorPreview* preview = &builtInSrgb();
    if (handle != nullptr) {
        const KvCMSEngine* engine = engineOf(handle);
        if (engine->sourceSpace != icSigLabData || engine->destinationSpace != icSigRgbData)
            return false;
        preview = engine->state->monitor.get();
    }
    const double lab[3] = {L, a, b};
    return preview != nullptr && preview->toRgb(lab, rgb);
}

double KvCMS_ColourDiff_CIE94(const double* sampleLab, const double* referenceLab) {
    return deltaE(sampleLab, referenceLab, cmsCIE94DeltaE);
}

double KvCMS_ColourDiff_DeltaE(const double* measuredLab, const double* targetLab) {
    return deltaE(measuredLab, targetLab, ciede2000);
}
