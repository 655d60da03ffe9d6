// Writes a text file whole or not at all (through Kv_fopen), to a target that
// SafeTarget accepts, and says why when it cannot.
#pragma once

#include <string>

class WholeFile {
public:
    // False with `why` (the system's reason, e.g. "Permission denied") on failure;
    // the old file, if any, is then untouched.
    static bool write(const std::string& path, const std::string& body, std::string* why);
};
