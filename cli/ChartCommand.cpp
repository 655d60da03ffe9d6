#include "ChartCommand.h"

#include "ChartExport.h"
#include "ChartGeneration.h"
#include "ChartHandles.h"
#include "ChartRecords.h"
#include "ExportISO12642.h"
#include "ExportTi1.h"
#include "KvFileInfo.h"
#include "PageLayout.h"
#include "ProfileCheck.h"
#include "SafeTarget.h"
#include "SwatchImporter.h"
#include "TintryVersion.h"
#include "VerifyCommand.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int usageError = 2;
constexpr int failure = 1;

enum class Kind {
    Value,  // takes a value
    Output, // takes a file to write, or '-' for standard output
    Flag,   // takes none
};

struct OptionRow {
    const char* name;
    Kind kind;
    const char* valueName;
    const char* help;
};

// Every option of the command; parsing and the help text both come from here.
constexpr OptionRow optionTable[] = {
    {"--profile", Kind::Value, "P.icc", "CMYK printer profile the chart is for"},
    {"--patches", Kind::Value, "N",
     "number of patches, 8 to 512 (to 2000 with the options below): the\n"
     "CMYK candidates of a grid are thinned by CIE94 difference down to N"},
    {"--controls", Kind::Flag, nullptr,
     "put paper white, the solids, the two-colour overprints and a grey-\n"
     "balanced ramp first, never culled; then move the other patches on\n"
     "the grid to lie closest on average to all the grid can print"},
    {"--ink-limit", Kind::Value, "PERCENT", "leave out every candidate above this total ink (100 to 400)"},
    {"--levels", Kind::Value, "L", "levels per ink of the candidate grid, 2 to 17 (default 9)"},
    {"--shuffle", Kind::Value, "SEED", "print the patches in a fixed shuffled order; names follow them"},
    {"--swatches", Kind::Value, "FILE",
     "take the patches from a CGATS (IT8.7/4, ISO 12642, ArgyllCMS\n"
     ".ti1/.ti2/.ti3) or Adobe Swatch Exchange (.ase) file instead;\n"
     "P.icc must then be a CMYK output profile"},
    {"--separate", Kind::Flag, nullptr,
     "print the profile's separation of each swatch's Lab instead of\n"
     "the inks the file gives (Lab and RGB swatches are always separated)"},
    {"--preview", Kind::Value, "M.icc", "monitor profile for the preview colours (default sRGB)"},
    {"--ps", Kind::Output, "OUT.ps",
     "write the chart as PostScript for printing, as many pages as the\n"
     "paper needs, each with a title, page number, row and column\n"
     "labels and every patch's name under the patch"},
    {"--pdf", Kind::Output, "OUT.pdf", "write the same pages as PDF (patches in DeviceCMYK)"},
    {"--paper", Kind::Value, "SIZE",
     "a4, letter, a3, tabloid, WIDTHxHEIGHT in mm, or fit for the one\n"
     "page of 16 patches to a row cut to the chart, without text\n"
     "(default: the paper of the system's locale)"},
    {"--landscape", Kind::Flag, nullptr, "turn the pages"},
    {"--margin", Kind::Value, "MM", "unprinted border on every side (default 10)"},
    {"--patch-size", Kind::Value, "MM", "side of a patch, at least 6 (default 11.3, 32 points)"},
    {"--gap", Kind::Value, "MM", "room between patches (default 2.8, 8 points)"},
    {"--iso12642", Kind::Output, "OUT.txt",
     "write the chart as an ISO 12642 (IT8.7/4) file: patch names, CMYK\n"
     "and D50 Lab, which --swatches reads back into the same chart"},
    {"--ti1", Kind::Output, "OUT.ti1", "write the chart as an ArgyllCMS target for printtarg"},
    {"--quiet", Kind::Flag, nullptr, "print no progress lines"},
    {"--version", Kind::Flag, nullptr, "print the version and exit"},
    {"--help", Kind::Flag, nullptr, "show this text and exit"},
};

const OptionRow* findOption(const std::string& name) {
    for (const OptionRow& row : optionTable)
        if (name == row.name)
            return &row;
    return nullptr;
}

struct Options {
    std::map<std::string, std::string> values;
    bool has(const char* key) const { return values.count(key) != 0; }
    const char* get(const char* key) const {
        auto it = values.find(key);
        return it == values.end() ? nullptr : it->second.c_str();
    }
};

int complain(int status, const std::string& line) {
    std::fprintf(stderr, "tintry-chart: %s\n", line.c_str());
    return status;
}

// Empty when the option is taken, else the complaint.
std::string takeOption(int argc, char** argv, int& i, Options& o) {
    const std::string arg = argv[i];
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionRow* row = arg.rfind("--", 0) == 0 ? findOption(name) : nullptr;
    if (row == nullptr)
        return "unknown argument '" + arg + "' (see --help)";
    if (o.has(row->name))
        return name + " given twice";
    if (row->kind == Kind::Flag) {
        if (equals != std::string::npos)
            return name + ": takes no value (see --help)";
        o.values[name] = {};
        return {};
    }
    std::string value;
    if (equals != std::string::npos)
        value = arg.substr(equals + 1);
    else if (i + 1 < argc)
        value = argv[++i];
    if (value.empty())
        return name + " needs a value (see --help)";
    o.values[name] = value;
    return {};
}

// Empty when the arguments are sound, else the complaint.
std::string parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string problem = takeOption(argc, argv, i, o);
        if (!problem.empty())
            return problem;
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
    int outputs = 0;
    int toStdout = 0;
    std::string names;
    for (const OptionRow& row : optionTable) {
        if (row.kind != Kind::Output)
            continue;
        names += names.empty() ? row.name : std::string(" or ") + row.name;
        if (o.has(row.name)) {
            ++outputs;
            toStdout += std::strcmp(o.get(row.name), "-") == 0;
        }
    }
    // A chart nobody sees is work thrown away: say so rather than succeed.
    if (outputs == 0)
        return "nothing to write: give " + names + " (see --help)";
    if (toStdout > 1)
        return "standard output: only one export can go there (see --help)";
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

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Why an export could not be written to `path`; empty when it can. Asked
// before the chart is built, so a mistyped folder costs no generation.
std::string targetProblem(const char* path) {
    if (std::strcmp(path, "-") == 0)
        return {};
    struct stat st {};
    if (::stat(path, &st) == 0 && S_ISDIR(st.st_mode))
        return std::string(path) + ": cannot write: it is a folder";
    errno = 0;
    if (SafeTarget::resolve(path).empty())
        return std::string(path) +
               ": cannot write: " + (errno != 0 ? std::strerror(errno) : "not a regular file");
    const std::string folder = folderOf(path);
    if (::access(folder.c_str(), W_OK) != 0)
        return std::string(path) + ": cannot write: " + std::strerror(errno);
    return {};
}

using Writer = std::function<bool(const std::string& path)>;

bool copyToStdout(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

// Runs one export to its target; '-' has it written to a private file first
// and then copied to standard output, so every exporter gets a real file.
int exportTo(const char* target, const Writer& write) {
    if (std::strcmp(target, "-") != 0)
        return write(target) ? 0 : failure;
    QTemporaryDir dir;
    if (!dir.isValid())
        return complain(failure, "standard output: no temporary folder to build the export in");
    const QString path = dir.filePath("export");
    if (!write(QFile::encodeName(path).toStdString()))
        return failure;
    if (!copyToStdout(path))
        return complain(failure, std::string("standard output: ") + std::strerror(errno));
    return 0;
}

bool anyToStdout(const Options& o) {
    for (const OptionRow& row : optionTable)
        if (row.kind == Kind::Output && o.has(row.name) && std::strcmp(o.get(row.name), "-") == 0)
            return true;
    return false;
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f)
            std::fclose(f);
    }
};

// Every export the command line asks for, each to its own target.
int exportAll(const CHARTPATCH* patches, const Options& o, const PageLayout& layout,
              const ChartHeading& heading, const std::string& descriptor) {
    auto forPaper = [&](ChartExport::Format format) {
        return [&, format](const std::string& path) {
            const std::string why = ChartExport::write(patches, path.c_str(), format, layout, heading);
            if (!why.empty())
                complain(failure, path + ": cannot write: " + why);
            return why.empty();
        };
    };
    auto cgats = [&](bool ti1) {
        return [&, ti1](const std::string& path) {
            std::string why;
            KVCOMBOCOLOUR_CC colours;
            const int result = ti1 ? ExportTi1::write(patches, path, heading.created, descriptor, why)
                                   : (ChartRecords::fill(patches, colours)
                                          ? ExportISO12642::exportColours(path, colours.list, descriptor,
                                                                          heading.created, why)
                                          : -1);
            if (result != 0)
                complain(failure, path + ": cannot write: " + (why.empty() ? "out of memory" : why));
            return result == 0;
        };
    };
    const std::pair<const char*, Writer> writers[] = {{"--ps", forPaper(ChartExport::PostScript)},
                                                      {"--pdf", forPaper(ChartExport::Pdf)},
                                                      {"--iso12642", cgats(false)},
                                                      {"--ti1", cgats(true)}};
    for (const auto& [option, write] : writers)
        if (o.has(option)) {
            const int status = exportTo(o.get(option), write);
            if (status != 0)
                return status;
        }
    return 0;
}

// The chart the options ask for, in *patches; 0, or the exit status.
int generate(const Options& o, const ChartOptions& options, unsigned long count, std::FILE* progress,
             CHARTPATCH** patches, std::string& descriptor) {
    const char* profile = o.get("--profile");
    ChartHandles handles;
    const bool opened = o.has("--swatches") ? handles.openForSwatches(profile, o.get("--preview"))
                                            : handles.openForGrid(profile, o.get("--preview"));
    if (!opened)
        return complain(failure, o.has("--preview")
                                     ? std::string(o.get("--preview")) + ": not usable as a monitor profile"
                                     : std::string(profile) + ": the colour engine cannot use this profile");
    if (o.has("--swatches")) {
        SwatchType type = SWATCH_UNKNOWN;
        std::string why;
        KVCOMBOCOLOUR* records = SwatchImporter::import(o.get("--swatches"), type, 0, &why);
        if (records == nullptr)
            return complain(failure, std::string(o.get("--swatches")) + ": " + why);
        ChartGeneration::SwatchInks inks;
        const bool made =
            ChartGeneration::patchesFromSwatches(patches, records, handles, o.has("--separate"), &inks, &why);
        KvPacketFreeList(&records, KV_PACKET_COMBOCOLOUR);
        if (!made)
            return complain(failure, std::string(o.get("--swatches")) + ": " + why);
        descriptor += std::string("; ") + ChartGeneration::inkNote(inks);
        return 0;
    }
    if (ChartGeneration::generatePatches(patches, handles.profile, handles.preview, count, progress,
                                         options) != 0)
        return failure; // the allocation message is out already
    const unsigned long made = static_cast<unsigned long>(ListLength(*patches));
    if (made == count)
        return 0;
    FreeList(patches);
    // A chart of another size than asked would be numbered and measured wrongly by any script.
    return complain(failure,
                    "--patches " + std::to_string(count) +
                        (made < count ? ": the grid offers only " + std::to_string(made) +
                                            " candidates (raise --levels or --ink-limit)"
                                      : ": fewer than the " + std::to_string(made) + " control patches"));
}

// Whatever can be told before any work: bad values are usage errors, targets
// that cannot be written and unusable profiles are failures.
int check(const Options& o, ChartOptions& options, unsigned long& count, PageLayout& layout) {
    const std::string wrong = chartOptions(o, options, count);
    if (!wrong.empty())
        return complain(usageError, wrong);
    // A page that cannot hold the chart is bad input rather than a bad command line.
    const std::string badLayout = pageLayout(o, layout);
    if (!badLayout.empty())
        return complain(failure, badLayout);
    const std::string clash = sameFileProblem(o);
    if (!clash.empty())
        return complain(failure, clash);
    for (const OptionRow& row : optionTable)
        if (row.kind == Kind::Output && o.has(row.name)) {
            const std::string problem = targetProblem(o.get(row.name));
            if (!problem.empty())
                return complain(failure, problem);
        }
    const std::string unfit = profileProblem(o.get("--profile"), o.has("--swatches"));
    if (!unfit.empty())
        return complain(failure, unfit);
    return 0;
}

int build(const Options& o) {
    unsigned long count = 0;
    ChartOptions options;
    PageLayout layout;
    if (const int status = check(o, options, count, layout); status != 0)
        return status;
    // Progress must not mix with an export on standard output.
    std::unique_ptr<std::FILE, FileCloser> silent;
    std::FILE* progress = anyToStdout(o) ? stderr : stdout;
    if (o.has("--quiet")) {
        silent.reset(std::fopen("/dev/null", "w"));
        if (!silent)
            return complain(failure, std::string("/dev/null: ") + std::strerror(errno));
        progress = silent.get();
    }
    CHARTPATCH* patches = nullptr;
    std::string descriptor = ExportISO12642::defaultDescriptor;
    if (const int status = generate(o, options, count, progress, &patches, descriptor); status != 0)
        return status;
    std::fflush(progress);
    ChartHeading heading;
    heading.source =
        KvFileInfo::filenameFromPath(o.has("--swatches") ? o.get("--swatches") : o.get("--profile"));
    heading.created = std::time(nullptr);
    const int status = exportAll(patches, o, layout, heading, descriptor);
    FreeList(&patches);
    return status;
}

std::string optionHelp() {
    std::string text;
    for (const OptionRow& row : optionTable) {
        std::string head =
            std::string("  ") + row.name + (row.valueName ? std::string(" ") + row.valueName : "");
        head.resize(std::max<std::size_t>(head.size() + 2, 22), ' ');
        const std::string indent(head.size(), ' ');
        std::string help = row.help;
        for (std::size_t at = help.find('\n'); at != std::string::npos; at = help.find('\n', at + 1))
            help.insert(at + 1, indent);
        text += head + help + "\n";
    }
    return text;
}

} // namespace

const char* ChartCommand::usage() {
    static const std::string text =
        "Usage: tintry-chart --profile P.icc --patches N [--controls] [--ink-limit PERCENT] [--levels L]\n"
        "                    [--shuffle SEED] [--preview M.icc] [--paper SIZE] [--landscape]\n"
        "                    [--ps OUT.ps] [--pdf OUT.pdf] [--iso12642 OUT.txt] [--ti1 OUT.ti1]\n"
        "       tintry-chart --profile P.icc --swatches FILE [--separate] [--preview M.icc] [--ps OUT.ps] "
        "...\n"
        "       tintry-chart --verify MEASURED --reference CHART [--report FILE.html] [--cgats FILE]\n"
        "                    [--max DE] [--mean DE] [--p95 DE] [--monitor M.icc]\n"
        "\n"
        "Builds a colour-check chart, as the chart window of tintry does, and writes it out.\n"
        "Options take their value as the next argument or after '=', as in --patches=64.\n"
        "\n" +
        optionHelp() +
        "\n"
        "With --verify, the measurement file is judged against the reference CHART (a chart's own\n"
        "export or any CGATS file with Lab): rows match by SAMPLE_NAME, else SAMPLE_ID, else in\n"
        "order; one summary line is printed; --report writes an HTML report, --cgats the measured\n"
        "chart; --max, --mean and --p95 set the CIEDE2000 tolerances (default: every patch under\n"
        "3.0). It exits with 0 when the chart passes and 3 when it fails.\n"
        "\n"
        "At least one export is needed; one of them may be '-' for standard output.\n"
        "Progress goes to standard output (to standard error while an export goes there).\n"
        "The exit status is 0 on success, 2 when the command line is wrong and 1 on any\n"
        "other failure, with one line on standard error; files are written whole or not at all.\n";
    return text.c_str();
}

const char* ChartCommand::version() {
    static const std::string text = std::string("tintry-chart ") + tintryVersion + "\n";
    return text.c_str();
}

int ChartCommand::run(int argc, char** argv) {
    if (VerifyCommand::wanted(argc, argv))
        return VerifyCommand::run(argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage(), stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs(version(), stdout);
            return 0;
        }
    }
    Options o;
    const std::string problem = parse(argc, argv, o);
    if (!problem.empty())
        return complain(usageError, problem);
    return build(o);
}
