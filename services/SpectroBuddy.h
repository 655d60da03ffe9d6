// The instrument panel: fills a group box with the controls through which a
// Lab reading reaches its owner (signal spotLab). Until a spectrophotometer
// driver exists, readings are entered by hand: type L, a, b and press "Read".
// The panel keeps its own choices (add mode) in one settings value.
#pragma once

#include "KvComboColour.h"

#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class KvRegistry;
class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;

class SpectroBuddy : public QWidget {
    Q_OBJECT

public:
    // What a reading is for: a free spot reading, or the next patch of a chart.
    enum INSTRUMENT_MODE { MODE_SPOT = 0, MODE_STRIP = 1, MODE_CHART = 2 };

    // Fills `box` (giving it a layout if it has none). With `manualEntry` false
    // the hand-entry row is hidden and readings can only come from an instrument.
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
    unsigned long chartPosition() const { return chartCurrent; }

    void loadRegistry(KvRegistry& store, const std::string& section, const std::string& key);
    void saveRegistry(KvRegistry& store, const std::string& section, const std::string& key) const;

signals:
    void spotLab(double L, double a, double b);

private slots:
    void readManual();

private:
    struct Target {
        QString name;
        bool labValid;
        std::uint32_t cmyk;
        double L, a, b;
    };

    void languageChange();
    void showChartPosition();

    QDoubleSpinBox* l_spin;
    QDoubleSpinBox* a_spin;
    QDoubleSpinBox* b_spin;
    QLabel* l_label;
    QLabel* a_label;
    QLabel* b_label;
    QPushButton* read_button;
    QCheckBox* add_tick;
    QLabel* chart_label;

    int currentMode = MODE_SPOT;
    std::vector<Target> chart;
    unsigned long chartCurrent = 0;
};
