// One patch of a colour-check chart, kept in the support library's intrusive
// list. The record stays a plain C layout: the chart's list, the culls and
// the exports all walk it directly, and removal only unlinks.
#pragma once

#include "Kvlib.h"

#include <cstdint>
#include <string>

enum { CHARTPATCH_KIND = 2 };

// Positions of the inks in CHARTPATCH::cmyk. The engine takes the address of
// the group, and it wants black first.
enum { INK_K = 0, INK_C = 1, INK_M = 2, INK_Y = 3 };

struct CHARTPATCH {
    KvListLink link;
    std::int32_t kind;     // always CHARTPATCH_KIND
    unsigned char rgb[3];  // monitor preview, 0..255
    unsigned char cmyk[4]; // K, C, M, Y, 0..255 (255 is 100 %)
    double labRelative[3]; // media-relative Lab
    double labD50[3];      // D50 Lab: what every difference, export and reading compares against
    char name[64];         // the swatch's own name, NUL-terminated; empty for a position name
    std::uint32_t number;  // position in the chart before it was shuffled, from 1; 0: its list position
    // The inks as a file or a strip gave them, C, M, Y, K in percent to 0.01,
    // when `exact` is set; the bytes above are then those inks rounded. A
    // patch of the grid has no such inks: its bytes are its inks.
    std::uint32_t exact;
    double percent[4];
};

// Ink `cmykIndex` (0 C, 1 M, 2 Y, 3 K) in percent: what is printed and exported.
double chartPatchInk(const CHARTPATCH& p, int cmykIndex);
// The same as a fraction 0..1, as a page fills it: a grid patch's byte / 255.
double chartPatchInkFraction(const CHARTPATCH& p, int cmykIndex);
// Sets the inks in percent (C, M, Y, K), kept to 0.01, with the bytes rounded
// from them; inks that are bytes in percent are kept as those bytes.
void setChartPatchPercent(CHARTPATCH& p, const double* cmyk);
// Sets the inks as bytes (K, C, M, Y); the patch then has no inks of a file.
void setChartPatchBytes(CHARTPATCH& p, const unsigned char* kcmy);

// The name a patch goes by everywhere (window, tooltip, instrument panel,
// page, exports): its own name, else "Patch 0001" style from its position
// (index counted from 0).
std::string chartPatchName(const CHARTPATCH& p, unsigned long index);

// Stores `name` in the patch, cut at a character boundary to fit.
void setChartPatchName(CHARTPATCH& p, const char* name);

// C, M, Y, K as one word (C in the high byte), the same packing the colour
// records use; handy to identify a patch in logs and tests.
inline std::uint32_t chartPatchCMYK(const CHARTPATCH& p) {
    return std::uint32_t(p.cmyk[INK_C]) << 24 | std::uint32_t(p.cmyk[INK_M]) << 16 |
           std::uint32_t(p.cmyk[INK_Y]) << 8 | std::uint32_t(p.cmyk[INK_K]);
}
