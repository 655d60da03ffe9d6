// The instrument panel: fills a group box with the controls through which a
// Lab reading reaches its owner (signal spotLab). Where readings come from
// is one of the core's reading sources (ReadingSources: manual entry,
// spotread, a measurement file, a simulated instrument), chosen in the panel
// and kept in its settings value; the panel only draws what the source in
// use says and hands its readings on.
//
// In chart mode the panel works on a chart session (ChartSession): readings
// go into the session's current patch, and the panel shows what the session
// says, whoever moved it.
#pragma once

#include "ChartSession.h"
#include "PanelSettings.h"
#include "ReadingSources.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class KvRegistry;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

class SpectroBuddy : public QWidget {
    Q_OBJECT

public:
    // What a reading is for: a free spot reading, or the next patch of a chart.
    enum INSTRUMENT_MODE { MODE_SPOT = 0, MODE_STRIP = 1, MODE_CHART = 2 };
    // Where readings come from; the values index nothing and may be stored.
    enum Source {
        SourceManual = PanelSettings::Manual,
        SourceSpotread = PanelSettings::Spotread,
        SourceFile = PanelSettings::File,
        SourceSimulated = PanelSettings::Simulated
    };

    // Fills `box` (giving it a layout if it has none). With `manualEntry` false
    // manual entry is not offered and readings come from a source of readings.
    SpectroBuddy(QGroupBox* box, bool manualEntry);
    ~SpectroBuddy() override;

    void setMode(int mode);
    int mode() const { return currentMode; }
    void showAddMode(bool show);
    bool isAddMode() const;

    // The chart the readings go to; the panel follows it until it is set again
    // (nullptr: no chart). The session must outlive the panel or be unset.
    void setSession(ChartSession* chart);
    ChartSession* chartSession() const { return session; }
    int chartLength() const { return session ? int(session->size()) : 0; }
    // The patch the next reading goes to; chartLength() once every patch is read.
    unsigned long chartPosition() const {
        return session ? static_cast<unsigned long>(session->current()) : 0;
    }

    void setSource(Source source);
    Source source() const { return Source(sources.kind()); }
    bool sourceAvailable(Source source) const;

    // Loads a measurement file and chooses it as the source; in chart mode its
    // readings go to the chart at once. False when nothing could be read.
    bool loadMeasurementFile(const QString& path);
    const MeasurementFile& measurementFile() const { return sources.file().file(); }

    SpotreadSource& spotread() { return sources.instrument().spotread(); }
    double simulatedError() const;
    void setSimulatedError(double deltaE);

    void loadRegistry(KvRegistry& store, const std::string& section, const std::string& key);
    // From now on every change of the settings is written into `store` at
    // once (nullptr: no longer), so whatever saves the store saves the panel's
    // latest choice, not the one of the last refresh.
    void saveChangesTo(KvRegistry* store, const std::string& section, const std::string& key);
    void saveRegistry(KvRegistry& store, const std::string& section, const std::string& key) const;
    PanelSettings settings() const;

signals:
    void spotLab(double L, double a, double b);

private slots:
    void read();
    void cancel();
    void chooseFile();
    void chooseProgram();
    void sourceChosen(int index);
    void spotreadSettingsEdited();

private:
    void languageChange();
    void updateSourceList();
    void updateControls();
    void showChartPosition();
    void showStatus(const QString& text);
    bool charted() const { return currentMode == MODE_CHART && session && !session->empty(); }
    // Sends one reading on; in chart mode it goes into the session's current
    // patch, which steps on. False (and nothing sent) past the chart's end.
    bool deliver(double L, double a, double b);
    ReadingSource::Target target() const;
    void showSourceStatus();
    void chartChanged();
    void settingsChanged();

    QComboBox* source_combo;
    QDoubleSpinBox* l_spin;
    QDoubleSpinBox* a_spin;
    QDoubleSpinBox* b_spin;
    QLabel* l_label;
    QLabel* a_label;
    QLabel* b_label;
    QPushButton* load_button;
    QPushButton* read_button;
    QPushButton* cancel_button;
    QCheckBox* add_tick;
    QToolButton* settings_button;
    QLabel* status_label;
    QLabel* chart_label;
    QLabel* result_label;
    QWidget* settings_row;
    QLabel* program_label;
    QLineEdit* program_edit;
    QToolButton* program_button;
    QLabel* options_label;
    QLineEdit* options_edit;
    QLabel* timeout_label;
    QSpinBox* timeout_spin;
    QLabel* simerror_label;
    QDoubleSpinBox* simerror_spin;

    bool manualOffered;
    int currentMode = MODE_SPOT;
    QPointer<ChartSession> session;
    ReadingSources sources;

    KvRegistry* store = nullptr; // where changed settings go, once loaded
    std::string storeSection, storeKey;
    bool loading = false;
};
