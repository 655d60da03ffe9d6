// The engine's C entry points as the colour-check chart uses them: handle
// creation and refusal, the K, C, M, Y byte order, the two Lab flavours, the
// preview without a monitor profile, and the two colour differences.
#include "CoreTestMain.h"
#include "KvCMS.h"
#include "KvCmsIcc.h"
#include "ProfileFactory.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

const char* const kSrgb = "/usr/share/color/icc/sRGB.icc";
const char* const kCmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

struct HandleDeleter {
    void operator()(void* h) const { KvCMSDestroy(h); }
};
using Handle = std::unique_ptr<void, HandleDeleter>;

std::uint32_t firstField(KvCMSHandle h) {
    std::uint32_t v;
    std::memcpy(&v, h, sizeof v);
    return v;
}

} // namespace

class TestEngineKvCMS : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    std::unique_ptr<ProfileFactory> factory_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        factory_ = std::make_unique<ProfileFactory>(dir_.path());
    }

    void refusesWhatIsNotAProfile_data() {
        QTest::addColumn<QString>("path");
        ProfileFactory& f = *factory_;
        QTest::newRow("truncated profile") << f.truncated();
        QTest::newRow("damaged signature") << f.badMagic();
        QTest::newRow("empty file") << f.empty();
        QTest::newRow("text file") << f.text();
        QTest::newRow("directory") << f.directory();
        QTest::newRow("missing file") << f.missing();
        QTest::newRow("null path") << QString();
    }

    void refusesWhatIsNotAProfile() {
        QFETCH(QString, path);
        const QByteArray bytes = QFile::encodeName(path);
        const char* p = path.isNull() ? nullptr : bytes.constData();
        QVERIFY(!KvCMSInit(icSigCmykData, icSigCmykData, p, p, 1, 0, 0));
        QVERIFY(!KvCMSInit(icSigRgbData, icSigRgbData, p, p, 1, 0, 0));
        QVERIFY(!KvCMSInit(icSigLabData, icSigRgbData, nullptr, p, 1, 0, 0));
        KvCMSDestroy(nullptr);
    }

    // A profile of another colour space than the one asked for, or a pair the
    // engine has no use for, gives no handle either.
    void refusesMismatchedSpaces() {
        QVERIFY(!KvCMSInit(icSigCmykData, icSigCmykData, kSrgb, kSrgb, 1, 0, 0));
        QVERIFY(!KvCMSInit(icSigLabData, icSigRgbData, nullptr, kCmyk, 1, 0, 0));
        QVERIFY(!KvCMSInit(icSigRgbData, icSigCmykData, kSrgb, kCmyk, 1, 0, 0));
        const QByteArray link = QFile::encodeName(factory_->link());
        QVERIFY(!KvCMSInit(icSigCmykData, icSigCmykData, link, link, 1, 0, 0));
    }

    void handleStartsWithItsSourceSpace_data() {
        QTest::addColumn<quint32>("source");
        QTest::addColumn<quint32>("destination");
        QTest::addColumn<QString>("path");
        QTest::newRow("cmyk profile") << quint32(icSigCmykData) << quint32(icSigCmykData) << QString(kCmyk);
        QTest::newRow("rgb profile") << quint32(icSigRgbData) << quint32(icSigRgbData) << QString(kSrgb);
        QTest::newRow("lab to monitor") << quint32(icSigLabData) << quint32(icSigRgbData) << QString(kSrgb);
    }

    void handleStartsWithItsSourceSpace() {
        QFETCH(quint32, source);
        QFETCH(quint32, destination);
        QFETCH(QString, path);
        const QByteArray p = QFile::encodeName(path);
        const char* src = source == icSigLabData ? nullptr : p.constData();
        Handle h(
            KvCMSInit(icColorSpaceSignature(source), icColorSpaceSignature(destination), src, p, 1, 0, 0));
        QVERIFY(h);
        QCOMPARE(firstField(h.get()), source);
    }

    // The bytes come K first; each ink at a different level shows any mix-up.
    // The handle must give what the converter's engine gives for the same
    // percentages, absolute, and its relative Lab must be the absolute one
    // seen relative to the paper.
    void cmykBytesAreKcmy() {
        Handle h(KvCMSInit(icSigCmykData, icSigCmykData, kCmyk, kCmyk, 1, 0, 0));
        QVERIFY(h);
        KvCmsIcc t;
        QVERIFY(t.setrenderingIntent(icRelativeColorimetric));
        QVERIFY(t.create(kCmyk, kCmyk));
        const unsigned char kcmy[4] = {204, 51, 102, 153}; // K 80 %, C 20 %, M 40 %, Y 60 %
        double abs[3], rel[3], expected[3], expectedRel[3];
        QVERIFY(KvCMSCMYKToLab(h.get(), kcmy, &abs[0], &abs[1], &abs[2]));
        QVERIFY(KvCMSCMYKToLabRelative(h.get(), kcmy, &rel[0], &rel[1], &rel[2]));
        QVERIFY(t.cmyk2lab(20, 40, 60, 80, &expected[0], &expected[1], &expected[2]));
        QVERIFY(t.D50lab2rlab(expected[0], expected[1], expected[2], &expectedRel[0], &expectedRel[1],
                              &expectedRel[2]));
        for (int c = 0; c < 3; ++c) {
            QVERIFY(std::fabs(abs[c] - expected[c]) < 1e-9);
            QVERIFY(std::fabs(rel[c] - expectedRel[c]) < 0.01); // two routes through lcms, same colour
        }

        // Unprinted paper is the relative white and not the absolute one.
        const unsigned char paper[4] = {0, 0, 0, 0};
        QVERIFY(KvCMSCMYKToLabRelative(h.get(), paper, &rel[0], &rel[1], &rel[2]));
        QVERIFY(KvCMSCMYKToLab(h.get(), paper, &abs[0], &abs[1], &abs[2]));
        QVERIFY(std::fabs(rel[0] - 100) < 0.5 && std::fabs(rel[1]) < 0.5 && std::fabs(rel[2]) < 0.5);
        QVERIFY(abs[0] < 99);
    }

    // KvCMSLabD50ToCMYK undoes KvCMSCMYKToLab for colours on the profile's own
    // separation, within one percent of ink (2.55 rounds to 3 bytes).
    void labD50ToCmykInvertsTheAbsoluteLab() {
        Handle h(KvCMSInit(icSigCmykData, icSigCmykData, kCmyk, kCmyk, 1, 0, 0));
        QVERIFY(h);
        const double samples[][3] = {{70, 10, 20}, {50, -20, -30}, {60, 40, 10}, {80, 0, 0}, {40, 5, 40}};
        for (const auto& lab : samples) {
            unsigned char v[4], o[4];
            double l[3];
            QVERIFY(KvCMSLabD50ToCMYK(h.get(), lab[0], lab[1], lab[2], v));
            QVERIFY(KvCMSCMYKToLab(h.get(), v, &l[0], &l[1], &l[2]));
            QVERIFY(KvCMSLabD50ToCMYK(h.get(), l[0], l[1], l[2], o));
            for (int c = 0; c < 4; ++c)
                QVERIFY2(std::abs(int(o[c]) - int(v[c])) <= 3, qPrintable(QString("ink %1").arg(c)));
        }
    }

    void wrongHandleLeavesOutputsAlone() {
        Handle rgb(KvCMSInit(icSigRgbData, icSigRgbData, kSrgb, kSrgb, 1, 0, 0));
        Handle cmyk(KvCMSInit(icSigCmykData, icSigCmykData, kCmyk, kCmyk, 1, 0, 0));
        QVERIFY(rgb && cmyk);
        const unsigned char kcmy[4] = {1, 2, 3, 4};
        double l[3] = {-7, -7, -7};
        unsigned char bytes[4] = {9, 9, 9, 9};
        QVERIFY(!KvCMSCMYKToLab(rgb.get(), kcmy, &l[0], &l[1], &l[2]));
        QVERIFY(!KvCMSCMYKToLabRelative(nullptr, kcmy, &l[0], &l[1], &l[2]));
        QVERIFY(!KvCMSLabD50ToCMYK(rgb.get(), 50, 0, 0, bytes));
        QVERIFY(!KvCMSLabToRGB(cmyk.get(), 50, 0, 0, bytes));
        for (double v : l)
            QCOMPARE(v, -7.0);
        for (unsigned char b : bytes)
            QCOMPARE(b, 9);
    }

    // Without a monitor profile the preview uses the built-in sRGB, which
    // must agree with the sRGB file as a monitor profile.
    void previewWithoutMonitorIsSrgb() {
        Handle monitor(KvCMSInit(icSigLabData, icSigRgbData, nullptr, kSrgb, 1, 0, 0));
        QVERIFY(monitor);
        const double samples[][3] = {
            {100, 0, 0}, {0, 0, 0}, {53.2, 80.1, 67.2}, {60, -30, 40}, {30, 10, -50}};
        for (const auto& lab : samples) {
            unsigned char a[3], b[3];
            QVERIFY(KvCMSLabToRGB(nullptr, lab[0], lab[1], lab[2], a));
            QVERIFY(KvCMSLabToRGB(monitor.get(), lab[0], lab[1], lab[2], b));
            for (int c = 0; c < 3; ++c)
                QVERIFY(std::abs(int(a[c]) - int(b[c])) <= 1);
        }
        unsigned char white[3];
        QVERIFY(KvCMSLabToRGB(nullptr, 100, 0, 0, white));
        QCOMPARE(int(white[0]) + int(white[1]) + int(white[2]), 3 * 255);
    }

    // CIEDE2000 reference pairs from Sharma, Wu and Dalal's published test
    // data (four decimals given there); CIE94 on differences simple enough to
    // do by hand (no chroma, so every weight is 1).
    void colourDifferences_data() {
        QTest::addColumn<bool>("de2000");
        QTest::addColumn<QVector<double>>("sample");
        QTest::addColumn<QVector<double>>("reference");
        QTest::addColumn<double>("expected");
        using V = QVector<double>;
        QTest::newRow("2000 pair 1") << true << V{50, 2.6772, -79.7751} << V{50, 0, -82.7485} << 2.0425;
        QTest::newRow("2000 pair 7") << true << V{50, 0, 0} << V{50, -1, 2} << 2.3669;
        QTest::newRow("2000 pair 17") << true << V{50, 2.5, 0} << V{73, 25, -18} << 27.1492;
        QTest::newRow("2000 pair 25")
            << true << V{60.2574, -34.0099, 36.2677} << V{60.4626, -34.1751, 39.4387} << 1.2644;
        QTest::newRow("94 lightness only") << false << V{50, 0, 0} << V{51, 0, 0} << 1.0;
        QTest::newRow("94 identical") << false << V{62, 10, -5} << V{62, 10, -5} << 0.0;
    }

    void colourDifferences() {
        QFETCH(bool, de2000);
        QFETCH(QVector<double>, sample);
        QFETCH(QVector<double>, reference);
        QFETCH(double, expected);
        const double got = de2000 ? KvCMS_ColourDiff_DeltaE(sample.constData(), reference.constData())
                                  : KvCMS_ColourDiff_CIE94(sample.constData(), reference.constData());
        QVERIFY2(std::fabs(got - expected) < 1e-4, qPrintable(QString::number(got, 'f', 6)));
    }
};

TINTRY_CORE_TEST_MAIN(TestEngineKvCMS)
#include "test_engine_kvcms.moc"
