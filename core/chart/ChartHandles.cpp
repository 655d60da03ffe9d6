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

bool ChartHandles::openForGrid(const char* profilePath, const char* previewProfile) {
    icProfileClassSignature profileClass = icSigNoClass;
    icColorSpaceSignature space = icSigNoSpace;
    if (!KvCmsIcc::getICCprofileClass(profilePath, &profileClass, &space))
        return false;
    if (profileClass != icSigInputClass && profileClass != icSigDisplayClass &&
        profileClass != icSigOutputClass)
        return false;
    if (space != icSigRgbData && space != icSigCmykData)
        return false;
    return open(space, profilePath, previewProfile);
}

bool ChartHandles::openForSwatches(const char* profilePath, const char* previewProfile) {
    icProfileClassSignature profileClass = icSigNoClass;
    icColorSpaceSignature space = icSigNoSpace;
    if (!KvCmsIcc::getICCprofileClass(profilePath, &profileClass, &space))
        return false;
    if (profileClass != icSigOutputClass || space != icSigCmykData)
        return false;
    return open(space, profilePath, previewProfile);
}

bool ChartHandles::open(icColorSpaceSignature space, const char* profilePath, const char* previewProfile) {
    profile = KvCMSInit(space, space, profilePath, profilePath, 1, 0, 0);
    if (profile == nullptr)
        return false;
    if (previewProfile != nullptr && *previewProfile != '\0') {
        preview = KvCMSInit(icSigLabData, icSigRgbData, nullptr, previewProfile, 1, 0, 0);
        if (preview == nullptr) {
            KvCMSDestroy(profile);
            profile = nullptr;
            return false;
        }
    }
    return true;
}
