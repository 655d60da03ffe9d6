// The gamut model without a window: damaged profiles are refused with a
// reason instead of drawn, volumes agree with ArgyllCMS and with each other
// where two profiles hold the same colours, and the worker thread delivers
// its results queued and can be abandoned while it runs.
#include "CoreTestMain.h"
#include "KvGamutJob.h"
#include "KvGamutModel.h"
#include "LcmsHandles.h"
#include "ProfileFactory.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <lcms2.h>

#include <cmath>
#include <memory>

namespace {

const QString sRGB = "/usr/share/color/icc/sRGB.icc";
const QString defaultCmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const QString psCmyk = "/usr/share/color/icc/ghostscript/ps_cmyk.icc";
const QString psRgb = "/usr/share/color/icc/ghostscript/ps_rgb.icc";

QString write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

// An RGB display profile with sRGB's primaries whose three curves are `curve`.
QString rgbWithCurve(const QString& path, cmsToneCurve* curve) {
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}};
    cmsToneCurve* curves[3] = {curve, curve, curve};
    lcms::ProfilePtr p(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(curve);
    return p && cmsSaveProfileToFile(p.get(), QFile::encodeName(path).constData()) ? path : QString();
}

} // namespace

class TestGamutModel : public QObject {
    Q_OBJECT
private slots:
    void refusesDamagedProfiles_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<double>("keep"); // fraction of the file kept, or -bytes cut from its end
        QTest::addColumn<QString>("reason");
        QTest::newRow("sRGB header only") << sRGB << 128.0 / QFileInfo(sRGB).size() << "cut off";
        QTest::newRow("sRGB's first 100 bytes")
            << sRGB << 100.0 / QFileInfo(sRGB).size() << "not an ICC profile";
        QTest::newRow("sRGB cut to a quarter") << sRGB << 0.25 << "cut off";
        QTest::newRow("sRGB cut in half") << sRGB << 0.5 << "cut off";
        QTest::newRow("sRGB without its last byte") << sRGB << -1.0 << "cut off";
        QTest::newRow("default_cmyk cut to a third") << defaultCmyk << 1.0 / 3 << "cut off";
        QTest::newRow("default_cmyk cut to two thirds") << defaultCmyk << 2.0 / 3 << "cut off";
        QTest::newRow("default_cmyk without its last byte") << defaultCmyk << -1.0 << "cut off";
        QTest::newRow("ps_cmyk without its last 100 bytes") << psCmyk << -100.0 << "cut off";
    }
    // LittleCMS opens a cut-off profile and drops the tags past its end, so
    // these would be drawn from whatever tags were left.
    void refusesDamagedProfiles() {
        QFETCH(QString, source);
        QFETCH(double, keep);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray whole = ProfileFactory::contents(source);
        QVERIFY(!whole.isEmpty());
        const qsizetype length = keep < 0 ? whole.size() + qsizetype(keep) : qsizetype(whole.size() * keep);
        const QString path = write(dir.filePath("cut.icc"), whole.left(length));
        QVERIFY(!path.isEmpty());
        KvGamutModel m;
        const Status loaded = m.load(path);
        QVERIFY(!loaded);
        QCOMPARE(loaded.failure().what, path.toStdString());
        QVERIFY2(QString::fromStdString(loaded.failure().why).contains(reason), loaded.failure().why.c_str());
        QVERIFY(m.samples().empty());
        QCOMPARE(m.volume(), 0.0);
    }

    void refusesCurvesThatMakeNoSense_data() {
        QTest::addColumn<QString>("which");
        QTest::newRow("negative gamma") << "negative";
        QTest::newRow("falling curve") << "falling";
        QTest::newRow("flat curve") << "flat";
    }
    // Without the check a negative gamma fills the whole a*b* plane.
    void refusesCurvesThatMakeNoSense() {
        QFETCH(QString, which);
        QTemporaryDir dir;
        cmsToneCurve* curve = nullptr;
        if (which == "negative") {
            curve = cmsBuildGamma(nullptr, -2.2);
        } else if (which == "falling") {
            const cmsUInt16Number down[2] = {65535, 0};
            curve = cmsBuildTabulatedToneCurve16(nullptr, 2, down);
        } else {
            const cmsUInt16Number flat[2] = {30000, 30000};
            curve = cmsBuildTabulatedToneCurve16(nullptr, 2, flat);
        }
        const QString path = rgbWithCurve(dir.filePath(which + ".icc"), curve);
        QVERIFY(!path.isEmpty());
        KvGamutModel m;
        const Status opened = m.open(path);
        QVERIFY(!opened);
        QVERIFY2(opened.failure().why.find("curves make no sense") != std::string::npos,
                 opened.failure().why.c_str());

        // The same profile with a sound curve is drawn.
        const QString sound = rgbWithCurve(dir.filePath("sound.icc"), cmsBuildGamma(nullptr, 2.2));
        KvGamutModel good;
        const Status loaded = good.load(sound);
        QVERIFY2(loaded, loaded ? "" : loaded.failure().text().c_str());
    }

    void volumeAgreesWithArgyll_data() {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<double>("argyll");
        // `iccgamut -v -ir PROFILE` (ArgyllCMS 2.3.1), in cubic Lab units. Both
        // measure a mesh of the boundary seen from a centre; ours come out
        // 0.2 to 0.9 % smaller.
        QTest::newRow("Adobe RGB") << "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc" << 1209986.0;
        QTest::newRow("ROMM RGB") << "/usr/share/color/icc/ghostscript/rommrgb.icc" << 2898636.0;
        QTest::newRow("L* RGB") << "/usr/share/color/icc/LStar-RGB.icc" << 1334448.0;
    }
    void volumeAgreesWithArgyll() {
        QFETCH(QString, profile);
        QFETCH(double, argyll);
        KvGamutModel m;
        const Status loaded = m.load(profile);
        QVERIFY2(loaded, loaded ? "" : loaded.failure().text().c_str());
        const double v = m.volume();
        QVERIFY2(std::fabs(v - argyll) / argyll < 0.015, qPrintable(QString::number(v)));
    }

    // ps_cmyk.icc turns CMYK into ps_rgb.icc's RGB by taking each ink from
    // its light (R = 1 - C - K, clipped), so both hold the same colours.
    // Their steep curves once let the outside flood through gaps in a
    // surface of cells, giving a fifth of the volume. iccgamut cannot read these
    // version 4 profiles; counting the Lab cells hit by ps_rgb's whole cube,
    // 401 steps a side, gives 1.21 to 1.26 million.
    void sameColoursSameVolume() {
        KvGamutModel cmyk, rgb;
        QVERIFY(cmyk.load(psCmyk));
        QVERIFY(rgb.load(psRgb));
        const double vc = cmyk.volume(), vr = rgb.volume();
        QVERIFY2(std::fabs(vc - vr) / vr < 0.01, qPrintable(QString("%1 vs %2").arg(vc).arg(vr)));
        QVERIFY2(vr > 1.19e6 && vr < 1.28e6, qPrintable(QString::number(vr)));
    }

    void jobDeliversQueued() {
        KvGamutJob job;
        QSignalSpy finished(&job, &KvGamutJob::finished);
        auto model = std::make_unique<KvGamutModel>();
        QVERIFY(model->open(defaultCmyk));
        job.start(std::move(model), sRGB);
        QCOMPARE(job.take().model, nullptr); // nothing before it has finished
        QCOMPARE(finished.count(), 0);       // queued: never inside start()
        QVERIFY(finished.wait(20000));
        KvGamutJob::Result r = job.take();
        QVERIFY(r.model && r.status);
        QVERIFY(r.model->hasVolume());
        QVERIFY(!r.model->outline().empty());
        QCOMPARE(r.fill.size(), std::size_t(256 * 256));
        // The neutral axis sits at the middle of the plane: a grey.
        const std::uint32_t mid = r.fill[128 * 256 + 128];
        const int red = (mid >> 16) & 0xff, green = (mid >> 8) & 0xff, blue = mid & 0xff;
        QVERIFY2(std::abs(red - green) < 40 && std::abs(green - blue) < 40,
                 qPrintable(QString::number(mid, 16)));
    }

    // With a gamut to compare against, the job measures both and their
    // overlap; the colours of the drawing come through the monitor profile.
    void jobComparesAgainstASecondGamut() {
        KvGamutJob job;
        QSignalSpy finished(&job, &KvGamutJob::finished);
        auto printer = std::make_unique<KvGamutModel>();
        auto screen = std::make_unique<KvGamutModel>();
        QVERIFY(printer->open(defaultCmyk) && screen->open(sRGB));
        job.start(std::move(printer), QString(), std::move(screen));
        QVERIFY(finished.wait(20000));
        KvGamutJob::Result r = job.take();
        QVERIFY(r.status && r.against && r.comparison);
        QVERIFY2(r.compared, r.compared ? "" : r.compared.failure().text().c_str());
        QCOMPARE(r.colours.size(), r.model->samples().size());
        QVERIFY(!r.shell.faces.empty() && !r.shell.wires.empty());
        // Most of the printer lies inside sRGB, under half of sRGB inside the printer.
        QVERIFY(r.comparison->bInA() > 85 && r.comparison->aInB() < 50);
        QVERIFY(r.comparison->overlap() < r.comparison->volumeB());
    }

    // Closing a window while it measures ends the work; nothing arrives after.
    void jobAbandonedWhileRunning() {
        int arrived = 0;
        {
            KvGamutJob job;
            connect(&job, &KvGamutJob::finished, [&arrived] { ++arrived; });
            auto model = std::make_unique<KvGamutModel>();
            QVERIFY(model->open(psCmyk));
            job.start(std::move(model), QString());
            // A second start supersedes the first.
            model = std::make_unique<KvGamutModel>();
            QVERIFY(model->open(sRGB));
            job.start(std::move(model), QString());
        }
        QCoreApplication::processEvents();
        QCOMPARE(arrived, 0);
    }
};

TINTRY_CORE_TEST_MAIN(TestGamutModel)
#include "test_gamut_model.moc"
