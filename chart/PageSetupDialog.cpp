#include "PageSetupDialog.h"

#include "KvDialogs.h"
#include "KvRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>

namespace {

const char* const section = "colourcheck";
// Paper keys in the order of the combo box; "custom" takes the two sizes.
const char* const paperKeys[] = {"a4", "letter", "a3", "tabloid", "custom", "fit"};

std::string mmText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    for (char* p = text; *p; ++p)
        if (*p == ',')
            *p = '.';
    return text;
}

// A stored length, or `otherwise` when the store has none that makes sense.
double storedMm(KvRegistry* store, const char* key, double otherwise) {
    bool ok = false;
    const double value = QByteArray::fromStdString(store->getstring(section, key)).toDouble(&ok);
    return ok ? value : otherwise;
}

// The spin boxes show tenths of a millimetre, so a default in points (a
// 32-point patch is 11.29 mm) shows rounded; left as shown, it is still the
// default, and the page the same as tintry-chart's.
double points(double shownMm, double defaultPoints) {
    const double shownDefault = std::round(defaultPoints / PageLayout::pointsPerMm * 10) / 10;
    return std::fabs(shownMm - shownDefault) < 1e-9 ? defaultPoints : shownMm * PageLayout::pointsPerMm;
}

} // namespace

PageSetupDialog::PageSetupDialog(unsigned long count, QWidget* parent) : QDialog(parent), patchCount(count) {
    setObjectName("page_setup_dialog");
    setWindowTitle(tr("Chart on paper"));
    paperCombo = new QComboBox(this);
    paperCombo->setObjectName("paper_combo");
    paperCombo->addItems({tr("A4"), tr("Letter"), tr("A3"), tr("Tabloid"), tr("Custom size"),
                          tr("One page cut to the chart, no text")});
    widthSpin = millimetres("width_spin", 50, 5000, 210);
    heightSpin = millimetres("height_spin", 50, 5000, 297);
    landscapeCheck = new QCheckBox(tr("Landscape"), this);
    landscapeCheck->setObjectName("landscape_check");
    const PageLayout defaults;
    marginSpin = millimetres("margin_spin", 0, 100, defaults.margin / PageLayout::pointsPerMm);
    patchSpin =
        millimetres("patch_spin", PageLayout::minPatchMm, 200, defaults.patch / PageLayout::pointsPerMm);
    gapSpin = millimetres("gap_spin", 0, 50, defaults.gap / PageLayout::pointsPerMm);
    summaryLabel = new QLabel(this);
    summaryLabel->setObjectName("summary_label");
    summaryLabel->setWordWrap(true);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(tr("Paper"), paperCombo);
    form->addRow(tr("Width (mm)"), widthSpin);
    form->addRow(tr("Height (mm)"), heightSpin);
    form->addRow(QString(), landscapeCheck);
    form->addRow(tr("Margins (mm)"), marginSpin);
    form->addRow(tr("Patch size (mm)"), patchSpin);
    form->addRow(tr("Gap between patches (mm)"), gapSpin);
    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addWidget(summaryLabel);
    box->addWidget(buttons);
    connect(paperCombo, &QComboBox::currentIndexChanged, this, &PageSetupDialog::refresh);
    connect(landscapeCheck, &QCheckBox::toggled, this, &PageSetupDialog::refresh);
    refresh();
}

QDoubleSpinBox* PageSetupDialog::millimetres(const char* name, double minimum, double maximum, double value) {
    auto* spin = new QDoubleSpinBox(this);
    spin->setObjectName(name);
    spin->setDecimals(1);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    connect(spin, &QDoubleSpinBox::valueChanged, this, &PageSetupDialog::refresh);
    return spin;
}

PageLayout PageSetupDialog::layout() const {
    PageLayout l;
    const std::string key = paperKeys[std::max(0, paperCombo->currentIndex())];
    if (key == "custom")
        l.setPaper(mmText(widthSpin->value()) + "x" + mmText(heightSpin->value()));
    else
        l.setPaper(key);
    l.landscape = landscapeCheck->isChecked();
    const PageLayout defaults;
    l.margin = points(marginSpin->value(), defaults.margin);
    l.patch = points(patchSpin->value(), defaults.patch);
    l.gap = points(gapSpin->value(), defaults.gap);
    return l;
}

QString PageSetupDialog::problem() const {
    return QString::fromStdString(layout().problem());
}

void PageSetupDialog::refresh() {
    const PageLayout l = layout();
    const bool custom = paperCombo->currentIndex() == 4;
    widthSpin->setEnabled(custom);
    heightSpin->setEnabled(custom);
    for (QWidget* w : std::initializer_list<QWidget*>{landscapeCheck, marginSpin, patchSpin, gapSpin})
        w->setEnabled(!l.fit);
    const QString why = problem();
    if (!why.isEmpty())
        summaryLabel->setText(tr("This cannot be printed: %1.").arg(why));
    else if (l.fit)
        summaryLabel->setText(tr("One page of 16 patches to a row, as tall as the chart needs."));
    else
        summaryLabel->setText(tr("Pages: %1, each up to %2 x %3 patches.")
                                  .arg(l.pages(patchCount))
                                  .arg(l.columns())
                                  .arg(l.rows()));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(why.isEmpty());
}

void PageSetupDialog::load(KvRegistry* store) {
    const std::string& paper = store->getstring(section, "print_paper");
    const std::string key = paper.empty() ? PageLayout::localePaper() : paper;
    for (int i = 0; i < int(std::size(paperKeys)); ++i)
        if (key == paperKeys[i])
            paperCombo->setCurrentIndex(i);
    widthSpin->setValue(storedMm(store, "print_width", widthSpin->value()));
    heightSpin->setValue(storedMm(store, "print_height", heightSpin->value()));
    landscapeCheck->setChecked(store->getlong(section, "print_landscape") != 0);
    marginSpin->setValue(storedMm(store, "print_margin", marginSpin->value()));
    patchSpin->setValue(storedMm(store, "print_patch", patchSpin->value()));
    gapSpin->setValue(storedMm(store, "print_gap", gapSpin->value()));
    refresh();
}

void PageSetupDialog::save(KvRegistry* store) const {
    store->putstring(section, "print_paper", paperKeys[std::max(0, paperCombo->currentIndex())]);
    store->putstring(section, "print_width", mmText(widthSpin->value()).c_str());
    store->putstring(section, "print_height", mmText(heightSpin->value()).c_str());
    store->putlong(section, "print_landscape", landscapeCheck->isChecked() ? 1 : 0);
    store->putstring(section, "print_margin", mmText(marginSpin->value()).c_str());
    store->putstring(section, "print_patch", mmText(patchSpin->value()).c_str());
    store->putstring(section, "print_gap", mmText(gapSpin->value()).c_str());
}

bool PageSetupDialog::ask(QWidget* parent, KvRegistry* store, unsigned long patchCount, PageLayout& layout) {
    PageSetupDialog dialog(patchCount, parent);
    if (store)
        dialog.load(store);
    if (!KvDialogs::exec(&dialog) || !dialog.problem().isEmpty())
        return false;
    if (store)
        dialog.save(store);
    layout = dialog.layout();
    return true;
}
