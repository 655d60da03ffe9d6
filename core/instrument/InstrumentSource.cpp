#include "InstrumentSource.h"

#include <QCoreApplication>

InstrumentSource::InstrumentSource(QObject* parent) : ReadingSource(parent) {
    connect(&child, &SpotreadSource::reading, this, &ReadingSource::reading);
    connect(&child, &SpotreadSource::stateChanged, this, &ReadingSource::statusChanged);
}

QString InstrumentSource::status(const Target&) const {
    if (!child.isAvailable())
        return QCoreApplication::translate(
            "SpectroBuddy",
            "spotread is not installed (Debian package argyll), or the program setting is wrong");
    switch (child.state()) {
    case SpotreadSource::Idle:
        return QCoreApplication::translate(
            "SpectroBuddy", "Place the instrument on the colour and press Read; spotread starts "
                            "with the first reading");
    case SpotreadSource::Error:
        return QCoreApplication::translate("SpectroBuddy", "Error: %1").arg(child.message());
    default:
        return child.message();
    }
}

bool InstrumentSource::canRead(const Target&) const {
    return child.isAvailable() && child.state() != SpotreadSource::Reading &&
           child.state() != SpotreadSource::Starting;
}
