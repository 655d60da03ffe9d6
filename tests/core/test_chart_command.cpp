// tintry-chart, run in-process: status 0 and the chart's progress lines on
// success, status 1 with exactly one line on standard error for every kind of
// failure, and files that match what the chart window would write.
#include "ChartCommand.h"
#include "ChartTestKit.h"
#include "CoreTestMain.h"

#include <QTemporaryDir>

using namespace chartkit;

namespace {

struct Run {
    int status;
    QByteArray out;
    QByteArray err;
};

Run run(QStringList args) {
    args.prepend("tintry-chart");
    QList<QByteArray> bytes;
    for (const QString& a : args)
        bytes << QFile::encodeName(a);
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    StreamCapture out(1);
    StreamCapture err(2);
    const int status = ChartCommand::run(int(argv.size()) - 1, argv.data());
    return {status, out.text(), err.text()};
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestChartCommand : public QObject {
    Q_OBJECT
private slots:
    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString cmyk = defaultCmyk;
        QTest::newRow("nothing") << QStringList() << "tintry-chart: --profile is required (see --help)";
        QTest::newRow("unknown") << QStringList{"--profile", cmyk, "--patches", "8", "--pdf", "x"}
                                 << "tintry-chart: unknown argument '--pdf' (see --help)";
        QTest::newRow("twice") << QStringList{"--profile", cmyk, "--patches", "8", "--patches", "9"}
                               << "tintry-chart: --patches given twice";
        for (const char* n : {"7", "2001", "64x"})
            QTest::newRow(qPrintable(QString("count '%1'").arg(n)))
                << QStringList{"--profile", cmyk, "--patches", n}
                << "tintry-chart: --patches takes a whole number from 8 to 2000";
        QTest::newRow("levels") << QStringList{"--profile", cmyk, "--patches", "8", "--levels", "18"}
                                << "tintry-chart: --levels takes a whole number from 2 to 17";
        QTest::newRow("ink limit") << QStringList{"--profile", cmyk, "--patches", "8", "--ink-limit", "99"}
                                   << "tintry-chart: --ink-limit takes a whole percentage from 100 to 400";
        QTest::newRow("seed")
            << QStringList{"--profile", cmyk, "--patches", "8", "--shuffle", "-1"}
            << "tintry-chart: --shuffle takes a whole number from 0 to 4294967295 as its seed";
        QTest::newRow("controls twice")
            << QStringList{"--profile", cmyk, "--patches", "8", "--controls", "--controls"}
            << "tintry-chart: --controls given twice";
        QTest::newRow("controls on swatches")
            << QStringList{"--profile", cmyk, "--swatches", "x", "--controls"}
            << "tintry-chart: --controls does not apply to a chart from --swatches";
        QTest::newRow("grid too small") << QStringList{"--profile", cmyk, "--patches", "16", "--levels", "2"}
                                        << "tintry-chart: --patches 16: the grid offers only 15 candidates "
                                           "(raise --levels or --ink-limit)";
        QTest::newRow("fewer than the controls")
            << QStringList{"--profile", cmyk, "--patches", "8", "--controls"}
            << "tintry-chart: --patches 8: fewer than the 13 control patches";
        QTest::newRow("both sources") << QStringList{"--profile", cmyk, "--patches", "8", "--swatches", "x"}
                                      << "tintry-chart: --patches does not apply to a chart from --swatches";
        QTest::newRow("unreadable") << QStringList{"--profile", "/nonexistent.icc", "--patches", "8"}
                                    << "tintry-chart: /nonexistent.icc: not a readable ICC profile";
        QTest::newRow("rgb") << QStringList{"--profile", srgb, "--patches", "8"}
                             << QString(
                                    "tintry-chart: %1: a chart needs a CMYK profile of the input, display or "
                                    "output class")
                                    .arg(srgb);
        QTest::newRow("bad preview")
            << QStringList{"--profile", cmyk, "--patches", "8", "--preview", cmyk}
            << QString("tintry-chart: %1: not usable as a monitor profile").arg(cmyk);
        QTest::newRow("no swatches")
            << QStringList{"--profile", cmyk, "--swatches", "/nonexistent.ase"}
            << "tintry-chart: /nonexistent.ase: no colours could be read from this file";
        QTest::newRow("unwritable ps")
            << QStringList{"--profile", cmyk, "--patches", "8", "--ps", "/nonexistent/c.ps"}
            << "Cannot open file /nonexistent/c.ps";
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = run(args);
        QCOMPARE(r.status, 1);
        QCOMPARE(QString::fromLocal8Bit(r.err), message + "\n");
    }

    void help() {
        const Run r = run({"--profile", "x", "--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("Usage: tintry-chart --profile P.icc --patches N"));
        QVERIFY(r.out.contains("--iso12642 OUT.txt"));
        QVERIFY(r.err.isEmpty());
    }

    void generatedChart() {
        QTemporaryDir dir;
        const QString ps = dir.filePath("c.ps");
        const QString iso = dir.filePath("c.txt");
        const Run r =
            run({"--profile", psCmyk, "--patches", "24", "--preview", srgb, "--ps", ps, "--iso12642", iso});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        const QList<QByteArray> lines = r.out.trimmed().split('\n');
        QCOMPARE(lines.first(), QByteArray("all done: 6560 patches created 1 skipped"));
        QVERIFY(lines[1].startsWith("forward rough cull: Tolerance 2.000000, removed "));
        QVERIFY(lines.last().endsWith(", patches left = 24"));
        QCOMPARE(readAll(ps).count("rectfill\n"), 24);
        QVERIFY(readAll(ps).contains("%%BoundingBox: 0 0 648 88\n"));
        QVERIFY(readAll(iso).contains("\"Patch 0024\""));
        QVERIFY(!readAll(iso).contains("Patch 0025"));
    }

    // All options at once, past the old limit of 512: the exact count, the
    // controls first in the file (before the shuffle moved them, they were
    // patches 1 to 13), and the same file again from the same seed.
    void chartWithOptions() {
        QTemporaryDir dir;
        const QStringList args = {"--profile",  defaultCmyk, "--patches", "600",
                                  "--controls", "--levels",  "11",        "--ink-limit",
                                  "300",        "--shuffle", "42",        "--iso12642"};
        const Run r = run(args + QStringList{dir.filePath("a.txt")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        QVERIFY(r.out.trimmed().endsWith(", patches left = 600"));
        const QByteArray a = readAll(dir.filePath("a.txt"));
        QVERIFY(a.contains("\"Patch 0600\"") && !a.contains("Patch 0601"));
        QVERIFY(a.indexOf("\"Patch 0001\"") > a.indexOf("\"Patch 0002\"") ||
                a.indexOf("\"Patch 0002\"") > a.indexOf("\"Patch 0003\"")); // not in plain order
        QCOMPARE(run(args + QStringList{dir.filePath("b.txt")}).status, 0);
        const auto body = [](QByteArray t) { return t.mid(t.indexOf("BEGIN_DATA\n")); };
        QCOMPARE(body(readAll(dir.filePath("b.txt"))), body(a));
    }

    void swatchChart() {
        if (!QFile::exists("/usr/share/color/icc/FOGRA39L.ti3"))
            QSKIP("icc-profiles-free is not installed");
        QTemporaryDir dir;
        const QString ps = dir.filePath("c.ps");
        const Run r =
            run({"--profile", defaultCmyk, "--swatches", "/usr/share/color/icc/FOGRA39L.ti3", "--ps", ps});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(readAll(ps).count("rectfill\n"), 1617);
    }
};

TINTRY_CORE_TEST_MAIN(TestChartCommand)
#include "test_chart_command.moc"
