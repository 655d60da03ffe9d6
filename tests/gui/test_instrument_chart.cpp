// The instrument panel in a chart window: a measurement file of a 64-patch
// chart crosses out exactly the patches that miss by 3.0 or more (matched by
// name, in order, or from XYZ), the simulated instrument and a fake spotread
// step through the patches, and the panel stays in step with the window's
// current patch, also after a click on a patch.
#include "ChartWindowKit.h"
#include "Colourcheck.h"
#include "ColourcheckPatch.h"
#include "DialogScript.h"
#include "InstrumentTestKit.h"
#include "KvRegistry.h"
#include "SpectroBuddy.h"
#include "TestMain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <lcms2.h>

#include <algorithm>
#include <random>

using namespace chartkit;
using namespace instrumentkit;

namespace {

// The error each patch of the test file carries, in CIEDE2000. Values close
// to 3.0 on either side, but not so close that six decimals in the file
// could move them across.
double errorOf(int patch) {
    static const double errors[] = {0.0, 0.8, 2.9, 2.99, 3.01, 3.1, 6.0, 12.0};
    return errors[patch % 8];
}

// `target` moved in lightness (up, or down near white) until LittleCMS's
// CIEDE2000 says `deltaE`: the test's own reference, not the panel's.
void missBy(const double* target, double deltaE, double* out) {
    const double sign = target[0] > 80 ? -1.0 : 1.0;
    double low = 0, high = 4 * deltaE + 1;
    const cmsCIELab t{target[0], target[1], target[2]};
    for (int i = 0; i < 100; ++i) {
        const double mid = (low + high) / 2;
        const cmsCIELab m{target[0] + sign * mid, target[1], target[2]};
        (cmsCIE2000DeltaE(&m, &t, 1, 1, 1) < deltaE ? low : high) = mid;
    }
    out[0] = target[0] + sign * (low + high) / 2;
    out[1] = target[1];
    out[2] = target[2];
}

void chooseSource(SpectroBuddy* panel, SpectroBuddy::Source source) {
    auto* combo = panel->findChild<QComboBox*>("spectro_source_combo");
    combo->setCurrentIndex(combo->findData(int(source)));
    emit combo->activated(combo->currentIndex());
}

} // namespace

class TestInstrumentChart : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void measurementFileCrossesOut_data();
    void measurementFileCrossesOut();
    void fileFillsFromTheCurrentPatch();
    void simulatedInstrument_data();
    void simulatedInstrument();
    void spotreadStepsThroughTheChart();
};

void TestInstrumentChart::initTestCase() {
    if (!QFile::exists(defaultCmyk) || !QFile::exists(srgb))
        QSKIP("the Ghostscript profiles (libgs-common) are not installed");
}

void TestInstrumentChart::measurementFileCrossesOut_data() {
    QTest::addColumn<QString>("layout");
    QTest::newRow("by name, shuffled") << "names";
    QTest::newRow("in order, ids only") << "ids";
    QTest::newRow("XYZ, in order") << "xyz";
}

void TestInstrumentChart::measurementFileCrossesOut() {
    QFETCH(QString, layout);
    Window w;
    QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 64), 0);
    QCOMPARE(int(w.chart->patchWidgets.size()), 64);

    // The chart's own Lab plus a known error per patch.
    std::vector<int> order(64);
    for (int i = 0; i < 64; ++i)
        order[std::size_t(i)] = i;
    if (layout == "names")
        std::shuffle(order.begin(), order.end(), std::mt19937(12642));
    const bool xyz = layout == "xyz";
    QByteArray text = "CGATS.17\nNUMBER_OF_FIELDS 5\nBEGIN_DATA_FORMAT\n";
    text += layout == "names" ? "SAMPLE_ID SAMPLE_NAME" : "SAMPLE_ID SAMPLE_LOC";
    text += xyz ? " XYZ_X XYZ_Y XYZ_Z" : " LAB_L LAB_A LAB_B";
    text += "\nEND_DATA_FORMAT\nNUMBER_OF_SETS 64\nBEGIN_DATA\n";
    for (int row = 0; row < 64; ++row) {
        const int patch = order[std::size_t(row)];
        double measured[3];
        missBy(w.chart->patchWidgets[std::size_t(patch)]->patch().labD50, errorOf(patch), measured);
        if (xyz) {
            const cmsCIELab lab{measured[0], measured[1], measured[2]};
            cmsCIEXYZ v;
            cmsLab2XYZ(cmsD50_XYZ(), &v, &lab);
            measured[0] = v.X * 100;
            measured[1] = v.Y * 100;
            measured[2] = v.Z * 100;
        }
        text += QByteArray::number(row + 1) + ' ' +
                (layout == "names" ? QString("\"Patch %1\"").arg(patch + 1, 4, 10, QChar('0')).toLatin1()
                                   : QByteArray("A") + QByteArray::number(row)) +
                QString(" %1 %2 %3\n")
                    .arg(measured[0], 0, 'f', 6)
                    .arg(measured[1], 0, 'f', 6)
                    .arg(measured[2], 0, 'f', 6)
                    .toLatin1();
    }
    text += "END_DATA\n";
    QTemporaryDir dir;
    const QString path = dir.filePath("measured.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();

    DialogScript dialogs;
    chooseSource(w.chart->buddy, SpectroBuddy::SourceFile);
    dialogs.openFile(path);
    w.chart->buddy->findChild<QPushButton*>("spectro_load_button")->click();

    int crossed = 0;
    for (int i = 0; i < 64; ++i) {
        const ColourcheckPatch* p = w.chart->patchWidgets[std::size_t(i)];
        QVERIFY2(
            std::abs(p->deltaE() - errorOf(i)) < 1e-3,
            qPrintable(QString("patch %1: DeltaE %2, made %3").arg(i + 1).arg(p->deltaE()).arg(errorOf(i))));
        QCOMPARE(p->deltaE() >= ColourcheckPatch::missLimit, errorOf(i) >= 3.0);
        crossed += p->deltaE() >= ColourcheckPatch::missLimit;
    }
    QCOMPARE(crossed, 32);
    QCOMPARE(w.chart->current(), 64ul);
    QCOMPARE(w.chart->buddy->chartPosition(), 64ul);
    QVERIFY(w.chart->buddy->findChild<QLabel*>("spectro_status_label")->text().contains("patches 1 to 64"));
}

void TestInstrumentChart::fileFillsFromTheCurrentPatch() {
    // Readings only for patches 3 and 4, by name; the chart stands at patch 3.
    Window w;
    QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 8), 0);
    QTest::mouseClick(w.chart->patchWidgets[2], Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(w.chart->current(), 2ul);
    QTemporaryDir dir;
    const QString path = dir.filePath("two.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(
        "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n"
        "NUMBER_OF_SETS 2\nBEGIN_DATA\n\"Patch 0004\" 44 0 0\n\"Patch 0003\" 33 0 0\nEND_DATA\n");
    f.close();
    QVERIFY(w.chart->buddy->loadMeasurementFile(path));
    QCOMPARE(w.chart->patchWidgets[2]->labMeasured()[0], 33.0);
    QCOMPARE(w.chart->patchWidgets[3]->labMeasured()[0], 44.0);
    // Patch 5 has no reading: the panel stops there, in step with the chart.
    QCOMPARE(w.chart->current(), 4ul);
    QCOMPARE(w.chart->buddy->chartPosition(), 4ul);
    QVERIFY(!w.chart->buddy->findChild<QPushButton*>("spectro_read_button")->isEnabled());
    const QString shown = w.chart->buddy->findChild<QLabel*>("spectro_status_label")->text();
    QVERIFY2(shown.contains("patches 3 to 4") && shown.contains("no reading for patch 5"), qPrintable(shown));

    // Rows for patches 6 and 8 from patch 5 on: both land, patch 5 stays
    // current, and the panel does not claim a range with holes in it.
    const QString later = dir.filePath("later.txt");
    QFile g(later);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write(
        "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n"
        "NUMBER_OF_SETS 2\nBEGIN_DATA\n\"Patch 0008\" 88 0 0\n\"Patch 0006\" 66 0 0\nEND_DATA\n");
    g.close();
    QVERIFY(w.chart->buddy->loadMeasurementFile(later));
    QCOMPARE(w.chart->patchWidgets[5]->labMeasured()[0], 66.0);
    QCOMPARE(w.chart->patchWidgets[7]->labMeasured()[0], 88.0);
    QCOMPARE(w.chart->current(), 4ul);
    const QString second = w.chart->buddy->findChild<QLabel*>("spectro_status_label")->text();
    QVERIFY2(second.contains("2 patches read from the file by name") &&
                 second.contains("no reading for patch 5"),
             qPrintable(second));
}

void TestInstrumentChart::simulatedInstrument_data() {
    QTest::addColumn<double>("error");
    QTest::addColumn<bool>("crossed");
    QTest::newRow("within") << 1.0 << false;
    QTest::newRow("just within") << 2.95 << false;
    QTest::newRow("miss") << 3.05 << true;
}

void TestInstrumentChart::simulatedInstrument() {
    QFETCH(double, error);
    QFETCH(bool, crossed);
    Window w;
    QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 64), 0);
    SpectroBuddy* panel = w.chart->buddy;
    chooseSource(panel, SpectroBuddy::SourceSimulated);
    panel->setSimulatedError(error);
    for (int i = 0; i < 5; ++i)
        panel->findChild<QPushButton*>("spectro_read_button")->click();
    QCOMPARE(w.chart->current(), 5ul);
    for (int i = 0; i < 5; ++i) {
        const ColourcheckPatch* p = w.chart->patchWidgets[std::size_t(i)];
        QVERIFY(std::abs(p->deltaE() - error) < 1e-6);
        QCOMPARE(p->deltaE() >= ColourcheckPatch::missLimit, crossed);
    }
    QCOMPARE(w.chart->patchWidgets[5]->deltaE(), 0.0);
    QVERIFY(panel->findChild<QLabel*>("spectro_chart_label")
                ->text()
                .startsWith("Patch 6 of 64: Patch 0006, target"));
    QVERIFY(panel->findChild<QLabel*>("spectro_result_label")->text().startsWith("Patch 0005 measured"));
}

void TestInstrumentChart::spotreadStepsThroughTheChart() {
    QTemporaryDir dir;
    const QString program = writeProgram(dir, "spotread", answering({"11 1 1", "22 2 2", "33 3 3"}, "0.1"));
    Window w;
    QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 64), 0);
    SpectroBuddy* panel = w.chart->buddy;
    panel->findChild<QLineEdit*>("spectro_program_edit")->setText(program);
    chooseSource(panel, SpectroBuddy::SourceSpotread);
    auto* read = panel->findChild<QPushButton*>("spectro_read_button");
    for (int i = 0; i < 3; ++i) {
        QTRY_VERIFY(read->isEnabled());
        read->click();
        QTRY_COMPARE_WITH_TIMEOUT(w.chart->current(), static_cast<unsigned long>(i + 1), 5000);
    }
    for (int i = 0; i < 3; ++i)
        QCOMPARE(w.chart->patchWidgets[std::size_t(i)]->labMeasured()[0], 11.0 * (i + 1));
    QCOMPARE(panel->chartPosition(), 3ul);
    // Leaving the instrument ends spotread.
    const qint64 pid = panel->spotread().processId();
    QVERIFY(pid > 0);
    chooseSource(panel, SpectroBuddy::SourceManual);
    QTRY_VERIFY(processGone(pid));
}

TINTRY_TEST_MAIN(TestInstrumentChart)
#include "test_instrument_chart.moc"
