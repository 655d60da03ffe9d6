#include "ReferenceCull.h"

#include "KvCMS.h"
#include "RoughCull.h"

void ReferenceCull::cullToCount(CHARTPATCH** patches, unsigned long count, std::FILE* out) {
    RoughCull::cullLoop(patches, count, [&](double tolerance, bool& reverse) {
        pass(patches, tolerance, reverse, count, out);
    });
}

void ReferenceCull::drop(CHARTPATCH** patches, CHARTPATCH* p) {
    RemoveList(patches, p);
    if (removed)
        removed(*p);
    Kv_free(p);
}

void ReferenceCull::pass(CHARTPATCH** patches, double tolerance, bool& reverse, unsigned long count,
                         std::FILE* out) {
    if (*patches == nullptr)
        return;
    unsigned long length = static_cast<unsigned long>(ListLength(*patches));
    unsigned long dropped = 0;
    auto step = [&](const CHARTPATCH* p) { return reverse ? KvPrevious(p) : KvNext(p); };
    CHARTPATCH* reference = reverse ? reinterpret_cast<CHARTPATCH*>((*patches)->link.last) : *patches;
    bool done = length <= count;
    while (!done && reference != nullptr) {
        for (CHARTPATCH* tested = step(reference); tested != nullptr && !done;) {
            CHARTPATCH* following = step(tested);
            if (KvCMS_ColourDiff_CIE94(tested->labD50, reference->labD50) < tolerance) {
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
