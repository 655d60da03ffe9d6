// Measured charts as a profile is made from them: a file refused says why,
// and one taken holds only patches whose inks and readings are finite and in
// range, so colprof is never handed a value the reader did not check; the
// held-out tenth and the .ti3 for colprof come out of any of them.
#include "MeasuredSet.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Result<MeasuredSet> set = MeasuredSet::parse(data, size, "fuzz");
    if (!set) {
        if (set.failure().why.empty())
            std::abort();
        return 0;
    }
    if (set->size() == 0 || set->size() > MeasuredSet::maximumPatches)
        std::abort();
    for (const MeasuredPatch& p : set->patches) {
        for (double ink : p.cmyk)
            if (!(ink >= 0 && ink <= 100))
                std::abort();
        for (double v : p.lab)
            if (!std::isfinite(v))
                std::abort();
    }
    const std::vector<std::size_t> held = set->heldOut();
    if (held.size() > set->size() || set->without(held).size() != set->size() - held.size())
        std::abort();
    if (set->ti3("fuzz").empty())
        std::abort();
    return 0;
}
