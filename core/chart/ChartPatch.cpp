#include "ChartPatch.h"

#include <cstdio>

std::string chartPatchName(const CHARTPATCH&, unsigned long index) {
    char name[32];
    std::snprintf(name, sizeof name, "Patch %04lu", index + 1);
    return name;
}
