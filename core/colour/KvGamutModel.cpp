#include "KvGamutModel.h"

#include <QFile>
#include <QFileInfo>

#include "LcmsHandles.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using Context = lcms::ContextPtr;
using Profile = lcms::ProfilePtr;
using Transform = lcms::TransformPtr;

// Device samples on the surface of the unit cube or hypercube: every face,
// `steps` points a side. Values are 0..1 per channel.
std::vector<float> surfaceSamples(int channels, int steps) {
    std::vector<float> out;
    const int n = steps;
    // A point is on the surface when at least one channel sits at 0 or 1.
    std::vector<int> idx(channels, 0);
    for (;;) {
        bool onSurface = false;
        for (int c = 0; c < channels; ++c)
            onSurface = onSurface || idx[c] == 0 || idx[c] == n - 1;
        if (onSurface)
            for (int c = 0; c < channels; ++c)
                out.push_back(float(idx[c]) / float(n - 1));
        int c = 0;
        while (c < channels && ++idx[c] == n)
            idx[c++] = 0;
        if (c == channels)
            break;
    }
    return out;
}

} // namespace

bool KvGamutModel::load(const QString& path) {
    pathText = path;
    errorText.clear();
    descriptionText.clear();
    surface.clear();
    projection.clear();
    levelSlices.clear();
    volumeValue = -1;

    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable()) {
        errorText = QStringLiteral("The file cannot be read.");
        return false;
    }
    Context ctx = lcms::quietContext();
    Profile profile(cmsOpenProfileFromFileTHR(ctx.get(), QFile::encodeName(path).constData(), "r"));
    if (!profile) {
        errorText = QStringLiteral("This file is not an ICC profile.");
        return false;
    }
    const cmsUInt32Number cls = lcms::headerClass(profile.get());
    const cmsUInt32Number space = lcms::headerSpace(profile.get());
    if (cls == cmsSigLinkClass || cls == cmsSigAbstractClass || cls == cmsSigNamedColorClass) {
        errorText = QStringLiteral("A device link, abstract or named colour profile has no gamut to show.");
        return false;
    }
    if (space != cmsSigRgbData && space != cmsSigCmykData) {
        errorText = QStringLiteral("Only RGB and CMYK device profiles have a gamut to show.");
        return false;
    }
    wchar_t buffer[256] = {};
    if (cmsGetProfileInfo(profile.get(), cmsInfoDescription, "en", "US", buffer, 255) > 0)
        descriptionText = QString::fromWCharArray(buffer);
    if (descriptionText.isEmpty())
        descriptionText = info.fileName();

    const bool cmyk = space == cmsSigCmykData;
    const int channels = cmyk ? 4 : 3;
    Profile lab(cmsCreateLab4ProfileTHR(ctx.get(), nullptr));
    Transform toLab(cmsCreateTransformTHR(ctx.get(), profile.get(), cmyk ? TYPE_CMYK_FLT : TYPE_RGB_FLT,
                                          lab.get(), TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0));
    if (!toLab) {
        errorText = QStringLiteral("This profile cannot convert colours to Lab.");
        return false;
    }
    std::vector<float> device = surfaceSamples(channels, cmyk ? 11 : 33);
    if (cmyk) // lcms takes CMYK floats as percentages
        for (float& v : device)
            v *= 100.0f;
    const std::size_t count = device.size() / std::size_t(channels);
    surface.resize(count);
    cmsDoTransform(toLab.get(), device.data(), surface.data(), cmsUInt32Number(count));

    projection = outlineOf(surface);
    for (double level : {20.0, 40.0, 60.0, 80.0}) {
        std::vector<KvLabPoint> band;
        for (const KvLabPoint& p : surface)
            if (std::fabs(p.L - level) <= 4.0)
                band.push_back(p);
        if (band.size() >= 8)
            levelSlices.push_back({level, outlineOf(band, 90)});
    }
    return true;
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

double KvGamutModel::volume() {
    if (volumeValue >= 0 || surface.empty())
        return std::max(volumeValue, 0.0);
    // The image of the device space's surface encloses the gamut. Mark the Lab
    // cells that a dense sampling of that surface touches, close small gaps,
    // flood the outside from the edges of the grid, and count what the flood
    // never reached: cells inside whole, cells on the wall by half.
    Context ctx = lcms::quietContext();
    Profile profile(cmsOpenProfileFromFileTHR(ctx.get(), QFile::encodeName(pathText).constData(), "r"));
    Profile lab(cmsCreateLab4ProfileTHR(ctx.get(), nullptr));
    if (!profile || !lab)
        return 0;
    const bool cmyk = lcms::headerSpace(profile.get()) == cmsSigCmykData;
    Transform toLab(cmsCreateTransformTHR(ctx.get(), profile.get(), cmyk ? TYPE_CMYK_FLT : TYPE_RGB_FLT,
                                          lab.get(), TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0));
    if (!toLab)
        return 0;
    std::vector<float> device = surfaceSamples(cmyk ? 4 : 3, cmyk ? 49 : 129);
    if (cmyk)
        for (float& v : device)
            v *= 100.0f;
    const std::size_t count = device.size() / (cmyk ? 4 : 3);
    std::vector<KvLabPoint> points(count);
    cmsDoTransform(toLab.get(), device.data(), points.data(), cmsUInt32Number(count));

    // Cells of 1 x 2 x 2 Lab units, with one empty cell of margin all round.
    constexpr double dL = 1.0, dab = 2.0;
    constexpr int nL = 100 + 2, nab = 128 + 2;
    auto index = [](int l, int a, int b) {
        return (std::size_t(l) * nab + std::size_t(a)) * nab + std::size_t(b);
    };
    enum : unsigned char { Empty = 0, Wall = 1, Outside = 2 };
    std::vector<unsigned char> cells(std::size_t(nL) * nab * nab, Empty);
    for (const KvLabPoint& p : points) {
        const int l = 1 + std::clamp(int(p.L / dL), 0, nL - 3);
        const int a = 1 + std::clamp(int((p.a + 128) / dab), 0, nab - 3);
        const int b = 1 + std::clamp(int((p.b + 128) / dab), 0, nab - 3);
        cells[index(l, a, b)] = Wall;
    }
    // Flood the outside through faces of cells, from a corner of the margin.
    std::vector<std::size_t> stack = {index(0, 0, 0)};
    cells[stack.back()] = Outside;
    while (!stack.empty()) {
        const std::size_t i = stack.back();
        stack.pop_back();
        const int b = int(i % nab), a = int((i / nab) % nab), l = int(i / (std::size_t(nab) * nab));
        const int next[6][3] = {{l - 1, a, b}, {l + 1, a, b}, {l, a - 1, b},
                                {l, a + 1, b}, {l, a, b - 1}, {l, a, b + 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[1] < 0 || n[2] < 0 || n[0] >= nL || n[1] >= nab || n[2] >= nab)
                continue;
            const std::size_t j = index(n[0], n[1], n[2]);
            if (cells[j] == Empty) {
                cells[j] = Outside;
                stack.push_back(j);
            }
        }
    }
    // A CMYK surface maps to thick walls (each face of the hypercube is a
    // solid), so only wall cells that touch the outside lie on the boundary.
    double inside = 0;
    for (int l = 1; l < nL - 1; ++l)
        for (int a = 1; a < nab - 1; ++a)
            for (int b = 1; b < nab - 1; ++b) {
                const unsigned char c = cells[index(l, a, b)];
                if (c == Empty) {
                    inside += 1;
                } else if (c == Wall) {
                    const bool edge =
                        cells[index(l - 1, a, b)] == Outside || cells[index(l + 1, a, b)] == Outside ||
                        cells[index(l, a - 1, b)] == Outside || cells[index(l, a + 1, b)] == Outside ||
                        cells[index(l, a, b - 1)] == Outside || cells[index(l, a, b + 1)] == Outside;
                    inside += edge ? 0.5 : 1.0;
                }
            }
    volumeValue = inside * dL * dab * dab;
    return volumeValue;
}
