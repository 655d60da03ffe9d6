// tintry-chart, run in-process: status 0 and the chart's progress lines on
// success, status 2 for a command line that cannot run and 1 for every other
// failure, each with exactly one line on standard error, and files that match
// what the chart window would write.
#include "ChartCommand.h"
#include "ChartTestKit.h"
#include "CoreTestMain.h"
#include "TintryVersion.h"

#include <QProcess>
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
        for (const char* n : {"7", "513", "64x", "99999999999999999999"})
            QTest::newRow(qPrintable(QString("count '%1'").arg(n)))
                << QStringList{"--profile", cmyk, "--patches", n, "--ps", out} << 2
                << "tintry-chart: --patches takes a whole number from 8 to 512";
        QTest::newRow("both sources")
            << QStringList{"--profile", cmyk, "--patches", "8", "--swatches", "x"} << 2
            << "tintry-chart: --patches does not apply to a chart from --swatches";
        QTest::newRow("no output") << QStringList{"--profile", cmyk, "--patches", "8"} << 2
                                   << "tintry-chart: nothing to write: give --ps or --iso12642 (see --help)";
        QTest::newRow("two to stdout")
            << QStringList{"--profile", cmyk, "--patches", "8", "--ps", "-", "--iso12642=-"} << 2
            << "tintry-chart: standard output: only one export can go there (see --help)";
        QTest::newRow("unreadable") << QStringList{"--profile", "/nonexistent.icc", "--patches", "8", "--ps",
                                                   out}
                                    << 1 << "tintry-chart: /nonexistent.icc: not a readable ICC profile";
        QTest::newRow("rgb") << QStringList{"--profile", srgb, "--patches", "8", "--ps", out} << 1
                             << QString(
                                    "tintry-chart: %1: a chart needs a CMYK profile of the input, display or "
                                    "output class")
                                    .arg(srgb);
        QTest::newRow("bad preview")
            << QStringList{"--profile", cmyk, "--patches", "8", "--preview", cmyk, "--ps", out} << 1
            << QString("tintry-chart: %1: not usable as a monitor profile").arg(cmyk);
        QTest::newRow("no swatches")
            << QStringList{"--profile", cmyk, "--swatches", "/nonexistent.ase", "--ps", out} << 1
            << "tintry-chart: /nonexistent.ase: no colours could be read from this file";
        QTest::newRow("unwritable ps")
            << QStringList{"--profile", cmyk, "--patches", "8", "--ps", "/nonexistent/c.ps"} << 1
            << "tintry-chart: /nonexistent/c.ps: cannot write: No such file or directory";
        QTest::newRow("folder as iso")
            << QStringList{"--profile", cmyk, "--patches", "8", "--iso12642", "/tmp"} << 1
            << "tintry-chart: /tmp: cannot write: it is a folder";
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run r = run(args);
        QCOMPARE(QString::fromLocal8Bit(r.err), message + "\n");
        QCOMPARE(r.status, status);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFile::exists(QDir::temp().filePath("tintry-chart-never-written.ps")));
    }

    void version() {
        const Run r = run({"--profile", "x", "--version"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray("tintry-chart ") + tintryVersion + "\n");
        QVERIFY(r.err.isEmpty());
    }

    // The same chart whether values follow '=' or come as the next argument.
    void valuesAfterEquals() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.txt");
        const QString b = dir.filePath("b.txt");
        const Run spaced = run({"--profile", psCmyk, "--patches", "16", "--iso12642", a});
        const Run joined = run({QString("--profile=") + psCmyk, "--patches=16", "--iso12642=" + b});
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
        const Run toFile = run({"--profile", psCmyk, "--patches", "8", "--ps", ps});
        const Run toStdout = run({"--profile", psCmyk, "--patches", "8", "--ps", "-"});
        QCOMPARE(toStdout.status, 0);
        QVERIFY(toStdout.out.startsWith("%!PS-Adobe-3.0\n"));
        QCOMPARE(toStdout.out.count("rectfill\n"), 8);
        QVERIFY(!QFile::exists("-"));
        QCOMPARE(toStdout.err, toFile.out);
        QVERIFY(toStdout.err.startsWith("all done: "));

        const Run quiet = run({"--quiet", "--profile", psCmyk, "--patches", "8", "--iso12642", "-"});
        QCOMPARE(quiet.status, 0);
        QVERIFY(quiet.err.isEmpty());
        QVERIFY(quiet.out.startsWith("CGATS.17"));
        QVERIFY(quiet.out.contains("\"Patch 0008\""));
        const Run quietFile = run({"--quiet", "--profile", psCmyk, "--patches", "8", "--ps", ps});
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
