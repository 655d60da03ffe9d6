#include "ChartHandles.h"

#include "KvCmsIcc.h"

#include <cstdint>
#include <cstring>

ChartHandles::~ChartHandles() {
    KvCMSDestroy(profile);
    KvCMSDestroy(preview);
}

icColorSpaceSignature ChartHandles::spaceOf(KvCMSHandle handle) {
    std::uint32_t space = 0;
    std::memcpy(&space, handle, sizeof space);
    return static_cast<icColorSpaceSignature>(space);
}

namespace {

Status unusable(const char* profilePath) {
    return Status::failed(profilePath ? profilePath : "", "the colour engine cannot use this profile");
}

} // namespace

Status ChartHandles::openForGrid(const char* profilePath, const char* previewProfile) {
    icProfileClassSignature profileClass = icSigNoClass;
    icColorSpaceSignature space = icSigNoSpace;
    if (!KvCmsIcc::getICCprofileClass(profilePath, &profileClass, &space))
        return unusable(profilePath);
    if (profileClass != icSigInputClass && profileClass != icSigDisplayClass &&
        profileClass != icSigOutputClass)
        return unusable(profilePath);
    if (space != icSigRgbData && space != icSigCmykData)
        return unusable(profilePath);
    return open(space, profilePath, previewProfile);
}

Status ChartHandles::openForSwatches(const char* profilePath, const char* previewProfile) {
    icProfileClassSignature profileClass = icSigNoClass;
    icColorSpaceSignature space = icSigNoSpace;
    if (!KvCmsIcc::getICCprofileClass(profilePath, &profileClass, &space) ||
        profileClass != icSigOutputClass || space != icSigCmykData)
        return Status::failed(profilePath ? profilePath : "",
                              "not a CMYK output profile the colour engine can use");
    return open(space, profilePath, previewProfile);
}

Status ChartHandles::open(icColorSpaceSignature space, const char* profilePath, const char* previewProfile) {
    profile = KvCMSInit(space, space, profilePath, profilePath, 1, 0, 0);
    if (profile == nullptr)
        return unusable(profilePath);
    if (previewProfile != nullptr && *previewProfile != '\0') {
        preview = KvCMSInit(icSigLabData, icSigRgbData, nullptr, previewProfile, 1, 0, 0);
        if (preview == nullptr) {
            KvCMSDestroy(profile);
            profile = nullptr;
            return Status::failed(previewProfile, "not usable as a monitor profile");
        }
    }
    return {};
}
