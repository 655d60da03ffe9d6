#include "SpectroBuddy.h"

#include "KvRegistry.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QDoubleSpinBox* labSpin(QWidget* parent, const char* name, double minimum, double maximum) {
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(minimum, maximum);
    s->setDecimals(2);
    s->setValue(0.0);
    return s;
}

// The stored value is a list of "name=value" fields separated by ';'. Only
// "addmode" (0 or 1) is known today; unknown fields are skipped so that a
// newer panel's value still loads.
bool parseAddMode(const std::string& stored, bool* addMode) {
    bool found = false;
    bool value = false;
    for (const QString& field : QString::fromStdString(stored).split(';', Qt::SkipEmptyParts)) {
        const qsizetype eq = field.indexOf('=');
        if (eq <= 0)
            return false;
        const QString name = field.left(eq).trimmed();
        const QString text = field.mid(eq + 1).trimmed();
        if (name != QLatin1String("addmode"))
            continue;
        if (text != QLatin1String("0") && text != QLatin1String("1"))
            return false;
        value = text == QLatin1String("1");
        found = true;
    }
    if (found)
        *addMode = value;
    return found;
}

} // namespace

SpectroBuddy::SpectroBuddy(QGroupBox* box, bool manualEntry) : QWidget(box) {
    setObjectName(QStringLiteral("spectrobuddy"));
    if (box) {
        if (!box->layout()) {
            auto* boxLayout = new QVBoxLayout(box);
            boxLayout->setContentsMargins(11, 11, 11, 11);
            boxLayout->setSpacing(6);
        }
        box->layout()->addWidget(this);
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);

    l_label = new QLabel(this);
    l_spin = labSpin(this, "spectro_l_spin", 0.0, 100.0);
    a_label = new QLabel(this);
    a_spin = labSpin(this, "spectro_a_spin", -128.0, 127.0);
    b_label = new QLabel(this);
    b_spin = labSpin(this, "spectro_b_spin", -128.0, 127.0);
    read_button = new QPushButton(this);
    read_button->setObjectName(QStringLiteral("spectro_read_button"));
    for (QWidget* w :
         {static_cast<QWidget*>(l_label), static_cast<QWidget*>(l_spin), static_cast<QWidget*>(a_label),
          static_cast<QWidget*>(a_spin), static_cast<QWidget*>(b_label), static_cast<QWidget*>(b_spin),
          static_cast<QWidget*>(read_button)}) {
        row->addWidget(w);
        w->setVisible(manualEntry);
    }
    row->addStretch(1);

    chart_label = new QLabel(this);
    chart_label->setObjectName(QStringLiteral("spectro_chart_label"));
    chart_label->hide();
    row->addWidget(chart_label);

    add_tick = new QCheckBox(this);
    add_tick->setObjectName(QStringLiteral("spectro_add_tick"));
    row->addWidget(add_tick);

    connect(read_button, &QPushButton::clicked, this, &SpectroBuddy::readManual);
    languageChange();
}

SpectroBuddy::~SpectroBuddy() = default;

void SpectroBuddy::languageChange() {
    l_label->setText(tr("L:"));
    a_label->setText(tr("a:"));
    b_label->setText(tr("b:"));
    read_button->setText(tr("Read"));
    read_button->setToolTip(tr("Takes the L, a, b values entered here as one instrument reading"));
    add_tick->setText(tr("Keep each reading"));
    add_tick->setToolTip(tr("Adds every reading to the list of kept colours"));
}

void SpectroBuddy::readManual() {
    const double L = l_spin->value();
    const double a = a_spin->value();
    const double b = b_spin->value();
    // A chart steps to its next patch after each reading; the panel follows so
    // that its position text stays in step with the chart window.
    if (currentMode == MODE_CHART && !chart.empty() && chartCurrent + 1 < chart.size()) {
        ++chartCurrent;
        showChartPosition();
    }
    emit spotLab(L, a, b);
}

void SpectroBuddy::setMode(int mode) {
    currentMode = (mode >= MODE_SPOT && mode <= MODE_CHART) ? mode : MODE_SPOT;
    showChartPosition();
}

void SpectroBuddy::showAddMode(bool show) {
    add_tick->setVisible(show);
}

bool SpectroBuddy::isAddMode() const {
    return add_tick->isChecked();
}

void SpectroBuddy::setComboChart(KVCOMBOCOLOUR* first, unsigned long current) {
    // The records belong to the chart and are released when it goes; keep copies.
    chart.clear();
    for (KVCOMBOCOLOUR* r = first; r; r = KvNext(r))
        chart.push_back(Target{r->name ? QString::fromUtf8(r->name) : QString(),
                               (r->flags & KVCOMBO_LAB_VALID) != 0, r->cmyk, r->L, r->a, r->b});
    chartCurrent = chart.empty() ? 0 : std::min<unsigned long>(current, chart.size() - 1);
    showChartPosition();
}

void SpectroBuddy::showChartPosition() {
    if (chart.empty() || currentMode != MODE_CHART) {
        chart_label->hide();
        return;
    }
    const Target& t = chart[chartCurrent];
    QString text = tr("Patch %1 of %2").arg(chartCurrent + 1).arg(chart.size());
    if (!t.name.isEmpty())
        text += QLatin1String(": ") + t.name;
    chart_label->setText(text);
    chart_label->show();
}

void SpectroBuddy::loadRegistry(KvRegistry& store, const std::string& section, const std::string& key) {
    bool addMode = false;
    if (!parseAddMode(store.getstring(section, key), &addMode))
        addMode = false; // missing or damaged: the default
    add_tick->setChecked(addMode);
}

void SpectroBuddy::saveRegistry(KvRegistry& store, const std::string& section, const std::string& key) const {
    store.putstring(section, key, std::string("addmode=") + (add_tick->isChecked() ? "1" : "0"));
}
