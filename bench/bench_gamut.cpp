// The gamut beside ArgyllCMS's iccgamut, in one run: for each profile, the
// time to check, sample and measure the volume (median of repeated runs, on
// this thread, without the window's fill), the volume, and the peak memory;
// what a window waits for; then the same for `iccgamut -v -ir` run as a child
// process, when installed.
//
// Peak memory: each measurement runs once in a fresh child (this program run
// again with --peak), which resets its high-water mark through
// /proc/self/clear_refs, notes its resident size, measures, and reports how
// far the high-water mark rose above that: the memory the measurement itself
// made resident, without the libraries already loaded. For iccgamut the
// child's whole peak (getrusage ru_maxrss) is given, libraries included, so
// its figure is an upper bound.
#include "ChildRun.h"
#include "KvGamutJob.h"
#include "KvGamutModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const iccgamut = "/usr/bin/iccgamut";

double measure(const QString& path) {
    KvGamutModel m;
    return m.load(path) ? m.volume() : -1;
}

template <class F> double medianMs(int runs, F f) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::string(field).size());
    return -1;
}

// In the child: the rise of the high-water mark over one measurement.
int peakChild(const QString& path) {
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKiB("VmRSS:");
    const double v = measure(path);
    const long peak = statusKiB("VmHWM:");
    std::printf("%ld %.0f\n", peak - before, v);
    return 0;
}

// What a window waits for: the check on the GUI thread, then the job
// (sampling, volume and fill) until its queued finished() arrives.
void window(const QString& path) {
    // The profile was measured before, so it opens.
    const double check = medianMs(9, [&] {
        KvGamutModel m;
        (void)m.open(path);
    });
    const double job = medianMs(5, [&] {
        auto m = std::make_unique<KvGamutModel>();
        (void)m->open(path);
        KvGamutJob j;
        QEventLoop loop;
        QObject::connect(&j, &KvGamutJob::finished, &loop, &QEventLoop::quit);
        j.start(std::move(m), QString());
        loop.exec();
    });
    std::printf("  window    GUI thread busy %5.1f ms, gamut arrives after %6.1f ms\n", check, job);
}

void compare(const char* self, const QString& path) {
    const ChildRun peak = ChildRun::of({self, "--peak", path.toStdString()});
    const double ours = medianMs(9, [&] { measure(path); });
    std::printf("%s\n  tintry    %7.1f ms  volume %8.0f  peak growth %6.2f MiB\n", qPrintable(path), ours,
                measure(path), peak.out.section(' ', 0, 0).toDouble() / 1024);
    window(path);
    if (access(iccgamut, X_OK) != 0) {
        std::printf("  iccgamut  not installed\n");
        return;
    }
    // iccgamut writes its .gam file beside the profile: give it a copy.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QFileInfo(path).fileName());
    if (!QFile::copy(path, copy)) {
        std::printf("  iccgamut  cannot copy the profile to %s\n", qPrintable(dir.path()));
        return;
    }
    std::vector<double> times;
    ChildRun last;
    for (int i = 0; i < 5; ++i) {
        last = ChildRun::of({iccgamut, "-v", "-ir", copy.toStdString()}, dir.path());
        times.push_back(last.ms);
    }
    std::sort(times.begin(), times.end());
    const QRegularExpressionMatch volume =
        QRegularExpression(QStringLiteral("Total volume of gamut is ([0-9.]+)")).match(last.out);
    if (!last.ok || !volume.hasMatch()) {
        std::printf("  iccgamut  failed: %s\n", qPrintable(last.out.trimmed().section('\n', -1)));
        return;
    }
    std::printf("  iccgamut  %7.1f ms  volume %8.0f  peak (whole process) %6.2f MiB\n",
                times[times.size() / 2], volume.captured(1).toDouble(), double(last.maxRssKiB) / 1024);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--peak")
        return peakChild(QString::fromLocal8Bit(argv[2]));
    const QString self = QCoreApplication::applicationFilePath();
    for (const char* path :
         {"/usr/share/color/icc/sRGB.icc", "/usr/share/color/icc/ghostscript/default_cmyk.icc",
          "/usr/share/color/icc/ghostscript/ps_cmyk.icc"})
        compare(self.toLocal8Bit().constData(), QString::fromLatin1(path));
    return 0;
}
