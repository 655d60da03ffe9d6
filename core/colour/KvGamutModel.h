// What a gamut view draws, computed without any widget: the profile's
// device-space surface sampled into D50 Lab (relative colorimetric), the
// outline of its projection on the a*b* plane and of slices at several L*
// levels, and the gamut's volume in cubic Lab units.
//
// open() is quick and says whether the profile can be used at all; sample()
// and volume() do the slow work and may run on another thread than open(),
// as long as only one thread uses the model at a time.
#pragma once

#include "LcmsHandles.h"

#include <QString>

#include <atomic>
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

    // Checks the file and opens its profile. False (with error() set) for a
    // file that is not a usable RGB or CMYK device profile: not a regular
    // file, cut off, of a class or space without a gamut, or with curves that
    // make no sense.
    bool open(const QString& path);
    // Samples the open profile's surface, outline and slices. False (with
    // error() set) when the profile's colours are not numbers a gamut can be
    // drawn from.
    bool sample();
    // open() then sample().
    bool load(const QString& path) { return open(path) && sample(); }

    const QString& error() const { return errorText; }
    const QString& description() const { return descriptionText; }
    const std::vector<KvLabPoint>& samples() const { return surface; }
    const Outline& outline() const { return projection; }
    const std::vector<Slice>& slices() const { return levelSlices; }
    // The gamut's volume in cubic Lab units, measured on first use; 0 when
    // nothing is sampled or `cancel` was raised while measuring.
    double volume(const std::atomic<bool>* cancel = nullptr);
    bool hasVolume() const { return volumeValue >= 0; }
    // The volume if it has been measured, else 0.
    double measuredVolume() const { return hasVolume() ? volumeValue : 0.0; }

    // Outline of a point cloud on the a*b* plane: the convex hull of the
    // farthest points from the neutral axis in `sectors` hue sectors,
    // counter-clockwise.
    static Outline outlineOf(const std::vector<KvLabPoint>& points, int sectors = 180);
    // The area enclosed by an outline.
    static double area(const Outline& outline);

private:
    bool fail(const QString& why);
    bool checkFile(const QString& path);
    bool checkProfile();
    bool checkNeutralAxis();
    bool checkRole(const QString& path);
    void readDescription(const QString& fileName);
    std::vector<KvLabPoint> toLabOf(std::vector<float> device) const;

    // Declared in this order so the transform goes before the profile, and
    // both before their context.
    lcms::ContextPtr context;
    lcms::ProfilePtr profile;
    lcms::TransformPtr toLab;
    int channels = 0;

    QString errorText;
    QString descriptionText;
    std::vector<KvLabPoint> surface;
    Outline projection;
    std::vector<Slice> levelSlices;
    double volumeValue = -1;
};
