// The chart window's exports, measurements and verdict: each asks for its
// file and hands the work to the chart document.
#include "Colourcheck.h"

#include "ChartOptionsDialog.h"
#include "KvDialogs.h"
#include "KvFileInfo.h"
#include "PageSetupDialog.h"
#include "TolerancesDialog.h"

#include <QFile>

#include <cstdio>
#include <ctime>

void Colourcheck::chartOptions() {
    ChartOptionsDialog::ask(this, registry);
}

void Colourcheck::exportChart() {
    if (session->empty())
        return;
    const QString path = KvDialogs::getSaveFileName(this, tr("Choose a file for exporting"), lastDir);
    if (path.isNull())
        return;
    const std::string name = chosen(path);
    PageLayout layout;
    if (!PageSetupDialog::ask(this, registry, static_cast<unsigned long>(session->size()), layout))
        return;
    const Status written = document.exportPaper(name, layout, std::time(nullptr));
    if (written)
        return;
    std::fprintf(stderr, "Cannot open file %s\n", name.c_str());
    KvDialogs::message(QMessageBox::Warning, this, tr("Export chart"),
                       tr("The chart could not be written to %1: %2.")
                           .arg(path, QString::fromLocal8Bit(written.failure().why.c_str())));
}

void Colourcheck::exportISO12642() {
    if (session->empty())
        return;
    const QString path = KvDialogs::getSaveFileName(this, tr("Choose a file for exporting"), lastDir);
    if (path.isNull())
        return;
    const std::string name = chosen(path);
    const Status written = document.exportCgats(name, std::time(nullptr));
    if (written)
        return;
    std::fprintf(stderr, "Cannot open file %s\n", name.c_str());
    KvDialogs::message(QMessageBox::Warning, this, tr("Colour check chart"),
                       tr("The chart could not be exported to %1: %2")
                           .arg(path, QString::fromStdString(written.failure().why)));
}

void Colourcheck::colourChart() {
    auto* chart = new Colourcheck(registry, nullptr, nullptr);
    chart->chooseProfileAndChart(previewProfile.c_str(), &lastDir);
    chart->show();
}

void Colourcheck::colourchartFromFile() {
    auto* chart = new Colourcheck(registry, nullptr, nullptr);
    chart->separateLab = separateLab;
    chart->chooseSwatchesAndChart(previewProfile.c_str(), &lastDir, &lastDir);
    chart->show();
}

void Colourcheck::processLab(double L, double a, double b) {
    session->record(L, a, b);
}

// --- measurements and the verdict -------------------------------------------

void Colourcheck::complain(const QString& what, const std::string& why) {
    KvDialogs::message(QMessageBox::Warning, this, tr("Colour check chart"),
                       what + QLatin1String(": ") + QString::fromLocal8Bit(why.c_str()));
}

// The tolerances kept in the settings (section "colourcheck"); a value that is
// missing or not a number leaves the default: every patch under 3.0.
ChartTolerances Colourcheck::tolerances() const {
    return TolerancesDialog::load(registry);
}

void Colourcheck::saveMeasurements() {
    const QString path = KvDialogs::getSaveFileName(this, tr("Save the measurements"), lastDir,
                                                    tr("Measurement files (*.ti3 *.txt);;All files (*)"));
    if (path.isNull())
        return;
    if (const Status saved = document.saveMeasurements(chosen(path), std::time(nullptr)); !saved)
        complain(tr("The measurements could not be saved to %1").arg(path), saved.failure().why);
}

void Colourcheck::openMeasurements() {
    const QString path = KvDialogs::getOpenFileName(this, tr("Open measurements"), lastDir,
                                                    tr("Measurement files (*.ti3 *.txt);;All files (*)"));
    if (path.isNull())
        return;
    const std::string name = chosen(path);
    // A bad file leaves the chart as it is.
    const Status opened = document.openMeasured(name);
    if (!opened) {
        complain(tr("%1 is not a measured chart").arg(path), opened.failure().why);
        return;
    }
    // The readings arrived with the chart; the layout keeps them.
    layoutPatches();
    for (std::size_t i = 0; i < session->size(); ++i)
        showReading(i);
    setCaption(tr("Colour check chart") + QLatin1String(" - ") +
               QFile::decodeName(KvFileInfo::filenameFromPath(name).c_str()));
}

void Colourcheck::showReport() {
    const ChartVerdict v = document.judge(tolerances());
    QString text = tr("%1 of %2 patches measured").arg(v.measured).arg(v.patches) + '\n';
    text += tr("DeltaE 2000: mean %1, median %2, 95th percentile %3, maximum %4")
                .arg(v.mean, 0, 'f', 2)
                .arg(v.median, 0, 'f', 2)
                .arg(v.p95, 0, 'f', 2)
                .arg(v.maximum, 0, 'f', 2) +
            '\n';
    text += (v.passes() ? tr("PASS") : tr("FAIL")) + '\n';
    if (!v.worst.empty()) {
        text += tr("Worst patches:");
        for (const PatchError& e : v.worst)
            text += QLatin1String("\n  ") + QString::fromStdString(e.name) + QLatin1String("  ") +
                    QString::number(e.deltaE, 'f', 2);
    }
    KvDialogs::message(v.passes() ? QMessageBox::Information : QMessageBox::Warning, this,
                       tr("Verification report"), text);
}

void Colourcheck::exportReport() {
    const QString path = KvDialogs::getSaveFileName(this, tr("Export the verification report"), lastDir,
                                                    tr("HTML pages (*.html);;All files (*)"));
    if (path.isNull())
        return;
    const Status written =
        document.exportReport(chosen(path), tolerances(), previewProfile, std::time(nullptr));
    if (!written)
        complain(tr("The report could not be written to %1").arg(path), written.failure().why);
}

void Colourcheck::chooseTolerances() {
    TolerancesDialog::ask(this, registry);
}
