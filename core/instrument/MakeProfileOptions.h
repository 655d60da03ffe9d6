// How a printer profile is made from measurements, and the colprof command
// line that says so. The defaults are what a print user expects: medium
// quality, colprof's own black generation, the chart's own ink limit when it
// had one, a description naming the chart and the date, and the check on
// unseen patches for charts large enough to spare a tenth.
#pragma once

#include <QStringList>

#include <cstddef>
#include <ctime>
#include <string>

class MeasuredSet;

struct MakeProfileOptions {
    enum Quality { Low, Medium, High, Ultra }; // colprof -ql, -qm, -qh, -qu
    enum Black { Ramp, Zero, Half, Maximum };  // colprof -kr (its default), -kz, -kh, -kx
    enum Unseen { Automatic, Always, Never };  // Automatic: from unseenFrom patches on

    static constexpr std::size_t unseenFrom = 300;
    static constexpr int minInkLimit = 100;
    static constexpr int maxInkLimit = 400;

    Quality quality = Medium;
    Black black = Ramp;
    int inkLimit = 0;        // total ink in percent; 0 for the chart's own (or none)
    std::string description; // empty for one naming the chart and the date
    Unseen unseen = Automatic;

    bool checksUnseen(std::size_t patches) const;
    // The limit colprof is given, or 0 for none.
    int inkLimitFor(const MeasuredSet& set) const;
    std::string descriptionFor(const MeasuredSet& set, std::time_t now) const;
    // colprof's options, before -O and the base name. The profile made only
    // to check the unseen patches needs no separation tables worth the time:
    // only its device-to-Lab table is used.
    QStringList colprofArguments(const MeasuredSet& set, std::time_t now, bool onlyForTheCheck) const;

    // The names the command line and the settings use: low, medium, high,
    // ultra; ramp, zero, half, max; auto, always, never.
    static const char* name(Quality q);
    static const char* name(Black b);
    static const char* name(Unseen u);
    static bool parse(const std::string& text, Quality* q);
    static bool parse(const std::string& text, Black* b);
    static bool parse(const std::string& text, Unseen* u);
};
