#include "MakeProfileDialog.h"

#include "KvDialogs.h"
#include "KvRegistry.h"
#include "MeasuredSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <ctime>

namespace {

const char* const kSection = "makeprofile";

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    return c;
}

// A remembered choice by its name; the default for a name not known.
template <class E> E remembered(KvRegistry* registry, const char* key, E fallback) {
    E value = fallback;
    return MakeProfileOptions::parse(registry->getstring(kSection, key), &value) ? value : fallback;
}

} // namespace

MakeProfileDialog::MakeProfileDialog(const MeasuredSet& set, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Make profile from measurements"));
    auto* layout = new QVBoxLayout(this);
    auto* what = new QLabel(tr("A CMYK printer profile, made by ArgyllCMS colprof from the %1 measured "
                               "patches of %2, then checked against them.")
                                .arg(set.size())
                                .arg(QString::fromStdString(set.source)),
                            this);
    what->setObjectName("what_label");
    what->setWordWrap(true);
    layout->addWidget(what);
    auto* top = new QFormLayout;
    description = new QLineEdit(this);
    description->setObjectName("description_edit");
    // Wide enough for the chart's name and the date without scrolling.
    description->setMinimumWidth(description->fontMetrics().averageCharWidth() * 44);
    top->addRow(tr("Description"), description);
    layout->addLayout(top);

    more = new QPushButton(tr("Options"), this);
    more->setObjectName("options_button");
    more->setCheckable(true);
    layout->addWidget(more, 0, Qt::AlignLeft);
    optionsBox = new QWidget(this);
    auto* form = new QFormLayout(optionsBox);
    form->setContentsMargins(0, 0, 0, 0);
    quality = combo(optionsBox, "quality_combo", {tr("Low"), tr("Medium"), tr("High"), tr("Ultra")});
    quality->setToolTip(tr("Higher quality takes longer: about a minute for 1500 patches at medium."));
    form->addRow(tr("Quality"), quality);
    black =
        combo(optionsBox, "black_combo", {tr("Ramp (colprof's own)"), tr("None"), tr("Half"), tr("Maximum")});
    form->addRow(tr("Black generation"), black);
    inkLimitOn = new QCheckBox(tr("Total ink limit (%)"), optionsBox);
    inkLimitOn->setObjectName("ink_limit_check");
    inkLimitOn->setToolTip(set.inkLimit > 0 ? tr("Unchecked: the chart's own, %1 %").arg(set.inkLimit)
                                            : tr("Unchecked: none, as the chart had none"));
    inkLimit = new QSpinBox(optionsBox);
    inkLimit->setObjectName("ink_limit_spin");
    inkLimit->setRange(MakeProfileOptions::minInkLimit, MakeProfileOptions::maxInkLimit);
    inkLimit->setValue(set.inkLimit > 0 ? set.inkLimit : 300);
    form->addRow(inkLimitOn, inkLimit);
    unseen = combo(optionsBox, "unseen_combo",
                   {tr("For charts of %1 patches or more").arg(MakeProfileOptions::unseenFrom), tr("Always"),
                    tr("Never")});
    unseen->setToolTip(tr("A second profile from all but a fixed tenth of the patches, and how well it "
                          "predicts that tenth: what to expect between the patches."));
    form->addRow(tr("Check on unseen patches"), unseen);
    layout->addWidget(optionsBox);
    optionsBox->setVisible(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(tr("Make profile"), QDialogButtonBox::AcceptRole)->setObjectName("make_button");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(more, &QPushButton::toggled, this, [this](bool on) {
        optionsBox->setVisible(on);
        adjustSize();
    });
    connect(inkLimitOn, &QCheckBox::toggled, inkLimit, &QWidget::setEnabled);
    MakeProfileOptions defaults;
    defaults.description = defaults.descriptionFor(set, std::time(nullptr));
    setOptions(defaults);
}

void MakeProfileDialog::setOptions(const MakeProfileOptions& o) {
    description->setText(QString::fromStdString(o.description));
    quality->setCurrentIndex(o.quality);
    black->setCurrentIndex(o.black);
    inkLimitOn->setChecked(o.inkLimit != 0);
    if (o.inkLimit != 0)
        inkLimit->setValue(o.inkLimit);
    inkLimit->setEnabled(o.inkLimit != 0);
    unseen->setCurrentIndex(o.unseen);
}

MakeProfileOptions MakeProfileDialog::options() const {
    MakeProfileOptions o;
    o.description = description->text().trimmed().toStdString();
    o.quality = MakeProfileOptions::Quality(quality->currentIndex());
    o.black = MakeProfileOptions::Black(black->currentIndex());
    o.inkLimit = inkLimitOn->isChecked() ? inkLimit->value() : 0;
    o.unseen = MakeProfileOptions::Unseen(unseen->currentIndex());
    return o;
}

MakeProfileOptions MakeProfileDialog::load(KvRegistry* registry) {
    MakeProfileOptions o;
    if (registry == nullptr)
        return o;
    o.quality = remembered(registry, "quality", o.quality);
    o.black = remembered(registry, "black", o.black);
    o.unseen = remembered(registry, "unseen", o.unseen);
    const long limit = registry->getlong(kSection, "inklimit");
    o.inkLimit =
        limit >= MakeProfileOptions::minInkLimit && limit <= MakeProfileOptions::maxInkLimit ? int(limit) : 0;
    return o;
}

void MakeProfileDialog::save(KvRegistry* registry, const MakeProfileOptions& o) {
    if (registry == nullptr)
        return;
    registry->putstring(kSection, "quality", MakeProfileOptions::name(o.quality));
    registry->putstring(kSection, "black", MakeProfileOptions::name(o.black));
    registry->putstring(kSection, "unseen", MakeProfileOptions::name(o.unseen));
    registry->putlong(kSection, "inklimit", o.inkLimit);
}

bool MakeProfileDialog::ask(QWidget* parent, KvRegistry* registry, const MeasuredSet& set,
                            MakeProfileOptions* chosen) {
    MakeProfileDialog dialog(set, parent);
    MakeProfileOptions start = load(registry);
    start.description = start.descriptionFor(set, std::time(nullptr));
    dialog.setOptions(start);
    if (!KvDialogs::exec(&dialog))
        return false;
    *chosen = dialog.options();
    save(registry, *chosen);
    return true;
}
