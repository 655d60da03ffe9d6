// The windows the converter opens besides itself: the gamut view and the
// colour-check charts, and saving on close.
#include "Tintry.h"

#include "Colourcheck.h"
#include "KvDialogs.h"
#include "KvFileInfo.h"
#include "KvGamutView.h"
#include "KvGamutWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QShortcut>

void Tintry::setupShortcuts() {
    // The chart launchers have no menu entry; these keys reach them.
    auto* fromProfile = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), this);
    fromProfile->setContext(Qt::WindowShortcut);
    connect(fromProfile, &QShortcut::activated, this, &Tintry::colourchartFromICC);
    auto* fromSwatches = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this);
    fromSwatches->setContext(Qt::WindowShortcut);
    connect(fromSwatches, &QShortcut::activated, this, &Tintry::colourchartFromFile);
}

void Tintry::closeEvent(QCloseEvent* e) {
    saveSettings(registry);
    e->accept();
}

void Tintry::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = new QMenu(this);
    e->setAccepted(true);
    e->accept();
    if (KvGamutView::supported())
        menu->addAction(tr("Display gamut"), this, &Tintry::showGamut);
    menu->addAction(copyAction);
    updateDisplayProfileAction();
    menu->addAction(displayProfileAction);
    menu->setToolTipsVisible(true);
    QAction* exportKept = menu->addAction(tr("Export kept colours..."), this, &Tintry::exportKeptColours);
    exportKept->setEnabled(history_combo->count() > 1);
    if (!menu->actions().isEmpty())
        menu->exec(e->globalPos());
    delete menu;
}

void Tintry::showGamut() {
    if (!KvGamutView::supported())
        return;
    const QString path =
        KvDialogs::getOpenProfileName(this, tr("Choose an ICC profile for Gamut viewing"), lastdir_icc);
    if (path.isNull())
        return;
    lastdir_icc = QString::fromStdString(KvFileInfo::dirnameFromPath(path.toStdString()));

    auto* window = new KvGamutWindow(path, monitorICC, lastdir_icc);
    window->resize(640, 600);
    window->setWindowTitle(QString::fromStdString(KvFileInfo::filenameFromPath(path.toStdString())));
    window->show();
}

void Tintry::colourchartFromICC() {
    auto* chart = new Colourcheck(registry, nullptr, nullptr);
    chart->chooseProfileAndChart(QFile::encodeName(monitorICC).constData(), &lastdir_icc);
    chart->show();
    saveSettings(registry);
}

void Tintry::colourchartFromFile() {
    auto* chart = new Colourcheck(registry, nullptr, nullptr);
    chart->chooseSwatchesAndChart(QFile::encodeName(monitorICC).constData(), &lastdir_file, &lastdir_icc);
    chart->show();
    saveSettings(registry);
}
