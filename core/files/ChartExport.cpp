#include "ChartExport.h"

#include "PdfChart.h"
#include "PostScriptChart.h"
#include "PostScriptPages.h"
#include "SafeTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string errnoText(int error, const char* otherwise) {
    return error != 0 ? std::string(std::strerror(error)) : std::string(otherwise);
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Writes through the whole-or-nothing file; the reason when it fails.
template <class Body> std::string writeWhole(const std::string& target, Body body) {
    errno = 0;
    KvFile* f = Kv_fopen(target.c_str(), "w");
    if (f == nullptr)
        return errnoText(errno, "the file could not be created");
    errno = 0;
    body(f);
    // A write that failed says why at once; a failure found on closing says
    // it then.
    const int writeError = errno;
    errno = 0;
    if (Kv_fclose(f) != 0)
        return errnoText(errno != 0 ? errno : writeError, "the file could not be written");
    return {};
}

} // namespace

ChartExport::Format ChartExport::formatFor(const std::string& path) {
    if (path.size() < 4)
        return PostScript;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail)
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == ".pdf" ? Pdf : PostScript;
}

std::string ChartExport::targetProblem(const char* path) {
    if (path == nullptr || *path == '\0')
        return "no file name given";
    struct stat st {};
    if (::stat(path, &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return std::strerror(EISDIR);
        if (!S_ISREG(st.st_mode))
            return "not a regular file";
        return ::access(path, W_OK) == 0 ? std::string() : std::strerror(errno);
    }
    if (errno != ENOENT)
        return std::strerror(errno);
    const std::string dir = directoryOf(path);
    return ::access(dir.c_str(), W_OK | X_OK) == 0 ? std::string() : std::strerror(errno);
}

std::string ChartExport::write(const CHARTPATCH* patches, const char* path, Format format,
                               const PageLayout& layout, const ChartHeading& heading) {
    std::string why = layout.problem();
    if (!why.empty())
        return why;
    why = targetProblem(path);
    const std::string target = why.empty() ? SafeTarget::resolve(path) : std::string();
    if (!why.empty() || target.empty())
        return why.empty() ? "not a file that can be replaced" : why;
    if (format == Pdf) {
        const std::vector<unsigned char> bytes = PdfChart::render(patches, layout, heading, why);
        if (bytes.empty())
            return why.empty() ? "the PDF library gave no document" : why;
        return writeWhole(target, [&](KvFile* f) { Kv_fwrite(bytes.data(), bytes.size(), 1, f); });
    }
    if (layout.fit)
        return writeWhole(target,
                          [&](KvFile* f) { PostScriptChart::writePage(f, patches, heading.created); });
    return writeWhole(target, [&](KvFile* f) { PostScriptPages::write(f, patches, layout, heading); });
}
