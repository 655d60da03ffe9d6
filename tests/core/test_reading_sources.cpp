// The reading sources behind the instrument panel: only the source in use
// delivers, an instrument that is not installed cannot be chosen, the
// simulated instrument aims at the chart's patch, and the file source keeps
// its own cursor and matches a chart by name or by order.
#include "ChartRecords.h"
#include "ChartSession.h"
#include "CoreTestMain.h"
#include "ReadingSources.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <lcms2.h>

#include <cmath>

namespace {

CHARTPATCH* chartOf(const QList<QByteArray>& names) {
    CHARTPATCH* list = nullptr;
    double L = 40;
    for (const QByteArray& n : names) {
        const double lab[3] = {L += 10, 0, 0};
        AddList(&list, ChartRecords::patchOf(n.constData(), lab, nullptr));
    }
    return list;
}

QString measurements(const QTemporaryDir& dir, const QByteArray& rows, int count) {
    const QString path = dir.filePath("m.txt");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(
        "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n"
        "NUMBER_OF_SETS " +
        QByteArray::number(count) + "\nBEGIN_DATA\n" + rows + "END_DATA\n");
    return path;
}

} // namespace

class TestReadingSources : public QObject {
    Q_OBJECT

private slots:
    void onlyTheSourceInUseDelivers() {
        ReadingSources sources(true);
        QSignalSpy readings(&sources, &ReadingSources::reading);
        ReadingSource::Target typed;
        typed.typed[0] = 61;
        sources.simulated().read(typed); // not in use
        QCOMPARE(readings.count(), 0);
        sources.choose(ReadingSource::Simulated);
        sources.current().read(typed);
        QCOMPARE(readings.count(), 1);
        sources.choose(ReadingSource::Manual);
        sources.current().read(typed);
        QCOMPARE(readings.count(), 2);
        QCOMPARE(readings.last().at(0).toDouble(), 61.0);
    }

    void unavailableSourcesFallBack_data() {
        QTest::addColumn<bool>("manualEntry");
        QTest::addColumn<int>("fallback");
        QTest::newRow("with manual entry") << true << int(ReadingSource::Manual);
        QTest::newRow("without") << false << int(ReadingSource::Simulated);
    }
    void unavailableSourcesFallBack() {
        QFETCH(bool, manualEntry);
        QFETCH(int, fallback);
        ReadingSources sources(manualEntry);
        sources.instrument().spotread().setProgram("/nonexistent/spotread");
        QVERIFY(!sources.available(ReadingSource::Spotread));
        QCOMPARE(sources.available(ReadingSource::Manual), manualEntry);
        sources.choose(ReadingSource::Spotread);
        QCOMPARE(int(sources.kind()), fallback);
        QVERIFY(sources.instrument().status({}).contains("spotread is not installed"));
    }

    // In a chart the simulated reading is the patch's target moved by the
    // set CIEDE2000 error; outside one, the typed colour moved by it.
    void simulatedReadingsAimAtTheTarget() {
        ChartSession chart;
        chart.reset(chartOf({"A", "B"}));
        SimulatedSource simulated;
        simulated.setError(2.5);
        QSignalSpy spy(&simulated, &ReadingSource::reading);
        ReadingSource::Target onChart;
        onChart.chart = &chart;
        onChart.patch = 1;
        ReadingSource::Target free;
        free.typed[0] = 20;
        for (const ReadingSource::Target& t : {onChart, free}) {
            simulated.read(t);
            const QList<QVariant> r = spy.takeFirst();
            const double got[3] = {r[0].toDouble(), r[1].toDouble(), r[2].toDouble()};
            QVERIFY(std::abs(cmsCIE2000DeltaE(reinterpret_cast<const cmsCIELab*>(got),
                                              reinterpret_cast<const cmsCIELab*>(t.lab()), 1, 1, 1) -
                             2.5) < 1e-6);
        }
    }

    // Free readings come in file order, the source keeping its place; a
    // chart takes the rows by name when the file names its patches, else in
    // order from the patch that was current when the file was loaded.
    void theFileSourceKeepsItsCursor() {
        QTemporaryDir dir;
        const QString path = measurements(dir, "B 61 0 0\nA 51 0 0\n", 2);
        FileSource file;
        QSignalSpy spy(&file, &ReadingSource::reading);
        QVERIFY(file.load(path, nullptr));
        ReadingSource::Target free;
        QVERIFY(file.canRead(free));
        file.read(free);
        file.read(free);
        QVERIFY(!file.canRead(free));
        file.read(free);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toDouble(), 61.0);
        QCOMPARE(spy.at(1).at(0).toDouble(), 51.0);
        QVERIFY(file.status(free).startsWith("Every reading of m.txt has been taken"));

        ChartSession named;
        named.reset(chartOf({"A", "B", "C"}));
        QVERIFY(file.load(path, &named));
        const ChartSession::FileResult byName = file.applyTo(named);
        QVERIFY(byName.byName);
        QCOMPARE(named.reading(0).lab[0], 51.0);
        QCOMPARE(named.reading(1).lab[0], 61.0);
        QVERIFY(!named.measured(2));

        ChartSession numbered;
        numbered.reset(chartOf({"X", "Y", "Z"}));
        numbered.setCurrent(1);
        QVERIFY(file.load(path, &numbered));
        file.applyTo(numbered);
        QVERIFY(!numbered.measured(0));
        QCOMPARE(numbered.reading(1).lab[0], 61.0);
        QCOMPARE(numbered.reading(2).lab[0], 51.0);
    }

    void aFileThatFailsLeavesTheOneLoaded() {
        QTemporaryDir dir;
        const QString good = measurements(dir, "A 51 0 0\n", 1);
        FileSource file;
        QVERIFY(file.load(good, nullptr));
        QVERIFY(!file.load(dir.filePath("missing.txt"), nullptr));
        QCOMPARE(file.status({}), QString("missing.txt cannot be read"));
        QCOMPARE(file.file().readings().size(), std::size_t(1));
    }
};

TINTRY_CORE_TEST_MAIN(TestReadingSources)
#include "test_reading_sources.moc"
