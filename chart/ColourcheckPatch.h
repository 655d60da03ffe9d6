// One patch of a chart on screen: a square in the patch's preview colour,
// framed while it is the chart's current patch, crossed out in red once a
// reading misses the profile's prediction by 3.0 or more, marked with a dot
// once it has a reading within that, and carrying all its numbers in its
// tooltip. Everything it shows comes from the chart session; the chart window
// tells it when to look again.
#pragma once

#include "ChartSession.h"

#include <QString>
#include <QWidget>

#include <cstddef>

class ColourcheckPatch : public QWidget {
    Q_OBJECT

public:
    static constexpr double missLimit = ChartSession::missLimit;

    ColourcheckPatch(QWidget* parent, const ChartSession* session, std::size_t index);
    ~ColourcheckPatch() override;

    // Takes the patch's colour and tooltip from the session again.
    void updateInfo();

    const CHARTPATCH& patch() const { return chart->patch(position); }
    std::size_t index() const { return position; }
    bool selected() const { return chart->current() == position; }
    bool measured() const { return chart->measured(position); }
    // The measured Lab, or the target while there is no reading.
    const double* labMeasured() const;
    // CIEDE2000 of the reading against the target; 0 while there is no reading.
    double deltaE() const { return chart->reading(position).deltaE; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ChartSession* chart;
    std::size_t position;
};
