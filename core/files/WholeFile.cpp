#include "WholeFile.h"

#include "Kvlib.h"
#include "SafeTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string reason(int error, const char* otherwise) {
    return error != 0 ? std::string(std::strerror(error)) : std::string(otherwise);
}

} // namespace

Status WholeFile::checkTarget(const std::string& path) {
    if (path.empty())
        return Status::failed(path, "no file name given");
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return Status::failed(path, std::strerror(EISDIR));
        if (!S_ISREG(st.st_mode))
            return Status::failed(path, "not a regular file");
        if (::access(path.c_str(), W_OK) != 0)
            return Status::failed(path, std::strerror(errno));
        return {};
    }
    if (errno != ENOENT)
        return Status::failed(path, std::strerror(errno));
    if (::access(folderOf(path).c_str(), W_OK | X_OK) != 0)
        return Status::failed(path, std::strerror(errno));
    return {};
}

Status WholeFile::write(const std::string& path, std::string_view bytes) {
    return write(path, [bytes](KvFile* f) { Kv_fwrite(bytes.data(), bytes.size(), 1, f); });
}

Status WholeFile::write(const std::string& path, const std::function<void(KvFile*)>& body) {
    if (Status target = checkTarget(path); !target)
        return target;
    const std::string target = SafeTarget::resolve(path.c_str());
    if (target.empty())
        return Status::failed(path, "not a regular file that can be written");
    errno = 0;
    KvFile* f = Kv_fopen(target.c_str(), "w");
    if (f == nullptr)
        return Status::failed(path, reason(errno, "the file could not be created"));
    errno = 0;
    body(f);
    // A write that failed says why at once; a failure found on closing says it then.
    const int writeError = errno;
    errno = 0;
    if (Kv_fclose(f) != 0)
        return Status::failed(path, reason(errno != 0 ? errno : writeError, "the file could not be written"));
    return {};
}
