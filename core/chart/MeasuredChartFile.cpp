#include "MeasuredChartFile.h"

#include "CgatsPrecheck.h"
#include "CgatsTable.h"
#include "CgatsWriter.h"
#include "ChartSession.h"
#include "KvCMS.h"
#include "Kvlib.h"
#include "LabRange.h"
#include "RegularFile.h"
#include "WholeFile.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

const std::vector<std::string> measuredFields = {"SAMPLE_ID", "SAMPLE_NAME", "CMYK_C", "CMYK_M", "CMYK_Y",
                                                 "CMYK_K",    "LAB_L",       "LAB_A",  "LAB_B",  "TARGET_L",
                                                 "TARGET_A",  "TARGET_B",    "DE2000"};
const std::vector<std::string> unmeasuredFields = {
    "SAMPLE_ID", "SAMPLE_NAME", "CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K", "TARGET_L", "TARGET_A", "TARGET_B"};
constexpr std::size_t maximumFileSize = 64u << 20;
constexpr int maximumPatches = 100000;

std::string isoDate(std::time_t t) {
    std::tm tm{};
    ::localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &tm);
    return text;
}

void startTable(CgatsWriter& out, const std::string& descriptor, const std::vector<std::string>& fields) {
    out.property("DESCRIPTOR", descriptor);
    out.property("DEVICE_CLASS", "OUTPUT");
    out.property("COLOR_REP", "CMYK_LAB");
    out.fields(fields);
}

// Every digit a double holds, so that a saved chart comes back as measured.
void writeRow(CgatsWriter& out, const ChartSession& chart, std::size_t i, bool measured) {
    const CHARTPATCH& p = chart.patch(i);
    std::vector<std::string> values{std::to_string(i + 1), CgatsWriter::quoted(chart.name(i).c_str())};
    for (int k = 0; k < 4; ++k)
        values.push_back(CgatsWriter::precise(chartPatchInk(p, k)));
    if (measured)
        for (double v : chart.reading(i).lab)
            values.push_back(CgatsWriter::precise(v));
    for (double v : p.labD50)
        values.push_back(CgatsWriter::precise(v));
    if (measured)
        values.push_back(CgatsWriter::precise(chart.reading(i).deltaE));
    out.row(values);
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

// The value of `field`, a plain number from `lowest` to `highest`.
bool number(const CgatsTable& t, int row, const char* field, double lowest, double highest, double* out) {
    std::string ignored;
    double v = 0;
    if (!t.number(row, t.column(field), v, ignored) || v < lowest || v > highest)
        return false;
    *out = v;
    return true;
}

std::string rowProblem(int table, int row, const char* field) {
    return "table " + std::to_string(table + 1) + ", row " + std::to_string(row + 1) + ": " + field +
           " is missing or not a plausible number";
}

bool readTable(const CgatsTable& t, int table, bool measured, std::vector<Row>& rows, std::string* why) {
    const int count = t.declaredRows(maximumPatches);
    // Checked as read: a count beyond any int must not be converted to one.
    if (count == 0 && !t.property("NUMBER_OF_SETS").empty() && t.property("NUMBER_OF_SETS") != "0") {
        *why = "too many patches";
        return false;
    }
    if (rows.size() + std::size_t(count) > std::size_t(maximumPatches)) {
        *why = "too many patches";
        return false;
    }
    static const char* const inks[4] = {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K"};
    static const char* const target[3] = {"TARGET_L", "TARGET_A", "TARGET_B"};
    static const char* const lab[3] = {"LAB_L", "LAB_A", "LAB_B"};
    for (int r = 0; r < count; ++r) {
        Row row;
        double id = 0;
        if (!number(t, r, "SAMPLE_ID", 1, maximumPatches, &id) || id != std::floor(id)) {
            *why = rowProblem(table, r, "SAMPLE_ID");
            return false;
        }
        row.id = long(id);
        t.text(r, t.column("SAMPLE_NAME"), row.name);
        for (int k = 0; k < 4; ++k)
            if (!number(t, r, inks[k], 0, 100, &row.cmyk[k])) {
                *why = rowProblem(table, r, inks[k]);
                return false;
            }
        for (int k = 0; k < 3; ++k)
            if (!number(t, r, target[k], LabRange::lowest(k), LabRange::highest(k), &row.target[k]) ||
                (measured && !number(t, r, lab[k], LabRange::lowest(k), LabRange::highest(k), &row.lab[k]))) {
                *why = rowProblem(table, r, measured ? lab[k] : target[k]);
                return false;
            }
        row.measured = measured;
        rows.push_back(row);
    }
    return true;
}

// The patch of one row: the file's inks to 0.01 % as written, the target as
// D50 and (the file keeps no media-relative values) as relative Lab, an sRGB
// preview.
CHARTPATCH* patchOf(const Row& r) {
    auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
    if (p == nullptr)
        return nullptr;
    p->kind = CHARTPATCH_KIND;
    setChartPatchPercent(*p, r.cmyk);
    for (int k = 0; k < 3; ++k)
        p->labD50[k] = p->labRelative[k] = r.target[k];
    KvCMSLabToRGB(nullptr, p->labD50[0], p->labD50[1], p->labD50[2], p->rgb);
    // A name that is only the position is the default, not a name of its own.
    if (r.name != chartPatchName(*p, static_cast<unsigned long>(r.id - 1)))
        setChartPatchName(*p, r.name.c_str());
    return p;
}

} // namespace

std::string MeasuredChartFile::text(const ChartSession& chart, const std::string& title,
                                    std::time_t created) {
    std::vector<std::size_t> measured, unmeasured;
    for (std::size_t i = 0; i < chart.size(); ++i)
        (chart.measured(i) ? measured : unmeasured).push_back(i);
    CgatsWriter out("CTI3");
    out.property("ORIGINATOR", "Quillon Tintry");
    out.property("CREATED", isoDate(created));
    // LittleCMS reads no table of no rows, so a chart without a single
    // reading is the table of patches without one alone.
    if (!measured.empty()) {
        startTable(out, title, measuredFields);
        for (std::size_t i : measured)
            writeRow(out, chart, i, true);
        if (unmeasured.empty())
            return out.text();
        out.nextTable("CTI3");
    }
    startTable(out, measured.empty() ? title : "Patches without a reading", unmeasuredFields);
    for (std::size_t i : unmeasured)
        writeRow(out, chart, i, false);
    return out.text();
}

Status MeasuredChartFile::save(const ChartSession& chart, const std::string& path, const std::string& title) {
    return WholeFile::write(path, text(chart, title, std::time(nullptr)));
}

Status MeasuredChartFile::open(const std::string& path, ChartSession& chart) {
    std::string bytes;
    int error = 0;
    switch (RegularFile::readAll(path.c_str(), maximumFileSize, bytes, &error)) {
    case RegularFile::Read:
        break;
    case RegularFile::TooLarge:
        return Status::failed(path, "too large for a measured chart");
    case RegularFile::NotRegular:
        return Status::failed(path, "not a regular file");
    default:
        return Status::failed(path, error != 0 ? std::strerror(error) : "cannot be read");
    }
    const Status parsed = parse(bytes.data(), bytes.size(), chart);
    return parsed ? parsed : Status::failed(path, parsed.failure().why);
}

Status MeasuredChartFile::parse(const void* data, std::size_t size, ChartSession& chart) {
    std::string reason;
    std::string* why = &reason;
    // What LittleCMS must not be handed (an include directive would have it
    // open any file the text names) is refused before it reads a byte.
    if (data != nullptr && size > 0 && size <= maximumFileSize && !cgatsPrecheck(data, size)) {
        *why = "not a CGATS file this program can read";
        return Status::failed("", reason);
    }
    CgatsTable t;
    std::string ignored;
    if (size > maximumFileSize || !t.load(data, size, ignored)) {
        *why = "not a CGATS file";
        return Status::failed("", reason);
    }
    std::vector<Row> rows;
    for (int table = 0; table < t.tables() && table < 2; ++table) {
        t.select(table);
        const bool measured = t.column("LAB_L") >= 0;
        if (t.column("TARGET_L") < 0 || t.column("CMYK_C") < 0) {
            *why = "not a measured chart: it has no TARGET_L or CMYK_C column";
            return Status::failed("", reason);
        }
        if (!readTable(t, table, measured, rows, why))
            return Status::failed("", reason);
    }
    // A file without a single patch would replace the chart held by nothing.
    if (rows.empty()) {
        *why = "not a measured chart: it has no patches";
        return Status::failed("", reason);
    }
    // Every position from 1 to the number of patches, once each.
    std::vector<const Row*> byId(rows.size(), nullptr);
    for (const Row& r : rows) {
        if (r.id < 1 || std::size_t(r.id) > rows.size() || byId[std::size_t(r.id - 1)] != nullptr) {
            *why = "SAMPLE_ID " + std::to_string(r.id) + " is repeated or out of order";
            return Status::failed("", reason);
        }
        byId[std::size_t(r.id - 1)] = &r;
    }
    CHARTPATCH* list = nullptr;
    for (const Row* r : byId) {
        CHARTPATCH* p = patchOf(*r);
        if (p == nullptr) {
            FreeList(&list);
            *why = "out of memory";
            return Status::failed("", reason);
        }
        AddList(&list, p);
    }
    chart.reset(list);
    for (std::size_t i = 0; i < byId.size(); ++i)
        if (byId[i]->measured)
            chart.recordAt(i, byId[i]->lab[0], byId[i]->lab[1], byId[i]->lab[2]);
    return {};
}
