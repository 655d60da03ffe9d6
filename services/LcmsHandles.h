// One owner for every LittleCMS handle: a context, a profile, a transform, an
// IT8 (CGATS) table, a pipeline. No raw handle outlives the object holding it.
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

} // namespace lcms
