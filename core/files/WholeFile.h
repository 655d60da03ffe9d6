// The one way a file of the program is written: whole or not at all. The
// bytes go to a temporary file beside the target (Kv_fopen), which takes the
// target's place only once every byte is on disk, with the old file's mode;
// on any failure the old file, if any, is untouched.
//
// checkTarget() is the one test of where a file may go, asked before any
// work: a new file in a folder that can be written, or an existing regular
// file that can be written (a link is followed to the file it names). A
// folder, a device or a FIFO is never a target: a rename would replace the
// directory entry instead of writing through it.
#pragma once

#include "Outcome.h"

#include <functional>
#include <string>
#include <string_view>

struct KvFile;

class WholeFile {
public:
    // Success, or the path with the system's reason ("Is a directory",
    // "Permission denied", "not a regular file", "No such file or directory").
    static Status checkTarget(const std::string& path);
    static Status write(const std::string& path, std::string_view bytes);
    // The same for a body written piece by piece (Kv_fprintf formats numbers
    // in the C locale, whatever the user's).
    static Status write(const std::string& path, const std::function<void(KvFile*)>& body);
};
