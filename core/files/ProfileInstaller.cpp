#include "ProfileInstaller.h"

#include "KvFileInfo.h"
#include "LcmsHandles.h"
#include "ProfileFolders.h"
#include "RegularFile.h"
#include "WholeFile.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr std::size_t largestProfile = 64u << 20;
constexpr int mostNames = 99;

std::string systemReason(int error) {
    return std::strerror(error ? error : EIO);
}

// NAME.icc, NAME-2.icc, NAME-3.icc...
std::string candidate(const std::string& stem, const std::string& suffix, int n) {
    return n == 1 ? stem + suffix : stem + "-" + std::to_string(n) + suffix;
}

// An empty file of the usual mode (mkstemp's is the owner's alone) under a
// hidden name in `folder`; empty on failure.
std::string hiddenFile(const std::string& folder, const std::string& stem, int* error) {
    std::string path = folder + "/." + stem + ".XXXXXX";
    const int fd = ::mkstemp(path.data());
    if (fd < 0) {
        *error = errno;
        return {};
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    return path;
}

} // namespace

Result<ProfileInstaller::Installed> ProfileInstaller::install(const std::string& profilePath) {
    return install(profilePath, QFile::encodeName(ProfileFolders::userFolder()).toStdString());
}

Result<ProfileInstaller::Installed> ProfileInstaller::install(const std::string& profilePath,
                                                              const std::string& folder) {
    std::string bytes;
    int error = 0;
    if (RegularFile::readAll(profilePath.c_str(), largestProfile, bytes, &error) != RegularFile::Read)
        return Failure{profilePath, error ? systemReason(error) : "not a regular file of a profile's size"};
    lcms::ContextPtr context = lcms::quietContext();
    lcms::ProfilePtr profile(
        cmsOpenProfileFromMemTHR(context.get(), bytes.data(), cmsUInt32Number(bytes.size())));
    if (!profile)
        return Failure{profilePath, "not an ICC profile"};
    if (!QDir().mkpath(QFile::decodeName(folder.c_str())))
        return Failure{folder, "the folder cannot be made"};

    std::string name = KvFileInfo::filenameFromPath(profilePath);
    std::string suffix = ".icc";
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0 &&
        ProfileFolders::looksLikeProfile(QString::fromStdString(name))) {
        suffix = name.substr(dot);
        name.resize(dot);
    }
    const std::string hidden = hiddenFile(folder, name, &error);
    if (hidden.empty())
        return Failure{folder, systemReason(error)};
    if (Status written = WholeFile::write(hidden, bytes); !written) {
        ::unlink(hidden.c_str());
        return Failure{folder, written.failure().why};
    }
    for (int n = 1; n <= mostNames; ++n) {
        const std::string target = folder + "/" + candidate(name, suffix, n);
        if (::link(hidden.c_str(), target.c_str()) == 0) {
            ::unlink(hidden.c_str());
            return Installed{target, false};
        }
        if (errno != EEXIST) {
            error = errno;
            ::unlink(hidden.c_str());
            return Failure{target, systemReason(error)};
        }
        std::string there;
        if (RegularFile::readAll(target.c_str(), largestProfile, there) == RegularFile::Read &&
            there == bytes) {
            ::unlink(hidden.c_str());
            return Installed{target, true};
        }
    }
    ::unlink(hidden.c_str());
    return Failure{folder, "every name from " + candidate(name, suffix, 1) + " to " +
                               candidate(name, suffix, mostNames) + " is taken"};
}
