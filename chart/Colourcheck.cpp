#include "Colourcheck.h"

#include "ChartGeneration.h"
#include "ChartOptionsDialog.h"
#include "ChartRecords.h"
#include "ColourcheckPatch.h"
#include "ExportISO12642.h"
#include "KvDialogs.h"
#include "KvFileInfo.h"
#include "KvPopupMenu.h"
#include "PostScriptChart.h"
#include "SpectroBuddy.h"
#include "SwatchImporter.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <cstdio>
#include <ctime>

namespace {

QString directoryOf(const QByteArray& path) {
    return QFile::decodeName(KvFileInfo::dirnameFromPath(path.toStdString()).c_str());
}

// The wait cursor for as long as a chart is being built.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

Colourcheck::Colourcheck(KvRegistry* store, QWidget* parent, const char* name)
    : QScrollArea(parent), registry(store) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    container = new QWidget(nullptr);
    container->setObjectName(QStringLiteral("parent widget"));
    container->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setParent(container);
    move(0, 0);
    layout->addWidget(this, 1);

    auto* contents = new QWidget;
    contents->setObjectName(QStringLiteral("chart contents"));
    setWidget(contents);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    for (QWidget* w : {viewport(), contents}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, Qt::white);
        w->setPalette(pal);
        w->setAutoFillBackground(true);
        w->setMouseTracking(true);
    }
    setFocusPolicy(Qt::StrongFocus);
    setCaption(tr("Colour check chart"));

    auto* box = new QGroupBox(container);
    buddy = new SpectroBuddy(box, true);
    layout->addWidget(box, 0);
    buddy->showAddMode(false);
    buddy->setMode(SpectroBuddy::MODE_CHART);
    // The instrument as last set up in the converter window.
    if (registry)
        buddy->loadRegistry(*registry, "tintry", "instrument");
    connect(buddy, SIGNAL(spotLab(double, double, double)), this, SLOT(processLab(double, double, double)));

    installEventFilter(this);
    container->resize(700, 400);
    layoutPatches();
}

Colourcheck::~Colourcheck() {
    removeEventFilter(this);
    clearChart();
    delete buddy;
    buddy = nullptr;
}

void Colourcheck::setCaption(const QString& text) {
    setWindowTitle(text);
    container->setWindowTitle(text);
}

bool Colourcheck::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_W && (key->modifiers() & Qt::ControlModifier)) {
            container->close();
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void Colourcheck::show() {
    container->show();
    QScrollArea::show();
}

int Colourcheck::chooseProfileAndChart(const char* preview, QString* dir) {
    const QString path = KvDialogs::getOpenFileName(this, tr("Choose an ICC profile for charting"), *dir);
    if (path.isNull())
        return 0;
    *dir = directoryOf(QFile::encodeName(path));
    bool ok = false;
    // The remembered chart options; all off, the count is asked as it always was.
    const ChartOptions options = ChartOptionsDialog::load(registry);
    const int most =
        static_cast<int>(options.plain() ? ChartOptions::plainMaxPatches : ChartOptions::maxPatches);
    const int least = options.controls ? 16 : 8; // room beyond the controls
    const int count = KvDialogs::getInt(nullptr, tr("Colour check chart"), tr("Number of patches"), 64, least,
                                        most, 1, &ok);
    if (!ok)
        return 0;
    WaitCursor wait;
    return chartFromICC(QFile::encodeName(path).constData(), preview, static_cast<unsigned long>(count),
                        options);
}

int Colourcheck::chooseSwatchesAndChart(const char* preview, QString* swatchDir, QString* profileDir) {
    const QString swatches =
        KvDialogs::getOpenFileName(this, tr("Choose an swatch file containing the chart"), *swatchDir);
    if (swatches.isNull())
        return 0;
    *swatchDir = directoryOf(QFile::encodeName(swatches));
    const QString profile =
        KvDialogs::getOpenFileName(this, tr("Choose an ICC source profile for these patches"), *profileDir);
    if (profile.isNull())
        return 0;
    *profileDir = directoryOf(QFile::encodeName(profile));
    return chartFromSwatchFile(QFile::encodeName(swatches).constData(),
                               QFile::encodeName(profile).constData(), preview);
}

int Colourcheck::chartFromICC(const char* profilePath, const char* preview, unsigned long count,
                              const ChartOptions& options) {
    previewProfile = preview ? preview : "";
    ChartHandles handles;
    if (profilePath == nullptr || !handles.openForGrid(profilePath, preview))
        return -1;
    const int result = generateChart(handles.profile, handles.preview, count, options);
    lastDir = directoryOf(profilePath);
    // The text ends in a space already; the caption has always had two.
    setCaption(tr("Colour check chart for ICC profile ") + ' ' +
               QFile::decodeName(KvFileInfo::filenameFromPath(profilePath).c_str()));
    return result;
}

int Colourcheck::generateChart(KvCMSHandle profile, KvCMSHandle preview, unsigned long count,
                               const ChartOptions& options) {
    const icColorSpaceSignature space = profile ? ChartHandles::spaceOf(profile) : icSigNoSpace;
    if (space != icSigCmykData && space != icSigRgbData)
        return -1;
    clearChart();
    const int result = ChartGeneration::generateChart(&patches, profile, preview, count, stdout, options);
    std::fflush(stdout);
    layoutPatches();
    return result;
}

int Colourcheck::chartFromSwatchFile(const char* swatchPath, const char* profilePath, const char* preview) {
    WaitCursor wait;
    SwatchType type = SWATCH_UNKNOWN;
    KVCOMBOCOLOUR* records = SwatchImporter::import(swatchPath, type, 0);
    const int result = chartFromSwatches(records, profilePath, preview);
    KvPacketFreeList(&records, KV_PACKET_COMBOCOLOUR);
    return result;
}

int Colourcheck::chartFromSwatches(KVCOMBOCOLOUR* records, const char* profilePath, const char* preview) {
    clearChart();
    ChartHandles handles;
    if (profilePath == nullptr || !handles.openForSwatches(profilePath, preview))
        return -1;
    // Kept so that charts opened from this one preview through the same monitor.
    previewProfile = preview ? preview : "";
    ChartGeneration::patchesFromSwatches(&patches, records, handles);
    layoutPatches();
    return 0;
}

void Colourcheck::clearChart() {
    if (buddy)
        buddy->setComboChart(nullptr, 0);
    FreeList(&patches);
    for (ColourcheckPatch* w : patchWidgets)
        delete w;
    patchWidgets.clear();
    current = 0;
}

void Colourcheck::layoutPatches() {
    for (ColourcheckPatch* w : patchWidgets)
        delete w;
    patchWidgets.assign(static_cast<std::size_t>(ListLength(patches)), nullptr);
    int x = margin;
    int y = margin;
    std::size_t placed = 0;
    for (const CHARTPATCH* p = patches; p != nullptr; p = KvNext(p)) {
        auto* w = new ColourcheckPatch(widget());
        w->resize(side, side);
        w->setPatch(p);
        w->move(x, y);
        w->show();
        patchWidgets[placed++] = w;
        x += pitch;
        if (placed % perRow == 0 && KvNext(p) != nullptr) {
            x = margin;
            y += pitch;
        }
    }
    current = 0;
    if (!patchWidgets.empty())
        mark(0, true);
    widget()->resize(margin + perRow * pitch, y + pitch);
    updateBuddyChart();
}

void Colourcheck::updateBuddyChart() {
    if (patches == nullptr) {
        buddy->setComboChart(nullptr, 0);
        return;
    }
    KVCOMBOCOLOUR_CC records;
    if (!ChartRecords::fill(patches, records))
        return;
    buddy->setComboChart(records.list, current);
}

void Colourcheck::mark(unsigned long index, bool selected) {
    ColourcheckPatch* w = patchWidgets[index];
    if (w->selected != selected) {
        w->selected = selected;
        w->update();
    }
}

KvPopupMenu* Colourcheck::makeContextMenu() {
    auto* menu = new KvPopupMenu(this);
    auto add = [&](const QString& text, const char* slot) {
        connect(menu->actionFor(menu->insertItem(text)), SIGNAL(triggered()), this, slot);
    };
    if (patches != nullptr) {
        add(tr("Export chart as postscript file"), SLOT(exportChart()));
        add(tr("Export chart as ISO12642 file"), SLOT(exportISO12642()));
    }
    add(tr("Colour chart from ICC profile"), SLOT(colourChart()));
    add(tr("Colour chart from swatches file"), SLOT(colourchartFromFile()));
    add(tr("Chart options..."), SLOT(chartOptions()));
    return menu;
}

void Colourcheck::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    KvPopupMenu* menu = makeContextMenu();
    menu->exec(event->globalPos());
    delete menu;
}

void Colourcheck::mousePressEvent(QMouseEvent* event) {
    // Presses on the patches and the space between them reach the scroll
    // area through its viewport.
    contentsMousePressEvent(widget()->mapFrom(viewport(), event->position().toPoint()));
    QScrollArea::mousePressEvent(event);
}

void Colourcheck::contentsMousePressEvent(const QPoint& contentsPos) {
    const QWidget* hit = widget()->childAt(contentsPos);
    std::size_t clicked = patchWidgets.size();
    for (std::size_t i = 0; i < patchWidgets.size(); ++i)
        if (patchWidgets[i] == hit)
            clicked = i;
    if (clicked == patchWidgets.size())
        return;
    for (std::size_t i = 0; i < patchWidgets.size(); ++i)
        mark(i, i == clicked);
    if (clicked != current) {
        current = clicked;
        updateBuddyChart();
    }
}

void Colourcheck::chartOptions() {
    ChartOptionsDialog::ask(this, registry);
}

void Colourcheck::exportChart() {
    if (patches == nullptr)
        return;
    const QString path = KvDialogs::getSaveFileName(this, tr("Choose a file for exporting"), lastDir);
    if (path.isNull())
        return;
    lastDir = directoryOf(QFile::encodeName(path));
    PostScriptChart::write(patches, QFile::encodeName(path).constData(), std::time(nullptr));
}

void Colourcheck::exportISO12642() {
    if (patches == nullptr)
        return;
    const QString path = KvDialogs::getSaveFileName(this, tr("Choose a file for exporting"), lastDir);
    if (path.isNull())
        return;
    lastDir = directoryOf(QFile::encodeName(path));
    const std::string name = QFile::encodeName(path).toStdString();
    KVCOMBOCOLOUR_CC colours;
    if (!ChartRecords::fill(patches, colours))
        return;
    ExportISO12642::exportColours(name, nullptr, colours, icSigLabData);
}

void Colourcheck::colourChart() {
    auto* chart = new Colourcheck(registry, nullptr, nullptr);
    chart->chooseProfileAndChart(previewProfile.c_str(), &lastDir);
    chart->show();
}

void Colourcheck::colourchartFromFile() {
    auto* chart = new Colourcheck(registry, nullptr, nullptr);
    chart->chooseSwatchesAndChart(previewProfile.c_str(), &lastDir, &lastDir);
    chart->show();
}

void Colourcheck::processLab(double L, double a, double b) {
    if (current < patchWidgets.size()) {
        patchWidgets[current]->setMeasured(L, a, b);
        mark(current, false);
    }
    ++current;
    if (current < patchWidgets.size())
        mark(current, true);
}
