// tintry-gamut: the volume of a profile's gamut in cubic CIELAB units, and
// with --compare, the volume of a second profile's, of the colours both hold
// and the share of each inside the other; as text, or with --json as one
// JSON object. The figures are the gamut window's, from the same core code.
//
// Exit status 0 on success, 2 for a wrong command line, 1 with one line
// "tintry-gamut: what: why" on standard error for any other failure.
#pragma once

#include <string>

class GamutCommand {
public:
    static constexpr int usageError = 2;
    static constexpr int failure = 1;

    static int run(int argc, char** argv);

    // What the command line asks for; `problem` is set for a usage error.
    struct Arguments {
        std::string profile;
        std::string compare; // empty: no second profile
        int intent = 1;
        bool json = false;
        bool help = false;
        bool version = false;
        std::string problem;
    };
    static Arguments parse(int argc, char** argv);
    static std::string help();
};
