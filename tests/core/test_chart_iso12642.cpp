// The ISO 12642 export and the swatch importer: the file reads back through
// LittleCMS's own IT8 reader and through SwatchImporter into the same chart,
// numbers keep their decimal point under a comma locale, Debian's FOGRA39L
// measurements import whole, ASE swatches of every colour model come in with
// their names, and damaged files give what was read before the damage.
#include "AseBytes.h"
#include "ChartGeneration.h"
#include "ChartRecords.h"
#include "ChartTestKit.h"
#include "CoreTestMain.h"
#include "ExportISO12642.h"
#include "SwatchImporter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <lcms2.h>

#include <sys/resource.h>

#include <clocale>
#include <cmath>
#include <csignal>

using namespace chartkit;
using namespace asebytes;

namespace {

const std::time_t fixedTime = 1614834367;

struct Imported {
    QStringList names;
    QList<QList<double>> values; // L, a, b when Lab is valid, else C, M, Y, K bytes
    QList<bool> lab;
};

Imported describe(KVCOMBOCOLOUR* first) {
    Imported out;
    for (KVCOMBOCOLOUR* r = first; r; r = KvNext(r)) {
        out.names << QString::fromUtf8(r->name);
        const bool lab = r->flags & KVCOMBO_LAB_VALID;
        out.lab << lab;
        if (lab)
            out.values << QList<double>{r->L, r->a, r->b};
        else
            out.values << QList<double>{double(r->cmyk >> 24), double(r->cmyk >> 16 & 0xff),
                                        double(r->cmyk >> 8 & 0xff), double(r->cmyk & 0xff)};
    }
    return out;
}

Imported importBytes(const QByteArray& bytes, SwatchType* typeOut = nullptr) {
    QTemporaryDir dir;
    const QString path = dir.filePath("swatches");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    SwatchType type = SWATCH_UNKNOWN;
    KVCOMBOCOLOUR* first = SwatchImporter::import(QFile::encodeName(path).constData(), type, 0);
    if (typeOut)
        *typeOut = type;
    Imported out = describe(first);
    KvPacketFreeList(&first, KV_PACKET_COMBOCOLOUR);
    return out;
}

QByteArray sampleAse() {
    return aseFile({aseBlock(0xC001, aseName("Brand")), aseColour("Cyan 100", "CMYK", {1, 0.5f, 0, 0}),
                    aseColour(QString::fromUtf8("Grün"), "LAB ", {0.5f, -40, 30}), aseBlock(0xC002, {}),
                    aseColour("White", "RGB ", {1, 1, 1}), aseColour("Mid grey", "Gray", {0.5f}),
                    aseColour("Black", "Gray", {0})},
                   7);
}

const char* const kCgats =
    "CGATS.17\n"
    "NUMBER_OF_FIELDS 6\n"
    "BEGIN_DATA_FORMAT\nSAMPLE_ID SAMPLE_NAME CMYK_C CMYK_M CMYK_Y CMYK_K\nEND_DATA_FORMAT\n"
    "NUMBER_OF_SETS %1\n"
    "BEGIN_DATA\n"
    "1 A1 100 50 0 0\n"
    "2 A2 0 0 0 100\n"
    "3 A3 0 0 10 0\n"
    "END_DATA\n";

} // namespace

class TestChartIso12642 : public QObject {
    Q_OBJECT
private slots:
    void readsBackThroughLittleCms() {
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.txt");
        KVCOMBOCOLOUR_CC colours;
        for (const char* name : {"Patch 0001", "123", "say \"hi\"", "tab\there"})
            colours.insertCombo(labRecord(name, 55.25, -3.5, 120.125));
        KVCOMBOCOLOUR* noLab = record("ink only");
        colours.insertCombo(noLab);
        // A comma locale, as Qt would set from the environment.
        const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        const int result = ExportISO12642::exportColours(QFile::encodeName(path).toStdString(), nullptr,
                                                         colours, icSigLabData, fixedTime);
        std::setlocale(LC_ALL, "C");
        QCOMPARE(result, 0);
        const QByteArray text = readAll(path);
        QVERIFY(text.startsWith("CGATS.17\n"));
        QVERIFY(text.contains("55.25"));
        QVERIFY(!text.contains("55,25"));
        QVERIFY(text.contains("ORIGINATOR\t\"Quillon Tintry\""));
        QVERIFY(text.contains("CREATED\t\"2021-03-"));
        if (!comma)
            qWarning("no de_DE.UTF-8 locale: decimal points checked under C only");

        cmsHANDLE it8 = cmsIT8LoadFromFile(nullptr, QFile::encodeName(path).constData());
        QVERIFY(it8);
        QCOMPARE(int(cmsIT8GetPropertyDbl(it8, "NUMBER_OF_SETS")), 4);
        QCOMPARE(QByteArray(cmsIT8GetProperty(it8, "DESCRIPTOR")), QByteArray("Colour check chart"));
        char** fields = nullptr;
        QCOMPARE(cmsIT8EnumDataFormat(it8, &fields), 5);
        QCOMPARE(QByteArray(fields[1]), QByteArray("SAMPLE_NAME"));
        const QStringList names = {"Patch 0001", "123", "say 'hi'", "tab here"};
        for (int row = 0; row < 4; ++row) {
            QCOMPARE(QString(cmsIT8GetDataRowCol(it8, row, 1)), names[row]);
            QCOMPARE(cmsIT8GetDataRowColDbl(it8, row, 0), double(row + 1));
            QCOMPARE(cmsIT8GetDataRowColDbl(it8, row, 2), 55.25);
            QCOMPARE(cmsIT8GetDataRowColDbl(it8, row, 3), -3.5);
            QCOMPARE(cmsIT8GetDataRowColDbl(it8, row, 4), 120.125);
        }
        cmsIT8Free(it8);
    }

    // Chart -> ISO 12642 file -> SwatchImporter -> chart: the same chart.
    void roundTripGivesTheSameChart() {
        ChartHandles h;
        QVERIFY(h.openForGrid(defaultCmyk, nullptr));
        CHARTPATCH* generated = nullptr;
        StreamCapture out(1);
        QCOMPARE(ChartGeneration::generatePatches(&generated, h.profile, h.preview, 64, stdout), 0);
        KVCOMBOCOLOUR_CC colours;
        QVERIFY(ChartRecords::fill(generated, colours));
        FreeList(&generated);
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.it8");
        QCOMPARE(ExportISO12642::exportColours(QFile::encodeName(path).toStdString(), nullptr, colours,
                                               icSigLabData),
                 0);
        SwatchType type = SWATCH_UNKNOWN;
        KVCOMBOCOLOUR* back = SwatchImporter::import(QFile::encodeName(path).constData(), type, 0);
        QCOMPARE(type, SWATCH_CGATS);
        const Imported sent = describe(colours.list);
        const Imported got = describe(back);
        QCOMPARE(got.names, sent.names);
        QCOMPARE(got.names[63], QString("Patch 0064"));
        for (int i = 0; i < sent.values.size(); ++i)
            for (int k = 0; k < 3; ++k)
                QVERIFY(std::fabs(got.values[i][k] - sent.values[i][k]) < 1e-7);

        ChartHandles swatch;
        QVERIFY(swatch.openForSwatches(defaultCmyk, nullptr));
        CHARTPATCH* a = nullptr;
        CHARTPATCH* b = nullptr;
        ChartGeneration::patchesFromSwatches(&a, colours.list, swatch);
        ChartGeneration::patchesFromSwatches(&b, back, swatch);
        KvPacketFreeList(&back, KV_PACKET_COMBOCOLOUR);
        QCOMPARE(ListLength(b), 64);
        for (const CHARTPATCH *p = a, *q = b; p && q; p = KvNext(p), q = KvNext(q)) {
            QCOMPARE(chartPatchCMYK(*q), chartPatchCMYK(*p));
            QCOMPARE(QByteArray((const char*)q->rgb, 3), QByteArray((const char*)p->rgb, 3));
        }
        FreeList(&a);
        FreeList(&b);
    }

    void fogra39Measurements() {
        const char* path = "/usr/share/color/icc/FOGRA39L.ti3";
        if (!QFile::exists(path))
            QSKIP("icc-profiles-free is not installed");
        SwatchType type = SWATCH_UNKNOWN;
        KVCOMBOCOLOUR* first = SwatchImporter::import(path, type, 0);
        const Imported got = describe(first);
        QCOMPARE(got.names.size(), 1617);
        QCOMPARE(got.names[0], QString("1"));
        QCOMPARE(got.values[0], (QList<double>{95.00, 0.00, -2.00}));
        QCOMPARE(got.values[8], (QList<double>{48.00, 74.00, -3.00}));
        QCOMPARE(first->cmyk, 0u);
        QCOMPARE(KvNext(first)->cmyk, 0x001a0000u); // M 10 % is byte 26
        ChartHandles h;
        QVERIFY(h.openForSwatches(defaultCmyk, nullptr));
        CHARTPATCH* chart = nullptr;
        ChartGeneration::patchesFromSwatches(&chart, first, h);
        QCOMPARE(ListLength(chart), 1617);
        FreeList(&chart);
        KvPacketFreeList(&first, KV_PACKET_COMBOCOLOUR);
    }

    void cgatsInks() {
        SwatchType type = SWATCH_UNKNOWN;
        const Imported got = importBytes(QString(kCgats).arg(3).toLatin1(), &type);
        QCOMPARE(type, SWATCH_CGATS);
        QCOMPARE(got.names, QStringList({"A1", "A2", "A3"}));
        QCOMPARE(got.lab, QList<bool>({false, false, false}));
        QCOMPARE(got.values[0], (QList<double>{255, 128, 0, 0}));
        QCOMPARE(got.values[1], (QList<double>{0, 0, 0, 255}));
        QCOMPARE(got.values[2], (QList<double>{0, 0, 26, 0}));
    }

    void aseColourModels() {
        SwatchType type = SWATCH_UNKNOWN;
        const Imported got = importBytes(sampleAse(), &type);
        QCOMPARE(type, SWATCH_ASE);
        QCOMPARE(got.names,
                 QStringList({"Cyan 100", QString::fromUtf8("Grün"), "White", "Mid grey", "Black"}));
        QCOMPARE(got.lab, QList<bool>({false, true, true, true, true}));
        QCOMPARE(got.values[0], (QList<double>{255, 128, 0, 0}));
        QCOMPARE(got.values[1], (QList<double>{50, -40, 30}));
        // sRGB white is D50 white; sRGB mid grey (0.5) is L* 53.39 (0.21404 Y).
        auto near = [](const QList<double>& v, double L, double tol) {
            return std::fabs(v[0] - L) < tol && std::fabs(v[1]) < 0.01 && std::fabs(v[2]) < 0.01;
        };
        QVERIFY(near(got.values[2], 100.0, 0.01));
        QVERIFY2(near(got.values[3], 53.39, 0.02), qPrintable(QString::number(got.values[3][0])));
        QVERIFY(near(got.values[4], 0.0, 0.01));
    }

    // Damaged files: nothing, or the records before the damage; never a read
    // past the buffer (the sanitizer build watches that).
    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        const QByteArray ase = sampleAse();
        const QByteArray cyan = aseColour("Cyan", "CMYK", {1, 0, 0, 0});
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("magic only") << QByteArray("ASEF") << 0;
        QTest::newRow("wrong version") << QByteArray(ase).replace(4, 2, be16(2)) << 0;
        QTest::newRow("absurd count") << aseFile({cyan}, 0xffffffffu) << 1;
        QTest::newRow("block past the end") << aseFile({cyan, be16(1) + be32(0x7fffffff) + cyan}, 2) << 1;
        QTest::newRow("name past the block")
            << aseFile({cyan, aseBlock(1, be16(500) + QByteArray("x\0", 2))}, 2) << 1;
        QTest::newRow("unknown model") << aseFile({aseColour("Odd", "HSB ", {1, 1, 1}), cyan}, 2) << 0;
        QTest::newRow("values cut short")
            << aseFile({aseBlock(1, aseName("Cut") + "CMYK" + beFloat(1))}, 1) << 0;
        QTest::newRow("NaN Lab") << aseFile({aseColour("NaN", "LAB ", {NAN, 0, 0})}, 1) << 0;
        QByteArray garbage(4096, 0);
        quint32 s = 7;
        for (char& c : garbage)
            c = char((s = s * 1664525u + 1013904223u) >> 24);
        QTest::newRow("binary garbage") << garbage << 0;
        // A swatch table is read whole or not at all: a chart of half a file
        // would pass for the whole one.
        QTest::newRow("CGATS sets promise more") << QString(kCgats).arg(10).toLatin1() << 0;
        QTest::newRow("CGATS sets promise fewer") << QString(kCgats).arg(2).toLatin1() << 0;
        QTest::newRow("CGATS sets absurd") << QString(kCgats).arg(999999999).toLatin1() << 0;
        QTest::newRow("CGATS fields lie")
            << QString(kCgats).arg(3).replace("FIELDS 6", "FIELDS 5").toLatin1() << 0;
        QTest::newRow("CGATS without colour fields")
            << QByteArray(
                   "CGATS.17\nNUMBER_OF_FIELDS 2\nBEGIN_DATA_FORMAT\nSAMPLE_ID XYZ_X\nEND_DATA_FORMAT\n"
                   "NUMBER_OF_SETS 1\nBEGIN_DATA\n1 20\nEND_DATA\n")
            << 0;
        const QByteArray cgats = QString(kCgats).arg(3).toLatin1();
        QTest::newRow("CGATS cut in the data") << cgats.left(cgats.indexOf("2 A2 0 0") + 6) << 0;
    }
    void damagedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        QCOMPARE(int(importBytes(bytes).names.size()), records);
        // What comes before the damage is kept, whole.
        if (records == 1 && bytes.startsWith("ASEF"))
            QCOMPARE(importBytes(bytes).names, QStringList{"Cyan"});
    }

    // Every prefix of a good ASE file: the records before the cut, never more.
    void everyTruncation() {
        const QByteArray ase = sampleAse();
        int previous = 0;
        for (int n = 0; n < ase.size(); ++n) {
            KVCOMBOCOLOUR* first = SwatchImporter::fromASE(ase.left(n).constData(), std::size_t(n));
            const int count = ListLength(first);
            KvPacketFreeList(&first, KV_PACKET_COMBOCOLOUR);
            QVERIFY(count >= previous && count < 5);
            previous = count;
        }
        QCOMPARE(previous, 4);
    }

    void unknownFilesImportNothing() {
        SwatchType type = SWATCH_CGATS;
        QVERIFY(SwatchImporter::import("/nonexistent/file.ase", type, 0) == nullptr);
        QCOMPARE(type, SWATCH_UNKNOWN);
        QVERIFY(SwatchImporter::import(defaultCmyk, type, 0) == nullptr);
        QVERIFY(SwatchImporter::import("/tmp", type, 0) == nullptr);
        QVERIFY(SwatchImporter::import(nullptr, type, 0) == nullptr);
    }

    void exportFailuresLeaveTargetsAlone_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("no such directory") << "missing/chart.txt";
        QTest::newRow("a directory") << "adir";
        QTest::newRow("a device") << "/dev/full";
        QTest::newRow("a full file system") << "limited";
    }
    void exportFailuresLeaveTargetsAlone() {
        QFETCH(QString, target);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("adir"));
        const QString old = dir.filePath("limited");
        QFile f(old);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old\n");
        f.close();
        const QString path = target.startsWith('/') ? target : dir.filePath(target);
        KVCOMBOCOLOUR_CC colours;
        for (int i = 0; i < 200; ++i)
            colours.insertCombo(labRecord("Patch", i / 2.0, 1, 2));
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        if (target == "limited") {
            rlimit small = saved;
            small.rlim_cur = 1024;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        StreamCapture err(2);
        const int result = ExportISO12642::exportColours(QFile::encodeName(path).toStdString(), nullptr,
                                                         colours, icSigLabData);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QCOMPARE(result, -1);
        QCOMPARE(err.text(), "Cannot open file " + QFile::encodeName(path) + "\n");
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"adir", "limited"}));
        QCOMPARE(readAll(old), QByteArray("old\n"));
        QVERIFY(QFileInfo("/dev/full").exists() && !QFileInfo("/dev/full").isFile());
    }
};

TINTRY_CORE_TEST_MAIN(TestChartIso12642)
#include "test_chart_iso12642.moc"
