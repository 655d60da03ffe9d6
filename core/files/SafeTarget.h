// Where an export may put its file. Exports write a temporary file beside the
// target and rename it over the target, which is right for a regular file and
// wrong for anything else: a rename would replace a device node or a
// directory entry instead of writing through it, and would break a symbolic
// link. So only a new file or an existing, writable regular file is a target,
// and a link is followed to the file it names.
#pragma once

#include <string>

class SafeTarget {
public:
    // The path to write, or an empty string when the path cannot be a target.
    static std::string resolve(const char* path);
};
