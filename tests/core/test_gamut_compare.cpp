// Gamuts in three dimensions: the boundary of a gamut whose shape is known
// exactly (a box in Lab) gives its volume, tells a colour just inside from
// one just outside and overlaps a second box by the known amount; real
// profiles compare as ArgyllCMS's iccgamut and viewgam compare them; what is
// drawn of the device faces is their outside, facing out.
#include "CoreTestMain.h"
#include "KvGamutComparison.h"
#include "KvGamutModel.h"
#include "KvGamutShell.h"
#include "ProfileFactory.h"
#include "RequireTool.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>

namespace {

const QString icc = "/usr/share/color/icc/";
const QString sRGB = icc + "sRGB.icc";
const QString adobe = icc + "compatibleWithAdobeRGB1998.icc";
const QString defaultCmyk = icc + "ghostscript/default_cmyk.icc";

// 60 x 80 x 80 Lab units.
constexpr ProfileFactory::LabCorner boxLo{20, -40, -40}, boxHi{80, 40, 40};
constexpr double boxVolume = 60.0 * 80 * 80;

struct Argyll {
    double a = 0, b = 0, overlap = 0, aInB = 0, bInA = 0;
    QString problem;
};

// The program's output, or a null string when it failed (a program that
// succeeds silently gives an empty, not null, one).
QString run(const QString& program, const QStringList& args, const QString& dir) {
    QProcess p;
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(p.readAll() + '\n');
}

// `iccgamut -ir` on a copy of each profile (it writes its .gam beside the
// profile), then `viewgam -i` on the two .gam files.
Argyll argyll(const QString& first, const QString& second) {
    Argyll r;
    QTemporaryDir dir;
    const QString a = dir.filePath("a.icc"), b = dir.filePath("b.icc");
    if (!QFile::copy(first, a) || !QFile::copy(second, b))
        return {0, 0, 0, 0, 0, "cannot copy the profiles"};
    for (const QString& p : {a, b})
        if (run("iccgamut", {"-ir", p}, dir.path()).isNull())
            return {0, 0, 0, 0, 0, "iccgamut failed on " + p};
    const QString out = run("viewgam", {"-i", "a.gam", "b.gam", "both"}, dir.path());
    const auto number = [&out](const QString& pattern, int group = 1) {
        return QRegularExpression(pattern).match(out).captured(group).toDouble();
    };
    r.overlap = number(R"(Intersecting volume = ([0-9.]+))");
    r.a = number(R"('a.gam' volume = ([0-9.]+) cubic units, intersect = ([0-9.]+)%)");
    r.aInB = number(R"('a.gam' volume = ([0-9.]+) cubic units, intersect = ([0-9.]+)%)", 2);
    r.b = number(R"('b.gam' volume = ([0-9.]+) cubic units, intersect = ([0-9.]+)%)");
    r.bInA = number(R"('b.gam' volume = ([0-9.]+) cubic units, intersect = ([0-9.]+)%)", 2);
    if (r.overlap <= 0 || r.a <= 0 || r.b <= 0)
        r.problem = "viewgam printed no volumes: " + out;
    return r;
}

bool within(double ours, double theirs, double fraction) {
    return std::fabs(ours - theirs) <= fraction * std::fabs(theirs);
}

} // namespace

class TestGamutCompare : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<ProfileFactory> factory;

private slots:
    void initTestCase() { factory = std::make_unique<ProfileFactory>(dir.path()); }

    void boxHasItsVolume() {
        KvGamutModel m;
        const Status loaded = m.load(factory->labBox("box.icc", boxLo, boxHi));
        QVERIFY2(loaded, loaded ? "" : loaded.failure().text().c_str());
        const double v = m.volume();
        // The mesh cuts the box's edges and corners between its directions.
        QVERIFY2(within(v, boxVolume, 0.005), qPrintable(QString::number(v)));
        // Seen from the middle of its grey axis (16-bit table steps apart).
        QVERIFY(std::fabs(m.boundary().centre().L - 50) < 0.01);
    }

    void pointsInsideAndOutside_data() {
        QTest::addColumn<double>("L");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<bool>("inside");
        // Half a unit either side of each face, away from the edges.
        QTest::newRow("a* face, inside") << 50.0 << 39.5 << 0.0 << true;
        QTest::newRow("a* face, outside") << 50.0 << 40.5 << 0.0 << false;
        QTest::newRow("-a* face, inside") << 40.0 << -39.5 << 12.0 << true;
        QTest::newRow("-a* face, outside") << 40.0 << -40.5 << 12.0 << false;
        QTest::newRow("white face, inside") << 79.5 << 5.0 << -5.0 << true;
        QTest::newRow("white face, outside") << 80.5 << 5.0 << -5.0 << false;
        QTest::newRow("black face, inside") << 20.5 << 10.0 << -10.0 << true;
        QTest::newRow("black face, outside") << 19.5 << 10.0 << -10.0 << false;
        QTest::newRow("-b* face, inside") << 60.0 << -30.0 << -39.5 << true;
        QTest::newRow("-b* face, outside") << 60.0 << -30.0 << -40.5 << false;
        QTest::newRow("near a corner, inside") << 75.0 << 35.0 << 35.0 << true;
        QTest::newRow("past a corner") << 81.0 << 41.0 << 41.0 << false;
        QTest::newRow("the centre") << 50.0 << 0.0 << 0.0 << true;
        QTest::newRow("far away") << 50.0 << 100.0 << 100.0 << false;
    }
    void pointsInsideAndOutside() {
        QFETCH(double, L);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(bool, inside);
        KvGamutModel m;
        QVERIFY(m.load(factory->labBox("box.icc", boxLo, boxHi)));
        m.volume();
        QCOMPARE(m.boundary().contains({L, a, b}), inside);
    }

    // Box B is box A moved 20 along a*: they share 60 x 60 x 80 units, three
    // quarters of each.
    void boxesOverlapByTheKnownAmount() {
        KvGamutModel a, b;
        QVERIFY(a.load(factory->labBox("box.icc", boxLo, boxHi)));
        QVERIFY(b.load(factory->labBox("moved.icc", {20, -20, -40}, {80, 60, 40})));
        const auto c = KvGamutComparison::measure(a, b);
        QVERIFY2(c, c ? "" : c.failure().text().c_str());
        QVERIFY2(within(c->overlap(), 60.0 * 60 * 80, 0.005), qPrintable(QString::number(c->overlap())));
        QVERIFY2(std::fabs(c->aInB() - 75) < 0.5, qPrintable(QString::number(c->aInB())));
        QVERIFY2(std::fabs(c->bInA() - 75) < 0.5, qPrintable(QString::number(c->bInA())));
        // Inside the overlap means inside both.
        QVERIFY(c->surfaceA().contains({50, -30, 0}) && !c->surfaceB().contains({50, -30, 0}));
    }

    void gamutsWithoutSharedGrey() {
        KvGamutModel dark, light;
        QVERIFY(dark.load(factory->labBox("dark.icc", {5, -20, -20}, {30, 20, 20})));
        QVERIFY(light.load(factory->labBox("light.icc", {60, -20, -20}, {95, 20, 20})));
        const auto c = KvGamutComparison::measure(dark, light);
        QVERIFY(!c);
        QVERIFY2(c.failure().why.find("share no grey") != std::string::npos, c.failure().why.c_str());
    }

    void cancelledLeavesNoBoundary() {
        KvGamutModel m;
        QVERIFY(m.load(sRGB));
        const std::atomic<bool> cancel{true};
        QVERIFY(m.boundaryAbout(m.greyCentre(), &cancel).empty());
        const Status cancelled = m.measure(&cancel);
        QVERIFY(!cancelled && cancelled.failure().text().empty()); // nothing to tell anyone
        QCOMPARE(m.volume(&cancel), 0.0);
        QVERIFY(!m.hasVolume());
        QVERIFY(m.volume() > 0); // measured once no longer cancelled
    }

    void shellKeepsTheOutside_data() {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("everyCell");
        QTest::newRow("box") << QString() << true;
        QTest::newRow("sRGB") << sRGB << true;
        QTest::newRow("default_cmyk") << defaultCmyk << false;
    }
    // An RGB cube's faces are all outside; of a CMYK hypercube's, some lie
    // inside (a full colour ink under black, say; default_cmyk keeps 57 %).
    // What is kept faces away from the centre and lies on the boundary.
    void shellKeepsTheOutside() {
        QFETCH(QString, profile);
        QFETCH(bool, everyCell);
        KvGamutModel m;
        QVERIFY(m.load(profile.isEmpty() ? factory->labBox("box.icc", boxLo, boxHi) : profile));
        m.volume();
        const KvGamutShell shell = KvGamutShell::outer(m.faces(), m.samples(), m.boundary());
        const std::size_t cells = std::size_t(m.faces().sheets()) * 32 * 32;
        if (everyCell)
            QCOMPARE(shell.faces.size(), cells);
        else
            QVERIFY2(shell.faces.size() > cells / 4 && shell.faces.size() < cells * 3 / 4,
                     qPrintable(QString("%1 of %2").arg(shell.faces.size()).arg(cells)));
        QVERIFY(!shell.wires.empty() && shell.wires.size() < shell.faces.size());
        const KvLabPoint c = m.boundary().centre();
        for (const KvGamutShell::Quad& q : shell.faces) {
            // The normal of a cell that need not be flat: across its diagonals.
            const KvLabPoint &p0 = m.samples()[q.corner[0]], &p1 = m.samples()[q.corner[1]],
                             &p2 = m.samples()[q.corner[2]], &p3 = m.samples()[q.corner[3]];
            const double u[3] = {p2.L - p0.L, p2.a - p0.a, p2.b - p0.b};
            const double w[3] = {p3.L - p1.L, p3.a - p1.a, p3.b - p1.b};
            const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                                 u[0] * w[1] - u[1] * w[0]};
            const KvLabPoint mid{(p0.L + p2.L) / 2 - c.L, (p0.a + p2.a) / 2 - c.a, (p0.b + p2.b) / 2 - c.b};
            QVERIFY(n[0] * mid.L + n[1] * mid.a + n[2] * mid.b >= -1e-9);
            const double d = std::hypot(p0.L - c.L, std::hypot(p0.a - c.a, p0.b - c.b));
            QVERIFY2(d > m.boundary().reachToward(p0) - 3, qPrintable(QString::number(d)));
        }
    }

    void agreesWithArgyll_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("sRGB and Adobe RGB") << sRGB << adobe;
        QTest::newRow("sRGB and default_cmyk") << sRGB << defaultCmyk;
        QTest::newRow("Adobe RGB and default_cmyk") << adobe << defaultCmyk;
    }
    // Volumes within 1.5 % of iccgamut's; the overlap and both shares within
    // 2 % of viewgam's. ArgyllCMS limits a CMYK profile's inks to what it
    // estimates the profile allows; LittleCMS takes every ink, which makes
    // default_cmyk 0.7 % larger.
    void agreesWithArgyll() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        TINTRY_NEED_TOOL(!QStandardPaths::findExecutable("iccgamut").isEmpty() &&
                             !QStandardPaths::findExecutable("viewgam").isEmpty(),
                         "ArgyllCMS (iccgamut, viewgam) is not installed");
        TINTRY_NEED_TOOL(QFileInfo::exists(a) && QFileInfo::exists(b), "icc-profiles-free is not installed");
        KvGamutModel ma, mb;
        QVERIFY(ma.load(a) && mb.load(b));
        const auto ours = KvGamutComparison::measure(ma, mb);
        QVERIFY(ours);
        const Argyll theirs = argyll(a, b);
        QVERIFY2(theirs.problem.isEmpty(), qPrintable(theirs.problem));
        qInfo("ours: A %.0f, B %.0f, overlap %.0f, A in B %.2f %%, B in A %.2f %%", ours->volumeA(),
              ours->volumeB(), ours->overlap(), ours->aInB(), ours->bInA());
        qInfo("viewgam: A %.0f, B %.0f, overlap %.0f, A in B %.2f %%, B in A %.2f %%", theirs.a, theirs.b,
              theirs.overlap, theirs.aInB, theirs.bInA);
        QVERIFY(within(ours->volumeA(), theirs.a, 0.015));
        QVERIFY(within(ours->volumeB(), theirs.b, 0.015));
        QVERIFY(within(ours->overlap(), theirs.overlap, 0.02));
        QVERIFY(within(ours->aInB(), theirs.aInB, 0.02));
        QVERIFY(within(ours->bInA(), theirs.bInA, 0.02));
    }
};

TINTRY_CORE_TEST_MAIN(TestGamutCompare)
#include "test_gamut_compare.moc"
