// Reads a file of named colours into a list of colour records, in file order:
// CGATS measurement and target files (IT8.7/4, ISO 12642, ArgyllCMS .ti1,
// .ti2 and .ti3, and what ExportISO12642 writes) and Adobe Swatch Exchange
// (.ase) files. Lab and CMYK are kept where the file has them (both, when it
// has both); RGB and Gray swatches are turned into Lab (sRGB, and D50 gray on
// the sRGB curve).
//
// A CGATS file is read whole or not at all: a value that is not a plain
// number, CMYK outside 0..100, L outside 0..100 or a, b outside -200..200
// refuse the file, and the reason names the row. A damaged ASE file gives the
// records read before the damage. The readers never look past the bytes they
// were given.
#pragma once

#include "KvComboColour.h"

#include <cstddef>
#include <string>

enum SwatchType { SWATCH_UNKNOWN = 0, SWATCH_CGATS = 1, SWATCH_ASE = 2 };

class SwatchImporter {
public:
    // Files larger than this are not swatch files.
    static constexpr std::size_t maximumFileSize = 64u << 20;
    static constexpr int maximumRows = 1000000;

    // The first record of the list (release with KvPacketFreeList(&first, 17)),
    // or null when nothing was read. `type` tells what the file was taken for;
    // `flags` is reserved and must be 0.
    static KVCOMBOCOLOUR* import(const char* path, SwatchType& type, unsigned long flags);
    // The same; when nothing was read, `why` says why ("row 12: CMYK_C is
    // not a plain number"); it is emptied otherwise.
    static KVCOMBOCOLOUR* import(const char* path, SwatchType& type, unsigned long flags, std::string* why);

    static KVCOMBOCOLOUR* fromCGATS(const void* data, std::size_t size, std::string* why = nullptr);
    static KVCOMBOCOLOUR* fromASE(const void* data, std::size_t size);
};
