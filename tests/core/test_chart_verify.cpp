// Judging a printed chart: a 64-patch chart from a real CMYK profile, read
// back by a perfect press (its own targets) but for five patches pushed off
// by known amounts. The verdict, the saved measured chart and the HTML report
// must all agree with LittleCMS's CIEDE2000 and with statistics worked out
// here; the saved chart must come back exactly and be readable by LittleCMS
// and ArgyllCMS; and a comma-decimal locale must not leak into either file.
#include "ChartSession.h"
#include "ChartTestKit.h"
#include "ChartVerdict.h"
#include "CoreTestMain.h"
#include "MeasuredChartFile.h"
#include "VerificationReport.h"

#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <lcms2.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <numeric>

using namespace chartkit;

namespace {

struct Lab {
    double L = 0, a = 0, b = 0;
};

struct Row {
    QString name;
    Lab lab;
};

double de2000(const Lab& x, const Lab& y) {
    const cmsCIELab p{x.L, x.a, x.b}, q{y.L, y.a, y.b};
    return cmsCIE2000DeltaE(&p, &q, 1, 1, 1);
}

// The rows of a CGATS file as LittleCMS reads them: name and Lab.
QList<Row> readLab(const QString& path, const char* l = "LAB_L", const char* a = "LAB_A",
                   const char* b = "LAB_B") {
    QList<Row> rows;
    cmsHANDLE h = cmsIT8LoadFromFile(nullptr, QFile::encodeName(path).constData());
    if (h == nullptr)
        return rows;
    const int n = int(cmsIT8GetPropertyDbl(h, "NUMBER_OF_SETS"));
    for (int r = 0; r < n; ++r) {
        const char* name = cmsIT8GetDataRowCol(h, r, cmsIT8FindDataFormat(h, "SAMPLE_NAME"));
        rows.append({QString::fromUtf8(name ? name : ""),
                     {cmsIT8GetDataRowColDbl(h, r, cmsIT8FindDataFormat(h, l)),
                      cmsIT8GetDataRowColDbl(h, r, cmsIT8FindDataFormat(h, a)),
                      cmsIT8GetDataRowColDbl(h, r, cmsIT8FindDataFormat(h, b))}});
    }
    cmsIT8Free(h);
    return rows;
}

// The built program as a child process, as scripts run it.
struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun chartTool(const QStringList& args) {
    QProcess p;
    p.start(QString::fromLocal8Bit(qgetenv("TINTRY_CHART_BINARY")), args);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

bool writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

QByteArray readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The patches pushed off and by how much, by row of the reference.
const QMap<int, Lab> offsets = {{3, {1.0, 0.0, 0.0}},
                                {17, {0.0, 2.5, 0.0}},
                                {30, {0.0, 0.0, -4.0}},
                                {45, {3.0, 3.0, 3.0}},
                                {60, {-0.5, 0.2, 0.1}}};

// Percentile by linear interpolation between closest ranks, as numpy's default.
double percentileOf(QList<double> sorted, double q) {
    std::sort(sorted.begin(), sorted.end());
    const double at = q * double(sorted.size() - 1);
    const qsizetype lo = qsizetype(at);
    const qsizetype hi = std::min(lo + 1, sorted.size() - 1);
    return sorted[lo] * (1.0 - (at - double(lo))) + sorted[hi] * (at - double(lo));
}

// A 64-patch chart of default_cmyk.icc, and a measurement of it in shuffled
// row order whose numbers are exactly those read back from the text.
struct Fixture {
    QTemporaryDir dir;
    QString reference = dir.filePath("reference.txt");
    QString measured = dir.filePath("measured.txt");
    QList<Row> targets;
    QMap<QString, double> expected; // DE2000 by patch name

    bool make() {
        const ToolRun r = chartTool({"--profile", defaultCmyk, "--patches", "64", "--iso12642", reference});
        targets = readLab(reference);
        if (r.status != 0 || targets.size() != 64)
            return false;
        QList<int> order(64);
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), *QRandomGenerator::global());
        QByteArray text = "CGATS.17\nORIGINATOR \"a perfect press\"\nNUMBER_OF_FIELDS 5\nBEGIN_DATA_FORMAT\n"
                          "SAMPLE_ID SAMPLE_NAME LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\nNUMBER_OF_SETS 64\n"
                          "BEGIN_DATA\n";
        for (int n = 0; n < 64; ++n) {
            const int i = order[n];
            const Lab off = offsets.value(i);
            const Lab t = targets[i].lab;
            text += QByteArray::number(n + 1) + " \"" + targets[i].name.toUtf8() + "\" " +
                    QByteArray::number(t.L + off.L, 'g', 17) + ' ' +
                    QByteArray::number(t.a + off.a, 'g', 17) + ' ' +
                    QByteArray::number(t.b + off.b, 'g', 17) + '\n';
        }
        text += "END_DATA\n";
        if (!writeText(measured, text))
            return false;
        for (const Row& m : readLab(measured))
            for (const Row& t : targets)
                if (t.name == m.name)
                    expected[m.name] = de2000(t.lab, m.lab);
        return expected.size() == 64;
    }
};

// A small chart with awkward names, part measured.
CHARTPATCH* namedChart() {
    CHARTPATCH* list = patchList({QByteArray("\x00\x00\x00\x00", 4), QByteArray("\x10\x80\x40\xff", 4),
                                  QByteArray("\xff\x01\x02\x03", 4), QByteArray("\x33\x66\x99\xcc", 4),
                                  QByteArray("\x07\x00\xfe\x00", 4)});
    const char* names[] = {"A1", "white paper", "42", "", "say \"cheese\""};
    int i = 0;
    for (CHARTPATCH* p = list; p; p = reinterpret_cast<CHARTPATCH*>(p->link.next), ++i) {
        std::snprintf(p->name, sizeof p->name, "%s", names[i]);
        p->labD50[0] = 50.123456789012 + i;
        p->labD50[1] = -12.987654321098 * i;
        p->labD50[2] = 3.000000000123 - i;
    }
    return list;
}

} // namespace

class TestChartVerify : public QObject {
    Q_OBJECT

private slots:
    void verdictMatchesLittleCmsAndTolerances() {
        Fixture f;
        QVERIFY(f.make());
        const QList<double> errors = f.expected.values();
        QCOMPARE(std::count_if(errors.begin(), errors.end(), [](double e) { return e > 1e-9; }), 5);
        const double mean = std::accumulate(errors.begin(), errors.end(), 0.0) / 64.0;
        const double p95 = percentileOf(errors, 0.95);
        const double maximum = *std::max_element(errors.begin(), errors.end());
        QVERIFY(maximum > 3.0); // the default tolerance fails this print

        const QString report = f.dir.filePath("report.html"), cgats = f.dir.filePath("verified.ti3");
        ToolRun r = chartTool(
            {"--verify", f.measured, "--reference", f.reference, "--report", report, "--cgats", cgats});
        QCOMPARE(r.status, 3);
        const QString summary = QString("64 of 64 measured, mean %1, p95 %2, max %3: FAIL\n")
                                    .arg(mean, 0, 'f', 2)
                                    .arg(p95, 0, 'f', 2)
                                    .arg(maximum, 0, 'f', 2);
        QCOMPARE(r.out, summary);
        QCOMPARE(r.err, QString());

        // Each tolerance decides on its own; a value must be under its limit.
        const auto status = [&](const QStringList& limits) {
            return chartTool(QStringList{"--verify", f.measured, "--reference", f.reference} + limits).status;
        };
        const QString above = QString::number(maximum + 0.01, 'f', 6);
        QCOMPARE(status({"--max", above}), 0);
        QCOMPARE(status({"--max", above, "--mean", QString::number(mean * 0.99)}), 3);
        QCOMPARE(status({"--max", above, "--mean", QString::number(mean * 1.01)}), 0);
        QCOMPARE(status({"--max", above, "--p95", QString::number(p95 * 0.99)}), 3);
        QCOMPARE(status({"--max", above, "--p95", QString::number(p95 * 1.01)}), 0);
        QCOMPARE(status({"--max", "0"}), 2);
        QCOMPARE(status({"--max", above, "--frobnicate", "1"}), 2);
        QCOMPARE(status({"--max", above, "--reference", f.reference}), 2);
        QCOMPARE(chartTool({"--verify", f.dir.filePath("missing.txt"), "--reference", f.reference}).status,
                 1);
        // A monitor profile the swatches cannot be painted through is an
        // error, not a page of grey squares or a quiet switch to sRGB.
        for (const QString& monitor : {QString(defaultCmyk), f.dir.filePath("missing.icc")}) {
            const ToolRun bad = chartTool({"--verify", f.measured, "--reference", f.reference, "--report",
                                           f.dir.filePath("grey.html"), "--monitor", monitor});
            QCOMPARE(bad.status, 1);
            QCOMPARE(bad.err, "tintry-chart: " + monitor + ": not usable as a monitor profile\n");
            QVERIFY(!QFile::exists(f.dir.filePath("grey.html")));
        }
        QCOMPARE(status({"--max", above, "--monitor", srgb}), 0);

        // The saved chart: every row's DE2000 is LittleCMS's, for the right patch.
        const QList<Row> measuredRows = readLab(cgats);
        const QList<Row> targetRows = readLab(cgats, "TARGET_L", "TARGET_A", "TARGET_B");
        QCOMPARE(measuredRows.size(), 64);
        cmsHANDLE h = cmsIT8LoadFromFile(nullptr, QFile::encodeName(cgats).constData());
        QVERIFY(h);
        QMap<QString, double> saved;
        for (int i = 0; i < 64; ++i) {
            const double de = cmsIT8GetDataRowColDbl(h, i, cmsIT8FindDataFormat(h, "DE2000"));
            QVERIFY2(std::abs(de - f.expected.value(measuredRows[i].name, -1)) < 1e-6,
                     qPrintable(measuredRows[i].name));
            QVERIFY(std::abs(de - de2000(targetRows[i].lab, measuredRows[i].lab)) < 1e-6);
            saved[measuredRows[i].name] = de;
        }
        cmsIT8Free(h);

        // The report: well-formed, one row per patch, the same numbers.
        QXmlStreamReader xml(readText(report));
        QStringList cells;
        QList<QStringList> rows;
        bool inPatches = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("table"))
                inPatches = xml.attributes().value("class") == QLatin1String("patches");
            else if (inPatches && xml.isStartElement() && xml.name() == QLatin1String("td"))
                cells << xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (inPatches && xml.isEndElement() && xml.name() == QLatin1String("tr") && !cells.isEmpty())
                rows << std::exchange(cells, {});
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(rows.size(), 64);
        // The chart's own export carries its inks, and the report shows them.
        QMap<QString, QList<double>> inks;
        cmsHANDLE ref = cmsIT8LoadFromFile(nullptr, QFile::encodeName(f.reference).constData());
        QVERIFY(ref);
        for (int i = 0; i < 64; ++i) {
            QList<double>& v = inks[QString::fromUtf8(
                cmsIT8GetDataRowCol(ref, i, cmsIT8FindDataFormat(ref, "SAMPLE_NAME")))];
            for (const char* ink : {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K"})
                v << cmsIT8GetDataRowColDbl(ref, i, cmsIT8FindDataFormat(ref, ink));
        }
        cmsIT8Free(ref);
        QSet<QString> named;
        for (const QStringList& cols : rows) {
            QCOMPARE(cols.size(), 7);
            const QStringList shown = cols[2].split(' ');
            QCOMPARE(shown.size(), 4);
            for (int k = 0; k < 4; ++k)
                QVERIFY2(std::abs(shown[k].toDouble() - inks.value(cols[1]).value(k, -1)) < 0.051,
                         qPrintable(cols[1] + ": " + cols[2]));
            QVERIFY2(saved.contains(cols[1]), qPrintable(cols[1]));
            QCOMPARE(cols[6], QString::number(saved.value(cols[1]), 'f', 4));
            named << cols[1];
        }
        QCOMPARE(named.size(), 64);
    }

    void verdictStatistics() {
        // Linear interpolation between ranks: the median of 1..4 is 2.5.
        QCOMPARE(ChartVerdict::percentile({4, 1, 3, 2}, 0.5), 2.5);
        QCOMPARE(ChartVerdict::percentile({5}, 0.95), 5.0);
        QCOMPARE(ChartVerdict::percentile({}, 0.95), 0.0);
        ChartSession s;
        s.reset(patchList(QList<QByteArray>(12, QByteArray(4, '\0'))));
        ChartTolerances none;
        // Nothing measured never passes, even with no limit to break.
        QVERIFY(!ChartVerdict::judge(s, none).passes());
        for (std::size_t i = 0; i < 11; ++i)
            s.recordAt(i, 100.0 - double(i), 0, 0); // patch i is i away in L, from white
        const ChartVerdict v = ChartVerdict::judge(s, none);
        QCOMPARE(v.patches, std::size_t(12));
        QCOMPARE(v.measured, std::size_t(11));
        QCOMPARE(v.worst.size(), std::size_t(10));
        QCOMPARE(v.worst.front().index, std::size_t(10));
        QCOMPARE(v.worst.back().index, std::size_t(1));
        QVERIFY(v.worst.front().deltaE == v.maximum);
        QVERIFY(!v.passes()); // the default: every patch under 3
        ChartTolerances loose;
        loose.maximum = v.maximum + 1e-9;
        QVERIFY(ChartVerdict::judge(s, loose).passes());
        loose.maximum = v.maximum; // equal is not under
        QVERIFY(!ChartVerdict::judge(s, loose).passes());
    }

    void savedChartComesBackExactly() {
        ChartSession s;
        s.reset(namedChart());
        s.recordAt(1, 95.123456789012, -0.987654321098, 2.5);
        s.recordAt(4, 12.000000000001, 77.7777777777, -99.99999999);
        QTemporaryDir dir;
        const std::string path = QFile::encodeName(dir.filePath("chart.ti3")).toStdString();
        const Status saved = MeasuredChartFile::save(s, path, "Proof");
        QVERIFY2(saved, saved.failure().why.c_str());

        ChartSession back;
        const Status opened = MeasuredChartFile::open(path, back);
        QVERIFY2(opened, opened.failure().why.c_str());
        QCOMPARE(back.size(), s.size());
        QCOMPARE(back.measuredCount(), std::size_t(2));
        for (std::size_t i = 0; i < s.size(); ++i) {
            QCOMPARE(back.name(i), s.name(i) == "say \"cheese\"" ? "say 'cheese'" : s.name(i));
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(back.patch(i).cmyk), 4),
                     QByteArray(reinterpret_cast<const char*>(s.patch(i).cmyk), 4));
            QCOMPARE(back.measured(i), s.measured(i));
            // LittleCMS 2.14 reads numbers back to ten significant digits,
            // whatever the file holds: that is the closest a chart can return.
            const auto near = [](double x, double y) {
                return std::abs(x - y) <= 1e-9 * std::max(1.0, std::abs(y));
            };
            for (int k = 0; k < 3; ++k) {
                QVERIFY2(near(back.patch(i).labD50[k], s.patch(i).labD50[k]),
                         qPrintable(QString("target %1 of patch %2").arg(k).arg(i)));
                if (s.measured(i))
                    QVERIFY2(near(back.reading(i).lab[k], s.reading(i).lab[k]),
                             qPrintable(QString("reading %1 of patch %2").arg(k).arg(i)));
            }
            QVERIFY(near(back.reading(i).deltaE, s.reading(i).deltaE));
        }

        // The file itself holds every digit, for readers that keep them all.
        const QByteArray text = readText(QString::fromStdString(path));
        for (const char* exact : {"77.7777777777\t", "95.123456789012\t", "50.123456789012\t"})
            QVERIFY2(text.contains(exact), exact);

        // LittleCMS reads both tables as they are.
        cmsHANDLE h = cmsIT8LoadFromFile(nullptr, path.c_str());
        QVERIFY(h);
        QCOMPARE(cmsIT8TableCount(h), 2u);
        QCOMPARE(QByteArray(cmsIT8GetSheetType(h)), QByteArray("CTI3"));
        QCOMPARE(cmsIT8GetPropertyDbl(h, "NUMBER_OF_SETS"), 2.0);
        QCOMPARE(QByteArray(cmsIT8GetDataRowCol(h, 0, cmsIT8FindDataFormat(h, "SAMPLE_NAME"))),
                 QByteArray("white paper"));
        QVERIFY(cmsIT8SetTable(h, 1) >= 0);
        QCOMPARE(cmsIT8GetPropertyDbl(h, "NUMBER_OF_SETS"), 3.0);
        QVERIFY(cmsIT8FindDataFormat(h, "LAB_L") < 0);
        cmsIT8Free(h);
    }

    void damagedFilesAreRefusedNamingTheRow_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("why");
        QTest::newRow("bad Lab") << QByteArray("95.12") << QByteArray("9x.12")
                                 << "table 1, row 1: LAB_L is missing or not a plausible number";
        QTest::newRow("L out of range") << QByteArray("95.12") << QByteArray("195.12")
                                        << "table 1, row 1: LAB_L is missing or not a plausible number";
        QTest::newRow("ink above 100") << QByteArray("\"42\"\t0.39") << QByteArray("\"42\"\t180.39")
                                       << "table 2, row 2: CMYK_C is missing or not a plausible number";
        QTest::newRow("repeated id") << QByteArray("\n5\t") << QByteArray("\n1\t")
                                     << "SAMPLE_ID 1 is repeated or out of order";
        QTest::newRow("not CGATS") << QByteArray("END_DATA_FORMAT") << QByteArray("END_DATA_FORMAZ")
                                   << "not a CGATS file";
        // LittleCMS would open the file named, a FIFO or device included.
        QTest::newRow("include") << QByteArray("BEGIN_DATA_FORMAT")
                                 << QByteArray("INCLUDE \"/etc/hostname\"\nBEGIN_DATA_FORMAT")
                                 << "not a CGATS file this program can read";
    }
    void damagedFilesAreRefusedNamingTheRow() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, why);
        ChartSession s;
        s.reset(namedChart());
        s.recordAt(1, 95.12, 1, 2);
        s.recordAt(4, 12, 7, -9);
        QByteArray text = QByteArray::fromStdString(MeasuredChartFile::text(s, "Proof", 0));
        QVERIFY2(text.contains(from), text.constData());
        text.replace(text.indexOf(from), from.size(), to);
        ChartSession back;
        back.reset(patchList({QByteArray(4, '\0')}));
        const Status parsed = MeasuredChartFile::parse(text.constData(), std::size_t(text.size()), back);
        const std::string problem = parsed.failure().why;
        QVERIFY(!parsed);
        if (!why.isEmpty())
            QCOMPARE(QString::fromStdString(problem), why);
        QVERIFY(!problem.empty());
        QCOMPARE(back.size(), std::size_t(1)); // the chart held is left alone
    }

    void argyllColverifyAcceptsTheSavedChart() {
        const QString colverify = QStandardPaths::findExecutable("colverify");
        if (colverify.isEmpty())
            QSKIP("ArgyllCMS colverify is not installed");
        ChartSession s;
        s.reset(namedChart());
        for (std::size_t i = 0; i < s.size(); ++i)
            s.recordAt(i, 50 + double(i), 1, -1);
        s.recordAt(2, 60, 10, 10);
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ti3");
        QVERIFY(MeasuredChartFile::save(s, QFile::encodeName(path).toStdString(), "Proof"));
        QProcess p;
        p.start(colverify, {"-v", path, path});
        QVERIFY(p.waitForFinished(60000));
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, qPrintable(out));
        QVERIFY2(out.contains("No of test patches = 5"), qPrintable(out));
    }

    void commaLocaleStillWritesDecimalPoints() {
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
            QSKIP("no de_DE.UTF-8 locale is installed (locale-gen de_DE.UTF-8 makes one)");
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 1.5);
        const bool comma = QByteArray(probe) == "1,5";
        ChartSession s;
        s.reset(namedChart());
        s.recordAt(1, 95.25, -1.5, 2.75);
        const std::string cgats = MeasuredChartFile::text(s, "Proof", 0);
        const std::string html =
            VerificationReport::html(s, ChartVerdict::judge(s, ChartTolerances{}), "Proof", "", 0);
        ChartSession back;
        const Status parsed = MeasuredChartFile::parse(cgats.data(), cgats.size(), back);
        const bool opened = parsed.ok();
        const std::string why = parsed.failure().why;
        std::setlocale(LC_ALL, "C");
        QVERIFY(comma);
        QVERIFY(QByteArray::fromStdString(cgats).contains("95.25"));
        QVERIFY(!QRegularExpression("\\d,\\d").match(QString::fromStdString(cgats)).hasMatch());
        QVERIFY(QByteArray::fromStdString(html).contains("95.25 -1.50 2.75"));
        QVERIFY(!QRegularExpression(">[-0-9. ]*\\d,\\d").match(QString::fromStdString(html)).hasMatch());
        QVERIFY2(opened, why.c_str());
        QCOMPARE(back.reading(1).lab[0], 95.25);
    }
};

TINTRY_CORE_TEST_MAIN(TestChartVerify)
#include "test_chart_verify.moc"
