#include "MonitorPreview.h"

#include "ProfileCheck.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

unsigned char byteFromUnit(double v) {
    const double x = v * 255.0;
    if (!(x > 0)) // also catches NaN
        return 0;
    if (x >= 255.0)
        return 255;
    return static_cast<unsigned char>(std::lround(x));
}

bool finite(const double* lab) {
    return std::isfinite(lab[0]) && std::isfinite(lab[1]) && std::isfinite(lab[2]);
}

} // namespace

MonitorPreview MonitorPreview::build(lcms::ContextPtr context, lcms::ProfilePtr screen, int intent,
                                     bool builtIn) {
    MonitorPreview p;
    p.builtIn = builtIn;
    const cmsUInt32Number lcmsIntent =
        intent >= 0 && intent <= 3 ? cmsUInt32Number(intent) : cmsUInt32Number(defaultIntent);
    lcms::ProfilePtr lab(cmsCreateLab4ProfileTHR(context.get(), nullptr));
    if (lab && screen)
        p.transform.reset(cmsCreateTransformTHR(context.get(), lab.get(), TYPE_Lab_DBL, screen.get(),
                                                TYPE_RGB_DBL, lcmsIntent, cmsFLAGS_NOCACHE));
    p.context = std::move(context);
    return p;
}

MonitorPreview MonitorPreview::srgb(int intent) {
    lcms::ContextPtr context = lcms::quietContext();
    lcms::ProfilePtr screen(context ? cmsCreate_sRGBProfileTHR(context.get()) : nullptr);
    return build(std::move(context), std::move(screen), intent, true);
}

Result<MonitorPreview> MonitorPreview::open(const std::string& path, int intent) {
    if (path.empty())
        return srgb(intent);
    const ProfileCheck check = ProfileCheck::check(path.c_str(), ProfileRole::Preview);
    if (!check.usable())
        return Failure{path, check.describe()};
    lcms::ContextPtr context = lcms::quietContext();
    lcms::ProfilePtr screen(context ? ProfileCheck::open(context.get(), path.c_str()) : nullptr);
    if (!screen)
        return Failure{path, "cannot be opened as a monitor profile"};
    MonitorPreview p = build(std::move(context), std::move(screen), intent, false);
    if (!p.transform)
        return Failure{path, "no transform from Lab to this profile can be built"};
    return p;
}

MonitorPreview MonitorPreview::openOrSrgb(const std::string& path, int intent) {
    Result<MonitorPreview> p = open(path, intent);
    return p ? std::move(*p) : srgb(intent);
}

bool MonitorPreview::toRgb(const double* lab, unsigned char* rgb) const {
    if (!transform || !finite(lab))
        return false;
    double out[3] = {};
    cmsDoTransform(transform.get(), lab, out, 1);
    for (int i = 0; i < 3; ++i)
        rgb[i] = byteFromUnit(out[i]);
    return true;
}

void MonitorPreview::toRgb(const double* lab, unsigned char* rgb, std::size_t count) const {
    std::vector<double> out(count * 3, 0.5);
    if (transform)
        cmsDoTransform(transform.get(), lab, out.data(), cmsUInt32Number(count));
    for (std::size_t i = 0; i < count; ++i)
        for (int c = 0; c < 3; ++c)
            rgb[i * 3 + c] = finite(lab + i * 3) && transform ? byteFromUnit(out[i * 3 + c]) : 128;
}

std::string MonitorPreview::css(const double* lab) const {
    unsigned char rgb[3] = {128, 128, 128};
    toRgb(lab, rgb);
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
    return text;
}
