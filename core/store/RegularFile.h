// Reading a file whose name came from outside: a dialog, the command line,
// the settings. Only a regular file is read. A FIFO would block the open (and
// the program) until someone writes to it, a device can hand over bytes
// without end, and a directory has no bytes at all; each is refused at once.
// The file is opened without blocking and checked on the open descriptor, so
// a name swapped for a FIFO between a check and the open cannot slip past.
#pragma once

#include <cstddef>
#include <string>

class RegularFile {
public:
    enum Result { Read, NotRegular, CannotOpen, TooLarge };

    // A descriptor open for reading on a regular file, or -1 with errno set
    // (EINVAL for anything that is not a regular file). The caller closes it.
    static int open(const char* path);

    // The whole file, when it is a regular file of at most maxBytes. On
    // failure bytes is left empty and *error (when given) holds errno.
    static Result readAll(const char* path, std::size_t maxBytes, std::string& bytes, int* error = nullptr);

    // For readers that must hand a path to a library which opens it itself:
    // true when the path names a regular file now.
    static bool isRegular(const char* path);
};
