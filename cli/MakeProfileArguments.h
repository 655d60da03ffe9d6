// The command line of tintry-chart --make-profile: one table of options, from
// which both the parsing and the help text come, and the choices a run was
// given.
#pragma once

#include "MakeProfileOptions.h"

#include <map>
#include <string>

class MakeProfileArguments {
public:
    // Takes the arguments (argv[0] is the program); empty when they make a
    // profile that can be attempted, else the complaint for a usage error.
    std::string parse(int argc, char** argv);

    bool has(const char* option) const { return values_.count(option) != 0; }
    // The value of an option; empty when it was not given.
    std::string get(const char* option) const;
    const MakeProfileOptions& options() const { return options_; }

    static std::string help();

private:
    std::string take(int argc, char** argv, int& i);
    std::string choices();

    std::map<std::string, std::string> values_;
    MakeProfileOptions options_;
};
