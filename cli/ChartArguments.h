// The command line of tintry-chart: one table of options, from which both
// the parsing and the help text come, and the options a run was given.
#pragma once

#include <map>
#include <string>
#include <vector>

class ChartArguments {
public:
    // Takes the arguments (argv[0] is the program); empty when they make a
    // chart that can be attempted, else the complaint for a usage error.
    std::string parse(int argc, char** argv);

    bool has(const char* option) const { return values_.count(option) != 0; }
    // The value of an option, or null when it was not given.
    const char* get(const char* option) const;

    // The options that name a file to write, in the table's order.
    static std::vector<const char*> outputs();
    // Whether one of the exports goes to standard output.
    bool anyToStdout() const;

    // One line or more per option, as --help prints them.
    static std::string help();

private:
    std::string take(int argc, char** argv, int& i);

    std::map<std::string, std::string> values_;
};
