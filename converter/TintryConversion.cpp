// Keeping the three views of one colour (input values, Lab input, output
// values with Lab and preview) consistent, and the refresh after any change
// of profile, intent or accuracy.
//
// Every conversion writes into spin boxes whose valueChanged leads back into
// these slots; `updating` makes those nested calls return at once, so one
// edit converts exactly once. An engine call that fails leaves the widgets it
// would have written as they were.
#include "Tintry.h"

#include "KvFileInfo.h"
#include "SpectroBuddy.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>

namespace {

QString fileNameOf(const QString& path) {
    return QString::fromStdString(KvFileInfo::filenameFromPath(path.toStdString()));
}

} // namespace

void Tintry::rgbChanged(int) {
    if (updating || !cmsInOut.transform || cmsInOut.sourceSpace != icSigRgbData)
        return;
    updating = true;
    const unsigned long r = r_spin->value();
    const unsigned long g = g_spin->value();
    const unsigned long b = b_spin->value();

    if (cmsInOut.destinationSpace == icSigCmykData) {
        unsigned long c, m, y, k;
        if (cmsInOut.rgb2cmyk(r, g, b, &c, &m, &y, &k)) {
            c_label->setNum(int(c));
            m_label->setNum(int(m));
            y_label->setNum(int(y));
            k_label->setNum(int(k));
        }
    } else {
        unsigned long R, G, B;
        if (cmsInOut.rgb2rgb(r, g, b, &R, &G, &B)) {
            r_label->setNum(int(R));
            g_label->setNum(int(G));
            b_label->setNum(int(B));
        }
    }
    // cmsInLab may have failed on its own while cmsInOut was built; then the
    // engine refuses and the Lab input keeps its values.
    double L, a, bb;
    if (cmsInLab.rgb2lab(r, g, b, &L, &a, &bb)) {
        labin_l_spin->setValue(roundHalfUp(L));
        labin_a_spin->setValue(roundHalfUp(a));
        labin_b_spin->setValue(roundHalfUp(bb));
    }
    updateLabOutput();
    updatePreview();
    labInput = false;
    updating = false;
    ++conversionCount;
}

void Tintry::cmykChanged(int) {
    if (updating || !cmsInOut.transform || !cmsInLab.transform || cmsInOut.sourceSpace != icSigCmykData)
        return;
    updating = true;
    const unsigned long c = c_spin->value();
    const unsigned long m = m_spin->value();
    const unsigned long y = y_spin->value();
    const unsigned long k = k_spin->value();

    if (cmsInOut.destinationSpace == icSigCmykData) {
        unsigned long C, M, Y, K;
        if (cmsInOut.cmyk2cmyk(c, m, y, k, &C, &M, &Y, &K)) {
            c_label->setNum(int(C));
            m_label->setNum(int(M));
            y_label->setNum(int(Y));
            k_label->setNum(int(K));
        }
    } else {
        unsigned long r, g, b;
        if (cmsInOut.cmyk2rgb(c, m, y, k, &r, &g, &b)) {
            r_label->setNum(int(r));
            g_label->setNum(int(g));
            b_label->setNum(int(b));
        }
    }
    double L, a, b;
    if (cmsInLab.cmyk2lab(c, m, y, k, &L, &a, &b)) {
        labin_l_spin->setValue(roundHalfUp(L));
        labin_a_spin->setValue(roundHalfUp(a));
        labin_b_spin->setValue(roundHalfUp(b));
    }
    updateLabOutput();
    updatePreview();
    labInput = false;
    updating = false;
    ++conversionCount;
}

void Tintry::labChanged(int) {
    if (updating || !cmsInOut.transform || !cmsInLab.transform)
        return;
    updating = true;
    // The Lab input is a D50 measurement; each transform first turns it into
    // the Lab its own lab2rgb/lab2cmyk take.
    const double L = labin_l_spin->value();
    const double a = labin_a_spin->value();
    const double b = labin_b_spin->value();

    double iL, ia, ib;
    if (cmsInOut.sourceSpace == icSigCmykData) {
        unsigned long c, m, y, k;
        if (cmsInLab.D50lab2rlab(L, a, b, &iL, &ia, &ib) && cmsInLab.lab2cmyk(iL, ia, ib, &c, &m, &y, &k)) {
            c_spin->setValue(int(c));
            m_spin->setValue(int(m));
            y_spin->setValue(int(y));
            k_spin->setValue(int(k));
        }
    } else if (cmsInOut.sourceSpace == icSigRgbData) {
        unsigned long r, g, bb;
        if (cmsInLab.D50lab2rlab(L, a, b, &iL, &ia, &ib) && cmsInLab.lab2rgb(iL, ia, ib, &r, &g, &bb)) {
            r_spin->setValue(int(r));
            g_spin->setValue(int(g));
            b_spin->setValue(int(bb));
        }
    }

    // From the Lab spins, not from the input values just set, so the output
    // does not carry the input profile's round trip.
    double oL, oa, ob;
    if (cmsInOut.destinationSpace == icSigCmykData) {
        unsigned long c, m, y, k;
        if (cmsInOut.D50lab2rlab(L, a, b, &oL, &oa, &ob) && cmsInOut.lab2cmyk(oL, oa, ob, &c, &m, &y, &k)) {
            c_label->setNum(int(c));
            m_label->setNum(int(m));
            y_label->setNum(int(y));
            k_label->setNum(int(k));
        }
    } else {
        unsigned long r, g, bb;
        if (cmsInOut.D50lab2rlab(L, a, b, &oL, &oa, &ob) && cmsInOut.lab2rgb(oL, oa, ob, &r, &g, &bb)) {
            r_label->setNum(int(r));
            g_label->setNum(int(g));
            b_label->setNum(int(bb));
        }
    }
    updateLabOutput();
    updatePreview();
    labInput = true;
    updating = false;
    ++conversionCount;
}

void Tintry::updateLabOutput() {
    if (!cmsInOut.transform)
        return;
    double L, a, b;
    bool ok = false;
    if (cmsInOut.sourceSpace == icSigCmykData)
        ok =
            cmsInOut.cmyk2lab(c_spin->value(), m_spin->value(), y_spin->value(), k_spin->value(), &L, &a, &b);
    else if (cmsInOut.sourceSpace == icSigRgbData)
        ok = cmsInOut.rgb2lab(r_spin->value(), g_spin->value(), b_spin->value(), &L, &a, &b);
    if (!ok)
        return;
    lab_l_label->setNum(roundHalfUp(L));
    lab_a_label->setNum(roundHalfUp(a));
    lab_b_label->setNum(roundHalfUp(b));
}

void Tintry::updatePreview() {
    if (!cmsInMonitor.transform)
        return;
    // cmsInMonitor is built from the same input profile as cmsInOut, so they
    // share the source space.
    unsigned long r, g, b;
    bool ok = false;
    if (cmsInOut.sourceSpace == icSigCmykData)
        ok = cmsInMonitor.cmyk2rgb(c_spin->value(), m_spin->value(), y_spin->value(), k_spin->value(), &r, &g,
                                   &b);
    else if (cmsInOut.sourceSpace == icSigRgbData)
        ok = cmsInMonitor.rgb2rgb(r_spin->value(), g_spin->value(), b_spin->value(), &r, &g, &b);
    if (!ok)
        return;
    QColor colour;
    colour.setRgb(int(r), int(g), int(b));
    setPreviewColour(colour);
}

void Tintry::setPreviewColour(const QColor& colour) {
    QPalette pal = pv_label->palette();
    pal.setColor(pv_label->backgroundRole(), colour);
    pv_label->setPalette(pal);
}

void Tintry::processLab(double L, double a, double b) {
    updating = true;
    labin_l_spin->setValue(roundHalfUp(L));
    labin_a_spin->setValue(roundHalfUp(a));
    labin_b_spin->setValue(roundHalfUp(b));
    updating = false;
    labChanged(0);
    if (spectro && spectro->isAddMode())
        keepColour();
}

void Tintry::refresh() {
    setupTransforms();

    // Kept colours are values of the old input space; they mean nothing in a new one.
    if (inputSpace != cmsInOut.sourceSpace) {
        history_combo->clear();
        history_combo->setDisabled(true);
    }

    output_icc_label->setText(fileNameOf(outICC));
    input_icc_label->setText(fileNameOf(inICC));
    monitor_icc_label->setText(fileNameOf(monitorICC));

    input_stack->setCurrentIndex(cmsInOut.sourceSpace == icSigCmykData ? 1 : 0);
    output_stack->setCurrentIndex(cmsInOut.destinationSpace == icSigCmykData ? 1 : 0);

    const bool open = cmsInOut.transform != nullptr;
    input_stack->setDisabled(!open);
    keep_button->setDisabled(!open);
    if (!open)
        setPreviewColour(Qt::white);
    if (open && !cmsInMonitor.transform) {
        setPreviewColour(Qt::white);
        pv_label->setText(tr("Please pick a monitor profile<br>to see a preview of the colours"));
    } else {
        pv_label->setText(QString());
    }

    inputSpace = cmsInOut.sourceSpace;

    // Recompute from the side the colour was last entered on, so a Lab colour
    // keeps its Lab value and a device colour its device values.
    if (labInput) {
        labChanged(0);
    } else {
        rgbChanged(0);
        cmykChanged(0);
    }
    saveSettings(registry);
}

void Tintry::clearallselections() {
    monitorICC = QString();
    inICC = QString();
    outICC = QString();
    refresh();
}
