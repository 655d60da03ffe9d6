// What a new printer profile is worth, said honestly. The fit (every patch
// through the profile made from all of them) only says how well the profile
// reproduces its own patches; the prediction (a fixed tenth held out of a
// second profile made in the same way) says how well it does between them,
// which is what a print will ask of it. The report shows both in the
// verification report's form and says which to believe.
#pragma once

#include "ChartVerdict.h"

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <string>

struct ProfileAccuracy {
    Q_DECLARE_TR_FUNCTIONS(ProfileAccuracy)

public:
    std::string profile;     // where the profile was written
    std::size_t patches = 0; // it was made from
    ChartVerdict fit;
    bool unseenChecked = false;
    ChartVerdict unseen;   // the held-out patches through the profile made without them
    std::string installed; // where it was installed; empty when it was not

    // Which figures to believe, and why.
    QString advice() const;
    // Both checks as the verification report gives a verdict (patches,
    // mean, median, 95th percentile, maximum, the worst patches), then the advice.
    QString report(std::size_t worstShown = 5) const;
    // {"profile", "patches", "fit": {"mean", "p95", "max"}, "unseen":
    //  {"patches", "mean", "p95", "max"} or null, "installed": path or null}
    std::string json() const;
};
