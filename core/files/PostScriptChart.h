// The chart as a one-page PostScript file for printing: every patch a 32 x 32
// point square in DeviceCMYK with the patch's own ink values, 16 to a row,
// 40 points apart, 8 points from every edge, row 0 at the top.
//
// Inks are written as byte / 255 with six decimals, which is enough for a
// RIP to give back the very byte; the measured chart must be the chart.
#pragma once

#include "ChartPatch.h"

#include <ctime>

class PostScriptChart {
public:
    static constexpr unsigned long perRow = 16;
    static constexpr unsigned long pitch = 40;
    static constexpr unsigned long margin = 8;
    static constexpr unsigned long side = 32;
    static constexpr unsigned long pageWidth = margin + perRow * pitch; // 648

    static unsigned long pageHeight(unsigned long patchCount) {
        return pitch * ((patchCount + perRow - 1) / perRow) + margin;
    }

    // Writes the page to `path`, whole or not at all: 0, or -1 with "Cannot
    // open file <path>" on standard error and any old file left as it was.
    static int write(const CHARTPATCH* patches, const char* path, std::time_t created);
    // The same page into a file the caller opened and closes.
    static void writePage(KvFile* f, const CHARTPATCH* patches, std::time_t created);
};
