// The instrument panel: fills a group box with the controls through which a
// Lab reading reaches its owner (signal spotLab). A reading comes from one of
// four sources, chosen in the panel and kept in its settings value:
//   - manual entry: L, a, b typed in;
//   - a spectrophotometer through ArgyllCMS's spotread (SpotreadSource);
//   - a measurement file (MeasurementFile): in a chart, loading it reads
//     every patch at once; elsewhere each Read takes the file's next row;
//   - a simulated instrument, which answers with the target moved by a set
//     CIEDE2000 error, so the chart flow can be tried without hardware.
//
// In chart mode the panel keeps a copy of the chart and follows the chart
// window by itself: the window stores each reading in its current patch and
// steps on, so the panel steps on with every reading it sends, and the
// window's setComboChart (after a click on a patch or a new layout) puts it
// back in step.
#pragma once

#include "KvComboColour.h"
#include "MeasurementFile.h"
#include "SpotreadSource.h"

#include <QRandomGenerator>
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
    enum Source { SourceManual = 0, SourceSpotread = 1, SourceFile = 2, SourceSimulated = 3 };

    // Fills `box` (giving it a layout if it has none). With `manualEntry` false
    // manual entry is not offered and readings come from a source of readings.
    SpectroBuddy(QGroupBox* box, bool manualEntry);
    ~SpectroBuddy() override;

    void setMode(int mode);
    int mode() const { return currentMode; }
    void showAddMode(bool show);
    bool isAddMode() const;

    // Hands a chart to the panel: the panel copies what it shows of the records,
    // so the caller may release them afterwards. (nullptr, 0) detaches the chart.
    void setComboChart(KVCOMBOCOLOUR* first, unsigned long current);
    int chartLength() const { return int(chart.size()); }
    // The patch the next reading goes to; chartLength() once every patch is read.
    unsigned long chartPosition() const { return chartCurrent; }

    void setSource(Source source);
    Source source() const { return currentSource; }
    bool sourceAvailable(Source source) const;

    // Loads a measurement file and chooses it as the source; in chart mode its
    // readings go to the chart at once. False when nothing could be read.
    bool loadMeasurementFile(const QString& path);
    const MeasurementFile& measurementFile() const { return file; }

    SpotreadSource& spotread() { return instrument; }
    double simulatedError() const;
    void setSimulatedError(double deltaE);

    // `target` moved along `direction` (need not be unit length) until its
    // CIEDE2000 difference from `target` is `deltaE`.
    static void offsetByDeltaE(const double* target, double deltaE, const double* direction, double* out);

    void loadRegistry(KvRegistry& store, const std::string& section, const std::string& key);
    void saveRegistry(KvRegistry& store, const std::string& section, const std::string& key) const;

signals:
    void spotLab(double L, double a, double b);

private slots:
    void read();
    void cancel();
    void chooseFile();
    void chooseProgram();
    void sourceChosen(int index);
    void spotreadState(SpotreadSource::State state, const QString& message);
    void spotreadSettingsEdited();

private:
    struct Target {
        QString name;
        bool labValid;
        std::uint32_t cmyk;
        double L, a, b;
    };

    void languageChange();
    void updateSourceList();
    void updateControls();
    void showChartPosition();
    void showStatus(const QString& text);
    // Sends one reading on; in chart mode it also steps to the next patch.
    // False (and nothing sent) once every patch of the chart has a reading.
    bool deliver(double L, double a, double b);
    void readFile();
    void applyFileToChart();
    void matchFileToChart();
    int fileRowForPatch(unsigned long patch) const;
    void readSimulated();
    const Target* currentTarget() const;

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
    Source currentSource = SourceManual;
    std::vector<Target> chart;
    unsigned long chartCurrent = 0;

    SpotreadSource instrument;
    MeasurementFile file;
    QString fileName;
    QString fileDir;
    std::size_t nextFileRow = 0;
    bool fileByName = false;            // the file names patches of the chart
    QRandomGenerator random{20240607u}; // the same demonstration every time
};
