// tintry-gamut as a script runs it: the figures it prints are the core's, in
// text and JSON; a wrong command line exits 2 and a file that is no usable
// profile exits 1, each with one line on standard error and nothing on
// standard output; it never blocks on a FIFO and never reports success when
// its output was lost.
#include "CoreTestMain.h"
#include "KvGamutComparison.h"
#include "KvGamutModel.h"
#include "ProfileFactory.h"
#include "TintryVersion.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

const QString sRGB = "/usr/share/color/icc/sRGB.icc";
const QString defaultCmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

struct Ran {
    int status = -1;
    QByteArray out, err;
};

Ran gamut(const QStringList& args, const QString& stdoutFile = QString()) {
    QProcess p;
    if (!stdoutFile.isEmpty())
        p.setStandardOutputFile(stdoutFile);
    p.start(qEnvironmentVariable("TINTRY_GAMUT_BINARY"), args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

class TestGamutCommand : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(QFileInfo(qEnvironmentVariable("TINTRY_GAMUT_BINARY")).isExecutable()); }

    // The same figures the gamut window shows, from the same core call.
    void jsonHoldsTheCoresFigures() {
        const Ran r = gamut({sRGB, "--compare", defaultCmyk, "--json"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        QJsonParseError error;
        const QJsonObject json = QJsonDocument::fromJson(r.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(json.keys(), QStringList({"a", "a_in_b", "b", "b_in_a", "overlap"}));
        QCOMPARE(json["a"].toObject()["profile"].toString(), sRGB);
        QCOMPARE(json["b"].toObject()["profile"].toString(), defaultCmyk);
        KvGamutModel a, b;
        QVERIFY(a.load(sRGB) && b.load(defaultCmyk));
        const auto c = KvGamutComparison::measure(a, b);
        QVERIFY(c);
        QCOMPARE(json["a"].toObject()["volume"].toDouble(), std::round(c->volumeA()));
        QCOMPARE(json["b"].toObject()["volume"].toDouble(), std::round(c->volumeB()));
        QCOMPARE(json["overlap"].toDouble(), std::round(c->overlap()));
        QCOMPARE(json["a_in_b"].toDouble(), std::round(c->aInB() * 100) / 100);
        QCOMPARE(json["b_in_a"].toDouble(), std::round(c->bInA() * 100) / 100);
    }

    void oneProfileAsTextAndJson() {
        KvGamutModel m;
        QVERIFY(m.load(sRGB));
        const QString volume = QString::number(std::round(m.volume()), 'f', 0);
        const Ran text = gamut({sRGB});
        QCOMPARE(text.status, 0);
        QVERIFY2(text.out.startsWith("A ") && text.out.contains(volume.toLatin1()), text.out.constData());
        QCOMPARE(text.out.count('\n'), 1);
        const Ran json = gamut({"--json", sRGB});
        QCOMPARE(QJsonDocument::fromJson(json.out).object().keys(), QStringList({"a"}));
    }

    // The synthetic printer's paper is darker than the PCS white: read
    // absolutely its gamut sits lower and is smaller than read relatively.
    void intentIsHonoured() {
        ProfileFactory factory(dir.path());
        const QString printer = factory.cmykPrinter();
        const auto volume = [&](const QString& intent) {
            const Ran r = gamut({printer, "--intent=" + intent, "--json"});
            return r.status == 0
                       ? QJsonDocument::fromJson(r.out).object()["a"].toObject()["volume"].toDouble()
                       : -1.0;
        };
        const double relative = volume("1"), absolute = volume("3");
        QVERIFY(relative > 0 && absolute > 0);
        QVERIFY2(absolute < relative * 0.98, qPrintable(QString("%1 vs %2").arg(absolute).arg(relative)));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("nothing") << QStringList() << "no profile given";
        QTest::newRow("two profiles") << QStringList({sRGB, defaultCmyk}) << "one profile only";
        QTest::newRow("unknown option") << QStringList({sRGB, "--volume"}) << "unknown option '--volume'";
        QTest::newRow("intent 4") << QStringList({sRGB, "--intent", "4"}) << "--intent takes 0";
        QTest::newRow("intent as a word") << QStringList({sRGB, "--intent=relative"}) << "--intent takes 0";
        QTest::newRow("compare without a value")
            << QStringList({sRGB, "--compare"}) << "--compare needs a value";
        QTest::newRow("compare twice")
            << QStringList({sRGB, "--compare", sRGB, "--compare=" + sRGB}) << "--compare given twice";
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        QFETCH(QString, complaint);
        const Ran r = gamut(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.startsWith("tintry-gamut: " + complaint.toUtf8()), r.err.constData());
        QCOMPARE(r.err.count('\n'), 1);
    }

    void filesThatAreNoProfile_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<bool>("second"); // given as --compare
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing" << false << "cannot be read";
        QTest::newRow("text") << "text" << false << "not an ICC profile";
        QTest::newRow("directory") << "directory" << false << "not a regular file";
        QTest::newRow("FIFO") << "fifo" << false << "not a regular file";
        QTest::newRow("truncated, compared") << "truncated" << true << "cut off";
        QTest::newRow("grey, compared") << "grey" << true << "only RGB and CMYK";
    }
    void filesThatAreNoProfile() {
        QFETCH(QString, which);
        QFETCH(bool, second);
        QFETCH(QString, reason);
        ProfileFactory factory(dir.path());
        QString path;
        if (which == "missing")
            path = factory.missing();
        else if (which == "text")
            path = factory.text();
        else if (which == "directory")
            path = factory.directory();
        else if (which == "truncated")
            path = factory.truncated();
        else if (which == "grey")
            path = factory.grayMonitor();
        else {
            path = dir.filePath("pipe.icc");
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0); // would block a reader
        }
        const Ran r = second ? gamut({sRGB, "--compare", path}) : gamut({path});
        QCOMPARE(r.status, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.startsWith("tintry-gamut: " + path.toUtf8() + ": "), r.err.constData());
        QVERIFY2(r.err.contains(reason.toUtf8()), r.err.constData());
        QCOMPARE(r.err.count('\n'), 1);
    }

    void lostOutputIsAFailure() {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("no /dev/full here");
        const Ran r = gamut({sRGB, "--json"}, "/dev/full");
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("standard output"), r.err.constData());
    }

    void helpAndVersion() {
        const Ran help = gamut({"--help"});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.startsWith("usage: tintry-gamut"));
        const Ran version = gamut({"--version"});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QByteArray("tintry-gamut ") + tintryVersion + "\n");
    }

    // A command for scripts and servers loads no graphical library.
    void loadsNoGraphicalLibrary() {
        if (QStandardPaths::findExecutable("ldd").isEmpty())
            QSKIP("ldd is not installed");
        QProcess ldd;
        ldd.start("ldd", {qEnvironmentVariable("TINTRY_GAMUT_BINARY")});
        QVERIFY(ldd.waitForFinished(30000));
        const QByteArray libraries = ldd.readAllStandardOutput();
        QVERIFY(libraries.contains("libQt6Core"));
        QVERIFY2(!libraries.contains("libQt6Gui") && !libraries.contains("libQt6Widgets"),
                 libraries.constData());
    }
};

TINTRY_CORE_TEST_MAIN(TestGamutCommand)
#include "test_gamut_command.moc"
