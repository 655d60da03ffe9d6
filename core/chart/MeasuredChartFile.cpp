#include "MeasuredChartFile.h"

#include "CNumericLocale.h"
#include "CgatsPrecheck.h"
#include "ChartSession.h"
#include "KvCMS.h"
#include "Kvlib.h"
#include "LcmsHandles.h"
#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>

#include <lcms2.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

const char* const measuredFields[] = {"SAMPLE_ID", "SAMPLE_NAME", "CMYK_C", "CMYK_M", "CMYK_Y",
                                      "CMYK_K",    "LAB_L",       "LAB_A",  "LAB_B",  "TARGET_L",
                                      "TARGET_A",  "TARGET_B",    "DE2000"};
const char* const unmeasuredFields[] = {"SAMPLE_ID", "SAMPLE_NAME", "CMYK_C",   "CMYK_M",  "CMYK_Y",
                                        "CMYK_K",    "TARGET_L",    "TARGET_A", "TARGET_B"};
constexpr int inkOrder[4] = {INK_C, INK_M, INK_Y, INK_K};
constexpr std::size_t maximumFileSize = 64u << 20;
constexpr int maximumPatches = 100000;

// CGATS has no escapes: a name goes in double quotes, so it may hold neither
// a double quote nor a line break, and an unquoted name that looks like a
// number would read back as one.
std::string quotedName(const std::string& name) {
    std::string s = name;
    for (char& ch : s)
        if (ch == '"')
            ch = '\'';
        else if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f)
            ch = ' ';
    return s.find(' ') != std::string::npos ? s : '"' + s + '"';
}

std::string isoDate(std::time_t t) {
    std::tm tm{};
    ::localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &tm);
    return text;
}

bool startTable(cmsHANDLE h, int table, const char* descriptor, const char* const* fields, int count,
                std::size_t rows) {
    if (table > 0 && cmsIT8SetTable(h, cmsUInt32Number(table)) < 0)
        return false;
    cmsIT8SetSheetType(h, "CTI3");
    cmsIT8SetPropertyStr(h, "DESCRIPTOR", descriptor);
    cmsIT8SetPropertyStr(h, "DEVICE_CLASS", "OUTPUT");
    cmsIT8SetPropertyStr(h, "COLOR_REP", "CMYK_LAB");
    // The table is sized from these two; data set before them is lost.
    cmsIT8SetPropertyDbl(h, "NUMBER_OF_FIELDS", count);
    cmsIT8SetPropertyDbl(h, "NUMBER_OF_SETS", double(rows));
    for (int i = 0; i < count; ++i)
        cmsIT8SetDataFormat(h, i, fields[i]);
    return true;
}

bool writeRow(cmsHANDLE h, int row, const ChartSession& chart, std::size_t i, bool measured) {
    const CHARTPATCH& p = chart.patch(i);
    bool ok = cmsIT8SetDataRowColDbl(h, row, 0, double(i + 1)) &&
              cmsIT8SetDataRowCol(h, row, 1, quotedName(chart.name(i)).c_str());
    for (int k = 0; k < 4 && ok; ++k)
        ok = cmsIT8SetDataRowColDbl(h, row, 2 + k, p.cmyk[inkOrder[k]] * 100.0 / 255.0);
    int column = 6;
    if (measured)
        for (int k = 0; k < 3 && ok; ++k)
            ok = cmsIT8SetDataRowColDbl(h, row, column++, chart.reading(i).lab[k]);
    for (int k = 0; k < 3 && ok; ++k)
        ok = cmsIT8SetDataRowColDbl(h, row, column++, p.labD50[k]);
    if (measured && ok)
        ok = cmsIT8SetDataRowColDbl(h, row, column, chart.reading(i).deltaE);
    return ok;
}

bool fill(cmsHANDLE h, const ChartSession& chart, const std::string& title, std::time_t created) {
    std::vector<std::size_t> measured, unmeasured;
    for (std::size_t i = 0; i < chart.size(); ++i)
        (chart.measured(i) ? measured : unmeasured).push_back(i);
    if (!startTable(h, 0, title.c_str(), measuredFields, 13, measured.size()))
        return false;
    cmsIT8SetPropertyStr(h, "ORIGINATOR", "Quillon Tintry");
    cmsIT8SetPropertyStr(h, "CREATED", isoDate(created).c_str());
    bool ok = true;
    for (std::size_t r = 0; r < measured.size() && ok; ++r)
        ok = writeRow(h, int(r), chart, measured[r], true);
    if (!ok || unmeasured.empty())
        return ok;
    if (!startTable(h, 1, "Patches without a reading", unmeasuredFields, 9, unmeasured.size()))
        return false;
    for (std::size_t r = 0; r < unmeasured.size() && ok; ++r)
        ok = writeRow(h, int(r), chart, unmeasured[r], false);
    return ok;
}

// --- reading ------------------------------------------------------------------

struct Row {
    long id = 0;
    std::string name;
    double cmyk[4] = {0, 0, 0, 0};
    double target[3] = {0, 0, 0};
    bool measured = false;
    double lab[3] = {0, 0, 0};
};

const char* cell(cmsHANDLE h, int row, const char* field) {
    const int column = cmsIT8FindDataFormat(h, field);
    return column < 0 ? nullptr : cmsIT8GetDataRowCol(h, row, column);
}

bool number(cmsHANDLE h, int row, const char* field, double lowest, double highest, double* out) {
    const char* text = cell(h, row, field);
    if (text == nullptr || *text == '\0')
        return false;
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(v) || v < lowest || v > highest)
        return false;
    *out = v;
    return true;
}

std::string rowProblem(int table, int row, const char* field) {
    return "table " + std::to_string(table + 1) + ", row " + std::to_string(row + 1) + ": " + field +
           " is missing or not a plausible number";
}

bool readTable(cmsHANDLE h, int table, bool measured, std::vector<Row>& rows, std::string* why) {
    // Checked as read: a count beyond any int must not be converted to one.
    const double sets = cmsIT8GetPropertyDbl(h, "NUMBER_OF_SETS");
    if (!(sets >= 0 && sets <= maximumPatches) ||
        rows.size() + std::size_t(sets) > std::size_t(maximumPatches)) {
        *why = "too many patches";
        return false;
    }
    const int count = int(sets);
    for (int r = 0; r < count; ++r) {
        Row row;
        double id = 0;
        if (!number(h, r, "SAMPLE_ID", 1, maximumPatches, &id) || id != std::floor(id)) {
            *why = rowProblem(table, r, "SAMPLE_ID");
            return false;
        }
        row.id = long(id);
        const char* name = cell(h, r, "SAMPLE_NAME");
        row.name = name ? name : "";
        const char* inks[4] = {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K"};
        const char* target[3] = {"TARGET_L", "TARGET_A", "TARGET_B"};
        const char* lab[3] = {"LAB_L", "LAB_A", "LAB_B"};
        for (int k = 0; k < 4; ++k)
            if (!number(h, r, inks[k], 0, 100, &row.cmyk[k])) {
                *why = rowProblem(table, r, inks[k]);
                return false;
            }
        for (int k = 0; k < 3; ++k)
            if (!number(h, r, target[k], k == 0 ? 0 : -200, k == 0 ? 100 : 200, &row.target[k]) ||
                (measured && !number(h, r, lab[k], k == 0 ? 0 : -200, k == 0 ? 100 : 200, &row.lab[k]))) {
                *why = rowProblem(table, r, measured ? lab[k] : target[k]);
                return false;
            }
        row.measured = measured;
        rows.push_back(row);
    }
    return true;
}

} // namespace

std::string MeasuredChartFile::text(const ChartSession& chart, const std::string& title,
                                    std::time_t created) {
    CNumericLocale numbers;
    lcms::ContextPtr context = lcms::quietContext();
    lcms::IT8Ptr it8(context ? cmsIT8Alloc(context.get()) : nullptr);
    if (!it8)
        return {};
    // LittleCMS's default of ten significant digits moves a Lab value by up
    // to 5e-9, so a saved chart would not come back as it was measured.
    cmsIT8DefineDblFormat(it8.get(), "%.15g");
    if (!fill(it8.get(), chart, title, created))
        return {};
    cmsUInt32Number size = 0;
    if (!cmsIT8SaveToMem(it8.get(), nullptr, &size) || size == 0)
        return {};
    std::string out(size, '\0');
    if (!cmsIT8SaveToMem(it8.get(), out.data(), &size))
        return {};
    out.resize(std::min<std::size_t>(size, out.size()));
    while (!out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

bool MeasuredChartFile::save(const ChartSession& chart, const std::string& path, const std::string& title,
                             std::string* why) {
    const std::string body = text(chart, title, std::time(nullptr));
    if (body.empty()) {
        *why = "the table could not be made";
        return false;
    }
    return WholeFile::write(path, body, why);
}

bool MeasuredChartFile::open(const std::string& path, ChartSession& chart, std::string* why) {
    QFile file(QFile::decodeName(path.c_str()));
    // Only a regular file: a FIFO or a device would block or never end.
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) {
        *why = "cannot be read, or is not a regular file";
        return false;
    }
    if (file.size() > qint64(maximumFileSize)) {
        *why = "too large for a measured chart";
        return false;
    }
    const QByteArray bytes = file.readAll();
    return parse(bytes.constData(), std::size_t(bytes.size()), chart, why);
}

bool MeasuredChartFile::parse(const void* data, std::size_t size, ChartSession& chart, std::string* why) {
    // What LittleCMS must not be handed (an include directive would have it
    // open any file the text names) is refused before it reads a byte.
    if (data != nullptr && size > 0 && size <= maximumFileSize && !cgatsPrecheck(data, size)) {
        *why = "not a CGATS file this program can read";
        return false;
    }
    const std::string_view text = data != nullptr ? cgatsText(data, size) : std::string_view();
    CNumericLocale numbers;
    lcms::ContextPtr context = lcms::quietContext();
    lcms::IT8Ptr it8(context && !text.empty() && size <= maximumFileSize
                         ? cmsIT8LoadFromMem(context.get(), text.data(), cmsUInt32Number(text.size()))
                         : nullptr);
    if (!it8) {
        *why = "not a CGATS file";
        return false;
    }
    cmsHANDLE h = it8.get();
    std::vector<Row> rows;
    const int tables = int(cmsIT8TableCount(h));
    for (int t = 0; t < tables && t < 2; ++t) {
        cmsIT8SetTable(h, cmsUInt32Number(t));
        const bool measured = cmsIT8FindDataFormat(h, "LAB_L") >= 0;
        if (cmsIT8FindDataFormat(h, "TARGET_L") < 0 || cmsIT8FindDataFormat(h, "CMYK_C") < 0) {
            *why = "not a measured chart: it has no TARGET_L or CMYK_C column";
            return false;
        }
        if (!readTable(h, t, measured, rows, why))
            return false;
    }
    // A file without a single patch would replace the chart held by nothing.
    if (rows.empty()) {
        *why = "not a measured chart: it has no patches";
        return false;
    }
    // Every position from 1 to the number of patches, once each.
    std::vector<const Row*> byId(rows.size(), nullptr);
    for (const Row& r : rows) {
        if (r.id < 1 || std::size_t(r.id) > rows.size() || byId[std::size_t(r.id - 1)] != nullptr) {
            *why = "SAMPLE_ID " + std::to_string(r.id) + " is repeated or out of order";
            return false;
        }
        byId[std::size_t(r.id - 1)] = &r;
    }
    CHARTPATCH* list = nullptr;
    for (const Row* r : byId) {
        auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        if (p == nullptr) {
            FreeList(&list);
            *why = "out of memory";
            return false;
        }
        p->kind = CHARTPATCH_KIND;
        for (int k = 0; k < 4; ++k)
            p->cmyk[inkOrder[k]] = static_cast<unsigned char>(std::lround(r->cmyk[k] * 2.55));
        // The file keeps no media-relative values; the D50 ones stand in,
        // and the preview is sRGB.
        for (int k = 0; k < 3; ++k)
            p->labD50[k] = p->labRelative[k] = r->target[k];
        KvCMSLabToRGB(nullptr, p->labD50[0], p->labD50[1], p->labD50[2], p->rgb);
        // A name that is only the position is the default, not a name of its own.
        if (r->name != chartPatchName(*p, static_cast<unsigned long>(r->id - 1)))
            setChartPatchName(*p, r->name.c_str());
        AddList(&list, p);
    }
    chart.reset(list);
    for (std::size_t i = 0; i < byId.size(); ++i)
        if (byId[i]->measured)
            chart.recordAt(i, byId[i]->lab[0], byId[i]->lab[1], byId[i]->lab[2]);
    return true;
}
