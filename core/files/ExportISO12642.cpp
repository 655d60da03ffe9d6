#include "ExportISO12642.h"

#include "LcmsHandles.h"

#include <QFile>
#include <QFileInfo>

#include <lcms2.h>

#include <clocale>
#include <cstdio>
#include <locale.h>
#include <memory>
#include <vector>

namespace {

// lcms formats numbers with the C library's printf, which follows LC_NUMERIC,
// and Qt has set that from the environment at start-up: under de_DE a Lab
// value would come out as 55,25. Hold the "C" numeric locale on this thread
// while the table is made.
class CNumericLocale {
public:
    CNumericLocale() : c(::newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0))) {
        if (c)
            previous = ::uselocale(c);
    }
    ~CNumericLocale() {
        if (c) {
            ::uselocale(previous);
            ::freelocale(c);
        }
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t c;
    locale_t previous = static_cast<locale_t>(0);
};

// CGATS has no escapes: a name goes in double quotes, so it may hold no
// double quote and no line break. lcms quotes a value only when it has a
// space, yet an unquoted name that starts with a digit reads back as a
// number; so quote every name that lcms would not.
std::string cgatsName(const char* name) {
    std::string s = name ? name : "";
    for (char& ch : s) {
        if (ch == '"')
            ch = '\'';
        else if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f)
            ch = ' ';
    }
    if (s.find(' ') != std::string::npos)
        return s;
    return '"' + s + '"';
}

std::string isoDate(std::time_t t) {
    std::tm tm{};
    ::localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &tm);
    return text;
}

} // namespace

std::string ExportISO12642::text(const KVCOMBOCOLOUR* first, std::time_t created) {
    std::vector<const KVCOMBOCOLOUR*> rows;
    for (const KVCOMBOCOLOUR* r = first; r != nullptr; r = KvNext(r))
        if (r->flags & KVCOMBO_LAB_VALID)
            rows.push_back(r);

    CNumericLocale numbers;
    lcms::ContextPtr context = lcms::quietContext();
    if (!context)
        return {};
    lcms::IT8Ptr it8(cmsIT8Alloc(context.get()));
    if (!it8)
        return {};
    cmsHANDLE h = it8.get();
    cmsIT8SetSheetType(h, "CGATS.17");
    cmsIT8SetPropertyStr(h, "ORIGINATOR", "Quillon Tintry");
    cmsIT8SetPropertyStr(h, "DESCRIPTOR", "Colour check chart");
    cmsIT8SetPropertyStr(h, "CREATED", isoDate(created).c_str());
    // The table is sized from these two; data set before them is lost (and
    // saving such a table crashes lcms 2.14).
    cmsIT8SetPropertyDbl(h, "NUMBER_OF_FIELDS", 5);
    cmsIT8SetPropertyDbl(h, "NUMBER_OF_SETS", double(rows.size()));
    const char* fields[5] = {"SAMPLE_ID", "SAMPLE_NAME", "LAB_L", "LAB_A", "LAB_B"};
    for (int i = 0; i < 5; ++i)
        cmsIT8SetDataFormat(h, i, fields[i]);
    bool ok = true;
    for (std::size_t i = 0; i < rows.size() && ok; ++i) {
        const int row = int(i);
        ok = cmsIT8SetDataRowColDbl(h, row, 0, double(i + 1)) &&
             cmsIT8SetDataRowCol(h, row, 1, cgatsName(rows[i]->name).c_str()) &&
             cmsIT8SetDataRowColDbl(h, row, 2, rows[i]->L) && cmsIT8SetDataRowColDbl(h, row, 3, rows[i]->a) &&
             cmsIT8SetDataRowColDbl(h, row, 4, rows[i]->b);
    }
    cmsUInt32Number size = 0;
    if (!ok || !cmsIT8SaveToMem(h, nullptr, &size) || size == 0)
        return {};
    std::string out(size, '\0');
    if (!cmsIT8SaveToMem(h, out.data(), &size))
        return {};
    out.resize(std::min<std::size_t>(size, out.size()));
    while (!out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

int ExportISO12642::exportColours(const std::string& path, const SPECTROPHOTOMETERINFO* instrument,
                                  KVCOMBOCOLOUR_CC& colours, icColorSpaceSignature space) {
    return exportColours(path, instrument, colours, space, std::time(nullptr));
}

int ExportISO12642::exportColours(const std::string& path, const SPECTROPHOTOMETERINFO*,
                                  KVCOMBOCOLOUR_CC& colours, icColorSpaceSignature space,
                                  std::time_t created) {
    const std::string body = space == icSigLabData ? text(colours.list, created) : std::string();
    // The file is written beside the target and renamed over it, which is
    // only right for a regular file: a device or a directory is refused, and
    // a link is followed to the file it names. (QSaveFile is no help here: in
    // Qt 6.4 it commits a file cut short when the file-size limit stops a write.)
    const QFileInfo info(QFile::decodeName(path.c_str()));
    std::string target = path;
    bool ok = !body.empty() && !path.empty();
    if (ok && info.exists()) {
        ok = info.isFile() && info.isWritable();
        target = QFile::encodeName(info.canonicalFilePath()).toStdString();
    }
    KvFile* f = ok ? Kv_fopen(target.c_str(), "w") : nullptr;
    if (f != nullptr) {
        Kv_fwrite(body.data(), body.size(), 1, f);
        ok = Kv_fclose(f) == 0;
    } else {
        ok = false;
    }
    if (!ok) {
        std::fprintf(stderr, "Cannot open file %s\n", path.c_str());
        return -1;
    }
    return 0;
}
