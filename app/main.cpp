#include "TintryStartup.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    // The program finds its installation (language files, settings-store name)
    // from argv[0]; make that the real path of the executable, as it would be
    // when started from a desktop icon.
    static std::string self = runningExecutablePath(argc > 0 ? argv[0] : nullptr);
    static std::vector<char*> args;
    args.assign(argv, argv + argc);
    if (args.empty())
        args.push_back(self.data());
    else
        args[0] = self.data();
    args.push_back(nullptr);
    return tintryMain(int(args.size()) - 1, args.data());
}
