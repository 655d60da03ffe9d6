#include "ChartCommand.h"

#include "ChartGeneration.h"
#include "ChartHandles.h"
#include "ChartRecords.h"
#include "ExportISO12642.h"
#include "KvCmsIcc.h"
#include "PostScriptChart.h"
#include "SafeTarget.h"
#include "SwatchImporter.h"
#include "TintryVersion.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>
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
     "number of patches, 8 to 512: the 6560 CMYK candidates of a\n"
     "9-level grid are thinned by CIE94 difference down to N"},
    {"--swatches", Kind::Value, "FILE",
     "take the patches from a CGATS (IT8.7/4, ISO 12642, ArgyllCMS\n"
     ".ti1/.ti2/.ti3) or Adobe Swatch Exchange (.ase) file instead;\n"
     "P.icc must then be a CMYK output profile"},
    {"--preview", Kind::Value, "M.icc", "monitor profile for the preview colours (default sRGB)"},
    {"--ps", Kind::Output, "OUT.ps", "write the chart as a one-page PostScript file for printing"},
    {"--iso12642", Kind::Output, "OUT.txt",
     "write the chart as an ISO 12642 (CGATS) file of patch names and D50 Lab"},
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

bool patchCount(const char* text, unsigned long& count) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || n < 8 || n > 512)
        return false;
    count = static_cast<unsigned long>(n);
    return true;
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

int exportAll(const CHARTPATCH* patches, const Options& o) {
    if (o.has("--ps")) {
        const int status = exportTo(o.get("--ps"), [&](const std::string& path) {
            return PostScriptChart::write(patches, path.c_str(), std::time(nullptr)) == 0;
        });
        if (status != 0)
            return status;
    }
    if (o.has("--iso12642")) {
        KVCOMBOCOLOUR_CC colours;
        if (!ChartRecords::fill(patches, colours))
            return complain(failure, "--iso12642: out of memory");
        return exportTo(o.get("--iso12642"), [&](const std::string& path) {
            return ExportISO12642::exportColours(path, nullptr, colours, icSigLabData) == 0;
        });
    }
    return 0;
}

int build(const Options& o) {
    unsigned long count = 0;
    if (o.has("--patches") && !patchCount(o.get("--patches"), count))
        return complain(usageError, "--patches takes a whole number from 8 to 512");
    for (const OptionRow& row : optionTable)
        if (row.kind == Kind::Output && o.has(row.name)) {
            const std::string problem = targetProblem(o.get(row.name));
            if (!problem.empty())
                return complain(failure, problem);
        }
    const char* profile = o.get("--profile");
    const std::string unfit = profileProblem(profile, o.has("--swatches"));
    if (!unfit.empty())
        return complain(failure, unfit);

    ChartHandles handles;
    const bool opened = o.has("--swatches") ? handles.openForSwatches(profile, o.get("--preview"))
                                            : handles.openForGrid(profile, o.get("--preview"));
    if (!opened)
        return complain(failure, o.has("--preview")
                                     ? std::string(o.get("--preview")) + ": not usable as a monitor profile"
                                     : std::string(profile) + ": the colour engine cannot use this profile");
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
    if (o.has("--swatches")) {
        SwatchType type = SWATCH_UNKNOWN;
        KVCOMBOCOLOUR* records = SwatchImporter::import(o.get("--swatches"), type, 0);
        if (records == nullptr)
            return complain(failure,
                            std::string(o.get("--swatches")) + ": no colours could be read from this file");
        ChartGeneration::patchesFromSwatches(&patches, records, handles);
        KvPacketFreeList(&records, KV_PACKET_COMBOCOLOUR);
    } else if (ChartGeneration::generatePatches(&patches, handles.profile, handles.preview, count,
                                                progress) != 0) {
        return failure; // the allocation message is out already
    }
    std::fflush(progress);
    const int status = exportAll(patches, o);
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
        "Usage: tintry-chart --profile P.icc --patches N [--preview M.icc] [--ps OUT.ps] [--iso12642 "
        "OUT.txt]\n"
        "       tintry-chart --profile P.icc --swatches FILE [--preview M.icc] [--ps OUT.ps] [--iso12642 "
        "OUT.txt]\n"
        "\n"
        "Builds a colour-check chart, as the chart window of tintry does, and writes it out.\n"
        "Options take their value as the next argument or after '=', as in --patches=64.\n"
        "\n" +
        optionHelp() +
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
