// What a gamut view draws, computed without any widget: the profile's
// device-space surface sampled into D50 Lab (relative colorimetric unless
// another intent is asked for), the outline of its projection on the a*b*
// plane and of slices at several L* levels, and the gamut's boundary in three
// dimensions with its volume in cubic Lab units.
//
// open() is quick and says whether the profile can be used at all; sample()
// and measure() do the slow work and may run on another thread than open(),
// as long as only one thread uses the model at a time. A failure names the
// profile's path and says why it cannot be drawn.
#pragma once

#include "KvDeviceFaces.h"
#include "KvGamutSurface.h"
#include "KvGamutTypes.h"
#include "LcmsHandles.h"
#include "Outcome.h"

#include <QString>

#include <atomic>
#include <string>
#include <vector>

class KvGamutModel {
public:
    // An outline of points on the a*b* plane, in order of hue angle.
    using Outline = std::vector<KvAbPoint>;

    struct Slice {
        double L;
        Outline outline;
    };

    // Checks the file and opens its profile. Fails for a file that is not a
    // usable RGB or CMYK device profile: not a regular file, cut off, of a
    // class or space without a gamut, or with curves that make no sense.
    // Colours are read through `intent` (0 perceptual, 1 relative
    // colorimetric, 2 saturation, 3 absolute colorimetric).
    Status open(const QString& path, int intent = INTENT_RELATIVE_COLORIMETRIC);
    // Samples the open profile's surface, outline and slices. Fails when the
    // profile's colours are not numbers a gamut can be drawn from.
    Status sample();
    // open() then sample().
    Status load(const QString& path, int intent = INTENT_RELATIVE_COLORIMETRIC);
    // Traces the sampled gamut's boundary, seen from the grey centre, and its
    // volume; once. Fails when the boundary cannot be traced from there, and
    // with an empty failure (no what, no why) when `cancel` was raised.
    Status measure(const std::atomic<bool>* cancel = nullptr);

    const QString& description() const { return descriptionText; }
    int intent() const { return readIntent; }
    // The samples, laid out on the sheets of faces().
    const std::vector<KvLabPoint>& samples() const { return surface; }
    const KvDeviceFaces& faces() const { return sheets; }
    // The colours of the device's white and black (paper and full ink on a
    // printer), and the middle of the grey axis between them.
    const KvLabPoint& white() const { return whiteLab; }
    const KvLabPoint& black() const { return blackLab; }
    KvLabPoint greyCentre() const;
    const Outline& outline() const { return projection; }
    const std::vector<Slice>& slices() const { return levelSlices; }
    // The gamut's volume in cubic Lab units, measured on first use; 0 when
    // measure() fails.
    double volume(const std::atomic<bool>* cancel = nullptr);
    // The boundary measure() traced; empty before.
    const KvGamutSurface& boundary() const { return shell; }
    // The boundary seen from another centre, for comparing two gamuts.
    KvGamutSurface boundaryAbout(const KvLabPoint& centre, const std::atomic<bool>* cancel = nullptr) const;
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
    Status fail(const std::string& why);
    Status checkFile(const QString& path);
    Status checkProfile();
    Status checkNeutralAxis();
    void readDescription(const QString& fileName);
    std::vector<KvLabPoint> toLabOf(std::vector<float> device) const;

    // Declared in this order so the transform goes before the profile, and
    // both before their context.
    lcms::ContextPtr context;
    lcms::ProfilePtr profile;
    lcms::TransformPtr toLab;
    int channels = 0;
    int readIntent = INTENT_RELATIVE_COLORIMETRIC;
    KvDeviceFaces sheets{3, 2};
    KvLabPoint whiteLab{100, 0, 0};
    KvLabPoint blackLab{0, 0, 0};

    std::string pathText; // what a failure names
    QString descriptionText;
    std::vector<KvLabPoint> surface;
    Outline projection;
    std::vector<Slice> levelSlices;
    KvGamutSurface shell;
    double volumeValue = -1;
};
