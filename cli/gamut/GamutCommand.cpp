#include "GamutCommand.h"

#include "KvGamutComparison.h"
#include "KvGamutModel.h"
#include "TintryVersion.h"

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* program = "tintry-gamut";

int complain(int status, const std::string& line) {
    std::fprintf(stderr, "%s: %s\n", program, line.c_str());
    return status;
}

// The value of `--name VALUE` or `--name=VALUE` at argv[i]; advances i past
// a separate value. Null when argv[i] is not that option; `missing` is set
// when it is but has no value.
const char* valueOf(const char* name, int argc, char** argv, int& i, bool& missing) {
    const std::size_t n = std::strlen(name);
    if (std::strncmp(argv[i], name, n) != 0)
        return nullptr;
    if (argv[i][n] == '=')
        return argv[i] + n + 1;
    if (argv[i][n] != '\0')
        return nullptr;
    if (i + 1 >= argc) {
        missing = true;
        return nullptr;
    }
    return argv[++i];
}

double rounded(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

QJsonObject gamutJson(const std::string& path, double volume) {
    return {{"profile", QString::fromStdString(path)}, {"volume", rounded(volume, 0)}};
}

void print(const GamutCommand::Arguments& a, double volumeA, const KvGamutComparison* c) {
    if (a.json) {
        QJsonObject all{{"a", gamutJson(a.profile, volumeA)}};
        if (c) {
            all["b"] = gamutJson(a.compare, c->volumeB());
            all["overlap"] = rounded(c->overlap(), 0);
            all["a_in_b"] = rounded(c->aInB(), 2);
            all["b_in_a"] = rounded(c->bInA(), 2);
        }
        std::fputs(QJsonDocument(all).toJson(QJsonDocument::Indented).constData(), stdout);
        return;
    }
    std::printf("A        %10.0f cubic Lab units  %s\n", volumeA, a.profile.c_str());
    if (!c)
        return;
    std::printf("B        %10.0f cubic Lab units  %s\n", c->volumeB(), a.compare.c_str());
    std::printf("overlap  %10.0f cubic Lab units\n", c->overlap());
    std::printf("A in B   %10.2f %%\n", c->aInB());
    std::printf("B in A   %10.2f %%\n", c->bInA());
}

// A full disk or a closed pipe must not pass for success.
int flushed() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return complain(GamutCommand::failure,
                        std::string("standard output: ") + std::strerror(errno ? errno : EIO));
    return 0;
}

} // namespace

GamutCommand::Arguments GamutCommand::parse(int argc, char** argv) {
    Arguments a;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        bool missing = false;
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && (arg == "--help" || arg == "-h")) {
            a.help = true;
        } else if (!optionsEnd && arg == "--version") {
            a.version = true;
        } else if (!optionsEnd && arg == "--json") {
            a.json = true;
        } else if (const char* v = optionsEnd ? nullptr : valueOf("--compare", argc, argv, i, missing)) {
            if (!a.compare.empty())
                a.problem = "--compare given twice";
            a.compare = v;
            if (a.compare.empty())
                a.problem = "--compare needs a profile";
        } else if (const char* v = optionsEnd ? nullptr : valueOf("--intent", argc, argv, i, missing)) {
            if (std::strlen(v) != 1 || v[0] < '0' || v[0] > '3')
                a.problem = "--intent takes 0 (perceptual), 1 (relative colorimetric), 2 (saturation) or 3 "
                            "(absolute colorimetric)";
            else
                a.intent = v[0] - '0';
        } else if (missing) {
            a.problem = arg + " needs a value";
        } else if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
            a.problem = "unknown option '" + arg + "'";
        } else if (!a.profile.empty()) {
            a.problem = "one profile only; give the second with --compare";
        } else {
            a.profile = arg;
        }
        if (!a.problem.empty())
            return a;
    }
    if (a.profile.empty() && !a.help && !a.version)
        a.problem = "no profile given";
    return a;
}

std::string GamutCommand::help() {
    return "usage: tintry-gamut PROFILE.icc [--compare OTHER.icc] [--intent N] [--json]\n"
           "The volume of a profile's gamut in cubic CIELAB units (D50); with --compare, also\n"
           "the other profile's, the volume both hold, and the share of each inside the other.\n"
           "\n"
           "  --compare OTHER.icc  the second profile (B) to compare the first (A) with\n"
           "  --intent N           the intent colours are read through: 0 perceptual,\n"
           "                       1 relative colorimetric (the default), 2 saturation,\n"
           "                       3 absolute colorimetric\n"
           "  --json               print one JSON object: {\"a\": {\"profile\", \"volume\"},\n"
           "                       \"b\": {...}, \"overlap\", \"a_in_b\", \"b_in_a\"} (percent)\n"
           "  --version            print the version and exit\n"
           "  --help               show this text and exit\n";
}

int GamutCommand::run(int argc, char** argv) {
    const Arguments a = parse(argc, argv);
    if (!a.problem.empty())
        return complain(usageError, a.problem + " (see --help)");
    if (a.help) {
        std::fputs(help().c_str(), stdout);
        return flushed();
    }
    if (a.version) {
        std::printf("%s %s\n", program, tintryVersion);
        return flushed();
    }
    KvGamutModel first;
    if (Status s = first.load(QFile::decodeName(a.profile.c_str()), a.intent); !s)
        return complain(failure, s.failure().text());
    if (a.compare.empty()) {
        if (Status s = first.measure(); !s)
            return complain(failure, s.failure().text());
        print(a, first.volume(), nullptr);
        return flushed();
    }
    KvGamutModel second;
    if (Status s = second.load(QFile::decodeName(a.compare.c_str()), a.intent); !s)
        return complain(failure, s.failure().text());
    const auto c = KvGamutComparison::measure(first, second);
    if (!c)
        return complain(failure, a.profile + " and " + a.compare + ": " + c.failure().why);
    print(a, c->volumeA(), &*c);
    return flushed();
}
