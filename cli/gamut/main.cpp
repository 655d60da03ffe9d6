// tintry-gamut: see GamutCommand.h.
#include "GamutCommand.h"

int main(int argc, char** argv) {
    return GamutCommand::run(argc, argv);
}
