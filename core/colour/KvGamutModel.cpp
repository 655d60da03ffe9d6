#include "KvGamutModel.h"

#include "ProfileCheck.h"

#include <QFile>
#include <QFileInfo>

#include <lcms2.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

// Lab values a gamut can be drawn from: numbers, inside the range Lab
// encodings can hold, lightness between black and white.
bool plausible(const KvLabPoint& p) {
    return std::isfinite(p.L) && std::isfinite(p.a) && std::isfinite(p.b) && p.L >= -1 && p.L <= 101 &&
           std::fabs(p.a) <= 200 && std::fabs(p.b) <= 200;
}

// The profile check's own words, but for a cut-off profile, which the gamut
// windows have always called so.
std::string reasonFor(ProfileCheck::Problem problem, int error = 0) {
    if (problem == ProfileCheck::Truncated)
        return "the profile is cut off: the file is shorter than its header says";
    ProfileCheck check;
    check.problem = problem;
    check.error = error;
    return check.describe();
}

} // namespace

Status KvGamutModel::fail(const std::string& why) {
    toLab.reset();
    profile.reset();
    context.reset();
    return Status::failed(pathText, why);
}

Status KvGamutModel::open(const QString& path, int intent) {
    toLab.reset();
    profile.reset();
    context.reset();
    pathText = path.toStdString();
    descriptionText.clear();
    surface.clear();
    projection.clear();
    levelSlices.clear();
    shell = KvGamutSurface();
    volumeValue = -1;
    readIntent = intent >= 0 && intent <= 3 ? intent : INTENT_RELATIVE_COLORIMETRIC;
    if (Status s = checkFile(path); !s)
        return s;
    if (Status s = checkProfile(); !s)
        return s;
    return checkNeutralAxis();
}

Status KvGamutModel::load(const QString& path, int intent) {
    if (Status s = open(path, intent); !s)
        return s;
    return sample();
}

// The file is read once, through the profile check's own opening (a regular
// file, whole, its header's size held against the file's, a sound white
// point), so what is checked is what is sampled later.
Status KvGamutModel::checkFile(const QString& path) {
    context = lcms::quietContext();
    ProfileCheck::Problem problem = ProfileCheck::Usable;
    errno = 0;
    profile.reset(ProfileCheck::open(context.get(), QFile::encodeName(path).constData(), &problem));
    if (!profile)
        return fail(reasonFor(problem, errno));
    readDescription(QFileInfo(path).fileName());
    return {};
}

Status KvGamutModel::checkProfile() {
    const cmsUInt32Number cls = lcms::headerClass(profile.get());
    const cmsUInt32Number space = lcms::headerSpace(profile.get());
    if (cls == cmsSigLinkClass || cls == cmsSigAbstractClass || cls == cmsSigNamedColorClass)
        return fail("a device link, abstract or named colour profile has no gamut to show");
    if (space != cmsSigRgbData && space != cmsSigCmykData)
        return fail("only RGB and CMYK device profiles have a gamut to show");
    // The same rules the converter and the charts give a profile, so a
    // profile refused there is never drawn here.
    const ProfileCheck::Problem problem =
        ProfileCheck::fits(context.get(), profile.get(), ProfileRole::GamutProfile);
    if (problem != ProfileCheck::Usable)
        return fail("the profile cannot be used: " + reasonFor(problem));
    channels = space == cmsSigCmykData ? 4 : 3;
    lcms::ProfilePtr lab(cmsCreateLab4ProfileTHR(context.get(), nullptr));
    toLab.reset(cmsCreateTransformTHR(context.get(), profile.get(),
                                      channels == 4 ? TYPE_CMYK_FLT : TYPE_RGB_FLT, lab.get(), TYPE_Lab_DBL,
                                      cmsUInt32Number(readIntent), 0));
    if (!toLab)
        return fail("the profile cannot convert colours to Lab");
    return {};
}

// A device's neutral axis runs from its darkest colour to its paper or
// screen white. Curves that make no sense (a negative gamma, a curve that
// falls) turn that round or into numbers that are no colours at all, and
// the gamut drawn from them would cover the whole plane.
Status KvGamutModel::checkNeutralAxis() {
    constexpr int steps = 17;
    std::vector<float> device;
    for (int i = 0; i < steps; ++i)
        for (int c = 0; c < channels; ++c)
            device.push_back(float(i) / float(steps - 1));
    const std::vector<KvLabPoint> axis = toLabOf(device);
    const bool allPlausible = std::all_of(axis.begin(), axis.end(), plausible);
    // No ink is white on a printer, full signal is white on a screen.
    whiteLab = channels == 4 ? axis.front() : axis.back();
    blackLab = channels == 4 ? axis.back() : axis.front();
    if (!allPlausible || whiteLab.L < blackLab.L + 5)
        return fail("the profile's curves make no sense: its colours do not run from black to white along "
                    "the grey axis");
    return {};
}

void KvGamutModel::readDescription(const QString& fileName) {
    wchar_t buffer[256] = {};
    if (cmsGetProfileInfo(profile.get(), cmsInfoDescription, "en", "US", buffer, 255) > 0)
        descriptionText = QString::fromWCharArray(buffer);
    if (descriptionText.isEmpty())
        descriptionText = fileName;
}

// Device values are 0..1 per channel; LittleCMS takes CMYK floats as
// percentages.
std::vector<KvLabPoint> KvGamutModel::toLabOf(std::vector<float> device) const {
    if (channels == 4)
        for (float& v : device)
            v *= 100.0f;
    std::vector<KvLabPoint> out(device.size() / std::size_t(channels));
    cmsDoTransform(toLab.get(), device.data(), out.data(), cmsUInt32Number(out.size()));
    return out;
}

Status KvGamutModel::sample() {
    if (!toLab)
        return Status::failed(pathText, "no profile is open");
    sheets = KvDeviceFaces::forChannels(channels);
    surface = toLabOf(sheets.deviceSamples());
    if (!std::all_of(surface.begin(), surface.end(), plausible)) {
        surface.clear();
        return fail("the profile gives colours outside Lab for some of its device values");
    }
    projection = outlineOf(surface);
    for (double level : {20.0, 40.0, 60.0, 80.0}) {
        std::vector<KvLabPoint> band;
        for (const KvLabPoint& p : surface)
            if (std::fabs(p.L - level) <= 4.0)
                band.push_back(p);
        if (band.size() >= 8)
            levelSlices.push_back({level, outlineOf(band, 90)});
    }
    return {};
}

KvLabPoint KvGamutModel::greyCentre() const {
    return {(whiteLab.L + blackLab.L) / 2, (whiteLab.a + blackLab.a) / 2, (whiteLab.b + blackLab.b) / 2};
}

KvGamutSurface KvGamutModel::boundaryAbout(const KvLabPoint& centre, const std::atomic<bool>* cancel) const {
    return KvGamutSurface::build(sheets, surface, centre, cancel);
}

Status KvGamutModel::measure(const std::atomic<bool>* cancel) {
    if (surface.empty())
        return Status::failed(pathText, "nothing is sampled");
    if (volumeValue < 0) {
        shell = boundaryAbout(greyCentre(), cancel);
        if (cancel && cancel->load())
            return Failure{};
        volumeValue = shell.volume();
    }
    // Only a profile whose grey axis runs outside its own colours gets here.
    if (shell.empty())
        return Status::failed(pathText, "the gamut's boundary cannot be traced: the middle of its grey axis "
                                        "lies outside its colours");
    return {};
}

double KvGamutModel::volume(const std::atomic<bool>* cancel) {
    return measure(cancel) ? volumeValue : 0.0;
}

KvGamutModel::Outline KvGamutModel::outlineOf(const std::vector<KvLabPoint>& points, int sectors) {
    // The farthest point from the neutral axis in each hue sector thins the
    // cloud to its rim; the convex hull of the rim is the outline. A sector
    // holding only inner points would otherwise notch the outline.
    std::vector<int> best(std::size_t(sectors), -1);
    std::vector<double> bestRadius(std::size_t(sectors), -1.0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double a = points[i].a, b = points[i].b;
        const double r = std::hypot(a, b);
        double angle = std::atan2(b, a);
        if (angle < 0)
            angle += 2 * M_PI;
        const int s = std::min(sectors - 1, int(angle / (2 * M_PI) * sectors));
        if (r > bestRadius[std::size_t(s)]) {
            bestRadius[std::size_t(s)] = r;
            best[std::size_t(s)] = int(i);
        }
    }
    Outline rim;
    for (int i : best)
        if (i >= 0)
            rim.push_back({points[std::size_t(i)].a, points[std::size_t(i)].b});
    if (rim.size() < 3)
        return rim;
    // Andrew's monotone chain, counter-clockwise.
    std::sort(rim.begin(), rim.end(),
              [](const KvAbPoint& p, const KvAbPoint& q) { return p.a < q.a || (p.a == q.a && p.b < q.b); });
    const auto cross = [](const KvAbPoint& o, const KvAbPoint& p, const KvAbPoint& q) {
        return (p.a - o.a) * (q.b - o.b) - (p.b - o.b) * (q.a - o.a);
    };
    Outline hull(2 * rim.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < rim.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], rim[i]) <= 0)
            --k;
        hull[k++] = rim[i];
    }
    for (std::size_t i = rim.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], rim[i]) <= 0)
            --k;
        hull[k++] = rim[i];
    }
    hull.resize(k - 1);
    return hull;
}

double KvGamutModel::area(const Outline& o) {
    double twice = 0;
    for (std::size_t i = 0; i < o.size(); ++i) {
        const KvAbPoint& p = o[i];
        const KvAbPoint& q = o[(i + 1) % o.size()];
        twice += p.a * q.b - q.a * p.b;
    }
    return std::fabs(twice) / 2;
}
