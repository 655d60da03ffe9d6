// Making a profile from measurements: colprof's options as the choices ask,
// its progress read from what it prints, fake colprofs that fail, are
// killed, hang or are cancelled (a clear message, the old profile untouched,
// no child left), a profile written only whole, and with the real colprof
// a profile LittleCMS takes as a CMYK printer profile whose profile made
// without a tenth of the patches predicts that tenth worse than the fit.
#include "ChartSession.h"
#include "ColprofRun.h"
#include "CoreTestMain.h"
#include "MakeProfileJob.h"
#include "ProfileCheck.h"
#include "ProfileMakingKit.h"
#include "ProfilePrediction.h"
#include "RequireTool.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace instrumentkit;
using namespace profilekit;

namespace {

// 124 patches of FOGRA29: enough for a profile, quick for colprof.
MeasuredSet smallSet() {
    return everyNth(*MeasuredSet::read(fogra29), 12);
}

} // namespace

class TestMakeProfile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TINTRY_NEED_TOOL(QFile::exists(fogra29), "icc-profiles-free (FOGRA29L.ti3) is not installed");
        QVERIFY(dir.isValid());
    }

    void arguments_data() {
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("black");
        QTest::addColumn<int>("inkLimit");
        QTest::addColumn<int>("chartLimit");
        QTest::addColumn<bool>("forCheck");
        QTest::addColumn<QStringList>("expected");
        const QString d = "chart.ti3, 2026-12-10";
        using O = MakeProfileOptions;
        QTest::newRow("defaults") << int(O::Medium) << int(O::Ramp) << 0 << 0 << false
                                  << QStringList{"-v", "-qm", "-kr", "-D", d};
        QTest::newRow("the chart's own limit") << int(O::Low) << int(O::Zero) << 0 << 300 << false
                                               << QStringList{"-v", "-ql", "-kz", "-l", "300", "-D", d};
        QTest::newRow("a limit chosen") << int(O::Ultra) << int(O::Maximum) << 260 << 300 << false
                                        << QStringList{"-v", "-qu", "-kx", "-l", "260", "-D", d};
        QTest::newRow("for the check") << int(O::High) << int(O::Half) << 0 << 0 << true
                                       << QStringList{"-v", "-qh", "-kh", "-bn", "-D", d};
    }
    void arguments() {
        QFETCH(int, quality);
        QFETCH(int, black);
        QFETCH(int, inkLimit);
        QFETCH(int, chartLimit);
        QFETCH(bool, forCheck);
        QFETCH(QStringList, expected);
        MakeProfileOptions o;
        o.quality = MakeProfileOptions::Quality(quality);
        o.black = MakeProfileOptions::Black(black);
        o.inkLimit = inkLimit;
        MeasuredSet set;
        set.source = "chart.ti3";
        set.inkLimit = chartLimit;
        std::tm day{};
        day.tm_year = 126, day.tm_mon = 11, day.tm_mday = 10, day.tm_hour = 12;
        QCOMPARE(o.colprofArguments(set, std::mktime(&day), forCheck), expected);
        QVERIFY(o.checksUnseen(300) && !o.checksUnseen(299));
    }

    void stages_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<double>("from");
        QTest::newRow("fit") << QByteArray("About to optimise input curves and matrix") << 0.04;
        QTest::newRow("fit again") << QByteArray("About to optimise input curves and matrix again") << 0.06;
        QTest::newRow("separations") << QByteArray("Creating B to A tables") << 0.38;
        QTest::newRow("other") << QByteArray("Black point XYZ = 0.05 0.05 0.04") << -1.0;
    }
    void stages() {
        QFETCH(QByteArray, line);
        QFETCH(double, from);
        double f = -1, t = -1;
        QString name;
        QCOMPARE(ColprofRun::stageOf(line, &f, &t, &name), from >= 0);
        if (from >= 0) {
            QCOMPARE(f, from);
            QVERIFY(t > f && !name.isEmpty());
        }
    }

    // A colprof that talks as the real one does and "makes" a known profile:
    // the progress only rises, the profile appears whole at the target, and
    // its fit is computed from it.
    void madeWithProgress() {
        MakeProfileJob job;
        job.setProgram(writeProgram(dir, "copying", copying(defaultCmyk)));
        QSignalSpy progress(&job, &MakeProfileJob::progress);
        QSignalSpy finished(&job, &MakeProfileJob::finished);
        const std::string target = dir.filePath("made.icc").toStdString();
        const Status s = job.start(smallSet(), target, {});
        QVERIFY2(s, s ? "" : s.failure().text().c_str());
        QVERIFY(finished.wait(20000));
        QVERIFY2(finished[0][0].toBool(), qPrintable(finished[0][1].toString()));
        QCOMPARE(fileBytes(QString::fromStdString(target)), fileBytes(defaultCmyk));
        int last = -1;
        QStringList stages;
        for (const QList<QVariant>& p : progress) {
            QVERIFY(p[0].toInt() >= last);
            last = p[0].toInt();
            stages << p[1].toString();
        }
        QCOMPARE(last, 100);
        QVERIFY(stages.contains("Building the separation tables"));
        QVERIFY(progress.size() > 5);
        const ProfileAccuracy& a = job.accuracy();
        QCOMPARE(a.patches, std::size_t(124));
        QVERIFY(!a.unseenChecked); // 124 patches: below 300
        QCOMPARE(a.fit.measured, std::size_t(124));
        // The fit is default_cmyk.icc's prediction of FOGRA29: nowhere near 0.
        QVERIFY(a.fit.mean > 1.0 && a.fit.maximum >= a.fit.p95 && a.fit.p95 >= a.fit.mean * 0.5);
        QVERIFY(!job.isRunning());
    }

    void refusedBeforeStarting_data() {
        QTest::addColumn<int>("patches");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("why");
        QTest::newRow("too few") << 99 << "t.icc"
                                 << "copying"
                                 << "at least 100 needed";
        QTest::newRow("target is a folder") << 120 << "."
                                            << "copying"
                                            << "Is a directory";
        QTest::newRow("folder missing") << 120 << "no/such/t.icc"
                                        << "copying"
                                        << "No such file or directory";
        QTest::newRow("no colprof") << 120 << "t.icc"
                                    << "no-such-colprof"
                                    << "Debian package argyll";
    }
    void refusedBeforeStarting() {
        QFETCH(int, patches);
        QFETCH(QString, target);
        QFETCH(QString, program);
        QFETCH(QString, why);
        writeProgram(dir, "copying", copying(defaultCmyk));
        MeasuredSet set = smallSet();
        set.patches.resize(std::size_t(patches));
        MakeProfileJob job;
        job.setProgram(dir.filePath(program));
        QSignalSpy finished(&job, &MakeProfileJob::finished);
        const Status s = job.start(set, dir.filePath(target).toStdString(), {});
        QVERIFY(!s);
        QVERIFY2(QString::fromStdString(s.failure().text()).contains(why), s.failure().text().c_str());
        QVERIFY(!job.isRunning());
        QTest::qWait(50);
        QCOMPARE(finished.count(), 0);
    }

    // Whatever goes wrong, the profile there before is left as it was and
    // no process of colprof's is left behind.
    void failures_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("why");
        QTest::newRow("colprof fails")
            << failing() << "colprof failed (exit code 1): colprof: Error - Input file";
        QTest::newRow("colprof is killed") << killed() << "colprof stopped unexpectedly";
        QTest::newRow("colprof hangs") << hanging() << "colprof said nothing for 0.5 s";
        QTest::newRow("no profile written") << writingJunk() << "wrote no CMYK printer profile";
    }
    void failures() {
        QFETCH(QByteArray, script);
        QFETCH(QString, why);
        const QString old = dir.filePath("old.icc");
        QFile::remove(old);
        QVERIFY(QFile::copy("/usr/share/color/icc/ghostscript/ps_cmyk.icc", old));
        MakeProfileJob job;
        job.setProgram(writeProgram(dir, "fake", script));
        job.setTimeout(500);
        QSignalSpy finished(&job, &MakeProfileJob::finished);
        QVERIFY(job.start(smallSet(), old.toStdString(), {}));
        QTRY_VERIFY(job.processId() > 0 || finished.count() > 0);
        const qint64 pid = job.processId();
        QVERIFY(finished.wait(5000) || finished.count() == 1);
        QVERIFY(!finished[0][0].toBool());
        QVERIFY2(finished[0][1].toString().contains(why), qPrintable(finished[0][1].toString()));
        QCOMPARE(fileBytes(old), fileBytes("/usr/share/color/icc/ghostscript/ps_cmyk.icc"));
        if (pid > 0)
            QTRY_VERIFY_WITH_TIMEOUT(sessionMembers(pid).isEmpty(), 4000);
        QVERIFY(!job.isRunning());
    }

    void cancelEndsEverything() {
        const QString old = dir.filePath("kept.icc");
        QFile::remove(old);
        QVERIFY(QFile::copy(defaultCmyk, old));
        QTemporaryDir tmp;
        qputenv("TMPDIR", tmp.path().toUtf8());
        qint64 pid = 0;
        {
            MakeProfileJob job;
            job.setProgram(writeProgram(dir, "hanging", hanging()));
            QSignalSpy finished(&job, &MakeProfileJob::finished);
            QVERIFY(job.start(smallSet(), old.toStdString(), {}));
            QTRY_VERIFY(job.processId() > 0);
            pid = job.processId();
            QTRY_COMPARE(sessionMembers(pid).size(), 2); // the shell and its sleep
            job.cancel();
            QVERIFY(!job.isRunning());
            QTRY_VERIFY_WITH_TIMEOUT(sessionMembers(pid).isEmpty(), 4000);
            QTest::qWait(100);
            QCOMPARE(finished.count(), 0);
            // Its working folder went with it.
            QCOMPARE(QDir(tmp.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
            // And the destructor ends one still running.
            QVERIFY(job.start(smallSet(), old.toStdString(), {}));
            QTRY_VERIFY(job.processId() > 0);
            pid = job.processId();
        }
        qunsetenv("TMPDIR");
        QTRY_VERIFY_WITH_TIMEOUT(sessionMembers(pid).isEmpty(), 4000);
        QCOMPARE(fileBytes(old), fileBytes(defaultCmyk));
    }

    void accuracyAsJson() {
        ProfileAccuracy a;
        a.profile = "/tmp/p.icc";
        a.patches = 300;
        a.fit.mean = 0.123456;
        a.fit.p95 = 0.5;
        a.fit.maximum = 1;
        QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(a.json())).object();
        QCOMPARE(o.keys(), QStringList({"fit", "installed", "patches", "profile", "unseen"}));
        QCOMPARE(o["fit"].toObject().keys(), QStringList({"max", "mean", "p95"}));
        QCOMPARE(o["fit"].toObject()["mean"].toDouble(), 0.1235);
        QVERIFY(o["unseen"].isNull() && o["installed"].isNull());
        QCOMPARE(o["patches"].toInt(), 300);
        a.unseenChecked = true;
        a.unseen.measured = 30;
        a.unseen.mean = 0.9;
        a.installed = "/home/x/.local/share/icc/p.icc";
        o = QJsonDocument::fromJson(QByteArray::fromStdString(a.json())).object();
        QCOMPARE(o["unseen"].toObject().keys(), QStringList({"max", "mean", "p95", "patches"}));
        QCOMPARE(o["unseen"].toObject()["patches"].toInt(), 30);
        QCOMPARE(o["installed"].toString(), QString("/home/x/.local/share/icc/p.icc"));
        QVERIFY(a.advice().startsWith("Believe the unseen patches: mean 0.90"));
    }

    // The real colprof: a CMYK printer profile LittleCMS takes, and the
    // profile made without a tenth of the patches predicts that tenth worse
    // than the whole one fits its own patches.
    void realColprofUnseenCheck() {
        TINTRY_NEED_TOOL(!QStandardPaths::findExecutable("colprof").isEmpty(),
                         "colprof (argyll) is not installed");
        const MeasuredSet set = everyNth(*MeasuredSet::read(fogra29), 7); // 213 patches
        MakeProfileOptions o;
        o.quality = MakeProfileOptions::Low;
        o.unseen = MakeProfileOptions::Always;
        MakeProfileJob job;
        QSignalSpy finished(&job, &MakeProfileJob::finished);
        const std::string target = dir.filePath("fogra29-part.icc").toStdString();
        QVERIFY(job.start(set, target, o));
        QVERIFY(finished.wait(180000));
        QVERIFY2(finished[0][0].toBool(), qPrintable(finished[0][1].toString()));
        QVERIFY(ProfilePrediction::check(target));
        const ProfileCheck c = ProfileCheck::check(target.c_str(), ProfileRole::SwatchProfile);
        QCOMPARE(int(c.profileClass), int(icSigOutputClass));
        QCOMPARE(int(c.space), int(icSigCmykData));
        const ProfileAccuracy& a = job.accuracy();
        QVERIFY(a.unseenChecked);
        QCOMPARE(a.unseen.measured, set.heldOut().size());
        QCOMPARE(a.fit.measured, set.size());
        qInfo("fit mean %.3f p95 %.3f max %.3f; unseen (%zu) mean %.3f p95 %.3f max %.3f", a.fit.mean,
              a.fit.p95, a.fit.maximum, a.unseen.measured, a.unseen.mean, a.unseen.p95, a.unseen.maximum);
        QVERIFY(a.unseen.mean > a.fit.mean);
        QVERIFY(a.unseen.p95 > a.fit.p95);
    }

private:
    QTemporaryDir dir;
};

TINTRY_CORE_TEST_MAIN(TestMakeProfile)
#include "test_make_profile.moc"
