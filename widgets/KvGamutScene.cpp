#include "KvGamutScene.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double axisReach = 128;

struct Point3 {
    double x, y, z; // across, up, towards the viewer
};

// Lab to the viewer's frame: a* across, L* up (about the middle grey), b*
// into the picture at yaw 0, turned about L* by the yaw, then tilted.
class Projection {
public:
    Projection(const QRectF& area, const KvGamutScene::Camera& c)
        : cy(std::cos(c.yaw * M_PI / 180)), sy(std::sin(c.yaw * M_PI / 180)),
          cp(std::cos(c.pitch * M_PI / 180)), sp(std::sin(c.pitch * M_PI / 180)),
          scale(c.zoom * std::min(area.width(), area.height()) / (2 * KvGamutScene::reach)),
          middle(area.center()) {}

    Point3 operator()(const KvLabPoint& p) const {
        const double x = p.a, y = p.L - 50, z = p.b;
        const double x1 = x * cy + z * sy, z1 = -x * sy + z * cy;
        return {x1, y * cp - z1 * sp, y * sp + z1 * cp};
    }
    QPointF screen(const Point3& v) const { return middle + QPointF(v.x * scale, -v.y * scale); }

private:
    double cy, sy, cp, sp, scale;
    QPointF middle;
};

enum class Kind : unsigned char { Face, FirstWire, OtherWire, Axis, Dot };

struct Item {
    double depth;
    Kind kind;
    std::uint32_t index;
};

QRgb average(const std::array<QRgb, 4>& c, double light) {
    int sum[3] = {};
    for (QRgb v : c) {
        sum[0] += qRed(v);
        sum[1] += qGreen(v);
        sum[2] += qBlue(v);
    }
    const auto channel = [light](int s) { return std::clamp(int(std::lround(s / 4.0 * light)), 0, 255); };
    return qRgb(channel(sum[0]), channel(sum[1]), channel(sum[2]));
}

// The axes: L* from black to white, a* and b* through the middle grey, each
// in pieces so that the parts inside a solid gamut sort behind its faces.
std::vector<std::array<KvLabPoint, 2>> axisPieces() {
    std::vector<std::array<KvLabPoint, 2>> out;
    constexpr int pieces = 16;
    for (int i = 0; i < pieces; ++i) {
        const double t0 = double(i) / pieces, t1 = double(i + 1) / pieces;
        out.push_back({KvLabPoint{100 * t0, 0, 0}, KvLabPoint{100 * t1, 0, 0}});
        const double a0 = -axisReach + 2 * axisReach * t0, a1 = -axisReach + 2 * axisReach * t1;
        out.push_back({KvLabPoint{50, a0, 0}, KvLabPoint{50, a1, 0}});
        out.push_back({KvLabPoint{50, 0, a0}, KvLabPoint{50, 0, a1}});
    }
    return out;
}

} // namespace

void KvGamutScene::setGamut(const std::vector<KvLabPoint>& samples, const KvGamutShell& shell,
                            const std::vector<std::uint32_t>& sampleColours) {
    first = {samples, shell};
    colours = sampleColours;
    if (colours.size() != samples.size())
        colours.assign(samples.size(), qRgb(160, 160, 160));
}

void KvGamutScene::setOther(const std::vector<KvLabPoint>& samples, const KvGamutShell& shell) {
    other = {samples, shell};
}

void KvGamutScene::setDots(std::vector<Dot> d) {
    dots = std::move(d);
}

void KvGamutScene::clear() {
    first = other = Mesh();
    colours.clear();
    dots.clear();
}

void KvGamutScene::paint(QPainter& p, const QRectF& area, const Camera& camera, bool wireframe) const {
    const Projection project(area, camera);
    const auto corners = [&](const Mesh& m, const KvGamutShell::Quad& q) {
        std::array<Point3, 4> v;
        for (int k = 0; k < 4; ++k)
            v[std::size_t(k)] = project(m.lab[q.corner[std::size_t(k)]]);
        return v;
    };
    const auto depthOf = [](const std::array<Point3, 4>& v) {
        return (v[0].z + v[1].z + v[2].z + v[3].z) / 4;
    };

    std::vector<Item> items;
    std::vector<double> light(first.shell.faces.size(), 0.0);
    if (!wireframe) {
        for (std::uint32_t i = 0; i < first.shell.faces.size(); ++i) {
            const auto v = corners(first, first.shell.faces[i]);
            // Corners run counter-clockwise from outside in (L*, a*, b*);
            // the frame here lists a* before L*, which turns that round.
            const double ux = v[2].x - v[0].x, uy = v[2].y - v[0].y, uz = v[2].z - v[0].z;
            const double wx = v[3].x - v[1].x, wy = v[3].y - v[1].y, wz = v[3].z - v[1].z;
            const double nz = -(ux * wy - uy * wx);
            const double length =
                std::sqrt(std::pow(uy * wz - uz * wy, 2) + std::pow(uz * wx - ux * wz, 2) + nz * nz);
            if (nz <= 0 || length <= 0)
                continue;
            light[i] = 0.7 + 0.3 * nz / length;
            items.push_back({depthOf(v), Kind::Face, i});
        }
    } else {
        for (std::uint32_t i = 0; i < first.shell.wires.size(); ++i)
            items.push_back({depthOf(corners(first, first.shell.wires[i])), Kind::FirstWire, i});
    }
    for (std::uint32_t i = 0; i < other.shell.wires.size(); ++i)
        items.push_back({depthOf(corners(other, other.shell.wires[i])), Kind::OtherWire, i});
    const auto axes = axisPieces();
    for (std::uint32_t i = 0; i < axes.size(); ++i)
        items.push_back({(project(axes[i][0]).z + project(axes[i][1]).z) / 2, Kind::Axis, i});
    for (std::uint32_t i = 0; i < dots.size(); ++i)
        items.push_back({project(dots[i].lab).z, Kind::Dot, i});
    std::sort(items.begin(), items.end(), [](const Item& x, const Item& y) { return x.depth < y.depth; });

    const auto polygon = [&](const std::array<Point3, 4>& v) {
        QPolygonF poly;
        for (const Point3& c : v)
            poly << project.screen(c);
        return poly;
    };
    const auto quadColour = [&](const KvGamutShell::Quad& q, double shade) {
        return average({QRgb(colours[q.corner[0]]), QRgb(colours[q.corner[1]]), QRgb(colours[q.corner[2]]),
                        QRgb(colours[q.corner[3]])},
                       shade);
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const Item& it : items) {
        switch (it.kind) {
        case Kind::Face: {
            const QColor c = QColor::fromRgb(quadColour(first.shell.faces[it.index], light[it.index]));
            p.setPen(QPen(c, 0)); // covers the seams between faces
            p.setBrush(c);
            p.drawPolygon(polygon(corners(first, first.shell.faces[it.index])));
            break;
        }
        case Kind::FirstWire:
            p.setPen(QPen(QColor::fromRgb(quadColour(first.shell.wires[it.index], 1.0)), 0));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(polygon(corners(first, first.shell.wires[it.index])));
            break;
        case Kind::OtherWire:
            p.setPen(QPen(QColor(255, 255, 255, 210), 0));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(polygon(corners(other, other.shell.wires[it.index])));
            break;
        case Kind::Axis:
            p.setPen(QPen(QColor(20, 20, 20), 0));
            p.drawLine(project.screen(project(axes[it.index][0])),
                       project.screen(project(axes[it.index][1])));
            break;
        case Kind::Dot: {
            const Dot& d = dots[it.index];
            const QPointF at = project.screen(project(d.lab));
            p.setRenderHint(QPainter::Antialiasing, true);
            if (d.outside) {
                p.setPen(QPen(QColor(230, 0, 0), 2));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(at, 6, 6);
            }
            p.setPen(QPen(QColor(0, 0, 0), 1));
            p.setBrush(QColor::fromRgb(d.colour));
            p.drawEllipse(at, 3, 3);
            p.setRenderHint(QPainter::Antialiasing, false);
            break;
        }
        }
    }
    p.setPen(QColor(235, 235, 235));
    const auto label = [&](const KvLabPoint& lab, const QString& text) {
        p.drawText(project.screen(project(lab)) + QPointF(4, -4), text);
    };
    label({100, 0, 0}, QStringLiteral("L* 100"));
    label({0, 0, 0}, QStringLiteral("L* 0"));
    label({50, axisReach, 0}, QStringLiteral("+a*"));
    label({50, 0, axisReach}, QStringLiteral("+b*"));
    p.restore();
}
