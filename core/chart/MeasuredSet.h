// The measurements a printer profile is made from: every patch's inks and
// its reading, nothing left out. They come from a measured chart of this
// program (a chart window's session, or its "Save measurements" file) or from
// any CGATS file with CMYK_ inks and LAB_ or XYZ_ readings, as ArgyllCMS's
// chartread writes them. A file is read whole or refused with the reason: a
// profile made from part of a chart, or from a patch whose reading is
// missing, would describe a printer nobody measured.
#pragma once

#include "Outcome.h"

#include <cstddef>
#include <string>
#include <vector>

class ChartDocument;
class ChartSession;

struct MeasuredPatch {
    std::string name;              // SAMPLE_NAME, else SAMPLE_ID, else the position from 1
    double cmyk[4] = {0, 0, 0, 0}; // C, M, Y, K in percent
    double lab[3] = {0, 0, 0};     // the reading, D50
};

class MeasuredSet {
public:
    // A CMYK profile maps four inks; below a grid of three levels per ink
    // (81 patches) and a few checks of the paper and solids, colprof can only
    // guess between the patches, however well it reproduces them.
    static constexpr std::size_t minimumPatches = 100;
    static constexpr std::size_t maximumPatches = 20000;
    static constexpr std::size_t maximumFileSize = 64u << 20;

    std::vector<MeasuredPatch> patches;
    int inkLimit = 0;   // the TOTAL_INK_LIMIT the chart was made with, percent; 0 when it names none
    std::string source; // the file's or the chart's name, for the profile's description

    static Result<MeasuredSet> read(const std::string& path);
    static Result<MeasuredSet> parse(const void* data, std::size_t size, const std::string& source);
    // A chart window's chart: every patch must have its reading.
    static Result<MeasuredSet> fromChart(const ChartSession& chart, const std::string& source);
    // The same, with the ink limit the chart was built with, when it had one.
    static Result<MeasuredSet> fromDocument(const ChartDocument& document);

    std::size_t size() const { return patches.size(); }
    // Whether a useful profile can be made: enough patches (the failure says
    // how many are needed), and the bare paper among them, from which colprof
    // takes the media white (it refuses to work without).
    Status enough() const;

    // The patches held out of the check on unseen patches: a fixed tenth
    // (rounded up), chosen by the inks alone, so that the same patches are
    // chosen on every run and whatever the order of the file. Patches of the
    // same inks go together (a repeat left in would give its twin's answer
    // away), and the paper is never held out (colprof takes the media white
    // from it). Positions in `patches`, ascending.
    std::vector<std::size_t> heldOut() const;
    // All but `leaveOut` (ascending positions).
    MeasuredSet without(const std::vector<std::size_t>& leaveOut) const;

    // The patches as an ArgyllCMS .ti3 (CTI3, CMYK_LAB), as colprof reads them.
    std::string ti3(const std::string& descriptor) const;
};
