#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

int RegularFile::open(const char* path) {
    if (path == nullptr || *path == '\0') {
        errno = ENOENT;
        return -1;
    }
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int why = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = why;
        return -1;
    }
    // Regular files never block; clear the flag so reads behave as usual.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

RegularFile::Result RegularFile::readAll(const char* path, std::size_t maxBytes, std::string& bytes,
                                         int* error) {
    bytes.clear();
    const int fd = open(path);
    if (fd < 0) {
        if (error != nullptr)
            *error = errno;
        return errno == EINVAL || errno == EISDIR ? NotRegular : CannotOpen;
    }
    // The file may grow while it is read: read at most one byte past the
    // limit, and refuse it if that byte arrives.
    Result result = Read;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (error != nullptr)
                *error = errno;
            result = CannotOpen;
            break;
        }
        if (bytes.size() + std::size_t(n) > maxBytes) {
            if (error != nullptr)
                *error = EFBIG;
            result = TooLarge;
            break;
        }
        bytes.append(buffer, std::size_t(n));
    }
    ::close(fd);
    if (result != Read)
        bytes.clear();
    return result;
}

bool RegularFile::isRegular(const char* path) {
    struct stat st {};
    return path != nullptr && ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}
