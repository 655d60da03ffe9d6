// The colour record handed between the chart, the instrument panel and the
// exporters, and the container that owns a list of them.
#pragma once

#include "Kvlib.h"

#include <cstdint>

enum { KV_PACKET_COMBOCOLOUR = 17 };
// KVCOMBO_CMYK_VALID: `cmyk` holds inks the file itself gave, which a chart
// prints as they are, beside any Lab the record carries as their target.
// KVCOMBO_CMYK_EXACT: `percent` holds those inks as the file wrote them (C, M,
// Y, K in percent); `cmyk` is then their rounding to bytes.
enum : std::uint32_t { KVCOMBO_LAB_VALID = 0x20, KVCOMBO_CMYK_VALID = 0x40, KVCOMBO_CMYK_EXACT = 0x80 };

struct KVCOMBOCOLOUR {
    KvListLink link;
    char* name;          // owned copy (AllocateAndCopyString)
    std::uint32_t flags; // KVCOMBO_LAB_VALID: L, a, b hold the colour
    std::uint32_t cmyk;  // C<<24 | M<<16 | Y<<8 | K, each 0..255: used when Lab is not valid or CMYK is
    double L, a, b;      // CIELAB under D50
    double percent[4];   // with KVCOMBO_CMYK_EXACT: C, M, Y, K in percent
};

// Releases one record with its name; only type 17 is known.
void KvPacketFreeItem(KVCOMBOCOLOUR* record, int type);
// Releases a whole list and leaves *first null.
void KvPacketFreeList(KVCOMBOCOLOUR** first, int type);

class KvPacketable {
public:
    virtual ~KvPacketable();
};

class KVCOMBOCOLOUR_CC : public KvPacketable {
public:
    KVCOMBOCOLOUR_CC() = default;
    ~KVCOMBOCOLOUR_CC() override;
    KVCOMBOCOLOUR_CC(const KVCOMBOCOLOUR_CC&) = delete;
    KVCOMBOCOLOUR_CC& operator=(const KVCOMBOCOLOUR_CC&) = delete;

    // True when the container took ownership of the record.
    bool insertCombo(KVCOMBOCOLOUR* record);

    KVCOMBOCOLOUR* list = nullptr; // first record; read directly by callers
};
