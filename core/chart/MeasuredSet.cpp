#include "MeasuredSet.h"

#include "CgatsTable.h"
#include "CgatsWriter.h"
#include "ChartDocument.h"
#include "ChartSession.h"
#include "KvFileInfo.h"
#include "RegularFile.h"

#include <lcms2.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

const char* const inkFields[4] = {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K"};
const char* const labFields[3] = {"LAB_L", "LAB_A", "LAB_B"};
const char* const xyzFields[3] = {"XYZ_X", "XYZ_Y", "XYZ_Z"};

Failure refused(const std::string& source, const std::string& why) {
    return Failure{source, why};
}

// Where the file leaves the four inks out, what it has instead.
std::string notCmyk(const CgatsTable& table) {
    if (table.column("RGB_R") >= 0)
        return "not a CMYK chart: its patches are RGB (RGB_R, RGB_G, RGB_B)";
    if (table.column("GRAY") >= 0 || table.column("GRAY_G") >= 0)
        return "not a CMYK chart: its patches are grey";
    return "not a CMYK chart: it has no CMYK_C, CMYK_M, CMYK_Y and CMYK_K columns";
}

bool inRange(double v, double lowest, double highest) {
    return v >= lowest && v <= highest;
}

// One row's value, in range; `why` says which patch lacks what.
bool value(const CgatsTable& table, int row, int column, double lowest, double highest, double& out,
           std::string& why) {
    if (!table.number(row, column, out, why)) {
        why = "a patch without its inks or reading: " + why;
        return false;
    }
    if (inRange(out, lowest, highest))
        return true;
    why = table.where(row, column) + " is out of range (" + CgatsWriter::number(lowest) + " to " +
          CgatsWriter::number(highest) + ")";
    return false;
}

bool readRow(const CgatsTable& table, int row, bool xyz, MeasuredPatch& p, std::string& why) {
    for (int k = 0; k < 4; ++k)
        if (!value(table, row, table.column(inkFields[k]), 0, 100, p.cmyk[k], why))
            return false;
    double v[3];
    for (int k = 0; k < 3; ++k) {
        // XYZ on the 0..100 scale, a little over for a paper with brightener.
        const double lowest = xyz || k == 0 ? 0 : -200;
        const double highest = xyz ? 200 : (k == 0 ? 101 : 200);
        if (!value(table, row, table.column((xyz ? xyzFields : labFields)[k]), lowest, highest, v[k], why))
            return false;
    }
    if (xyz) {
        const cmsCIEXYZ x{v[0] / 100.0, v[1] / 100.0, v[2] / 100.0};
        cmsCIELab lab;
        cmsXYZ2Lab(cmsD50_XYZ(), &lab, &x);
        v[0] = lab.L, v[1] = lab.a, v[2] = lab.b;
    }
    std::copy(v, v + 3, p.lab);
    if (!table.text(row, table.column("SAMPLE_NAME"), p.name) || p.name.empty())
        if (!table.text(row, table.column("SAMPLE_ID"), p.name) || p.name.empty())
            p.name = std::to_string(row + 1);
    return true;
}

// A key of a patch's inks, in hundredths of a percent, spread over 64 bits
// (FNV-1a, then the splitmix64 finaliser) so that nearby inks land far apart.
std::uint64_t inkKey(const MeasuredPatch& p) {
    std::uint64_t h = 1469598103934665603ull;
    for (double ink : p.cmyk) {
        const auto v = static_cast<std::uint32_t>(std::lround(ink * 100.0));
        for (int byte = 0; byte < 4; ++byte) {
            h ^= (v >> (8 * byte)) & 0xffu;
            h *= 1099511628211ull;
        }
    }
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebull;
    return h ^ (h >> 31);
}

} // namespace

Result<MeasuredSet> MeasuredSet::read(const std::string& path) {
    std::string bytes;
    int error = 0;
    switch (RegularFile::readAll(path.c_str(), maximumFileSize, bytes, &error)) {
    case RegularFile::Read:
        break;
    case RegularFile::NotRegular:
        return refused(path, "not a regular file");
    case RegularFile::TooLarge:
        return refused(path, "too large for a measured chart");
    case RegularFile::CannotOpen:
        return refused(path, std::strerror(error ? error : EIO));
    }
    Result<MeasuredSet> set = parse(bytes.data(), bytes.size(), path);
    if (set)
        set->source = KvFileInfo::filenameFromPath(path);
    return set;
}

Result<MeasuredSet> MeasuredSet::parse(const void* data, std::size_t size, const std::string& source) {
    CgatsTable table;
    std::string why;
    if (!table.load(data, size, why))
        return refused(source, why);
    // A chart saved with patches still unmeasured keeps them in a second table.
    if (table.tables() > 1)
        return refused(source, "the file holds more than one table; a profile is made from one table in "
                               "which every patch is measured (measure the rest of the chart first)");
    if (!table.hasColumns(inkFields, 4))
        return refused(source, notCmyk(table));
    const bool lab = table.hasColumns(labFields, 3);
    if (!lab && !table.hasColumns(xyzFields, 3))
        return refused(source, "the patches have no readings: no LAB_L, LAB_A, LAB_B or XYZ_X, XYZ_Y, XYZ_Z");
    const int rows = table.declaredRows(int(maximumPatches));
    if (rows == 0)
        return refused(source, "no patches, or more than " + std::to_string(maximumPatches));
    MeasuredSet set;
    set.source = source;
    set.patches.resize(std::size_t(rows));
    for (int r = 0; r < rows; ++r)
        if (!readRow(table, r, !lab, set.patches[std::size_t(r)], why))
            return refused(source, why);
    double limit = 0;
    if (CgatsTable::plainNumber(table.property("TOTAL_INK_LIMIT"), limit) && inRange(limit, 100, 400))
        set.inkLimit = int(std::lround(limit));
    return set;
}

Result<MeasuredSet> MeasuredSet::fromChart(const ChartSession& chart, const std::string& source) {
    if (chart.empty())
        return refused(source, "the chart has no patches");
    if (chart.measuredCount() < chart.size())
        return refused(source, std::to_string(chart.size() - chart.measuredCount()) + " of " +
                                   std::to_string(chart.size()) +
                                   " patches have no reading; measure every patch first");
    MeasuredSet set;
    set.source = source;
    bool anyInk = false;
    for (std::size_t i = 0; i < chart.size(); ++i) {
        MeasuredPatch p;
        p.name = chart.name(i);
        for (int k = 0; k < 4; ++k) {
            p.cmyk[k] = chartPatchInk(chart.patch(i), k);
            anyInk = anyInk || p.cmyk[k] > 0;
        }
        std::copy(chart.reading(i).lab, chart.reading(i).lab + 3, p.lab);
        set.patches.push_back(p);
    }
    // A chart read from a file of Lab values alone knows no inks: every patch
    // would be bare paper.
    if (!anyInk)
        return refused(source, "the patches have no inks (the chart was read from Lab values alone)");
    return set;
}

Result<MeasuredSet> MeasuredSet::fromDocument(const ChartDocument& document) {
    const std::string name = document.sourceName();
    Result<MeasuredSet> set = fromChart(document.session(), name.empty() ? document.title() : name);
    if (set && document.origin().kind == ChartOrigin::Profile)
        set->inkLimit = document.origin().options.inkLimit;
    return set;
}

Status MeasuredSet::enough() const {
    if (patches.size() < minimumPatches)
        return Status::failed(source,
                              "too few patches for a useful profile: " + std::to_string(patches.size()) +
                                  " measured, at least " + std::to_string(minimumPatches) +
                                  " needed (a CMYK chart of 200 or more is better)");
    for (const MeasuredPatch& p : patches)
        if (p.cmyk[0] + p.cmyk[1] + p.cmyk[2] + p.cmyk[3] == 0)
            return {};
    return Status::failed(source, "no patch of bare paper (no ink at all), from which colprof takes the "
                                  "paper's white; a chart with control patches has it first");
}

std::vector<std::size_t> MeasuredSet::heldOut() const {
    struct Keyed {
        std::uint64_t key;
        std::size_t index;
    };
    std::vector<Keyed> candidates;
    for (std::size_t i = 0; i < patches.size(); ++i) {
        const double* ink = patches[i].cmyk;
        if (ink[0] + ink[1] + ink[2] + ink[3] > 0)
            candidates.push_back({inkKey(patches[i]), i});
    }
    std::sort(candidates.begin(), candidates.end(), [](const Keyed& a, const Keyed& b) {
        return a.key != b.key ? a.key < b.key : a.index < b.index;
    });
    const std::size_t wanted = (patches.size() + 9) / 10;
    std::vector<std::size_t> out;
    for (std::size_t r = 0; r < candidates.size(); ++r) {
        // Past the tenth, only the twins of the last one chosen follow it.
        if (out.size() >= wanted && candidates[r].key != candidates[r - 1].key)
            break;
        out.push_back(candidates[r].index);
    }
    std::sort(out.begin(), out.end());
    return out;
}

MeasuredSet MeasuredSet::without(const std::vector<std::size_t>& leaveOut) const {
    MeasuredSet rest;
    rest.inkLimit = inkLimit;
    rest.source = source;
    std::size_t next = 0;
    for (std::size_t i = 0; i < patches.size(); ++i) {
        if (next < leaveOut.size() && leaveOut[next] == i) {
            ++next;
            continue;
        }
        rest.patches.push_back(patches[i]);
    }
    return rest;
}

std::string MeasuredSet::ti3(const std::string& descriptor) const {
    CgatsWriter out("CTI3");
    out.property("DESCRIPTOR", descriptor);
    out.property("ORIGINATOR", "Quillon Tintry");
    out.declareKeyword("DEVICE_CLASS");
    out.property("DEVICE_CLASS", "OUTPUT");
    out.declareKeyword("COLOR_REP");
    out.property("COLOR_REP", "CMYK_LAB");
    out.fields(
        {"SAMPLE_ID", "SAMPLE_NAME", "CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K", "LAB_L", "LAB_A", "LAB_B"});
    for (std::size_t i = 0; i < patches.size(); ++i) {
        const MeasuredPatch& p = patches[i];
        std::vector<std::string> row{std::to_string(i + 1), CgatsWriter::quoted(p.name.c_str())};
        for (double v : p.cmyk)
            row.push_back(CgatsWriter::number(v));
        for (double v : p.lab)
            row.push_back(CgatsWriter::number(v));
        out.row(row);
    }
    return out.text();
}
