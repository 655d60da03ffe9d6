// The ICC enumerations the program speaks in: colour spaces, profile classes,
// rendering intents, and the engine's interpolation accuracy.
#pragma once

#include <cstdint>

enum icColorSpaceSignature : std::uint32_t {
    icSigNoSpace = 0,
    icSigXYZData = 0x58595A20,  // 'XYZ '
    icSigLabData = 0x4C616220,  // 'Lab '
    icSigRgbData = 0x52474220,  // 'RGB '
    icSigGrayData = 0x47524159, // 'GRAY'
    icSigCmykData = 0x434D594B, // 'CMYK'
};

enum icProfileClassSignature : std::uint32_t {
    icSigNoClass = 0,
    icSigInputClass = 0x73636E72,      // 'scnr'
    icSigDisplayClass = 0x6D6E7472,    // 'mntr'
    icSigOutputClass = 0x70727472,     // 'prtr'
    icSigLinkClass = 0x6C696E6B,       // 'link'
    icSigAbstractClass = 0x61627374,   // 'abst'
    icSigColorSpaceClass = 0x73706163, // 'spac'
    icSigNamedColorClass = 0x6E6D636C, // 'nmcl'
};

enum icRenderingIntent : std::uint32_t {
    icPerceptual = 0,
    icRelativeColorimetric = 1,
    icSaturation = 2,
    icAbsoluteColorimetric = 3,
};

// Interpolation accuracy of a transform: 0 is the engine's default
// precalculation ("Normal"), 1 its high-resolution one ("Best").
enum ICCACCURACY : std::uint32_t {
    ICC_ACCURACY_NORMAL = 0,
    ICC_ACCURACY_BEST = 1,
};
