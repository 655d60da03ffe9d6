#include "ChartOptionsDialog.h"

#include "KvDialogs.h"
#include "KvRegistry.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace {

const char* const kSection = "chart";

QSpinBox* spin(QWidget* parent, const char* name, int minimum, int maximum) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(minimum, maximum);
    return s;
}

} // namespace

ChartOptionsDialog::ChartOptionsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Chart options"));
    auto* form = new QFormLayout(this);
    controls = new QCheckBox(tr("Control patches first: paper, solids, overprints, grey ramp"), this);
    controls->setObjectName("controls_check");
    controls->setToolTip(
        tr("Paper white, the four solids, the two-colour overprints and a grey-balanced ramp "
           "come first and are never culled. The other patches are then moved on the grid "
           "so that they lie closest, on average, to all the colours the grid can print."));
    form->addRow(controls);
    inkLimitOn = new QCheckBox(tr("Total ink limit (%)"), this);
    inkLimitOn->setObjectName("ink_limit_check");
    inkLimit = spin(this, "ink_limit_spin", ChartOptions::minInkLimit, ChartOptions::maxInkLimit);
    inkLimit->setValue(300);
    form->addRow(inkLimitOn, inkLimit);
    levels = spin(this, "levels_spin", ChartOptions::minLevels, ChartOptions::maxLevels);
    form->addRow(tr("Grid levels per ink"), levels);
    shuffleOn = new QCheckBox(tr("Shuffle the patches, seed"), this);
    shuffleOn->setObjectName("shuffle_check");
    seed = spin(this, "seed_spin", 0, 999999);
    form->addRow(shuffleOn, seed);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    connect(inkLimitOn, &QCheckBox::toggled, inkLimit, &QWidget::setEnabled);
    connect(shuffleOn, &QCheckBox::toggled, seed, &QWidget::setEnabled);
    setOptions(ChartOptions{});
}

void ChartOptionsDialog::setOptions(const ChartOptions& o) {
    controls->setChecked(o.controls);
    inkLimitOn->setChecked(o.inkLimit != 0);
    if (o.inkLimit != 0)
        inkLimit->setValue(o.inkLimit);
    inkLimit->setEnabled(o.inkLimit != 0);
    levels->setValue(o.levels);
    shuffleOn->setChecked(o.shuffle);
    seed->setValue(static_cast<int>(o.seed));
    seed->setEnabled(o.shuffle);
}

ChartOptions ChartOptionsDialog::options() const {
    ChartOptions o;
    o.controls = controls->isChecked();
    o.inkLimit = inkLimitOn->isChecked() ? inkLimit->value() : 0;
    o.levels = levels->value();
    o.shuffle = shuffleOn->isChecked();
    o.seed = static_cast<std::uint32_t>(seed->value());
    return o;
}

ChartOptions ChartOptionsDialog::load(KvRegistry* registry) {
    ChartOptions o;
    if (registry == nullptr)
        return o;
    // A store edited by hand or by another version must not give a chart the
    // user never chose: whatever is out of range is off.
    o.controls = registry->getlong(kSection, "controls") == 1;
    const long limit = registry->getlong(kSection, "inklimit");
    o.inkLimit = limit >= ChartOptions::minInkLimit && limit <= ChartOptions::maxInkLimit ? int(limit) : 0;
    const long l = registry->getlong(kSection, "levels");
    o.levels =
        l >= ChartOptions::minLevels && l <= ChartOptions::maxLevels ? int(l) : ChartOptions::defaultLevels;
    o.shuffle = registry->getlong(kSection, "shuffle") == 1;
    const long s = registry->getlong(kSection, "seed");
    o.seed = s >= 0 && s <= 999999 ? static_cast<std::uint32_t>(s) : 0;
    return o;
}

void ChartOptionsDialog::save(KvRegistry* registry, const ChartOptions& o) {
    if (registry == nullptr)
        return;
    registry->putlong(kSection, "controls", o.controls ? 1 : 0);
    registry->putlong(kSection, "inklimit", o.inkLimit);
    registry->putlong(kSection, "levels", o.levels);
    registry->putlong(kSection, "shuffle", o.shuffle ? 1 : 0);
    registry->putlong(kSection, "seed", static_cast<long>(o.seed));
}

bool ChartOptionsDialog::ask(QWidget* parent, KvRegistry* registry) {
    ChartOptionsDialog dialog(parent);
    dialog.setOptions(load(registry));
    if (!KvDialogs::exec(&dialog))
        return false;
    save(registry, dialog.options());
    return true;
}
