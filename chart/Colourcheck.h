// The colour-check chart window: a scrolling grid of patch widgets, 16 to a
// row, above the instrument panel. It asks for the chart's source, has the
// chart built (ChartGeneration), keeps the current patch, stores each reading
// in it and steps on, and exports the chart from its context menu. The window
// only wires widgets to that plain code.
#pragma once

#include "ChartHandles.h"
#include "ChartOptions.h"
#include "ChartPatch.h"
#include "KvComboColour.h"

#include <QScrollArea>
#include <QString>

#include <string>
#include <vector>

class ColourcheckPatch;
class KvPopupMenu;
class KvRegistry;
class SpectroBuddy;

class Colourcheck : public QScrollArea {
    Q_OBJECT

public:
    static constexpr int perRow = 16;
    static constexpr int side = 32;
    static constexpr int pitch = 40;
    static constexpr int margin = 8;

    // The chart lives inside `container`, a top-level window that deletes
    // itself (and the chart) when closed.
    Colourcheck(KvRegistry* registry, QWidget* parent = nullptr, const char* name = nullptr);
    ~Colourcheck() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void show();

    // The dialogs behind "Colour chart from ICC profile" and "Colour chart
    // from swatches file"; the directories are updated in place.
    int chooseProfileAndChart(const char* previewProfile, QString* dir);
    int chooseSwatchesAndChart(const char* previewProfile, QString* swatchDir, QString* profileDir);

    int chartFromICC(const char* profilePath, const char* previewProfile, unsigned long count,
                     const ChartOptions& options = {});
    int chartFromSwatchFile(const char* swatchPath, const char* profilePath, const char* previewProfile);
    int chartFromSwatches(KVCOMBOCOLOUR* records, const char* profilePath, const char* previewProfile);
    int generateChart(KvCMSHandle profile, KvCMSHandle preview, unsigned long count,
                      const ChartOptions& options = {});

    void clearChart();
    void layoutPatches();
    void updateBuddyChart();

    // The context menu as it would open now, its entries wired to the slots.
    KvPopupMenu* makeContextMenu();

    CHARTPATCH* patches = nullptr;
    QString lastDir;
    std::string previewProfile;
    QWidget* container = nullptr;
    SpectroBuddy* buddy = nullptr;
    KvRegistry* registry = nullptr;
    std::vector<ColourcheckPatch*> patchWidgets;
    unsigned long current = 0;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contentsMousePressEvent(const QPoint& contentsPos);

private slots:
    void exportChart();
    void exportISO12642();
    void colourChart();
    void colourchartFromFile();
    void chartOptions();
    void processLab(double L, double a, double b);

private:
    void setCaption(const QString& text);
    void mark(unsigned long index, bool selected);
};
