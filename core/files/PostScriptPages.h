// The chart as a multi-page DSC 3.0 PostScript document laid out for real
// paper (PageLayout): patches filled in DeviceCMYK with their own inks, so a
// RIP passes them on untouched, and black-only text beside them. Landscape
// pages are turned on a portrait sheet, which every printer can feed.
#pragma once

#include "ChartHeading.h"
#include "ChartPatch.h"
#include "PageLayout.h"

struct KvFile;

class PostScriptPages {
public:
    // Writes the whole document to an open file; the caller closes it.
    static void write(KvFile* f, const CHARTPATCH* patches, const PageLayout& layout,
                      const ChartHeading& heading);

    // A PostScript string literal of `text`, with its parentheses.
    static std::string literal(const std::string& text);
};
