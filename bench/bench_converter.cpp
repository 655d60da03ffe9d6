// What one user edit and one refresh cost, end to end through the widgets:
// sRGB in, the Ghostscript CMYK profile out, sRGB as the monitor, at both
// accuracies; then the same with the other Ghostscript CMYK profile as the
// input, the heavier case (CMYK to CMYK through two tables).
// Run by hand: build/bench/bench_converter [edits] [refreshes]
#include "KvRegistry.h"
#include "Tintry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSpinBox>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* const inProfile = "/usr/share/color/icc/sRGB.icc";
const char* const cmykInProfile = "/usr/share/color/icc/ghostscript/ps_cmyk.icc";
const char* const outProfile = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const char* const monitorProfile = "/usr/share/color/icc/sRGB.icc";

double medianMicros(std::vector<qint64>& nanos) {
    std::sort(nanos.begin(), nanos.end());
    return nanos[nanos.size() / 2] / 1000.0;
}

void run(const char* input, int accuracy, int edits, int refreshes) {
    KvRegistry store;
    store.putstring("tintry", "inICC", input);
    store.putstring("tintry", "outICC", outProfile);
    store.putstring("tintry", "monitorICC", monitorProfile);
    store.putlong("tintry", "accuracy", accuracy);
    Tintry t(&store);
    if (!t.cmsInOut.transform || !t.cmsInMonitor.transform || !t.cmsInLab.transform) {
        std::fprintf(stderr, "could not build the transforms\n");
        std::exit(1);
    }

    std::vector<qint64> editTimes;
    QElapsedTimer timer;
    const int startConversions = t.conversions();
    for (int i = 0; i < edits; ++i) {
        // Every value differs from the last, so every edit converts.
        const int v = (i * 37 + 1) % 256;
        QSpinBox* spin = input == cmykInProfile ? t.c_spin : t.r_spin;
        const int value = v % (spin->maximum() + 1);
        if (value == spin->value())
            continue;
        timer.start();
        spin->setValue(value);
        editTimes.push_back(timer.nsecsElapsed());
    }
    const int converted = t.conversions() - startConversions;

    std::vector<qint64> refreshTimes;
    for (int i = 0; i < refreshes; ++i) {
        timer.start();
        t.refresh();
        refreshTimes.push_back(timer.nsecsElapsed());
    }

    std::printf("%s in, accuracy %d (%s): spin edit median %.1f us over %zu edits (%d conversions); "
                "refresh median %.1f us over %d refreshes\n",
                QFileInfo(input).fileName().toLocal8Bit().constData(), accuracy, accuracy ? "Best" : "Normal",
                medianMicros(editTimes), editTimes.size(), converted, medianMicros(refreshTimes), refreshes);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const char* p : {inProfile, cmykInProfile, outProfile, monitorProfile}) {
        if (!QFileInfo::exists(p)) {
            std::fprintf(stderr, "missing profile %s\n", p);
            return 1;
        }
    }
    const int edits = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int refreshes = argc > 2 ? std::atoi(argv[2]) : 100;
    for (const char* input : {inProfile, cmykInProfile}) {
        run(input, 0, edits, refreshes);
        run(input, 1, edits, refreshes);
    }
    return 0;
}
