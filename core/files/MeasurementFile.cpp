#include "MeasurementFile.h"

#include "CgatsTable.h"
#include "LabRange.h"
#include "RegularFile.h"

#include <lcms2.h>

#include <cmath>

namespace {

std::string trimmed(const std::string& s) {
    const auto begin = s.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    const auto end = s.find_last_not_of(" \t\r\n");
    return s.substr(begin, end - begin + 1);
}

} // namespace

void MeasurementFile::clear() {
    rows.clear();
    firstByName.clear();
    why = NoProblem;
    damagedAt = 0;
    xyz = false;
    detailText.clear();
}

bool MeasurementFile::load(const std::string& path) {
    clear();
    // A device or a pipe could hand over bytes without end, and a FIFO would
    // block the open itself.
    std::string bytes;
    switch (RegularFile::readAll(path.c_str(), maximumFileSize, bytes)) {
    case RegularFile::Read:
        break;
    case RegularFile::TooLarge:
        why = TooLarge;
        return false;
    default:
        why = CannotOpen;
        return false;
    }
    if (bytes.empty()) {
        why = CannotOpen;
        return false;
    }
    return parse(bytes.data(), bytes.size());
}

bool MeasurementFile::parse(const void* data, std::size_t size) {
    clear();
    if (data == nullptr || size == 0) {
        why = NotMeasurement;
        return false;
    }
    if (size > maximumFileSize) {
        why = TooLarge;
        return false;
    }
    CgatsTable table;
    if (!table.load(data, size, detailText)) {
        why = NotMeasurement;
        return false;
    }
    auto column = [&table](const char* name) { return table.column(name); };
    const int lab[3] = {column("LAB_L"), column("LAB_A"), column("LAB_B")};
    const int xyzColumns[3] = {column("XYZ_X"), column("XYZ_Y"), column("XYZ_Z")};
    const bool hasLab = lab[0] >= 0 && lab[1] >= 0 && lab[2] >= 0;
    xyz = !hasLab && xyzColumns[0] >= 0 && xyzColumns[1] >= 0 && xyzColumns[2] >= 0;
    if (!hasLab && !xyz) {
        why = NotMeasurement;
        detailText = "the table has neither LAB_L, LAB_A, LAB_B nor XYZ_X, XYZ_Y, XYZ_Z";
        return false;
    }
    const int* source = hasLab ? lab : xyzColumns;
    int nameColumn = column("SAMPLE_NAME");
    if (nameColumn < 0)
        nameColumn = column("SAMPLE_ID");

    // NUMBER_OF_SETS may promise more rows than the file holds, or absurdly
    // many: a missing value ends the readings.
    const int count = table.declaredRows(maximumReadings);
    for (int row = 0; row < count; ++row) {
        double v[3];
        bool ok = true;
        for (int i = 0; i < 3 && ok; ++i)
            ok = table.number(row, source[i], v[i], detailText);
        MeasurementReading r;
        if (ok && xyz) {
            const cmsCIEXYZ in{v[0] / 100.0, v[1] / 100.0, v[2] / 100.0};
            cmsCIELab out{};
            cmsXYZ2Lab(cmsD50_XYZ(), &out, &in);
            v[0] = out.L;
            v[1] = out.a;
            v[2] = out.b;
        }
        if (ok && !LabRange::holds(v))
            detailText = "row " + std::to_string(row + 1) + ": not a plausible colour";
        if (!ok || !LabRange::holds(v)) {
            why = Damaged;
            damagedAt = row + 1;
            break;
        }
        table.text(row, nameColumn, r.name);
        r.L = v[0];
        r.a = v[1];
        r.b = v[2];
        if (!r.name.empty())
            firstByName.emplace(r.name, int(rows.size()));
        rows.push_back(std::move(r));
    }
    if (rows.empty()) {
        if (why == NoProblem || damagedAt == 1)
            why = NoReadings;
        if (detailText.empty())
            detailText = "the table holds no readings";
        return false;
    }
    return true;
}

int MeasurementFile::find(const std::string& name) const {
    const std::string wanted = trimmed(name);
    if (wanted.empty())
        return -1;
    const auto it = firstByName.find(wanted);
    return it == firstByName.end() ? -1 : it->second;
}
