#include "SimulatedSource.h"

#include <QCoreApplication>

QString SimulatedSource::status(const Target&) const {
    return QCoreApplication::translate(
               "SpectroBuddy",
               "Simulated instrument, no hardware: each reading is the target moved by DeltaE %1")
        .arg(deltaE, 0, 'f', 2);
}

void SimulatedSource::read(const Target& target) {
    double lab[3];
    instrument.read(target.lab(), deltaE, lab);
    emit reading(lab[0], lab[1], lab[2]);
}

void SimulatedSource::setError(double e) {
    if (e == deltaE)
        return;
    deltaE = e;
    emit statusChanged();
}
