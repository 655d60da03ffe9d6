#include "SwatchImporter.h"

#include "CgatsTable.h"
#include "LabRange.h"
#include "LcmsHandles.h"
#include "RegularFile.h"

#include <QByteArray>
#include <QString>

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

using lcms::ContextPtr;
using lcms::quietContext;

unsigned char inkByte(double unit) {
    if (!(unit > 0)) // NaN too
        return 0;
    return unit >= 1.0 ? 255 : static_cast<unsigned char>(std::lround(unit * 255.0));
}

std::uint32_t packCMYK(double c, double m, double y, double k) {
    return std::uint32_t(inkByte(c)) << 24 | std::uint32_t(inkByte(m)) << 16 |
           std::uint32_t(inkByte(y)) << 8 | std::uint32_t(inkByte(k));
}

// Appends a record; false when memory ran out.
bool append(KVCOMBOCOLOUR** first, const char* name, bool lab, std::uint32_t cmyk, const double* L, bool inks,
            const double* percent = nullptr) {
    auto* r = static_cast<KVCOMBOCOLOUR*>(Kv_calloc(1, sizeof(KVCOMBOCOLOUR)));
    if (r == nullptr)
        return false;
    r->name = AllocateAndCopyString(name ? name : "");
    if (r->name == nullptr) {
        Kv_free(r);
        return false;
    }
    r->link.type = KV_PACKET_COMBOCOLOUR;
    r->cmyk = cmyk;
    if (inks)
        r->flags |= KVCOMBO_CMYK_VALID;
    // The file's own numbers: a chart prints 10 % as 10 %, not as the
    // nearest of 256 steps.
    if (inks && percent) {
        r->flags |= KVCOMBO_CMYK_EXACT;
        for (int k = 0; k < 4; ++k)
            r->percent[k] = percent[k];
    }
    if (lab) {
        r->flags |= KVCOMBO_LAB_VALID;
        r->L = L[0];
        r->a = L[1];
        r->b = L[2];
    }
    AddList(first, r);
    return true;
}

// --- CGATS -----------------------------------------------------------------

const char* const labFields[3] = {"LAB_L", "LAB_A", "LAB_B"};
const char* const inkFields[4] = {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K"};

// One value, strictly read and within [low, high].
bool valueIn(const CgatsTable& t, int row, int column, double low, double high, double& out,
             std::string& why) {
    if (!t.number(row, column, out, why))
        return false;
    if (out < low || out > high) {
        char range[64];
        std::snprintf(range, sizeof range, " is %g, outside %g..%g", out, low, high);
        why = t.where(row, column) + range;
        return false;
    }
    return true;
}

// Where a table keeps what a swatch needs.
struct SwatchColumns {
    int lab[3];
    int ink[4];
    int name;
    bool hasLab;
    bool hasInk;
};

bool findColumns(const CgatsTable& table, SwatchColumns& c, std::string& why) {
    for (int i = 0; i < 3; ++i)
        c.lab[i] = table.column(labFields[i]);
    for (int i = 0; i < 4; ++i)
        c.ink[i] = table.column(inkFields[i]);
    c.hasLab = table.hasColumns(labFields, 3);
    c.hasInk = table.hasColumns(inkFields, 4);
    c.name = table.column("SAMPLE_NAME");
    if (c.name < 0)
        c.name = table.column("SAMPLE_ID");
    if (!c.hasLab && !c.hasInk)
        why = "the table has neither LAB_L, LAB_A, LAB_B nor CMYK_C, CMYK_M, CMYK_Y, CMYK_K";
    return c.hasLab || c.hasInk;
}

// Appends the row's record; false with the reason when a value is unfit.
bool readRow(const CgatsTable& table, const SwatchColumns& c, int row, KVCOMBOCOLOUR** first,
             std::string& why) {
    double L[3] = {0, 0, 0};
    double ink[4] = {0, 0, 0, 0};
    for (int i = 0; c.hasInk && i < 4; ++i)
        if (!valueIn(table, row, c.ink[i], 0.0, 100.0, ink[i], why))
            return false;
    for (int i = 0; c.hasLab && i < 3; ++i)
        if (!valueIn(table, row, c.lab[i], LabRange::lowest(i), LabRange::highest(i), L[i], why))
            return false;
    std::string name;
    if (c.name >= 0)
        table.text(row, c.name, name);
    const std::uint32_t packed =
        c.hasInk ? packCMYK(ink[0] / 100.0, ink[1] / 100.0, ink[2] / 100.0, ink[3] / 100.0) : 0;
    if (!append(first, name.c_str(), c.hasLab, packed, L, c.hasInk, c.hasInk ? ink : nullptr)) {
        why = "out of memory";
        return false;
    }
    return true;
}

// The whole table or nothing: a file with one unreadable value is not a
// chart, and a value guessed as 0 would print as a wrong patch.
KVCOMBOCOLOUR* readCGATS(const void* data, std::size_t size, std::string& why) {
    if (size > SwatchImporter::maximumFileSize) {
        why = "the file is too large for a swatch file";
        return nullptr;
    }
    CgatsTable table;
    SwatchColumns columns{};
    if (!table.load(data, size, why) || !findColumns(table, columns, why))
        return nullptr;
    const int rows = table.declaredRows(SwatchImporter::maximumRows);
    if (rows == 0) {
        why = "NUMBER_OF_SETS is missing, or not a count from 1 to " +
              std::to_string(SwatchImporter::maximumRows);
        return nullptr;
    }
    KVCOMBOCOLOUR* first = nullptr;
    for (int row = 0; row < rows; ++row)
        if (!readRow(table, columns, row, &first, why)) {
            KvPacketFreeList(&first, KV_PACKET_COMBOCOLOUR);
            return nullptr;
        }
    why.clear();
    return first;
}

// --- ASE -------------------------------------------------------------------

// A bounds-checked big-endian reader over one block of the file.
class Reader {
public:
    Reader(const unsigned char* data, std::size_t size) : p(data), end(data + size) {}
    std::size_t left() const { return std::size_t(end - p); }
    bool u16(std::uint16_t& v) {
        if (left() < 2)
            return false;
        v = std::uint16_t(p[0] << 8 | p[1]);
        p += 2;
        return true;
    }
    bool u32(std::uint32_t& v) {
        if (left() < 4)
            return false;
        v = std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
        p += 4;
        return true;
    }
    bool f32(double& v) {
        std::uint32_t bits;
        if (!u32(bits))
            return false;
        float f;
        std::memcpy(&f, &bits, sizeof f);
        v = f;
        return true;
    }
    bool bytes(std::size_t n, const unsigned char*& at) {
        if (left() < n)
            return false;
        at = p;
        p += n;
        return true;
    }
    // A name: its length in UTF-16 units including the final NUL, then UTF-16BE.
    bool name(QByteArray& utf8) {
        std::uint16_t units;
        const unsigned char* text;
        if (!u16(units) || !bytes(std::size_t(units) * 2, text))
            return false;
        QString s;
        s.reserve(units);
        for (std::uint16_t i = 0; i < units; ++i)
            s += QChar(char16_t(text[2 * i] << 8 | text[2 * i + 1]));
        while (!s.isEmpty() && s.back() == QChar(0))
            s.chop(1);
        utf8 = s.toUtf8();
        return true;
    }

private:
    const unsigned char* p;
    const unsigned char* end;
};

// sRGB and D50 gray into D50 Lab, made once per import.
class SwatchToLab {
public:
    SwatchToLab() : context(quietContext()) {
        if (!context)
            return;
        cmsContext c = context.get();
        cmsHPROFILE lab = cmsCreateLab4ProfileTHR(c, nullptr);
        cmsHPROFILE srgb = cmsCreate_sRGBProfileTHR(c);
        // The sRGB tone curve on a D50 white: a gray that sits on sRGB's neutrals.
        const cmsFloat64Number params[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
        cmsToneCurve* curve = cmsBuildParametricToneCurve(c, 4, params);
        cmsHPROFILE gray = curve ? cmsCreateGrayProfileTHR(c, cmsD50_xyY(), curve) : nullptr;
        if (lab && srgb)
            rgb = cmsCreateTransformTHR(c, srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL,
                                        INTENT_RELATIVE_COLORIMETRIC, 0);
        if (lab && gray)
            grey = cmsCreateTransformTHR(c, gray, TYPE_GRAY_DBL, lab, TYPE_Lab_DBL,
                                         INTENT_RELATIVE_COLORIMETRIC, 0);
        for (cmsHPROFILE h : {lab, srgb, gray})
            if (h)
                cmsCloseProfile(h);
        if (curve)
            cmsFreeToneCurve(curve);
    }
    ~SwatchToLab() {
        if (rgb)
            cmsDeleteTransform(rgb);
        if (grey)
            cmsDeleteTransform(grey);
    }
    bool convert(bool isGray, const double* in, double* lab) const {
        cmsHTRANSFORM t = isGray ? grey : rgb;
        if (t == nullptr)
            return false;
        double clamped[3];
        for (int i = 0; i < (isGray ? 1 : 3); ++i)
            clamped[i] = std::isfinite(in[i]) ? std::clamp(in[i], 0.0, 1.0) : 0.0;
        cmsCIELab out{};
        cmsDoTransform(t, clamped, &out, 1);
        lab[0] = out.L;
        lab[1] = out.a;
        lab[2] = out.b;
        return true;
    }

private:
    ContextPtr context;
    cmsHTRANSFORM rgb = nullptr;
    cmsHTRANSFORM grey = nullptr;
};

// One colour block; false when it is damaged or memory ran out.
bool readColour(Reader body, const SwatchToLab& toLab, KVCOMBOCOLOUR** first) {
    QByteArray name;
    const unsigned char* model;
    if (!body.name(name) || !body.bytes(4, model))
        return false;
    const std::string m(reinterpret_cast<const char*>(model), 4);
    const int count = m == "CMYK" ? 4 : (m == "RGB " || m == "LAB ") ? 3 : m == "Gray" ? 1 : 0;
    double v[4] = {0, 0, 0, 0};
    if (count == 0)
        return false;
    for (int i = 0; i < count; ++i)
        if (!body.f32(v[i]))
            return false;
    // The colour type (global, spot, normal) that follows makes no difference to a chart.
    if (m == "CMYK")
        return append(first, name.constData(), false, packCMYK(v[0], v[1], v[2], v[3]), nullptr, true);
    double lab[3] = {v[0] * 100.0, v[1], v[2]};
    if (m != "LAB " && !toLab.convert(m == "Gray", v, lab))
        return false;
    if (!std::isfinite(lab[0]) || !std::isfinite(lab[1]) || !std::isfinite(lab[2]))
        return false;
    return append(first, name.constData(), true, 0, lab, false);
}

} // namespace

KVCOMBOCOLOUR* SwatchImporter::fromCGATS(const void* data, std::size_t size, std::string* why) {
    std::string problem;
    KVCOMBOCOLOUR* first = readCGATS(data, size, problem);
    if (why)
        *why = problem;
    return first;
}

KVCOMBOCOLOUR* SwatchImporter::fromASE(const void* data, std::size_t size) {
    Reader file(static_cast<const unsigned char*>(data), data ? size : 0);
    const unsigned char* magic;
    std::uint16_t major, minor;
    std::uint32_t blocks;
    if (!file.bytes(4, magic) || std::memcmp(magic, "ASEF", 4) != 0 || !file.u16(major) || !file.u16(minor) ||
        !file.u32(blocks) || major != 1)
        return nullptr;
    const SwatchToLab toLab;
    KVCOMBOCOLOUR* first = nullptr;
    // Every block takes at least six bytes, so an absurd count ends with the data.
    for (std::uint32_t i = 0; i < blocks; ++i) {
        std::uint16_t type;
        std::uint32_t length;
        const unsigned char* body;
        if (!file.u16(type) || !file.u32(length) || !file.bytes(length, body))
            break;
        if (type == 0x0001 && !readColour(Reader(body, length), toLab, &first))
            break;
        // Group starts (0xC001) and ends (0xC002) only organise the palette.
    }
    return first;
}

KVCOMBOCOLOUR* SwatchImporter::import(const char* path, SwatchType& type, unsigned long flags) {
    return import(path, type, flags, nullptr);
}

KVCOMBOCOLOUR* SwatchImporter::import(const char* path, SwatchType& type, unsigned long, std::string* why) {
    type = SWATCH_UNKNOWN;
    std::string problem;
    KVCOMBOCOLOUR* first = nullptr;
    std::string read;
    int error = 0;
    const RegularFile::Result got =
        path ? RegularFile::readAll(path, maximumFileSize, read, &error) : RegularFile::CannotOpen;
    if (got == RegularFile::NotRegular) {
        problem = "not a regular file";
    } else if (got == RegularFile::TooLarge) {
        problem = "the file is too large for a swatch file";
    } else if (got != RegularFile::Read || read.empty()) {
        problem = error != 0 ? std::strerror(error) : "the file is empty or cannot be read";
    } else {
        const QByteArray bytes = QByteArray::fromStdString(read);
        if (bytes.startsWith("ASEF")) {
            type = SWATCH_ASE;
            first = fromASE(bytes.constData(), std::size_t(bytes.size()));
            if (first == nullptr)
                problem = "no colour could be read from this Adobe Swatch Exchange file";
        } else {
            first = readCGATS(bytes.constData(), std::size_t(bytes.size()), problem);
            if (first != nullptr)
                type = SWATCH_CGATS;
        }
    }
    if (why)
        *why = problem;
    return first;
}
