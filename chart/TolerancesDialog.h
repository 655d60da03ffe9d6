// The chart window's dialog for the tolerances a measured chart is judged
// against: the largest, the mean and the 95th percentile CIEDE2000 (each
// passed by a value under it; 0 leaves it unchecked). Remembered in the
// settings, section "colourcheck"; the default is every patch under 3.0.
#pragma once

#include "ChartVerdict.h"

#include <QDialog>

class KvRegistry;
class QDoubleSpinBox;

class TolerancesDialog : public QDialog {
    Q_OBJECT

public:
    explicit TolerancesDialog(QWidget* parent = nullptr);

    void setTolerances(const ChartTolerances& t);
    ChartTolerances tolerances() const;

    // The remembered tolerances; a value missing or out of range keeps its default.
    static ChartTolerances load(KvRegistry* registry);
    static void save(KvRegistry* registry, const ChartTolerances& t);
    // Shows the remembered tolerances and remembers what the user accepts;
    // false when cancelled.
    static bool ask(QWidget* parent, KvRegistry* registry);

private:
    QDoubleSpinBox* maximum = nullptr;
    QDoubleSpinBox* mean = nullptr;
    QDoubleSpinBox* p95 = nullptr;
};
