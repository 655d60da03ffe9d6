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

bool SpectroBuddy::sourceAvailable(Source s) const {
    return sources.available(ReadingSource::Kind(s));
}

void SpectroBuddy::setSource(Source s) {
    sources.choose(ReadingSource::Kind(s));
    source_combo->setCurrentIndex(source_combo->findData(int(sources.kind())));
    settingsChanged();
    showSourceStatus();
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

ReadingSource::Target SpectroBuddy::target() const {
    ReadingSource::Target t;
    if (charted()) {
        t.chart = session;
        t.patch = session->current();
    }
    t.typed[0] = l_spin->value();
    t.typed[1] = a_spin->value();
    t.typed[2] = b_spin->value();
    return t;
}

void SpectroBuddy::showSourceStatus() {
    showStatus(sources.current().status(target()));
}

void SpectroBuddy::updateControls() {
    const ReadingSource& source = sources.current();
    const bool pastEnd = charted() && session->current() >= session->size();
    const bool typed = source.takesTypedLab(currentMode == MODE_CHART);
    for (QWidget* w : std::initializer_list<QWidget*>{l_label, l_spin, a_label, a_spin, b_label, b_spin})
        w->setVisible(typed);
    load_button->setVisible(source.loadsFiles());
    cancel_button->setVisible(source.cancels());
    cancel_button->setEnabled(source.busy());
    read_button->setEnabled(!pastEnd && source.canRead(target()));
}

void SpectroBuddy::showStatus(const QString& text) {
    status_label->setText(text);
    status_label->setVisible(!text.isEmpty());
}

void SpectroBuddy::read() {
    if (charted() && session->current() >= session->size()) {
        showChartPosition();
        return;
    }
    // A file source with nothing loaded asks for the file first.
    if (sources.kind() == ReadingSource::File && sources.file().file().readings().empty()) {
        chooseFile();
        return;
    }
    sources.current().read(target());
    updateControls();
}

void SpectroBuddy::cancel() {
    sources.current().cancel();
}

bool SpectroBuddy::deliver(double L, double a, double b) {
    QString said = tr("Last reading: %1").arg(ReadingSource::labText(L, a, b));
    if (charted()) {
        const std::size_t at = session->current();
        if (at >= session->size()) {
            showChartPosition();
            return false;
        }
        said = tr("%1 measured %2")
                   .arg(QString::fromStdString(session->name(at)), ReadingSource::labText(L, a, b));
        // The session stores the reading and steps on; the panel hears of the
        // new position like everyone else.
        session->record(L, a, b);
        said += tr(", DeltaE %1").arg(session->reading(at).deltaE, 0, 'f', 2);
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

void SpectroBuddy::setSession(ChartSession* chart) {
    if (session)
        session->disconnect(this);
    session = chart;
    if (session) {
        connect(session, &ChartSession::chartReset, this, &SpectroBuddy::chartChanged);
        connect(session, &ChartSession::currentChanged, this, &SpectroBuddy::chartChanged);
        connect(session, &ChartSession::readingChanged, this, &SpectroBuddy::showChartPosition);
    }
    chartChanged();
}

void SpectroBuddy::chartChanged() {
    sources.file().follow(session);
    if (!charted())
        result_label->hide();
    showChartPosition();
    updateControls();
}

void SpectroBuddy::showChartPosition() {
    if (!charted()) {
        chart_label->hide();
        return;
    }
    const std::size_t at = session->current();
    const std::size_t count = session->size();
    QString text;
    if (at < count) {
        const double* target = session->patch(at).labD50;
        text = tr("Patch %1 of %2").arg(at + 1).arg(count) + QLatin1String(": ") +
               QString::fromStdString(session->name(at)) +
               tr(", target %1").arg(ReadingSource::labText(target[0], target[1], target[2]));
    } else if (session->measuredCount() == count) {
        text = tr("Every patch has a reading; click a patch to measure again from there");
    } else {
        // Truthful after a partial file or a start past the first patch.
        text = tr("%1 of %2 patches have a reading; click a patch to measure from there")
                   .arg(session->measuredCount())
                   .arg(count);
    }
    chart_label->setText(text);
    chart_label->show();
}

// --- measurement file ----------------------------------------------------

void SpectroBuddy::chooseFile() {
    const QString path =
        KvDialogs::getOpenFileName(this, tr("Choose a measurement file"), sources.file().folder(),
                                   tr("Measurement files (*.ti3 *.txt *.cgats *.it8 *.cie);;All files (*)"));
    if (!path.isNull())
        loadMeasurementFile(path);
}

bool SpectroBuddy::loadMeasurementFile(const QString& path) {
    setSource(SourceFile);
    const bool loaded = sources.file().load(path, charted() ? session.data() : nullptr);
    if (loaded && charted()) {
        sources.file().applyTo(*session);
        result_label->hide();
    }
    showSourceStatus();
    updateControls();
    return loaded;
}

// --- spotread ---------------------------------------------------------------

void SpectroBuddy::chooseProgram() {
    const QString path = KvDialogs::getOpenFileName(this, tr("Choose the spotread program"),
                                                    QFileInfo(spotread().executable()).absolutePath());
    if (!path.isNull())
        program_edit->setText(path);
}

void SpectroBuddy::spotreadSettingsEdited() {
    spotread().setProgram(program_edit->text());
    spotread().setArguments(QProcess::splitCommand(options_edit->text()));
    spotread().setTimeout(timeout_spin->value() * 1000);
    settingsChanged();
    updateSourceList();
    if (sources.kind() == ReadingSource::Spotread)
        showSourceStatus();
    updateControls();
}

// --- settings -----------------------------------------------------------------

void SpectroBuddy::loadRegistry(KvRegistry& registry, const std::string& section, const std::string& key) {
    PanelSettings s;
    if (!PanelSettings::parse(registry.getstring(section, key), &s))
        s = PanelSettings(); // missing or damaged: the defaults
    loading = true;
    add_tick->setChecked(s.addMode);
    program_edit->setText(s.program);
    options_edit->setText(s.options);
    timeout_spin->setValue(s.timeoutSeconds);
    simerror_spin->setValue(s.simulatedError);
    sources.apply(s);
    spotreadSettingsEdited();
    setSource(Source(s.source));
    loading = false;
}

void SpectroBuddy::saveChangesTo(KvRegistry* registry, const std::string& section, const std::string& key) {
    store = registry;
    storeSection = section;
    storeKey = key;
    settingsChanged();
}

PanelSettings SpectroBuddy::settings() const {
    PanelSettings s;
    sources.fill(s);
    s.addMode = add_tick->isChecked();
    s.program = program_edit->text();
    s.options = options_edit->text();
    s.timeoutSeconds = timeout_spin->value();
    s.simulatedError = simerror_spin->value();
    return s;
}

void SpectroBuddy::saveRegistry(KvRegistry& registry, const std::string& section,
                                const std::string& key) const {
    registry.putstring(section, key, settings().encode());
}

void SpectroBuddy::settingsChanged() {
    if (store == nullptr || loading)
        return;
    const std::string value = settings().encode();
    if (store->getstring(storeSection, storeKey) != value)
        store->putstring(storeSection, storeKey, value);
}
