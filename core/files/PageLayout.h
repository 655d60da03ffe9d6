// Where a chart's patches go on real paper: the sheet, its margins, the size
// of a patch and the gap between patches decide how many columns and rows fit
// on a page, and so how many pages a chart needs. Every page carries a title
// line, column letters above the grid, row numbers to its left and each
// patch's id under the patch, so the text never touches a patch.
//
// All lengths are in PostScript points (1/72 inch); the origin is the
// lower-left corner of the page as it is printed (landscape pages are wider
// than tall).
#pragma once

#include <string>

class PageLayout {
public:
    static constexpr double pointsPerMm = 72.0 / 25.4;
    static constexpr double titleBand = 14; // title line above the column letters
    static constexpr double titleSize = 9;  // largest size of the title text
    static constexpr double columnBand = 9; // column letters above the grid
    static constexpr double rowBand = 16;   // row numbers left of the grid
    static constexpr double labelSize = 6;  // largest size of letters, numbers and ids
    static constexpr double idBand = 8;     // patch id below each patch
    static constexpr double minPatchMm = 6;

    // The one-page layout that paints 16 patches of 32 points to a row on a
    // page cut to the chart, without any text.
    bool fit = false;
    std::string paperName = "A4";
    double paperWidth = 595.28; // portrait sheet
    double paperHeight = 841.89;
    bool landscape = false;
    double margin = 10 * pointsPerMm;
    double patch = 32;
    double gap = 8;

    // The layout for the paper the system's locale uses: Letter where that is
    // the custom, A4 elsewhere.
    static PageLayout forLocale();
    static std::string localePaper();

    // "a4", "letter", "a3", "tabloid", "fit" or "WIDTHxHEIGHT" in millimetres;
    // an empty string, or the complaint.
    std::string setPaper(const std::string& text);
    std::string setPatchMm(const std::string& text);
    std::string setMarginMm(const std::string& text);
    std::string setGapMm(const std::string& text);

    // Empty when at least one patch fits on a page, else why not.
    std::string problem() const;

    double pageWidth() const { return landscape ? paperHeight : paperWidth; }
    double pageHeight() const { return landscape ? paperWidth : paperHeight; }
    unsigned long columns() const;
    unsigned long rows() const;
    unsigned long perPage() const { return columns() * rows(); }
    unsigned long pages(unsigned long patchCount) const;

    // Lower-left corner of the patch in row and column of its page.
    double patchX(unsigned long column) const;
    double patchY(unsigned long row) const;
    double gridLeft() const { return margin + rowBand; }
    double gridTop() const { return pageHeight() - margin - titleBand - columnBand; }
    double titleBaseline() const { return pageHeight() - margin - titleSize; }
    double columnBaseline() const { return gridTop() + 2; }
    // Room below the baseline for descenders, above it for capitals.
    double idBaseline(unsigned long row) const { return patchY(row) - labelSize; }

    // Column letters A..Z, AA.. as spreadsheets name them.
    static std::string columnName(unsigned long column);

private:
    double pitchX() const { return patch + gap; }
    double pitchY() const { return patch + idBand + gap; }
};
