// CGATS bytes into the swatch importer, in memory and through a file as a
// person would hand one over.
#include "FuzzFiles.h"
#include "SwatchImporter.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    KVCOMBOCOLOUR* list = SwatchImporter::fromCGATS(data, size);
    for (KVCOMBOCOLOUR* r = list; r; r = KvNext(r))
        (void)(r->name ? r->name[0] : 0);
    KvPacketFreeList(&list, KV_PACKET_COMBOCOLOUR);

    SwatchType type = SWATCH_UNKNOWN;
    const QByteArray path = QFile::encodeName(fuzzFile("swatches.txt", data, size));
    list = SwatchImporter::import(path.constData(), type, 0);
    KvPacketFreeList(&list, KV_PACKET_COMBOCOLOUR);
    return 0;
}
