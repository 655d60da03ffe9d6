#include "TolerancesDialog.h"

#include "KvDialogs.h"
#include "KvRegistry.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QString>

namespace {

const char* const kSection = "colourcheck";
constexpr double largest = 100.0;

QDoubleSpinBox* limitSpin(QWidget* parent, const char* name) {
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0.0, largest);
    s->setDecimals(2);
    s->setSingleStep(0.5);
    return s;
}

void readLimit(KvRegistry* registry, const char* key, double* field) {
    bool ok = false;
    const double v = QString::fromStdString(registry->getstring(kSection, key)).toDouble(&ok);
    if (ok && v >= 0 && v <= largest)
        *field = v;
}

} // namespace

TolerancesDialog::TolerancesDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("tolerances_dialog"));
    setWindowTitle(tr("Tolerances"));
    auto* form = new QFormLayout(this);
    maximum = limitSpin(this, "tolerance_max_spin");
    mean = limitSpin(this, "tolerance_mean_spin");
    p95 = limitSpin(this, "tolerance_p95_spin");
    for (QDoubleSpinBox* s : {maximum, mean, p95})
        s->setSpecialValueText(tr("not checked"));
    form->addRow(tr("Every patch under (DeltaE 2000):"), maximum);
    form->addRow(tr("Mean under:"), mean);
    form->addRow(tr("95th percentile under:"), p95);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void TolerancesDialog::setTolerances(const ChartTolerances& t) {
    maximum->setValue(t.maximum);
    mean->setValue(t.mean);
    p95->setValue(t.p95);
}

ChartTolerances TolerancesDialog::tolerances() const {
    ChartTolerances t;
    t.maximum = maximum->value();
    t.mean = mean->value();
    t.p95 = p95->value();
    return t;
}

ChartTolerances TolerancesDialog::load(KvRegistry* registry) {
    ChartTolerances t;
    if (registry == nullptr)
        return t;
    readLimit(registry, "tolerance_max", &t.maximum);
    readLimit(registry, "tolerance_mean", &t.mean);
    readLimit(registry, "tolerance_p95", &t.p95);
    return t;
}

void TolerancesDialog::save(KvRegistry* registry, const ChartTolerances& t) {
    if (registry == nullptr)
        return;
    // Stored as text, so a tolerance keeps its decimals.
    registry->putstring(kSection, "tolerance_max", QString::number(t.maximum, 'g', 6).toStdString());
    registry->putstring(kSection, "tolerance_mean", QString::number(t.mean, 'g', 6).toStdString());
    registry->putstring(kSection, "tolerance_p95", QString::number(t.p95, 'g', 6).toStdString());
}

bool TolerancesDialog::ask(QWidget* parent, KvRegistry* registry) {
    TolerancesDialog dialog(parent);
    dialog.setTolerances(load(registry));
    if (!KvDialogs::exec(&dialog))
        return false;
    save(registry, dialog.tolerances());
    return true;
}
