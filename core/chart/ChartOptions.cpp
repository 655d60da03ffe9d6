#include "ChartOptions.h"

std::string ChartOptions::problem(unsigned long count) const {
    if (levels < minLevels || levels > maxLevels)
        return "the grid takes " + std::to_string(minLevels) + " to " + std::to_string(maxLevels) +
               " levels per ink";
    if (inkLimit != 0 && (inkLimit < minInkLimit || inkLimit > maxInkLimit))
        return "the ink limit must lie from " + std::to_string(minInkLimit) + " to " +
               std::to_string(maxInkLimit) + " percent";
    if (count < minPatches || count > maxPatches)
        return "a chart has " + std::to_string(minPatches) + " to " + std::to_string(maxPatches) + " patches";
    return {};
}
