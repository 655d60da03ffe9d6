#include "ExportISO12642.h"

#include "CgatsWriter.h"
#include "WholeFile.h"

#include <cstdio>
#include <vector>

namespace {

std::string isoDate(std::time_t t) {
    std::tm tm{};
    ::localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &tm);
    return text;
}

// Percent with four decimals: every ink byte comes back as itself.
std::string percent(std::uint32_t packed, int shift) {
    return CgatsWriter::fixed(((packed >> shift) & 0xff) * 100.0 / 255.0, 4);
}

} // namespace

std::string ExportISO12642::text(const KVCOMBOCOLOUR* first, std::time_t created,
                                 const std::string& descriptor) {
    std::vector<const KVCOMBOCOLOUR*> rows;
    bool inks = true;
    for (const KVCOMBOCOLOUR* r = first; r != nullptr; r = KvNext(r))
        if (r->flags & KVCOMBO_LAB_VALID) {
            rows.push_back(r);
            inks = inks && (r->flags & KVCOMBO_CMYK_VALID);
        }
    inks = inks && !rows.empty();

    CgatsWriter out("CGATS.17");
    out.property("ORIGINATOR", "Quillon Tintry");
    out.property("DESCRIPTOR", descriptor);
    out.property("CREATED", isoDate(created));
    if (inks)
        out.fields(
            {"SAMPLE_ID", "SAMPLE_NAME", "CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K", "LAB_L", "LAB_A", "LAB_B"});
    else
        out.fields({"SAMPLE_ID", "SAMPLE_NAME", "LAB_L", "LAB_A", "LAB_B"});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const KVCOMBOCOLOUR& r = *rows[i];
        std::vector<std::string> values{std::to_string(i + 1), CgatsWriter::quoted(r.name)};
        if (inks)
            for (int k = 0; k < 4; ++k)
                values.push_back((r.flags & KVCOMBO_CMYK_EXACT) ? CgatsWriter::fixed(r.percent[k], 4)
                                                                : percent(r.cmyk, 24 - 8 * k));
        for (double v : {r.L, r.a, r.b})
            values.push_back(CgatsWriter::number(v));
        out.row(values);
    }
    return out.text();
}

int ExportISO12642::exportColours(const std::string& path, const SPECTROPHOTOMETERINFO* instrument,
                                  KVCOMBOCOLOUR_CC& colours, icColorSpaceSignature space) {
    return exportColours(path, instrument, colours, space, std::time(nullptr));
}

int ExportISO12642::exportColours(const std::string& path, const SPECTROPHOTOMETERINFO*,
                                  KVCOMBOCOLOUR_CC& colours, icColorSpaceSignature space,
                                  std::time_t created) {
    std::string why;
    if (space != icSigLabData) {
        std::fprintf(stderr, "Cannot open file %s\n", path.c_str());
        return -1;
    }
    return exportColours(path, colours.list, defaultDescriptor, created, why);
}

int ExportISO12642::exportColours(const std::string& path, const KVCOMBOCOLOUR* first,
                                  const std::string& descriptor, std::time_t created, std::string& why) {
    const Status s = save(path, first, descriptor, created);
    if (!s) {
        why = s.failure().why;
        std::fprintf(stderr, "Cannot open file %s\n", path.c_str());
        return -1;
    }
    return 0;
}

Status ExportISO12642::save(const std::string& path, const KVCOMBOCOLOUR* first,
                            const std::string& descriptor, std::time_t created) {
    return WholeFile::write(path, std::string_view(text(first, created, descriptor)));
}
