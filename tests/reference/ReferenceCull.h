// The rough cull written as plainly as it can be: a list walk that asks the
// engine for the CIE94 difference of every pair it meets. Too slow for the
// chart window (seconds per chart); kept as the yardstick that RoughCull must
// match patch for patch, in the tests and the benchmark.
#pragma once

#include "ChartPatch.h"

#include <cstdio>
#include <functional>

class ReferenceCull {
public:
    // Told of every removal, in order, just before the record is released.
    std::function<void(const CHARTPATCH&)> removed;

    // As RoughCull: the first `keep` patches are never removed.
    void cullToCount(CHARTPATCH** patches, unsigned long count, std::FILE* out, unsigned long keep = 0);
    void pass(CHARTPATCH** patches, double tolerance, bool& reverse, unsigned long count, std::FILE* out,
              unsigned long keep = 0);

private:
    void drop(CHARTPATCH** patches, CHARTPATCH* p);
};
