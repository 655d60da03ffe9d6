#include "SwatchImporter.h"

#include "CgatsPrecheck.h"
#include "LcmsHandles.h"
#include "RegularFile.h"

#include <QByteArray>
#include <QString>

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
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
bool append(KVCOMBOCOLOUR** first, const char* name, bool lab, std::uint32_t cmyk, const double* L) {
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
    if (lab) {
        r->flags = KVCOMBO_LAB_VALID;
        r->L = L[0];
        r->a = L[1];
        r->b = L[2];
    }
    AddList(first, r);
    return true;
}

// --- CGATS -----------------------------------------------------------------

int column(cmsHANDLE it8, const char* name) {
    return cmsIT8FindDataFormat(it8, name);
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
        return append(first, name.constData(), false, packCMYK(v[0], v[1], v[2], v[3]), nullptr);
    double lab[3] = {v[0] * 100.0, v[1], v[2]};
    if (m != "LAB " && !toLab.convert(m == "Gray", v, lab))
        return false;
    if (!std::isfinite(lab[0]) || !std::isfinite(lab[1]) || !std::isfinite(lab[2]))
        return false;
    return append(first, name.constData(), true, 0, lab);
}

} // namespace

KVCOMBOCOLOUR* SwatchImporter::fromCGATS(const void* data, std::size_t size) {
    if (data == nullptr || size == 0 || size > maximumFileSize || !cgatsPrecheck(data, size))
        return nullptr;
    const std::string_view text = cgatsText(data, size);
    ContextPtr context = quietContext();
    if (!context || text.empty())
        return nullptr;
    lcms::IT8Ptr it8(
        cmsIT8LoadFromMem(context.get(), text.data(), static_cast<cmsUInt32Number>(text.size())));
    if (!it8 || cmsIT8SetTable(it8.get(), 0) < 0)
        return nullptr;
    cmsHANDLE h = it8.get();
    const int lab[3] = {column(h, "LAB_L"), column(h, "LAB_A"), column(h, "LAB_B")};
    const int ink[4] = {column(h, "CMYK_C"), column(h, "CMYK_M"), column(h, "CMYK_Y"), column(h, "CMYK_K")};
    const bool hasLab = lab[0] >= 0 && lab[1] >= 0 && lab[2] >= 0;
    const bool hasInk = ink[0] >= 0 && ink[1] >= 0 && ink[2] >= 0 && ink[3] >= 0;
    if (!hasLab && !hasInk)
        return nullptr;
    int nameColumn = column(h, "SAMPLE_NAME");
    if (nameColumn < 0)
        nameColumn = column(h, "SAMPLE_ID");

    // NUMBER_OF_SETS may promise more rows than the file holds: a row with a
    // missing value ends the import.
    const double declared = cmsIT8GetPropertyDbl(h, "NUMBER_OF_SETS");
    const int rows = declared > 0 && declared < 1e6 ? static_cast<int>(declared) : 0;
    KVCOMBOCOLOUR* first = nullptr;
    for (int row = 0; row < rows; ++row) {
        auto value = [&](int col, double& out) {
            if (cmsIT8GetDataRowCol(h, row, col) == nullptr)
                return false;
            out = cmsIT8GetDataRowColDbl(h, row, col);
            return std::isfinite(out);
        };
        double L[3] = {0, 0, 0};
        double c[4] = {0, 0, 0, 0};
        bool ok = true;
        for (int i = 0; hasLab && i < 3; ++i)
            ok = ok && value(lab[i], L[i]);
        for (int i = 0; hasInk && i < 4; ++i)
            ok = ok && value(ink[i], c[i]);
        if (!ok)
            break;
        const char* name = nameColumn >= 0 ? cmsIT8GetDataRowCol(h, row, nameColumn) : nullptr;
        const std::uint32_t packed =
            hasInk ? packCMYK(c[0] / 100.0, c[1] / 100.0, c[2] / 100.0, c[3] / 100.0) : 0;
        if (!append(&first, name, hasLab, packed, L))
            break;
    }
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

KVCOMBOCOLOUR* SwatchImporter::import(const char* path, SwatchType& type, unsigned long) {
    type = SWATCH_UNKNOWN;
    if (path == nullptr)
        return nullptr;
    std::string read;
    if (RegularFile::readAll(path, maximumFileSize, read) != RegularFile::Read || read.empty())
        return nullptr;
    const QByteArray bytes = QByteArray::fromStdString(read);
    if (bytes.startsWith("ASEF")) {
        type = SWATCH_ASE;
        return fromASE(bytes.constData(), std::size_t(bytes.size()));
    }
    KVCOMBOCOLOUR* first = fromCGATS(bytes.constData(), std::size_t(bytes.size()));
    if (first != nullptr)
        type = SWATCH_CGATS;
    return first;
}
