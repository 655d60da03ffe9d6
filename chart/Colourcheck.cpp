#include "Colourcheck.h"

#include "ChartGeneration.h"
#include "ChartOptionsDialog.h"
#include "ColourcheckPatch.h"
#include "KvDialogs.h"
#include "KvFileInfo.h"
#include "KvPopupMenu.h"
#include "KvRegistry.h"
#include "PageSetupDialog.h"
#include "SpectroBuddy.h"
#include "TolerancesDialog.h"

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
    : QScrollArea(parent), session(&document.session()), registry(store) {
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
    buddy->setSession(session);
    connect(session, &ChartSession::currentChanged, this, &Colourcheck::showCurrent);
    connect(session, &ChartSession::readingChanged, this, &Colourcheck::showReading);

    installEventFilter(this);
    container->resize(700, 400);
    layoutPatches();
}

Colourcheck::~Colourcheck() {
    removeEventFilter(this);
    // The panel goes first: it watches the session.
    delete buddy;
    buddy = nullptr;
    session->disconnect(this);
    clearChart();
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
    if (profilePath == nullptr)
        return -1;
    const Status built = document.buildFromProfile(profilePath, previewProfile, count, options, stdout);
    std::fflush(stdout);
    if (!built)
        return -1;
    layoutPatches();
    lastDir = directoryOf(profilePath);
    // The text ends in a space already; the caption has always had two.
    setCaption(tr("Colour check chart for ICC profile ") + ' ' +
               QFile::decodeName(KvFileInfo::filenameFromPath(profilePath).c_str()));
    return 0;
}

int Colourcheck::generateChart(KvCMSHandle profile, KvCMSHandle preview, unsigned long count,
                               const ChartOptions& options) {
    const Status built = document.buildFromHandles(profile, preview, count, options, stdout);
    std::fflush(stdout);
    if (!built)
        return -1;
    layoutPatches();
    return 0;
}

int Colourcheck::chartFromSwatchFile(const char* swatchPath, const char* profilePath, const char* preview) {
    Status built = Status::failed("", "no swatch file or profile");
    if (swatchPath && profilePath) {
        WaitCursor wait;
        previewProfile = preview ? preview : "";
        built = document.buildFromSwatchFile(swatchPath, profilePath, previewProfile, separateLab);
    }
    const QString file =
        QFile::decodeName(KvFileInfo::filenameFromPath(swatchPath ? swatchPath : "").c_str());
    if (built) {
        layoutPatches();
        if (!session->empty())
            setCaption(tr("Colour check chart for swatch file %1 (%2)").arg(file, inkNoteText()));
        return 0;
    }
    KvDialogs::message(
        QMessageBox::Warning, this, tr("Colour check chart"),
        tr("No chart from the swatch file %1: %2").arg(file, QString::fromStdString(built.failure().why)));
    return -1;
}

int Colourcheck::chartFromSwatches(KVCOMBOCOLOUR* records, const char* profilePath, const char* preview) {
    return chartFromSwatches(records, profilePath, preview, nullptr);
}

int Colourcheck::chartFromSwatches(KVCOMBOCOLOUR* records, const char* profilePath, const char* preview,
                                   std::string* why) {
    // Kept so that charts opened from this one preview through the same monitor.
    previewProfile = preview ? preview : "";
    // As the window always did: the chart goes first, even when the new one cannot be made.
    clearChart();
    layoutPatches();
    const Status built = profilePath
                             ? document.buildFromSwatches(records, profilePath, previewProfile, separateLab)
                             : Status::failed("", "no profile");
    if (!built) {
        if (why)
            *why = built.failure().why;
        return -1;
    }
    layoutPatches();
    return 0;
}

QString Colourcheck::inkNoteText() const {
    const ChartGeneration::SwatchInks& inks = document.origin().inks;
    if (inks.separated == 0)
        return tr("inks from the file");
    if (inks.fromFile == 0)
        return tr("inks separated from the file's Lab through the profile");
    return tr("inks from the file where it has them, else separated through the profile");
}

void Colourcheck::clearChart() {
    for (ColourcheckPatch* w : patchWidgets)
        delete w;
    patchWidgets.clear();
    document.clear();
}

void Colourcheck::layoutPatches() {
    for (ColourcheckPatch* w : patchWidgets)
        delete w;
    patchWidgets.assign(session->size(), nullptr);
    int x = margin;
    int y = margin;
    for (std::size_t i = 0; i < session->size(); ++i) {
        auto* w = new ColourcheckPatch(widget(), session, i);
        w->resize(side, side);
        w->move(x, y);
        w->show();
        patchWidgets[i] = w;
        x += pitch;
        if ((i + 1) % perRow == 0 && i + 1 < session->size()) {
            x = margin;
            y += pitch;
        }
    }
    session->setCurrent(0);
    shownCurrent = session->current();
    widget()->resize(margin + perRow * pitch, y + pitch);
}

void Colourcheck::showCurrent(std::size_t now) {
    if (shownCurrent < patchWidgets.size())
        patchWidgets[shownCurrent]->update();
    shownCurrent = now;
    if (now < patchWidgets.size()) {
        patchWidgets[now]->update();
        ensureWidgetVisible(patchWidgets[now]);
    }
}

void Colourcheck::showReading(std::size_t patch) {
    if (patch < patchWidgets.size())
        patchWidgets[patch]->updateInfo();
}

KvPopupMenu* Colourcheck::makeContextMenu() {
    auto* menu = new KvPopupMenu(this);
    auto add = [&](const QString& text, const char* slot) {
        connect(menu->actionFor(menu->insertItem(text)), SIGNAL(triggered()), this, slot);
    };
    if (!session->empty()) {
        add(tr("Export chart as postscript file"), SLOT(exportChart()));
        add(tr("Export chart as ISO12642 file"), SLOT(exportISO12642()));
    }
    add(tr("Colour chart from ICC profile"), SLOT(colourChart()));
    add(tr("Colour chart from swatches file"), SLOT(colourchartFromFile()));
    add(tr("Chart options..."), SLOT(chartOptions()));
    QAction* separate = menu->actionFor(menu->insertItem(tr("Separate the file's Lab through the profile")));
    separate->setCheckable(true);
    separate->setChecked(separateLab);
    connect(separate, &QAction::toggled, this, [this](bool on) { separateLab = on; });
    // Measuring comes after what the chart window has always offered.
    menu->addSeparator();
    if (!session->empty()) {
        add(tr("Save measurements..."), SLOT(saveMeasurements()));
        add(tr("Verification report..."), SLOT(showReport()));
        add(tr("Export verification report as HTML..."), SLOT(exportReport()));
        add(tr("Tolerances..."), SLOT(chooseTolerances()));
    }
    add(tr("Open measurements..."), SLOT(openMeasurements()));
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
    if (clicked < patchWidgets.size())
        session->setCurrent(clicked);
}

std::string Colourcheck::chosen(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    lastDir = directoryOf(name);
    return name.toStdString();
}
