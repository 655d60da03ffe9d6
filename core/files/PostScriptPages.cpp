#include "PostScriptPages.h"

#include "TintryVersion.h"

#include <cmath>
#include <vector>

namespace {

// Text procedures. Each takes: string, widest width, font size, then where.
// A text wider than allowed is set in a smaller size, so a long patch name
// shrinks instead of running into its neighbour.
const char* const prolog =
    "/tf { /Helvetica findfont exch scalefont setfont\n"
    "  1 index stringwidth pop 2 copy lt\n"
    "  { div currentfont exch scalefont setfont } { pop pop } ifelse } bind def\n"
    "/L { moveto tf show } bind def\n"
    "/R { /ty exch def /tx exch def tf dup stringwidth pop tx exch sub ty moveto show "
    "} bind def\n"
    "/C { /ty exch def /tx exch def tf dup stringwidth pop 2 div tx exch sub ty moveto "
    "show } bind def\n";

struct Page {
    KvFile* f;
    const PageLayout& layout;

    void black() const { Kv_fprintf(f, "0 0 0 1 setcolor\n"); }
    void text(const char* op, const std::string& s, double maxWidth, double size, double x, double y) const {
        Kv_fprintf(f, "%s %.2f %.2f %.2f %.2f %s\n", PostScriptPages::literal(s).c_str(), maxWidth, size, x,
                   y, op);
    }
    void heading(const std::string& title, const std::string& pageOf) const {
        const double wide = layout.pageWidth() - 2 * layout.margin;
        const double y = layout.titleBaseline();
        text("L", title, wide * 0.75, PageLayout::titleSize, layout.margin, y);
        text("R", pageOf, wide * 0.2, PageLayout::titleSize, layout.pageWidth() - layout.margin, y);
    }
    void gridLabels(unsigned long columns, unsigned long rows, unsigned long firstRow) const {
        for (unsigned long c = 0; c < columns; ++c)
            text("C", PageLayout::columnName(c), layout.patch, PageLayout::labelSize,
                 layout.patchX(c) + layout.patch / 2, layout.columnBaseline());
        for (unsigned long r = 0; r < rows; ++r)
            text("R", std::to_string(firstRow + r + 1), PageLayout::rowBand - 3, PageLayout::labelSize,
                 layout.gridLeft() - 3, layout.patchY(r) + layout.patch / 2 - PageLayout::labelSize / 3);
    }
    void patch(const CHARTPATCH& p, unsigned long index, unsigned long column, unsigned long row) const {
        const double x = layout.patchX(column);
        const double y = layout.patchY(row);
        Kv_fprintf(f, "%f %f %f %f setcolor\n", chartPatchInkFraction(p, 0), chartPatchInkFraction(p, 1),
                   chartPatchInkFraction(p, 2), chartPatchInkFraction(p, 3));
        Kv_fprintf(f, "%.2f %.2f %.2f %.2f rectfill\n", x, y, layout.patch, layout.patch);
        black();
        text("C", chartPatchName(p, index), layout.patch, PageLayout::labelSize, x + layout.patch / 2,
             layout.idBaseline(row));
    }
};

void documentHeader(KvFile* f, const PageLayout& layout, const std::string& title, std::time_t created,
                    unsigned long pages) {
    char date[64];
    const char* dateText = Kv_ctime(&created, date);
    Kv_fprintf(f, "%%!PS-Adobe-3.0\n");
    Kv_fprintf(f, "%%%%Creator: Quillon Tintry version %s\n", tintryVersion);
    Kv_fprintf(f, "%%%%Title: %s\n", title.c_str());
    Kv_fprintf(f, "%%%%For: %s\n", "Quillon Tintry");
    Kv_fprintf(f, "%%%%CreationDate: %s", dateText ? dateText : "\n");
    Kv_fprintf(f, "%%%%BoundingBox: 0 0 %ld %ld\n", long(std::ceil(layout.paperWidth)),
               long(std::ceil(layout.paperHeight)));
    Kv_fprintf(f, "%%%%HiResBoundingBox: 0 0 %.2f %.2f\n", layout.paperWidth, layout.paperHeight);
    Kv_fprintf(f, "%%%%DocumentMedia: %s %.2f %.2f 0 () ()\n",
               PostScriptPages::literal(layout.paperName).c_str(), layout.paperWidth, layout.paperHeight);
    Kv_fprintf(f, "%%%%DocumentNeededResources: font Helvetica\n");
    Kv_fprintf(f, "%%%%Orientation: %s\n", layout.landscape ? "Landscape" : "Portrait");
    Kv_fprintf(f, "%%%%Pages: %lu\n", pages);
    Kv_fprintf(f, "%%%%PageOrder: Ascend\n");
    Kv_fprintf(f, "%%%%EndComments\n");
    Kv_fprintf(f, "%%%%BeginProlog\n%s%%%%EndProlog\n", prolog);
    Kv_fprintf(f, "%%%%BeginSetup\n");
    Kv_fprintf(f, "systemdict /setpagedevice known { << /PageSize [%.2f %.2f] >> setpagedevice } if\n",
               layout.paperWidth, layout.paperHeight);
    Kv_fprintf(f, "%%%%EndSetup\n");
}

} // namespace

std::string PostScriptPages::literal(const std::string& text) {
    std::string out = "(";
    for (char c : ChartHeading::printable(text)) {
        if (c == '(' || c == ')' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + ")";
}

void PostScriptPages::write(KvFile* f, const CHARTPATCH* patches, const PageLayout& layout,
                            const ChartHeading& heading) {
    const unsigned long n = static_cast<unsigned long>(ListLength(patches));
    const unsigned long pages = layout.pages(n);
    const unsigned long columns = layout.columns();
    const unsigned long rows = layout.rows();
    const std::string title = heading.title(n);
    documentHeader(f, layout, title, heading.created, pages);
    const Page page{f, layout};
    const CHARTPATCH* p = patches;
    unsigned long index = 0;
    for (unsigned long k = 0; k < pages; ++k) {
        Kv_fprintf(f, "%%%%Page: %lu %lu\n", k + 1, k + 1);
        Kv_fprintf(f, "%%%%BeginPageSetup\nsave\n");
        if (layout.landscape)
            Kv_fprintf(f, "%.2f 0 translate 90 rotate\n", layout.paperWidth);
        Kv_fprintf(f, "%%%%EndPageSetup\n/DeviceCMYK setcolorspace\n");
        page.black();
        page.heading(title, ChartHeading::pageOf(k + 1, pages));
        const unsigned long onPage = std::min(layout.perPage(), n - index);
        const unsigned long usedRows = (onPage + columns - 1) / columns;
        page.gridLabels(std::min(columns, onPage), usedRows, k * rows);
        for (unsigned long i = 0; i < onPage && p != nullptr; ++i, ++index, p = KvNext(p))
            page.patch(*p, index, i % columns, i / columns);
        Kv_fprintf(f, "restore\nshowpage\n%%%%PageTrailer\n");
    }
    Kv_fprintf(f, "%%%%Trailer\n%%%%EOF\n");
}
