#include "KvFileInfo.h"

#include <sys/stat.h>

KvFileInfo::KvFileInfo(const std::string& p) : path(p) {}

void KvFileInfo::setFile(const std::string& p) {
    path = p;
}

bool KvFileInfo::exists() const {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

std::string KvFileInfo::dirnameFromPath(const std::string& p) {
    const auto slash = p.find_last_of('/');
    if (slash == std::string::npos)
        return std::string();
    if (slash == 0)
        return "/";
    return p.substr(0, slash);
}

std::string KvFileInfo::filenameFromPath(const std::string& p) {
    const auto slash = p.find_last_of('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}
