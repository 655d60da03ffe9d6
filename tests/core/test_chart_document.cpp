// The chart document: every way a chart comes in gives the same patches to
// judge, a failed build never costs the chart held, saved files are titled
// in the program's words, and the one writer refuses what is no file.
#include "ChartDocument.h"
#include "ChartTestKit.h"
#include "CoreTestMain.h"
#include "MonitorPreview.h"
#include "PageLayout.h"
#include "RequireTool.h"
#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>

#include <sys/stat.h>
#include <unistd.h>

using namespace chartkit;

namespace {

std::string pathIn(const QTemporaryDir& dir, const char* name) {
    return QFile::encodeName(dir.filePath(name)).toStdString();
}

bool haveProfiles() {
    return QFile::exists(defaultCmyk) && QFile::exists(srgb);
}

} // namespace

class TestChartDocument : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TINTRY_NEED_TOOL(haveProfiles(), "the Ghostscript profiles (libgs-common) are not installed");
    }

    // A chart saved as measurements, exported as ISO 12642 or as .ti1 comes
    // back as the same patches to judge; the formats that carry inks keep them.
    void everyReferenceGivesTheSameTargets_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("inks");
        QTest::newRow("measured chart") << "chart.ti3" << true;
        QTest::newRow("ISO 12642") << "chart.txt" << true;
        QTest::newRow("Lab alone") << "lab.txt" << false;
    }
    void everyReferenceGivesTheSameTargets() {
        QFETCH(QString, file);
        QFETCH(bool, inks);
        QTemporaryDir dir;
        ChartDocument chart;
        QVERIFY(chart.buildFromProfile(defaultCmyk, "", 24, {}, nullptr));
        chart.session().recordAt(3, 50, 1, 2);
        QVERIFY(chart.saveMeasurements(pathIn(dir, "chart.ti3"), 0));
        QVERIFY(chart.exportIso12642(pathIn(dir, "chart.txt"), 0));
        // Names and Lab only, as an instrument's software writes them.
        QByteArray lab = "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME LAB_L LAB_A LAB_B\n"
                         "END_DATA_FORMAT\nNUMBER_OF_SETS 24\nBEGIN_DATA\n";
        for (std::size_t i = 0; i < chart.session().size(); ++i) {
            const double* t = chart.session().patch(i).labD50;
            lab += "\"" + QByteArray::fromStdString(chart.session().name(i)) + "\" " +
                   QByteArray::number(t[0], 'g', 12) + " " + QByteArray::number(t[1], 'g', 12) + " " +
                   QByteArray::number(t[2], 'g', 12) + "\n";
        }
        QFile out(dir.filePath("lab.txt"));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(lab + "END_DATA\n") > 0);
        out.close();

        ChartDocument reference;
        const Status opened = reference.openReference(QFile::encodeName(dir.filePath(file)).toStdString());
        QVERIFY2(opened, opened.failure().text().c_str());
        QCOMPARE(reference.origin().kind, ChartOrigin::Reference);
        QCOMPARE(reference.session().size(), chart.session().size());
        QCOMPARE(reference.session().measuredCount(),
                 std::size_t(0)); // a reference has targets, not readings
        for (std::size_t i = 0; i < chart.session().size(); ++i) {
            QCOMPARE(reference.session().name(i), chart.session().name(i));
            for (int k = 0; k < 3; ++k)
                QVERIFY(std::abs(reference.session().patch(i).labD50[k] -
                                 chart.session().patch(i).labD50[k]) < 1e-6);
            QCOMPARE(chartPatchCMYK(reference.session().patch(i)) == chartPatchCMYK(chart.session().patch(i)),
                     inks || chartPatchCMYK(chart.session().patch(i)) == 0);
        }
    }

    // A build that fails leaves the chart held, readings and all.
    void failedBuildKeepsTheChart() {
        ChartDocument chart;
        QVERIFY(chart.buildFromProfile(defaultCmyk, "", 16, {}, nullptr));
        chart.session().recordAt(0, 90, 0, 0);
        const Status notCmyk = chart.buildFromSwatchFile(defaultCmyk, srgb, "", false);
        QVERIFY(!notCmyk);
        const Status badProfile = chart.buildFromProfile("/nonexistent.icc", "", 16, {}, nullptr);
        QCOMPARE(badProfile.failure().text(),
                 std::string("/nonexistent.icc: the colour engine cannot use this profile"));
        const Status badPreview = chart.buildFromProfile(defaultCmyk, defaultCmyk, 16, {}, nullptr);
        QCOMPARE(badPreview.failure().what, std::string(defaultCmyk));
        QCOMPARE(chart.session().size(), std::size_t(16));
        QCOMPARE(chart.session().measuredCount(), std::size_t(1));
        QCOMPARE(chart.origin().kind, ChartOrigin::Profile);
    }

    // What a saved file and a report call the chart is the program's own
    // English title, and each export takes its format from the name.
    void filesCarryTheDocumentsOwnWords() {
        QTemporaryDir dir;
        ChartDocument chart;
        QVERIFY(chart.buildFromProfile(defaultCmyk, "", 8, {}, nullptr));
        QCOMPARE(chart.title(), std::string("Colour check chart for ICC profile default_cmyk.icc"));
        QVERIFY(chart.saveMeasurements(pathIn(dir, "m.ti3"), 0));
        ChartDocument back; // a chart without a single reading opens too
        QVERIFY(back.openMeasured(pathIn(dir, "m.ti3")));
        QCOMPARE(back.session().size(), std::size_t(8));
        QVERIFY(readAll(dir.filePath("m.ti3"))
                    .contains("DESCRIPTOR\t\"Colour check chart for ICC profile default_cmyk.icc\""));
        QVERIFY(chart.exportReport(pathIn(dir, "r.html"), {}, "", 0));
        QVERIFY(
            readAll(dir.filePath("r.html")).contains("Colour check chart for ICC profile default_cmyk.icc"));
        QVERIFY(chart.exportCgats(pathIn(dir, "c.ti1"), 0));
        QVERIFY(chart.exportCgats(pathIn(dir, "c.txt"), 0));
        QVERIFY(readAll(dir.filePath("c.ti1")).startsWith("CTI1\n"));
        QVERIFY(readAll(dir.filePath("c.txt")).startsWith("CGATS.17\n"));
        PageLayout fit;
        QCOMPARE(fit.setPaper("fit"), std::string());
        QVERIFY(chart.exportPaper(pathIn(dir, "c.pdf"), fit, 0));
        QVERIFY(readAll(dir.filePath("c.pdf")).startsWith("%PDF"));
    }

    // The one target check says why a name is no place for a file, and the
    // one writer leaves what was there.
    void theOneWriterRefusesWhatIsNoFile_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("why");
        QTest::newRow("folder") << "folder"
                                << "Is a directory";
        QTest::newRow("fifo") << "fifo"
                              << "not a regular file";
        QTest::newRow("missing folder") << "missing/x.txt"
                                        << "No such file or directory";
        QTest::newRow("no name") << ""
                                 << "no file name given";
    }
    void theOneWriterRefusesWhatIsNoFile() {
        QFETCH(QString, target);
        QFETCH(QString, why);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
        const std::string path = target.isEmpty() ? std::string() : pathIn(dir, target.toUtf8().constData());
        const Status checked = WholeFile::checkTarget(path);
        const Status written = WholeFile::write(path, std::string_view("text"));
        QCOMPARE(QString::fromStdString(checked.failure().why), why);
        QCOMPARE(QString::fromStdString(written.failure().why), why);
        QCOMPARE(written.failure().what, path);
        QVERIFY(QFileInfo(dir.filePath("folder")).isDir());
    }

    // Every preview is painted through one transform: D50 Lab to the monitor,
    // relative colorimetric, the same as LittleCMS gives on its own; a named
    // profile that is not a monitor is refused, never painted as sRGB.
    void previewIsLittleCmsRelativeColorimetric() {
        Result<MonitorPreview> named = MonitorPreview::open(srgb);
        QVERIFY(named);
        const MonitorPreview builtIn = MonitorPreview::srgb();
        cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
        cmsHPROFILE screen = cmsOpenProfileFromFile(srgb, "r");
        cmsHTRANSFORM t =
            cmsCreateTransform(lab, TYPE_Lab_DBL, screen, TYPE_RGB_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
        for (const auto& c :
             {std::array{50.0, 20.0, -30.0}, std::array{95.0, 0.0, 2.0}, std::array{5.0, 0.0, 0.0}}) {
            double out[3];
            cmsDoTransform(t, c.data(), out, 1);
            unsigned char rgb[3];
            QVERIFY(named->toRgb(c.data(), rgb));
            for (int k = 0; k < 3; ++k)
                QCOMPARE(int(rgb[k]), int(std::lround(std::clamp(out[k], 0.0, 1.0) * 255)));
            unsigned char fromBuiltIn[3];
            QVERIFY(builtIn.toRgb(c.data(), fromBuiltIn));
            for (int k = 0; k < 3; ++k)
                QVERIFY(std::abs(int(fromBuiltIn[k]) - int(rgb[k])) <= 1); // two encodings of sRGB
        }
        cmsDeleteTransform(t);
        cmsCloseProfile(screen);
        cmsCloseProfile(lab);
        const double nan[3] = {std::nan(""), 0, 0};
        unsigned char untouched[3] = {1, 2, 3};
        QVERIFY(!named->toRgb(nan, untouched));
        QCOMPARE(untouched[0], 1);
        const Result<MonitorPreview> printer = MonitorPreview::open(defaultCmyk);
        QVERIFY(!printer);
        QCOMPARE(printer.failure().what, std::string(defaultCmyk));
        QVERIFY(MonitorPreview::openOrSrgb(defaultCmyk).isSrgb());
    }
};

TINTRY_CORE_TEST_MAIN(TestChartDocument)
#include "test_chart_document.moc"
