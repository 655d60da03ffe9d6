// The colour-check chart window: a scrolling grid of patch widgets, 16 to a
// row, above the instrument panel. It asks for the chart's source and hands
// every operation to its chart document (ChartDocument): building, exports,
// measurements, the verdict. The document's session holds the patches, the
// current patch and the readings; the window, its patch widgets and the panel
// only show it.
#pragma once

#include "ChartDocument.h"
#include "ChartOptions.h"
#include "ChartPatch.h"
#include "ChartSession.h"
#include "ChartVerdict.h"
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
    // The same, with the reason for a refusal in `why`.
    int chartFromSwatches(KVCOMBOCOLOUR* records, const char* profilePath, const char* previewProfile,
                          std::string* why);
    int generateChart(KvCMSHandle profile, KvCMSHandle preview, unsigned long count,
                      const ChartOptions& options = {});

    void clearChart();
    void layoutPatches();

    // The context menu as it would open now, its entries wired to the slots.
    KvPopupMenu* makeContextMenu();

    const CHARTPATCH* patches() const { return session->patches(); }
    unsigned long current() const { return static_cast<unsigned long>(session->current()); }

    ChartDocument document;
    ChartSession* session = nullptr; // the document's
    QString lastDir;
    std::string previewProfile;
    QWidget* container = nullptr;
    SpectroBuddy* buddy = nullptr;
    KvRegistry* registry = nullptr;
    std::vector<ColourcheckPatch*> patchWidgets;
    // Swatch charts opened from here print the profile's separation of each
    // swatch's Lab rather than the file's own inks.
    bool separateLab = false;

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
    void saveMeasurements();
    void openMeasurements();
    void showReport();
    void exportReport();
    void chooseTolerances();

private:
    void setCaption(const QString& text);
    void complain(const QString& what, const std::string& why);
    // The path a dialog gave, as the core takes it; remembers its folder.
    std::string chosen(const QString& path);
    ChartTolerances tolerances() const;
    void showCurrent(std::size_t current);
    void showReading(std::size_t patch);

    QString inkNoteText() const;

    std::size_t shownCurrent = 0; // the patch drawn framed
};
