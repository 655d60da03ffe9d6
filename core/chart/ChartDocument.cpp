#include "ChartDocument.h"

#include "ChartExport.h"
#include "ChartHandles.h"
#include "ChartRecords.h"
#include "ExportISO12642.h"
#include "ExportTi1.h"
#include "KvFileInfo.h"
#include "MeasuredChartFile.h"
#include "MeasurementFile.h"
#include "PageLayout.h"
#include "SwatchImporter.h"
#include "VerificationReport.h"
#include "WholeFile.h"

#include <memory>

namespace {

// Swatch records, released on every return path.
struct Records {
    KVCOMBOCOLOUR* first = nullptr;
    ~Records() { KvPacketFreeList(&first, KV_PACKET_COMBOCOLOUR); }
};

// Frees a list that no session took.
struct ListOwner {
    CHARTPATCH* list = nullptr;
    ~ListOwner() { FreeList(&list); }
    CHARTPATCH* release() {
        CHARTPATCH* l = list;
        list = nullptr;
        return l;
    }
};

// Where progress goes when nobody reads it: the generation always writes.
std::FILE* quiet() {
    static std::FILE* const devNull = std::fopen("/dev/null", "w");
    return devNull;
}

} // namespace

void ChartDocument::clear() {
    origin_ = ChartOrigin{};
    session_.clear();
}

void ChartDocument::adopt(CHARTPATCH* list, ChartOrigin origin) {
    origin_ = std::move(origin);
    session_.reset(list);
}

Status ChartDocument::buildFromProfile(const std::string& profile, const std::string& preview,
                                       unsigned long count, const ChartOptions& options,
                                       std::FILE* progress) {
    ChartHandles handles;
    if (Status s = handles.openForGrid(profile.c_str(), preview.empty() ? nullptr : preview.c_str()); !s)
        return s;
    if (Status s = buildFromHandles(handles.profile, handles.preview, count, options, progress); !s)
        return s;
    origin_.profile = profile;
    origin_.preview = preview;
    return {};
}

Status ChartDocument::buildFromHandles(KvCMSHandle profile, KvCMSHandle preview, unsigned long count,
                                       const ChartOptions& options, std::FILE* progress) {
    const icColorSpaceSignature space = profile ? ChartHandles::spaceOf(profile) : icSigNoSpace;
    if (space != icSigCmykData && space != icSigRgbData)
        return Status::failed("", "the profile is neither CMYK nor RGB");
    ListOwner made;
    std::FILE* out = progress ? progress : quiet();
    if (out == nullptr)
        return Status::failed("/dev/null", "cannot be opened for the progress lines");
    if (ChartGeneration::generateChart(&made.list, profile, preview, count, out, options) != 0)
        return Status::failed("", "out of memory");
    ChartOrigin origin;
    origin.kind = ChartOrigin::Profile;
    origin.options = options;
    adopt(made.release(), std::move(origin));
    return {};
}

Status ChartDocument::buildFromSwatchFile(const std::string& swatches, const std::string& profile,
                                          const std::string& preview, bool separate) {
    Records records;
    SwatchType type = SWATCH_UNKNOWN;
    std::string why;
    records.first = SwatchImporter::import(swatches.c_str(), type, 0, &why);
    if (records.first == nullptr)
        return Status::failed(swatches, why);
    Status s = buildFromSwatches(records.first, profile, preview, separate);
    if (!s)
        return s.failure().what.empty() ? Status::failed(swatches, s.failure().why) : s;
    origin_.file = swatches;
    return {};
}

Status ChartDocument::buildFromSwatches(const KVCOMBOCOLOUR* records, const std::string& profile,
                                        const std::string& preview, bool separate) {
    ChartHandles handles;
    if (Status s = handles.openForSwatches(profile.c_str(), preview.empty() ? nullptr : preview.c_str()); !s)
        return s;
    ListOwner made;
    ChartOrigin origin;
    if (Status s = ChartGeneration::patchesFromSwatches(&made.list, records, handles, separate, &origin.inks);
        !s)
        return s;
    origin.kind = ChartOrigin::Swatches;
    origin.profile = profile;
    origin.preview = preview;
    origin.separate = separate;
    adopt(made.release(), std::move(origin));
    return {};
}

Status ChartDocument::openReference(const std::string& path) {
    ChartOrigin origin;
    origin.kind = ChartOrigin::Reference;
    origin.file = path;
    ChartSession measured;
    if (MeasuredChartFile::open(path, measured)) {
        ListOwner list;
        list.list = ChartRecords::copy(measured.patches());
        adopt(list.release(), std::move(origin));
        return {};
    }
    // A chart's own ISO 12642 export, or any swatch file with Lab on every
    // row, also gives the inks, so a report can show what was printed.
    Records records;
    SwatchType type = SWATCH_UNKNOWN;
    records.first = SwatchImporter::import(path.c_str(), type, 0, nullptr);
    bool allLab = records.first != nullptr;
    for (const KVCOMBOCOLOUR* r = records.first; r != nullptr && allLab; r = KvNext(r))
        allLab = (r->flags & KVCOMBO_LAB_VALID) != 0;
    if (allLab) {
        ListOwner list;
        for (const KVCOMBOCOLOUR* r = records.first; r != nullptr; r = KvNext(r))
            if (CHARTPATCH* p = ChartRecords::patchOf(*r))
                AddList(&list.list, p);
        adopt(list.release(), std::move(origin));
        return {};
    }
    MeasurementFile file;
    if (!file.load(path) || file.problem() == MeasurementFile::Damaged)
        return Status::failed(path, file.problem() == MeasurementFile::Damaged
                                        ? "damaged at row " + std::to_string(file.damagedRow())
                                        : "not a CGATS file with Lab or XYZ values");
    ListOwner list;
    for (const MeasurementReading& r : file.readings()) {
        const double lab[3] = {r.L, r.a, r.b};
        if (CHARTPATCH* p = ChartRecords::patchOf(r.name.c_str(), lab, nullptr))
            AddList(&list.list, p);
    }
    adopt(list.release(), std::move(origin));
    return {};
}

Status ChartDocument::openMeasured(const std::string& path) {
    // Read into a chart of its own first, so a bad file leaves this one alone.
    ChartSession opened;
    if (Status s = MeasuredChartFile::open(path, opened); !s)
        return s;
    ChartOrigin origin;
    origin.kind = ChartOrigin::Measured;
    origin.file = path;
    ListOwner list;
    list.list = ChartRecords::copy(opened.patches());
    if (list.list == nullptr)
        return Status::failed(path, "out of memory");
    adopt(list.release(), std::move(origin));
    for (std::size_t i = 0; i < opened.size(); ++i)
        if (opened.measured(i)) {
            const double* lab = opened.reading(i).lab;
            session_.recordAt(i, lab[0], lab[1], lab[2]);
        }
    return {};
}

// --- exports ------------------------------------------------------------------

Status ChartDocument::exportPaper(const std::string& path, const PageLayout& layout,
                                  std::time_t created) const {
    const ChartHeading heading{sourceName(), created};
    return ChartExport::write(session_.patches(), path, ChartExport::formatFor(path), layout, heading);
}

Status ChartDocument::exportCgats(const std::string& path, std::time_t created) const {
    const bool ti1 = path.size() >= 4 && (path.compare(path.size() - 4, 4, ".ti1") == 0 ||
                                          path.compare(path.size() - 4, 4, ".TI1") == 0);
    return ti1 ? exportTi1(path, created) : exportIso12642(path, created);
}

Status ChartDocument::exportIso12642(const std::string& path, std::time_t created) const {
    KVCOMBOCOLOUR_CC colours;
    if (!ChartRecords::fill(session_.patches(), colours))
        return Status::failed(path, "out of memory");
    return ExportISO12642::save(path, colours.list, descriptor(), created);
}

Status ChartDocument::exportTi1(const std::string& path, std::time_t created) const {
    return ExportTi1::write(session_.patches(), path, created, descriptor());
}

// --- measurements -------------------------------------------------------------------

Result<ChartSession::FileResult> ChartDocument::loadMeasurements(const std::string& path) {
    MeasurementFile file;
    if (!file.load(path))
        return Failure{path, "not a CGATS file with Lab or XYZ readings"};
    if (file.problem() == MeasurementFile::Damaged)
        return Failure{path, "damaged at row " + std::to_string(file.damagedRow())};
    return session_.apply(file);
}

ChartVerdict ChartDocument::judge(const ChartTolerances& tolerances) const {
    return ChartVerdict::judge(session_, tolerances);
}

Status ChartDocument::saveMeasurements(const std::string& path, std::time_t created,
                                       const std::string& title) const {
    return WholeFile::write(
        path, MeasuredChartFile::text(session_, title.empty() ? this->title() : title, created));
}

std::string ChartDocument::report(const ChartTolerances& tolerances, const std::string& monitor,
                                  std::time_t created, const std::string& title) const {
    return VerificationReport::html(session_, judge(tolerances), title.empty() ? this->title() : title,
                                    monitor, created);
}

Status ChartDocument::exportReport(const std::string& path, const ChartTolerances& tolerances,
                                   const std::string& monitor, std::time_t created,
                                   const std::string& title) const {
    if (Status target = WholeFile::checkTarget(path); !target)
        return target;
    return WholeFile::write(path, report(tolerances, monitor, created, title));
}

// --- words ------------------------------------------------------------------------------

std::string ChartDocument::sourceName() const {
    switch (origin_.kind) {
    case ChartOrigin::Profile:
        return KvFileInfo::filenameFromPath(origin_.profile);
    case ChartOrigin::Swatches:
    case ChartOrigin::Reference:
    case ChartOrigin::Measured:
        return KvFileInfo::filenameFromPath(origin_.file);
    case ChartOrigin::Empty:
        break;
    }
    return {};
}

std::string ChartDocument::title() const {
    const std::string name = sourceName();
    switch (origin_.kind) {
    case ChartOrigin::Profile:
        return name.empty() ? "Colour check chart" : "Colour check chart for ICC profile " + name;
    case ChartOrigin::Swatches:
        return "Colour check chart for swatch file " + name + " (" + ChartGeneration::inkNote(origin_.inks) +
               ")";
    case ChartOrigin::Reference:
        return "Colour check chart from the reference " + name;
    case ChartOrigin::Measured:
        return "Colour check chart - " + name;
    case ChartOrigin::Empty:
        break;
    }
    return "Colour check chart";
}

std::string ChartDocument::descriptor() const {
    std::string d = ExportISO12642::defaultDescriptor;
    if (origin_.kind == ChartOrigin::Swatches && origin_.inks.fromFile + origin_.inks.separated > 0)
        d += std::string("; ") + ChartGeneration::inkNote(origin_.inks);
    return d;
}
