#include "SimulatedInstrument.h"

#include "KvCMS.h"

#include <cmath>

void SimulatedInstrument::offsetByDeltaE(const double* target, double deltaE, const double* direction,
                                         double* out) {
    const double length =
        std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] + direction[2] * direction[2]);
    for (int i = 0; i < 3; ++i)
        out[i] = target[i];
    if (!(deltaE > 0) || !(length > 0) || !std::isfinite(length))
        return;
    const double unit[3] = {direction[0] / length, direction[1] / length, direction[2] / length};
    auto along = [&](double t) {
        const double p[3] = {target[0] + t * unit[0], target[1] + t * unit[1], target[2] + t * unit[2]};
        return KvCMS_ColourDiff_DeltaE(p, target);
    };
    // CIEDE2000 is not a Euclidean distance: find the step that gives it by
    // bisection along the ray.
    double low = 0.0;
    double high = deltaE;
    for (int i = 0; i < 40 && along(high) < deltaE; ++i)
        high *= 2.0;
    for (int i = 0; i < 60; ++i) {
        const double middle = 0.5 * (low + high);
        (along(middle) < deltaE ? low : high) = middle;
    }
    for (int i = 0; i < 3; ++i)
        out[i] = target[i] + high * unit[i];
}

void SimulatedInstrument::read(const double* target, double deltaE, double* out) {
    double direction[3];
    do {
        for (double& d : direction)
            d = random.generateDouble() * 2.0 - 1.0;
    } while (std::fabs(direction[0]) + std::fabs(direction[1]) + std::fabs(direction[2]) < 1e-3);
    offsetByDeltaE(target, deltaE, direction, out);
}
