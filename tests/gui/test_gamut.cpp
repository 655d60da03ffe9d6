// The gamut view: the outline holds the primaries where they are, a printer
// gamut is smaller than sRGB's, the volume agrees with an independent tool,
// and files that have no gamut give a message inside the window.
#include "KvGamutModel.h"
#include "KvGamutView.h"
#include "TestMain.h"

#include <QFile>
#include <QTemporaryDir>

#include <lcms2.h>

#include <cmath>

#include <sys/stat.h>

namespace {

const QString sRGB = "/usr/share/color/icc/sRGB.icc";
const QString cmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

// Shortest distance from a point to the closed outline.
double distanceTo(const KvGamutModel::Outline& o, double a, double b) {
    double best = 1e9;
    for (std::size_t i = 0; i < o.size(); ++i) {
        const KvAbPoint p = o[i], q = o[(i + 1) % o.size()];
        const double dx = q.a - p.a, dy = q.b - p.b;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((a - p.a) * dx + (b - p.b) * dy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(a - (p.a + t * dx), b - (p.b + t * dy)));
    }
    return best;
}

// The Lab of an sRGB primary, as LittleCMS's own built-in sRGB gives it.
cmsCIELab primary(double r, double g, double b) {
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM t = cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC,
                                         cmsFLAGS_NOOPTIMIZE);
    const double in[3] = {r, g, b};
    cmsCIELab out;
    cmsDoTransform(t, in, &out, 1);
    cmsDeleteTransform(t);
    cmsCloseProfile(lab);
    cmsCloseProfile(srgb);
    return out;
}

cmsHPROFILE rgbWithGamma(double gamma) {
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}};
    cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE p = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(curve);
    return p;
}

QString writeProfile(const QString& path, cmsHPROFILE p) {
    cmsSaveProfileToFile(p, QFile::encodeName(path).constData());
    cmsCloseProfile(p);
    return path;
}

} // namespace

class TestGamut : public QObject {
    Q_OBJECT
private slots:
    void outlineHoldsThePrimaries_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("g");
        QTest::addColumn<double>("b");
        QTest::newRow("red") << 1.0 << 0.0 << 0.0;
        QTest::newRow("green") << 0.0 << 1.0 << 0.0;
        QTest::newRow("blue") << 0.0 << 0.0 << 1.0;
        QTest::newRow("cyan") << 0.0 << 1.0 << 1.0;
        QTest::newRow("magenta") << 1.0 << 0.0 << 1.0;
        QTest::newRow("yellow") << 1.0 << 1.0 << 0.0;
    }
    void outlineHoldsThePrimaries() {
        QFETCH(double, r);
        QFETCH(double, g);
        QFETCH(double, b);
        KvGamutModel m;
        QVERIFY(m.load(sRGB));
        const cmsCIELab lab = primary(r, g, b);
        const double d = distanceTo(m.outline(), lab.a, lab.b);
        QVERIFY2(d <= 1.0, qPrintable(QString("%1 units from the outline").arg(d)));
    }

    void printerGamutIsSmaller() {
        KvGamutModel rgb, printer;
        QVERIFY(rgb.load(sRGB));
        QVERIFY(printer.load(cmyk));
        QVERIFY(KvGamutModel::area(printer.outline()) < KvGamutModel::area(rgb.outline()));
        QVERIFY(!printer.slices().empty());
        QVERIFY(printer.volume() < rgb.volume());
    }

    void volumeAgreesWithArgyll_data() {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<double>("argyll");
        // `iccgamut -v -ir PROFILE` (ArgyllCMS 2.3) prints these, in cubic Lab units.
        QTest::newRow("sRGB") << sRGB << 833120.0;
        QTest::newRow("default_cmyk") << cmyk << 408303.0;
    }
    void volumeAgreesWithArgyll() {
        QFETCH(QString, profile);
        QFETCH(double, argyll);
        KvGamutModel m;
        QVERIFY(m.load(profile));
        const double v = m.volume();
        QVERIFY2(std::fabs(v - argyll) / argyll < 0.015, qPrintable(QString::number(v)));
    }

    void filesWithoutAGamut_data() {
        QTest::addColumn<QString>("which");
        QTest::newRow("missing") << "missing";
        QTest::newRow("directory") << "directory";
        QTest::newRow("text") << "text";
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("Lab") << "lab";
        QTest::newRow("abstract") << "abstract";
        QTest::newRow("link") << "link";
        QTest::newRow("cut off by one byte") << "cut";
        QTest::newRow("negative gamma") << "negative";
        QTest::newRow("FIFO") << "fifo";
    }
    void filesWithoutAGamut() {
        QFETCH(QString, which);
        QTemporaryDir dir;
        QString path = dir.filePath(which);
        if (which == "directory") {
            path = dir.path();
        } else if (which == "text" || which == "truncated") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (which == "text") {
                f.write("not a profile at all\n");
            } else {
                QFile real(sRGB);
                QVERIFY(real.open(QIODevice::ReadOnly));
                f.write(real.read(300));
            }
        } else if (which == "lab") {
            writeProfile(path, cmsCreateLab4Profile(nullptr));
        } else if (which == "abstract") {
            cmsHPROFILE p = cmsCreateBCHSWabstractProfile(17, 0, 1, 0, 0, 5000, 5000);
            writeProfile(path, p);
        } else if (which == "link") {
            writeProfile(path, cmsCreateInkLimitingDeviceLink(cmsSigCmykData, 250));
        } else if (which == "cut") {
            QFile f(path), real(sRGB);
            QVERIFY(f.open(QIODevice::WriteOnly) && real.open(QIODevice::ReadOnly));
            f.write(real.readAll().chopped(1));
        } else if (which == "negative") {
            writeProfile(path, rgbWithGamma(-2.2));
        } else if (which == "fifo") {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0); // would block a reader
        }
        KvGamutView view;
        QCOMPARE(view.fromICC(QFile::encodeName(path).constData(), ""), -1);
        QVERIFY(!view.message().isEmpty());
        view.resize(400, 400);
        QVERIFY(!view.grab().isNull()); // paints its message, no crash
    }

    // The window shows at once and says it is measuring; the gamut arrives
    // later from its thread. A FIFO named as the monitor must not block it.
    void measuresOffTheGuiThread() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("monitor.icc");
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        KvGamutView view;
        view.resize(400, 400);
        QCOMPARE(view.fromICC(QFile::encodeName(cmyk).constData(), QFile::encodeName(fifo).constData()), 0);
        QVERIFY(view.measuring());
        QVERIFY(!view.model().hasVolume());
        QVERIFY(!view.grab().isNull());
        QTRY_VERIFY_WITH_TIMEOUT(!view.measuring(), 20000);
        QVERIFY(view.message().isEmpty());
        QVERIFY(view.model().hasVolume());
        QVERIFY(!view.model().outline().empty());
        QVERIFY(view.model().measuredVolume() > 100000);

        // A later profile replaces the first, and its own result is the one kept.
        QCOMPARE(view.fromICC(QFile::encodeName(sRGB).constData(), ""), 0);
        QCOMPARE(view.fromICC(QFile::encodeName(cmyk).constData(), ""), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!view.measuring(), 20000);
        QVERIFY(view.model().measuredVolume() < 600000); // the printer's, not sRGB's
    }

    void drawsAtAnySize() {
        KvGamutView view;
        QCOMPARE(view.fromICC(QFile::encodeName(cmyk).constData(), QFile::encodeName(sRGB).constData()), 0);
        QVERIFY(view.message().isEmpty());
        for (QSize s : {QSize(400, 400), QSize(900, 300), QSize(200, 200)}) {
            view.resize(s);
            const QImage shot = view.grab().toImage();
            QCOMPARE(shot.size(), s);
        }
        // The middle of the plot shows a near-neutral colour of the gamut,
        // once the gamut has arrived from its thread.
        QTRY_VERIFY_WITH_TIMEOUT(!view.measuring(), 20000);
        view.resize(400, 400);
        const QImage shot = view.grab().toImage();
        const QColor mid = shot.pixelColor(200, 208);
        QVERIFY(std::abs(mid.red() - mid.green()) < 40 && std::abs(mid.green() - mid.blue()) < 40);
        QVERIFY(mid != QColor(96, 96, 96));
    }
};

TINTRY_TEST_MAIN(TestGamut)
#include "test_gamut.moc"
