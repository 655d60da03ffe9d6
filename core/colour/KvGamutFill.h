// The colours behind a gamut's outline: each cell of the a*b* plane painted
// with the colour of that hue and chroma at the lightness of the gamut's most
// chromatic colour of that hue (its cusp), as the monitor shows it. The view
// clips it to the outline when painting.
#pragma once

#include "KvGamutModel.h"

#include <QString>

#include <cstdint>
#include <vector>

class KvGamutFill {
public:
    // One cell per a*b* unit over -128..128 on both axes.
    static constexpr int side = 256;
    static constexpr double range = 128.0;

    // Rows from b* = +128 down, as 0xffRRGGBB, through the monitor profile
    // (sRGB when the path is empty or not a usable RGB display profile).
    static std::vector<std::uint32_t> paint(const std::vector<KvLabPoint>& samples,
                                            const QString& monitorPath);
    // Colours as the monitor shows them, the same way, for the view in three
    // dimensions.
    static std::vector<std::uint32_t> colours(const std::vector<KvLabPoint>& lab, const QString& monitorPath);
};
