// Time to draw a gamut: sampling the profile's surface and its outline
// (what the window needs before it can paint), the volume figure, and a
// whole fromICC with the painted fill. Median of repeated runs.
#include "KvGamutModel.h"
#include "KvGamutView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const char* path :
         {"/usr/share/color/icc/sRGB.icc", "/usr/share/color/icc/ghostscript/default_cmyk.icc"}) {
        const double outline = medianMs(15, [&] {
            KvGamutModel m;
            m.load(QString::fromLatin1(path));
        });
        double volumeValue = 0;
        const double volume = medianMs(5, [&] {
            KvGamutModel m;
            m.load(QString::fromLatin1(path));
            volumeValue = m.volume();
        });
        const double whole = medianMs(5, [&] {
            KvGamutView v;
            v.fromICC(path, "");
        });
        std::printf("%-55s sampling+outline %7.1f ms   +volume %7.1f ms (%.0f)   fromICC %7.1f ms\n", path,
                    outline, volume, volumeValue, whole);
    }
    return 0;
}
