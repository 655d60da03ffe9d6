#include "VerificationReport.h"

#include "CNumericLocale.h"
#include "ChartSession.h"
#include "ChartVerdict.h"
#include "Kvlib.h"
#include "MonitorPreview.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            // Control characters are not allowed in XML at all.
            out += (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') ? ' ' : c;
        }
    }
    return out;
}

std::string format(const char* pattern, double v) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, v);
    return text;
}

std::string verdictRow(const char* what, double value, double limit, bool passes) {
    std::string row = "<tr><th>" + std::string(what) + "</th><td>" + format("%.2f", value) + "</td><td>";
    if (limit > 0)
        row += std::string("under ") + format("%.2f", limit) + (passes ? " &#8212; pass" : " &#8212; FAIL");
    else
        row += "not checked";
    return row + "</td></tr>\n";
}

std::string summary(const ChartVerdict& v) {
    std::string s =
        "<p class=\"verdict " + std::string(v.passes() ? "pass\">PASS" : "fail\">FAIL") + "</p>\n";
    s += "<table class=\"summary\">\n<tr><th>Patches measured</th><td>" + std::to_string(v.measured) +
         " of " + std::to_string(v.patches) + "</td><td></td></tr>\n";
    s += verdictRow("Mean DE2000", v.mean, v.tolerances.mean, v.meanPasses);
    s += "<tr><th>Median DE2000</th><td>" + format("%.2f", v.median) + "</td><td></td></tr>\n";
    s += verdictRow("95th percentile DE2000", v.p95, v.tolerances.p95, v.p95Passes);
    s += verdictRow("Maximum DE2000", v.maximum, v.tolerances.maximum, v.maximumPasses);
    return s + "</table>\n";
}

// Bars of 0.5 DE2000 from 0 to the largest error (at least 4, so the
// crossing-out threshold of 3 always shows), as inline SVG.
std::string histogram(const ChartSession& chart, const ChartVerdict& v) {
    const double top = std::max(4.0, std::ceil(v.maximum * 2.0) / 2.0 + 0.5);
    const int bins = int(std::lround(top / 0.5));
    std::vector<int> counts(std::size_t(bins), 0);
    for (std::size_t i = 0; i < chart.size(); ++i)
        if (chart.measured(i))
            ++counts[std::size_t(std::min(bins - 1, int(chart.reading(i).deltaE / 0.5)))];
    const int highest = std::max(1, *std::max_element(counts.begin(), counts.end()));
    const int width = 24, height = 160, left = 40, bottom = 30;
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    std::to_string(left + bins * width + 10) + "\" height=\"" +
                    std::to_string(height + bottom + 10) + "\" role=\"img\">\n";
    s += "<title>Histogram of DE2000 errors</title>\n";
    for (int b = 0; b < bins; ++b) {
        const int h = counts[std::size_t(b)] * height / highest;
        const bool miss = b * 0.5 >= ChartSession::missLimit;
        s += "<rect x=\"" + std::to_string(left + b * width) + "\" y=\"" + std::to_string(10 + height - h) +
             "\" width=\"" + std::to_string(width - 2) + "\" height=\"" + std::to_string(h) + "\" fill=\"" +
             (miss ? "#c0392b" : "#2e86c1") + "\"><title>" + format("%.1f", b * 0.5) + " to " +
             format("%.1f", b * 0.5 + 0.5) + ": " + std::to_string(counts[std::size_t(b)]) +
             "</title></rect>\n";
        if (b % 2 == 0)
            s += "<text x=\"" + std::to_string(left + b * width) + "\" y=\"" + std::to_string(height + 26) +
                 "\" font-size=\"11\">" + format("%.0f", b * 0.5) + "</text>\n";
    }
    s += "<text x=\"0\" y=\"20\" font-size=\"11\">" + std::to_string(highest) + "</text>\n";
    s += "<line x1=\"" + std::to_string(left - 2) + "\" y1=\"" + std::to_string(10 + height) + "\" x2=\"" +
         std::to_string(left + bins * width) + "\" y2=\"" + std::to_string(10 + height) +
         "\" stroke=\"black\"/>\n";
    return s + "</svg>\n";
}

std::string labText(const double* lab) {
    return format("%.2f", lab[0]) + " " + format("%.2f", lab[1]) + " " + format("%.2f", lab[2]);
}

// A reference of Lab values alone (an ISO 12642 file, say) gives no inks:
// every patch would read as bare paper.
bool inksKnown(const ChartSession& chart) {
    for (std::size_t i = 0; i < chart.size(); ++i)
        for (unsigned char ink : chart.patch(i).cmyk)
            if (ink != 0)
                return true;
    return false;
}

std::string patchRow(const ChartSession& chart, std::size_t i, const MonitorPreview& paint, bool withInks) {
    const CHARTPATCH& p = chart.patch(i);
    char inks[64] = "not known";
    if (withInks)
        std::snprintf(inks, sizeof inks, "%.1f %.1f %.1f %.1f", chartPatchInk(p, 0), chartPatchInk(p, 1),
                      chartPatchInk(p, 2), chartPatchInk(p, 3));
    std::string row = "<tr" + std::string(chart.missed(i) ? " class=\"miss\"" : "") + "><td>" +
                      std::to_string(i + 1) + "</td><td>" + escaped(chart.name(i)) + "</td><td>" + inks +
                      "</td><td><span class=\"swatch\" style=\"background:" + paint.css(p.labD50) +
                      "\"></span>";
    if (chart.measured(i))
        row += "<span class=\"swatch\" style=\"background:" + paint.css(chart.reading(i).lab) + "\"></span>";
    row += "</td><td>" + labText(p.labD50) + "</td>";
    if (chart.measured(i))
        row += "<td>" + labText(chart.reading(i).lab) + "</td><td class=\"de\">" +
               format("%.4f", chart.reading(i).deltaE) + "</td>";
    else
        row += "<td>not measured</td><td class=\"de\"></td>";
    return row + "</tr>\n";
}

const char* const style = "body{font-family:sans-serif;margin:2em;color:#222}"
                          "table{border-collapse:collapse;margin:1em 0}"
                          "th,td{border:1px solid #ccc;padding:2px 8px;text-align:left}"
                          ".verdict{font-size:2em;font-weight:bold}.pass{color:#1e8449}.fail{color:#c0392b}"
                          "tr.miss td{background:#fdecea}"
                          ".swatch{display:inline-block;width:2em;height:1.4em;border:1px solid #888;"
                          "vertical-align:middle}";

} // namespace

std::string VerificationReport::html(const ChartSession& chart, const ChartVerdict& verdict,
                                     const std::string& title, const std::string& monitorProfile,
                                     std::time_t created) {
    CNumericLocale numbers;
    const MonitorPreview paint = MonitorPreview::openOrSrgb(monitorProfile);
    char date[64];
    std::tm tm{};
    ::localtime_r(&created, &tm);
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", &tm);
    std::string s = "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
                    "<meta charset=\"utf-8\"/>\n<title>" +
                    escaped(title) + "</title>\n<style>" + style + "</style>\n</head>\n<body>\n";
    s += "<h1>" + escaped(title) + "</h1>\n<p>Verification of " + std::to_string(verdict.patches) +
         " patches, " + date + ". Errors are CIEDE2000 between each target and its reading (D50).</p>\n";
    s += summary(verdict) + "<h2>Errors</h2>\n" + histogram(chart, verdict);
    s += "<h2>Worst patches</h2>\n<table "
         "class=\"worst\">\n<tr><th>Patch</th><th>Name</th><th>DE2000</th></tr>\n";
    for (const PatchError& e : verdict.worst)
        s += "<tr><td>" + std::to_string(e.index + 1) + "</td><td>" + escaped(e.name) + "</td><td>" +
             format("%.4f", e.deltaE) + "</td></tr>\n";
    s += "</table>\n<h2>Every patch</h2>\n<table class=\"patches\">\n"
         "<tr><th>Patch</th><th>Name</th><th>C M Y K %</th><th>Target, measured</th><th>Target Lab</th>"
         "<th>Measured Lab</th><th>DE2000</th></tr>\n";
    const bool withInks = inksKnown(chart);
    for (std::size_t i = 0; i < chart.size(); ++i)
        s += patchRow(chart, i, paint, withInks);
    return s + "</table>\n</body>\n</html>\n";
}

bool VerificationReport::usableMonitor(const std::string& path) {
    return MonitorPreview::open(path).ok();
}
