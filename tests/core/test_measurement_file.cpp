// The measurement-file reader: Debian's FOGRA39L.ti3 whole, Lab and XYZ
// columns against reference values, names from SAMPLE_NAME or SAMPLE_ID, and
// damaged or hostile input giving the rows before the damage or nothing.
#include "CoreTestMain.h"
#include "MeasurementFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <lcms2.h>

namespace {

const char* const fogra = "/usr/share/color/icc/FOGRA39L.ti3";

QByteArray cgats(const QByteArray& fields, const QList<QByteArray>& rows, int declared = -1) {
    QByteArray out = "CGATS.17\nORIGINATOR \"test\"\nNUMBER_OF_FIELDS " +
                     QByteArray::number(fields.split(' ').size()) + "\nBEGIN_DATA_FORMAT\n" + fields +
                     "\nEND_DATA_FORMAT\nNUMBER_OF_SETS " +
                     QByteArray::number(declared < 0 ? rows.size() : declared) + "\nBEGIN_DATA\n";
    for (const QByteArray& r : rows)
        out += r + '\n';
    return out + "END_DATA\n";
}

bool parse(MeasurementFile& f, const QByteArray& bytes) {
    return f.parse(bytes.constData(), std::size_t(bytes.size()));
}

} // namespace

class TestMeasurementFile : public QObject {
    Q_OBJECT

private slots:
    void fogra39LoadsWhole();
    void columnsAndNames_data();
    void columnsAndNames();
    void damagedInput_data();
    void damagedInput();
    void filesThatAreNotMeasurements();
};

void TestMeasurementFile::fogra39LoadsWhole() {
    if (!QFile::exists(fogra))
        QSKIP("FOGRA39L.ti3 (icc-profiles-free) is not installed");
    MeasurementFile f;
    QVERIFY(f.load(fogra));
    QCOMPARE(f.problem(), MeasurementFile::NoProblem);
    QCOMPARE(int(f.readings().size()), 1617);
    QVERIFY(!f.fromXYZ()); // it has both; Lab is taken as given
    const MeasurementReading& first = f.readings().front();
    QCOMPARE(first.name, std::string("1"));
    QCOMPARE(first.L, 95.00);
    QCOMPARE(first.a, 0.00);
    QCOMPARE(first.b, -2.00);
    const MeasurementReading& last = f.readings().back();
    QCOMPARE(last.name, std::string("1617"));
    QCOMPARE(last.L, 22.64);
    QCOMPARE(last.a, 20.48);
    QCOMPARE(last.b, -42.96);
    QCOMPARE(f.find("1616"), 1615);
}

void TestMeasurementFile::columnsAndNames_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("fromXYZ");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<double>>("lab");
    QTest::addColumn<double>("tolerance");

    QTest::newRow("Lab, named") << cgats("SAMPLE_ID SAMPLE_NAME LAB_L LAB_A LAB_B",
                                         {"7 \"A1\" 50.5 -10.25 3.125"})
                                << false << "A1" << QList<double>{50.5, -10.25, 3.125} << 0.0;
    QTest::newRow("Lab, id only") << cgats("SAMPLE_ID LAB_L LAB_A LAB_B", {"7 50 1 2"}) << false << "7"
                                  << QList<double>{50, 1, 2} << 0.0;
    QTest::newRow("Lab, no name") << cgats("LAB_L LAB_A LAB_B", {"50 1 2"}) << false << ""
                                  << QList<double>{50, 1, 2} << 0.0;
    // XYZ on the 0..100 scale, turned into D50 Lab.
    QTest::newRow("XYZ, D50 white") << cgats("SAMPLE_ID XYZ_X XYZ_Y XYZ_Z", {"1 96.42 100 82.49"}) << true
                                    << "1" << QList<double>{100, 0, 0} << 0.01;
    // FOGRA39L's first patch: its own Lab columns are the reference.
    QTest::newRow("XYZ, FOGRA39L patch 1") << cgats("SAMPLE_ID XYZ_X XYZ_Y XYZ_Z", {"1 84.48 87.62 74.57"})
                                           << true << "1" << QList<double>{95.00, 0.00, -2.00} << 0.05;
    QTest::newRow("XYZ, FOGRA39L patch 1617")
        << cgats("SAMPLE_ID XYZ_X XYZ_Y XYZ_Z", {"1617 5.05 3.70 13.57"}) << true << "1617"
        << QList<double>{22.64, 20.48, -42.96} << 0.05;
    QTest::newRow("Lab preferred over XYZ")
        << cgats("SAMPLE_ID XYZ_X XYZ_Y XYZ_Z LAB_L LAB_A LAB_B", {"1 1 1 1 60 2 3"}) << false << "1"
        << QList<double>{60, 2, 3} << 0.0;
}

void TestMeasurementFile::columnsAndNames() {
    QFETCH(QByteArray, file);
    QFETCH(bool, fromXYZ);
    QFETCH(QString, name);
    QFETCH(QList<double>, lab);
    QFETCH(double, tolerance);
    MeasurementFile f;
    QVERIFY(parse(f, file));
    QCOMPARE(int(f.readings().size()), 1);
    QCOMPARE(f.fromXYZ(), fromXYZ);
    const MeasurementReading& r = f.readings().front();
    QCOMPARE(QString::fromStdString(r.name), name);
    const double got[3] = {r.L, r.a, r.b};
    for (int i = 0; i < 3; ++i)
        QVERIFY2(std::abs(got[i] - lab[i]) <= tolerance + 1e-9,
                 qPrintable(QString("component %1: %2, want %3").arg(i).arg(got[i]).arg(lab[i])));
}

void TestMeasurementFile::damagedInput_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("readings");
    QTest::addColumn<int>("problem");
    QTest::addColumn<int>("damagedRow");

    const QByteArray lab = "SAMPLE_ID LAB_L LAB_A LAB_B";
    QTest::newRow("empty") << QByteArray() << 0 << int(MeasurementFile::NotMeasurement) << 0;
    // LittleCMS aborts the process when handed no text at all.
    QTest::newRow("byte order mark alone")
        << QByteArray("\xef\xbb\xbf") << 0 << int(MeasurementFile::NotMeasurement) << 0;
    QTest::newRow("binary junk") << QByteArray("\x00\xff\x13 BEGIN_DATA \x01", 17) << 0
                                 << int(MeasurementFile::NotMeasurement) << 0;
    QTest::newRow("no colour columns") << cgats("SAMPLE_ID CMYK_C CMYK_M CMYK_Y CMYK_K", {"1 0 0 0 0"}) << 0
                                       << int(MeasurementFile::NotMeasurement) << 0;
    QTest::newRow("half an XYZ") << cgats("SAMPLE_ID XYZ_X XYZ_Y", {"1 1 1"}) << 0
                                 << int(MeasurementFile::NotMeasurement) << 0;
    // LittleCMS refuses a table whose row count is not the one declared.
    QTest::newRow("no rows") << cgats(lab, {}) << 0 << int(MeasurementFile::NotMeasurement) << 0;
    QTest::newRow("more sets promised than given")
        << cgats(lab, {"1 50 0 0", "2 60 0 0"}, 5) << 0 << int(MeasurementFile::NotMeasurement) << 0;
    QTest::newRow("absurd set count")
        << cgats(lab, {"1 50 0 0"}, 2000000000) << 0 << int(MeasurementFile::NotMeasurement) << 0;
    QTest::newRow("word for a number")
        << cgats(lab, {"1 50 0 0", "2 sixty 0 0", "3 70 0 0"}) << 1 << int(MeasurementFile::Damaged) << 2;
    QTest::newRow("lightness out of reach")
        << cgats(lab, {"1 50 0 0", "2 1e300 0 0"}) << 1 << int(MeasurementFile::Damaged) << 2;
    QTest::newRow("damage in the first row")
        << cgats(lab, {"1 nan 0 0", "2 60 0 0"}) << 0 << int(MeasurementFile::NoReadings) << 0;
    QTest::newRow("XYZ of infinity") << cgats("SAMPLE_ID XYZ_X XYZ_Y XYZ_Z", {"1 50 50 50", "2 1e400 1 1"})
                                     << 1 << int(MeasurementFile::Damaged) << 2;
}

void TestMeasurementFile::damagedInput() {
    QFETCH(QByteArray, file);
    QFETCH(int, readings);
    QFETCH(int, problem);
    QFETCH(int, damagedRow);
    MeasurementFile f;
    QCOMPARE(parse(f, file), readings > 0);
    QCOMPARE(int(f.readings().size()), readings);
    QCOMPARE(int(f.problem()), problem);
    QCOMPARE(f.damagedRow(), readings > 0 ? damagedRow : f.damagedRow());
    // Only the rows before the damage, and only plausible numbers.
    for (const MeasurementReading& r : f.readings())
        QVERIFY(r.L >= 0 && r.L <= 100);
}

void TestMeasurementFile::filesThatAreNotMeasurements() {
    QTemporaryDir dir;
    MeasurementFile f;
    QVERIFY(!f.load(dir.path().toStdString()));
    QCOMPARE(f.problem(), MeasurementFile::CannotOpen);
    QVERIFY(!f.load((dir.path() + "/missing.ti3").toStdString()));
    QCOMPARE(f.problem(), MeasurementFile::CannotOpen);
    // A device would hand over zeros for ever.
    QVERIFY(!f.load("/dev/zero"));
    QCOMPARE(f.problem(), MeasurementFile::CannotOpen);

    QFile big(dir.filePath("big.ti3"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(qint64(MeasurementFile::maximumFileSize) + 1)); // sparse: costs no disk
    big.close();
    QVERIFY(!f.load(big.fileName().toStdString()));
    QCOMPARE(f.problem(), MeasurementFile::TooLarge);

    // A failed load leaves nothing of the one before.
    QVERIFY(parse(f, cgats("LAB_L LAB_A LAB_B", {"50 0 0"})));
    QVERIFY(!f.load("/dev/zero"));
    QVERIFY(f.readings().empty());
}

TINTRY_CORE_TEST_MAIN(TestMeasurementFile)
#include "test_measurement_file.moc"
