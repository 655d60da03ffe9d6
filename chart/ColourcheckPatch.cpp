#include "ColourcheckPatch.h"

#include "KvCMS.h"

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

ColourcheckPatch::ColourcheckPatch(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

ColourcheckPatch::~ColourcheckPatch() = default;

void ColourcheckPatch::setPatch(const CHARTPATCH* p, unsigned long position) {
    patch = *p;
    index = position;
    // The copy must not look linked to anyone's list.
    patch.link = KvListLink{};
    for (int i = 0; i < 3; ++i)
        labMeasured[i] = patch.labD50[i];
    deltaE = 0.0;
    updateInfo();
}

void ColourcheckPatch::setMeasured(double L, double a, double b) {
    labMeasured[0] = L;
    labMeasured[1] = a;
    labMeasured[2] = b;
    deltaE = KvCMS_ColourDiff_DeltaE(labMeasured, patch.labD50);
    updateInfo();
}

void ColourcheckPatch::updateInfo() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(patch.rgb[0], patch.rgb[1], patch.rgb[2]));
    setPalette(pal);

    // Percentages in the order people read inks, although black is stored first.
    const double inks[4] = {patch.cmyk[INK_C] / 2.55, patch.cmyk[INK_M] / 2.55, patch.cmyk[INK_Y] / 2.55,
                            patch.cmyk[INK_K] / 2.55};
    // The labels are padded so that the '=' signs line up in the tooltip.
    QString tip;
    tip += QLatin1String("Name             = ") + QString::fromStdString(chartPatchName(patch, index)) + '\n';
    tip += QLatin1String("C, M, Y, K       = ") + numbers(inks, 4, 2) + '\n';
    tip += QLatin1String("L, a, b relative = ") + numbers(patch.labRelative, 3, 3) + '\n';
    tip += QLatin1String("L, a, b D50      = ") + numbers(patch.labD50, 3, 3) + '\n';
    tip += QLatin1String("L, a, b Measured = ") + numbers(labMeasured, 3, 3) + '\n';
    tip += QLatin1String("DeltaE           = ") + numbers(&deltaE, 1, 3) + '\n';
    setToolTip(tip);
}

void ColourcheckPatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(0, 0, width(), height(), palette().color(QPalette::Window));
    if (selected) {
        // Half of the wide pen falls outside: a band of about 4 pixels shows.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 8));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, width(), height());
    }
    if (deltaE >= missLimit) {
        painter.setPen(QPen(Qt::red, 0));
        painter.drawLine(0, 0, width() - 1, height() - 1);
        painter.drawLine(width() - 1, 0, 0, height() - 1);
    }
}
