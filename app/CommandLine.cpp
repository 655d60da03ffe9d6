#include "CommandLine.h"

#include "TintryVersion.h"

#include <QFile>

#include <cstring>

namespace {

struct ProfileOption {
    const char* name;
    QString CommandLine::*field;
};

const ProfileOption profileOptions[] = {
    {"--input", &CommandLine::input},
    {"--output", &CommandLine::output},
    {"--monitor", &CommandLine::monitor},
};

} // namespace

CommandLine::Action CommandLine::early(int argc, char** argv) {
    for (int i = 1; i < argc && argv[i]; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return Help;
        if (std::strcmp(argv[i], "--version") == 0)
            return Version;
    }
    return Run;
}

CommandLine CommandLine::parse(int argc, char** argv) {
    CommandLine line;
    const auto refuse = [&line](const std::string& problem) {
        line.action = UsageError;
        line.problem = problem;
        return line;
    };
    for (int i = 1; i < argc && argv[i]; ++i) {
        const std::string arg = argv[i];
        const std::string name = arg.substr(0, arg.find('='));
        const ProfileOption* option = nullptr;
        for (const ProfileOption& o : profileOptions)
            if (name == o.name)
                option = &o;
        if (option == nullptr)
            return refuse("unknown argument '" + arg + "' (see --help)");
        std::string value;
        if (name.size() < arg.size())
            value = arg.substr(name.size() + 1);
        else if (i + 1 < argc && argv[i + 1])
            value = argv[++i];
        if (value.empty())
            return refuse(name + " needs a value (see --help)");
        QString& field = line.*(option->field);
        if (!field.isNull())
            return refuse(name + " given twice");
        field = QFile::decodeName(value.c_str());
    }
    return line;
}

const char* CommandLine::usage() {
    return "Usage: tintry [--input P.icc] [--output P.icc] [--monitor P.icc]\n"
           "\n"
           "Converts colours between ICC profiles and builds colour-check charts.\n"
           "\n"
           "  --input P.icc    use P.icc as the input profile (scanner, monitor or printer)\n"
           "  --output P.icc   use P.icc as the output profile (monitor or printer)\n"
           "  --monitor P.icc  use P.icc as the monitor profile for the preview\n"
           "  --help           show this text and exit\n"
           "  --version        print the version and exit\n"
           "\n"
           "Options take their value as the next argument or after '='. The toolkit's own\n"
           "options (such as -platform) are taken as well. Profiles given here are checked\n"
           "as a profile chosen in the window is, and are kept for the next start.\n";
}

std::string CommandLine::version() {
    return std::string("tintry ") + tintryVersion + "\n";
}
