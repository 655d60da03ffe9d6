// A file of instrument readings measured elsewhere: CGATS (IT8.7/4, ISO 12642,
// ArgyllCMS .ti3) with LAB_L, LAB_A, LAB_B or, failing those, XYZ_X, XYZ_Y,
// XYZ_Z (on the 0..100 scale that CGATS and ArgyllCMS use), turned into D50
// Lab. Each reading is named by SAMPLE_NAME or, failing that, SAMPLE_ID.
//
// Readers of outside files must survive anything: the file is bounded in
// size, a value that is missing or not a finite, plausible number ends the
// readings there (those before it are kept and the damage is reported), and
// nothing is read past the bytes given.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

struct MeasurementReading {
    std::string name; // SAMPLE_NAME, else SAMPLE_ID, else empty
    double L = 0, a = 0, b = 0;
};

class MeasurementFile {
public:
    enum Problem {
        NoProblem = 0,
        CannotOpen,     // missing, unreadable, empty, or not a regular file
        TooLarge,       // larger than maximumFileSize
        NotMeasurement, // not CGATS, or without Lab or XYZ columns
        NoReadings,     // a table with no usable row
        Damaged,        // rows read until a damaged one; damagedRow tells which
    };

    static constexpr std::size_t maximumFileSize = 64u << 20;
    static constexpr int maximumReadings = 1000000;

    // Replaces what was read before. True when at least one reading was read
    // (a Damaged file is still true: its first rows are good).
    bool load(const std::string& path);
    bool parse(const void* data, std::size_t size);
    void clear();

    const std::vector<MeasurementReading>& readings() const { return rows; }
    Problem problem() const { return why; }
    int damagedRow() const { return damagedAt; } // counted from 1; 0 when none
    bool fromXYZ() const { return xyz; }
    // What was wrong, for the user: "row 12: LAB_L is not a plain number".
    const std::string& detail() const { return detailText; }

    // The first reading with this name (surrounding blanks ignored), or -1.
    int find(const std::string& name) const;

private:
    std::vector<MeasurementReading> rows;
    std::unordered_map<std::string, int> firstByName;
    Problem why = NoProblem;
    int damagedAt = 0;
    bool xyz = false;
    std::string detailText;
};
