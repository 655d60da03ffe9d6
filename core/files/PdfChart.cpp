#include "PdfChart.h"

#include "PostScriptChart.h"
#include "TintryVersion.h"

#include <hpdf.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <type_traits>

namespace {

struct HaruError {
    HPDF_STATUS code = HPDF_OK;
    HPDF_STATUS detail = 0;
};

void onHaruError(HPDF_STATUS code, HPDF_STATUS detail, void* data) {
    auto* error = static_cast<HaruError*>(data);
    if (error->code == HPDF_OK) {
        error->code = code;
        error->detail = detail;
    }
}

struct DocFree {
    void operator()(HPDF_Doc doc) const { HPDF_Free(doc); }
};
using DocOwner = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, DocFree>;

enum Align { Left, Right, Centre };

struct PdfPage {
    HPDF_Page page;
    HPDF_Font font;

    // Shrinks the size until the text fits `maxWidth`, as the PostScript does.
    void text(const std::string& raw, double maxWidth, double size, double x, double y, Align align) const {
        const std::string s = ChartHeading::printable(raw);
        const HPDF_TextWidth tw =
            HPDF_Font_TextWidth(font, reinterpret_cast<const HPDF_BYTE*>(s.c_str()), HPDF_UINT(s.size()));
        double width = tw.width * size / 1000.0;
        if (width > maxWidth && width > 0) {
            size *= maxWidth / width;
            width = maxWidth;
        }
        const double left = align == Left ? x : align == Right ? x - width : x - width / 2;
        HPDF_Page_SetCMYKFill(page, 0, 0, 0, 1);
        HPDF_Page_BeginText(page);
        HPDF_Page_SetFontAndSize(page, font, HPDF_REAL(size));
        HPDF_Page_TextOut(page, HPDF_REAL(left), HPDF_REAL(y), s.c_str());
        HPDF_Page_EndText(page);
    }
    void square(const CHARTPATCH& p, double x, double y, double side) const {
        HPDF_Page_SetCMYKFill(page, HPDF_REAL(chartPatchInkFraction(p, 0)),
                              HPDF_REAL(chartPatchInkFraction(p, 1)), HPDF_REAL(chartPatchInkFraction(p, 2)),
                              HPDF_REAL(chartPatchInkFraction(p, 3)));
        HPDF_Page_Rectangle(page, HPDF_REAL(x), HPDF_REAL(y), HPDF_REAL(side), HPDF_REAL(side));
        HPDF_Page_Fill(page);
    }
};

HPDF_Page addPage(HPDF_Doc doc, double width, double height) {
    HPDF_Page page = HPDF_AddPage(doc);
    HPDF_Page_SetWidth(page, HPDF_REAL(width));
    HPDF_Page_SetHeight(page, HPDF_REAL(height));
    return page;
}

// The one page cut to the chart, as the plain PostScript export paints it.
void fitPage(HPDF_Doc doc, HPDF_Font font, const CHARTPATCH* patches) {
    const unsigned long n = static_cast<unsigned long>(ListLength(patches));
    const double height = double(PostScriptChart::pageHeight(n));
    const PdfPage page{addPage(doc, double(PostScriptChart::pageWidth), height), font};
    unsigned long i = 0;
    for (const CHARTPATCH* p = patches; p != nullptr; p = KvNext(p), ++i) {
        const double x =
            double(PostScriptChart::margin + PostScriptChart::pitch * (i % PostScriptChart::perRow));
        const double y = height - double(PostScriptChart::pitch * (1 + i / PostScriptChart::perRow));
        page.square(*p, x, y, double(PostScriptChart::side));
    }
}

void laidOutPages(HPDF_Doc doc, HPDF_Font font, const CHARTPATCH* patches, const PageLayout& layout,
                  const ChartHeading& heading) {
    const unsigned long n = static_cast<unsigned long>(ListLength(patches));
    const unsigned long pages = layout.pages(n), columns = layout.columns(), rows = layout.rows();
    const std::string title = heading.title(n);
    const double wide = layout.pageWidth() - 2 * layout.margin;
    const CHARTPATCH* p = patches;
    unsigned long index = 0;
    for (unsigned long k = 0; k < pages; ++k) {
        const PdfPage page{addPage(doc, layout.paperWidth, layout.paperHeight), font};
        // Turned on a portrait sheet, as in the PostScript: a page that asked
        // to be rotated would be clipped by a printer that cannot turn it.
        if (layout.landscape)
            HPDF_Page_Concat(page.page, 0, 1, -1, 0, HPDF_REAL(layout.paperWidth), 0);
        page.text(title, wide * 0.75, PageLayout::titleSize, layout.margin, layout.titleBaseline(), Left);
        page.text(ChartHeading::pageOf(k + 1, pages), wide * 0.2, PageLayout::titleSize,
                  layout.pageWidth() - layout.margin, layout.titleBaseline(), Right);
        const unsigned long onPage = std::min(layout.perPage(), n - index);
        for (unsigned long c = 0; c < std::min(columns, onPage); ++c)
            page.text(PageLayout::columnName(c), layout.patch, PageLayout::labelSize,
                      layout.patchX(c) + layout.patch / 2, layout.columnBaseline(), Centre);
        for (unsigned long r = 0; r < (onPage + columns - 1) / columns; ++r)
            page.text(std::to_string(k * rows + r + 1), PageLayout::rowBand - 3, PageLayout::labelSize,
                      layout.gridLeft() - 3, layout.patchY(r) + layout.patch / 2 - PageLayout::labelSize / 3,
                      Right);
        for (unsigned long i = 0; i < onPage && p != nullptr; ++i, ++index, p = KvNext(p)) {
            const double x = layout.patchX(i % columns), row = double(i / columns);
            page.square(*p, x, layout.patchY(i / columns), layout.patch);
            page.text(chartPatchName(*p, index), layout.patch, PageLayout::labelSize, x + layout.patch / 2,
                      layout.idBaseline(static_cast<unsigned long>(row)), Centre);
        }
    }
}

std::string haruProblem(const HaruError& error) {
    char text[96];
    std::snprintf(text, sizeof text, "the PDF library failed (error 0x%04X, detail %u)", unsigned(error.code),
                  unsigned(error.detail));
    return text;
}

} // namespace

std::vector<unsigned char> PdfChart::render(const CHARTPATCH* patches, const PageLayout& layout,
                                            const ChartHeading& heading, std::string& why) {
    HaruError error;
    DocOwner doc(HPDF_New(onHaruError, &error));
    if (!doc) {
        why = "the PDF library could not start";
        return {};
    }
    HPDF_SetCompressionMode(doc.get(), HPDF_COMP_NONE);
    const std::string creator = std::string("Quillon Tintry version ") + tintryVersion;
    HPDF_SetInfoAttr(doc.get(), HPDF_INFO_CREATOR, creator.c_str());
    HPDF_SetInfoAttr(doc.get(), HPDF_INFO_TITLE, heading.title(unsigned(ListLength(patches))).c_str());
    HPDF_Font font = HPDF_GetFont(doc.get(), "Helvetica", nullptr);
    if (layout.fit)
        fitPage(doc.get(), font, patches);
    else
        laidOutPages(doc.get(), font, patches, layout, heading);
    if (error.code == HPDF_OK)
        HPDF_SaveToStream(doc.get());
    std::vector<unsigned char> bytes(error.code == HPDF_OK ? HPDF_GetStreamSize(doc.get()) : 0);
    HPDF_UINT32 size = HPDF_UINT32(bytes.size());
    if (error.code == HPDF_OK && !bytes.empty())
        HPDF_ReadFromStream(doc.get(), bytes.data(), &size);
    if (error.code != HPDF_OK && error.code != HPDF_STREAM_EOF) {
        why = haruProblem(error);
        return {};
    }
    bytes.resize(size);
    return bytes;
}
