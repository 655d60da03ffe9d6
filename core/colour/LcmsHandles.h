// One owner for every LittleCMS handle: a context, a profile, a transform, an
// IT8 (CGATS) table, a pipeline. No raw handle outlives the object holding it.
// Also the profile header's signatures, read as plain numbers.
#pragma once

#include <lcms2.h>

#include <memory>
#include <type_traits>

namespace lcms {

struct ContextDeleter {
    void operator()(cmsContext c) const { cmsDeleteContext(c); }
};
struct ProfileDeleter {
    void operator()(cmsHPROFILE p) const { cmsCloseProfile(p); }
};
struct TransformDeleter {
    void operator()(cmsHTRANSFORM t) const { cmsDeleteTransform(t); }
};
struct IT8Deleter {
    void operator()(cmsHANDLE h) const { cmsIT8Free(h); }
};
struct PipelineDeleter {
    void operator()(cmsPipeline* p) const { cmsPipelineFree(p); }
};

using ContextPtr = std::unique_ptr<std::remove_pointer_t<cmsContext>, ContextDeleter>;
using ProfilePtr = std::unique_ptr<void, ProfileDeleter>;
using TransformPtr = std::unique_ptr<void, TransformDeleter>;
using IT8Ptr = std::unique_ptr<void, IT8Deleter>;
using PipelinePtr = std::unique_ptr<cmsPipeline, PipelineDeleter>;

// A context whose complaints go nowhere: damaged files are expected where
// this is used, and every failure is reported by the caller's own result.
inline void ignoreErrors(cmsContext, cmsUInt32Number, const char*) {}
inline ContextPtr quietContext() {
    ContextPtr context(cmsCreateContext(nullptr, nullptr));
    if (context)
        cmsSetLogErrorHandlerTHR(context.get(), ignoreErrors);
    return context;
}

// A damaged header may hold any value in its class and space fields, and a
// value outside LittleCMS's enumerations must not be kept in those enum types.
// Compare these against the cmsSig... constants.
inline cmsUInt32Number headerClass(cmsHPROFILE p) {
    return cmsUInt32Number(cmsGetDeviceClass(p));
}
inline cmsUInt32Number headerSpace(cmsHPROFILE p) {
    return cmsUInt32Number(cmsGetColorSpace(p));
}
inline cmsUInt32Number headerPCS(cmsHPROFILE p) {
    return cmsUInt32Number(cmsGetPCS(p));
}

} // namespace lcms
