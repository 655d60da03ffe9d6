#include "ChartCommand.h"

#include "ChartGeneration.h"
#include "ChartHandles.h"
#include "ChartRecords.h"
#include "ExportISO12642.h"
#include "KvCmsIcc.h"
#include "PostScriptChart.h"
#include "SwatchImporter.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

namespace {

struct Options {
    std::map<std::string, std::string> values;
    bool has(const char* key) const { return values.count(key) != 0; }
    const char* get(const char* key) const {
        auto it = values.find(key);
        return it == values.end() ? nullptr : it->second.c_str();
    }
};

int fail(const std::string& line) {
    std::fprintf(stderr, "tintry-chart: %s\n", line.c_str());
    return 1;
}

// Empty when the arguments are sound, else the complaint.
std::string parse(int argc, char** argv, Options& o) {
    static const char* const known[] = {"--profile",  "--patches",   "--preview", "--swatches", "--ps",
                                        "--iso12642", "--ink-limit", "--levels",  "--shuffle"};
    static const char* const flags[] = {"--controls"};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        bool isKnown = false, isFlag = false;
        for (const char* k : known)
            isKnown = isKnown || arg == k;
        for (const char* f : flags)
            isFlag = isFlag || arg == f;
        if (isFlag) {
            if (o.has(arg.c_str()))
                return arg + " given twice";
            o.values[arg] = "";
            continue;
        }
        if (!isKnown)
            return "unknown argument '" + arg + "' (see --help)";
        if (i + 1 >= argc || argv[i + 1][0] == '\0')
            return arg + " needs a value (see --help)";
        if (o.has(arg.c_str()))
            return arg + " given twice";
        o.values[arg] = argv[++i];
    }
    if (!o.has("--profile"))
        return "--profile is required (see --help)";
    if (o.has("--swatches") && o.has("--patches"))
        return "--patches does not apply to a chart from --swatches";
    if (!o.has("--swatches") && !o.has("--patches"))
        return "--patches is required without --swatches (see --help)";
    for (const char* gridOnly : {"--controls", "--ink-limit", "--levels", "--shuffle"})
        if (o.has("--swatches") && o.has(gridOnly))
            return std::string(gridOnly) + " does not apply to a chart from --swatches";
    return {};
}

// A whole number from `lo` to `hi`, nothing else in the text.
bool wholeNumber(const char* text, long lo, long hi, long& value) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || n < lo || n > hi)
        return false;
    value = n;
    return true;
}

// The chart options from the arguments; empty when sound, else the complaint.
std::string chartOptions(const Options& o, ChartOptions& options, unsigned long& count) {
    long n = 0;
    if (o.has("--patches")) {
        if (!wholeNumber(o.get("--patches"), ChartOptions::minPatches, ChartOptions::maxPatches, n))
            return "--patches takes a whole number from 8 to 2000";
        count = static_cast<unsigned long>(n);
    }
    options.controls = o.has("--controls");
    if (o.has("--levels")) {
        if (!wholeNumber(o.get("--levels"), ChartOptions::minLevels, ChartOptions::maxLevels, n))
            return "--levels takes a whole number from 2 to 17";
        options.levels = int(n);
    }
    if (o.has("--ink-limit")) {
        if (!wholeNumber(o.get("--ink-limit"), ChartOptions::minInkLimit, ChartOptions::maxInkLimit, n))
            return "--ink-limit takes a whole percentage from 100 to 400";
        options.inkLimit = int(n);
    }
    if (o.has("--shuffle")) {
        if (!wholeNumber(o.get("--shuffle"), 0, 4294967295L, n))
            return "--shuffle takes a whole number from 0 to 4294967295 as its seed";
        options.shuffle = true;
        options.seed = static_cast<std::uint32_t>(n);
    }
    return {};
}

// Whether the profile fits; the complaint otherwise.
std::string profileProblem(const char* path, bool swatches) {
    icProfileClassSignature profileClass = icSigNoClass;
    icColorSpaceSignature space = icSigNoSpace;
    if (!KvCmsIcc::getICCprofileClass(path, &profileClass, &space))
        return std::string(path) + ": not a readable ICC profile";
    if (swatches && (profileClass != icSigOutputClass || space != icSigCmykData))
        return std::string(path) + ": a swatch chart needs a CMYK output profile";
    const bool classOk = profileClass == icSigInputClass || profileClass == icSigDisplayClass ||
                         profileClass == icSigOutputClass;
    if (!classOk || space != icSigCmykData)
        return std::string(path) + ": a chart needs a CMYK profile of the input, display or output class";
    return {};
}

} // namespace

const char* ChartCommand::usage() {
    return "Usage: tintry-chart --profile P.icc --patches N [--controls] [--ink-limit PERCENT] [--levels L]\n"
           "                    [--shuffle SEED] [--preview M.icc] [--ps OUT.ps] [--iso12642 OUT.txt]\n"
           "       tintry-chart --profile P.icc --swatches FILE [--preview M.icc] [--ps OUT.ps] [--iso12642 "
           "OUT.txt]\n"
           "\n"
           "Builds a colour-check chart, as the chart window of tintry does, and writes it out.\n"
           "\n"
           "  --profile P.icc     CMYK printer profile the chart is for\n"
           "  --patches N         number of patches, 8 to 2000: the 6560 CMYK candidates of a\n"
           "                      9-level grid are thinned by CIE94 difference down to N\n"
           "  --controls          start the chart with paper white, the four solids, the overprints\n"
           "                      C+M, C+Y, M+Y and a 5-step grey-balanced CMY ramp; never culled,\n"
           "                      counted in N\n"
           "  --ink-limit PERCENT total ink limit, 100 to 400: nothing above it is chosen\n"
           "  --levels L          levels per ink of the grid, 2 to 17 (default 9)\n"
           "  --shuffle SEED      print the patches in a fixed pseudo-random order from SEED;\n"
           "                      each patch keeps the name of its place before the shuffle\n"
           "  --swatches FILE     take the patches from a CGATS (IT8.7/4, ISO 12642, ArgyllCMS\n"
           "                      .ti1/.ti2/.ti3) or Adobe Swatch Exchange (.ase) file instead;\n"
           "                      P.icc must then be a CMYK output profile\n"
           "  --preview M.icc     monitor profile for the preview colours (default sRGB)\n"
           "  --ps OUT.ps         write the chart as a one-page PostScript file for printing\n"
           "  --iso12642 OUT.txt  write the chart as an ISO 12642 (CGATS) file of patch names and D50 Lab\n"
           "  --help              show this text\n"
           "\n"
           "Progress goes to standard output. The exit status is 0 on success and 1 on any failure,\n"
           "with one line on standard error; files are written whole or not at all.\n";
}

int ChartCommand::run(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage(), stdout);
            return 0;
        }
    Options o;
    const std::string problem = parse(argc, argv, o);
    if (!problem.empty())
        return fail(problem);
    unsigned long count = 0;
    ChartOptions options;
    const std::string wrong = chartOptions(o, options, count);
    if (!wrong.empty())
        return fail(wrong);
    const char* profile = o.get("--profile");
    const std::string unfit = profileProblem(profile, o.has("--swatches"));
    if (!unfit.empty())
        return fail(unfit);

    ChartHandles handles;
    const bool opened = o.has("--swatches") ? handles.openForSwatches(profile, o.get("--preview"))
                                            : handles.openForGrid(profile, o.get("--preview"));
    if (!opened)
        return fail(o.has("--preview")
                        ? std::string(o.get("--preview")) + ": not usable as a monitor profile"
                        : std::string(profile) + ": the colour engine cannot use this profile");
    CHARTPATCH* patches = nullptr;
    if (o.has("--swatches")) {
        SwatchType type = SWATCH_UNKNOWN;
        KVCOMBOCOLOUR* records = SwatchImporter::import(o.get("--swatches"), type, 0);
        if (records == nullptr)
            return fail(std::string(o.get("--swatches")) + ": no colours could be read from this file");
        ChartGeneration::patchesFromSwatches(&patches, records, handles);
        KvPacketFreeList(&records, KV_PACKET_COMBOCOLOUR);
    } else if (ChartGeneration::generatePatches(&patches, handles.profile, handles.preview, count, stdout,
                                                options) != 0) {
        return 1; // the allocation message is out already
    }
    std::fflush(stdout);
    const unsigned long made = static_cast<unsigned long>(ListLength(patches));
    if (!o.has("--swatches") && made != count) {
        FreeList(&patches);
        // A chart of another size than asked would be numbered and measured wrongly by any script.
        return fail("--patches " + std::to_string(count) +
                    (made < count ? ": the grid offers only " + std::to_string(made) +
                                        " candidates (raise --levels or --ink-limit)"
                                  : ": fewer than the " + std::to_string(made) + " control patches"));
    }

    int status = 0;
    if (o.has("--ps") && PostScriptChart::write(patches, o.get("--ps"), std::time(nullptr)) != 0)
        status = 1;
    if (status == 0 && o.has("--iso12642")) {
        KVCOMBOCOLOUR_CC colours;
        if (!ChartRecords::fill(patches, colours) ||
            ExportISO12642::exportColours(o.get("--iso12642"), nullptr, colours, icSigLabData) != 0)
            status = 1;
    }
    FreeList(&patches);
    return status;
}
