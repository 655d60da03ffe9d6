#include "PageLayout.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace {

struct Paper {
    const char* key;
    const char* name;
    double widthMm;
    double heightMm;
};

const Paper papers[] = {
    {"a4", "A4", 210, 297},
    {"letter", "Letter", 215.9, 279.4},
    {"a3", "A3", 297, 420},
    {"tabloid", "Tabloid", 279.4, 431.8},
};

// Sheets below a postcard cannot carry a title and a patch; beyond a wide
// roll a size is a typing error.
constexpr double smallestPaperMm = 50;
constexpr double largestPaperMm = 5000;

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

// A plain decimal number in any locale: digits with an optional '.' part.
bool parseNumber(const std::string& text, double& value) {
    if (text.empty() || text.size() > 12)
        return false;
    double whole = 0, scale = 0;
    bool digits = false;
    for (char c : text) {
        if (c == '.' && scale == 0) {
            scale = 1;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (scale == 0)
                whole = whole * 10 + (c - '0');
            else
                whole += (c - '0') * (scale /= 10);
        } else {
            return false;
        }
    }
    value = whole;
    return digits;
}

std::string mmText(double mm) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", std::round(mm * 10) / 10);
    for (char* p = buffer; *p; ++p)
        if (*p == ',')
            *p = '.';
    return buffer;
}

} // namespace

PageLayout PageLayout::forLocale() {
    PageLayout layout;
    layout.setPaper(localePaper());
    return layout;
}

std::string PageLayout::localePaper() {
    // LC_PAPER is the system's own answer (glibc gives the sheet in mm);
    // only the US-Letter countries use a sheet 216 mm wide.
    // The name is looked up as POSIX says (LC_ALL, then LC_PAPER, then LANG)
    // and handed over whole: glibc's own lookup of "" kept answering for the
    // locale the process started with.
    const char* name = nullptr;
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"})
        if (name == nullptr || *name == '\0')
            name = std::getenv(variable);
    locale_t paper = ::newlocale(LC_PAPER_MASK, name != nullptr ? name : "C", static_cast<locale_t>(0));
    if (paper == static_cast<locale_t>(0))
        return "a4";
    // glibc hands the number over in the low 32 bits of the pointer it
    // returns (as its own `locale -k` reads it); the rest is not ours to read.
    const auto width =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(::nl_langinfo_l(_NL_PAPER_WIDTH, paper)));
    ::freelocale(paper);
    return width == 216 ? "letter" : "a4";
}

std::string PageLayout::setPaper(const std::string& given) {
    const std::string text = lower(given);
    if (text == "fit") {
        fit = true;
        paperName = "fit";
        return {};
    }
    for (const Paper& p : papers)
        if (text == p.key) {
            fit = false;
            paperName = p.name;
            paperWidth = p.widthMm * pointsPerMm;
            paperHeight = p.heightMm * pointsPerMm;
            return {};
        }
    const auto x = text.find('x');
    double w = 0, h = 0;
    if (x == std::string::npos || !parseNumber(text.substr(0, x), w) || !parseNumber(text.substr(x + 1), h))
        return "paper '" + given + "' is not a4, letter, a3, tabloid, fit or WIDTHxHEIGHT in mm";
    if (w < smallestPaperMm || h < smallestPaperMm || w > largestPaperMm || h > largestPaperMm)
        return "paper '" + given + "' is outside " + mmText(smallestPaperMm) + " to " +
               mmText(largestPaperMm) + " mm a side";
    fit = false;
    paperName = mmText(w) + "x" + mmText(h) + " mm";
    paperWidth = w * pointsPerMm;
    paperHeight = h * pointsPerMm;
    return {};
}

std::string PageLayout::setPatchMm(const std::string& text) {
    double mm = 0;
    if (!parseNumber(text, mm) || mm < minPatchMm || mm > largestPaperMm)
        return "patch size '" + text + "' is not a size in mm of at least " + mmText(minPatchMm);
    patch = mm * pointsPerMm;
    return {};
}

std::string PageLayout::setMarginMm(const std::string& text) {
    double mm = 0;
    if (!parseNumber(text, mm) || mm > largestPaperMm)
        return "margin '" + text + "' is not a size in mm";
    margin = mm * pointsPerMm;
    return {};
}

std::string PageLayout::setGapMm(const std::string& text) {
    double mm = 0;
    if (!parseNumber(text, mm) || mm > largestPaperMm)
        return "gap '" + text + "' is not a size in mm";
    gap = mm * pointsPerMm;
    return {};
}

std::string PageLayout::problem() const {
    if (fit || perPage() > 0)
        return {};
    const double wide = pageWidth() - 2 * margin - rowBand;
    const double tall = pageHeight() - 2 * margin - titleBand - columnBand - idBand;
    return "a patch of " + mmText(patch / pointsPerMm) + " mm does not fit the printable area of " +
           mmText(std::max(0.0, wide) / pointsPerMm) + " x " + mmText(std::max(0.0, tall) / pointsPerMm) +
           " mm left by " + paperName + (landscape ? " landscape" : "") + " with margins of " +
           mmText(margin / pointsPerMm) + " mm";
}

unsigned long PageLayout::columns() const {
    const double room = pageWidth() - margin - gridLeft() + gap;
    return room < pitchX() ? 0 : static_cast<unsigned long>(std::floor(room / pitchX()));
}

unsigned long PageLayout::rows() const {
    const double room = gridTop() - margin + gap;
    return room < pitchY() ? 0 : static_cast<unsigned long>(std::floor(room / pitchY()));
}

unsigned long PageLayout::pages(unsigned long patchCount) const {
    const unsigned long each = perPage();
    if (fit)
        return 1;
    return each == 0 ? 0 : std::max(1ul, (patchCount + each - 1) / each);
}

double PageLayout::patchX(unsigned long column) const {
    return gridLeft() + pitchX() * double(column);
}

double PageLayout::patchY(unsigned long row) const {
    return gridTop() - patch - pitchY() * double(row);
}

std::string PageLayout::columnName(unsigned long column) {
    std::string name;
    for (unsigned long n = column + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), char('A' + (n - 1) % 26));
    return name;
}
