// Gamuts drawn in three dimensions with a QPainter: CIELAB with L* up, seen
// along a turnable, zoomable direction, in parallel projection. A gamut is
// painted as a solid of its own colours, faces turned away left out, or as a
// wireframe; a second gamut as a light wireframe over it; measured colours as
// dots, those outside the first gamut ringed. Everything is sorted far to
// near and painted in that order, so a part of the second gamut or a dot
// inside a solid first gamut is hidden, and what pokes out shows.
//
// A QPainter rather than OpenGL: the picture must come out the same on the
// offscreen platform, under Xvfb and in an exported PNG, with no GL driver,
// and a few thousand faces paint in a few tens of milliseconds.
#pragma once

#include "KvGamutShell.h"
#include "KvGamutTypes.h"

#include <QColor>
#include <QRectF>

#include <cstdint>
#include <vector>

class QPainter;

class KvGamutScene {
public:
    // Degrees and a factor; yaw turns about the L* axis, pitch tilts towards
    // looking from above.
    struct Camera {
        double yaw = -35;
        double pitch = 20;
        double zoom = 1;
    };

    struct Dot {
        KvLabPoint lab;
        QRgb colour;
        bool outside;
    };

    // The first gamut: its samples, what of them lies on its boundary, and
    // the samples' monitor colours (KvGamutFill).
    void setGamut(const std::vector<KvLabPoint>& samples, const KvGamutShell& shell,
                  const std::vector<std::uint32_t>& colours);
    // The second gamut; no samples for none.
    void setOther(const std::vector<KvLabPoint>& samples, const KvGamutShell& shell);
    void setDots(std::vector<Dot> dots);
    void clear();

    void paint(QPainter& p, const QRectF& area, const Camera& camera, bool wireframe) const;

    // Lab units from the middle of the picture to the edge of the smaller
    // side at zoom 1: room for the largest gamuts turned any way.
    static constexpr double reach = 150.0;

private:
    struct Mesh {
        std::vector<KvLabPoint> lab;
        KvGamutShell shell;
    };

    Mesh first, other;
    std::vector<std::uint32_t> colours;
    std::vector<Dot> dots;
};
