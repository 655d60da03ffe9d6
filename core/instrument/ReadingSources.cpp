#include "ReadingSources.h"

#include <QProcess>

ReadingSources::ReadingSources(bool manualEntry, QObject* parent)
    : QObject(parent), manualOffered(manualEntry),
      inUse(manualEntry ? static_cast<ReadingSource*>(&manual) : static_cast<ReadingSource*>(&spotread)) {
    for (ReadingSource* s :
         std::initializer_list<ReadingSource*>{&manual, &spotread, &measurements, &simulation}) {
        connect(s, &ReadingSource::reading, this, [this, s](double L, double a, double b) {
            if (s == inUse)
                emit reading(L, a, b);
        });
        connect(s, &ReadingSource::statusChanged, this, [this, s] {
            if (s == inUse)
                emit statusChanged();
        });
    }
}

ReadingSource& ReadingSources::source(ReadingSource::Kind kind) {
    switch (kind) {
    case ReadingSource::Spotread:
        return spotread;
    case ReadingSource::File:
        return measurements;
    case ReadingSource::Simulated:
        return simulation;
    case ReadingSource::Manual:
        break;
    }
    return manual;
}

bool ReadingSources::available(ReadingSource::Kind kind) const {
    if (kind == ReadingSource::Manual)
        return manualOffered;
    return const_cast<ReadingSources*>(this)->source(kind).available();
}

void ReadingSources::choose(ReadingSource::Kind kind) {
    if (!available(kind))
        kind = manualOffered ? ReadingSource::Manual : ReadingSource::Simulated;
    ReadingSource* next = &source(kind);
    // Leaving the instrument frees it for other programs.
    if (next != inUse)
        inUse->cancel();
    inUse = next;
    measurements.rest();
    emit chosen(kind);
}

void ReadingSources::apply(const PanelSettings& s) {
    spotread.spotread().setProgram(s.program);
    spotread.spotread().setArguments(QProcess::splitCommand(s.options));
    spotread.spotread().setTimeout(s.timeoutSeconds * 1000);
    simulation.setError(s.simulatedError);
    measurements.setFolder(s.fileDir);
}

void ReadingSources::fill(PanelSettings& s) const {
    s.source = kind();
    s.program = spotread.spotread().program();
    s.simulatedError = simulation.error();
    s.fileDir = measurements.folder();
}
