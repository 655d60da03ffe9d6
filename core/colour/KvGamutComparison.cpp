#include "KvGamutComparison.h"

#include <algorithm>

Result<KvGamutComparison> KvGamutComparison::measure(const KvGamutModel& a, const KvGamutModel& b,
                                                     const std::atomic<bool>* cancel) {
    if (a.samples().empty() || b.samples().empty())
        return Failure{"gamut", "nothing sampled to compare"};
    // The grey both reach: from the lighter of the two blacks to the darker
    // of the two whites.
    const double lo = std::max(a.black().L, b.black().L), hi = std::min(a.white().L, b.white().L);
    if (hi <= lo)
        return Failure{"gamut", "the two gamuts share no grey: one lies wholly lighter than the other"};
    const KvLabPoint ca = a.greyCentre(), cb = b.greyCentre();
    const KvLabPoint centre{(lo + hi) / 2, (ca.a + cb.a) / 2, (ca.b + cb.b) / 2};
    KvGamutComparison c;
    c.shellA = a.boundaryAbout(centre, cancel);
    c.shellB = c.shellA.empty() ? KvGamutSurface() : b.boundaryAbout(centre, cancel);
    if (cancel && cancel->load())
        return Failure{};
    if (c.shellA.empty() || c.shellB.empty())
        return Failure{"gamut", "the grey both gamuts share lies outside one of them"};
    c.a = c.shellA.volume();
    c.b = c.shellB.volume();
    c.both = KvGamutSurface::overlap(c.shellA, c.shellB);
    return c;
}
