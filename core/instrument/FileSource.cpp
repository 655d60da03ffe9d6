#include "FileSource.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

QString text(const char* source) {
    return QCoreApplication::translate("SpectroBuddy", source);
}

} // namespace

QString FileSource::loadedText() const {
    QString s = text("%1: %2 readings").arg(name).arg(measurements.readings().size());
    if (measurements.problem() == MeasurementFile::Damaged)
        s += text(" (damaged at row %1; the rows before it were read)").arg(measurements.damagedRow());
    return s;
}

QString FileSource::status(const Target&) const {
    if (!said.isEmpty())
        return said;
    if (measurements.readings().empty())
        return text("Load a measurement file: CGATS or ArgyllCMS .ti3 with Lab or XYZ readings");
    return loadedText();
}

void FileSource::say(const QString& s) {
    said = s;
    emit statusChanged();
}

bool FileSource::load(const QString& path, const ChartSession* chart) {
    const QFileInfo info(path);
    directory = info.absolutePath();
    MeasurementFile loaded;
    if (!loaded.load(QFile::encodeName(path).toStdString())) {
        const QString file = info.fileName();
        switch (loaded.problem()) {
        case MeasurementFile::TooLarge:
            say(text("%1 is too large for a measurement file").arg(file));
            break;
        case MeasurementFile::NotMeasurement:
            say(text("%1 is not a measurement file with Lab or XYZ readings").arg(file));
            break;
        case MeasurementFile::NoReadings:
        case MeasurementFile::Damaged:
            say(text("%1 holds no readable readings").arg(file));
            break;
        default:
            say(text("%1 cannot be read").arg(file));
            break;
        }
        return false;
    }
    measurements = std::move(loaded);
    name = info.fileName();
    nextRow = 0;
    first = chart ? chart->current() : 0;
    follow(chart);
    say(loadedText());
    return true;
}

void FileSource::follow(const ChartSession* chart) {
    byName = chart != nullptr && chart->namedIn(measurements);
}

ChartSession::FileResult FileSource::applyTo(ChartSession& chart) {
    const ChartSession::FileResult done = chart.apply(measurements);
    QString s = text("%1: %2 readings").arg(name).arg(measurements.readings().size());
    // A file by name may fill patches past one it has no row for; a range
    // would then claim the gaps too.
    const bool inOneRun = done.applied == done.stoppedAt - std::min(done.stoppedAt, done.first);
    if (done.applied > 0 && inOneRun)
        s += text("; patches %1 to %2 read from the file").arg(done.first + 1).arg(done.first + done.applied);
    else if (done.applied > 0)
        s += text("; %1 patches read from the file by name").arg(done.applied);
    if (done.stoppedAt < chart.size())
        s += text("; the file has no reading for patch %1").arg(done.stoppedAt + 1);
    if (measurements.problem() == MeasurementFile::Damaged)
        s += text(" (damaged at row %1; the rows before it were read)").arg(measurements.damagedRow());
    say(s);
    return done;
}

int FileSource::rowFor(const Target& target) const {
    return ChartSession::rowFor(measurements, *target.chart, target.patch, byName, first);
}

bool FileSource::canRead(const Target& target) const {
    return target.charted() ? rowFor(target) >= 0 : nextRow < measurements.readings().size();
}

void FileSource::read(const Target& target) {
    if (measurements.readings().empty())
        return;
    if (target.charted()) {
        const int row = rowFor(target);
        if (row < 0) {
            say(text("%1 has no reading for patch %2").arg(name).arg(target.patch + 1));
            return;
        }
        const MeasurementReading& r = measurements.readings()[std::size_t(row)];
        emit reading(r.L, r.a, r.b);
        return;
    }
    if (nextRow >= measurements.readings().size()) {
        say(text("Every reading of %1 has been taken; load it again to start over").arg(name));
        return;
    }
    const MeasurementReading& r = measurements.readings()[nextRow++];
    QString s = text("%1: reading %2 of %3").arg(name).arg(nextRow).arg(measurements.readings().size());
    if (!r.name.empty())
        s += QLatin1String(" (") + QString::fromStdString(r.name) + ')';
    say(s);
    emit reading(r.L, r.a, r.b);
}
