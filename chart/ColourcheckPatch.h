// One patch of a chart on screen: a square in the patch's preview colour,
// framed while it is the chart's current patch, crossed out in red once a
// reading misses the profile's prediction by 3.0 or more, and carrying all
// its numbers in its tooltip.
#pragma once

#include "ChartPatch.h"

#include <QString>
#include <QWidget>

class ColourcheckPatch : public QWidget {
    Q_OBJECT

public:
    // A reading this far or further from the target counts as a miss.
    static constexpr double missLimit = 3.0;

    explicit ColourcheckPatch(QWidget* parent);
    ~ColourcheckPatch() override;

    // Takes a copy: later changes to the chart's list do not reach the widget.
    // `index` is the patch's position in the chart, for its position name.
    void setPatch(const CHARTPATCH* p, unsigned long index = 0);
    void setMeasured(double L, double a, double b);
    void updateInfo();

    CHARTPATCH patch{};
    unsigned long index = 0;
    double labMeasured[3] = {0, 0, 0};
    double deltaE = 0.0;
    bool selected = false; // set by the chart, which repaints on a change

protected:
    void paintEvent(QPaintEvent* event) override;
};
