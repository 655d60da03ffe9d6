// Adobe Swatch Exchange bytes into the swatch importer.
#include "SwatchImporter.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    KVCOMBOCOLOUR* list = SwatchImporter::fromASE(data, size);
    for (KVCOMBOCOLOUR* r = list; r; r = KvNext(r))
        (void)(r->L + r->a + r->b + r->cmyk); // every record must be readable
    KvPacketFreeList(&list, KV_PACKET_COMBOCOLOUR);
    return 0;
}
