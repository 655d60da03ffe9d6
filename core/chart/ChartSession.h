// One chart being measured: its patches (inks, targets, names), the current
// patch, and each patch's reading with its CIEDE2000 error against the target.
// The chart window, its patch widgets and the instrument panel all show this
// one object and follow its signals; only it moves the current patch or
// stores a reading, so nothing has to be kept in step by hand.
#pragma once

#include "ChartPatch.h"

#include <QObject>

#include <cstddef>
#include <string>
#include <vector>

class MeasurementFile;

class ChartSession : public QObject {
    Q_OBJECT

public:
    // A reading this far or further from the target counts as a miss.
    static constexpr double missLimit = 3.0;

    struct Reading {
        bool valid = false;
        double lab[3] = {0, 0, 0}; // measured, D50
        double deltaE = 0.0;       // CIEDE2000 against the patch's D50 Lab
    };

    // What loading a measurement file into the chart did.
    struct FileResult {
        std::size_t first = 0;     // the patch the file was applied from
        std::size_t applied = 0;   // patches that received a reading
        bool byName = false;       // rows matched by name rather than in order
        std::size_t stoppedAt = 0; // the first patch from `first` on with no row; size() when none
        // In order, the file fills patches `first` to stoppedAt - 1; by name,
        // every patch from `first` on that it names, gaps passed over.
    };

    explicit ChartSession(QObject* parent = nullptr);
    ~ChartSession() override;
    ChartSession(const ChartSession&) = delete;
    ChartSession& operator=(const ChartSession&) = delete;

    // Takes ownership of `list` (freeing the chart held before): no readings,
    // the first patch current.
    void reset(CHARTPATCH* list);
    void clear() { reset(nullptr); }

    const CHARTPATCH* patches() const { return list; }
    std::size_t size() const { return index.size(); }
    bool empty() const { return index.empty(); }
    const CHARTPATCH& patch(std::size_t i) const { return *index[i]; }
    std::string name(std::size_t i) const { return chartPatchName(*index[i], static_cast<unsigned long>(i)); }
    // The patch with this name (surrounding blanks ignored), or -1.
    long find(const std::string& name) const;

    // The patch the next reading goes to; size() or more once the last one
    // is read (readings past the end are counted, not stored).
    std::size_t current() const { return cursor; }
    void setCurrent(std::size_t i);

    const Reading& reading(std::size_t i) const { return readings[i]; }
    bool measured(std::size_t i) const { return readings[i].valid; }
    bool missed(std::size_t i) const { return readings[i].valid && readings[i].deltaE >= missLimit; }
    std::size_t measuredCount() const { return measuredPatches; }

    // Stores a reading in the current patch and makes the next one current.
    // False, and nothing stored, once every patch has been passed.
    bool record(double L, double a, double b);
    // Stores a reading in patch `i` without moving the current patch.
    void recordAt(std::size_t i, double L, double a, double b);
    void forget(std::size_t i);

    // Which row of `file` belongs to patch `i`: the row of the same name when
    // `byName`, else the row at the patch's place counted from `first`.
    static int rowFor(const MeasurementFile& file, const ChartSession& chart, std::size_t i, bool byName,
                      std::size_t first);
    // Whether `file` names any patch of the chart.
    bool namedIn(const MeasurementFile& file) const;
    // Reads the file into the chart from the current patch on, until a patch
    // has no row; the patch after the last one read becomes current.
    FileResult apply(const MeasurementFile& file);

signals:
    // A new chart (or none): everything shown of the old one is stale.
    void chartReset();
    void currentChanged(std::size_t current);
    void readingChanged(std::size_t patch);

private:
    void store(std::size_t i, double L, double a, double b);

    CHARTPATCH* list = nullptr;
    std::vector<CHARTPATCH*> index;
    std::vector<Reading> readings;
    std::size_t measuredPatches = 0;
    std::size_t cursor = 0;
};
