#include "ChartRecords.h"

#include <cstdio>

bool ChartRecords::fill(const CHARTPATCH* patches, KVCOMBOCOLOUR_CC& colours) {
    unsigned long index = 0;
    for (const CHARTPATCH* p = patches; p != nullptr; p = KvNext(p), ++index) {
        auto* record = static_cast<KVCOMBOCOLOUR*>(Kv_calloc(1, sizeof(KVCOMBOCOLOUR)));
        // The same name the printed chart carries beside the patch.
        if (record != nullptr)
            record->name = AllocateAndCopyString(chartPatchName(*p, index).c_str());
        if (record == nullptr || record->name == nullptr) {
            KvPacketFreeItem(record, KV_PACKET_COMBOCOLOUR);
            std::fprintf(stderr, "Cannot allocate memory\n");
            return false;
        }
        record->flags = KVCOMBO_LAB_VALID | KVCOMBO_CMYK_VALID;
        record->cmyk = chartPatchCMYK(*p);
        record->L = p->labD50[0];
        record->a = p->labD50[1];
        record->b = p->labD50[2];
        // A refused record leaves a gap in the numbering, so names still match the screen.
        if (!colours.insertCombo(record))
            KvPacketFreeItem(record, KV_PACKET_COMBOCOLOUR);
    }
    return true;
}
