#include "ColourcheckPatch.h"

#include <QPainter>
#include <QPalette>

namespace {

QString numbers(const double* v, int count, int decimals) {
    QString s;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            s += QLatin1String(", ");
        s += QString::number(v[i], 'f', decimals);
    }
    return s;
}

} // namespace

ColourcheckPatch::ColourcheckPatch(QWidget* parent, const ChartSession* session, std::size_t index)
    : QWidget(parent), chart(session), position(index) {
    setAutoFillBackground(true);
    updateInfo();
}

ColourcheckPatch::~ColourcheckPatch() = default;

const double* ColourcheckPatch::labMeasured() const {
    return measured() ? chart->reading(position).lab : patch().labD50;
}

void ColourcheckPatch::updateInfo() {
    const CHARTPATCH& p = patch();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(p.rgb[0], p.rgb[1], p.rgb[2]));
    setPalette(pal);

    // Percentages in the order people read inks, although black is stored first.
    const double inks[4] = {chartPatchInk(p, 0), chartPatchInk(p, 1), chartPatchInk(p, 2),
                            chartPatchInk(p, 3)};
    // The labels are padded so that the '=' signs line up in the tooltip. A
    // patch without a reading says so rather than showing a perfect 0.
    QString tip = QLatin1String("Name             = ") + QString::fromStdString(chart->name(position)) + '\n';
    tip += QLatin1String("C, M, Y, K       = ") + numbers(inks, 4, 2) + '\n';
    tip += QLatin1String("L, a, b relative = ") + numbers(p.labRelative, 3, 3) + '\n';
    tip += QLatin1String("L, a, b D50      = ") + numbers(p.labD50, 3, 3) + '\n';
    if (measured()) {
        const double dE = deltaE();
        tip += QLatin1String("L, a, b Measured = ") + numbers(labMeasured(), 3, 3) + '\n';
        tip += QLatin1String("DeltaE           = ") + numbers(&dE, 1, 3) + '\n';
    } else {
        tip += QLatin1String("Not measured\n");
    }
    setToolTip(tip);
    update();
}

void ColourcheckPatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor fill = palette().color(QPalette::Window);
    painter.fillRect(0, 0, width(), height(), fill);
    if (selected()) {
        // Half of the wide pen falls outside: a band of about 4 pixels shows.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 8));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, width(), height());
    }
    if (!measured())
        return;
    if (deltaE() >= missLimit) {
        painter.setPen(QPen(Qt::red, 0));
        painter.drawLine(0, 0, width() - 1, height() - 1);
        painter.drawLine(width() - 1, 0, 0, height() - 1);
        return;
    }
    // A reading within the limit: a small dot in the corner, black or white,
    // whichever stands out from the patch.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill.lightness() > 128 ? Qt::black : Qt::white);
    const int d = std::max(4, width() / 6);
    painter.drawEllipse(width() - d - 3, height() - d - 3, d, d);
}
