// "Make profile from measurements..." in the chart window, answered through
// the dialog seam with a fake colprof on PATH: a chart that cannot give a
// profile says why, the options go to colprof and are remembered, the
// progress bar runs to the end, Install puts the profile into the user's
// folder, the same chart is judged against the new profile in a window of
// its own, and Cancel or a failing colprof leave nothing behind.
#include "ChartSession.h"
#include "ChartWindowKit.h"
#include "Colourcheck.h"
#include "DialogScript.h"
#include "KvPopupMenu.h"
#include "MakeProfileDialog.h"
#include "MakeProfileFlow.h"
#include "ProfileMakingKit.h"
#include "TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace chartkit;
using namespace instrumentkit;

namespace {

bool hasEntry(Colourcheck* chart, const QString& text) {
    KvPopupMenu* menu = chart->makeContextMenu();
    bool found = false;
    for (QAction* a : menu->actions())
        found = found || a->text() == text;
    delete menu;
    return found;
}

// Paper white first among the control patches: colprof needs it.
ChartOptions withControls() {
    ChartOptions o;
    o.controls = true;
    return o;
}

// Readings near the targets, `count` patches from the first.
void measure(ChartSession& s, std::size_t count) {
    for (std::size_t i = 0; i < count && i < s.size(); ++i) {
        const double* t = s.patch(i).labD50;
        s.recordAt(i, t[0] + 0.3 * double(i % 5), t[1] - 0.2, t[2] + 0.1 * double(i % 3));
    }
}

// The progress window's answer: wait for the work to end, as a person would.
KvDialogAnswer waitForTheEnd() {
    return KvDialogAnswer::dialog(
        [](QDialog* d) { (void)QTest::qWaitFor([d] { return d->result() == QDialog::Accepted; }, 20000); });
}

// The outcome window's answer: press these buttons in turn.
KvDialogAnswer press(const QStringList& buttons, QString* status = nullptr) {
    return KvDialogAnswer::dialog([buttons, status](QDialog* d) {
        for (const QString& name : buttons)
            if (auto* b = d->findChild<QPushButton*>(name))
                b->click();
        if (status)
            *status = d->findChild<QLabel*>("status_label")->text();
    });
}

} // namespace

class TestMakeProfileWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QFile::exists(defaultCmyk) || !QFile::exists(srgb))
            QSKIP("the Ghostscript profiles (libgs-common) are not installed");
        for (const char* folder : {"bin", "hang", "fail"})
            QVERIFY(QDir().mkpath(dir.filePath(folder)));
        writeProgram(dir, "bin/colprof", profilekit::copying(defaultCmyk));
        writeProgram(dir, "hang/colprof",
                     profilekit::fakeStart() + "echo $$ > \"$FAKE_COLPROF_LOG.pid\"\nsleep 1000\n");
        writeProgram(dir, "fail/colprof", profilekit::failing());
        oldPath = qgetenv("PATH");
        usePath("bin");
        qputenv("FAKE_COLPROF_LOG", dir.filePath("colprof.log").toUtf8());
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
    }
    void cleanupTestCase() { qputenv("PATH", oldPath); }

    void refusedWithTheReason_data() {
        QTest::addColumn<int>("patches");
        QTest::addColumn<int>("measured");
        QTest::addColumn<QString>("why");
        QTest::addColumn<bool>("controls");
        QTest::newRow("unmeasured patches") << 128 << 120 << "8 of 128 patches have no reading" << true;
        QTest::newRow("too few") << 64 << 64 << "64 measured, at least 100 needed" << true;
        // A chart thinned from the grid alone may have lost the bare paper.
        QTest::newRow("no paper") << 128 << 128 << "no patch of bare paper" << false;
    }
    void refusedWithTheReason() {
        QFETCH(int, patches);
        QFETCH(int, measured);
        QFETCH(QString, why);
        QFETCH(bool, controls);
        Window w;
        QVERIFY(!hasEntry(w.chart, "Make profile from measurements..."));
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, static_cast<unsigned long>(patches),
                                       controls ? withControls() : ChartOptions{}),
                 0);
        QVERIFY(hasEntry(w.chart, "Make profile from measurements..."));
        measure(*w.chart->session, std::size_t(measured));
        DialogScript dialogs;
        QVERIFY(MakeProfileFlow::run(w.chart) == nullptr);
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages()[0].startsWith("Make profile from measurements|No profile can be made") &&
                     dialogs.messages()[0].contains(why),
                 qPrintable(dialogs.messages()[0]));
        QCOMPARE(dialogs.unanswered, 0);
    }

    void madeInstalledJudged() {
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 128, withControls()), 0);
        measure(*w.chart->session, 128);
        const ChartVerdict before = w.chart->document.judge({});
        QFile::remove(dir.filePath("colprof.log"));
        const QString target = dir.filePath("printer.icc");
        DialogScript dialogs;
        dialogs.answer(KvDialogAnswer::dialog([](QDialog* d) {
            d->findChild<QPushButton*>("options_button")->click();
            QVERIFY(d->findChild<QComboBox*>("quality_combo")->isVisibleTo(d));
            d->findChild<QComboBox*>("quality_combo")->setCurrentIndex(MakeProfileOptions::Low);
            d->findChild<QComboBox*>("black_combo")->setCurrentIndex(MakeProfileOptions::Zero);
            d->findChild<QCheckBox*>("ink_limit_check")->setChecked(true);
            d->findChild<QSpinBox*>("ink_limit_spin")->setValue(280);
        }));
        dialogs.openFile(dir.filePath("printer")); // the suffix is added
        dialogs.answer(waitForTheEnd());
        QString status;
        dialogs.answer(press({"install_button", "judge_button"}, &status));
        Colourcheck* judged = MakeProfileFlow::run(w.chart);
        QVERIFY(judged != nullptr);
        QCOMPARE(dialogs.unanswered, 0);
        QCOMPARE(profilekit::fileBytes(target), profilekit::fileBytes(defaultCmyk));
        // colprof was asked for what was chosen.
        const QByteArray args = profilekit::fileBytes(dir.filePath("colprof.log"));
        QVERIFY2(args.contains("-v -ql -kz -l 280 -D ") && args.contains("-O profile.icc profile"),
                 args.constData());
        // Installed where colord looks.
        const QString installed = dir.filePath("data/icc/printer.icc");
        QCOMPARE(status, "Installed as " + installed);
        QCOMPARE(profilekit::fileBytes(installed), profilekit::fileBytes(defaultCmyk));
        // The choices are remembered, the description is the chart's own.
        const MakeProfileOptions kept = MakeProfileDialog::load(&w.store);
        QCOMPARE(int(kept.quality), int(MakeProfileOptions::Low));
        QCOMPARE(int(kept.black), int(MakeProfileOptions::Zero));
        QCOMPARE(kept.inkLimit, 280);
        // The form of the outcome: the fit, and which figure to believe.
        bool sawReport = false;
        for (const KvDialogRequest& r : dialogs.requests)
            if (r.kind == KvDialogRequest::Message && r.caption == "Verification report")
                sawReport = true;
        QVERIFY(sawReport);
        // Judged against the new profile, which here is the chart's own: the
        // same chart, the same readings, the same verdict, in a window of its own.
        const ChartSession& s = *judged->session;
        QCOMPARE(s.size(), std::size_t(128));
        QCOMPARE(s.measuredCount(), std::size_t(128));
        const ChartVerdict after = judged->document.judge({});
        QVERIFY(std::fabs(after.mean - before.mean) < 1e-6);
        QCOMPARE(judged->patchWidgets.size(), std::size_t(128));
        QVERIFY(judged->container->windowTitle().contains("judged against printer.icc"));
        QVERIFY(judged->container != w.chart->container);
        delete judged->container;
    }

    void cancelLeavesNothing() {
        usePath("hang");
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 128, withControls()), 0);
        measure(*w.chart->session, 128);
        const QString pid = dir.filePath("colprof.log.pid");
        QFile::remove(pid);
        DialogScript dialogs;
        dialogs.answer(KvDialogAnswer::dialog([](QDialog*) {})); // the options as they are
        dialogs.openFile(dir.filePath("cancelled.icc"));
        qint64 colprof = 0;
        dialogs.answer(KvDialogAnswer::dialog([&](QDialog* d) {
            (void)QTest::qWaitFor([&] { return !profilekit::fileBytes(pid).isEmpty(); }, 5000);
            colprof = profilekit::fileBytes(pid).trimmed().toLongLong();
            d->findChild<QPushButton*>("cancel_button")->click();
        }));
        QVERIFY(MakeProfileFlow::run(w.chart) == nullptr);
        usePath("bin");
        QVERIFY(colprof > 0);
        QTRY_VERIFY_WITH_TIMEOUT(sessionMembers(colprof).isEmpty(), 4000);
        QVERIFY(!QFile::exists(dir.filePath("cancelled.icc")));
        QCOMPARE(dialogs.messages(), QStringList()); // Cancel is no failure to report
    }

    void failureIsSaid() {
        usePath("fail");
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 128, withControls()), 0);
        measure(*w.chart->session, 128);
        DialogScript dialogs;
        dialogs.answer(KvDialogAnswer::dialog([](QDialog*) {}));
        dialogs.openFile(dir.filePath("failed.icc"));
        dialogs.answer(waitForTheEnd());
        QVERIFY(MakeProfileFlow::run(w.chart) == nullptr);
        usePath("bin");
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages()[0].contains("The profile was not made: colprof failed (exit code 1)"),
                 qPrintable(dialogs.messages()[0]));
        QVERIFY(!QFile::exists(dir.filePath("failed.icc")));
    }

private:
    void usePath(const char* folder) { qputenv("PATH", (dir.filePath(folder) + ":/usr/bin:/bin").toUtf8()); }

    QTemporaryDir dir;
    QByteArray oldPath;
};

TINTRY_TEST_MAIN(TestMakeProfileWindow)
#include "test_make_profile_window.moc"
