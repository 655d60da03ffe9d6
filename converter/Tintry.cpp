// Construction, wiring and settings of the converter, and the two choices
// (rendering intent, accuracy) that live in the transform objects.
#include "Tintry.h"

#include "KvRegistry.h"
#include "SpectroBuddy.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>

#include <array>
#include <string>

namespace {

const std::string settingsSection = "tintry";
const std::string keyInICC = "inICC";
const std::string keyOutICC = "outICC";
const std::string keyMonitorICC = "monitorICC";
const std::string keyLastdirIcc = "lastdir_icc";
const std::string keyLastdirFile = "lastdir_file";
const std::string keyIntent = "intent";
const std::string keyAccuracy = "accuracy";
const std::string keyInstrument = "instrument";
const std::string keyKept = "kept";

// The combo lists the two colorimetric intents together, so its order is not
// the numeric order of the intents: index 2 is absolute (3), index 3 is
// saturation (2). The mapping is its own inverse.
constexpr std::array<icRenderingIntent, 4> intentOfIndex = {icPerceptual, icRelativeColorimetric,
                                                            icAbsoluteColorimetric, icSaturation};

int indexOfIntent(long intent) {
    for (int i = 0; i < int(intentOfIndex.size()); ++i)
        if (long(intentOfIndex[i]) == intent)
            return i;
    return -1;
}

} // namespace

Tintry::Tintry(KvRegistry* store, QWidget* parent, const char* /*name*/, Qt::WindowFlags /*f*/)
    : Tintry_UI(parent, nullptr, {}), inputSpace(icSigCmykData), updating(false), labInput(false),
      spectro(nullptr), registry(store) {
    setupWidgets();
    setupShortcuts();
    setupDesktop();
    loadSettings(registry);
    refresh();
    // Only now is the input space known that the kept colours belong to.
    restoreKeptColours(storedKept);
    storedKept.clear();
}

Tintry::~Tintry() {
    delete spectro;
    spectro = nullptr;
}

void Tintry::setupWidgets() {
    instrument_tick->hide();

    rendering_combo->clear();
    rendering_combo->addItem(tr("Perceptual"));
    rendering_combo->addItem(tr("Relative Colourimetric"));
    rendering_combo->addItem(tr("Absolute Colourimetric"));
    rendering_combo->addItem(tr("Saturation"));
    connect(rendering_combo, &QComboBox::activated, this, &Tintry::intentChanged);

    accuracy_combo->clear();
    accuracy_combo->addItem(tr("Normal"));
    accuracy_combo->addItem(tr("Best"));
    connect(accuracy_combo, &QComboBox::activated, this, &Tintry::accuracyChanged);

    connect(history_combo, &QComboBox::activated, this, &Tintry::doHistory);
    history_combo->setDisabled(true);

    connect(input_icc_button, &QPushButton::clicked, this, &Tintry::getICCin);
    connect(output_icc_button, &QPushButton::clicked, this, &Tintry::getICCout);
    connect(monitor_icc_button, &QPushButton::clicked, this, &Tintry::getICCmonitor);

    // Only the spin boxes reach the converter; a slider gets there through the
    // spin box it is linked to, so one move converts once.
    for (QSpinBox* s : {c_spin, m_spin, y_spin, k_spin})
        connect(s, &QSpinBox::valueChanged, this, &Tintry::cmykChanged);
    for (QSpinBox* s : {r_spin, g_spin, b_spin})
        connect(s, &QSpinBox::valueChanged, this, &Tintry::rgbChanged);
    for (QSpinBox* s : {labin_l_spin, labin_a_spin, labin_b_spin})
        connect(s, &QSpinBox::valueChanged, this, &Tintry::labChanged);

    connect(keep_button, &QPushButton::clicked, this, &Tintry::keepColour);

    spectro = new SpectroBuddy(spectro_group, true);
    connect(spectro, &SpectroBuddy::spotLab, this, &Tintry::processLab);
}

void Tintry::loadSettings(KvRegistry* store) {
    if (!store)
        return;
    inICC = QString::fromStdString(store->getstring(settingsSection, keyInICC));
    outICC = QString::fromStdString(store->getstring(settingsSection, keyOutICC));
    monitorICC = QString::fromStdString(store->getstring(settingsSection, keyMonitorICC));
    lastdir_icc = QString::fromStdString(store->getstring(settingsSection, keyLastdirIcc));
    lastdir_file = QString::fromStdString(store->getstring(settingsSection, keyLastdirFile));
    storedKept = QString::fromStdString(store->getstring(settingsSection, keyKept));

    // A stored intent the combo cannot show would be used while the combo says
    // "Perceptual", and the engine refuses most such values, which would fail
    // every refresh. It is treated like a bad accuracy: back to the default.
    long intent = store->getlong(settingsSection, keyIntent);
    const int intentIndex = indexOfIntent(intent);
    if (intentIndex < 0)
        intent = icPerceptual;
    rendering_combo->setCurrentIndex(intentIndex < 0 ? 0 : intentIndex);
    setIntent(icRenderingIntent(intent));

    long accuracy = store->getlong(settingsSection, keyAccuracy);
    if (accuracy != ICC_ACCURACY_NORMAL && accuracy != ICC_ACCURACY_BEST)
        accuracy = ICC_ACCURACY_NORMAL;
    accuracy_combo->setCurrentIndex(int(accuracy));
    setAccuracy(ICCACCURACY(accuracy));

    if (spectro) {
        spectro->loadRegistry(*store, settingsSection, keyInstrument);
        spectro->saveChangesTo(store, settingsSection, keyInstrument);
    }
    refresh();
}

void Tintry::saveSettings(KvRegistry* store) {
    if (!store)
        return;
    store->putstring(settingsSection, keyInICC, inICC.toStdString());
    store->putstring(settingsSection, keyOutICC, outICC.toStdString());
    store->putstring(settingsSection, keyMonitorICC, monitorICC.toStdString());
    store->putstring(settingsSection, keyLastdirIcc, lastdir_icc.toStdString());
    store->putstring(settingsSection, keyLastdirFile, lastdir_file.toStdString());
    store->putlong(settingsSection, keyIntent, long(cmsInOut.renderingIntent));
    store->putlong(settingsSection, keyAccuracy, long(cmsInOut.accuracy));
    // Until the stored list is restored, the empty combo must not overwrite it.
    if (storedKept.isEmpty())
        store->putstring(settingsSection, keyKept, keptColoursText().toStdString());
    if (spectro)
        spectro->saveRegistry(*store, settingsSection, keyInstrument);
}

// The intent and accuracy are held by the transform objects and survive their
// close and create, so they are set on all three even while none is built.
void Tintry::setIntent(icRenderingIntent intent) {
    cmsInOut.setrenderingIntent(intent);
    cmsInLab.setrenderingIntent(intent);
    cmsInMonitor.setrenderingIntent(intent);
}

void Tintry::setAccuracy(ICCACCURACY accuracy) {
    cmsInOut.setinterpolationAccuracy(accuracy);
    cmsInLab.setinterpolationAccuracy(accuracy);
    cmsInMonitor.setinterpolationAccuracy(accuracy);
}

void Tintry::intentChanged(int index) {
    const bool known = index >= 0 && index < int(intentOfIndex.size());
    setIntent(known ? intentOfIndex[index] : cmsInOut.renderingIntent);
    refresh();
}

void Tintry::accuracyChanged(int index) {
    const bool known = index == ICC_ACCURACY_NORMAL || index == ICC_ACCURACY_BEST;
    setAccuracy(known ? ICCACCURACY(index) : cmsInOut.accuracy);
    refresh();
}

// The gamut view and the two chart launchers come with the gamut viewer and
// the chart window.
