#include "ChartPatch.h"

#include <cstdio>
#include <cstring>

std::string chartPatchName(const CHARTPATCH& p, unsigned long index) {
    const std::size_t length = strnlen(p.name, sizeof p.name);
    if (length > 0)
        return std::string(p.name, length);
    // A shuffled patch keeps the name of its place before the shuffle, so
    // readings taken by name still land on the right colour.
    char text[32];
    std::snprintf(text, sizeof text, "Patch %04lu",
                  p.number != 0 ? static_cast<unsigned long>(p.number) : index + 1);
    return text;
}

void setChartPatchName(CHARTPATCH& p, const char* name) {
    std::memset(p.name, 0, sizeof p.name);
    if (name == nullptr)
        return;
    std::size_t length = strnlen(name, sizeof p.name - 1);
    // A UTF-8 sequence cut in half would show as a broken character; drop
    // its lead and continuation bytes instead.
    if (name[length] != '\0')
        while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
            --length;
    std::memcpy(p.name, name, length);
}
