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
#include <QUrl>
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

const char* const sourceNames[] = {"manual", "spotread", "file", "simulated"};

constexpr int defaultTimeoutSeconds = SpotreadSource::defaultTimeout / 1000;
constexpr double defaultSimulatedError = 1.0;
constexpr double largestSimulatedError = 50.0;

// What the panel keeps in its one settings value.
struct Settings {
    bool addMode = false;
    int source = SpectroBuddy::SourceManual;
    QString program = QStringLiteral("spotread");
    QString options;
    int timeoutSeconds = defaultTimeoutSeconds;
    double simulatedError = defaultSimulatedError;
    QString fileDir;
};

QString encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

// The stored value is a list of "name=value" fields separated by ';', the
// values percent-encoded. Unknown fields are skipped, so a newer panel's
// value still loads; a damaged known field makes the whole value void, and
// the panel starts from its defaults (manual entry) rather than half of
// someone's settings. The first panels stored only "addmode=0|1".
bool parseSettings(const std::string& stored, Settings* out) {
    Settings s;
    bool found = false;
    for (const QString& field : QString::fromStdString(stored).split(';', Qt::SkipEmptyParts)) {
        const qsizetype eq = field.indexOf('=');
        if (eq <= 0)
            return false;
        const QString name = field.left(eq).trimmed();
        const QString value = QUrl::fromPercentEncoding(field.mid(eq + 1).trimmed().toUtf8());
        bool ok = true;
        if (name == QLatin1String("addmode")) {
            ok = value == QLatin1String("0") || value == QLatin1String("1");
            s.addMode = value == QLatin1String("1");
        } else if (name == QLatin1String("source")) {
            const auto* it = std::find_if(std::begin(sourceNames), std::end(sourceNames),
                                          [&](const char* n) { return value == QLatin1String(n); });
            ok = it != std::end(sourceNames);
            s.source = int(it - std::begin(sourceNames));
        } else if (name == QLatin1String("program")) {
            s.program = value;
        } else if (name == QLatin1String("options")) {
            s.options = value;
        } else if (name == QLatin1String("timeout")) {
            s.timeoutSeconds = value.toInt(&ok);
            ok = ok && s.timeoutSeconds >= 1 && s.timeoutSeconds <= 3600;
        } else if (name == QLatin1String("simerror")) {
            s.simulatedError = value.toDouble(&ok);
            ok = ok && std::isfinite(s.simulatedError) && s.simulatedError >= 0 &&
                 s.simulatedError <= largestSimulatedError;
        } else if (name == QLatin1String("filedir")) {
            s.fileDir = value;
        } else {
            continue;
        }
        if (!ok)
            return false;
        found = true;
    }
    if (found)
        *out = s;
    return found;
}

QString labText(double L, double a, double b) {
    return QStringLiteral("L %1, a %2, b %3").arg(L, 0, 'f', 2).arg(a, 0, 'f', 2).arg(b, 0, 'f', 2);
}

} // namespace

SpectroBuddy::SpectroBuddy(QGroupBox* box, bool manualEntry) : QWidget(box), manualOffered(manualEntry) {
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
    program_edit->setText(instrument.program());

    connect(source_combo, &QComboBox::activated, this, &SpectroBuddy::sourceChosen);
    connect(read_button, &QPushButton::clicked, this, &SpectroBuddy::read);
    connect(cancel_button, &QPushButton::clicked, this, &SpectroBuddy::cancel);
    connect(load_button, &QPushButton::clicked, this, &SpectroBuddy::chooseFile);
    connect(program_button, &QToolButton::clicked, this, &SpectroBuddy::chooseProgram);
    connect(settings_button, &QToolButton::toggled, settings_row, &QWidget::setVisible);
    connect(program_edit, &QLineEdit::textChanged, this, &SpectroBuddy::spotreadSettingsEdited);
    connect(options_edit, &QLineEdit::textChanged, this, &SpectroBuddy::spotreadSettingsEdited);
    connect(timeout_spin, &QSpinBox::valueChanged, this, &SpectroBuddy::spotreadSettingsEdited);
    connect(simerror_spin, &QDoubleSpinBox::valueChanged, this, [this] { updateControls(); });
    connect(&instrument, &SpotreadSource::stateChanged, this, &SpectroBuddy::spotreadState);
    connect(&instrument, &SpotreadSource::reading, this, [this](double L, double a, double b) {
        if (currentSource == SourceSpotread)
            deliver(L, a, b);
    });

    languageChange();
    setSource(manualOffered ? SourceManual : SourceSpotread);
}

SpectroBuddy::~SpectroBuddy() = default;

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

bool SpectroBuddy::sourceAvailable(Source s) const {
    if (s == SourceManual)
        return manualOffered;
    if (s == SourceSpotread)
        return instrument.isAvailable();
    return true;
}

void SpectroBuddy::setSource(Source s) {
    if (!sourceAvailable(s))
        s = manualOffered ? SourceManual : SourceSimulated;
    // Leaving the instrument frees it for other programs.
    if (s != SourceSpotread && currentSource == SourceSpotread && s != currentSource)
        instrument.cancel();
    currentSource = s;
    source_combo->setCurrentIndex(source_combo->findData(int(s)));
    switch (s) {
    case SourceManual:
        showStatus(QString());
        break;
    case SourceSpotread:
        showStatus(instrument.state() == SpotreadSource::Idle
                       ? tr("Place the instrument on the colour and press Read; spotread starts with the "
                            "first reading")
                       : instrument.message());
        break;
    case SourceFile:
        showStatus(file.readings().empty()
                       ? tr("Load a measurement file: CGATS or ArgyllCMS .ti3 with Lab or XYZ readings")
                       : tr("%1: %2 readings").arg(fileName).arg(file.readings().size()));
        break;
    case SourceSimulated:
        showStatus(QString());
        break;
    }
    updateControls();
}

void SpectroBuddy::sourceChosen(int index) {
    setSource(Source(source_combo->itemData(index).toInt()));
}

double SpectroBuddy::simulatedError() const {
    return simerror_spin->value();
}

void SpectroBuddy::setSimulatedError(double deltaE) {
    simerror_spin->setValue(deltaE);
}

void SpectroBuddy::updateControls() {
    const bool charted = currentMode == MODE_CHART && !chart.empty();
    const bool pastEnd = charted && chartCurrent >= chart.size();
    const bool typed =
        currentSource == SourceManual || (currentSource == SourceSimulated && currentMode != MODE_CHART);
    for (QWidget* w : std::initializer_list<QWidget*>{l_label, l_spin, a_label, a_spin, b_label, b_spin})
        w->setVisible(typed);
    load_button->setVisible(currentSource == SourceFile);
    cancel_button->setVisible(currentSource == SourceSpotread);
    cancel_button->setEnabled(instrument.isRunning());

    bool readable = !pastEnd;
    switch (currentSource) {
    case SourceManual:
        break;
    case SourceSpotread:
        readable = readable && instrument.isAvailable() && instrument.state() != SpotreadSource::Reading &&
                   instrument.state() != SpotreadSource::Starting;
        break;
    case SourceFile:
        readable =
            readable && (charted ? fileRowForPatch(chartCurrent) >= 0 : nextFileRow < file.readings().size());
        break;
    case SourceSimulated:
        readable = readable && (!charted || (currentTarget() && currentTarget()->labValid));
        break;
    }
    read_button->setEnabled(readable);
    if (currentSource == SourceSimulated)
        showStatus(tr("Simulated instrument, no hardware: each reading is the target moved by DeltaE %1")
                       .arg(simulatedError(), 0, 'f', 2));
}

void SpectroBuddy::showStatus(const QString& text) {
    status_label->setText(text);
    status_label->setVisible(!text.isEmpty());
}

void SpectroBuddy::read() {
    if (currentMode == MODE_CHART && !chart.empty() && chartCurrent >= chart.size()) {
        showChartPosition();
        return;
    }
    switch (currentSource) {
    case SourceManual:
        deliver(l_spin->value(), a_spin->value(), b_spin->value());
        break;
    case SourceSpotread:
        instrument.read();
        break;
    case SourceFile:
        readFile();
        break;
    case SourceSimulated:
        readSimulated();
        break;
    }
    updateControls();
}

void SpectroBuddy::cancel() {
    instrument.cancel();
}

bool SpectroBuddy::deliver(double L, double a, double b) {
    QString said = tr("Last reading: %1").arg(labText(L, a, b));
    if (currentMode == MODE_CHART && !chart.empty()) {
        if (chartCurrent >= chart.size()) {
            showChartPosition();
            return false;
        }
        const Target& t = chart[chartCurrent];
        const QString name = t.name.isEmpty() ? tr("Patch %1").arg(chartCurrent + 1) : t.name;
        said = tr("%1 measured %2").arg(name, labText(L, a, b));
        if (t.labValid) {
            const double measured[3] = {L, a, b};
            const double target[3] = {t.L, t.a, t.b};
            said += tr(", DeltaE %1").arg(KvCMS_ColourDiff_DeltaE(measured, target), 0, 'f', 2);
        }
        // Step before telling the chart: should it answer with setComboChart,
        // its position is the one that counts.
        ++chartCurrent;
        showChartPosition();
    }
    result_label->setText(said);
    result_label->show();
    emit spotLab(L, a, b);
    updateControls();
    return true;
}

void SpectroBuddy::setMode(int mode) {
    currentMode = (mode >= MODE_SPOT && mode <= MODE_CHART) ? mode : MODE_SPOT;
    showChartPosition();
    updateControls();
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
    chartCurrent = std::min<unsigned long>(current, chart.size());
    matchFileToChart();
    if (chart.empty())
        result_label->hide();
    showChartPosition();
    updateControls();
}

const SpectroBuddy::Target* SpectroBuddy::currentTarget() const {
    return chartCurrent < chart.size() ? &chart[chartCurrent] : nullptr;
}

void SpectroBuddy::showChartPosition() {
    if (chart.empty() || currentMode != MODE_CHART) {
        chart_label->hide();
        return;
    }
    QString text;
    if (const Target* t = currentTarget()) {
        text = tr("Patch %1 of %2").arg(chartCurrent + 1).arg(chart.size());
        if (!t->name.isEmpty())
            text += QLatin1String(": ") + t->name;
        if (t->labValid)
            text += tr(", target %1").arg(labText(t->L, t->a, t->b));
    } else {
        text = tr("Every patch has a reading; click a patch to measure again from there");
    }
    chart_label->setText(text);
    chart_label->show();
}

// --- measurement file ----------------------------------------------------

void SpectroBuddy::chooseFile() {
    const QString path =
        KvDialogs::getOpenFileName(this, tr("Choose a measurement file"), fileDir,
                                   tr("Measurement files (*.ti3 *.txt *.cgats *.it8 *.cie);;All files (*)"));
    if (!path.isNull())
        loadMeasurementFile(path);
}

bool SpectroBuddy::loadMeasurementFile(const QString& path) {
    const QFileInfo info(path);
    fileDir = info.absolutePath();
    MeasurementFile loaded;
    if (!loaded.load(QFile::encodeName(path).toStdString())) {
        const QString name = info.fileName();
        QString why;
        switch (loaded.problem()) {
        case MeasurementFile::TooLarge:
            why = tr("%1 is too large for a measurement file").arg(name);
            break;
        case MeasurementFile::NotMeasurement:
            why = tr("%1 is not a measurement file with Lab or XYZ readings").arg(name);
            break;
        case MeasurementFile::NoReadings:
        case MeasurementFile::Damaged:
            why = tr("%1 holds no readable readings").arg(name);
            break;
        default:
            why = tr("%1 cannot be read").arg(name);
            break;
        }
        setSource(SourceFile);
        showStatus(why);
        return false;
    }
    file = std::move(loaded);
    fileName = info.fileName();
    nextFileRow = 0;
    matchFileToChart();
    setSource(SourceFile);
    QString said = tr("%1: %2 readings").arg(fileName).arg(file.readings().size());
    if (file.problem() == MeasurementFile::Damaged)
        said += tr(" (damaged at row %1; the rows before it were read)").arg(file.damagedRow());
    showStatus(said);
    if (currentMode == MODE_CHART && !chart.empty())
        applyFileToChart();
    updateControls();
    return true;
}

// Rows go to the patches of the same name when the file names any patch of
// the chart; otherwise the file is taken in chart order.
void SpectroBuddy::matchFileToChart() {
    fileByName = std::any_of(chart.begin(), chart.end(),
                             [this](const Target& t) { return file.find(t.name.toStdString()) >= 0; });
}

int SpectroBuddy::fileRowForPatch(unsigned long patch) const {
    if (patch >= chart.size())
        return -1;
    if (fileByName)
        return file.find(chart[patch].name.toStdString());
    return patch < file.readings().size() ? int(patch) : -1;
}

void SpectroBuddy::applyFileToChart() {
    const unsigned long first = chartCurrent;
    unsigned long sent = 0;
    for (int row; chartCurrent < chart.size() && (row = fileRowForPatch(chartCurrent)) >= 0; ++sent) {
        const MeasurementReading& r = file.readings()[std::size_t(row)];
        if (!deliver(r.L, r.a, r.b))
            break;
    }
    QString said = tr("%1: %2 readings").arg(fileName).arg(file.readings().size());
    if (sent > 0)
        said += tr("; patches %1 to %2 read from the file").arg(first + 1).arg(first + sent);
    if (chartCurrent < chart.size())
        said += tr("; the file has no reading for patch %1").arg(chartCurrent + 1);
    showStatus(said);
}

void SpectroBuddy::readFile() {
    if (file.readings().empty()) {
        chooseFile();
        return;
    }
    if (currentMode == MODE_CHART && !chart.empty()) {
        const int row = fileRowForPatch(chartCurrent);
        if (row < 0) {
            showStatus(tr("%1 has no reading for patch %2").arg(fileName).arg(chartCurrent + 1));
            return;
        }
        const MeasurementReading& r = file.readings()[std::size_t(row)];
        deliver(r.L, r.a, r.b);
        return;
    }
    if (nextFileRow >= file.readings().size()) {
        showStatus(tr("Every reading of %1 has been taken; load it again to start over").arg(fileName));
        return;
    }
    const MeasurementReading& r = file.readings()[nextFileRow++];
    QString said = tr("%1: reading %2 of %3").arg(fileName).arg(nextFileRow).arg(file.readings().size());
    if (!r.name.empty())
        said += QLatin1String(" (") + QString::fromStdString(r.name) + ')';
    showStatus(said);
    deliver(r.L, r.a, r.b);
}

// --- simulated instrument -------------------------------------------------

void SpectroBuddy::offsetByDeltaE(const double* target, double deltaE, const double* direction, double* out) {
    const double length =
        std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] + direction[2] * direction[2]);
    for (int i = 0; i < 3; ++i)
        out[i] = target[i];
    if (!(deltaE > 0) || !(length > 0) || !std::isfinite(length))
        return;
    const double unit[3] = {direction[0] / length, direction[1] / length, direction[2] / length};
    auto along = [&](double t) {
        const double p[3] = {target[0] + t * unit[0], target[1] + t * unit[1], target[2] + t * unit[2]};
        return KvCMS_ColourDiff_DeltaE(p, target);
    };
    // CIEDE2000 is not a Euclidean distance: find the step that gives it by
    // bisection along the ray.
    double low = 0.0;
    double high = deltaE;
    for (int i = 0; i < 40 && along(high) < deltaE; ++i)
        high *= 2.0;
    for (int i = 0; i < 60; ++i) {
        const double middle = 0.5 * (low + high);
        (along(middle) < deltaE ? low : high) = middle;
    }
    for (int i = 0; i < 3; ++i)
        out[i] = target[i] + high * unit[i];
}

void SpectroBuddy::readSimulated() {
    double target[3] = {l_spin->value(), a_spin->value(), b_spin->value()};
    if (currentMode == MODE_CHART && !chart.empty()) {
        const Target* t = currentTarget();
        if (t == nullptr || !t->labValid) {
            showStatus(tr("The current patch has no target Lab to simulate a reading of"));
            return;
        }
        target[0] = t->L;
        target[1] = t->a;
        target[2] = t->b;
    }
    double direction[3];
    do {
        for (double& d : direction)
            d = random.generateDouble() * 2.0 - 1.0;
    } while (std::fabs(direction[0]) + std::fabs(direction[1]) + std::fabs(direction[2]) < 1e-3);
    double lab[3];
    offsetByDeltaE(target, simulatedError(), direction, lab);
    deliver(lab[0], lab[1], lab[2]);
}

// --- spotread ---------------------------------------------------------------

void SpectroBuddy::chooseProgram() {
    const QString path = KvDialogs::getOpenFileName(this, tr("Choose the spotread program"),
                                                    QFileInfo(instrument.executable()).absolutePath());
    if (!path.isNull())
        program_edit->setText(path);
}

void SpectroBuddy::spotreadSettingsEdited() {
    instrument.setProgram(program_edit->text());
    instrument.setArguments(QProcess::splitCommand(options_edit->text()));
    instrument.setTimeout(timeout_spin->value() * 1000);
    updateSourceList();
    if (currentSource == SourceSpotread && !instrument.isAvailable())
        showStatus(tr("spotread is not installed (Debian package argyll), or the program setting is wrong"));
    updateControls();
}

void SpectroBuddy::spotreadState(SpotreadSource::State state, const QString& message) {
    if (currentSource != SourceSpotread)
        return;
    showStatus(state == SpotreadSource::Error ? tr("Error: %1").arg(message) : message);
    updateControls();
}

// --- settings -----------------------------------------------------------------

void SpectroBuddy::loadRegistry(KvRegistry& store, const std::string& section, const std::string& key) {
    Settings s;
    if (!parseSettings(store.getstring(section, key), &s))
        s = Settings(); // missing or damaged: the defaults
    add_tick->setChecked(s.addMode);
    program_edit->setText(s.program);
    options_edit->setText(s.options);
    timeout_spin->setValue(s.timeoutSeconds);
    simerror_spin->setValue(s.simulatedError);
    fileDir = s.fileDir;
    spotreadSettingsEdited();
    setSource(Source(s.source));
}

void SpectroBuddy::saveRegistry(KvRegistry& store, const std::string& section, const std::string& key) const {
    // Joined, not formatted with arg(): an encoded value holds "%2F" and the like.
    const QString value =
        QLatin1String("addmode=") + (add_tick->isChecked() ? '1' : '0') + QLatin1String(";source=") +
        QLatin1String(sourceNames[currentSource]) + QLatin1String(";program=") +
        encoded(program_edit->text()) + QLatin1String(";options=") + encoded(options_edit->text()) +
        QLatin1String(";timeout=") + QString::number(timeout_spin->value()) + QLatin1String(";simerror=") +
        QString::number(simerror_spin->value(), 'g', 6) + QLatin1String(";filedir=") + encoded(fileDir);
    store.putstring(section, key, value.toStdString());
}
