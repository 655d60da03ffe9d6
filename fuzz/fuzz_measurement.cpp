// Instrument-reading files, in memory and through a file, with the names
// looked up the way the chart matches them to its patches.
#include "FuzzFiles.h"
#include "MeasurementFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MeasurementFile file;
    const bool any = file.parse(data, size);
    if (any != !file.readings().empty())
        std::abort();
    for (const MeasurementReading& r : file.readings()) {
        if (!std::isfinite(r.L) || !std::isfinite(r.a) || !std::isfinite(r.b))
            std::abort();
        if (!r.name.empty() && file.find(r.name) < 0)
            std::abort();
    }

    const QByteArray path = QFile::encodeName(fuzzFile("readings.ti3", data, size));
    MeasurementFile fromDisk;
    if (fromDisk.load(path.toStdString()) != any)
        std::abort();
    return 0;
}
