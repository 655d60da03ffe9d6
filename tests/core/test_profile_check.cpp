// Profiles checked for the role they are chosen for: each kind of unfit file
// refused with its own reason (and the engine refusing it too), a damaged
// media white point caught instead of moving every absolute colour, and
// files that are not regular files refused by every reader without blocking.
#include "CoreTestMain.h"
#include "KvCMS.h"
#include "KvCmsIcc.h"
#include "KvGamutModel.h"
#include "MeasurementFile.h"
#include "ProfileCheck.h"
#include "ProfileFactory.h"
#include "RegularFile.h"
#include "SwatchImporter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <lcms2.h>

#include <sys/stat.h>

#include <cerrno>

Q_DECLARE_METATYPE(ProfileRole)
Q_DECLARE_METATYPE(ProfileCheck::Problem)

namespace {

const char* const kCmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

// The CMYK printer of the factory with its white point tag replaced: by a
// colour no medium has, or by bytes lcms cannot read as a white.
QString withWhite(const QString& source, const QString& target, const cmsCIEXYZ* white) {
    cmsHPROFILE p = cmsOpenProfileFromFile(QFile::encodeName(source).constData(), "r");
    if (p == nullptr)
        return {};
    if (white != nullptr) {
        cmsWriteTag(p, cmsSigMediaWhitePointTag, white);
    } else {
        const char damaged[] = "XYZ \0\0\0\0\0\0";
        cmsWriteRawTag(p, cmsSigMediaWhitePointTag, damaged, 10);
    }
    const bool ok = cmsSaveProfileToFile(p, QFile::encodeName(target).constData());
    cmsCloseProfile(p);
    return ok ? target : QString();
}

} // namespace

class TestProfileCheck : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    ProfileFactory* factory = nullptr;
    QString fifo;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        factory = new ProfileFactory(dir_.path());
        fifo = dir_.filePath("pipe.icc");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    }
    void cleanupTestCase() { delete factory; }

    void refusedWithItsReason_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<ProfileRole>("role");
        QTest::addColumn<ProfileCheck::Problem>("problem");
        QTest::newRow("printer as input")
            << factory->cmykPrinter() << ProfileRole::ConverterInput << ProfileCheck::Usable;
        QTest::newRow("monitor as monitor")
            << factory->rgbMonitor() << ProfileRole::Monitor << ProfileCheck::Usable;
        QTest::newRow("Debian CMYK for a chart")
            << QString(kCmyk) << ProfileRole::ChartProfile << ProfileCheck::Usable;
        QTest::newRow("grey monitor")
            << factory->grayMonitor() << ProfileRole::Monitor << ProfileCheck::WrongSpace;
        QTest::newRow("grey output") << factory->grayMonitor() << ProfileRole::ConverterOutput
                                     << ProfileCheck::WrongSpace;
        QTest::newRow("printer as monitor")
            << factory->cmykPrinter() << ProfileRole::Monitor << ProfileCheck::WrongClass;
        QTest::newRow("link") << factory->link() << ProfileRole::ConverterInput << ProfileCheck::WrongClass;
        QTest::newRow("abstract") << factory->labAbstract() << ProfileRole::ConverterOutput
                                  << ProfileCheck::WrongClass;
        QTest::newRow("RGB for a chart")
            << factory->rgbPrinter() << ProfileRole::ChartProfile << ProfileCheck::WrongSpace;
        QTest::newRow("truncated") << factory->truncated() << ProfileRole::ConverterInput
                                   << ProfileCheck::Truncated;
        QTest::newRow("bad magic") << factory->badMagic() << ProfileRole::Monitor
                                   << ProfileCheck::NotAProfile;
        QTest::newRow("text") << factory->text() << ProfileRole::ConverterOutput << ProfileCheck::NotAProfile;
        QTest::newRow("empty") << factory->empty() << ProfileRole::ConverterOutput
                               << ProfileCheck::NotAProfile;
        QTest::newRow("missing") << factory->missing() << ProfileRole::ConverterInput
                                 << ProfileCheck::Unreadable;
        QTest::newRow("directory") << factory->directory() << ProfileRole::ConverterInput
                                   << ProfileCheck::NotRegularFile;
        QTest::newRow("fifo") << fifo << ProfileRole::ConverterInput << ProfileCheck::NotRegularFile;
    }
    void refusedWithItsReason() {
        QFETCH(QString, path);
        QFETCH(ProfileRole, role);
        QFETCH(ProfileCheck::Problem, problem);
        const ProfileCheck check = ProfileCheck::check(QFile::encodeName(path).constData(), role);
        QCOMPARE(check.problem, problem);
        QVERIFY(!check.describe().empty());
        if (problem == ProfileCheck::Unreadable)
            QCOMPARE(check.error, ENOENT);
    }

    // A profile whose tables go only one way cannot be written to.
    void oneWayProfileIsNoOutput() {
        cmsHPROFILE p = cmsCreateProfilePlaceholder(nullptr);
        cmsSetDeviceClass(p, cmsSigOutputClass);
        cmsSetColorSpace(p, cmsSigCmykData);
        cmsSetPCS(p, cmsSigLabData);
        cmsPipeline* lut = cmsPipelineAlloc(nullptr, 4, 3);
        cmsPipelineInsertStage(lut, cmsAT_END, cmsStageAllocCLut16bit(nullptr, 2, 4, 3, nullptr));
        cmsWriteTag(p, cmsSigAToB0Tag, lut);
        const QString path = dir_.filePath("one-way.icc");
        QVERIFY(cmsSaveProfileToFile(p, QFile::encodeName(path).constData()));
        cmsPipelineFree(lut);
        cmsCloseProfile(p);
        const QByteArray local = QFile::encodeName(path);
        QCOMPARE(ProfileCheck::check(local.constData(), ProfileRole::ChartProfile).problem,
                 ProfileCheck::Usable);
        QCOMPARE(ProfileCheck::check(local.constData(), ProfileRole::ConverterOutput).problem,
                 ProfileCheck::NoTransform);
        QCOMPARE(ProfileCheck::check(local.constData(), ProfileRole::SwatchProfile).problem,
                 ProfileCheck::NoTransform);
    }

    // A damaged white point used to be taken silently: lcms then scales every
    // absolute colour by it (or by D50 when it cannot read it), and every
    // chart target moves. Refused by the check and by both engine entries.
    void damagedWhitePoint_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("not a white") << 0;
        QTest::newRow("unreadable") << 1;
        QTest::newRow("too dark") << 2;
    }
    void damagedWhitePoint() {
        QFETCH(int, kind);
        const cmsCIEXYZ notWhite{0.1, 0.9, 0.05};
        const cmsCIEXYZ dark{0.09, 0.1, 0.08};
        const QString path =
            withWhite(factory->cmykPrinter(), dir_.filePath(QString("white%1.icc").arg(kind)),
                      kind == 0   ? &notWhite
                      : kind == 2 ? &dark
                                  : nullptr);
        QVERIFY(!path.isEmpty());
        const QByteArray local = QFile::encodeName(path);
        QCOMPARE(ProfileCheck::check(local.constData(), ProfileRole::ChartProfile).problem,
                 ProfileCheck::DamagedWhitePoint);
        KvCmsIcc engine;
        QVERIFY(!engine.create(local.constData(), local.constData()));
        // The gamut view draws nothing the converter would refuse.
        KvGamutModel gamut;
        const Status opened = gamut.open(path);
        QVERIFY(!opened);
        QVERIFY2(opened.failure().why.find("white point") != std::string::npos, opened.failure().why.c_str());
        QVERIFY(KvCMSInit(icSigCmykData, icSigCmykData, local.constData(), nullptr, 1, 0, 0) == nullptr);

        // The same profile with a sound white is taken.
        const cmsCIEXYZ paper{0.89, 0.92, 0.72};
        const QString sound = withWhite(factory->cmykPrinter(), dir_.filePath("paper.icc"), &paper);
        QCOMPARE(ProfileCheck::check(QFile::encodeName(sound).constData(), ProfileRole::ChartProfile).problem,
                 ProfileCheck::Usable);
    }

    // Every RGB and CMYK profile Debian ships passes as what it is.
    void shippedProfilesPass() {
        for (const char* path :
             {"/usr/share/color/icc/sRGB.icc", "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc",
              "/usr/share/color/icc/ghostscript/ps_cmyk.icc", kCmyk,
              "/usr/share/color/icc/ghostscript/a98.icc"})
            QVERIFY2(ProfileCheck::check(path, ProfileRole::ConverterInput).usable(), path);
    }

    // Every reader refuses a FIFO and a directory at once; the FIFO has no
    // writer, so a reader that opened it plainly would wait for ever.
    void readersRefuseWhatIsNotARegularFile() {
        const QByteArray pipe = QFile::encodeName(fifo);
        const QByteArray folder = QFile::encodeName(factory->directory());
        for (const QByteArray& path : {pipe, folder}) {
            std::string bytes;
            QCOMPARE(RegularFile::readAll(path.constData(), 1000, bytes), RegularFile::NotRegular);
            QCOMPARE(RegularFile::open(path.constData()), -1);
            SwatchType type = SWATCH_UNKNOWN;
            QVERIFY(SwatchImporter::import(path.constData(), type, 0) == nullptr);
            MeasurementFile measurements;
            QVERIFY(!measurements.load(path.toStdString()));
            QCOMPARE(measurements.problem(), MeasurementFile::CannotOpen);
            KvCmsIcc engine;
            QVERIFY(!engine.create(path.constData(), kCmyk));
        }
        std::string bytes;
        QCOMPARE(RegularFile::readAll(kCmyk, 10, bytes), RegularFile::TooLarge);
        QVERIFY(bytes.empty());
        QCOMPARE(RegularFile::readAll(kCmyk, 1u << 20, bytes), RegularFile::Read);
        QCOMPARE(qint64(bytes.size()), QFileInfo(kCmyk).size());
    }
};

TINTRY_CORE_TEST_MAIN(TestProfileCheck)
#include "test_profile_check.moc"
