// The measurements a profile is made from: FOGRA's data and chartread-style
// files read, every file a profile must not be made from refused with the
// reason, a chart window's chart taken only when every patch is measured,
// the held-out tenth the same on every run and in any order, and the .ti3
// written for colprof read back as it was.
#include "ChartSession.h"
#include "CoreTestMain.h"
#include "Kvlib.h"
#include "MeasuredChartFile.h"
#include "ProfileMakingKit.h"
#include "RequireTool.h"

#include <QTemporaryDir>

#include <algorithm>
#include <set>

using namespace profilekit;

namespace {

QByteArray cgats(const QByteArray& fields, const QList<QByteArray>& rows, const QByteArray& extra = {}) {
    QByteArray t = "CTI3\n" + extra + "NUMBER_OF_FIELDS " + QByteArray::number(fields.split(' ').size()) +
                   "\nBEGIN_DATA_FORMAT\n" + fields + "\nEND_DATA_FORMAT\nNUMBER_OF_SETS " +
                   QByteArray::number(rows.size()) + "\nBEGIN_DATA\n";
    for (const QByteArray& r : rows)
        t += r + "\n";
    return t + "END_DATA\n";
}

Result<MeasuredSet> parsed(const QByteArray& text) {
    return MeasuredSet::parse(text.constData(), std::size_t(text.size()), "test.ti3");
}

// A chart of `n` patches with inks, `measured` of them read.
void fillChart(ChartSession& chart, int n, int measured, bool inks = true) {
    CHARTPATCH* list = nullptr;
    for (int i = 0; i < n; ++i) {
        auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        p->kind = CHARTPATCH_KIND;
        if (inks)
            p->cmyk[INK_C] = static_cast<unsigned char>(i % 256);
        p->labD50[0] = 50;
        AddList(&list, p);
    }
    chart.reset(list);
    for (int i = 0; i < measured; ++i)
        chart.recordAt(std::size_t(i), 40, 1, 2);
}

std::set<std::string> heldNames(const MeasuredSet& set) {
    std::set<std::string> names;
    for (std::size_t i : set.heldOut())
        names.insert(set.patches[i].name);
    return names;
}

} // namespace

class TestMeasuredSet : public QObject {
    Q_OBJECT

private slots:
    void fograIsRead() {
        TINTRY_NEED_TOOL(QFile::exists(fogra29), "icc-profiles-free (FOGRA29L.ti3) is not installed");
        const Result<MeasuredSet> set = MeasuredSet::read(fogra29);
        QVERIFY2(set, set ? "" : set.failure().text().c_str());
        QCOMPARE(set->size(), std::size_t(1485));
        QCOMPARE(set->source, std::string("FOGRA29L.ti3"));
        QCOMPARE(set->inkLimit, 0);
        // Row 6 of the file: 0 55 0 0, Lab 69.86 36.09 -7.08 (its LAB_ columns, not its XYZ_).
        const MeasuredPatch& p = set->patches[5];
        QCOMPARE(p.name, std::string("6"));
        QCOMPARE(p.cmyk[1], 55.0);
        QCOMPARE(p.lab[0], 69.86);
        QCOMPARE(p.lab[2], -7.08);
        QVERIFY(set->enough());
    }

    // chartread writes XYZ alone; FOGRA29's first row has both, so its XYZ
    // must give its Lab to the file's two decimals.
    void xyzIsTakenAsD50() {
        const Result<MeasuredSet> set = parsed(cgats(
            "SAMPLE_ID SAMPLE_NAME CMYK_C CMYK_M CMYK_Y CMYK_K XYZ_X XYZ_Y XYZ_Z",
            {"1 A1 0 0 0 0 86.44 89.31 76.37"}, "KEYWORD \"TOTAL_INK_LIMIT\"\nTOTAL_INK_LIMIT \"300\"\n"));
        QVERIFY2(set, set ? "" : set.failure().text().c_str());
        QCOMPARE(set->patches[0].name, std::string("A1"));
        QVERIFY(std::fabs(set->patches[0].lab[0] - 95.71) < 0.01);
        QVERIFY(std::fabs(set->patches[0].lab[1] - 0.61) < 0.01);
        QVERIFY(std::fabs(set->patches[0].lab[2] - -2.32) < 0.01);
        QCOMPARE(set->inkLimit, 300);
    }

    void refusals_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("why");
        const QByteArray cmykLab = "SAMPLE_ID CMYK_C CMYK_M CMYK_Y CMYK_K LAB_L LAB_A LAB_B";
        QTest::newRow("RGB") << cgats("SAMPLE_ID RGB_R RGB_G RGB_B LAB_L LAB_A LAB_B", {"1 0 0 0 50 0 0"})
                             << "patches are RGB";
        QTest::newRow("Lab only") << cgats("SAMPLE_ID LAB_L LAB_A LAB_B", {"1 50 0 0"}) << "not a CMYK chart";
        QTest::newRow("targets, no readings")
            << cgats("SAMPLE_ID CMYK_C CMYK_M CMYK_Y CMYK_K TARGET_L TARGET_A TARGET_B", {"1 0 0 0 0 90 0 0"})
            << "no readings";
        QTest::newRow("a reading missing") << cgats(cmykLab, {"1 0 0 0 0 90 0 0", "2 10 0 0 0 \"\" 0 0"})
                                           << "without its inks or reading: row 2: LAB_L";
        QTest::newRow("decimal comma") << cgats(cmykLab, {"1 0 0 0 0 90,5 0 0"}) << "decimal comma";
        QTest::newRow("ink over 100")
            << cgats(cmykLab, {"1 0 120 0 0 90 0 0"}) << "row 1: CMYK_M is out of range";
        QTest::newRow("not CGATS") << QByteArray("\x89PNG\r\n") << "not a CGATS";
    }
    void refusals() {
        QFETCH(QByteArray, text);
        QFETCH(QString, why);
        const Result<MeasuredSet> set = parsed(text);
        QVERIFY(!set);
        QVERIFY2(QString::fromStdString(set.failure().why).contains(why), set.failure().why.c_str());
        QCOMPARE(set.failure().what, std::string("test.ti3"));
    }

    // Our own "Save measurements" file: whole, it is read; with patches still
    // unmeasured (a second table), it is refused.
    void savedChartFile() {
        QTemporaryDir dir;
        ChartSession chart;
        fillChart(chart, 120, 120);
        const std::string path = dir.filePath("m.ti3").toStdString();
        QVERIFY(MeasuredChartFile::save(chart, path, "test"));
        Result<MeasuredSet> set = MeasuredSet::read(path);
        QVERIFY2(set, set ? "" : set.failure().text().c_str());
        QCOMPARE(set->size(), std::size_t(120));
        QVERIFY(std::fabs(set->patches[7].cmyk[0] - 7 * 100.0 / 255.0) < 1e-8);
        QCOMPARE(set->patches[7].lab[0], 40.0);
        chart.forget(3);
        QVERIFY(MeasuredChartFile::save(chart, path, "test"));
        set = MeasuredSet::read(path);
        QVERIFY(!set);
        QVERIFY2(set.failure().why.find("more than one table") != std::string::npos,
                 set.failure().why.c_str());
    }

    void fromChart_data() {
        QTest::addColumn<int>("measured");
        QTest::addColumn<bool>("inks");
        QTest::addColumn<QString>("why");
        QTest::newRow("all measured") << 120 << true << "";
        QTest::newRow("some not") << 117 << true << "3 of 120 patches have no reading";
        QTest::newRow("no inks") << 120 << false << "no inks";
    }
    void fromChart() {
        QFETCH(int, measured);
        QFETCH(bool, inks);
        QFETCH(QString, why);
        ChartSession chart;
        fillChart(chart, 120, measured, inks);
        const Result<MeasuredSet> set = MeasuredSet::fromChart(chart, "chart");
        QCOMPARE(bool(set), why.isEmpty());
        if (!set)
            QVERIFY2(QString::fromStdString(set.failure().why).contains(why), set.failure().why.c_str());
        else
            QCOMPARE(set->patches[119].name, chart.name(119));
    }

    // colprof will not work without the paper's white.
    void paperIsNeeded() {
        TINTRY_NEED_TOOL(QFile::exists(fogra29), "icc-profiles-free (FOGRA29L.ti3) is not installed");
        MeasuredSet set = *MeasuredSet::read(fogra29);
        QVERIFY(set.enough());
        const std::size_t all = set.size();
        std::erase_if(set.patches, [](const MeasuredPatch& p) {
            return p.cmyk[0] + p.cmyk[1] + p.cmyk[2] + p.cmyk[3] == 0;
        });
        QVERIFY(set.size() < all); // FOGRA repeats the paper across the sheet
        const Status s = set.enough();
        QVERIFY(!s);
        QVERIFY2(s.failure().why.find("no patch of bare paper") != std::string::npos,
                 s.failure().why.c_str());
    }

    void tooFewPatches() {
        ChartSession chart;
        fillChart(chart, 99, 99);
        const Result<MeasuredSet> set = MeasuredSet::fromChart(chart, "chart");
        QVERIFY(set);
        const Status enough = set->enough();
        QVERIFY(!enough);
        QVERIFY2(enough.failure().why.find("99 measured, at least 100 needed") != std::string::npos,
                 enough.failure().why.c_str());
    }

    // The same tenth on every run and whatever the file's order; twins go
    // together; never the paper.
    void heldOutIsFixed() {
        TINTRY_NEED_TOOL(QFile::exists(fogra29), "icc-profiles-free (FOGRA29L.ti3) is not installed");
        const MeasuredSet set = *MeasuredSet::read(fogra29);
        const std::vector<std::size_t> held = set.heldOut();
        QVERIFY(held.size() >= 149 && held.size() < 160);
        QVERIFY(std::is_sorted(held.begin(), held.end()));
        QCOMPARE(set.heldOut(), held);
        MeasuredSet reversed = set;
        std::reverse(reversed.patches.begin(), reversed.patches.end());
        QCOMPARE(heldNames(reversed), heldNames(set));
        for (std::size_t i : held) {
            const double* ink = set.patches[i].cmyk;
            QVERIFY(ink[0] + ink[1] + ink[2] + ink[3] > 0);
        }
        // A twin of a held-out patch is held out with it.
        MeasuredSet twins = set;
        twins.patches.push_back(set.patches[held[3]]);
        twins.patches.back().name = "twin";
        QVERIFY(heldNames(twins).count("twin") == 1);
        const MeasuredSet rest = set.without(held);
        QCOMPARE(rest.size(), set.size() - held.size());
    }

    void ti3ReadsBack() {
        TINTRY_NEED_TOOL(QFile::exists(fogra29), "icc-profiles-free (FOGRA29L.ti3) is not installed");
        MeasuredSet set = everyNth(*MeasuredSet::read(fogra29), 10);
        set.patches[0].name = "with \"quotes\" and spaces";
        const std::string text = set.ti3("a description");
        QVERIFY(text.rfind("CTI3\n", 0) == 0);
        QVERIFY(text.find("COLOR_REP\t\"CMYK_LAB\"") != std::string::npos);
        const Result<MeasuredSet> back = MeasuredSet::parse(text.data(), text.size(), "back");
        QVERIFY2(back, back ? "" : back.failure().text().c_str());
        QCOMPARE(back->size(), set.size());
        QCOMPARE(back->patches[0].name, std::string("with 'quotes' and spaces"));
        for (std::size_t i = 0; i < set.size(); ++i)
            for (int k = 0; k < 3; ++k) {
                QCOMPARE(back->patches[i].lab[k], set.patches[i].lab[k]);
                QCOMPARE(back->patches[i].cmyk[k], set.patches[i].cmyk[k]);
            }
    }
};

TINTRY_CORE_TEST_MAIN(TestMeasuredSet)
#include "test_measured_set.moc"
