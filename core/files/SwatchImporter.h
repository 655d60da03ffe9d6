// Reads a file of named colours into a list of colour records, in file order:
// CGATS measurement and target files (IT8.7/4, ISO 12642, ArgyllCMS .ti1,
// .ti2 and .ti3, and what ExportISO12642 writes) and Adobe Swatch Exchange
// (.ase) files. Lab is kept where the file has it; CMYK otherwise; RGB and
// Gray swatches are turned into Lab (sRGB, and D50 gray on the sRGB curve).
//
// Damaged files give the records read before the damage, or nothing; the
// readers never look past the bytes they were given.
#pragma once

#include "KvComboColour.h"

#include <cstddef>

enum SwatchType { SWATCH_UNKNOWN = 0, SWATCH_CGATS = 1, SWATCH_ASE = 2 };

class SwatchImporter {
public:
    // Files larger than this are not swatch files.
    static constexpr std::size_t maximumFileSize = 64u << 20;

    // The first record of the list (release with KvPacketFreeList(&first, 17)),
    // or null when nothing was read. `type` tells what the file was taken for;
    // `flags` is reserved and must be 0.
    static KVCOMBOCOLOUR* import(const char* path, SwatchType& type, unsigned long flags);

    static KVCOMBOCOLOUR* fromCGATS(const void* data, std::size_t size);
    static KVCOMBOCOLOUR* fromASE(const void* data, std::size_t size);
};
