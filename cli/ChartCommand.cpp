#include "ChartCommand.h"

#include "ChartArguments.h"
#include "ChartDocument.h"
#include "ChartTargets.h"
#include "PageLayout.h"
#include "ProfileCheck.h"
#include "TintryVersion.h"
#include "VerifyCommand.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <utility>

namespace {

constexpr int usageError = ChartCommand::usageError;
constexpr int failure = ChartCommand::failure;

int complain(int status, const std::string& line) {
    return ChartCommand::complain(status, line);
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
std::string chartOptions(const ChartArguments& o, ChartOptions& options, unsigned long& count) {
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
std::string pageLayout(const ChartArguments& o, PageLayout& layout) {
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

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f)
            std::fclose(f);
    }
};

// Every export the command line asks for, each to its own target.
int exportAll(const ChartDocument& chart, const ChartArguments& o, const PageLayout& layout,
              std::time_t created) {
    auto said = [](const Status& s) {
        if (!s)
            complain(failure, ChartTargets::cannotWrite(s.failure()));
        return s.ok();
    };
    const std::pair<const char*, ChartTargets::Writer> writers[] = {
        {"--ps", [&](const std::string& path) { return said(chart.exportPaper(path, layout, created)); }},
        {"--pdf", [&](const std::string& path) { return said(chart.exportPaper(path, layout, created)); }},
        {"--iso12642", [&](const std::string& path) { return said(chart.exportIso12642(path, created)); }},
        {"--ti1", [&](const std::string& path) { return said(chart.exportTi1(path, created)); }}};
    for (const auto& [option, write] : writers)
        if (o.has(option)) {
            const int status = ChartTargets::exportTo(o.get(option), write);
            if (status != 0)
                return status;
        }
    return 0;
}

// The chart the options ask for; 0, or the exit status.
int generate(const ChartArguments& o, const ChartOptions& options, unsigned long count, std::FILE* progress,
             ChartDocument& chart) {
    const std::string preview = o.has("--preview") ? o.get("--preview") : "";
    if (o.has("--swatches")) {
        const Status s =
            chart.buildFromSwatchFile(o.get("--swatches"), o.get("--profile"), preview, o.has("--separate"));
        return s ? 0 : complain(failure, s.failure().text());
    }
    if (const Status s = chart.buildFromProfile(o.get("--profile"), preview, count, options, progress); !s)
        return complain(failure, s.failure().text());
    const unsigned long made = static_cast<unsigned long>(chart.session().size());
    if (made == count)
        return 0;
    chart.clear();
    // A chart of another size than asked would be numbered and measured wrongly by any script.
    return complain(failure,
                    "--patches " + std::to_string(count) +
                        (made < count ? ": the grid offers only " + std::to_string(made) +
                                            " candidates (raise --levels or --ink-limit)"
                                      : ": fewer than the " + std::to_string(made) + " control patches"));
}

// Whatever can be told before any work: bad values are usage errors, targets
// that cannot be written and unusable profiles are failures.
int check(const ChartArguments& o, ChartOptions& options, unsigned long& count, PageLayout& layout) {
    const std::string wrong = chartOptions(o, options, count);
    if (!wrong.empty())
        return complain(usageError, wrong);
    // A page that cannot hold the chart is bad input rather than a bad command line.
    const std::string badLayout = pageLayout(o, layout);
    if (!badLayout.empty())
        return complain(failure, badLayout);
    const std::string clash = ChartTargets::sameFileProblem(o);
    if (!clash.empty())
        return complain(failure, clash);
    for (const char* output : ChartArguments::outputs())
        if (o.has(output)) {
            const std::string problem = ChartTargets::targetProblem(o.get(output));
            if (!problem.empty())
                return complain(failure, problem);
        }
    const std::string unfit = profileProblem(o.get("--profile"), o.has("--swatches"));
    if (!unfit.empty())
        return complain(failure, unfit);
    return 0;
}

int build(const ChartArguments& o) {
    unsigned long count = 0;
    ChartOptions options;
    PageLayout layout;
    if (const int status = check(o, options, count, layout); status != 0)
        return status;
    // Progress must not mix with an export on standard output.
    std::unique_ptr<std::FILE, FileCloser> silent;
    std::FILE* progress = o.anyToStdout() ? stderr : stdout;
    if (o.has("--quiet")) {
        silent.reset(std::fopen("/dev/null", "w"));
        if (!silent)
            return complain(failure, std::string("/dev/null: ") + std::strerror(errno));
        progress = silent.get();
    }
    ChartDocument chart;
    if (const int status = generate(o, options, count, progress, chart); status != 0)
        return status;
    std::fflush(progress);
    return exportAll(chart, o, layout, std::time(nullptr));
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
        ChartArguments::help() +
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

int ChartCommand::complain(int status, const std::string& line) {
    std::fprintf(stderr, "tintry-chart: %s\n", line.c_str());
    return status;
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
    ChartArguments o;
    const std::string problem = o.parse(argc, argv);
    if (!problem.empty())
        return complain(usageError, problem);
    return build(o);
}
