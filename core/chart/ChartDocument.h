// One chart as the program knows it: its patches with their readings (the
// session) and where the chart came from (the origin). Every operation on a
// chart is here, so that the chart window and both modes of tintry-chart do
// the same thing the same way: build it from a profile, a swatch file or a
// reference, export it for paper or for instruments, take in measurements,
// save them, and judge the print.
//
// A build replaces the chart only when it succeeds; what a saved file or a
// report calls the chart comes from the origin, in the program's own words,
// never from a window's translated caption.
#pragma once

#include "ChartGeneration.h"
#include "ChartOptions.h"
#include "ChartSession.h"
#include "ChartVerdict.h"
#include "KvComboColour.h"
#include "Outcome.h"

#include <cstdio>
#include <ctime>
#include <string>

class PageLayout;

struct ChartOrigin {
    enum Kind {
        Empty,     // no chart yet
        Profile,   // the grid of a profile, thinned
        Swatches,  // the records of a swatch file, separated or printed through a profile
        Reference, // a reference file's targets (a chart's own export, or any CGATS with Lab)
        Measured,  // a measured chart saved by this program
    };
    Kind kind = Empty;
    std::string profile; // the profile the chart was made from or separated through
    std::string file;    // the swatch, reference or measured-chart file
    std::string preview; // the monitor profile of the preview; empty: sRGB
    ChartOptions options;
    bool separate = false;
    ChartGeneration::SwatchInks inks;
};

class ChartDocument {
public:
    ChartDocument() = default;
    ChartDocument(const ChartDocument&) = delete;
    ChartDocument& operator=(const ChartDocument&) = delete;

    ChartSession& session() { return session_; }
    const ChartSession& session() const { return session_; }
    const ChartOrigin& origin() const { return origin_; }
    bool empty() const { return session_.empty(); }
    void clear();

    // --- building -----------------------------------------------------------
    // `count` patches of the profile's grid; an RGB profile gives an empty
    // chart (a screen has no inks to print). Progress lines go to `progress`
    // (null: nowhere).
    Status buildFromProfile(const std::string& profile, const std::string& preview, unsigned long count,
                            const ChartOptions& options, std::FILE* progress);
    // The same from handles made by the caller; the origin names no profile.
    Status buildFromHandles(KvCMSHandle profile, KvCMSHandle preview, unsigned long count,
                            const ChartOptions& options, std::FILE* progress);
    // One patch per swatch, through a CMYK output profile.
    Status buildFromSwatchFile(const std::string& swatches, const std::string& profile,
                               const std::string& preview, bool separate);
    Status buildFromSwatches(const KVCOMBOCOLOUR* records, const std::string& profile,
                             const std::string& preview, bool separate);
    // A reference to judge measurements against: our own measured-chart file
    // (its readings dropped), any swatch file with Lab on every row (its inks
    // kept), or any measurement file (targets and names alone).
    Status openReference(const std::string& path);
    // A measured chart saved by this program, with its readings.
    Status openMeasured(const std::string& path);

    // --- exports --------------------------------------------------------------
    // PostScript, or PDF for a name ending in .pdf.
    Status exportPaper(const std::string& path, const PageLayout& layout, std::time_t created) const;
    // An ArgyllCMS target for a name ending in .ti1, else an ISO 12642 file.
    Status exportCgats(const std::string& path, std::time_t created) const;
    Status exportIso12642(const std::string& path, std::time_t created) const;
    Status exportTi1(const std::string& path, std::time_t created) const;

    // --- measurements and the verdict ----------------------------------------------
    // Readings of a measurement file, from the current patch on.
    Result<ChartSession::FileResult> loadMeasurements(const std::string& path);
    ChartVerdict judge(const ChartTolerances& tolerances) const;
    // `title` empty: title().
    Status saveMeasurements(const std::string& path, std::time_t created,
                            const std::string& title = {}) const;
    std::string report(const ChartTolerances& tolerances, const std::string& monitor, std::time_t created,
                       const std::string& title = {}) const;
    Status exportReport(const std::string& path, const ChartTolerances& tolerances,
                        const std::string& monitor, std::time_t created, const std::string& title = {}) const;

    // --- words --------------------------------------------------------------------
    // What files and reports call the chart: "Colour check chart for ICC
    // profile printer.icc".
    std::string title() const;
    // The file the chart came from, without its folder, for its pages.
    std::string sourceName() const;
    // The DESCRIPTOR of its CGATS exports: where the inks came from.
    std::string descriptor() const;

private:
    void adopt(CHARTPATCH* list, ChartOrigin origin);

    ChartSession session_;
    ChartOrigin origin_;
};
