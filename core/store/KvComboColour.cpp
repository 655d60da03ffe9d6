#include "KvComboColour.h"

#include <cstdlib>

void KvPacketFreeItem(KVCOMBOCOLOUR* record, int type) {
    if (!record || type != KV_PACKET_COMBOCOLOUR)
        return;
    std::free(record->name);
    Kv_free(record);
}

void KvPacketFreeList(KVCOMBOCOLOUR** first, int type) {
    if (!first || type != KV_PACKET_COMBOCOLOUR)
        return;
    KVCOMBOCOLOUR* r = *first;
    while (r) {
        KVCOMBOCOLOUR* next = KvNext(r);
        KvPacketFreeItem(r, type);
        r = next;
    }
    *first = nullptr;
}

KvPacketable::~KvPacketable() = default;

KVCOMBOCOLOUR_CC::~KVCOMBOCOLOUR_CC() {
    KvPacketFreeList(&list, KV_PACKET_COMBOCOLOUR);
}

bool KVCOMBOCOLOUR_CC::insertCombo(KVCOMBOCOLOUR* record) {
    // A record already in a list cannot be taken: it would be linked twice.
    if (!record || record->link.next || record->link.previous || record->link.first)
        return false;
    record->link.type = KV_PACKET_COMBOCOLOUR;
    AddList(&list, record);
    return true;
}
