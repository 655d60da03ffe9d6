// The colour engine's transform object, built on LittleCMS.
//
// Every KvCmsIcc owns one lcms context with its own error handler, so nothing
// here touches lcms's global state and two objects never share a cache. The
// device-to-device transform is built at create(); the Lab helpers are built
// on first use, because most objects only ever need one direction.
//
// Units. Device values cross this interface as integers (RGB 0..255, CMYK
// 0..100 percent). Device to device is built as lcms's transicc builds it in
// its 16-bit mode (-e -w): floating-point device values in, 16-bit values
// out, so both give the same numbers. With a floating-point input lcms
// evaluates the profiles directly and builds no precalculated grid. Anything
// that involves Lab runs in double precision throughout.
//
// Lab. What the object reports (rgb2lab, cmyk2lab) is absolute D50 Lab, the
// number an instrument would read off the medium. What lab2rgb and lab2cmyk
// take is PCS Lab under the held intent; D50lab2rlab converts the first into
// the second, so a measured colour can be sent back to the device.
#include "KvCmsIcc.h"

#include <QLoggingCategory>

#include "LcmsHandles.h"
#include "ProfileCheck.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>

namespace {

Q_LOGGING_CATEGORY(lcEngine, "tintry.engine")

using lcms::ContextPtr;
using lcms::headerClass;
using lcms::headerPCS;
using lcms::headerSpace;
using lcms::ProfilePtr;
using lcms::TransformPtr;

void logLcmsError(cmsContext context, cmsUInt32Number code, const char* text) {
    auto* lastError = static_cast<std::string*>(cmsGetContextUserData(context));
    if (lastError != nullptr)
        *lastError = text ? text : "";
    qCDebug(lcEngine, "lcms error %u: %s", unsigned(code), text ? text : "");
}

ContextPtr makeContext(std::string* lastError) {
    ContextPtr context(cmsCreateContext(nullptr, lastError));
    if (context)
        cmsSetLogErrorHandlerTHR(context.get(), logLcmsError);
    return context;
}

// Only a regular file, whole, with a sound white point: ProfileCheck says
// why not, to those who ask it first.
ProfilePtr openProfile(cmsContext context, const char* path) {
    return ProfilePtr(ProfileCheck::open(context, path));
}

bool isDeviceSpace(cmsUInt32Number s) {
    return s == cmsSigRgbData || s == cmsSigCmykData;
}

// A profile the converter can use both ways: RGB or CMYK data on one side and
// a colorimetric connection space on the other. Links, abstract and named
// colour profiles do not connect a device to Lab, so they are refused.
bool isDeviceProfile(cmsHPROFILE p) {
    const cmsUInt32Number c = headerClass(p);
    if (c == cmsSigLinkClass || c == cmsSigAbstractClass || c == cmsSigNamedColorClass)
        return false;
    const cmsUInt32Number pcs = headerPCS(p);
    return isDeviceSpace(headerSpace(p)) && (pcs == cmsSigXYZData || pcs == cmsSigLabData);
}

cmsUInt32Number format16(cmsUInt32Number s) {
    return s == cmsSigRgbData ? TYPE_RGB_16 : TYPE_CMYK_16;
}
cmsUInt32Number formatDouble(cmsUInt32Number s) {
    return s == cmsSigRgbData ? TYPE_RGB_DBL : TYPE_CMYK_DBL;
}

// The media white point as lcms uses it for absolute colorimetry: D50 when the
// tag is missing, and D50 for version 2 display profiles, whose white point
// tag records the display's native white rather than a medium.
cmsCIEXYZ mediaWhite(cmsHPROFILE p) {
    const auto* tag = static_cast<const cmsCIEXYZ*>(cmsReadTag(p, cmsSigMediaWhitePointTag));
    if (tag == nullptr || tag->X <= 0 || tag->Y <= 0 || tag->Z <= 0)
        return *cmsD50_XYZ();
    if (cmsGetEncodedICCversion(p) < 0x4000000 && headerClass(p) == cmsSigDisplayClass)
        return *cmsD50_XYZ();
    return *tag;
}

unsigned long roundClamped(double v, double max) {
    if (!(v > 0)) // also catches NaN
        return 0;
    if (v >= max)
        return static_cast<unsigned long>(max);
    return static_cast<unsigned long>(std::lround(v));
}

// Nearest unit to a 16-bit output; neither scale has a word exactly halfway
// between two units, so there is no tie to break.
unsigned long byteFromWord(cmsUInt16Number w) {
    return (w * 255ul + 32767ul) / 65535ul;
}
unsigned long percentFromWord(cmsUInt16Number w) {
    return (w * 100ul + 32767ul) / 65535ul;
}

bool finiteLab(double L, double a, double b) {
    return std::isfinite(L) && std::isfinite(a) && std::isfinite(b);
}

} // namespace

struct KvCmsIcc::Impl {
    // The context is declared before the handles so that it outlives them; its
    // error handler writes into lastError, which outlives the context.
    std::string lastError;
    ContextPtr context = makeContext(&lastError);

    ProfilePtr source;
    ProfilePtr destination;
    TransformPtr deviceToDevice;
    TransformPtr sourceToLab;      // absolute colorimetric, D50 Lab out
    TransformPtr labToDestination; // held intent, PCS Lab in
    cmsCIEXYZ destinationWhite = *cmsD50_XYZ();

    void release() {
        labToDestination.reset();
        sourceToLab.reset();
        deviceToDevice.reset();
        destination.reset();
        source.reset();
    }

    // Both accuracies read floating-point input, which lcms never
    // precalculates, so each colour runs through the whole pipeline. Normal
    // used to be lcms's 16-bit precalculated grid; measured over every pair
    // of the profiles Debian ships (bench_accuracy) the grid was up to
    // CIEDE2000 21 off for CMYK input, and even its high-resolution form 19,
    // while direct evaluation is exact, builds faster (about 2 ms against
    // 11) and converts one colour as fast. Best adds transicc's flags
    // (-e -w -c2: no one-colour cache), so its values match transicc's.
    TransformPtr deviceTransform(cmsHPROFILE from, cmsHPROFILE to, icRenderingIntent intent,
                                 ICCACCURACY accuracy) {
        const cmsUInt32Number flags =
            accuracy == ICC_ACCURACY_BEST ? cmsFLAGS_NOCACHE | cmsFLAGS_HIGHRESPRECALC : 0;
        return TransformPtr(cmsCreateTransformTHR(context.get(), from, formatDouble(headerSpace(from)), to,
                                                  format16(headerSpace(to)), intent, flags));
    }

    // Runs one device colour given as lcms's floating-point device values
    // (RGB 0..1, CMYK in percent).
    static void runDevice(cmsHTRANSFORM xform, const double* in, cmsUInt16Number* out) {
        cmsDoTransform(xform, in, out, 1);
    }

    cmsHPROFILE labProfile() const { return cmsCreateLab4ProfileTHR(context.get(), nullptr); }

    cmsHTRANSFORM toLab() {
        if (!sourceToLab && source) {
            ProfilePtr lab(labProfile());
            if (lab)
                sourceToLab.reset(cmsCreateTransformTHR(context.get(), source.get(),
                                                        formatDouble(headerSpace(source.get())), lab.get(),
                                                        TYPE_Lab_DBL, INTENT_ABSOLUTE_COLORIMETRIC, 0));
        }
        return sourceToLab.get();
    }

    cmsHTRANSFORM fromLab(icRenderingIntent intent) {
        if (!labToDestination && destination) {
            ProfilePtr lab(labProfile());
            if (lab)
                labToDestination.reset(
                    cmsCreateTransformTHR(context.get(), lab.get(), TYPE_Lab_DBL, destination.get(),
                                          formatDouble(headerSpace(destination.get())), intent, 0));
        }
        return labToDestination.get();
    }
};

KvCmsIcc::KvCmsIcc() : d(new Impl) {}

KvCmsIcc::~KvCmsIcc() {
    delete d;
}

bool KvCmsIcc::getICCprofileClass(const char* path, icProfileClassSignature* profileClass,
                                  icColorSpaceSignature* colourSpace) {
    std::string lastError;
    ContextPtr context = makeContext(&lastError);
    ProfilePtr profile = openProfile(context.get(), path);
    if (!profile)
        return false;
    if (profileClass != nullptr)
        *profileClass = static_cast<icProfileClassSignature>(headerClass(profile.get()));
    if (colourSpace != nullptr)
        *colourSpace = static_cast<icColorSpaceSignature>(headerSpace(profile.get()));
    return true;
}

bool KvCmsIcc::create(const char* sourcePath, const char* destinationPath) {
    close();
    if (!d->context)
        return false;
    ProfilePtr source = openProfile(d->context.get(), sourcePath);
    ProfilePtr destination = openProfile(d->context.get(), destinationPath);
    if (!source || !destination || !isDeviceProfile(source.get()) || !isDeviceProfile(destination.get()))
        return false;

    TransformPtr xform = d->deviceTransform(source.get(), destination.get(), renderingIntent, accuracy);
    if (!xform)
        return false;

    d->destinationWhite = mediaWhite(destination.get());
    d->source = std::move(source);
    d->destination = std::move(destination);
    d->deviceToDevice = std::move(xform);
    transform = d->deviceToDevice.get();
    sourceSpace = static_cast<icColorSpaceSignature>(headerSpace(d->source.get()));
    destinationSpace = static_cast<icColorSpaceSignature>(headerSpace(d->destination.get()));
    return true;
}

void KvCmsIcc::close() {
    d->release();
    transform = nullptr;
    sourceSpace = icSigNoSpace;
    destinationSpace = icSigNoSpace;
}

bool KvCmsIcc::setrenderingIntent(icRenderingIntent intent) {
    // Only the four ICC intents are meaningful; anything else (a damaged
    // setting, say) would make every later create() fail inside lcms.
    if (intent > icAbsoluteColorimetric)
        return false;
    if (intent == renderingIntent)
        return true;
    renderingIntent = intent;
    return rebuildOpenTransform();
}

bool KvCmsIcc::setinterpolationAccuracy(ICCACCURACY acc) {
    if (acc > ICC_ACCURACY_BEST)
        return false;
    if (acc == accuracy)
        return true;
    accuracy = acc;
    return rebuildOpenTransform();
}

// A changed intent or accuracy applies to the transform already built, not
// only to the next create(); the lazily built Lab helper is dropped so that it
// is rebuilt with the new intent when next needed.
bool KvCmsIcc::rebuildOpenTransform() {
    if (transform == nullptr)
        return true;
    TransformPtr xform = d->deviceTransform(d->source.get(), d->destination.get(), renderingIntent, accuracy);
    if (!xform) {
        close();
        return false;
    }
    d->labToDestination.reset();
    d->deviceToDevice = std::move(xform);
    transform = d->deviceToDevice.get();
    return true;
}

// Device to device: the inputs go in as lcms's floating-point device values
// (RGB 0..1, CMYK in percent), the 16-bit result is rounded once, at the end.
bool KvCmsIcc::rgb2rgb(unsigned long r, unsigned long g, unsigned long b, unsigned long* R, unsigned long* G,
                       unsigned long* B) {
    if (!transform || sourceSpace != icSigRgbData || destinationSpace != icSigRgbData || !R || !G || !B)
        return false;
    if (r > 255 || g > 255 || b > 255)
        return false;
    const double in[3] = {r / 255.0, g / 255.0, b / 255.0};
    cmsUInt16Number out[3] = {};
    Impl::runDevice(transform, in, out);
    *R = byteFromWord(out[0]);
    *G = byteFromWord(out[1]);
    *B = byteFromWord(out[2]);
    return true;
}

bool KvCmsIcc::rgb2cmyk(unsigned long r, unsigned long g, unsigned long b, unsigned long* c, unsigned long* m,
                        unsigned long* y, unsigned long* k) {
    if (!transform || sourceSpace != icSigRgbData || destinationSpace != icSigCmykData || !c || !m || !y ||
        !k)
        return false;
    if (r > 255 || g > 255 || b > 255)
        return false;
    const double in[3] = {r / 255.0, g / 255.0, b / 255.0};
    cmsUInt16Number out[4] = {};
    Impl::runDevice(transform, in, out);
    *c = percentFromWord(out[0]);
    *m = percentFromWord(out[1]);
    *y = percentFromWord(out[2]);
    *k = percentFromWord(out[3]);
    return true;
}

bool KvCmsIcc::cmyk2rgb(unsigned long c, unsigned long m, unsigned long y, unsigned long k, unsigned long* r,
                        unsigned long* g, unsigned long* b) {
    if (!transform || sourceSpace != icSigCmykData || destinationSpace != icSigRgbData || !r || !g || !b)
        return false;
    if (c > 100 || m > 100 || y > 100 || k > 100)
        return false;
    const double in[4] = {double(c), double(m), double(y), double(k)};
    cmsUInt16Number out[3] = {};
    Impl::runDevice(transform, in, out);
    *r = byteFromWord(out[0]);
    *g = byteFromWord(out[1]);
    *b = byteFromWord(out[2]);
    return true;
}

bool KvCmsIcc::cmyk2cmyk(unsigned long c, unsigned long m, unsigned long y, unsigned long k, unsigned long* C,
                         unsigned long* M, unsigned long* Y, unsigned long* K) {
    if (!transform || sourceSpace != icSigCmykData || destinationSpace != icSigCmykData || !C || !M || !Y ||
        !K)
        return false;
    if (c > 100 || m > 100 || y > 100 || k > 100)
        return false;
    const double in[4] = {double(c), double(m), double(y), double(k)};
    cmsUInt16Number out[4] = {};
    Impl::runDevice(transform, in, out);
    *C = percentFromWord(out[0]);
    *M = percentFromWord(out[1]);
    *Y = percentFromWord(out[2]);
    *K = percentFromWord(out[3]);
    return true;
}

// Device to Lab reports what an instrument would measure on the source
// medium, whatever the held intent: absolute colorimetric into D50 Lab.
bool KvCmsIcc::rgb2lab(unsigned long r, unsigned long g, unsigned long b, double* L, double* a, double* bb) {
    if (!transform || sourceSpace != icSigRgbData || !L || !a || !bb || r > 255 || g > 255 || b > 255)
        return false;
    cmsHTRANSFORM xform = d->toLab();
    if (xform == nullptr)
        return false;
    const double in[3] = {r / 255.0, g / 255.0, b / 255.0};
    cmsCIELab lab{};
    cmsDoTransform(xform, in, &lab, 1);
    *L = lab.L;
    *a = lab.a;
    *bb = lab.b;
    return true;
}

bool KvCmsIcc::cmyk2lab(unsigned long c, unsigned long m, unsigned long y, unsigned long k, double* L,
                        double* a, double* b) {
    if (!transform || sourceSpace != icSigCmykData || !L || !a || !b || c > 100 || m > 100 || y > 100 ||
        k > 100)
        return false;
    cmsHTRANSFORM xform = d->toLab();
    if (xform == nullptr)
        return false;
    // lcms takes floating-point CMYK in percent, as the interface does.
    const double in[4] = {double(c), double(m), double(y), double(k)};
    cmsCIELab lab{};
    cmsDoTransform(xform, in, &lab, 1);
    *L = lab.L;
    *a = lab.a;
    *b = lab.b;
    return true;
}

bool KvCmsIcc::lab2rgb(double L, double a, double b, unsigned long* r, unsigned long* g, unsigned long* bb) {
    if (!transform || destinationSpace != icSigRgbData || !r || !g || !bb || !finiteLab(L, a, b))
        return false;
    cmsHTRANSFORM xform = d->fromLab(renderingIntent);
    if (xform == nullptr)
        return false;
    const cmsCIELab lab{L, a, b};
    double out[3] = {};
    cmsDoTransform(xform, &lab, out, 1);
    *r = roundClamped(out[0] * 255.0, 255.0);
    *g = roundClamped(out[1] * 255.0, 255.0);
    *bb = roundClamped(out[2] * 255.0, 255.0);
    return true;
}

bool KvCmsIcc::lab2cmyk(double L, double a, double b, unsigned long* c, unsigned long* m, unsigned long* y,
                        unsigned long* k) {
    if (!transform || destinationSpace != icSigCmykData || !c || !m || !y || !k || !finiteLab(L, a, b))
        return false;
    cmsHTRANSFORM xform = d->fromLab(renderingIntent);
    if (xform == nullptr)
        return false;
    const cmsCIELab lab{L, a, b};
    double out[4] = {};
    cmsDoTransform(xform, &lab, out, 1);
    *c = roundClamped(out[0], 100.0);
    *m = roundClamped(out[1], 100.0);
    *y = roundClamped(out[2], 100.0);
    *k = roundClamped(out[3], 100.0);
    return true;
}

// Absolute colorimetry in lcms (observer fully adapted, its default) scales
// relative PCS XYZ by the medium's white over D50. Undoing that scale gives
// the media-relative Lab that the relative intent expects; the perceptual and
// saturation tables are also built relative to the medium, so they take the
// same value. The absolute intent takes the measurement as it is.
bool KvCmsIcc::D50lab2rlab(double L, double a, double b, double* rL, double* ra, double* rb) {
    if (!transform || !rL || !ra || !rb || !finiteLab(L, a, b))
        return false;
    cmsCIELab lab{L, a, b};
    if (renderingIntent != icAbsoluteColorimetric) {
        const cmsCIEXYZ* d50 = cmsD50_XYZ();
        const cmsCIEXYZ& white = d->destinationWhite;
        cmsCIEXYZ xyz;
        cmsLab2XYZ(d50, &xyz, &lab);
        xyz.X *= d50->X / white.X;
        xyz.Y *= d50->Y / white.Y;
        xyz.Z *= d50->Z / white.Z;
        cmsXYZ2Lab(d50, &lab, &xyz);
    }
    *rL = lab.L;
    *ra = lab.a;
    *rb = lab.b;
    return true;
}
