// Kept colours: the list lives only in history_combo, as a swatch plus the
// input values in text, followed by the "Clear all" entry.
#include "Tintry.h"

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>

#include <cstdio>

namespace {

constexpr int swatchSize = 16;

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(swatchSize, swatchSize);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

void Tintry::keepColour() {
    // With no transform there is no colour to keep; the keep button is disabled
    // then, but an instrument reading in add mode still arrives here.
    if (!cmsInOut.transform)
        return;

    if (history_combo->count() == 0) {
        history_combo->setEnabled(true);
        history_combo->addItem(swatch(Qt::white), tr("Clear all"));
    }

    // With an RGB input the RGB values are kept even for a Lab entry: they
    // restore the same colour. With a CMYK input a Lab entry is kept as Lab,
    // because many inks give the same Lab and the Lab is what was asked for.
    QString text;
    if (cmsInOut.sourceSpace == icSigRgbData)
        text = QString("%1 %2 %3").arg(r_spin->value()).arg(g_spin->value()).arg(b_spin->value());
    else if (cmsInOut.sourceSpace == icSigCmykData && labInput)
        text = QString("%1 %2 %3")
                   .arg(labin_l_spin->value())
                   .arg(labin_a_spin->value())
                   .arg(labin_b_spin->value());
    else if (cmsInOut.sourceSpace == icSigCmykData)
        text = QString("%1 %2 %3 %4")
                   .arg(c_spin->value())
                   .arg(m_spin->value())
                   .arg(y_spin->value())
                   .arg(k_spin->value());

    const QColor preview = pv_label->palette().color(pv_label->backgroundRole());
    history_combo->insertItem(history_combo->count() - 1, swatch(preview), tr(text.toLatin1().constData()));
    history_combo->setCurrentIndex(history_combo->count() - 2);
}

// Values are put back one spin box at a time, each through its normal
// conversion, so the display ends exactly as if the user had typed them.
void Tintry::doHistory(int index) {
    if (index == history_combo->count() - 1) {
        history_combo->clear();
        history_combo->setDisabled(true);
        return;
    }
    const QString text = history_combo->itemText(index);
    if (text.isNull())
        return;
    const QByteArray bytes = text.toLatin1();
    int v[4];
    if (cmsInOut.sourceSpace == icSigCmykData) {
        if (std::sscanf(bytes.constData(), "%d %d %d %d", &v[0], &v[1], &v[2], &v[3]) == 4) {
            c_spin->setValue(v[0]);
            m_spin->setValue(v[1]);
            y_spin->setValue(v[2]);
            k_spin->setValue(v[3]);
        } else if (std::sscanf(bytes.constData(), "%d %d %d", &v[0], &v[1], &v[2]) == 3) {
            labin_l_spin->setValue(v[0]);
            labin_a_spin->setValue(v[1]);
            labin_b_spin->setValue(v[2]);
        }
    } else if (cmsInOut.sourceSpace == icSigRgbData) {
        if (std::sscanf(bytes.constData(), "%d %d %d", &v[0], &v[1], &v[2]) == 3) {
            r_spin->setValue(v[0]);
            g_spin->setValue(v[1]);
            b_spin->setValue(v[2]);
        }
    }
}
