#include "PostScriptChart.h"

#include "TintryVersion.h"

#include "SafeTarget.h"

#include <cstdio>

void PostScriptChart::writePage(KvFile* f, const CHARTPATCH* patches, std::time_t created) {
    const unsigned long n = static_cast<unsigned long>(ListLength(patches));
    const unsigned long height = PostScriptChart::pageHeight(n);
    char date[64];
    const char* dateText = Kv_ctime(&created, date);
    Kv_fprintf(f, "%%!PS-Adobe-3.0\n");
    Kv_fprintf(f, "%%%%Creator: Quillon Tintry version %s\n", tintryVersion);
    Kv_fprintf(f, "%%%%Title: Colour check chart\n");
    Kv_fprintf(f, "%%%%For: %s\n", "Quillon Tintry");
    Kv_fprintf(f, "%%%%CreationDate: %s", dateText ? dateText : "\n");
    Kv_fprintf(f, "%%%%BoundingBox: 0 0 %lu %lu\n", PostScriptChart::pageWidth, height);
    Kv_fprintf(f, "%%%%EndComments\n");
    Kv_fprintf(f, "%%%%BeginSetup\n");
    // Only devices that know setpagedevice are asked for the page size.
    Kv_fprintf(f, "systemdict /setpagedevice known { ");
    Kv_fprintf(f, "<<\n/Policies <</PageSize 6>>\n/PageSize [%lu %lu]\n>> setpagedevice } if\n",
               PostScriptChart::pageWidth, height);
    Kv_fprintf(f, "%%%%EndSetup\n");
    Kv_fprintf(f, "%%%%Page: 1 1\n");
    Kv_fprintf(f, "/DeviceCMYK setcolorspace\n");
    unsigned long i = 0;
    for (const CHARTPATCH* p = patches; p != nullptr; p = KvNext(p), ++i) {
        const unsigned long row = i / PostScriptChart::perRow;
        const unsigned long column = i % PostScriptChart::perRow;
        const long x = long(PostScriptChart::margin + PostScriptChart::pitch * column);
        const long y = long(height - PostScriptChart::pitch - PostScriptChart::pitch * row);
        Kv_fprintf(f, "%f %f %f %f setcolor\n", chartPatchInkFraction(*p, 0), chartPatchInkFraction(*p, 1),
                   chartPatchInkFraction(*p, 2), chartPatchInkFraction(*p, 3));
        Kv_fprintf(f, "%ld %ld %d %d rectfill\n", x, y, int(PostScriptChart::side),
                   int(PostScriptChart::side));
    }
    Kv_fprintf(f, "\nshowpage\n%%%%PageTrailer\n");
    Kv_fprintf(f, "%%%%EOF\n");
}

int PostScriptChart::write(const CHARTPATCH* patches, const char* path, std::time_t created) {
    const std::string target = SafeTarget::resolve(path);
    KvFile* f = target.empty() ? nullptr : Kv_fopen(target.c_str(), "w");
    if (f != nullptr) {
        writePage(f, patches, created);
        if (Kv_fclose(f) == 0)
            return 0;
    }
    std::fprintf(stderr, "Cannot open file %s\n", path ? path : "");
    return -1;
}
