// tintry-chart, run in-process: status 0 and the chart's progress lines on
// success, status 2 for a command line that cannot run and 1 for every other
// failure, each with exactly one line on standard error, and files that match
// what the chart window would write.
#include "ChartCommand.h"
#include "ChartTestKit.h"
#include "CoreTestMain.h"
#include "TintryVersion.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace chartkit;

namespace {} // namespace

class TestChartCommand : public QObject {
    Q_OBJECT
private slots:
    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString cmyk = defaultCmyk;
        // Every run that gets past the command line needs somewhere to write.
        const QString out = QDir::temp().filePath("tintry-chart-never-written.ps");
        QTest::newRow("nothing") << QStringList() << 2 << "tintry-chart: --profile is required (see --help)";
        QTest::newRow("unknown") << QStringList{"--profile", cmyk, "--patches", "8", "--frobnicate", "x"} << 2
                                 << "tintry-chart: unknown argument '--frobnicate' (see --help)";
        QTest::newRow("not an option") << QStringList{"--profile", cmyk, "--patches", "8", "stray"} << 2
                                       << "tintry-chart: unknown argument 'stray' (see --help)";
        QTest::newRow("twice") << QStringList{"--profile", cmyk, "--patches", "8", "--patches=9"} << 2
                               << "tintry-chart: --patches given twice";
        QTest::newRow("empty value") << QStringList{"--profile=", "--patches", "8"} << 2
                                     << "tintry-chart: --profile needs a value (see --help)";
        QTest::newRow("value at the end") << QStringList{"--patches", "8", "--profile"} << 2
                                          << "tintry-chart: --profile needs a value (see --help)";
        QTest::newRow("flag with value") << QStringList{"--profile", cmyk, "--patches", "8", "--quiet=yes"}
                                         << 2 << "tintry-chart: --quiet: takes no value (see --help)";
        for (const char* n : {"7", "2001", "64x", "99999999999999999999"})
            QTest::newRow(qPrintable(QString("count '%1'").arg(n)))
                << QStringList{"--profile", cmyk, "--patches", n, "--ps", out} << 2
                << "tintry-chart: --patches takes a whole number from 8 to 2000";
        QTest::newRow("levels") << QStringList{"--profile", cmyk, "--patches", "8",
                                               "--levels",  "18", "--ps",      out}
                                << 2 << "tintry-chart: --levels takes a whole number from 2 to 17";
        QTest::newRow("ink limit") << QStringList{"--profile",   cmyk, "--patches", "8",
                                                  "--ink-limit", "99", "--ps",      out}
                                   << 2
                                   << "tintry-chart: --ink-limit takes a whole percentage from 100 to 400";
        QTest::newRow("seed")
            << QStringList{"--profile", cmyk, "--patches", "8", "--shuffle", "-1", "--ps", out} << 2
            << "tintry-chart: --shuffle takes a whole number from 0 to 4294967295 as its seed";
        QTest::newRow("controls twice")
            << QStringList{"--profile", cmyk, "--patches", "8", "--controls", "--controls"} << 2
            << "tintry-chart: --controls given twice";
        QTest::newRow("controls on swatches")
            << QStringList{"--profile", cmyk, "--swatches", "x", "--controls"} << 2
            << "tintry-chart: --controls does not apply to a chart from --swatches";
        QTest::newRow("grid too small")
            << QStringList{"--profile", cmyk, "--patches", "16", "--levels", "2", "--quiet", "--ps", out} << 1
            << "tintry-chart: --patches 16: the grid offers only 15 candidates (raise --levels or "
               "--ink-limit)";
        QTest::newRow("fewer than the controls")
            << QStringList{"--profile", cmyk, "--patches", "8", "--controls", "--quiet", "--ps", out} << 1
            << "tintry-chart: --patches 8: fewer than the 13 control patches";
        QTest::newRow("both sources")
            << QStringList{"--profile", cmyk, "--patches", "8", "--swatches", "x"} << 2
            << "tintry-chart: --patches does not apply to a chart from --swatches";
        QTest::newRow("no output")
            << QStringList{"--profile", cmyk, "--patches", "8"} << 2
            << "tintry-chart: nothing to write: give --ps or --pdf or --iso12642 or --ti1 "
               "(see --help)";
        QTest::newRow("two to stdout")
            << QStringList{"--profile", cmyk, "--patches", "8", "--ps", "-", "--iso12642=-"} << 2
            << "tintry-chart: standard output: only one export can go there (see --help)";
        QTest::newRow("unreadable")
            << QStringList{"--profile", "/nonexistent.icc", "--patches", "8", "--ps", out} << 1
            << "tintry-chart: /nonexistent.icc: cannot be read: No such file or directory";
        QTest::newRow("rgb") << QStringList{"--profile", srgb, "--patches", "8", "--ps", out} << 1
                             << QString(
                                    "tintry-chart: %1: a chart needs a CMYK profile of the input, display or "
                                    "output class")
                                    .arg(srgb);
        QTest::newRow("bad preview")
            << QStringList{"--profile", cmyk, "--patches", "8", "--preview", cmyk, "--ps", out} << 1
            << QString("tintry-chart: %1: not usable as a monitor profile").arg(cmyk);
        QTest::newRow("no swatches") << QStringList{"--profile",        cmyk,   "--swatches",
                                                    "/nonexistent.ase", "--ps", out}
                                     << 1 << "tintry-chart: /nonexistent.ase: No such file or directory";
        QTest::newRow("unwritable ps")
            << QStringList{"--profile", cmyk, "--patches", "8", "--ps", "/nonexistent/c.ps"} << 1
            << "tintry-chart: /nonexistent/c.ps: cannot write: No such file or directory";
        QTest::newRow("unwritable pdf")
            << QStringList{"--profile", cmyk, "--patches", "8", "--pdf", "/nonexistent/c.pdf"} << 1
            << "tintry-chart: /nonexistent/c.pdf: cannot write: No such file or directory";
        QTest::newRow("folder as iso")
            << QStringList{"--profile", cmyk, "--patches", "8", "--iso12642", "/tmp"} << 1
            << "tintry-chart: /tmp: cannot write: it is a folder";
        QTest::newRow("landscape twice") << QStringList{"--profile", cmyk, "--landscape", "--landscape"} << 2
                                         << "tintry-chart: --landscape given twice";
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run r = runChart(args);
        QCOMPARE(QString::fromLocal8Bit(r.err), message + "\n");
        QCOMPARE(r.status, status);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFile::exists(QDir::temp().filePath("tintry-chart-never-written.ps")));
    }

    void version() {
        const Run r = runChart({"--profile", "x", "--version"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray("tintry-chart ") + tintryVersion + "\n");
        QVERIFY(r.err.isEmpty());
    }

    // The same chart whether values follow '=' or come as the next argument.
    void valuesAfterEquals() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.txt");
        const QString b = dir.filePath("b.txt");
        const Run spaced = runChart({"--profile", psCmyk, "--patches", "16", "--iso12642", a});
        const Run joined = runChart({QString("--profile=") + psCmyk, "--patches=16", "--iso12642=" + b});
        QCOMPARE(spaced.status, 0);
        QCOMPARE(joined.status, 0);
        QCOMPARE(joined.out, spaced.out);
        const auto body = [](QByteArray text) { return text.mid(text.indexOf("NUMBER_OF_FIELDS")); };
        QCOMPARE(body(readAll(b)), body(readAll(a)));
        QVERIFY(readAll(b).contains("\"Patch 0016\""));
    }

    // '-' puts the export, and only the export, on standard output; the
    // progress moves to standard error, and --quiet silences it anywhere.
    void standardOutputAndQuiet() {
        QTemporaryDir dir;
        const QString ps = dir.filePath("c.ps");
        const Run toFile = runChart({"--profile", psCmyk, "--patches", "8", "--ps", ps});
        const Run toStdout = runChart({"--profile", psCmyk, "--patches", "8", "--ps", "-"});
        QCOMPARE(toStdout.status, 0);
        QVERIFY(toStdout.out.startsWith("%!PS-Adobe-3.0\n"));
        QCOMPARE(toStdout.out.count("rectfill\n"), 8);
        QVERIFY(!QFile::exists("-"));
        QCOMPARE(toStdout.err, toFile.out);
        QVERIFY(toStdout.err.startsWith("all done: "));

        const Run quiet = runChart({"--quiet", "--profile", psCmyk, "--patches", "8", "--iso12642", "-"});
        QCOMPARE(quiet.status, 0);
        QVERIFY(quiet.err.isEmpty());
        QVERIFY(quiet.out.startsWith("CGATS.17"));
        QVERIFY(quiet.out.contains("\"Patch 0008\""));
        const Run quietFile = runChart({"--quiet", "--profile", psCmyk, "--patches", "8", "--ps", ps});
        QCOMPARE(quietFile.status, 0);
        QVERIFY(quietFile.out.isEmpty() && quietFile.err.isEmpty());
    }

    // The installed program answers --help and --version with no display and
    // no platform plugin: a script on a server must be able to ask.
    void helpAndVersionWithoutDisplay() {
        for (const QString& binary :
             {qEnvironmentVariable("TINTRY_CHART_BINARY"), qEnvironmentVariable("TINTRY_BINARY")}) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                env.remove(name);
            const QString name = QFileInfo(binary).fileName();
            for (const QString& option : {QString("--version"), QString("--help")}) {
                QProcess p;
                p.setProcessEnvironment(env);
                p.start(binary, {option});
                QVERIFY2(p.waitForFinished(30000), qPrintable(binary));
                QCOMPARE(p.exitStatus(), QProcess::NormalExit);
                QCOMPARE(p.exitCode(), 0);
                const QByteArray out = p.readAllStandardOutput();
                if (option == "--version")
                    QCOMPARE(out, (name + " " + tintryVersion + "\n").toUtf8());
                else
                    QVERIFY2(out.startsWith(("Usage: " + name).toUtf8()), out.constData());
            }
        }
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
            const Run r = runChart(c.args);
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
        const Run r = runChart(
            {"--profile", psCmyk, "--swatches", QFile::decodeName(fifo), "--ps", dir.filePath("never.ps")});
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
        QCOMPARE(runChart({"--profile", psCmyk, "--patches", "8", "--ps", ps}).status, 0);
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(ps).constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 07777), 0600);
        QVERIFY(readAll(ps).startsWith("%!PS"));
    }

    void help() {
        const Run r = runChart({"--profile", "x", "--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("Usage: tintry-chart --profile P.icc --patches N"));
        QVERIFY(r.out.contains("--iso12642 OUT.txt"));
        QVERIFY(r.err.isEmpty());
    }

    void generatedChart() {
        QTemporaryDir dir;
        const QString ps = dir.filePath("c.ps");
        const QString iso = dir.filePath("c.txt");
        const Run r = runChart({"--profile", psCmyk, "--patches", "24", "--preview", srgb, "--ps", ps,
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
        const Run r = runChart(args + QStringList{dir.filePath("a.txt")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        const QList<QByteArray> lines = r.out.trimmed().split('\n');
        QVERIFY(lines.at(lines.size() - 2).endsWith(", patches left = 600"));
        QVERIFY(lines.last().startsWith("coverage fit: "));
        const QByteArray a = readAll(dir.filePath("a.txt"));
        QVERIFY(a.contains("\"Patch 0600\"") && !a.contains("Patch 0601"));
        QVERIFY(a.indexOf("\"Patch 0001\"") > a.indexOf("\"Patch 0002\"") ||
                a.indexOf("\"Patch 0002\"") > a.indexOf("\"Patch 0003\"")); // not in plain order
        QCOMPARE(runChart(args + QStringList{dir.filePath("b.txt")}).status, 0);
        const auto body = [](QByteArray t) { return t.mid(t.indexOf("BEGIN_DATA\n")); };
        QCOMPARE(body(readAll(dir.filePath("b.txt"))), body(a));
    }

    // The manual page names every option the help text knows, so that the
    // two cannot drift apart when an option is added.
    void manualNamesEveryOption() {
        const Run r = runChart({"--help"});
        QCOMPARE(r.status, 0);
        const QByteArray manual = readAll(qEnvironmentVariable("TINTRY_SOURCE_DIR") + "/data/tintry-chart.1");
        QVERIFY(!manual.isEmpty());
        QSet<QString> options;
        for (auto it = QRegularExpression("--[a-z0-9-]+").globalMatch(QString::fromUtf8(r.out));
             it.hasNext();)
            options << it.next().captured();
        QVERIFY2(options.size() > 25, qPrintable(QString::number(options.size())));
        QStringList missing;
        for (const QString& o : options)
            if (!manual.contains(QString(o).replace("-", "\\-").toUtf8()))
                missing << o;
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(' ')));
    }

    void swatchChart() {
        if (!QFile::exists("/usr/share/color/icc/FOGRA39L.ti3"))
            QSKIP("icc-profiles-free is not installed");
        QTemporaryDir dir;
        const QString ps = dir.filePath("c.ps");
        const Run r = runChart(
            {"--profile", defaultCmyk, "--swatches", "/usr/share/color/icc/FOGRA39L.ti3", "--ps", ps});
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
