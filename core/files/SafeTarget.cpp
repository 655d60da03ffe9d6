#include "SafeTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

std::string SafeTarget::resolve(const char* path) {
    if (path == nullptr || *path == '\0')
        return {};
    struct stat st {};
    if (::stat(path, &st) != 0)
        return errno == ENOENT ? std::string(path) : std::string();
    if (!S_ISREG(st.st_mode) || ::access(path, W_OK) != 0)
        return {};
    char* real = ::realpath(path, nullptr);
    if (real == nullptr)
        return {};
    std::string resolved(real);
    std::free(real);
    return resolved;
}
