// What checking a profile for a role costs (the converter checks its three
// profiles at every refresh): median microseconds per check for a few
// shipped profiles in each role. Run by hand: build/bench/bench_profile_check
#include "ProfileCheck.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main() {
    const char* const profiles[] = {"/usr/share/color/icc/sRGB.icc",
                                    "/usr/share/color/icc/ghostscript/ps_cmyk.icc",
                                    "/usr/share/color/icc/ghostscript/default_cmyk.icc"};
    const struct {
        ProfileRole role;
        const char* name;
    } roles[] = {{ProfileRole::ConverterInput, "input"},
                 {ProfileRole::ConverterOutput, "output"},
                 {ProfileRole::Monitor, "monitor"}};
    for (const char* path : profiles)
        for (const auto& r : roles) {
            std::vector<double> us;
            bool usable = false;
            for (int i = 0; i < 21; ++i) {
                const auto t0 = std::chrono::steady_clock::now();
                usable = ProfileCheck::check(path, r.role).usable();
                us.push_back(
                    std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
            }
            std::sort(us.begin(), us.end());
            std::printf("%-52s %-8s %-9s %9.0f us\n", path, r.name, usable ? "usable" : "refused",
                        us[us.size() / 2]);
        }
    return 0;
}
