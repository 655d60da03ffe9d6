#include "MakeProfileFlow.h"

#include "Colourcheck.h"
#include "KvDialogs.h"
#include "KvFileInfo.h"
#include "MadeProfileDialog.h"
#include "MakeProfileDialog.h"
#include "MakeProfileJob.h"
#include "MakeProfileProgress.h"
#include "MeasuredSet.h"
#include "ProfilePrediction.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

namespace {

void complain(QWidget* parent, const QString& what, const std::string& why) {
    KvDialogs::message(QMessageBox::Warning, parent, MakeProfileFlow::tr("Make profile from measurements"),
                       what + QLatin1String(": ") + QString::fromLocal8Bit(why.c_str()));
}

// A file for the profile, with .icc added when no suffix was typed.
QString askTarget(Colourcheck* chart, const MeasuredSet& set) {
    QString name = QFileInfo(QString::fromStdString(set.source)).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("printer");
    const QString path = KvDialogs::getSaveFileName(
        chart, MakeProfileFlow::tr("Save the profile as"), chart->lastDir + '/' + name + ".icc",
        MakeProfileFlow::tr("ICC profiles (*.icc *.icm);;All files (*)"));
    if (path.isNull() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1String(".icc");
}

// The same chart in a window of its own, its targets from the new profile.
Colourcheck* judgeAgainst(Colourcheck* chart, const std::string& profile) {
    auto* judged = new Colourcheck(chart->registry, nullptr, nullptr);
    judged->previewProfile = chart->previewProfile;
    judged->lastDir = chart->lastDir;
    if (const Status made = ProfilePrediction::retarget(chart->document, profile, judged->document); !made) {
        delete judged->container;
        complain(chart,
                 MakeProfileFlow::tr("The chart could not be judged against %1")
                     .arg(QFile::decodeName(profile.c_str())),
                 made.failure().why);
        return nullptr;
    }
    judged->layoutPatches();
    const QString caption = MakeProfileFlow::tr("Colour check chart judged against %1")
                                .arg(QFile::decodeName(KvFileInfo::filenameFromPath(profile).c_str()));
    judged->setWindowTitle(caption);
    judged->container->setWindowTitle(caption);
    judged->show();
    // The window's own report, as its menu gives it.
    QMetaObject::invokeMethod(judged, "showReport");
    return judged;
}

} // namespace

Colourcheck* MakeProfileFlow::run(Colourcheck* chart) {
    Result<MeasuredSet> set = MeasuredSet::fromDocument(chart->document);
    Status usable = set ? set->enough() : set.status();
    if (!usable) {
        complain(chart, MakeProfileFlow::tr("No profile can be made from this chart"), usable.failure().why);
        return nullptr;
    }
    MakeProfileOptions options;
    if (!MakeProfileDialog::ask(chart, chart->registry, *set, &options))
        return nullptr;
    const QString path = askTarget(chart, *set);
    if (path.isNull())
        return nullptr;
    const QByteArray target = QFile::encodeName(path);
    chart->lastDir = QFileInfo(path).absolutePath();

    MakeProfileJob job;
    MakeProfileProgress progress(job, chart);
    if (const Status started = job.start(*set, target.toStdString(), options); !started) {
        complain(chart, MakeProfileFlow::tr("The profile was not made"), started.failure().text());
        return nullptr;
    }
    KvDialogs::exec(&progress);
    // However the window went (a test's answer, the window manager), the work goes with it.
    if (job.isRunning())
        job.cancel();
    if (!progress.succeeded()) {
        if (!progress.failure().isEmpty())
            complain(chart, MakeProfileFlow::tr("The profile was not made"),
                     progress.failure().toLocal8Bit().toStdString());
        return nullptr;
    }
    MadeProfileDialog made(job.accuracy(), chart);
    KvDialogs::exec(&made);
    return made.judgeWanted() ? judgeAgainst(chart, job.accuracy().profile) : nullptr;
}
