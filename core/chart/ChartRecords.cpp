#include "ChartRecords.h"

#include "KvCMS.h"

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
        if (p->exact) {
            record->flags |= KVCOMBO_CMYK_EXACT;
            for (int k = 0; k < 4; ++k)
                record->percent[k] = p->percent[k];
        }
        record->L = p->labD50[0];
        record->a = p->labD50[1];
        record->b = p->labD50[2];
        // A refused record leaves a gap in the numbering, so names still match the screen.
        if (!colours.insertCombo(record))
            KvPacketFreeItem(record, KV_PACKET_COMBOCOLOUR);
    }
    return true;
}

CHARTPATCH* ChartRecords::patchOf(const char* name, const double* lab, const double* cmyk) {
    auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
    if (p == nullptr)
        return nullptr;
    p->kind = CHARTPATCH_KIND;
    setChartPatchName(*p, name);
    for (int k = 0; k < 3; ++k)
        p->labD50[k] = p->labRelative[k] = lab[k];
    if (cmyk)
        setChartPatchPercent(*p, cmyk);
    KvCMSLabToRGB(nullptr, lab[0], lab[1], lab[2], p->rgb);
    return p;
}

CHARTPATCH* ChartRecords::patchOf(const KVCOMBOCOLOUR& r) {
    const double lab[3] = {r.L, r.a, r.b};
    double cmyk[4] = {r.percent[0], r.percent[1], r.percent[2], r.percent[3]};
    if (!(r.flags & KVCOMBO_CMYK_EXACT))
        for (int k = 0; k < 4; ++k)
            cmyk[k] = ((r.cmyk >> (24 - 8 * k)) & 0xff) * 100.0 / 255.0;
    return patchOf(r.name, lab, (r.flags & KVCOMBO_CMYK_VALID) ? cmyk : nullptr);
}

CHARTPATCH* ChartRecords::copy(const CHARTPATCH* patches) {
    CHARTPATCH* list = nullptr;
    for (const CHARTPATCH* from = patches; from != nullptr; from = KvNext(from)) {
        auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        if (p == nullptr) {
            FreeList(&list);
            return nullptr;
        }
        *p = *from;
        p->link = KvListLink{};
        AddList(&list, p);
    }
    return list;
}
