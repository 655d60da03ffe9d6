#include "ProfileFactory.h"

#include "LcmsHandles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <lcms2.h>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace {

using lcms::ContextPtr;
using lcms::PipelinePtr;
using lcms::ProfilePtr;

// The ink model of the synthetic printer. Each ink removes most, not all, of
// its light, so the darkest black is not L* 0; the light left is mixed with
// the D50-adapted sRGB primaries, so paper (no ink) is the PCS white.
constexpr double kInkStrength = 0.9;
constexpr double kBlackStrength = 0.92;
constexpr double kToXyz[3][3] = {
    {0.4360747, 0.3850649, 0.1430804}, {0.2225045, 0.7168786, 0.0606169}, {0.0139322, 0.0971045, 0.7141733}};

void inverse3(const double m[3][3], double out[3][3]) {
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    out[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
    out[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
    out[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
    out[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det;
    out[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
    out[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
    out[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det;
    out[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
    out[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
}

cmsInt32Number sampleCmykToLab(const cmsUInt16Number in[], cmsUInt16Number out[], void*) {
    const double k = in[3] / 65535.0;
    const double rgb[3] = {(1 - kInkStrength * in[0] / 65535.0) * (1 - kBlackStrength * k),
                           (1 - kInkStrength * in[1] / 65535.0) * (1 - kBlackStrength * k),
                           (1 - kInkStrength * in[2] / 65535.0) * (1 - kBlackStrength * k)};
    cmsCIEXYZ xyz;
    xyz.X = kToXyz[0][0] * rgb[0] + kToXyz[0][1] * rgb[1] + kToXyz[0][2] * rgb[2];
    xyz.Y = kToXyz[1][0] * rgb[0] + kToXyz[1][1] * rgb[1] + kToXyz[1][2] * rgb[2];
    xyz.Z = kToXyz[2][0] * rgb[0] + kToXyz[2][1] * rgb[1] + kToXyz[2][2] * rgb[2];
    cmsCIELab lab;
    cmsXYZ2Lab(cmsD50_XYZ(), &lab, &xyz);
    cmsFloat2LabEncodedV2(out, &lab);
    return 1;
}

// The separation: full grey component replacement, so black ink carries all
// of the darkness the three colour inks share.
cmsInt32Number sampleLabToCmyk(const cmsUInt16Number in[], cmsUInt16Number out[], void*) {
    static double toRgb[3][3];
    static const bool ready = (inverse3(kToXyz, toRgb), true);
    (void)ready;
    cmsCIELab lab;
    cmsLabEncoded2FloatV2(&lab, in);
    cmsCIEXYZ xyz;
    cmsLab2XYZ(cmsD50_XYZ(), &xyz, &lab);
    const double v[3] = {xyz.X, xyz.Y, xyz.Z};
    double rgb[3];
    for (int i = 0; i < 3; ++i)
        rgb[i] = std::clamp(toRgb[i][0] * v[0] + toRgb[i][1] * v[1] + toRgb[i][2] * v[2], 0.0, 1.0);
    const double lightest = std::max({rgb[0], rgb[1], rgb[2]});
    const double k = std::clamp((1 - lightest) / kBlackStrength, 0.0, 1.0);
    const double left = 1 - kBlackStrength * k;
    for (int i = 0; i < 3; ++i) {
        const double ink = left > 0 ? std::clamp((1 - rgb[i] / left) / kInkStrength, 0.0, 1.0) : 1.0;
        out[i] = cmsUInt16Number(ink * 65535.0 + 0.5);
    }
    out[3] = cmsUInt16Number(k * 65535.0 + 0.5);
    return 1;
}

bool addClutTag(cmsContext context, cmsHPROFILE profile, cmsTagSignature tag, cmsUInt32Number gridPoints,
                cmsUInt32Number inputs, cmsUInt32Number outputs, cmsSAMPLER16 sampler) {
    PipelinePtr pipeline(cmsPipelineAlloc(context, inputs, outputs));
    cmsStage* clut = cmsStageAllocCLut16bit(context, gridPoints, inputs, outputs, nullptr);
    if (!pipeline || !clut)
        return false;
    if (!cmsStageSampleCLut16bit(clut, sampler, nullptr, 0) ||
        !cmsPipelineInsertStage(pipeline.get(), cmsAT_END, clut)) {
        cmsStageFree(clut);
        return false;
    }
    return cmsWriteTag(profile, tag, pipeline.get());
}

bool addDescription(cmsContext context, cmsHPROFILE profile, const char* text) {
    cmsMLU* mlu = cmsMLUalloc(context, 1);
    const bool ok = mlu && cmsMLUsetASCII(mlu, "en", "US", text) &&
                    cmsWriteTag(profile, cmsSigProfileDescriptionTag, mlu) &&
                    cmsWriteTag(profile, cmsSigCopyrightTag, mlu);
    cmsMLUfree(mlu);
    return ok;
}

ProfilePtr makeCmykPrinter(cmsContext context) {
    ProfilePtr p(cmsCreateProfilePlaceholder(context));
    if (!p)
        return nullptr;
    cmsSetProfileVersion(p.get(), 2.1);
    cmsSetDeviceClass(p.get(), cmsSigOutputClass);
    cmsSetColorSpace(p.get(), cmsSigCmykData);
    cmsSetPCS(p.get(), cmsSigLabData);
    // Paper as measured: darker and yellower than the D50 perfect diffuser.
    const cmsCIEXYZ paper = {0.8900, 0.9250, 0.7100};
    const bool ok = addDescription(context, p.get(), "Tintry test CMYK printer") &&
                    cmsWriteTag(p.get(), cmsSigMediaWhitePointTag, &paper) &&
                    addClutTag(context, p.get(), cmsSigAToB0Tag, 9, 4, 3, sampleCmykToLab) &&
                    addClutTag(context, p.get(), cmsSigBToA0Tag, 17, 3, 4, sampleLabToCmyk);
    return ok ? std::move(p) : nullptr;
}

ProfilePtr makeRgb(cmsContext context, cmsProfileClassSignature profileClass) {
    ProfilePtr p(cmsCreate_sRGBProfileTHR(context));
    if (p)
        cmsSetDeviceClass(p.get(), profileClass);
    return p;
}

ProfilePtr makeGray(cmsContext context) {
    cmsToneCurve* gamma = cmsBuildGamma(context, 2.2);
    ProfilePtr p(gamma ? cmsCreateGrayProfileTHR(context, cmsD50_xyY(), gamma) : nullptr);
    cmsFreeToneCurve(gamma);
    return p;
}

struct Box {
    ProfileFactory::LabCorner lo, hi;
};

cmsInt32Number sampleBox(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    const Box& box = *static_cast<const Box*>(cargo);
    const auto along = [](double lo, double hi, cmsUInt16Number v) { return lo + (hi - lo) * v / 65535.0; };
    const cmsCIELab lab = {along(box.lo.L, box.hi.L, in[1]), along(box.lo.a, box.hi.a, in[0]),
                           along(box.lo.b, box.hi.b, in[2])};
    cmsFloat2LabEncodedV2(out, &lab);
    return 1;
}

// A grid of two points a side is exact for a table that is linear along
// each channel.
ProfilePtr makeBox(cmsContext context, const Box& box) {
    ProfilePtr p(cmsCreateProfilePlaceholder(context));
    if (!p)
        return nullptr;
    cmsSetProfileVersion(p.get(), 2.1);
    cmsSetDeviceClass(p.get(), cmsSigOutputClass);
    cmsSetColorSpace(p.get(), cmsSigRgbData);
    cmsSetPCS(p.get(), cmsSigLabData);
    PipelinePtr pipeline(cmsPipelineAlloc(context, 3, 3));
    cmsStage* clut = cmsStageAllocCLut16bit(context, 2, 3, 3, nullptr);
    if (!pipeline || !clut)
        return nullptr;
    if (!cmsStageSampleCLut16bit(clut, sampleBox, const_cast<Box*>(&box), 0) ||
        !cmsPipelineInsertStage(pipeline.get(), cmsAT_END, clut)) {
        cmsStageFree(clut);
        return nullptr;
    }
    const bool ok = addDescription(context, p.get(), "Tintry test box in Lab") &&
                    cmsWriteTag(p.get(), cmsSigMediaWhitePointTag, cmsD50_XYZ()) &&
                    cmsWriteTag(p.get(), cmsSigAToB0Tag, pipeline.get());
    return ok ? std::move(p) : nullptr;
}

// Profiles are made once per factory: later calls return the file already written.
QString saveOnce(const QString& path, ProfilePtr (*make)(cmsContext)) {
    if (QFileInfo::exists(path))
        return path;
    ContextPtr context(cmsCreateContext(nullptr, nullptr));
    ProfilePtr profile = make(context.get());
    if (profile)
        cmsSaveProfileToFile(profile.get(), QFile::encodeName(path).constData());
    return path;
}

} // namespace

ProfileFactory::ProfileFactory(const QString& directory) : dir_(directory) {
    QDir().mkpath(dir_);
}

QString ProfileFactory::path(const char* name) const {
    return QDir(dir_).filePath(QString::fromLatin1(name));
}

QString ProfileFactory::writeBytes(const char* name, const QByteArray& bytes) {
    const QString p = path(name);
    QFile f(p);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return p;
}

QByteArray ProfileFactory::contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString ProfileFactory::rgbMonitor() {
    return saveOnce(path("rgb-monitor.icc"), [](cmsContext c) { return makeRgb(c, cmsSigDisplayClass); });
}

QString ProfileFactory::rgbScanner() {
    return saveOnce(path("rgb-scanner.icc"), [](cmsContext c) { return makeRgb(c, cmsSigInputClass); });
}

QString ProfileFactory::rgbPrinter() {
    return saveOnce(path("rgb-printer.icc"), [](cmsContext c) { return makeRgb(c, cmsSigOutputClass); });
}

QString ProfileFactory::cmykPrinter() {
    return saveOnce(path("cmyk-printer.icc"), makeCmykPrinter);
}

QString ProfileFactory::grayMonitor() {
    return saveOnce(path("gray-monitor.icc"), makeGray);
}

QString ProfileFactory::labAbstract() {
    return saveOnce(path("lab-abstract.icc"),
                    [](cmsContext c) { return ProfilePtr(cmsCreateLab4ProfileTHR(c, nullptr)); });
}

QString ProfileFactory::link() {
    return saveOnce(path("cmyk-link.icc"), [](cmsContext c) {
        return ProfilePtr(cmsCreateInkLimitingDeviceLinkTHR(c, cmsSigCmykData, 300));
    });
}

QString ProfileFactory::truncated() {
    const QByteArray whole = contents(cmykPrinter());
    return writeBytes("truncated.icc", whole.left(whole.size() / 2));
}

QString ProfileFactory::badMagic() {
    QByteArray bytes = contents(rgbMonitor());
    if (bytes.size() > 40)
        bytes.replace(36, 4, "xxxx"); // the header's 'acsp' file signature
    return writeBytes("bad-magic.icc", bytes);
}

QString ProfileFactory::empty() {
    return writeBytes("empty.icc", QByteArray());
}

QString ProfileFactory::text() {
    QByteArray prose;
    for (int i = 0; i < 20; ++i)
        prose += "This is a note about colour, not a colour profile.\n";
    return writeBytes("notes.icc", prose);
}

QString ProfileFactory::directory() {
    const QString p = path("folder.icc");
    QDir().mkpath(p);
    return p;
}

QString ProfileFactory::missing() {
    return path("no-such-profile.icc");
}

QString ProfileFactory::labBox(const char* name, LabCorner lo, LabCorner hi) {
    const QString p = path(name);
    if (QFileInfo::exists(p))
        return p;
    ContextPtr context(cmsCreateContext(nullptr, nullptr));
    ProfilePtr profile = makeBox(context.get(), Box{lo, hi});
    if (profile)
        cmsSaveProfileToFile(profile.get(), QFile::encodeName(p).constData());
    return p;
}
