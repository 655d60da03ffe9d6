// The patches a printer reads first on any chart: unprinted paper, the four
// solids, the three two-colour overprints and a neutral ramp of cyan, magenta
// and yellow balanced to grey through the profile. They stand at the start of
// the chart and are never culled; any of them above the ink limit is left out.
#pragma once

#include "ChartOptions.h"
#include "ChartPatch.h"
#include "KvCMS.h"

#include <array>
#include <vector>

class ChartControls {
public:
    static constexpr int rampSteps = 5;
    using Inks = std::array<unsigned char, 4>; // K, C, M, Y

    // The inks of the controls, in chart order.
    static std::vector<Inks> inks(KvCMSHandle profile, const ChartOptions& options);
    // Appends the controls to *patches; their number, or -1 when memory ran out.
    static int append(CHARTPATCH** patches, KvCMSHandle profile, KvCMSHandle preview,
                      const ChartOptions& options);

    // Magenta and yellow that, with cyan `c` and no black, print closest to
    // neutral (media-relative a* = b* = 0) on the profile.
    static Inks greyBalance(KvCMSHandle profile, unsigned char c);

private:
    static std::vector<Inks> neutralRamp(KvCMSHandle profile, const ChartOptions& options);
};
