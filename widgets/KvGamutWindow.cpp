#include "KvGamutWindow.h"

#include "KvDialogs.h"
#include "KvGamut3DView.h"
#include "KvGamutReadings.h"
#include "KvGamutView.h"
#include "WholeFile.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

KvGamutWindow::KvGamutWindow(const QString& profilePath, const QString& monitorPath, const QString& dir,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), profile(profilePath), monitor(monitorPath), lastDir(dir) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QFileInfo(profilePath).fileName());

    auto* compare = new QPushButton(tr("Compare with..."), this);
    compare->setObjectName(QStringLiteral("compare_button"));
    compare->setToolTip(tr("Lay a second profile's gamut over this one as a wireframe, with the figures"));
    auto* points = new QPushButton(tr("Measured colours..."), this);
    points->setObjectName(QStringLiteral("readings_button"));
    points->setToolTip(tr("Show the readings of a measurement file or a measured chart as dots"));
    auto* save = new QPushButton(tr("Export picture..."), this);
    save->setObjectName(QStringLiteral("export_button"));
    intent = new QComboBox(this);
    intent->setObjectName(QStringLiteral("intent_combo"));
    intent->addItems(
        {tr("Perceptual"), tr("Relative Colourimetric"), tr("Saturation"), tr("Absolute Colourimetric")});
    intent->setCurrentIndex(1);
    intent->setToolTip(tr("The rendering intent the profile's colours are read through"));
    wireframe = new QCheckBox(tr("Wireframe"), this);
    wireframe->setObjectName(QStringLiteral("wireframe_check"));

    solid = new KvGamut3DView(this);
    flat = new KvGamutView(this, "gamut_plane");
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("gamut_tabs"));
    pages->addTab(solid, tr("3D"));
    pages->addTab(flat, tr("a*b* plane"));

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 6, 6, 0);
    bar->addWidget(compare);
    bar->addWidget(points);
    bar->addStretch(1);
    bar->addWidget(intent);
    bar->addWidget(wireframe);
    bar->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(bar);
    layout->addWidget(pages, 1);

    connect(compare, &QPushButton::clicked, this, &KvGamutWindow::compareWith);
    connect(points, &QPushButton::clicked, this, &KvGamutWindow::showReadings);
    connect(save, &QPushButton::clicked, this, &KvGamutWindow::exportPicture);
    connect(wireframe, &QCheckBox::toggled, solid, &KvGamut3DView::setWireframe);
    connect(intent, &QComboBox::currentIndexChanged, this, &KvGamutWindow::load);
    load();
}

// Both views read the profile through the chosen intent; a comparison
// already made is measured again through it.
void KvGamutWindow::load() {
    const int chosen = intent->currentIndex();
    solid->fromICC(profile, monitor, chosen);
    flat->fromICC(QFile::encodeName(profile).constData(), QFile::encodeName(monitor).constData(), chosen);
    if (comparedWith.isEmpty())
        return;
    const Status s = solid->compareWith(comparedWith);
    if (!s) {
        comparedWith.clear();
        complain(tr("Compare gamuts"), QString::fromStdString(s.failure().text()));
    }
}

void KvGamutWindow::complain(const QString& caption, const QString& text) {
    KvDialogs::message(QMessageBox::Warning, this, caption, text);
}

void KvGamutWindow::compareWith() {
    const QString path = KvDialogs::getOpenProfileName(this, tr("Choose a profile to compare with"), lastDir);
    if (path.isNull())
        return;
    lastDir = QFileInfo(path).absolutePath();
    const Status s = solid->compareWith(path);
    if (!s) {
        complain(tr("Compare gamuts"), QString::fromStdString(s.failure().text()));
        return;
    }
    comparedWith = path;
    pages->setCurrentWidget(solid);
}

void KvGamutWindow::showReadings() {
    const QString path =
        KvDialogs::getOpenFileName(this, tr("Choose measured colours"), lastDir,
                                   tr("Measurements (*.ti3 *.txt *.cgats *.it8 *.cie);;All files (*)"));
    if (path.isNull())
        return;
    lastDir = QFileInfo(path).absolutePath();
    Result<std::vector<KvLabPoint>> readings = KvGamutReadings::read(QFile::encodeName(path).toStdString());
    if (!readings) {
        complain(tr("Measured colours"), QString::fromStdString(readings.failure().text()));
        return;
    }
    solid->setReadings(std::move(*readings), QFileInfo(path).fileName());
    pages->setCurrentWidget(solid);
}

// The picture of the tab shown, as on screen, written whole or not at all.
void KvGamutWindow::exportPicture() {
    const QString proposed = QDir(lastDir).filePath(QFileInfo(profile).completeBaseName() + "-gamut.png");
    const QString path =
        KvDialogs::getSaveFileName(this, tr("Export the picture"), proposed, tr("PNG pictures (*.png)"));
    if (path.isNull())
        return;
    lastDir = QFileInfo(path).absolutePath();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const Status s = pages->currentWidget()->grab().toImage().save(&buffer, "PNG")
                         ? WholeFile::write(QFile::encodeName(path).toStdString(), png.toStdString())
                         : Status::failed(path.toStdString(), "the picture could not be encoded");
    if (!s)
        complain(tr("Export the picture"), QString::fromStdString(s.failure().text()));
}
