#include "MakeProfileArguments.h"

#include "HelpText.h"

#include <cerrno>
#include <cstdlib>

namespace {

struct OptionRow {
    const char* name;
    const char* valueName; // null for a flag
    const char* help;
};

constexpr OptionRow optionTable[] = {
    {"--make-profile", "MEASURED.ti3",
     "make a CMYK printer profile with ArgyllCMS colprof from a measured\n"
     "chart: a .ti3 of \"Save measurements\" or of chartread, or any CGATS\n"
     "file with CMYK_ inks and LAB_ or XYZ_ readings, every patch measured"},
    {"--out", "PRINTER.icc", "where the profile goes, written whole once it is made and checked"},
    {"--quality", "LEVEL", "low, medium (default), high or ultra: colprof's -q"},
    {"--black", "LEVEL", "black generation: ramp (default), zero, half or max: colprof's -k"},
    {"--ink-limit", "PERCENT",
     "total ink limit of the separations, 100 to 400 (default: the\n"
     "chart's own, from its TOTAL_INK_LIMIT, else none)"},
    {"--description", "TEXT", "the profile's description (default: the chart's name and the date)"},
    {"--no-unseen", nullptr,
     "skip the check on unseen patches (done for charts of 300 patches\n"
     "or more: a second profile from all but a fixed tenth of the patches,\n"
     "and how well it predicts that tenth)"},
    {"--install", nullptr,
     "copy the profile into $XDG_DATA_HOME/icc (else ~/.local/share/icc)\n"
     "under its own name, or the next free one: never over another file"},
    {"--json", "CHECK.json", "write the check as JSON"},
};

const OptionRow* findOption(const std::string& name) {
    for (const OptionRow& row : optionTable)
        if (name == row.name)
            return &row;
    return nullptr;
}

} // namespace

std::string MakeProfileArguments::get(const char* option) const {
    const auto it = values_.find(option);
    return it == values_.end() ? std::string() : it->second;
}

std::string MakeProfileArguments::take(int argc, char** argv, int& i) {
    std::string name = argv[i];
    std::string value;
    const std::size_t eq = name.find('=');
    const bool joined = name.rfind("--", 0) == 0 && eq != std::string::npos;
    if (joined) {
        value = name.substr(eq + 1);
        name.resize(eq);
    }
    const OptionRow* row = findOption(name);
    if (row == nullptr)
        return "unknown argument '" + name + "' with --make-profile (see --help)";
    if (values_.count(name))
        return name + " given twice";
    if (row->valueName == nullptr) {
        if (joined)
            return name + " takes no value";
        values_[name] = "";
        return {};
    }
    if (!joined) {
        if (i + 1 >= argc)
            return name + " needs a value (see --help)";
        value = argv[++i];
    }
    if (value.empty())
        return name + " needs a value (see --help)";
    values_[name] = value;
    return {};
}

std::string MakeProfileArguments::choices() {
    if (has("--quality") && !MakeProfileOptions::parse(get("--quality"), &options_.quality))
        return "--quality takes low, medium, high or ultra";
    if (has("--black") && !MakeProfileOptions::parse(get("--black"), &options_.black))
        return "--black takes ramp, zero, half or max";
    if (has("--ink-limit")) {
        const std::string text = get("--ink-limit");
        char* end = nullptr;
        errno = 0;
        const long n = std::strtol(text.c_str(), &end, 10);
        if (end == text.c_str() || *end != '\0' || errno != 0 || n < MakeProfileOptions::minInkLimit ||
            n > MakeProfileOptions::maxInkLimit)
            return "--ink-limit takes a whole percentage from 100 to 400";
        options_.inkLimit = int(n);
    }
    options_.description = get("--description");
    if (has("--no-unseen"))
        options_.unseen = MakeProfileOptions::Never;
    return {};
}

std::string MakeProfileArguments::parse(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string problem = take(argc, argv, i);
        if (!problem.empty())
            return problem;
    }
    if (!has("--out"))
        return "--make-profile needs --out PRINTER.icc (see --help)";
    if (get("--out") == get("--make-profile") || get("--out") == get("--json") ||
        get("--json") == get("--make-profile"))
        return "--make-profile, --out and --json must name three different files";
    return choices();
}

std::string MakeProfileArguments::help() {
    std::string text;
    for (const OptionRow& row : optionTable)
        text += optionHelp(row.name, row.valueName, row.help);
    return text;
}
