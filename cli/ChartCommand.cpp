#include "ChartCommand.h"

#include "ChartExport.h"
#include "ChartGeneration.h"
#include "ChartHandles.h"
#include "ChartRecords.h"
#include "ExportISO12642.h"
#include "ExportTi1.h"
#include "KvCmsIcc.h"
#include "KvFileInfo.h"
#include "PageLayout.h"
#include "ProfileCheck.h"
#include "SwatchImporter.h"
#include "VerifyCommand.h"

#include <cerrno>
#include <cstdint>
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
    static const char* const known[] = {"--profile",   "--patches",    "--preview", "--swatches",
                                        "--ps",        "--iso12642",   "--pdf",     "--paper",
                                        "--margin",    "--patch-size", "--gap",     "--ti1",
                                        "--ink-limit", "--levels",     "--shuffle"};
    static const char* const flags[] = {"--controls", "--landscape", "--separate"};
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
    if (o.has("--separate") && !o.has("--swatches"))
        return "--separate applies only to a chart from --swatches";
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

// The layout the options ask for; the complaint otherwise.
std::string pageLayout(const Options& o, PageLayout& layout) {
    layout = PageLayout::forLocale();
    std::string problem = o.has("--paper") ? layout.setPaper(o.get("--paper")) : std::string();
    layout.landscape = o.has("--landscape");
    if (problem.empty() && o.has("--margin"))
        problem = layout.setMarginMm(o.get("--margin"));
    if (problem.empty() && o.has("--patch-size"))
        problem = layout.setPatchMm(o.get("--patch-size"));
    if (problem.empty() && o.has("--gap"))
        problem = layout.setGapMm(o.get("--gap"));
    if (problem.empty() && layout.fit &&
        (o.has("--landscape") || o.has("--margin") || o.has("--patch-size") || o.has("--gap")))
        problem = "--paper fit has its own page; --landscape, --margin, --patch-size and --gap do not apply";
    return problem.empty() ? layout.problem() : problem;
}

// Writes the chart for paper; 0, or 1 with the reason on standard error.
int writeForPaper(const CHARTPATCH* patches, const char* path, ChartExport::Format format,
                  const PageLayout& layout, const ChartHeading& heading) {
    const std::string why = ChartExport::write(patches, path, format, layout, heading);
    if (why.empty())
        return 0;
    std::fprintf(stderr, "tintry-chart: %s: cannot write: %s\n", path, why.c_str());
    return 1;
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
    const char* const outputs[] = {"--ps", "--pdf", "--iso12642", "--ti1"};
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        const char* path = o.get(outputs[i]);
        for (const auto& [option, what] : inputs)
            if (sameFile(path, o.get(option)))
                return std::string(path) + ": is the same file as " + what;
        for (std::size_t j = 0; j < i; ++j)
            if (sameFile(path, o.get(outputs[j])))
                return std::string(path) + ": is the same file as the " + outputs[j] + " output";
    }
    return {};
}

} // namespace

const char* ChartCommand::usage() {
    return "Usage: tintry-chart --profile P.icc --patches N [--controls] [--ink-limit PERCENT] [--levels L]\n"
           "                    [--shuffle SEED] [--preview M.icc] [--ps OUT.ps] [--pdf OUT.pdf]\n"
           "                    [--iso12642 OUT.txt] [--ti1 OUT.ti1] [--paper SIZE] [--landscape]\n"
           "                    [--patch-size MM] [--margin MM] [--gap MM]\n"
           "       tintry-chart --profile P.icc --swatches FILE [--separate] [--preview M.icc] [--ps "
           "OUT.ps]\n"
           "                    [--pdf OUT.pdf] [--iso12642 OUT.txt] [--ti1 OUT.ti1] [--paper SIZE] ...\n"
           "       tintry-chart --verify MEASURED --reference CHART [--report FILE.html] [--cgats FILE]\n"
           "                    [--max DE] [--mean DE] [--p95 DE] [--monitor M.icc]\n"
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
           "  --separate          print the profile's separation of each swatch's Lab instead of\n"
           "                      the inks the file gives (Lab and RGB swatches are always separated)\n"
           "  --preview M.icc     monitor profile for the preview colours (default sRGB)\n"
           "  --ps OUT.ps         write the chart as PostScript for printing, as many pages as the\n"
           "                      paper needs, each with a title, page number, row and column\n"
           "                      labels and every patch's id under the patch\n"
           "  --pdf OUT.pdf       write the same pages as PDF (patches in DeviceCMYK)\n"
           "  --paper SIZE        a4, letter, a3, tabloid, WIDTHxHEIGHT in mm, or fit for the one\n"
           "                      page of 16 patches to a row cut to the chart, without text\n"
           "                      (default: the paper of the system's locale)\n"
           "  --landscape         turn the pages\n"
           "  --margin MM         unprinted border on every side (default 10)\n"
           "  --patch-size MM     side of a patch, at least 6 (default 11.3, 32 points)\n"
           "  --gap MM            room between patches (default 2.8, 8 points)\n"
           "  --iso12642 OUT.txt  write the chart as an ISO 12642 (IT8.7/4) file: patch names, CMYK\n"
           "                      and D50 Lab, which --swatches reads back into the same chart\n"
           "  --ti1 OUT.ti1       write the chart as an ArgyllCMS target for printtarg\n"
           "  --verify MEASURED   judge a measurement file against --reference CHART (a chart's own\n"
           "                      export or any CGATS file with Lab): rows match by SAMPLE_NAME, else\n"
           "                      SAMPLE_ID, else in order; prints one summary line; --report writes\n"
           "                      an HTML report, --cgats the measured chart; --max, --mean, --p95 set\n"
           "                      the CIEDE2000 tolerances (default: every patch under 3.0); exit 0\n"
           "                      when the chart passes, 3 when it fails\n"
           "  --help              show this text\n"
           "\n"
           "Progress goes to standard output. The exit status is 0 on success and 1 on any failure,\n"
           "with one line on standard error; files are written whole or not at all.\n";
}

int ChartCommand::run(int argc, char** argv) {
    if (VerifyCommand::wanted(argc, argv))
        return VerifyCommand::run(argc, argv);
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
    PageLayout layout;
    const std::string badLayout = pageLayout(o, layout);
    if (!badLayout.empty())
        return fail(badLayout);
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
    std::string descriptor = ExportISO12642::defaultDescriptor;
    if (o.has("--swatches")) {
        SwatchType type = SWATCH_UNKNOWN;
        std::string why;
        KVCOMBOCOLOUR* records = SwatchImporter::import(o.get("--swatches"), type, 0, &why);
        if (records == nullptr)
            return fail(std::string(o.get("--swatches")) + ": " + why);
        ChartGeneration::SwatchInks inks;
        const bool made = ChartGeneration::patchesFromSwatches(&patches, records, handles,
                                                               o.has("--separate"), &inks, &why);
        KvPacketFreeList(&records, KV_PACKET_COMBOCOLOUR);
        if (!made)
            return fail(std::string(o.get("--swatches")) + ": " + why);
        descriptor += std::string("; ") + ChartGeneration::inkNote(inks);
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

    ChartHeading heading;
    heading.source = KvFileInfo::filenameFromPath(o.has("--swatches") ? o.get("--swatches") : profile);
    heading.created = std::time(nullptr);
    int status = 0;
    if (o.has("--ps"))
        status = writeForPaper(patches, o.get("--ps"), ChartExport::PostScript, layout, heading);
    if (status == 0 && o.has("--pdf"))
        status = writeForPaper(patches, o.get("--pdf"), ChartExport::Pdf, layout, heading);
    const std::time_t now = std::time(nullptr);
    std::string why;
    if (status == 0 && o.has("--iso12642")) {
        KVCOMBOCOLOUR_CC colours;
        if (!ChartRecords::fill(patches, colours) ||
            ExportISO12642::exportColours(o.get("--iso12642"), colours.list, descriptor, now, why) != 0)
            status = 1;
    }
    if (status == 0 && o.has("--ti1") && ExportTi1::write(patches, o.get("--ti1"), now, descriptor, why) != 0)
        status = 1;
    FreeList(&patches);
    return status;
}
