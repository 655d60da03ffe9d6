// The words printed on a chart's pages: what the chart is, where its inks
// came from and when it was made, and which page of how many. Page fonts
// hold only printable ASCII, so other characters print as '?'.
#pragma once

#include <ctime>
#include <string>

struct ChartHeading {
    std::string source; // profile or swatch file name, without its directory
    std::time_t created = 0;

    std::string title(unsigned long patchCount) const;
    static std::string pageOf(unsigned long page, unsigned long pages);
    static std::string printable(const std::string& text);
};
