// The colour engine's transform object: which files it accepts, what state it
// is left in when it cannot build, and whether its numbers are LittleCMS's
// own (checked against transicc) and a second engine's (ArgyllCMS xicclu).
#include "CoreTestMain.h"
#include "KvCmsIcc.h"
#include "ProfileFactory.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <lcms2.h>

#include <cmath>

namespace {

const char* const kSrgb = "/usr/share/color/icc/sRGB.icc";
const char* const kCmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

using Row = QVector<double>;
using Rows = QVector<Row>;

QByteArray local(const QString& path) {
    return QFile::encodeName(path);
}

// Runs a command-line colour tool with one colour per input line and returns
// the numbers of each output line; an empty result means the tool failed.
Rows runTool(const QString& program, const QStringList& args, const Rows& inputs) {
    QByteArray in;
    for (const Row& r : inputs) {
        for (double v : r)
            in += QByteArray::number(v, 'f', 6) + ' ';
        in += '\n';
    }
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted())
        return {};
    p.write(in);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return {};
    Rows out;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        Row r;
        for (const QByteArray& f : fields) {
            bool ok = false;
            const double v = f.toDouble(&ok);
            if (ok)
                r.append(v);
        }
        if (!r.isEmpty())
            out.append(r);
    }
    return out.size() == inputs.size() ? out : Rows{};
}

Rows rgbSample() {
    Rows s;
    for (int r = 0; r <= 255; r += 51)
        for (int g = 0; g <= 255; g += 51)
            for (int b = 0; b <= 255; b += 51)
                s.append({double(r), double(g), double(b)});
    s.append({{1, 2, 3}, {128, 127, 129}, {254, 1, 77}, {17, 200, 250}});
    return s;
}

Rows cmykSample() {
    Rows s;
    // Levels off the nodes of lcms's precalculated grids, so that
    // interpolation is exercised and not only the exact grid values.
    const int levels[] = {0, 12, 37, 50, 63, 88, 100};
    for (int c : levels)
        for (int m : levels)
            for (int y : levels)
                for (int k : {0, 30, 70})
                    s.append({double(c), double(m), double(y), double(k)});
    s.append({{3, 7, 11, 13}, {99, 1, 50, 2}});
    return s;
}

Rows labSample() {
    Rows s;
    for (int L = 5; L <= 95; L += 15)
        for (int a = -60; a <= 60; a += 30)
            for (int b = -60; b <= 60; b += 30)
                s.append({double(L), double(a), double(b)});
    return s;
}

Rows denseLabSample() {
    Rows s;
    for (int L = 10; L <= 90; L += 10)
        for (int a = -50; a <= 50; a += 10)
            for (int b = -50; b <= 50; b += 10)
                s.append({double(L), double(a), double(b)});
    return s;
}

// A device value from a tool's floating-point output, rounded and clamped the
// way the engine reports it.
long deviceUnit(double v, double max) {
    return std::lround(std::clamp(v, 0.0, max));
}

// transicc prints four decimals, so a value within 5e-4 of a half may round
// either way once printed: only there is a difference of one unit allowed.
bool sameDevice(double tool, unsigned long engine, double max) {
    const long expected = deviceUnit(tool, max);
    const double frac = std::fabs(tool - std::floor(tool) - 0.5);
    const long allowed = frac < 5e-4 ? 1 : 0;
    return std::labs(expected - long(engine)) <= allowed;
}

// Every level of each channel alone and of all channels together: a device
// value that reaches lcms wrongly scaled shows at some level of these ramps.
Rows rampSample(int channels, int top) {
    Rows s;
    for (int v = 0; v <= top; ++v) {
        for (int c = 0; c < channels; ++c) {
            Row r(channels, 0.0);
            r[c] = v;
            s.append(r);
        }
        s.append(Row(channels, double(v)));
    }
    return s;
}

// transicc -e -w prints 16-bit values; the engine reports the nearest unit.
// Neither scale has a 16-bit value halfway between two units, so no tie.
long unitFromWord(double w, double max) {
    return std::lround(w * max / 65535.0);
}

double de2000(const Row& x, const Row& y) {
    const cmsCIELab a{x[0], x[1], x[2]};
    const cmsCIELab b{y[0], y[1], y[2]};
    return cmsCIE2000DeltaE(&a, &b, 1, 1, 1);
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    ProfileFactory* factory_ = nullptr;

    ProfileFactory& f() { return *factory_; }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        factory_ = new ProfileFactory(dir_.path());
    }
    void cleanupTestCase() { delete factory_; }

    void profileClass_data();
    void profileClass();
    void unreadableFiles_data();
    void unreadableFiles();
    void createRefusesNonDeviceProfiles_data();
    void createRefusesNonDeviceProfiles();
    void unbuiltObjectLeavesOutputsAlone_data();
    void unbuiltObjectLeavesOutputsAlone();
    void conversionsCheckColourSpaces();
    void settersRejectUnknownValues();
    void intentChangeAppliesToOpenTransform();
    void normalIsExactWhereTheGridWasFar();
    void matchesTransicc_data();
    void matchesTransicc();
    void d50LabUnderRelativeIntentIsAbsoluteColorimetry_data();
    void d50LabUnderRelativeIntentIsAbsoluteColorimetry();
    void agreesWithXicclu_data();
    void agreesWithXicclu();
    void roundTrip_data();
    void roundTrip();
};

void TestEngine::profileClass_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<quint32>("profileClass");
    QTest::addColumn<quint32>("space");
    QTest::newRow("rgb monitor") << f().rgbMonitor() << quint32(icSigDisplayClass) << quint32(icSigRgbData);
    QTest::newRow("rgb scanner") << f().rgbScanner() << quint32(icSigInputClass) << quint32(icSigRgbData);
    QTest::newRow("rgb printer") << f().rgbPrinter() << quint32(icSigOutputClass) << quint32(icSigRgbData);
    QTest::newRow("cmyk printer") << f().cmykPrinter() << quint32(icSigOutputClass) << quint32(icSigCmykData);
    QTest::newRow("gray monitor") << f().grayMonitor() << quint32(icSigDisplayClass)
                                  << quint32(icSigGrayData);
    QTest::newRow("lab abstract") << f().labAbstract() << quint32(icSigAbstractClass)
                                  << quint32(icSigLabData);
    QTest::newRow("link") << f().link() << quint32(icSigLinkClass) << quint32(icSigCmykData);
    QTest::newRow("system sRGB") << QString(kSrgb) << quint32(icSigDisplayClass) << quint32(icSigRgbData);
    QTest::newRow("system cmyk") << QString(kCmyk) << quint32(icSigOutputClass) << quint32(icSigCmykData);
}

void TestEngine::profileClass() {
    QFETCH(QString, path);
    QFETCH(quint32, profileClass);
    QFETCH(quint32, space);
    icProfileClassSignature c = icSigNoClass;
    icColorSpaceSignature s = icSigNoSpace;
    QVERIFY(KvCmsIcc::getICCprofileClass(local(path), &c, &s));
    QCOMPARE(quint32(c), profileClass);
    QCOMPARE(quint32(s), space);
}

void TestEngine::unreadableFiles_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("truncated profile") << f().truncated();
    QTest::newRow("damaged signature") << f().badMagic();
    QTest::newRow("empty file") << f().empty();
    QTest::newRow("text file") << f().text();
    QTest::newRow("directory") << f().directory();
    QTest::newRow("missing file") << f().missing();
    QTest::newRow("endless device file") << QString("/dev/zero");
    QTest::newRow("null path") << QString();
}

// Every entry point refuses the file, leaves what it was given alone and, for
// a transform, stays empty; under the sanitizer build this also shows nothing
// half-built is leaked on the way out.
void TestEngine::unreadableFiles() {
    QFETCH(QString, path);
    const QByteArray bytes = local(path);
    const char* p = path.isNull() ? nullptr : bytes.constData();
    const QByteArray good = local(f().rgbMonitor());

    auto c = icProfileClassSignature(0x12345678);
    auto s = icColorSpaceSignature(0x12345678);
    QVERIFY(!KvCmsIcc::getICCprofileClass(p, &c, &s));
    QCOMPARE(quint32(c), 0x12345678u);
    QCOMPARE(quint32(s), 0x12345678u);

    KvCmsIcc t;
    QVERIFY(t.create(good, good));
    QVERIFY(!t.create(p, good));
    QVERIFY(!t.transform);
    QCOMPARE(t.sourceSpace, icSigNoSpace);
    QCOMPARE(t.destinationSpace, icSigNoSpace);
    QVERIFY(!t.create(good, p));
    QVERIFY(!t.transform);
    QVERIFY(!t.create(p, p));
    QVERIFY(!t.transform);
}

void TestEngine::createRefusesNonDeviceProfiles_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::newRow("gray source") << f().grayMonitor() << f().rgbMonitor();
    QTest::newRow("gray destination") << f().rgbMonitor() << f().grayMonitor();
    QTest::newRow("lab abstract") << f().labAbstract() << f().labAbstract();
    QTest::newRow("link as source") << f().link() << f().cmykPrinter();
    QTest::newRow("link as destination") << f().cmykPrinter() << f().link();
}

// Only RGB and CMYK profiles connect a device to Lab both ways; anything else
// is refused at create() rather than left open with conversions that all fail.
void TestEngine::createRefusesNonDeviceProfiles() {
    QFETCH(QString, source);
    QFETCH(QString, destination);
    KvCmsIcc t;
    QVERIFY(!t.create(local(source), local(destination)));
    QVERIFY(!t.transform);
    QCOMPARE(t.sourceSpace, icSigNoSpace);
    QCOMPARE(t.destinationSpace, icSigNoSpace);
}

void TestEngine::unbuiltObjectLeavesOutputsAlone_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("never created") << 0;
    QTest::newRow("closed") << 1;
    QTest::newRow("failed create after a good one") << 2;
    QTest::newRow("closed twice") << 3;
}

void TestEngine::unbuiltObjectLeavesOutputsAlone() {
    QFETCH(int, how);
    const QByteArray rgb = local(f().rgbMonitor());
    const QByteArray cmyk = local(f().cmykPrinter());
    KvCmsIcc t;
    QVERIFY(t.setrenderingIntent(icAbsoluteColorimetric));
    QVERIFY(t.setinterpolationAccuracy(ICC_ACCURACY_BEST));
    if (how != 0)
        QVERIFY(t.create(rgb, cmyk));
    if (how == 1 || how == 3)
        t.close();
    if (how == 3)
        t.close();
    if (how == 2)
        QVERIFY(!t.create(rgb, local(f().missing())));

    QVERIFY(!t.transform);
    QCOMPARE(t.sourceSpace, icSigNoSpace);
    QCOMPARE(t.destinationSpace, icSigNoSpace);
    QCOMPARE(t.renderingIntent, icAbsoluteColorimetric);
    QCOMPARE(t.accuracy, ICC_ACCURACY_BEST);

    const unsigned long u = 777;
    const double x = -999.5;
    unsigned long o[4] = {u, u, u, u};
    double l[3] = {x, x, x};
    QVERIFY(!t.rgb2rgb(1, 2, 3, &o[0], &o[1], &o[2]));
    QVERIFY(!t.rgb2cmyk(1, 2, 3, &o[0], &o[1], &o[2], &o[3]));
    QVERIFY(!t.rgb2lab(1, 2, 3, &l[0], &l[1], &l[2]));
    QVERIFY(!t.cmyk2rgb(1, 2, 3, 4, &o[0], &o[1], &o[2]));
    QVERIFY(!t.cmyk2cmyk(1, 2, 3, 4, &o[0], &o[1], &o[2], &o[3]));
    QVERIFY(!t.cmyk2lab(1, 2, 3, 4, &l[0], &l[1], &l[2]));
    QVERIFY(!t.lab2rgb(50, 0, 0, &o[0], &o[1], &o[2]));
    QVERIFY(!t.lab2cmyk(50, 0, 0, &o[0], &o[1], &o[2], &o[3]));
    QVERIFY(!t.D50lab2rlab(50, 0, 0, &l[0], &l[1], &l[2]));
    for (unsigned long v : o)
        QCOMPARE(v, u);
    for (double v : l)
        QCOMPARE(v, x);

    // The held intent and accuracy are those of the next transform.
    QVERIFY(t.create(rgb, rgb));
    QCOMPARE(t.renderingIntent, icAbsoluteColorimetric);
    QCOMPARE(t.accuracy, ICC_ACCURACY_BEST);
}

// A conversion whose colour spaces do not match the transform, or whose
// device values are out of range, fails and leaves its outputs alone.
void TestEngine::conversionsCheckColourSpaces() {
    KvCmsIcc t;
    QVERIFY(t.create(local(f().rgbMonitor()), local(f().cmykPrinter())));
    QCOMPARE(t.sourceSpace, icSigRgbData);
    QCOMPARE(t.destinationSpace, icSigCmykData);
    const unsigned long u = 777;
    unsigned long o[4] = {u, u, u, u};
    double l[3] = {-1, -1, -1};
    QVERIFY(!t.rgb2rgb(1, 2, 3, &o[0], &o[1], &o[2]));
    QVERIFY(!t.cmyk2cmyk(1, 2, 3, 4, &o[0], &o[1], &o[2], &o[3]));
    QVERIFY(!t.cmyk2lab(1, 2, 3, 4, &l[0], &l[1], &l[2]));
    QVERIFY(!t.lab2rgb(50, 0, 0, &o[0], &o[1], &o[2]));
    QVERIFY(!t.rgb2cmyk(256, 0, 0, &o[0], &o[1], &o[2], &o[3]));
    QVERIFY(!t.rgb2lab(0, 0, 300, &l[0], &l[1], &l[2]));
    QVERIFY(!t.lab2cmyk(std::nan(""), 0, 0, &o[0], &o[1], &o[2], &o[3]));
    for (unsigned long v : o)
        QCOMPARE(v, u);
    for (double v : l)
        QCOMPARE(v, -1.0);

    KvCmsIcc c;
    QVERIFY(c.create(local(f().cmykPrinter()), local(f().cmykPrinter())));
    QVERIFY(!c.cmyk2cmyk(101, 0, 0, 0, &o[0], &o[1], &o[2], &o[3]));
    QVERIFY(c.cmyk2cmyk(100, 0, 0, 0, &o[0], &o[1], &o[2], &o[3]));
}

void TestEngine::settersRejectUnknownValues() {
    KvCmsIcc t;
    QVERIFY(t.setrenderingIntent(icSaturation));
    QVERIFY(!t.setrenderingIntent(icRenderingIntent(4)));
    QCOMPARE(t.renderingIntent, icSaturation);
    QVERIFY(!t.setinterpolationAccuracy(ICCACCURACY(2)));
    QCOMPARE(t.accuracy, ICC_ACCURACY_NORMAL);
    // A stored intent the engine refused must not break the next create().
    QVERIFY(t.create(local(f().rgbMonitor()), local(f().cmykPrinter())));
}

// The converter changes the intent and rebuilds, but the object itself must
// already convert with the new intent: compare against a fresh object.
void TestEngine::intentChangeAppliesToOpenTransform() {
    const QByteArray rgb = kSrgb, cmyk = kCmyk;
    KvCmsIcc changed;
    QVERIFY(changed.create(rgb, cmyk));
    unsigned long before[4], after[4], fresh[4];
    QVERIFY(changed.lab2cmyk(60, 40, 30, &before[0], &before[1], &before[2], &before[3]));
    QVERIFY(changed.setrenderingIntent(icAbsoluteColorimetric));
    QVERIFY(changed.transform);
    QVERIFY(changed.lab2cmyk(60, 40, 30, &after[0], &after[1], &after[2], &after[3]));

    KvCmsIcc absolute;
    QVERIFY(absolute.setrenderingIntent(icAbsoluteColorimetric));
    QVERIFY(absolute.create(rgb, cmyk));
    QVERIFY(absolute.lab2cmyk(60, 40, 30, &fresh[0], &fresh[1], &fresh[2], &fresh[3]));
    QVERIFY(std::equal(after, after + 4, fresh));
    QVERIFY(!std::equal(after, after + 4, before));

    unsigned long d1[4], d2[4];
    QVERIFY(changed.rgb2cmyk(200, 30, 90, &d1[0], &d1[1], &d1[2], &d1[3]));
    QVERIFY(absolute.rgb2cmyk(200, 30, 90, &d2[0], &d2[1], &d2[2], &d2[3]));
    QVERIFY(std::equal(d1, d1 + 4, d2));
}

// Each row: which conversion, the pair of profiles, the intent and accuracy.
//
// Device to device is compared with transicc's 16-bit mode, -e -w -c2. That
// mode reads its input in the usual units (RGB 0..255, CMYK percent) and hands
// it to lcms as floating point; only the output is encoded, as 16-bit values.
// At Best the engine builds that very transform, so the nearest unit to
// transicc's value must be the engine's, exactly, for every intent. At Normal
// the engine interpolates in lcms's default precalculated grid, which transicc
// cannot (lcms precalculates only from integer input): there at least 95 % of
// the colours must agree within one unit, and none by more than the grid's
// worst error measured on these profiles (stated below).
//
// Conversions involving Lab run in floating point in the engine as in
// transicc's default mode, so after the same rounding they must agree exactly
// (transicc prints four decimals: Lab within 1e-3, a device value that printed
// within 5e-4 of a half may round either way).
enum Kind { RgbToCmyk, CmykToRgb, RgbToRgb, CmykToCmyk, RgbToLab, CmykToLab, LabToRgb, LabToCmyk };

// Normal used to interpolate a 16-bit grid: this dark CMYK came out as RGB
// 0 23 0, CIEDE2000 14.8 from the exact 0 43 1 (transicc -e -w -c2).
void TestEngine::normalIsExactWhereTheGridWasFar() {
    KvCmsIcc t;
    QCOMPARE(t.accuracy, ICC_ACCURACY_NORMAL);
    QVERIFY(t.setrenderingIntent(icRelativeColorimetric));
    QVERIFY(t.create("/usr/share/color/icc/ghostscript/ps_cmyk.icc",
                     "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc"));
    unsigned long rgb[3] = {};
    QVERIFY(t.cmyk2rgb(94, 23, 66, 88, &rgb[0], &rgb[1], &rgb[2]));
    QCOMPARE(rgb[0], 0ul);
    QCOMPARE(rgb[1], 43ul);
    QCOMPARE(rgb[2], 1ul);
}

void TestEngine::matchesTransicc_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<int>("intent");
    QTest::addColumn<int>("accuracy");
    const char* intents[] = {"perceptual", "relative", "saturation", "absolute"};
    for (int i = 0; i < 4; ++i) {
        for (int acc = 0; acc < 2; ++acc) {
            const char* a = acc ? "best" : "normal";
            QTest::addRow("rgb>cmyk %s %s", intents[i], a) << int(RgbToCmyk) << kSrgb << kCmyk << i << acc;
            QTest::addRow("cmyk>rgb %s %s", intents[i], a) << int(CmykToRgb) << kCmyk << kSrgb << i << acc;
            QTest::addRow("cmyk>cmyk %s %s", intents[i], a) << int(CmykToCmyk) << kCmyk << kCmyk << i << acc;
            QTest::addRow("rgb>rgb %s %s", intents[i], a) << int(RgbToRgb) << kSrgb << kSrgb << i << acc;
        }
        QTest::addRow("lab>rgb %s", intents[i]) << int(LabToRgb) << kCmyk << kSrgb << i << 0;
        QTest::addRow("lab>cmyk %s", intents[i]) << int(LabToCmyk) << kSrgb << kCmyk << i << 0;
    }
    // Device to Lab is absolute colorimetric whatever the held intent.
    QTest::addRow("rgb>lab held perceptual") << int(RgbToLab) << kSrgb << kCmyk << 0 << 0;
    QTest::addRow("cmyk>lab held perceptual") << int(CmykToLab) << kCmyk << kSrgb << 0 << 0;
    QTest::addRow("cmyk>lab held relative") << int(CmykToLab) << kCmyk << kCmyk << 1 << 1;
}

void TestEngine::matchesTransicc() {
    const QString transicc = QStandardPaths::findExecutable("transicc");
    if (transicc.isEmpty())
        QSKIP("transicc (liblcms2-utils) is not installed; nothing to compare with");
    QFETCH(int, kind);
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(int, intent);
    QFETCH(int, accuracy);

    KvCmsIcc t;
    QVERIFY(t.setrenderingIntent(icRenderingIntent(intent)));
    QVERIFY(t.setinterpolationAccuracy(ICCACCURACY(accuracy)));
    QVERIFY(t.create(local(source), local(destination)));

    const bool rgbIn = kind == RgbToCmyk || kind == RgbToRgb || kind == RgbToLab;
    const bool labIn = kind == LabToRgb || kind == LabToCmyk;
    const bool labOut = kind == RgbToLab || kind == CmykToLab;
    const bool deviceToDevice = !labIn && !labOut;
    Rows in = labIn ? labSample() : rgbIn ? rgbSample() : cmykSample();
    if (deviceToDevice)
        in += rgbIn ? rampSample(3, 255) : rampSample(4, 100);

    QStringList args{"-n"};
    if (deviceToDevice)
        args << "-e"
             << "-w"
             << "-c2";
    args << "-i" + (labIn ? QString("*Lab") : source) << "-o" + (labOut ? QString("*Lab") : destination)
         << "-t" + QString::number(labOut ? 3 : intent);
    const Rows expected = runTool(transicc, args, in);
    QVERIFY2(!expected.isEmpty(), qPrintable("transicc failed: " + args.join(' ')));

    double worstLab = 0;
    // Normal's grid: colours off by more than one unit, and the worst of them.
    const bool exact = !deviceToDevice || accuracy == ICC_ACCURACY_BEST;
    int offByMore = 0;
    long worstDevice = 0;
    const auto agrees = [&](unsigned long got, long want) {
        const long diff = std::labs(long(got) - want);
        worstDevice = std::max(worstDevice, diff);
        if (diff > 1)
            ++offByMore;
        return exact ? diff == 0 : true;
    };
    for (int i = 0; i < in.size(); ++i) {
        const Row& v = in[i];
        const Row& e = expected[i];
        unsigned long o[4] = {};
        const auto where = [&] {
            QString m = QString("input %1: engine").arg(i);
            for (unsigned long x : o)
                m += ' ' + QString::number(x);
            m += ", transicc";
            for (double x : e)
                m += ' ' + QString::number(x);
            return m.toUtf8();
        };
        double l[3] = {};
        switch (kind) {
        case RgbToCmyk:
        case CmykToCmyk: {
            const bool ok = kind == RgbToCmyk
                                ? t.rgb2cmyk(v[0], v[1], v[2], &o[0], &o[1], &o[2], &o[3])
                                : t.cmyk2cmyk(v[0], v[1], v[2], v[3], &o[0], &o[1], &o[2], &o[3]);
            QVERIFY(ok);
            for (int c = 0; c < 4; ++c)
                QVERIFY2(agrees(o[c], unitFromWord(e[c], 100.0)), where());
            break;
        }
        case CmykToRgb:
        case RgbToRgb: {
            const bool ok = kind == RgbToRgb ? t.rgb2rgb(v[0], v[1], v[2], &o[0], &o[1], &o[2])
                                             : t.cmyk2rgb(v[0], v[1], v[2], v[3], &o[0], &o[1], &o[2]);
            QVERIFY(ok);
            for (int c = 0; c < 3; ++c)
                QVERIFY2(agrees(o[c], unitFromWord(e[c], 255.0)), where());
            break;
        }
        case RgbToLab:
        case CmykToLab: {
            const bool ok = kind == RgbToLab ? t.rgb2lab(v[0], v[1], v[2], &l[0], &l[1], &l[2])
                                             : t.cmyk2lab(v[0], v[1], v[2], v[3], &l[0], &l[1], &l[2]);
            QVERIFY(ok);
            for (int c = 0; c < 3; ++c)
                worstLab = std::max(worstLab, std::fabs(l[c] - e[c]));
            break;
        }
        case LabToRgb:
            QVERIFY(t.lab2rgb(v[0], v[1], v[2], &o[0], &o[1], &o[2]));
            for (int c = 0; c < 3; ++c)
                QVERIFY2(sameDevice(e[c], o[c], 255.0), where());
            break;
        case LabToCmyk:
            QVERIFY(t.lab2cmyk(v[0], v[1], v[2], &o[0], &o[1], &o[2], &o[3]));
            for (int c = 0; c < 4; ++c)
                QVERIFY2(sameDevice(e[c], o[c], 100.0), where());
            break;
        }
    }
    QVERIFY2(worstLab <= 1e-3, qPrintable(QString("largest Lab difference %1").arg(worstLab)));
    if (!exact) {
        // Measured with these samples: CMYK>RGB up to 17 RGB units (absolute
        // intent) where the grid spans sRGB's clipping, at most 3 elsewhere.
        const long bound = kind == CmykToRgb ? 18 : 4;
        QVERIFY2(offByMore * 20 <= in.size(), qPrintable(QString("%1 off by more than one").arg(offByMore)));
        QVERIFY2(worstDevice <= bound, qPrintable(QString("worst difference %1").arg(worstDevice)));
    }
}

void TestEngine::d50LabUnderRelativeIntentIsAbsoluteColorimetry_data() {
    QTest::addColumn<QString>("profile");
    QTest::newRow("system cmyk") << QString(kCmyk);
    QTest::newRow("system sRGB") << QString(kSrgb);
    QTest::newRow("synthetic cmyk printer") << f().cmykPrinter();
}

// D50lab2rlab followed by the relative intent must land where lcms's own
// absolute colorimetric intent lands for the same measurement; a wrong media
// white (or the scale applied the wrong way round) shows here at once, since
// the CMYK papers are far from D50.
void TestEngine::d50LabUnderRelativeIntentIsAbsoluteColorimetry() {
    const QString transicc = QStandardPaths::findExecutable("transicc");
    if (transicc.isEmpty())
        QSKIP("transicc (liblcms2-utils) is not installed; nothing to compare with");
    QFETCH(QString, profile);
    KvCmsIcc t;
    QVERIFY(t.setrenderingIntent(icRelativeColorimetric));
    QVERIFY(t.create(local(profile), local(profile)));
    const bool cmyk = t.destinationSpace == icSigCmykData;
    const Rows in = labSample();
    const Rows expected = runTool(transicc, {"-n", "-i*Lab", "-o" + profile, "-t3"}, in);
    QVERIFY(!expected.isEmpty());
    for (int i = 0; i < in.size(); ++i) {
        double r[3];
        QVERIFY(t.D50lab2rlab(in[i][0], in[i][1], in[i][2], &r[0], &r[1], &r[2]));
        unsigned long o[4] = {};
        const bool ok = cmyk ? t.lab2cmyk(r[0], r[1], r[2], &o[0], &o[1], &o[2], &o[3])
                             : t.lab2rgb(r[0], r[1], r[2], &o[0], &o[1], &o[2]);
        QVERIFY(ok);
        for (int c = 0; c < (cmyk ? 4 : 3); ++c)
            QVERIFY2(sameDevice(expected[i][c], o[c], cmyk ? 100.0 : 255.0),
                     qPrintable(QString("Lab %1 %2 %3").arg(in[i][0]).arg(in[i][1]).arg(in[i][2])));
    }
}

void TestEngine::agreesWithXicclu_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<bool>("cmyk");
    QTest::newRow("sRGB") << QString(kSrgb) << false;
    QTest::newRow("default cmyk") << QString(kCmyk) << true;
}

// A second, independent engine: ArgyllCMS reads the same tables with its own
// code. Absolute D50 Lab of the device sample must agree within CIEDE2000 2.0
// for at least 95 % of it (the engines interpolate LUTs differently).
void TestEngine::agreesWithXicclu() {
    const QString xicclu = QStandardPaths::findExecutable("xicclu");
    if (xicclu.isEmpty())
        QSKIP("xicclu (ArgyllCMS) is not installed; nothing to compare with");
    QFETCH(QString, profile);
    QFETCH(bool, cmyk);
    KvCmsIcc t;
    QVERIFY(t.create(local(profile), local(profile)));
    const Rows in = cmyk ? cmykSample() : rgbSample();
    const QString scale = cmyk ? "100" : "255";
    // lcms takes a version 2 display profile's white as D50 (its white point
    // tag holds the display's own white, already adapted away in the PCS), so
    // its absolute colorimetry of a display is Argyll's relative one.
    const QString intent = t.sourceSpace == icSigRgbData ? "-ir" : "-ia";
    const Rows raw = runTool(xicclu, {"-v0", "-ff", intent, "-pl", "-s", scale, profile}, in);
    QVERIFY2(!raw.isEmpty(), "xicclu failed");
    int close = 0;
    double worst = 0;
    for (int i = 0; i < in.size(); ++i) {
        const Row& v = in[i];
        const Row expected = raw[i].mid(raw[i].size() - 3); // the Lab at the end of the line
        Row lab(3);
        const bool ok = cmyk ? t.cmyk2lab(v[0], v[1], v[2], v[3], &lab[0], &lab[1], &lab[2])
                             : t.rgb2lab(v[0], v[1], v[2], &lab[0], &lab[1], &lab[2]);
        QVERIFY(ok);
        const double de = de2000(lab, expected);
        worst = std::max(worst, de);
        close += de <= 2.0 ? 1 : 0;
    }
    const double share = 100.0 * close / in.size();
    qInfo("%s: %.1f %% within CIEDE2000 2.0 of xicclu, worst %.2f", qPrintable(profile), share, worst);
    QVERIFY2(share >= 95.0, qPrintable(QString("only %1 % within 2.0").arg(share)));
}

void TestEngine::roundTrip_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<int>("intent");
    for (int intent : {int(icRelativeColorimetric), int(icAbsoluteColorimetric)}) {
        const char* name = intent == icRelativeColorimetric ? "relative" : "absolute";
        QTest::addRow("system sRGB %s", name) << QString(kSrgb) << intent;
        QTest::addRow("system cmyk %s", name) << QString(kCmyk) << intent;
    }
}

// What the converter does with a measured colour: device -> D50 Lab ->
// D50lab2rlab -> device must give the device values back. CMYK has one value
// more than Lab, so only colours on the profile's own separation can come
// back; those are found by separating a Lab grid first.
void TestEngine::roundTrip() {
    QFETCH(QString, profile);
    QFETCH(int, intent);
    KvCmsIcc t;
    QVERIFY(t.setrenderingIntent(icRenderingIntent(intent)));
    QVERIFY(t.create(local(profile), local(profile)));
    int checked = 0, others = 0;
    double worstOther = 0;
    if (t.sourceSpace == icSigRgbData) {
        for (const Row& v : rgbSample()) {
            double l[3], r[3];
            unsigned long o[3];
            QVERIFY(t.rgb2lab(v[0], v[1], v[2], &l[0], &l[1], &l[2]));
            QVERIFY(t.D50lab2rlab(l[0], l[1], l[2], &r[0], &r[1], &r[2]));
            QVERIFY(t.lab2rgb(r[0], r[1], r[2], &o[0], &o[1], &o[2]));
            for (int c = 0; c < 3; ++c)
                QVERIFY2(std::fabs(double(o[c]) - v[c]) <= 1.0, qPrintable(QString("rgb %1").arg(checked)));
            ++checked;
        }
    } else {
        // A Lab the profile reproduces (it comes back within CIEDE2000 1.0)
        // is in gamut; its separation is the device colour to round-trip.
        for (const Row& lab : denseLabSample()) {
            unsigned long v[4], o[4];
            double r[3], l[3];
            QVERIFY(t.D50lab2rlab(lab[0], lab[1], lab[2], &r[0], &r[1], &r[2]));
            QVERIFY(t.lab2cmyk(r[0], r[1], r[2], &v[0], &v[1], &v[2], &v[3]));
            QVERIFY(t.cmyk2lab(v[0], v[1], v[2], v[3], &l[0], &l[1], &l[2]));
            if (de2000(lab, Row{l[0], l[1], l[2]}) > 1.0)
                continue;
            QVERIFY(t.D50lab2rlab(l[0], l[1], l[2], &r[0], &r[1], &r[2]));
            QVERIFY(t.lab2cmyk(r[0], r[1], r[2], &o[0], &o[1], &o[2], &o[3]));
            long worst = 0;
            for (int c = 0; c < 4; ++c)
                worst = std::max(worst, std::labs(long(o[c]) - long(v[c])));
            if (worst > 1) {
                // Several separations can give one colour (one percent of ink
                // moves it less than the tables' interpolation error, mostly in
                // shadows); such a colour must still come back as itself.
                double back[3];
                QVERIFY(t.cmyk2lab(o[0], o[1], o[2], o[3], &back[0], &back[1], &back[2]));
                const double de = de2000(Row{l[0], l[1], l[2]}, Row{back[0], back[1], back[2]});
                worstOther = std::max(worstOther, de);
                ++others;
            }
            ++checked;
        }
    }
    qInfo("%d colours in gamut; %d came back as another separation, the farthest CIEDE2000 %.2f away",
          checked, others, worstOther);
    QVERIFY(checked >= 20);
    QVERIFY2(others * 10 <= checked, "more than a tenth came back as another separation");
    QVERIFY2(worstOther <= 1.0, "a colour came back visibly different");
}

TINTRY_CORE_TEST_MAIN(TestEngine)
#include "test_engine.moc"
