// What a gamut view draws, computed without any widget: the profile's
// device-space surface sampled into D50 Lab (relative colorimetric), the
// outline of its projection on the a*b* plane and of slices at several L*
// levels, and the gamut's volume in cubic Lab units.
#pragma once

#include <QString>

#include <vector>

struct KvLabPoint {
    double L, a, b;
};

struct KvAbPoint {
    double a, b;
};

class KvGamutModel {
public:
    // An outline of points on the a*b* plane, in order of hue angle.
    using Outline = std::vector<KvAbPoint>;

    struct Slice {
        double L;
        Outline outline;
    };

    // Reads and samples the profile. False (with error() set) for a file that
    // is not a usable RGB or CMYK device profile.
    bool load(const QString& path);

    const QString& error() const { return errorText; }
    const QString& description() const { return descriptionText; }
    const std::vector<KvLabPoint>& samples() const { return surface; }
    const Outline& outline() const { return projection; }
    const std::vector<Slice>& slices() const { return levelSlices; }
    // The gamut's volume in cubic Lab units (computed on first use).
    double volume();
    bool hasVolume() const { return volumeValue >= 0; }

    // Outline of a point cloud on the a*b* plane: the convex hull of the
    // farthest points from the neutral axis in `sectors` hue sectors,
    // counter-clockwise.
    static Outline outlineOf(const std::vector<KvLabPoint>& points, int sectors = 180);
    // The area enclosed by an outline.
    static double area(const Outline& outline);

private:
    QString pathText;
    QString errorText;
    QString descriptionText;
    std::vector<KvLabPoint> surface;
    Outline projection;
    std::vector<Slice> levelSlices;
    double volumeValue = -1;
};
