// The verification report as one self-contained HTML page: the verdict and
// its numbers, a histogram of the errors, the worst patches, and every patch
// as its target beside its measured colour. Colours are painted through a
// monitor profile (sRGB when none is given); nothing is fetched from outside.
// The page is well-formed XML, so any XML parser can read it back.
#pragma once

#include <ctime>
#include <string>

class ChartSession;
struct ChartVerdict;

class VerificationReport {
public:
    static std::string html(const ChartSession& chart, const ChartVerdict& verdict, const std::string& title,
                            const std::string& monitorProfile, std::time_t created);
    // Whether `path` is an RGB profile the swatches can be painted through;
    // html() would otherwise fall back to sRGB, or paint every swatch grey.
    static bool usableMonitor(const std::string& path);
};
