// The chart window: layout 16 to a row, captions, the profile checks of the
// builders, selection by click, readings stepping through the patches with the
// red cross at DeltaE 3.0, the patch tooltip, the context menu, the choosers
// through the dialog seam, and Control+W.
#include "ChartWindowKit.h"
#include "Colourcheck.h"
#include "ColourcheckPatch.h"
#include "DialogScript.h"
#include "KvCMS.h"
#include "KvPopupMenu.h"
#include "KvRegistry.h"
#include "ProfileFactory.h"
#include "SpectroBuddy.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QDialog>
#include <QPointer>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace chartkit;

namespace {

// A chart of neutral Lab swatches at the given lightnesses (built without
// engine rounding: swatch patches keep the Lab they are given).
void labChart(Colourcheck* chart, const QList<double>& lightness) {
    KVCOMBOCOLOUR_CC records;
    for (double L : lightness)
        records.insertCombo(labRecord("x", L, 0, 0));
    QCOMPARE(chart->chartFromSwatches(records.list, defaultCmyk, nullptr), 0);
}

QList<QWidget*> chartWindows() {
    QList<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "parent widget")
            out << w;
    return out;
}

} // namespace

class TestChartWindow : public QObject {
    Q_OBJECT
private slots:
    void layoutOfGeneratedCharts_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QSize>("contents");
        QTest::newRow("512") << 512 << QSize(648, 1288);
        QTest::newRow("8") << 8 << QSize(648, 48);
        QTest::newRow("17") << 17 << QSize(648, 88);
    }
    void layoutOfGeneratedCharts() {
        QFETCH(int, count);
        QFETCH(QSize, contents);
        Window w;
        StreamCapture out(1);
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, count), 0);
        QVERIFY(out.text().startsWith("all done: 6560 patches created 1 skipped\n"));
        QCOMPARE(w.chart->widget()->size(), contents);
        QCOMPARE(int(w.chart->patchWidgets.size()), count);
        QCOMPARE(w.chart->patchWidgets[0]->geometry(), QRect(8, 8, 32, 32));
        QCOMPARE(w.chart->patchWidgets[count - 1]->pos(),
                 QPoint(8 + 40 * ((count - 1) % 16), 8 + 40 * ((count - 1) / 16)));
        QVERIFY(w.chart->patchWidgets[0]->selected());
        QVERIFY(!w.chart->patchWidgets[1]->selected());
        QCOMPARE(w.chart->windowTitle(), QString("Colour check chart for ICC profile  default_cmyk.icc"));
        QCOMPARE(w.container->windowTitle(), w.chart->windowTitle());
        QCOMPARE(w.chart->lastDir, QString("/usr/share/color/icc/ghostscript"));
        QCOMPARE(w.chart->buddy->chartLength(), count);
        QCOMPARE(w.container->size(), QSize(700, 400));
    }

    void refusedProfiles_data() {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("menuEntries");
        QTest::newRow("rgb: empty chart") << QString(srgb) << 0 << 5;
        QTest::newRow("lab") << "/usr/share/color/icc/ghostscript/lab.icc" << -1 << 5;
        QTest::newRow("abstract") << "abstract" << -1 << 5;
        QTest::newRow("link") << "link" << -1 << 5;
        QTest::newRow("not a profile") << "text" << -1 << 5;
    }
    // Menu entries of an empty chart: the two chart launchers, chart options,
    // the separation choice and "Open measurements...".
    void refusedProfiles() {
        QFETCH(QString, profile);
        QFETCH(int, result);
        QFETCH(int, menuEntries);
        QTemporaryDir dir;
        ProfileFactory f(dir.path());
        if (profile == "abstract")
            profile = f.labAbstract();
        else if (profile == "link")
            profile = f.link();
        else if (profile == "text")
            profile = f.text();
        Window w;
        QCOMPARE(w.chart->chartFromICC(QFile::encodeName(profile).constData(), nullptr, 64), result);
        QVERIFY(w.chart->patches() == nullptr);
        QVERIFY(w.chart->patchWidgets.empty());
        QCOMPARE(w.chart->widget()->size(), QSize(648, 48));
        const QString caption =
            result == 0 ? "Colour check chart for ICC profile  srgb.icc" : "Colour check chart";
        QCOMPARE(w.chart->windowTitle(), caption);
        std::unique_ptr<KvPopupMenu> menu(w.chart->makeContextMenu());
        QCOMPARE(menu->count(), menuEntries);
        QCOMPARE(menu->text(0), QString("Colour chart from ICC profile"));
        QCOMPARE(menu->text(1), QString("Colour chart from swatches file"));
    }

    void swatchChartNeedsCmykOutputProfile() {
        Window w;
        labChart(w.chart, {50, 60});
        KVCOMBOCOLOUR_CC records;
        records.insertCombo(labRecord("x", 50, 0, 0));
        QCOMPARE(w.chart->chartFromSwatches(records.list, srgb, nullptr), -1);
        QVERIFY(w.chart->patches() == nullptr); // cleared before the check
        QCOMPARE(w.chart->chartFromSwatches(nullptr, defaultCmyk, nullptr), 0);
        QCOMPARE(w.chart->windowTitle(), QString("Colour check chart"));
    }

    void contextMenuOfAFilledChart() {
        Window w;
        labChart(w.chart, {50});
        std::unique_ptr<KvPopupMenu> menu(w.chart->makeContextMenu());
        QCOMPARE(menu->count(), 12); // with chart options, the separation choice and six measurement entries
        QCOMPARE(menu->text(0), QString("Export chart as postscript file"));
        QCOMPARE(menu->text(1), QString("Export chart as ISO12642 file"));
        // "Colour chart from ICC profile" opens a new, empty window even when cancelled.
        DialogScript dialogs;
        dialogs.cancel();
        const int before = chartWindows().size();
        menu->actionFor(2)->trigger();
        const QList<QWidget*> after = chartWindows();
        QCOMPARE(after.size(), before + 1);
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].caption, QString("Choose an ICC profile for charting"));
        for (QWidget* c : after)
            if (c != w.container) {
                QCOMPARE(c->windowTitle(), QString("Colour check chart"));
                QVERIFY(c->isVisible());
                delete c;
            }
    }

    // Readings go to the current patch, which is then crossed out at DeltaE
    // 3.0 or more, and the next patch becomes current.
    void readingsStepThrough() {
        Window w;
        labChart(w.chart, {48.5, 48.5, 48.5});
        // Neutral colours around L 50 differ by exactly their dL in CIEDE2000.
        const double target[3] = {48.5, 0, 0};
        const double hit[3] = {51.5, 0, 0};
        QCOMPARE(KvCMS_ColourDiff_DeltaE(hit, target), 3.0);
        w.chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.container));
        auto& p = w.chart->patchWidgets;
        QMetaObject::invokeMethod(w.chart, "processLab", Q_ARG(double, 51.5), Q_ARG(double, 0),
                                  Q_ARG(double, 0));
        QCOMPARE(p[0]->deltaE(), 3.0);
        QVERIFY(!p[0]->selected() && p[1]->selected());
        QMetaObject::invokeMethod(w.chart, "processLab", Q_ARG(double, 51.499), Q_ARG(double, 0),
                                  Q_ARG(double, 0));
        QVERIFY(p[1]->deltaE() < 3.0 && p[1]->deltaE() > 2.99);
        QMetaObject::invokeMethod(w.chart, "processLab", Q_ARG(double, 48.5), Q_ARG(double, 0),
                                  Q_ARG(double, 0));
        QCOMPARE(w.chart->current(), 3ul);
        QVERIFY(!p[2]->selected());
        // Past the end: nothing changes but the count.
        QMetaObject::invokeMethod(w.chart, "processLab", Q_ARG(double, 0), Q_ARG(double, 0),
                                  Q_ARG(double, 0));
        QCOMPARE(w.chart->current(), 4ul);
        QCOMPARE(p[2]->labMeasured()[0], 48.5);

        const QColor red(Qt::red);
        auto pixel = [&](int i, int x, int y) { return p[i]->grab().toImage().pixelColor(x, y); };
        QCOMPARE(pixel(0, 10, 10), red);  // on the diagonal
        QCOMPARE(pixel(0, 21, 10), red);  // on the other diagonal
        QVERIFY(pixel(0, 16, 10) != red); // between them
        QVERIFY(pixel(1, 10, 10) != red); // 2.999: no cross
    }

    // A session of one patch, a copy of `p`, current.
    static void oneSession(ChartSession& session, const CHARTPATCH& p) {
        auto* copy = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        *copy = p;
        copy->link = KvListLink{};
        copy->kind = CHARTPATCH_KIND;
        session.reset(copy);
    }

    void frameAndCrossTogether() {
        CHARTPATCH p{};
        p.rgb[0] = p.rgb[1] = p.rgb[2] = 200;
        ChartSession session;
        oneSession(session, p);
        ColourcheckPatch w(nullptr, &session, 0);
        w.resize(32, 32);
        QVERIFY(w.selected());
        session.recordAt(0, 50, 40, 40);
        w.updateInfo();
        const QImage img = w.grab().toImage();
        const QColor highlight = w.palette().color(QPalette::Highlight);
        QCOMPARE(img.pixelColor(16, 1), highlight);        // frame band inside the edge
        QCOMPARE(img.pixelColor(16, 16), QColor(Qt::red)); // cross on top, at the centre
        QCOMPARE(img.pixelColor(2, 2), QColor(Qt::red));   // and over the frame
        QCOMPARE(img.pixelColor(16, 8), QColor(200, 200, 200));
    }

    void tooltip_data() {
        QTest::addColumn<QByteArray>("kcmy");
        QTest::addColumn<QString>("inks");
        QTest::newRow("black") << QByteArray("\xff\x00\x00\x00", 4) << "0.00, 0.00, 0.00, 100.00";
        QTest::newRow("order C M Y K") << QByteArray("\x20\x80\x00\xff", 4) << "50.20, 0.00, 100.00, 12.55";
    }
    void tooltip() {
        QFETCH(QByteArray, kcmy);
        QFETCH(QString, inks);
        CHARTPATCH p{};
        std::memcpy(p.cmyk, kcmy.constData(), 4);
        const double rel[3] = {90.125, -1.5, 2.0004};
        const double d50[3] = {88.0, 0.25, -3.0};
        std::memcpy(p.labRelative, rel, sizeof rel);
        std::memcpy(p.labD50, d50, sizeof d50);
        ChartSession session;
        oneSession(session, p);
        ColourcheckPatch w(nullptr, &session, 0);
        // Unmeasured says so: no reading and no DeltaE that would pass for perfect.
        const QString before = "Name             = Patch 0001\nC, M, Y, K       = " + inks + "\n" +
                               "L, a, b relative = 90.125, -1.500, 2.000\n"
                               "L, a, b D50      = 88.000, 0.250, -3.000\n"
                               "Not measured\n";
        QCOMPARE(w.toolTip(), before);
        session.recordAt(0, 88.0, 0.25, -1.0);
        w.updateInfo();
        QVERIFY(w.toolTip().contains("L, a, b Measured = 88.000, 0.250, -1.000\nDeltaE           = "));
        QVERIFY(!w.toolTip().endsWith("= 0.000\n"));
    }

    void clickSelects() {
        Window w;
        labChart(w.chart, {20, 30, 40, 50, 60});
        w.chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.container));
        auto& p = w.chart->patchWidgets;
        QTest::mouseClick(p[3], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(w.chart->current(), 3ul);
        QVERIFY(p[3]->selected() && !p[0]->selected());
        QCOMPARE(w.chart->buddy->chartPosition(), 3ul);
        // The gap between two patches selects nothing.
        QTest::mouseClick(w.chart->widget(), Qt::RightButton, {}, QPoint(44, 20));
        QCOMPARE(w.chart->current(), 3ul);
        QVERIFY(p[3]->selected());
        // A reading then goes to the clicked patch.
        QMetaObject::invokeMethod(w.chart, "processLab", Q_ARG(double, 55), Q_ARG(double, 0),
                                  Q_ARG(double, 0));
        QCOMPARE(p[3]->labMeasured()[0], 55.0);
        QVERIFY(p[4]->selected());
    }

    void controlWClosesOnlyItsWindow() {
        Window a;
        Window b;
        a.chart->show();
        b.chart->show();
        QTest::keyClick(a.chart, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(a.container.isNull());
        QVERIFY(!b.container.isNull());
        QTest::keyClick(b.chart, Qt::Key_W);
        QVERIFY(b.container->isVisible());
    }

    void profileChooser() {
        Window w;
        DialogScript dialogs;
        QString dir = "/start";
        dialogs.cancel();
        QCOMPARE(w.chart->chooseProfileAndChart(nullptr, &dir), 0);
        QCOMPARE(dir, QString("/start"));
        QCOMPARE(dialogs.requests[0].dir, QString("/start"));
        // Cancelling the count still moves the start directory.
        dialogs.clear();
        dialogs.openFile(defaultCmyk);
        dialogs.cancel();
        QCOMPARE(w.chart->chooseProfileAndChart(nullptr, &dir), 0);
        QCOMPARE(dir, QString("/usr/share/color/icc/ghostscript"));
        const KvDialogRequest& count = dialogs.requests[1];
        QCOMPARE(count.kind, KvDialogRequest::Integer);
        QCOMPARE(count.caption, QString("Colour check chart"));
        QCOMPARE(count.text, QString("Number of patches"));
        QCOMPARE(QList<int>({count.value, count.minimum, count.maximum, count.step}),
                 QList<int>({64, 8, 512, 1}));
        QVERIFY(w.chart->patches() == nullptr);
        dialogs.clear();
        dialogs.openFile(defaultCmyk);
        dialogs.integer(16);
        StreamCapture out(1);
        QCOMPARE(w.chart->chooseProfileAndChart(srgb, &dir), 0);
        QCOMPARE(ListLength(w.chart->patches()), 16);
        QCOMPARE(w.chart->previewProfile, std::string(srgb));
    }

    // The options dialog from the context menu: what the user accepts is
    // remembered in the store, shown again next time, and the next chart from
    // a profile is built with it; a cancelled dialog changes nothing.
    void chartOptionsRemembered() {
        Window w;
        DialogScript dialogs;
        std::unique_ptr<KvPopupMenu> menu(w.chart->makeContextMenu());
        QCOMPARE(menu->text(2), QString("Chart options...")); // right after the two chart launchers
        dialogs.answer(KvDialogAnswer::dialog([](QDialog* d) {
            d->findChild<QCheckBox*>("controls_check")->setChecked(true);
            d->findChild<QCheckBox*>("ink_limit_check")->setChecked(true);
            d->findChild<QSpinBox*>("ink_limit_spin")->setValue(280);
            d->findChild<QSpinBox*>("levels_spin")->setValue(11);
            d->findChild<QCheckBox*>("shuffle_check")->setChecked(true);
            d->findChild<QSpinBox*>("seed_spin")->setValue(5);
        }));
        menu->actionFor(2)->trigger();
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].kind, KvDialogRequest::Dialog);
        QCOMPARE(w.store.getlong("chart", "inklimit"), 280L);
        QCOMPARE(w.store.getlong("chart", "levels"), 11L);

        bool shownAgain = false;
        dialogs.answer(KvDialogAnswer{});
        dialogs.requests.clear();
        KvDialogs::setResponder([&](const KvDialogRequest& r) {
            shownAgain = r.dialog->findChild<QSpinBox*>("ink_limit_spin")->value() == 280 &&
                         r.dialog->findChild<QSpinBox*>("seed_spin")->isEnabled();
            return KvDialogAnswer::cancel();
        });
        menu->actionFor(2)->trigger();
        QVERIFY(shownAgain);
        QCOMPARE(w.store.getlong("chart", "levels"), 11L);

        DialogScript chart;
        chart.openFile(defaultCmyk);
        chart.integer(600);
        QString dir;
        StreamCapture out(1);
        QCOMPARE(w.chart->chooseProfileAndChart(nullptr, &dir), 0);
        QCOMPARE(QList<int>({chart.requests[1].minimum, chart.requests[1].maximum}), QList<int>({16, 2000}));
        QCOMPARE(ListLength(w.chart->patches()), 600);
        QCOMPARE(w.chart->patchWidgets.size(), std::size_t(600));
        int paper = 0, over = 0;
        for (const CHARTPATCH* p = w.chart->patches(); p; p = KvNext(p)) {
            const unsigned total = 0u + p->cmyk[0] + p->cmyk[1] + p->cmyk[2] + p->cmyk[3];
            paper += total == 0;
            over += total * 100 > 280u * 255;
        }
        QCOMPARE(paper, 1);
        QCOMPARE(over, 0);
        QVERIFY(chartPatchCMYK(*w.chart->patches()) != 0); // shuffled: paper is no longer first
    }

    void swatchChooser() {
        Window w;
        DialogScript dialogs;
        QString swatchDir = "/s";
        QString profileDir = "/p";
        dialogs.openFile("/usr/share/color/icc/FOGRA39L.ti3");
        dialogs.cancel();
        QCOMPARE(w.chart->chooseSwatchesAndChart(nullptr, &swatchDir, &profileDir), 0);
        QCOMPARE(dialogs.requests[0].caption, QString("Choose an swatch file containing the chart"));
        QCOMPARE(dialogs.requests[1].caption, QString("Choose an ICC source profile for these patches"));
        QCOMPARE(dialogs.requests[1].dir, QString("/p"));
        QCOMPARE(swatchDir, QString("/usr/share/color/icc"));
        QCOMPARE(profileDir, QString("/p"));
        dialogs.clear();
        dialogs.openFile("/usr/share/color/icc/FOGRA39L.ti3");
        dialogs.openFile(defaultCmyk);
        QCOMPARE(w.chart->chooseSwatchesAndChart(nullptr, &swatchDir, &profileDir), 0);
        QCOMPARE(profileDir, QString("/usr/share/color/icc/ghostscript"));
        QCOMPARE(int(w.chart->patchWidgets.size()), 1617);
        QCOMPARE(w.chart->windowTitle(),
                 QString("Colour check chart for swatch file FOGRA39L.ti3 (inks from the file)"));
    }
};

TINTRY_TEST_MAIN(TestChartWindow)
#include "test_chart_window.moc"
