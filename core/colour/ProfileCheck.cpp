#include "ProfileCheck.h"

#include "LcmsHandles.h"
#include "RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

using lcms::headerClass;
using lcms::headerPCS;
using lcms::headerSpace;
using lcms::ProfilePtr;
using lcms::TransformPtr;

// Profiles are small; the cap only keeps a mistaken choice (a disk image, a
// video) from being read at all.
constexpr std::size_t maxProfileBytes = 128u << 20;
constexpr std::size_t headerBytes = 128;

std::uint32_t bigEndian(const std::string& b, std::size_t at) {
    return (std::uint32_t(std::uint8_t(b[at])) << 24) | (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint32_t(std::uint8_t(b[at + 3]));
}

// A media white is a light colour near daylight: lcms scales every absolute
// colour by it, so a damaged tag would move every printed target. Display
// whites (D65 and warmer or cooler) and papers lie well within these bounds;
// what lies outside is a damaged tag, not a medium.
bool plausibleWhite(const cmsCIEXYZ& w) {
    if (!std::isfinite(w.X) || !std::isfinite(w.Y) || !std::isfinite(w.Z) || w.X <= 0 || w.Y <= 0 || w.Z <= 0)
        return false;
    if (w.Y < 0.2 || w.Y > 1.2)
        return false;
    const double sum = w.X + w.Y + w.Z;
    const double x = w.X / sum, y = w.Y / sum;
    const double d50x = 0.3457, d50y = 0.3585;
    return std::hypot(x - d50x, y - d50y) <= 0.12;
}

bool whitePointSound(cmsHPROFILE p) {
    if (!cmsIsTag(p, cmsSigMediaWhitePointTag))
        return true; // absent means D50, as the standard says
    const auto* white = static_cast<const cmsCIEXYZ*>(cmsReadTag(p, cmsSigMediaWhitePointTag));
    return white != nullptr && plausibleWhite(*white);
}

bool isDeviceSpace(cmsUInt32Number s) {
    return s == cmsSigRgbData || s == cmsSigCmykData;
}

bool classAllowed(ProfileRole role, cmsUInt32Number c) {
    switch (role) {
    case ProfileRole::ConverterInput:
    case ProfileRole::ChartProfile:
        return c == cmsSigInputClass || c == cmsSigDisplayClass || c == cmsSigOutputClass;
    case ProfileRole::ConverterOutput:
        return c == cmsSigDisplayClass || c == cmsSigOutputClass;
    case ProfileRole::Monitor:
        return c == cmsSigDisplayClass;
    case ProfileRole::SwatchProfile:
        return c == cmsSigOutputClass;
    case ProfileRole::GamutProfile:
    case ProfileRole::Preview:
        return c == cmsSigInputClass || c == cmsSigDisplayClass || c == cmsSigOutputClass ||
               c == cmsSigColorSpaceClass;
    }
    return false;
}

bool spaceAllowed(ProfileRole role, cmsUInt32Number s) {
    switch (role) {
    case ProfileRole::Monitor:
    case ProfileRole::Preview:
        return s == cmsSigRgbData;
    case ProfileRole::ChartProfile:
    case ProfileRole::SwatchProfile:
        return s == cmsSigCmykData;
    default:
        return isDeviceSpace(s);
    }
}

cmsUInt32Number formatDouble(cmsUInt32Number s) {
    return s == cmsSigRgbData ? TYPE_RGB_DBL : TYPE_CMYK_DBL;
}

// A matrix-shaper RGB profile is written to by inverting its curves, which
// lcms does by sampling them (about 5 ms a profile); the converter checks at
// every refresh, so the tags that inversion needs are read and the matrix
// tested for an inverse instead.
bool invertibleMatrixShaper(cmsHPROFILE p) {
    if (headerSpace(p) != cmsSigRgbData)
        return false;
    const cmsTagSignature colorants[] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
    const cmsTagSignature curves[] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    double m[3][3];
    for (int i = 0; i < 3; ++i) {
        const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(p, colorants[i]));
        if (xyz == nullptr || cmsReadTag(p, curves[i]) == nullptr)
            return false;
        m[0][i] = xyz->X;
        m[1][i] = xyz->Y;
        m[2][i] = xyz->Z;
    }
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    return std::isfinite(det) && std::fabs(det) > 1e-9;
}

// Builds what the role will need, in the direction it needs it; lcms reads
// the tags each transform uses, so a missing or damaged one fails here. The
// relative intent stands for all: the others use the same tables or fall
// back to them, and absolute adds only the white point, checked apart.
bool transformsBuild(cmsContext ctx, cmsHPROFILE p, ProfileRole role) {
    ProfilePtr lab(cmsCreateLab4ProfileTHR(ctx, nullptr));
    if (!lab)
        return false;
    const cmsUInt32Number device = formatDouble(headerSpace(p));
    const cmsUInt32Number intent = INTENT_RELATIVE_COLORIMETRIC;
    const bool reads = role == ProfileRole::ConverterInput || role == ProfileRole::ChartProfile ||
                       role == ProfileRole::SwatchProfile || role == ProfileRole::GamutProfile;
    // An input is only read from: a scanner profile with no way back from Lab
    // still converts, though its Lab entry cannot.
    const bool written = role == ProfileRole::ConverterOutput || role == ProfileRole::Monitor ||
                         role == ProfileRole::Preview || role == ProfileRole::SwatchProfile;
    if (reads && !TransformPtr(cmsCreateTransformTHR(ctx, p, device, lab.get(), TYPE_Lab_DBL, intent,
                                                     cmsFLAGS_NOCACHE)))
        return false;
    if (written && !cmsIsCLUT(p, intent, LCMS_USED_AS_OUTPUT) && invertibleMatrixShaper(p))
        return true;
    if (written && !TransformPtr(cmsCreateTransformTHR(ctx, lab.get(), TYPE_Lab_DBL, p, device, intent,
                                                       cmsFLAGS_NOCACHE)))
        return false;
    return true;
}

} // namespace

cmsHPROFILE ProfileCheck::open(cmsContext context, const char* path, Problem* problem) {
    Problem local = Usable;
    Problem& why = problem ? *problem : local;
    why = Usable;
    std::string bytes;
    int error = 0;
    switch (RegularFile::readAll(path, maxProfileBytes, bytes, &error)) {
    case RegularFile::Read:
        break;
    case RegularFile::NotRegular:
        why = NotRegularFile;
        return nullptr;
    case RegularFile::TooLarge:
        why = NotAProfile;
        return nullptr;
    case RegularFile::CannotOpen:
        why = Unreadable;
        errno = error;
        return nullptr;
    }
    if (bytes.size() < headerBytes || std::memcmp(bytes.data() + 36, "acsp", 4) != 0) {
        why = NotAProfile;
        return nullptr;
    }
    // lcms silently drops tags that lie past the end of a short file and
    // opens what is left, so a truncated profile would look readable.
    const std::uint32_t declared = bigEndian(bytes, 0);
    if (declared < headerBytes) {
        why = NotAProfile;
        return nullptr;
    }
    if (declared > bytes.size()) {
        why = Truncated;
        return nullptr;
    }
    cmsHPROFILE p = context ? cmsOpenProfileFromMemTHR(context, bytes.data(), declared) : nullptr;
    if (p == nullptr) {
        why = NotAProfile;
        return nullptr;
    }
    if (!whitePointSound(p)) {
        cmsCloseProfile(p);
        why = DamagedWhitePoint;
        return nullptr;
    }
    return p;
}

ProfileCheck ProfileCheck::check(const char* path, ProfileRole role) {
    ProfileCheck result;
    lcms::ContextPtr context = lcms::quietContext();
    errno = 0;
    ProfilePtr profile(open(context.get(), path, &result.problem));
    if (!profile) {
        result.error = result.problem == Unreadable ? errno : 0;
        return result;
    }
    cmsHPROFILE p = profile.get();
    result.profileClass = static_cast<icProfileClassSignature>(headerClass(p));
    result.space = static_cast<icColorSpaceSignature>(headerSpace(p));
    result.problem = fits(context.get(), p, role);
    return result;
}

ProfileCheck::Problem ProfileCheck::fits(cmsContext context, cmsHPROFILE p, ProfileRole role) {
    const cmsUInt32Number pcs = headerPCS(p);
    if (!classAllowed(role, headerClass(p)))
        return WrongClass;
    if (!spaceAllowed(role, headerSpace(p)) || (pcs != cmsSigXYZData && pcs != cmsSigLabData))
        return WrongSpace;
    if (!transformsBuild(context, p, role))
        return NoTransform;
    return Usable;
}

std::string ProfileCheck::describe() const {
    switch (problem) {
    case Usable:
        return "usable";
    case NotRegularFile:
        return "not a regular file";
    case Unreadable:
        return std::string("cannot be read: ") + std::strerror(error);
    case NotAProfile:
        return "not an ICC profile";
    case Truncated:
        return "the profile is truncated (shorter than its header says)";
    case WrongClass:
        return "a profile of the wrong class for this use";
    case WrongSpace:
        return "a profile of the wrong colour space for this use";
    case NoTransform:
        return "the profile lacks the tables this use needs, or they are damaged";
    case DamagedWhitePoint:
        return "the profile's media white point is damaged";
    }
    return {};
}
