// Readings from a measurement file measured elsewhere (MeasurementFile). For
// a chart, loading the file reads every patch at once: rows go to the
// patches of the same name when the file names any patch of the chart, else
// in chart order from the patch that was current when the file was loaded.
// For free readings, each Read takes the file's next row; the source keeps
// that cursor.
#pragma once

#include "ChartSession.h"
#include "MeasurementFile.h"
#include "ReadingSource.h"

class FileSource : public ReadingSource {
    Q_OBJECT

public:
    using ReadingSource::ReadingSource;

    Kind kind() const override { return File; }
    QString status(const Target& target) const override;
    bool canRead(const Target& target) const override;
    void read(const Target& target) override;
    bool takesTypedLab(bool) const override { return false; }
    bool loadsFiles() const override { return true; }

    // Replaces the file held only when `path` gives readings; either way the
    // status says what happened. `chart` (or null) is the chart the rows go to.
    bool load(const QString& path, const ChartSession* chart);
    // Every reading of the file into `chart`, from its current patch on.
    ChartSession::FileResult applyTo(ChartSession& chart);
    // The chart the rows go to from now on: rows match it by name or not.
    void follow(const ChartSession* chart);
    // Forgets what the last reading said; the status is the file's again.
    void rest() { said.clear(); }

    const MeasurementFile& file() const { return measurements; }
    QString folder() const { return directory; }
    void setFolder(const QString& dir) { directory = dir; }

private:
    int rowFor(const Target& target) const;
    QString loadedText() const;
    void say(const QString& text);

    MeasurementFile measurements;
    QString name;
    QString directory;
    QString said;
    std::size_t nextRow = 0;
    bool byName = false;   // the file names patches of the chart
    std::size_t first = 0; // the patch an unnamed file was loaded at
};
