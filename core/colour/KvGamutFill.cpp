#include "KvGamutFill.h"
#include "MonitorPreview.h"

#include <QFile>

#include <algorithm>
#include <cmath>

namespace {

constexpr int sectors = 72;

double hueOf(double a, double b) {
    const double h = std::atan2(b, a);
    return h < 0 ? h + 2 * M_PI : h;
}

// The cusp lightness is taken per hue sector and blended between sectors, so
// the fill is smooth.
class Cusps {
public:
    explicit Cusps(const std::vector<KvLabPoint>& samples) : cuspL(sectors, 50.0), cuspC(sectors, -1.0) {
        for (const KvLabPoint& p : samples) {
            const auto s = std::size_t(std::min(sectors - 1, int(hueOf(p.a, p.b) / (2 * M_PI) * sectors)));
            const double c = std::hypot(p.a, p.b);
            if (c > cuspC[s]) {
                cuspC[s] = c;
                cuspL[s] = p.L;
            }
        }
    }

    double lightnessAt(double a, double b) const {
        const double pos = hueOf(a, b) / (2 * M_PI) * sectors - 0.5;
        const auto s0 = std::size_t((int(std::floor(pos)) + sectors) % sectors);
        const auto s1 = (s0 + 1) % std::size_t(sectors);
        const double t = pos - std::floor(pos);
        const double cusp = cuspL[s0] * (1 - t) + cuspL[s1] * t;
        // Towards the neutral axis, blend to a mid grey's lightness.
        const double reach = std::max(1.0, cuspC[s0] * (1 - t) + cuspC[s1] * t);
        const double w = std::clamp(std::hypot(a, b) / reach, 0.0, 1.0);
        return 60.0 * (1 - w) + cusp * w;
    }

private:
    std::vector<double> cuspL, cuspC;
};

} // namespace

std::vector<std::uint32_t> KvGamutFill::paint(const std::vector<KvLabPoint>& samples,
                                              const QString& monitorPath) {
    std::vector<std::uint32_t> image(std::size_t(side) * side, 0xff808080u);
    const MonitorPreview screen = MonitorPreview::openOrSrgb(QFile::encodeName(monitorPath).toStdString());
    const Cusps cusps(samples);
    std::vector<double> labLine(std::size_t(side) * 3);
    std::vector<unsigned char> rgbLine(std::size_t(side) * 3);
    for (int y = 0; y < side; ++y) {
        const double b = range - y - 0.5;
        for (int x = 0; x < side; ++x) {
            const double a = x + 0.5 - range;
            const auto i = std::size_t(x) * 3;
            labLine[i] = cusps.lightnessAt(a, b);
            labLine[i + 1] = a;
            labLine[i + 2] = b;
        }
        screen.toRgb(labLine.data(), rgbLine.data(), side);
        for (int x = 0; x < side; ++x) {
            const auto i = std::size_t(x) * 3;
            image[std::size_t(y) * side + std::size_t(x)] = 0xff000000u | std::uint32_t(rgbLine[i]) << 16 |
                                                            std::uint32_t(rgbLine[i + 1]) << 8 |
                                                            rgbLine[i + 2];
        }
    }
    return image;
}

std::vector<std::uint32_t> KvGamutFill::colours(const std::vector<KvLabPoint>& points,
                                                const QString& monitorPath) {
    const MonitorPreview screen = MonitorPreview::openOrSrgb(QFile::encodeName(monitorPath).toStdString());
    std::vector<double> lab;
    lab.reserve(points.size() * 3);
    for (const KvLabPoint& p : points)
        lab.insert(lab.end(), {p.L, p.a, p.b});
    std::vector<unsigned char> rgb(lab.size());
    screen.toRgb(lab.data(), rgb.data(), points.size());
    std::vector<std::uint32_t> out(points.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = 0xff000000u | std::uint32_t(rgb[3 * i]) << 16 | std::uint32_t(rgb[3 * i + 1]) << 8 |
                 rgb[3 * i + 2];
    return out;
}
