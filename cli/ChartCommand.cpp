#include "ChartCommand.h"

#include "ChartGeneration.h"
#include "ChartHandles.h"
#include "ChartRecords.h"
#include "ExportISO12642.h"
#include "KvCmsIcc.h"
#include "PostScriptChart.h"
#include "ProfileCheck.h"
#include "SwatchImporter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <utility>

#include <sys/stat.h>

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
    static const char* const known[] = {"--profile",  "--patches", "--preview",
                                        "--swatches", "--ps",      "--iso12642"};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        bool isKnown = false;
        for (const char* k : known)
            isKnown = isKnown || arg == k;
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
    return {};
}

bool patchCount(const char* text, unsigned long& count) {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || n < 8 || n > 512)
        return false;
    count = static_cast<unsigned long>(n);
    return true;
}

// Whether the profile fits; the complaint otherwise.
std::string profileProblem(const char* path, bool swatches) {
    const ProfileCheck check =
        ProfileCheck::check(path, swatches ? ProfileRole::SwatchProfile : ProfileRole::ChartProfile);
    const icProfileClassSignature profileClass = check.profileClass;
    const icColorSpaceSignature space = check.space;
    if (check.problem != ProfileCheck::Usable && check.problem != ProfileCheck::WrongClass &&
        check.problem != ProfileCheck::WrongSpace)
        return std::string(path) + ": " + check.describe();
    if (swatches && (profileClass != icSigOutputClass || space != icSigCmykData))
        return std::string(path) + ": a swatch chart needs a CMYK output profile";
    const bool classOk = profileClass == icSigInputClass || profileClass == icSigDisplayClass ||
                         profileClass == icSigOutputClass;
    if (!classOk || space != icSigCmykData)
        return std::string(path) + ": a chart needs a CMYK profile of the input, display or output class";
    return {};
}

bool sameFile(const char* a, const char* b) {
    struct stat x {
    }, y{};
    return a != nullptr && b != nullptr && ::stat(a, &x) == 0 && ::stat(b, &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

// Writing an output over one of the inputs would destroy the input, and a
// second output over the first would lose the first: compared as files
// (device and inode), so another spelling or a link to the file is caught too.
std::string sameFileProblem(const Options& o) {
    static const std::pair<const char*, const char*> inputs[] = {
        {"--profile", "the input profile"},
        {"--preview", "the preview profile"},
        {"--swatches", "the swatch file"},
    };
    for (const char* output : {"--ps", "--iso12642"}) {
        const char* path = o.get(output);
        for (const auto& [option, what] : inputs)
            if (sameFile(path, o.get(option)))
                return std::string(path) + ": is the same file as " + what;
    }
    if (sameFile(o.get("--ps"), o.get("--iso12642")))
        return std::string(o.get("--iso12642")) + ": is the same file as the --ps output";
    return {};
}

} // namespace

const char* ChartCommand::usage() {
    return "Usage: tintry-chart --profile P.icc --patches N [--preview M.icc] [--ps OUT.ps] [--iso12642 "
           "OUT.txt]\n"
           "       tintry-chart --profile P.icc --swatches FILE [--preview M.icc] [--ps OUT.ps] [--iso12642 "
           "OUT.txt]\n"
           "\n"
           "Builds a colour-check chart, as the chart window of tintry does, and writes it out.\n"
           "\n"
           "  --profile P.icc     CMYK printer profile the chart is for\n"
           "  --patches N         number of patches, 8 to 512: the 6560 CMYK candidates of a\n"
           "                      9-level grid are thinned by CIE94 difference down to N\n"
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
    if (o.has("--patches") && !patchCount(o.get("--patches"), count))
        return fail("--patches takes a whole number from 8 to 512");
    const std::string clash = sameFileProblem(o);
    if (!clash.empty())
        return fail(clash);
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
    } else if (ChartGeneration::generatePatches(&patches, handles.profile, handles.preview, count, stdout) !=
               0) {
        return 1; // the allocation message is out already
    }
    std::fflush(stdout);

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
