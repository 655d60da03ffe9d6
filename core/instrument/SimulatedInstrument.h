// A stand-in for a spectrophotometer, to try the measuring flow without
// hardware: each reading is the target moved in a random direction by a set
// CIEDE2000 error. The sequence is the same on every run, so a demonstration
// can be repeated.
#pragma once

#include <QRandomGenerator>

class SimulatedInstrument {
public:
    // `target` moved along `direction` (need not be unit length) until its
    // CIEDE2000 difference from `target` is `deltaE`.
    static void offsetByDeltaE(const double* target, double deltaE, const double* direction, double* out);

    // One reading of `target` (D50 Lab), `deltaE` away from it.
    void read(const double* target, double deltaE, double* out);

private:
    QRandomGenerator random{20240607u};
};
