// How two gamuts compare, in the figures print people quote: the volume of
// each, of the colours both hold, and the share of each inside the other.
// Both boundaries are seen from one centre, the middle of the grey both
// profiles reach, so that in every direction the overlap reaches as far as
// the nearer of the two.
#pragma once

#include "KvGamutModel.h"
#include "KvGamutSurface.h"
#include "Outcome.h"

#include <atomic>

class KvGamutComparison {
public:
    // Both models opened and sampled. Fails when the two share no grey to
    // look out from, or when one boundary cannot be traced from there;
    // an empty failure (no what, no why) when `cancel` was raised.
    static Result<KvGamutComparison> measure(const KvGamutModel& a, const KvGamutModel& b,
                                             const std::atomic<bool>* cancel = nullptr);

    // In cubic Lab units.
    double volumeA() const { return a; }
    double volumeB() const { return b; }
    double overlap() const { return both; }
    // Percent of A's volume that B holds too, and of B's that A holds.
    double aInB() const { return a > 0 ? 100 * both / a : 0; }
    double bInA() const { return b > 0 ? 100 * both / b : 0; }

    const KvGamutSurface& surfaceA() const { return shellA; }
    const KvGamutSurface& surfaceB() const { return shellB; }

private:
    KvGamutComparison() = default;

    KvGamutSurface shellA, shellB;
    double a = 0, b = 0, both = 0;
};
