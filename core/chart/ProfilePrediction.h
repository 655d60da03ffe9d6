// How well a printer profile predicts measured patches: each patch's inks
// through the profile into D50 Lab, absolute colorimetric as an instrument
// sees the print, against its reading, in CIEDE2000, judged as a measured
// chart is (ChartVerdict: mean, median, percentiles, the worst patches).
//
// LittleCMS evaluates the profile's own tables in floating point
// (cmsFLAGS_NOOPTIMIZE): an optimised transform would first resample them
// onto a grid of its own, and the figures would then describe that grid as
// much as the profile.
#pragma once

#include "ChartVerdict.h"
#include "Outcome.h"

#include <cstddef>
#include <string>
#include <vector>

class ChartDocument;
class ChartSession;
class MeasuredSet;

class ProfilePrediction {
public:
    // Whether the file is a CMYK output profile LittleCMS can take from inks
    // to Lab and back, as a chart needs it.
    static Status check(const std::string& profilePath);

    // The patches `which` (positions in `set`; every patch when empty) as a
    // chart whose targets are the profile's predictions and whose readings
    // are the measurements, left in `chart`, and its verdict (no tolerances).
    static Result<ChartVerdict> judge(const std::string& profilePath, const MeasuredSet& set,
                                      const std::vector<std::size_t>& which, ChartSession& chart);

    // The chart of `measured` again in `into`, its targets predicted by
    // `profile` through the chart engine (as a chart from that profile
    // would have them) and its readings kept: the same print judged against
    // a new profile.
    static Status retarget(const ChartDocument& measured, const std::string& profile, ChartDocument& into);
};
