// The two engine handles one chart build needs: the printer profile's
// device-to-Lab view and the Lab-to-monitor preview. Owned here so that every
// return path of a build releases them.
#pragma once

#include "KvCMS.h"
#include "Outcome.h"

class ChartHandles {
public:
    ChartHandles() = default;
    ~ChartHandles();
    ChartHandles(const ChartHandles&) = delete;
    ChartHandles& operator=(const ChartHandles&) = delete;

    // For a generated chart: an input, display or output profile in RGB or
    // CMYK. A failure names the profile that cannot be read, is of another
    // class or space, or of which a handle cannot be made.
    Status openForGrid(const char* profilePath, const char* previewProfile);
    // For a swatch chart: a CMYK output profile only.
    Status openForSwatches(const char* profilePath, const char* previewProfile);

    // The colour space a handle was made for, read from its first field.
    static icColorSpaceSignature spaceOf(KvCMSHandle handle);

    KvCMSHandle profile = nullptr;
    KvCMSHandle preview = nullptr; // null without a monitor profile: the engine previews in sRGB

private:
    Status open(icColorSpaceSignature space, const char* profilePath, const char* previewProfile);
};
