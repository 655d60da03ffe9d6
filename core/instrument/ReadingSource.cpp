#include "ReadingSource.h"

#include "ChartSession.h"

bool ReadingSource::Target::charted() const {
    return chart != nullptr && !chart->empty();
}

const double* ReadingSource::Target::lab() const {
    return chart != nullptr && patch < chart->size() ? chart->patch(patch).labD50 : typed;
}

QString ReadingSource::labText(double L, double a, double b) {
    return QStringLiteral("L %1, a %2, b %3").arg(L, 0, 'f', 2).arg(a, 0, 'f', 2).arg(b, 0, 'f', 2);
}
