#include "ReferenceCull.h"

#include "KvCMS.h"
#include "RoughCull.h"

#include <set>

void ReferenceCull::cullToCount(CHARTPATCH** patches, unsigned long count, std::FILE* out,
                                unsigned long keep) {
    count = count < keep ? keep : count;
    RoughCull::cullLoop(patches, count, [&](double tolerance, bool& reverse) {
        pass(patches, tolerance, reverse, count, out, keep);
    });
}

void ReferenceCull::drop(CHARTPATCH** patches, CHARTPATCH* p) {
    RemoveList(patches, p);
    if (removed)
        removed(*p);
    Kv_free(p);
}

void ReferenceCull::pass(CHARTPATCH** patches, double tolerance, bool& reverse, unsigned long count,
                         std::FILE* out, unsigned long keep) {
    if (*patches == nullptr)
        return;
    unsigned long length = static_cast<unsigned long>(ListLength(*patches));
    unsigned long dropped = 0;
    auto step = [&](const CHARTPATCH* p) { return reverse ? KvPrevious(p) : KvNext(p); };
    // The kept patches are the first `keep` of the list; nothing ahead of them is ever removed.
    std::set<const CHARTPATCH*> kept;
    for (const CHARTPATCH* p = *patches; p != nullptr && kept.size() < keep; p = KvNext(p))
        kept.insert(p);
    CHARTPATCH* reference = reverse ? reinterpret_cast<CHARTPATCH*>((*patches)->link.last) : *patches;
    bool done = length <= count;
    while (!done && reference != nullptr) {
        for (CHARTPATCH* tested = step(reference); tested != nullptr && !done;) {
            CHARTPATCH* following = step(tested);
            if (KvCMS_ColourDiff_CIE94(tested->labD50, reference->labD50) < tolerance &&
                kept.count(tested) == 0) {
                drop(patches, tested);
                ++dropped;
                done = --length <= count;
            }
            tested = following;
        }
        reference = step(reference);
    }
    RoughCull::report(out, reverse, tolerance, dropped, ListLength(*patches));
    reverse = !reverse;
}
