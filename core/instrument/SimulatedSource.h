// A simulated instrument: each reading is the target (the chart's current
// patch, else the typed Lab) moved by a set CIEDE2000 error, the same
// sequence on every run.
#pragma once

#include "ReadingSource.h"
#include "SimulatedInstrument.h"

class SimulatedSource : public ReadingSource {
    Q_OBJECT

public:
    using ReadingSource::ReadingSource;

    Kind kind() const override { return Simulated; }
    QString status(const Target& target) const override;
    bool canRead(const Target&) const override { return true; }
    void read(const Target& target) override;

    double error() const { return deltaE; }
    void setError(double e);

private:
    SimulatedInstrument instrument;
    double deltaE = PanelSettings::defaultSimulatedError;
};
