#include "ExportTi1.h"

#include "CgatsWriter.h"
#include "WholeFile.h"

#include <lcms2.h>

#include <cstdio>
#include <vector>

namespace {

std::vector<std::string> inksAndXYZ(const CHARTPATCH& p) {
    const cmsCIELab lab{p.labD50[0], p.labD50[1], p.labD50[2]};
    cmsCIEXYZ xyz{};
    cmsLab2XYZ(cmsD50_XYZ(), &xyz, &lab);
    std::vector<std::string> values;
    // Percent with four decimals: every ink byte comes back as itself.
    for (int k = 0; k < 4; ++k)
        values.push_back(CgatsWriter::fixed(chartPatchInk(p, k), 4));
    for (double v : {xyz.X, xyz.Y, xyz.Z})
        values.push_back(CgatsWriter::fixed(v * 100.0, 6));
    return values;
}

// printtarg wants a second table of eight strongly coloured device values,
// from which it picks the spacers between patches that a strip reader needs
// to tell neighbours apart. The chart's own patches nearest to paper, the
// primaries, their overprints and solid black serve.
void densityExtremes(CgatsWriter& out, const CHARTPATCH* patches) {
    static const int aims[8][4] = {{0, 0, 0, 0},     {255, 0, 0, 0},   {0, 255, 0, 0},   {0, 0, 255, 0},
                                   {255, 255, 0, 0}, {255, 0, 255, 0}, {0, 255, 255, 0}, {0, 0, 0, 255}};
    out.declareKeyword("DENSITY_EXTREME_VALUES");
    out.property("DENSITY_EXTREME_VALUES", "8");
    out.fields({"INDEX", "CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K", "XYZ_X", "XYZ_Y", "XYZ_Z"});
    for (int i = 0; i < 8; ++i) {
        const CHARTPATCH* best = patches;
        long bestDistance = -1;
        for (const CHARTPATCH* p = patches; p != nullptr; p = KvNext(p)) {
            const int ink[4] = {p->cmyk[INK_C], p->cmyk[INK_M], p->cmyk[INK_Y], p->cmyk[INK_K]};
            long d = 0;
            for (int k = 0; k < 4; ++k)
                d += long(ink[k] - aims[i][k]) * (ink[k] - aims[i][k]);
            if (bestDistance < 0 || d < bestDistance) {
                best = p;
                bestDistance = d;
            }
        }
        std::vector<std::string> values{std::to_string(i)};
        CHARTPATCH paper{};
        paper.labD50[0] = 100.0;
        for (const std::string& v : inksAndXYZ(best ? *best : paper))
            values.push_back(v);
        out.row(values);
    }
}

void heading(CgatsWriter& out, std::time_t created, const std::string& descriptor) {
    char date[64];
    std::string when = Kv_ctime(&created, date) ? date : "";
    while (!when.empty() && when.back() == '\n')
        when.pop_back();
    out.property("DESCRIPTOR", descriptor);
    out.property("ORIGINATOR", "Quillon Tintry");
    out.property("CREATED", when);
}

} // namespace

std::string ExportTi1::text(const CHARTPATCH* patches, std::time_t created, const std::string& descriptor) {
    CgatsWriter out("CTI1");
    heading(out, created, descriptor);
    // The patches' XYZ are D50 values, so the white they are relative to is D50's.
    out.declareKeyword("APPROX_WHITE_POINT");
    out.property("APPROX_WHITE_POINT", "96.4220 100.0000 82.5210");
    out.declareKeyword("COLOR_REP");
    out.property("COLOR_REP", "CMYK");
    out.fields(
        {"SAMPLE_ID", "SAMPLE_NAME", "CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K", "XYZ_X", "XYZ_Y", "XYZ_Z"});
    unsigned long index = 0;
    for (const CHARTPATCH* p = patches; p != nullptr; p = KvNext(p), ++index) {
        std::vector<std::string> values{std::to_string(index + 1),
                                        CgatsWriter::quoted(chartPatchName(*p, index).c_str())};
        for (const std::string& v : inksAndXYZ(*p))
            values.push_back(v);
        out.row(values);
    }
    CgatsWriter extremes("CTI1");
    heading(extremes, created, descriptor);
    densityExtremes(extremes, patches);
    return out.text() + extremes.text();
}

Status ExportTi1::write(const CHARTPATCH* patches, const std::string& path, std::time_t created,
                        const std::string& descriptor) {
    return WholeFile::write(path, std::string_view(text(patches, created, descriptor)));
}
