// Swatch charts print the file's own inks and keep its names; the ISO 12642
// and ArgyllCMS exports rebuild the chart they came from and are accepted by
// LittleCMS and ArgyllCMS; files with values that are not plain numbers, or
// out of range, are refused with the row named, never read as 0.
#include "AseBytes.h"
#include "ChartCommand.h"
#include "ChartGeneration.h"
#include "ChartRecords.h"
#include "ChartTestKit.h"
#include "CoreTestMain.h"
#include "ExportISO12642.h"
#include "ExportTi1.h"
#include "MeasurementFile.h"
#include "SwatchImporter.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <lcms2.h>

#include <cmath>
#include <vector>

using namespace chartkit;
using namespace asebytes;

namespace {

const std::time_t fixedTime = 1614834367;

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct Row {
    QByteArray name;
    double cmyk[4]; // percent
    double lab[3];
};

// A characterisation data set like the FOGRA ones: 1617 rows of CMYK in
// printers' steps with the Lab that default_cmyk.icc predicts, printed with
// two decimals as such files are. Row 1 is the paper, row 2 solid black.
std::vector<Row> characterisationRows(int count) {
    static const double steps[] = {0, 3, 7, 10, 15, 20, 25, 30, 40, 50, 55, 60, 70, 80, 85, 90, 100};
    cmsHPROFILE cmyk = cmsOpenProfileFromFile(defaultCmyk, "r");
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM t =
        cmsCreateTransform(cmyk, TYPE_CMYK_DBL, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    std::vector<Row> rows;
    quint32 seed = 12345;
    for (int i = 0; i < count; ++i) {
        Row r{};
        r.name = i == 1 ? QByteArray("K100") : "A" + QByteArray::number(i + 1);
        for (int k = 0; k < 4; ++k) {
            seed = seed * 1664525u + 1013904223u;
            r.cmyk[k] = i == 0 ? 0 : i == 1 ? (k == 3 ? 100 : 0) : steps[(seed >> 16) % 17];
        }
        double l[3];
        cmsDoTransform(t, r.cmyk, l, 1);
        for (int k = 0; k < 3; ++k)
            r.lab[k] = std::round(l[k] * 100.0) / 100.0;
        rows.push_back(r);
    }
    cmsDeleteTransform(t);
    cmsCloseProfile(lab);
    cmsCloseProfile(cmyk);
    return rows;
}

QByteArray cgats(const std::vector<Row>& rows, bool names = true) {
    QByteArray out = "CGATS.17\nORIGINATOR \"test\"\nNUMBER_OF_FIELDS " + QByteArray(names ? "9" : "8") +
                     "\nBEGIN_DATA_FORMAT\nSAMPLE_ID " + (names ? "SAMPLE_NAME " : "") +
                     "CMYK_C CMYK_M CMYK_Y CMYK_K LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\nNUMBER_OF_SETS " +
                     QByteArray::number(int(rows.size())) + "\nBEGIN_DATA\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QByteArray line = QByteArray::number(int(i + 1));
        if (names)
            line += " \"" + rows[i].name + "\"";
        for (double v : rows[i].cmyk)
            line += " " + QByteArray::number(v, 'f', 2);
        for (double v : rows[i].lab)
            line += " " + QByteArray::number(v, 'f', 2);
        out += line + "\n";
    }
    return out + "END_DATA\n";
}

// The byte is the nearest to the percentage; 90 % (229.5) may be either.
// The page holds the file's own percentages; Ghostscript renders one that
// falls between two of its 256 steps on either of them.
bool nearest(int byte, double percent) {
    return std::fabs(byte - percent * 2.55) < 1.0;
}

// The page through Ghostscript: C, M, Y, K bytes at the centre of each square.
QList<QByteArray> renderedInks(const QString& ps, int count) {
    QList<QByteArray> out;
    const QString gs = QStandardPaths::findExecutable("gs");
    const QString raw = ps + ".cmyk";
    QProcess p;
    p.start(gs, {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=bitcmyk", "-dGrayValues=256", "-r72",
                 "-sOutputFile=" + raw, ps});
    if (!p.waitForFinished(300000) || p.exitCode() != 0)
        return out;
    const QByteArray img = readAll(raw);
    const int width = 648;
    if (img.size() != width * (40 * ((count + 15) / 16) + 8) * 4)
        return out;
    for (int i = 0; i < count; ++i) {
        const int x = 8 + 40 * (i % 16) + 16;
        const int y = 8 + 40 * (i / 16) + 16;
        out << img.mid((y * width + x) * 4, 4);
    }
    return out;
}

QByteArray cmyBytes(int c, int m, int y, int k) {
    return QByteArray() + char(c) + char(m) + char(y) + char(k);
}

struct Chart {
    CHARTPATCH* patches = nullptr;
    ~Chart() { FreeList(&patches); }
};

// Import `path` and build its chart with default_cmyk.icc.
bool chartFromFile(const QString& path, Chart& chart, bool separate = false) {
    SwatchType type = SWATCH_UNKNOWN;
    std::string why;
    KVCOMBOCOLOUR* records = SwatchImporter::import(QFile::encodeName(path).constData(), type, 0, &why);
    if (records == nullptr) {
        qWarning("%s", why.c_str());
        return false;
    }
    ChartHandles h;
    bool ok = h.openForSwatches(defaultCmyk, nullptr).ok();
    const Status made =
        ok ? ChartGeneration::patchesFromSwatches(&chart.patches, records, h, separate, nullptr)
           : Status::failed("", "no handles");
    ok = made.ok();
    why = made.failure().why;
    KvPacketFreeList(&records, KV_PACKET_COMBOCOLOUR);
    return ok;
}

// Two charts are the same chart: inks, names, targets, previews.
void compareCharts(const CHARTPATCH* a, const CHARTPATCH* b) {
    QCOMPARE(ListLength(b), ListLength(a));
    unsigned long i = 0;
    for (; a && b; a = KvNext(a), b = KvNext(b), ++i) {
        QCOMPARE(chartPatchCMYK(*b), chartPatchCMYK(*a));
        QCOMPARE(chartPatchName(*b, i), chartPatchName(*a, i));
        for (int k = 0; k < 3; ++k)
            QVERIFY2(std::fabs(b->labD50[k] - a->labD50[k]) < 1e-7, qPrintable(QString::number(i)));
        QCOMPARE(QByteArray((const char*)b->rgb, 3), QByteArray((const char*)a->rgb, 3));
    }
}

std::string isoText(const CHARTPATCH* patches, const std::string& descriptor) {
    KVCOMBOCOLOUR_CC colours;
    if (!ChartRecords::fill(patches, colours))
        return {};
    return ExportISO12642::text(colours.list, fixedTime, descriptor);
}

} // namespace

class TestSwatchChart : public QObject {
    Q_OBJECT
private slots:
    // The page prints the file's inks, byte for byte; --separate prints the
    // profile's separation of the file's Lab, as charts always did.
    void printsTheFilesInks() {
        if (QStandardPaths::findExecutable("gs").isEmpty())
            QSKIP("Ghostscript (gs) is not installed");
        QTemporaryDir dir;
        const std::vector<Row> rows = characterisationRows(1617);
        const QString data = dir.filePath("FOGRA-like.ti3");
        writeFile(data, cgats(rows));
        const QString ps = dir.filePath("own.ps");
        QCOMPARE(
            runChart({"--profile", defaultCmyk, "--swatches", data, "--paper", "fit", "--ps", ps}).status, 0);
        const QList<QByteArray> printed = renderedInks(ps, 1617);
        QCOMPARE(printed.size(), 1617);
        for (int i = 0; i < 1617; ++i) {
            bool same = true;
            for (int k = 0; k < 4; ++k)
                same = same && nearest(quint8(printed[i][k]), rows[i].cmyk[k]);
            QVERIFY2(same,
                     qPrintable(QString("row %1 printed %2").arg(i + 1).arg(QString(printed[i].toHex()))));
        }
        QCOMPARE(printed[1], cmyBytes(0, 0, 0, 255));

        const QString separated = dir.filePath("separated.ps");
        QCOMPARE(runChart({"--profile", defaultCmyk, "--swatches", data, "--separate", "--paper", "fit",
                           "--ps", separated})
                     .status,
                 0);
        const QList<QByteArray> inverse = renderedInks(separated, 1617);
        Chart chart;
        QVERIFY(chartFromFile(data, chart, true));
        int i = 0;
        int differ = 0;
        for (const CHARTPATCH* p = chart.patches; p; p = KvNext(p), ++i) {
            QCOMPARE(inverse[i], cmyBytes(p->cmyk[INK_C], p->cmyk[INK_M], p->cmyk[INK_Y], p->cmyk[INK_K]));
            differ += inverse[i] != printed[i];
        }
        // The profile's inverse puts a rich black under solid K, and most
        // other patches move too: that is why the file's inks are the default.
        QVERIFY(inverse[1] != printed[1]);
        QVERIFY2(differ > 1000, qPrintable(QString::number(differ)));
    }

    // A swatch chart aims at the file's Lab; a separated one keeps that Lab
    // too; records without Lab aim at the profile's prediction.
    void targetsAndNames() {
        QTemporaryDir dir;
        std::vector<Row> rows = characterisationRows(20);
        rows[3].name = "Brand Cyan";
        const QString data = dir.filePath("named.txt");
        writeFile(data, cgats(rows));
        for (bool separate : {false, true}) {
            Chart chart;
            QVERIFY(chartFromFile(data, chart, separate));
            unsigned long i = 0;
            for (const CHARTPATCH* p = chart.patches; p; p = KvNext(p), ++i) {
                QCOMPARE(p->labD50[0], rows[i].lab[0]);
                QCOMPARE(p->labD50[2], rows[i].lab[2]);
                QCOMPARE(QByteArray::fromStdString(chartPatchName(*p, i)), rows[i].name);
            }
        }
        // Without SAMPLE_NAME the SAMPLE_ID names the patch.
        writeFile(data, cgats(rows, false));
        Chart byId;
        QVERIFY(chartFromFile(data, byId));
        QCOMPARE(chartPatchName(*KvNext(byId.patches), 1), std::string("2"));

        // Names too long for the record are cut at a character, not inside one.
        CHARTPATCH p{};
        setChartPatchName(p, QString(70, QChar(0x00fc)).toUtf8().constData());
        QCOMPARE(QString::fromUtf8(chartPatchName(p, 0).c_str()), QString(31, QChar(0x00fc)));
        setChartPatchName(p, "");
        QCOMPARE(chartPatchName(p, 41), std::string("Patch 0042"));
    }

    // Chart -> export -> import -> chart gives the same chart, and the same
    // file again: for a chart from a profile and for a swatch chart.
    void exportsRebuildTheChart() {
        QTemporaryDir dir;
        Chart fromProfile;
        {
            ChartHandles h;
            QVERIFY(h.openForGrid(defaultCmyk, nullptr));
            StreamCapture out(1);
            QCOMPARE(ChartGeneration::generatePatches(&fromProfile.patches, h.profile, nullptr, 64, stdout),
                     0);
        }
        // The grid's Lab is the profile's prediction; a swatch chart of the
        // same inks predicts the same preview.
        writeFile(dir.filePath("swatches.txt"), cgats(characterisationRows(200)));
        Chart fromSwatches;
        QVERIFY(chartFromFile(dir.filePath("swatches.txt"), fromSwatches));

        for (const Chart* original : {&fromProfile, &fromSwatches}) {
            const std::string first = isoText(original->patches, "Colour check chart");
            const QString path = dir.filePath("chart.it8");
            writeFile(path, QByteArray::fromStdString(first));
            Chart back;
            QVERIFY(chartFromFile(path, back));
            if (original == &fromProfile) {
                QCOMPARE(chartPatchName(*back.patches, 0), std::string("Patch 0001"));
                // A chart from a profile previews the D50 Lab, a swatch chart
                // the relative Lab; inks, names and targets must still agree.
                for (CHARTPATCH* p = back.patches; p; p = KvNext(p))
                    std::memset(p->rgb, 0, 3);
                for (CHARTPATCH* p = fromProfile.patches; p; p = KvNext(p))
                    std::memset(p->rgb, 0, 3);
            }
            compareCharts(original->patches, back.patches);
            QCOMPARE(isoText(back.patches, "Colour check chart"), first);
        }
    }

    // LittleCMS reads the ISO file as IT8.7/4; ArgyllCMS lays out the .ti1
    // (printtarg) and takes the ISO file as a reference (colverify).
    void otherToolsAcceptTheExports() {
        QTemporaryDir dir;
        writeFile(dir.filePath("swatches.txt"), cgats(characterisationRows(48)));
        Chart chart;
        QVERIFY(chartFromFile(dir.filePath("swatches.txt"), chart));
        const QString iso = dir.filePath("chart.txt");
        const QString ti1 = dir.filePath("chart.ti1");
        QCOMPARE(runChart({"--profile", defaultCmyk, "--swatches", dir.filePath("swatches.txt"), "--iso12642",
                           iso, "--ti1", ti1})
                     .status,
                 0);

        cmsHANDLE it8 = cmsIT8LoadFromFile(nullptr, QFile::encodeName(iso).constData());
        QVERIFY(it8);
        char** fields = nullptr;
        QCOMPARE(cmsIT8EnumDataFormat(it8, &fields), 9);
        const QStringList want = {"SAMPLE_ID", "SAMPLE_NAME", "CMYK_C", "CMYK_M", "CMYK_Y",
                                  "CMYK_K",    "LAB_L",       "LAB_A",  "LAB_B"};
        for (int i = 0; i < 9; ++i)
            QCOMPARE(QString(fields[i]), want[i]);
        QCOMPARE(int(cmsIT8GetPropertyDbl(it8, "NUMBER_OF_SETS")), 48);
        QCOMPARE(QByteArray(cmsIT8GetProperty(it8, "DESCRIPTOR")),
                 QByteArray("Colour check chart; inks from the file"));
        QCOMPARE(QByteArray(cmsIT8GetDataRowCol(it8, 1, 1)), QByteArray("K100"));
        QCOMPARE(cmsIT8GetDataRowColDbl(it8, 1, 5), 100.0);
        QVERIFY(cmsIT8GetProperty(it8, "CREATED") != nullptr);
        cmsIT8Free(it8);

        const QString printtarg = QStandardPaths::findExecutable("printtarg");
        if (printtarg.isEmpty())
            QSKIP("ArgyllCMS (printtarg) is not installed");
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(printtarg, {"-i", "i1", "-p", "A4", "chart"});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        QVERIFY(readAll(dir.filePath("chart.ti2")).contains("NUMBER_OF_SETS"));

        // colverify compares a measurement with a reference by SAMPLE_ID.
        const QString colverify = QStandardPaths::findExecutable("colverify");
        if (colverify.isEmpty())
            QSKIP("ArgyllCMS (colverify) is not installed");
        p.start(colverify, {iso, iso});
        QVERIFY(p.waitForFinished(60000));
        const QByteArray out = p.readAllStandardOutput();
        QVERIFY2(p.exitCode() == 0, (out + p.readAllStandardError()).constData());
        QVERIFY2(out.contains("Total errors"), out.constData());
    }

    // LittleCMS's writer stops at 32,766 rows; the exports do not.
    void largeChartsExport() {
        QTemporaryDir dir;
        QList<QByteArray> inks;
        for (int i = 0; i < 40000; ++i)
            inks << QByteArray(4, char(i % 256));
        CHARTPATCH* list = patchList(inks);
        KVCOMBOCOLOUR_CC colours;
        QVERIFY(ChartRecords::fill(list, colours));
        std::string why;
        const QString iso = dir.filePath("big.txt");
        QCOMPARE(ExportISO12642::exportColours(QFile::encodeName(iso).toStdString(), colours.list,
                                               "Colour check chart", fixedTime, why),
                 0);
        const QString ti1 = dir.filePath("big.ti1");
        QVERIFY(ExportTi1::write(list, QFile::encodeName(ti1).toStdString(), fixedTime, "x"));
        FreeList(&list);
        const QByteArray text = readAll(iso);
        QVERIFY(text.contains("NUMBER_OF_SETS\t40000\n"));
        QVERIFY(text.contains("\n40000\t\"Patch 40000\"\t"));
        QVERIFY(readAll(ti1).contains("\n40000\t\"Patch 40000\"\t"));

        // And a failed export says why.
        StreamCapture err(2);
        QCOMPARE(ExportISO12642::exportColours(QFile::encodeName(dir.filePath("no/such.txt")).toStdString(),
                                               colours.list, "x", fixedTime, why),
                 -1);
        QCOMPARE(why, std::string("No such file or directory"));
        const Status refused =
            ExportTi1::write(nullptr, QFile::encodeName(dir.path()).toStdString(), fixedTime, "x");
        QVERIFY(!refused);
        QCOMPARE(refused.failure().why, std::string("Is a directory"));
    }

    // One value that is not a plain number, or is out of range, refuses the
    // whole file with the row and the field named: never a black patch.
    void badValuesAreRefused_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("field"); // 0..3 CMYK, 4..6 Lab
        QTest::addColumn<QString>("complaint");
        QTest::newRow("decimal comma") << QByteArray("12,5") << 0 << "row 3: CMYK_C has a decimal comma";
        QTest::newRow("nan") << QByteArray("nan") << 1 << "row 3: CMYK_M is not a plain number";
        QTest::newRow("inf") << QByteArray("inf") << 4 << "row 3: LAB_L is not a plain number";
        QTest::newRow("word") << QByteArray("sixty") << 6 << "row 3: LAB_B is not a plain number";
        // LittleCMS hands an empty string over as the string before it.
        QTest::newRow("empty") << QByteArray("\"\"") << 3 << "row 3: CMYK_K is";
        QTest::newRow("ink over 100") << QByteArray("100.5") << 2 << "row 3: CMYK_Y is 100.5, outside 0..100";
        QTest::newRow("negative ink") << QByteArray("-1") << 0 << "row 3: CMYK_C is -1, outside 0..100";
        QTest::newRow("L over 100") << QByteArray("101") << 4 << "row 3: LAB_L is 101, outside 0..100";
        QTest::newRow("b past 200") << QByteArray("-250") << 6 << "row 3: LAB_B is -250, outside -200..200";
    }
    void badValuesAreRefused() {
        QFETCH(QByteArray, value);
        QFETCH(int, field);
        QFETCH(QString, complaint);
        const std::vector<Row> rows = characterisationRows(4);
        QList<QByteArray> lines = cgats(rows).split('\n');
        const int at = lines.indexOf("BEGIN_DATA") + 3;
        QList<QByteArray> values = lines[at].split(' ');
        values[2 + field] = value;
        lines[at] = values.join(' ');
        const QByteArray bad = lines.join('\n');
        std::string why;
        KVCOMBOCOLOUR* records = SwatchImporter::fromCGATS(bad.constData(), std::size_t(bad.size()), &why);
        QVERIFY(records == nullptr);
        QVERIFY2(QString::fromStdString(why).startsWith(complaint), why.c_str());

        QTemporaryDir dir;
        writeFile(dir.filePath("bad.txt"), bad);
        const Run r = runChart(
            {"--profile", defaultCmyk, "--swatches", dir.filePath("bad.txt"), "--ps", dir.filePath("c.ps")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(complaint.toUtf8()), r.err.constData());
        QCOMPARE(r.err.count('\n'), 1);

        // The measurement reader keeps the rows before the damage, and says
        // where it is when the value is no number at all.
        MeasurementFile m;
        m.parse(bad.constData(), std::size_t(bad.size()));
        if (field >= 4 && !complaint.contains("outside")) {
            QCOMPARE(m.problem(), MeasurementFile::Damaged);
            QCOMPARE(m.damagedRow(), 3);
            QCOMPARE(int(m.readings().size()), 2);
            QVERIFY2(QString::fromStdString(m.detail()).startsWith(complaint), m.detail().c_str());
        }
    }

    // A file that promises more rows than it holds is refused, not cut short.
    void missingRowsAreRefused() {
        QByteArray text = cgats(characterisationRows(3));
        text.replace("NUMBER_OF_SETS 3", "NUMBER_OF_SETS 5");
        std::string why;
        QVERIFY(SwatchImporter::fromCGATS(text.constData(), std::size_t(text.size()), &why) == nullptr);
        QVERIFY2(QString::fromStdString(why).contains("NUMBER_OF_SETS was 5, found 3"), why.c_str());
    }

    void tooManySwatches() {
        KVCOMBOCOLOUR_CC records;
        for (unsigned long i = 0; i <= ChartGeneration::maximumSwatchPatches; ++i)
            records.insertCombo(labRecord("x", 50, 0, 0));
        ChartHandles h;
        QVERIFY(h.openForSwatches(defaultCmyk, nullptr));
        Chart chart;
        const Status refused =
            ChartGeneration::patchesFromSwatches(&chart.patches, records.list, h, false, nullptr);
        QVERIFY(!refused);
        QVERIFY(chart.patches == nullptr);
        QCOMPARE(refused.failure().why, std::string("more than 20000 swatches, too many for one chart"));
        KVCOMBOCOLOUR* last = records.list;
        while (KvNext(last))
            last = KvNext(last);
        RemoveList(&records.list, last);
        KvPacketFreeItem(last, KV_PACKET_COMBOCOLOUR);
        QVERIFY(ChartGeneration::patchesFromSwatches(&chart.patches, records.list, h, false, nullptr));
        QCOMPARE(ListLength(chart.patches), 20000);
    }

    // ASE swatches keep their names through the chart, the instrument
    // records and both exports.
    void aseNamesSurvive() {
        QTemporaryDir dir;
        const QByteArray ase = QByteArray("ASEF") + be16(1) + be16(0) + be32(3) +
                               aseColour("Brand Cyan", "CMYK", {1, 0, 0, 0}) +
                               aseColour(QString::fromUtf8("Grün"), "LAB ", {0.5f, -40, 30}) +
                               aseColour("Black", "CMYK", {0, 0, 0, 1});
        writeFile(dir.filePath("brand.ase"), ase);
        Chart chart;
        QVERIFY(chartFromFile(dir.filePath("brand.ase"), chart));
        QCOMPARE(chartPatchCMYK(*chart.patches), 0xff000000u);
        KVCOMBOCOLOUR_CC colours;
        QVERIFY(ChartRecords::fill(chart.patches, colours));
        QCOMPARE(QString::fromUtf8(KvNext(colours.list)->name), QString::fromUtf8("Grün"));
        const QString iso = dir.filePath("brand.txt");
        const QString ti1 = dir.filePath("brand.ti1");
        QCOMPARE(runChart({"--profile", defaultCmyk, "--swatches", dir.filePath("brand.ase"), "--iso12642",
                           iso, "--ti1", ti1})
                     .status,
                 0);
        for (const QString& path : {iso, ti1}) {
            const QByteArray text = readAll(path);
            QVERIFY(text.contains("\t\"Brand Cyan\"\t"));
            QVERIFY(text.contains(QString::fromUtf8("\t\"Grün\"\t").toUtf8()));
        }
        Chart back;
        QVERIFY(chartFromFile(iso, back));
        QCOMPARE(chartPatchName(*KvNext(KvNext(back.patches)), 2), std::string("Black"));
        QCOMPARE(chartPatchCMYK(*KvNext(KvNext(back.patches))), 0x000000ffu);
    }

    void commandLineOptions() {
        const Run r = runChart({"--profile", defaultCmyk, "--patches", "8", "--separate"});
        QCOMPARE(r.status, 2); // a command line that cannot be run
        QCOMPARE(r.err, QByteArray("tintry-chart: --separate applies only to a chart from --swatches\n"));
    }
};

TINTRY_CORE_TEST_MAIN(TestSwatchChart)
#include "test_swatch_chart.moc"
