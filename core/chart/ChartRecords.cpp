#include "ChartRecords.h"

#include <cstdio>

bool ChartRecords::fill(const CHARTPATCH* patches, KVCOMBOCOLOUR_CC& colours) {
    unsigned long number = 1;
    for (const CHARTPATCH* p = patches; p != nullptr; p = KvNext(p), ++number) {
        auto* record = static_cast<KVCOMBOCOLOUR*>(Kv_calloc(1, sizeof(KVCOMBOCOLOUR)));
        char name[32];
        // A shuffled patch keeps the name of its place before the shuffle, so
        // readings taken by name still land on the right colour.
        std::snprintf(name, sizeof name, "Patch %04lu",
                      p->number != 0 ? static_cast<unsigned long>(p->number) : number);
        if (record != nullptr)
            record->name = AllocateAndCopyString(name);
        if (record == nullptr || record->name == nullptr) {
            KvPacketFreeItem(record, KV_PACKET_COMBOCOLOUR);
            std::fprintf(stderr, "Cannot allocate memory\n");
            return false;
        }
        record->flags = KVCOMBO_LAB_VALID;
        record->L = p->labD50[0];
        record->a = p->labD50[1];
        record->b = p->labD50[2];
        // A refused record leaves a gap in the numbering, so names still match the screen.
        if (!colours.insertCombo(record))
            KvPacketFreeItem(record, KV_PACKET_COMBOCOLOUR);
    }
    return true;
}
