// tintry-chart: see ChartCommand.h and MakeProfileCommand.h.
#include "ChartCommand.h"
#include "MakeProfileCommand.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (MakeProfileCommand::wanted(argc, argv))
        return MakeProfileCommand::run(argc, argv);
    const int status = ChartCommand::run(argc, argv);
    // --help: the profile maker's part follows the chart's.
    for (int i = 1; i < argc && status == 0; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(MakeProfileCommand::usage(), stdout);
            break;
        }
    return status;
}
