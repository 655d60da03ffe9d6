#include "VerifyCommand.h"

#include "ChartSession.h"
#include "ChartVerdict.h"
#include "MeasuredChartFile.h"
#include "MeasurementFile.h"
#include "SwatchImporter.h"
#include "VerificationReport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

namespace {

constexpr int statusPass = 0, statusFail = 3, statusError = 1, statusUsage = 2;

int usageError(const std::string& what) {
    std::fprintf(stderr, "tintry-chart: %s (see --help)\n", what.c_str());
    return statusUsage;
}

int failure(const std::string& what, const std::string& why) {
    std::fprintf(stderr, "tintry-chart: %s: %s\n", what.c_str(), why.c_str());
    return statusError;
}

// "--name value" and "--name=value"; empty when sound, else the complaint.
std::string parse(int argc, char** argv, std::map<std::string, std::string>& o) {
    static const char* const known[] = {"--verify", "--reference", "--report", "--cgats",
                                        "--max",    "--mean",      "--p95",    "--monitor"};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        const std::size_t eq = arg.find('=');
        const bool joined = arg.rfind("--", 0) == 0 && eq != std::string::npos;
        if (joined) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
        }
        bool isKnown = false;
        for (const char* k : known)
            isKnown = isKnown || arg == k;
        if (!isKnown)
            return "unknown argument '" + arg + "' with --verify";
        if (!joined) {
            if (i + 1 >= argc)
                return arg + " needs a value";
            value = argv[++i];
        }
        if (value.empty())
            return arg + " needs a value";
        if (o.count(arg))
            return arg + " given twice";
        o[arg] = value;
    }
    if (!o.count("--reference"))
        return "--verify needs --reference CHART";
    return {};
}

bool limit(const std::map<std::string, std::string>& o, const char* key, double* out) {
    const auto it = o.find(key);
    if (it == o.end())
        return true;
    char* end = nullptr;
    const double v = std::strtod(it->second.c_str(), &end);
    if (end == it->second.c_str() || *end != '\0' || !std::isfinite(v) || v <= 0 || v > 1000)
        return false;
    *out = v;
    return true;
}

// The reference as a chart: our own measured-chart file keeps its inks and
// names (its readings are dropped), any other CGATS with Lab or XYZ gives the
// targets and names alone.
// A chart's own ISO 12642 export (or any swatch file with Lab on every row)
// also gives the inks, so the report can show what was printed.
bool inkedReference(const std::string& path, ChartSession& chart) {
    SwatchType type = SWATCH_UNKNOWN;
    KVCOMBOCOLOUR* records = SwatchImporter::import(path.c_str(), type, 0, nullptr);
    bool usable = records != nullptr;
    for (const KVCOMBOCOLOUR* r = records; r != nullptr && usable; r = KvNext(r))
        usable = (r->flags & KVCOMBO_LAB_VALID) != 0;
    CHARTPATCH* list = nullptr;
    for (const KVCOMBOCOLOUR* r = usable ? records : nullptr; r != nullptr; r = KvNext(r)) {
        auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        if (p == nullptr)
            break;
        p->kind = CHARTPATCH_KIND;
        p->labD50[0] = p->labRelative[0] = r->L;
        p->labD50[1] = p->labRelative[1] = r->a;
        p->labD50[2] = p->labRelative[2] = r->b;
        if (r->flags & KVCOMBO_CMYK_VALID) {
            p->cmyk[INK_C] = static_cast<unsigned char>(r->cmyk >> 24);
            p->cmyk[INK_M] = static_cast<unsigned char>(r->cmyk >> 16);
            p->cmyk[INK_Y] = static_cast<unsigned char>(r->cmyk >> 8);
            p->cmyk[INK_K] = static_cast<unsigned char>(r->cmyk);
        }
        setChartPatchName(*p, r->name);
        AddList(&list, p);
    }
    KvPacketFreeList(&records, KV_PACKET_COMBOCOLOUR);
    if (list == nullptr)
        return false;
    chart.reset(list);
    return true;
}

bool loadReference(const std::string& path, ChartSession& chart, std::string* why) {
    if (MeasuredChartFile::open(path, chart, why)) {
        for (std::size_t i = 0; i < chart.size(); ++i)
            chart.forget(i);
        return true;
    }
    if (inkedReference(path, chart))
        return true;
    MeasurementFile file;
    if (!file.load(path) || file.problem() == MeasurementFile::Damaged) {
        *why = file.problem() == MeasurementFile::Damaged
                   ? "damaged at row " + std::to_string(file.damagedRow())
                   : "not a CGATS file with Lab or XYZ values";
        return false;
    }
    CHARTPATCH* list = nullptr;
    for (const MeasurementReading& r : file.readings()) {
        auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        if (p == nullptr)
            break;
        p->kind = CHARTPATCH_KIND;
        p->labD50[0] = p->labRelative[0] = r.L;
        p->labD50[1] = p->labRelative[1] = r.a;
        p->labD50[2] = p->labRelative[2] = r.b;
        setChartPatchName(*p, r.name.c_str());
        AddList(&list, p);
    }
    chart.reset(list);
    return true;
}

} // namespace

bool VerifyCommand::wanted(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--verify") == 0 || std::strncmp(argv[i], "--verify=", 9) == 0)
            return true;
    return false;
}

int VerifyCommand::run(int argc, char** argv) {
    std::map<std::string, std::string> o;
    const std::string problem = parse(argc, argv, o);
    if (!problem.empty())
        return usageError(problem);
    ChartTolerances tolerances;
    for (auto [key, field] : {std::pair{"--max", &tolerances.maximum}, std::pair{"--mean", &tolerances.mean},
                              std::pair{"--p95", &tolerances.p95}})
        if (!limit(o, key, field))
            return usageError(std::string(key) + " takes a DeltaE above 0");

    // Checked before any work, so a wrong profile never gives a page of grey swatches.
    if (o.count("--monitor") && !VerificationReport::usableMonitor(o["--monitor"]))
        return failure(o["--monitor"], "not usable as a monitor profile");

    ChartSession chart;
    std::string why;
    if (!loadReference(o["--reference"], chart, &why))
        return failure(o["--reference"], why);
    MeasurementFile measured;
    if (!measured.load(o["--verify"]))
        return failure(o["--verify"], "not a CGATS file with Lab or XYZ readings");
    if (measured.problem() == MeasurementFile::Damaged)
        return failure(o["--verify"], "damaged at row " + std::to_string(measured.damagedRow()));
    chart.apply(measured);

    const ChartVerdict verdict = ChartVerdict::judge(chart, tolerances);
    const std::string title = "Verification of " + o["--verify"];
    if (o.count("--cgats") && !MeasuredChartFile::save(chart, o["--cgats"], title, &why))
        return failure(o["--cgats"], why);
    if (o.count("--report")) {
        const std::string page =
            VerificationReport::html(chart, verdict, title, o["--monitor"], std::time(nullptr));
        if (!VerificationReport::save(o["--report"], page, &why))
            return failure(o["--report"], why);
    }
    std::printf("%s\n", verdict.summary().c_str());
    return verdict.passes() ? statusPass : statusFail;
}
