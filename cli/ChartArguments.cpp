#include "ChartArguments.h"

#include <algorithm>
#include <cstring>

namespace {

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

} // namespace

const char* ChartArguments::get(const char* option) const {
    const auto it = values_.find(option);
    return it == values_.end() ? nullptr : it->second.c_str();
}

// Empty when the option is taken, else the complaint.
std::string ChartArguments::take(int argc, char** argv, int& i) {
    const std::string arg = argv[i];
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionRow* row = arg.rfind("--", 0) == 0 ? findOption(name) : nullptr;
    if (row == nullptr)
        return "unknown argument '" + arg + "' (see --help)";
    if (has(row->name))
        return name + " given twice";
    if (row->kind == Kind::Flag) {
        if (equals != std::string::npos)
            return name + ": takes no value (see --help)";
        values_[name] = {};
        return {};
    }
    std::string value;
    if (equals != std::string::npos)
        value = arg.substr(equals + 1);
    else if (i + 1 < argc)
        value = argv[++i];
    if (value.empty())
        return name + " needs a value (see --help)";
    values_[name] = value;
    return {};
}

std::string ChartArguments::parse(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string problem = take(argc, argv, i);
        if (!problem.empty())
            return problem;
    }
    if (!has("--profile"))
        return "--profile is required (see --help)";
    if (has("--swatches") && has("--patches"))
        return "--patches does not apply to a chart from --swatches";
    if (!has("--swatches") && !has("--patches"))
        return "--patches is required without --swatches (see --help)";
    if (has("--separate") && !has("--swatches"))
        return "--separate applies only to a chart from --swatches";
    for (const char* gridOnly : {"--controls", "--ink-limit", "--levels", "--shuffle"})
        if (has("--swatches") && has(gridOnly))
            return std::string(gridOnly) + " does not apply to a chart from --swatches";
    int given = 0;
    int toStdout = 0;
    std::string names;
    for (const char* output : outputs()) {
        names += names.empty() ? output : std::string(" or ") + output;
        if (has(output)) {
            ++given;
            toStdout += std::strcmp(get(output), "-") == 0;
        }
    }
    // A chart nobody sees is work thrown away: say so rather than succeed.
    if (given == 0)
        return "nothing to write: give " + names + " (see --help)";
    if (toStdout > 1)
        return "standard output: only one export can go there (see --help)";
    return {};
}

std::vector<const char*> ChartArguments::outputs() {
    std::vector<const char*> names;
    for (const OptionRow& row : optionTable)
        if (row.kind == Kind::Output)
            names.push_back(row.name);
    return names;
}

bool ChartArguments::anyToStdout() const {
    for (const char* output : outputs())
        if (has(output) && std::strcmp(get(output), "-") == 0)
            return true;
    return false;
}

std::string ChartArguments::help() {
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
