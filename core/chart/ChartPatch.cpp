#include "ChartPatch.h"

#include <cstdio>
#include <cstring>

std::string chartPatchName(const CHARTPATCH& p, unsigned long index) {
    const std::size_t length = strnlen(p.name, sizeof p.name);
    if (length > 0)
        return std::string(p.name, length);
    char position[32];
    std::snprintf(position, sizeof position, "Patch %04lu", index + 1);
    return position;
}
