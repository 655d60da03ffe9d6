#include "ChartShuffle.h"

namespace {

// SplitMix64: tiny, well mixed, and defined bit for bit.
struct SplitMix {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, bound) without the bias of a plain modulo.
    std::uint64_t below(std::uint64_t bound) {
        const std::uint64_t reject = (0 - bound) % bound;
        for (;;) {
            const std::uint64_t r = next();
            if (r >= reject)
                return r % bound;
        }
    }
};

} // namespace

std::vector<std::size_t> ChartShuffle::order(std::size_t n, std::uint32_t seed) {
    std::vector<std::size_t> o(n);
    for (std::size_t i = 0; i < n; ++i)
        o[i] = i;
    SplitMix random{seed};
    for (std::size_t i = n; i > 1; --i)
        std::swap(o[i - 1], o[random.below(i)]);
    return o;
}

void ChartShuffle::apply(CHARTPATCH** patches, std::uint32_t seed) {
    std::vector<CHARTPATCH*> records;
    for (CHARTPATCH* p = *patches; p != nullptr; p = KvNext(p)) {
        if (p->number == 0)
            p->number = static_cast<std::uint32_t>(records.size() + 1);
        records.push_back(p);
    }
    // AddList rewrites every link of a record it appends, so the old links can simply be dropped.
    *patches = nullptr;
    for (std::size_t i : order(records.size(), seed))
        AddList(patches, records[i]);
}
