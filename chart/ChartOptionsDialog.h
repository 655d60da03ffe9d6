// The chart window's dialog for how charts from a profile are built: control
// patches, ink limit, grid levels and shuffle. The choice is remembered in the
// settings store and used by every later chart from a profile; with all of it
// off the chart is the plain one.
#pragma once

#include "ChartOptions.h"

#include <QDialog>

class KvRegistry;
class QCheckBox;
class QSpinBox;

class ChartOptionsDialog : public QDialog {
    Q_OBJECT

public:
    explicit ChartOptionsDialog(QWidget* parent = nullptr);

    void setOptions(const ChartOptions& options);
    ChartOptions options() const;

    // The remembered options; anything out of range counts as off.
    static ChartOptions load(KvRegistry* registry);
    static void save(KvRegistry* registry, const ChartOptions& options);
    // Shows the dialog with the remembered options and remembers what the
    // user accepts; false when cancelled.
    static bool ask(QWidget* parent, KvRegistry* registry);

private:
    QCheckBox* controls = nullptr;
    QCheckBox* inkLimitOn = nullptr;
    QSpinBox* inkLimit = nullptr;
    QSpinBox* levels = nullptr;
    QCheckBox* shuffleOn = nullptr;
    QSpinBox* seed = nullptr;
};
