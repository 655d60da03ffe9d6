// tintry-chart, run in-process: status 0 and the chart's progress lines on
// success, status 1 with exactly one line on standard error for every kind of
// failure, and files that match what the chart window would write.
#include "ChartCommand.h"
#include "ChartTestKit.h"
#include "CoreTestMain.h"

#include <QTemporaryDir>

#include <sys/stat.h>

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
        QTest::newRow("unknown") << QStringList{"--profile", cmyk, "--patches", "8", "--tiff", "x"}
                                 << "tintry-chart: unknown argument '--tiff' (see --help)";
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
        QTest::newRow("unreadable")
            << QStringList{"--profile", "/nonexistent.icc", "--patches", "8"}
            << "tintry-chart: /nonexistent.icc: cannot be read: No such file or directory";
        QTest::newRow("rgb") << QStringList{"--profile", srgb, "--patches", "8"}
                             << QString(
                                    "tintry-chart: %1: a chart needs a CMYK profile of the input, display or "
                                    "output class")
                                    .arg(srgb);
        QTest::newRow("bad preview")
            << QStringList{"--profile", cmyk, "--patches", "8", "--preview", cmyk}
            << QString("tintry-chart: %1: not usable as a monitor profile").arg(cmyk);
        QTest::newRow("no swatches") << QStringList{"--profile", cmyk, "--swatches", "/nonexistent.ase"}
                                     << "tintry-chart: /nonexistent.ase: No such file or directory";
        QTest::newRow("unwritable ps")
            << QStringList{"--profile", cmyk, "--patches", "8", "--ps", "/nonexistent/c.ps"}
            << "tintry-chart: /nonexistent/c.ps: cannot write: No such file or directory";
        QTest::newRow("unwritable pdf")
            << QStringList{"--profile", cmyk, "--patches", "8", "--pdf", "/nonexistent/c.pdf"}
            << "tintry-chart: /nonexistent/c.pdf: cannot write: No such file or directory";
        QTest::newRow("landscape twice") << QStringList{"--profile", cmyk, "--landscape", "--landscape"}
                                         << "tintry-chart: --landscape given twice";
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = run(args);
        QCOMPARE(r.status, 1);
        QCOMPARE(QString::fromLocal8Bit(r.err), message + "\n");
    }

    // An output that is one of the inputs (by another name, or through a
    // link) would destroy it: refused before anything is written.
    void outputOverAnInput() {
        QTemporaryDir dir;
        const QString profile = dir.filePath("p.icc");
        const QString swatches = dir.filePath("s.txt");
        QVERIFY(QFile::copy(psCmyk, profile));
        QVERIFY(QFile::link(profile, dir.filePath("link.icc")));
        {
            QFile f(swatches);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\n"
                    "END_DATA_FORMAT\nNUMBER_OF_SETS 1\nBEGIN_DATA\n1 50 0 0\nEND_DATA\n");
        }
        const QByteArray before = readAll(profile);
        const QString other = dir.path() + "/./p.icc";
        const struct {
            QStringList args;
            QString message;
        } cases[] = {
            {{"--profile", profile, "--patches", "8", "--ps", profile},
             profile + ": is the same file as the input profile"},
            {{"--profile", profile, "--patches", "8", "--iso12642", other},
             other + ": is the same file as the input profile"},
            {{"--profile", profile, "--patches", "8", "--ps", dir.filePath("link.icc")},
             dir.filePath("link.icc") + ": is the same file as the input profile"},
            {{"--profile", psCmyk, "--patches", "8", "--preview", profile, "--ps", profile},
             profile + ": is the same file as the preview profile"},
            {{"--profile", psCmyk, "--swatches", swatches, "--iso12642", swatches},
             swatches + ": is the same file as the swatch file"},
        };
        for (const auto& c : cases) {
            const Run r = run(c.args);
            QCOMPARE(r.status, 1);
            QCOMPARE(QString::fromLocal8Bit(r.err), "tintry-chart: " + c.message + "\n");
        }
        QCOMPARE(readAll(profile), before);
    }

    // A FIFO named as the swatch file is refused at once; opening it to read
    // used to wait for a writer that never comes.
    void fifoAsSwatches() {
        QTemporaryDir dir;
        const QByteArray fifo = QFile::encodeName(dir.filePath("swatches.fifo"));
        QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
        const Run r = run({"--profile", psCmyk, "--swatches", QFile::decodeName(fifo)});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.endsWith(": not a regular file\n"), r.err.constData());
    }

    // Replacing a private file keeps it private.
    void replacedFileKeepsItsPermissions() {
        QTemporaryDir dir;
        const QString ps = dir.filePath("c.ps");
        {
            QFile f(ps);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        QVERIFY(::chmod(QFile::encodeName(ps).constData(), 0600) == 0);
        QCOMPARE(run({"--profile", psCmyk, "--patches", "8", "--ps", ps}).status, 0);
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(ps).constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 07777), 0600);
        QVERIFY(readAll(ps).startsWith("%!PS"));
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
        const Run r = run({"--profile", psCmyk, "--patches", "24", "--preview", srgb, "--ps", ps,
                           "--iso12642", iso, "--paper", "fit"});
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
        // On A4 (the C locale's paper) the 1617 patches take 8 pages of 13 x 16.
        QVERIFY(readAll(ps).contains("%%Pages: 8\n"));
        QVERIFY(readAll(ps).contains("%%Title: Colour check chart, FOGRA39L.ti3, 1617 patches, "));
    }
};

TINTRY_CORE_TEST_MAIN(TestChartCommand)
#include "test_chart_command.moc"
