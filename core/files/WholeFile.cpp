#include "WholeFile.h"

#include "Kvlib.h"
#include "SafeTarget.h"

#include <cerrno>
#include <cstring>

bool WholeFile::write(const std::string& path, const std::string& body, std::string* why) {
    const std::string target = SafeTarget::resolve(path.c_str());
    if (target.empty()) {
        *why = "not a regular file that can be written";
        return false;
    }
    errno = 0;
    KvFile* f = Kv_fopen(target.c_str(), "w");
    if (f == nullptr) {
        *why = std::strerror(errno ? errno : EACCES);
        return false;
    }
    Kv_fwrite(body.data(), body.size(), 1, f);
    errno = 0;
    if (Kv_fclose(f) != 0) {
        *why = std::strerror(errno ? errno : EIO);
        return false;
    }
    return true;
}
