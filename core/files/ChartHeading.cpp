#include "ChartHeading.h"

std::string ChartHeading::title(unsigned long patchCount) const {
    char date[16] = "";
    std::tm local{};
    if (::localtime_r(&created, &local) != nullptr)
        std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    std::string text = "Colour check chart";
    if (!source.empty())
        text += ", " + source;
    text += ", " + std::to_string(patchCount) + (patchCount == 1 ? " patch" : " patches");
    if (*date)
        text += std::string(", ") + date;
    return printable(text);
}

std::string ChartHeading::pageOf(unsigned long page, unsigned long pages) {
    return "Page " + std::to_string(page) + " of " + std::to_string(pages);
}

std::string ChartHeading::printable(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e)
            c = '?';
    return out;
}
