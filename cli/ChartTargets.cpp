#include "ChartTargets.h"

#include "ChartCommand.h"
#include "WholeFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameFile(const char* a, const char* b) {
    struct stat x {
    }, y{};
    return a != nullptr && b != nullptr && ::stat(a, &x) == 0 && ::stat(b, &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

bool copyToStdout(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

} // namespace

std::string ChartTargets::sameFileProblem(const ChartArguments& o) {
    static const std::pair<const char*, const char*> inputs[] = {
        {"--profile", "the input profile"},
        {"--preview", "the preview profile"},
        {"--swatches", "the swatch file"},
    };
    const std::vector<const char*> outputs = ChartArguments::outputs();
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const char* path = o.get(outputs[i]);
        for (const auto& [option, what] : inputs)
            if (sameFile(path, o.get(option)))
                return std::string(path) + ": is the same file as " + what;
        for (std::size_t j = 0; j < i; ++j)
            if (sameFile(path, o.get(outputs[j])))
                return std::string(path) + ": is the same file as the " + outputs[j] + " output";
    }
    return {};
}

std::string ChartTargets::targetProblem(const char* path) {
    if (std::strcmp(path, "-") == 0)
        return {};
    const Status s = WholeFile::checkTarget(path);
    return s ? std::string() : cannotWrite(s.failure());
}

std::string ChartTargets::cannotWrite(const Failure& failure) {
    // The command line has always called a folder a folder.
    const std::string why = failure.why == std::strerror(EISDIR) ? "it is a folder" : failure.why;
    return failure.what + ": cannot write: " + why;
}

int ChartTargets::exportTo(const char* target, const Writer& write) {
    if (std::strcmp(target, "-") != 0)
        return write(target) ? 0 : ChartCommand::failure;
    QTemporaryDir dir;
    if (!dir.isValid())
        return ChartCommand::complain(ChartCommand::failure,
                                      "standard output: no temporary folder to build the export in");
    const QString path = dir.filePath("export");
    if (!write(QFile::encodeName(path).toStdString()))
        return ChartCommand::failure;
    if (!copyToStdout(path))
        return ChartCommand::complain(ChartCommand::failure,
                                      std::string("standard output: ") + std::strerror(errno));
    return 0;
}
