#include "KvGamutReadings.h"

#include "ChartSession.h"
#include "MeasuredChartFile.h"
#include "MeasurementFile.h"
#include "RegularFile.h"

#include <cstring>

Result<std::vector<KvLabPoint>> KvGamutReadings::read(const std::string& path) {
    // Read once, as a regular file only (a FIFO would block), and handed to
    // both readers as bytes.
    std::string bytes;
    int error = 0;
    switch (RegularFile::readAll(path.c_str(), MeasurementFile::maximumFileSize, bytes, &error)) {
    case RegularFile::Read:
        break;
    case RegularFile::NotRegular:
        return Failure{path, "not a regular file"};
    case RegularFile::TooLarge:
        return Failure{path, "too large for a measurement file"};
    case RegularFile::CannotOpen:
        return Failure{path, std::string("cannot be read: ") + std::strerror(error)};
    }
    std::vector<KvLabPoint> lab;
    ChartSession chart;
    // A measured chart also reads as a measurement file, but would then give
    // its unmeasured patches' targets too.
    if (MeasuredChartFile::parse(bytes.data(), bytes.size(), chart)) {
        for (std::size_t i = 0; i < chart.size(); ++i)
            if (chart.measured(i)) {
                const ChartSession::Reading& r = chart.reading(i);
                lab.push_back({r.lab[0], r.lab[1], r.lab[2]});
            }
        if (lab.empty())
            return Failure{path, "the chart holds no readings yet"};
        return lab;
    }
    MeasurementFile file;
    file.parse(bytes.data(), bytes.size());
    if (file.problem() != MeasurementFile::NoProblem)
        return Failure{path, file.detail().empty() ? "not a measurement file" : file.detail()};
    for (const MeasurementReading& r : file.readings())
        lab.push_back({r.L, r.a, r.b});
    return lab;
}
