// tintry-chart: see ChartCommand.h.
#include "ChartCommand.h"

int main(int argc, char** argv) {
    return ChartCommand::run(argc, argv);
}
