// The instrument panel's widgets, their texts and their wiring.
#include "SpectroBuddy.h"

#include "KvCMS.h"
#include "KvDialogs.h"
#include "KvRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QDoubleSpinBox* labSpin(QWidget* parent, const char* name, double minimum, double maximum) {
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(minimum, maximum);
    s->setDecimals(2);
    s->setValue(0.0);
    return s;
}

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

constexpr int defaultTimeoutSeconds = PanelSettings::defaultTimeoutSeconds;
constexpr double defaultSimulatedError = PanelSettings::defaultSimulatedError;
constexpr double largestSimulatedError = PanelSettings::largestSimulatedError;

} // namespace

SpectroBuddy::SpectroBuddy(QGroupBox* box, bool manualEntry)
    : QWidget(box), manualOffered(manualEntry), sources(manualEntry) {
    setObjectName(QStringLiteral("spectrobuddy"));
    if (box) {
        if (!box->layout()) {
            auto* boxLayout = new QVBoxLayout(box);
            boxLayout->setContentsMargins(11, 11, 11, 11);
            boxLayout->setSpacing(6);
        }
        box->layout()->addWidget(this);
    }

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    column->addLayout(row);
    source_combo = named(new QComboBox(this), "spectro_source_combo");
    row->addWidget(source_combo);
    l_label = new QLabel(this);
    l_spin = labSpin(this, "spectro_l_spin", 0.0, 100.0);
    a_label = new QLabel(this);
    a_spin = labSpin(this, "spectro_a_spin", -128.0, 127.0);
    b_label = new QLabel(this);
    b_spin = labSpin(this, "spectro_b_spin", -128.0, 127.0);
    load_button = named(new QPushButton(this), "spectro_load_button");
    read_button = named(new QPushButton(this), "spectro_read_button");
    cancel_button = named(new QPushButton(this), "spectro_cancel_button");
    for (QWidget* w : std::initializer_list<QWidget*>{l_label, l_spin, a_label, a_spin, b_label, b_spin,
                                                      load_button, read_button, cancel_button})
        row->addWidget(w);
    row->addStretch(1);
    add_tick = named(new QCheckBox(this), "spectro_add_tick");
    row->addWidget(add_tick);
    settings_button = named(new QToolButton(this), "spectro_settings_button");
    settings_button->setCheckable(true);
    row->addWidget(settings_button);

    status_label = named(new QLabel(this), "spectro_status_label");
    chart_label = named(new QLabel(this), "spectro_chart_label");
    result_label = named(new QLabel(this), "spectro_result_label");
    for (QLabel* l : {status_label, chart_label, result_label}) {
        l->setTextFormat(Qt::PlainText);
        column->addWidget(l);
    }
    chart_label->hide();
    result_label->hide();

    settings_row = named(new QWidget(this), "spectro_settings");
    // Two lines, so that the settings fit the narrow panel of a chart window.
    auto* settings = new QGridLayout(settings_row);
    settings->setContentsMargins(0, 0, 0, 0);
    settings->setSpacing(6);
    program_label = new QLabel(settings_row);
    program_edit = named(new QLineEdit(settings_row), "spectro_program_edit");
    program_edit->setMinimumWidth(160);
    program_button = named(new QToolButton(settings_row), "spectro_program_button");
    options_label = new QLabel(settings_row);
    options_edit = named(new QLineEdit(settings_row), "spectro_options_edit");
    options_edit->setMinimumWidth(60);
    timeout_label = new QLabel(settings_row);
    timeout_spin = named(new QSpinBox(settings_row), "spectro_timeout_spin");
    timeout_spin->setRange(1, 3600);
    timeout_spin->setValue(defaultTimeoutSeconds);
    simerror_label = new QLabel(settings_row);
    simerror_spin = named(new QDoubleSpinBox(settings_row), "spectro_simerror_spin");
    simerror_spin->setRange(0.0, largestSimulatedError);
    simerror_spin->setDecimals(2);
    simerror_spin->setSingleStep(0.5);
    simerror_spin->setValue(defaultSimulatedError);
    int at = 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{program_label, program_edit, program_button, options_label,
                                         options_edit, timeout_label, timeout_spin})
        settings->addWidget(w, 0, at++);
    settings->addWidget(simerror_label, 1, 0, 1, 3);
    settings->addWidget(simerror_spin, 1, 3, 1, 2);
    settings->setColumnStretch(1, 2);
    settings->setColumnStretch(4, 1);
    column->addWidget(settings_row);
    settings_row->hide();
    program_edit->setText(spotread().program());

    connect(source_combo, &QComboBox::activated, this, &SpectroBuddy::sourceChosen);
    connect(read_button, &QPushButton::clicked, this, &SpectroBuddy::read);
    connect(cancel_button, &QPushButton::clicked, this, &SpectroBuddy::cancel);
    connect(load_button, &QPushButton::clicked, this, &SpectroBuddy::chooseFile);
    connect(program_button, &QToolButton::clicked, this, &SpectroBuddy::chooseProgram);
    connect(settings_button, &QToolButton::toggled, settings_row, &QWidget::setVisible);
    connect(program_edit, &QLineEdit::textChanged, this, &SpectroBuddy::spotreadSettingsEdited);
    connect(options_edit, &QLineEdit::textChanged, this, &SpectroBuddy::spotreadSettingsEdited);
    connect(timeout_spin, &QSpinBox::valueChanged, this, &SpectroBuddy::spotreadSettingsEdited);
    connect(simerror_spin, &QDoubleSpinBox::valueChanged, this, [this](double deltaE) {
        sources.simulated().setError(deltaE);
        updateControls();
        settingsChanged();
    });
    connect(add_tick, &QCheckBox::toggled, this, &SpectroBuddy::settingsChanged);
    connect(&sources, &ReadingSources::reading, this, &SpectroBuddy::deliver);
    connect(&sources, &ReadingSources::statusChanged, this, [this] {
        showSourceStatus();
        updateControls();
    });

    languageChange();
    setSource(manualOffered ? SourceManual : SourceSpotread);
}

SpectroBuddy::~SpectroBuddy() {
    store = nullptr;
    sources.disconnect(this);
    // Leaving the chart must not call back into a half-destroyed panel.
    if (session)
        session->disconnect(this);
}

void SpectroBuddy::languageChange() {
    l_label->setText(tr("L:"));
    a_label->setText(tr("a:"));
    b_label->setText(tr("b:"));
    load_button->setText(tr("Load..."));
    load_button->setToolTip(
        tr("Loads a measurement file (CGATS or ArgyllCMS .ti3 with Lab or XYZ readings)"));
    read_button->setText(tr("Read"));
    read_button->setToolTip(tr("Takes one reading from the chosen source"));
    cancel_button->setText(tr("Cancel"));
    cancel_button->setToolTip(tr("Stops spotread and frees the instrument"));
    add_tick->setText(tr("Keep each reading"));
    add_tick->setToolTip(tr("Adds every reading to the list of kept colours"));
    settings_button->setText(tr("Settings"));
    program_label->setText(tr("spotread:"));
    program_button->setText(tr("..."));
    options_label->setText(tr("Options:"));
    options_edit->setToolTip(
        tr("Options given to spotread, for example -N to skip the calibration at start"));
    timeout_label->setText(tr("Time-out (s):"));
    simerror_label->setText(tr("Simulated error (DeltaE):"));
    updateSourceList();
    updateControls();
}

void SpectroBuddy::updateSourceList() {
    struct Entry {
        Source source;
        QString text;
    };
    const Entry entries[] = {
        {SourceManual, tr("Manual entry")},
        {SourceSpotread, sourceAvailable(SourceSpotread) ? tr("Instrument (spotread)")
                                                         : tr("Instrument (spotread not installed)")},
        {SourceFile, tr("Measurement file")},
        {SourceSimulated, tr("Simulated instrument")},
    };
    if (source_combo->count() == 0)
        for (const Entry& e : entries)
            if (e.source != SourceManual || manualOffered)
                source_combo->addItem(e.text, int(e.source));
    auto* model = qobject_cast<QStandardItemModel*>(source_combo->model());
    for (const Entry& e : entries) {
        const int i = source_combo->findData(int(e.source));
        if (i < 0)
            continue;
        source_combo->setItemText(i, e.text);
        if (model)
            model->item(i)->setEnabled(sourceAvailable(e.source));
    }
    source_combo->setItemData(source_combo->findData(int(SourceSpotread)),
                              sourceAvailable(SourceSpotread)
                                  ? QVariant()
                                  : QVariant(tr("Install the Debian package argyll, or name the program "
                                                "under Settings")),
                              Qt::ToolTipRole);
}
