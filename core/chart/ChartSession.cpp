#include "ChartSession.h"

#include "KvCMS.h"
#include "MeasurementFile.h"

#include <algorithm>

namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

} // namespace

ChartSession::ChartSession(QObject* parent) : QObject(parent) {}

ChartSession::~ChartSession() {
    FreeList(&list);
}

void ChartSession::reset(CHARTPATCH* patches) {
    if (patches != list)
        FreeList(&list);
    list = patches;
    index.clear();
    for (CHARTPATCH* p = list; p != nullptr; p = KvNext(p))
        index.push_back(p);
    readings.assign(index.size(), Reading{});
    measuredPatches = 0;
    cursor = 0;
    emit chartReset();
}

long ChartSession::find(const std::string& wanted) const {
    const std::string key = trimmed(wanted);
    if (key.empty())
        return -1;
    for (std::size_t i = 0; i < index.size(); ++i)
        if (trimmed(name(i)) == key)
            return long(i);
    return -1;
}

void ChartSession::setCurrent(std::size_t i) {
    i = std::min(i, index.size());
    if (i == cursor)
        return;
    cursor = i;
    emit currentChanged(cursor);
}

void ChartSession::store(std::size_t i, double L, double a, double b) {
    Reading& r = readings[i];
    if (!r.valid)
        ++measuredPatches;
    r.valid = true;
    r.lab[0] = L;
    r.lab[1] = a;
    r.lab[2] = b;
    r.deltaE = KvCMS_ColourDiff_DeltaE(r.lab, index[i]->labD50);
    emit readingChanged(i);
}

bool ChartSession::record(double L, double a, double b) {
    if (cursor >= index.size()) {
        // A reading past the end is dropped, but still counted, as the chart
        // window has always done.
        ++cursor;
        emit currentChanged(cursor);
        return false;
    }
    store(cursor, L, a, b);
    setCurrent(cursor + 1);
    return true;
}

void ChartSession::recordAt(std::size_t i, double L, double a, double b) {
    if (i < index.size())
        store(i, L, a, b);
}

void ChartSession::forget(std::size_t i) {
    if (i >= index.size() || !readings[i].valid)
        return;
    readings[i] = Reading{};
    --measuredPatches;
    emit readingChanged(i);
}

bool ChartSession::namedIn(const MeasurementFile& file) const {
    for (std::size_t i = 0; i < index.size(); ++i)
        if (file.find(name(i)) >= 0)
            return true;
    return false;
}

int ChartSession::rowFor(const MeasurementFile& file, const ChartSession& chart, std::size_t i, bool byName,
                         std::size_t first) {
    if (i >= chart.size())
        return -1;
    if (byName)
        return file.find(chart.name(i));
    // A file without the chart's names is taken in order from the patch it
    // was loaded at, so a partial file measured from patch 20 lands there.
    const std::size_t row = i - std::min(i, first);
    return i >= first && row < file.readings().size() ? int(row) : -1;
}

ChartSession::FileResult ChartSession::apply(const MeasurementFile& file) {
    FileResult result;
    result.first = cursor;
    result.byName = namedIn(file);
    if (result.byName) {
        // Rows go to the patches they name, from the current patch on; a patch
        // the file has no row for is passed over, not the end of the file.
        result.stoppedAt = index.size();
        for (std::size_t i = cursor; i < index.size(); ++i) {
            const int row = file.find(name(i));
            if (row < 0) {
                result.stoppedAt = std::min(result.stoppedAt, i);
                continue;
            }
            const MeasurementReading& r = file.readings()[std::size_t(row)];
            store(i, r.L, r.a, r.b);
            ++result.applied;
        }
        setCurrent(result.stoppedAt);
        return result;
    }
    std::size_t i = cursor;
    for (int row; i < index.size() && (row = rowFor(file, *this, i, result.byName, result.first)) >= 0; ++i) {
        const MeasurementReading& r = file.readings()[std::size_t(row)];
        store(i, r.L, r.a, r.b);
        ++result.applied;
    }
    result.stoppedAt = i;
    setCurrent(i);
    return result;
}
