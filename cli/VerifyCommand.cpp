#include "VerifyCommand.h"

#include "ChartDocument.h"
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

    ChartDocument chart;
    if (const Status s = chart.openReference(o["--reference"]); !s)
        return failure(s.failure().what, s.failure().why);
    if (const auto applied = chart.loadMeasurements(o["--verify"]); !applied)
        return failure(applied.failure().what, applied.failure().why);

    const ChartVerdict verdict = chart.judge(tolerances);
    const std::string title = "Verification of " + o["--verify"];
    const std::time_t created = std::time(nullptr);
    if (o.count("--cgats"))
        if (const Status s = chart.saveMeasurements(o["--cgats"], created, title); !s)
            return failure(s.failure().what, s.failure().why);
    if (o.count("--report"))
        if (const Status s = chart.exportReport(o["--report"], tolerances, o["--monitor"], created, title);
            !s)
            return failure(s.failure().what, s.failure().why);
    std::printf("%s\n", verdict.summary().c_str());
    return verdict.passes() ? statusPass : statusFail;
}
