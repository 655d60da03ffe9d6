// The four reading sources of an instrument panel and which one is in use.
// Only the source in use delivers readings; leaving the instrument frees it
// for other programs. The settings the panel keeps (PanelSettings) are read
// from and given to the sources here.
#pragma once

#include "FileSource.h"
#include "InstrumentSource.h"
#include "ManualSource.h"
#include "PanelSettings.h"
#include "SimulatedSource.h"

class ReadingSources : public QObject {
    Q_OBJECT

public:
    // Without `manualEntry` the panel offers no typing in.
    explicit ReadingSources(bool manualEntry, QObject* parent = nullptr);

    ReadingSource& current() { return *inUse; }
    const ReadingSource& current() const { return *inUse; }
    ReadingSource::Kind kind() const { return inUse->kind(); }
    bool available(ReadingSource::Kind kind) const;
    // Chooses a source, or the first fallback when it is not available.
    void choose(ReadingSource::Kind kind);

    InstrumentSource& instrument() { return spotread; }
    const InstrumentSource& instrument() const { return spotread; }
    FileSource& file() { return measurements; }
    const FileSource& file() const { return measurements; }
    SimulatedSource& simulated() { return simulation; }
    const SimulatedSource& simulated() const { return simulation; }

    // The spotread program, its options and time-out, the simulated error
    // and the measurement folder, as the settings give them.
    void apply(const PanelSettings& settings);
    void fill(PanelSettings& settings) const;

signals:
    void reading(double L, double a, double b);
    void statusChanged();
    void chosen(ReadingSource::Kind kind);

private:
    ReadingSource& source(ReadingSource::Kind kind);

    bool manualOffered;
    ManualSource manual;
    InstrumentSource spotread;
    FileSource measurements;
    SimulatedSource simulation;
    ReadingSource* inUse;
};
