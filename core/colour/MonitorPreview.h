// The one way D50 Lab reaches the screen: a transform from Lab to the monitor
// profile's RGB, relative colorimetric unless asked otherwise, so that paper
// white shows as monitor white. Without a monitor profile the built-in sRGB
// stands in. Every preview of the program (chart patches, the converter's
// swatch and kept colours, the gamut picture, the HTML report) is painted
// here, so they all agree on a colour.
//
// The transform keeps no cache, so one preview may paint from several threads.
#pragma once

#include "LcmsHandles.h"
#include "Outcome.h"

#include <cstddef>
#include <string>

class MonitorPreview {
public:
    static constexpr int defaultIntent = INTENT_RELATIVE_COLORIMETRIC;

    // The monitor profile at `path` (an RGB profile of any class but a link,
    // that the profile check accepts), or sRGB when `path` is empty. A named
    // profile that cannot be used is a failure, never quietly sRGB.
    static Result<MonitorPreview> open(const std::string& path, int intent = defaultIntent);
    // The same, but sRGB stands in for a profile that cannot be used; for
    // pictures that must be painted anyway, after the choice was checked.
    static MonitorPreview openOrSrgb(const std::string& path, int intent = defaultIntent);
    static MonitorPreview srgb(int intent = defaultIntent);

    MonitorPreview(MonitorPreview&&) noexcept = default;
    MonitorPreview& operator=(MonitorPreview&&) noexcept = default;

    // Lab to 0..255 RGB, rounded to the nearest step; false (and `rgb`
    // untouched) for a Lab that is not finite.
    bool toRgb(const double* lab, unsigned char* rgb) const;
    // `count` colours at once: Lab triples in, RGB triples out. A colour that
    // is not finite gives mid grey.
    void toRgb(const double* lab, unsigned char* rgb, std::size_t count) const;
    // "#rrggbb", for pages.
    std::string css(const double* lab) const;

    bool isSrgb() const { return builtIn; }

private:
    MonitorPreview() = default;
    static MonitorPreview build(lcms::ContextPtr context, lcms::ProfilePtr screen, int intent, bool builtIn);

    lcms::ContextPtr context;
    lcms::TransformPtr transform;
    bool builtIn = false;
};
