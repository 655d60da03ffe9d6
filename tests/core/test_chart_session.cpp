// The chart session: the one owner of a chart's patches, current patch and
// readings. Readings step the current patch and carry their CIEDE2000 error
// against LittleCMS's own; measurement files land by name in any order, or in
// order from the patch they were loaded at; counts stay true after partial
// loads.
#include "ChartSession.h"
#include "CoreTestMain.h"
#include "MeasurementFile.h"

#include <QSignalSpy>

#include <lcms2.h>

#include <cstdio>

namespace {

// A chart of grey patches at the given lightnesses, named when names are given.
CHARTPATCH* greys(const QList<double>& lightness, const QStringList& names = {}) {
    CHARTPATCH* head = nullptr;
    for (qsizetype i = 0; i < lightness.size(); ++i) {
        auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        p->kind = CHARTPATCH_KIND;
        p->labD50[0] = lightness[i];
        if (i < names.size())
            std::snprintf(p->name, sizeof p->name, "%s", qPrintable(names[i]));
        AddList(&head, p);
    }
    return head;
}

MeasurementFile measurements(const QByteArray& fields, const QList<QByteArray>& rows) {
    QByteArray text = "CGATS.17\nNUMBER_OF_FIELDS " + QByteArray::number(fields.split(' ').size()) +
                      "\nBEGIN_DATA_FORMAT\n" + fields + "\nEND_DATA_FORMAT\nNUMBER_OF_SETS " +
                      QByteArray::number(rows.size()) + "\nBEGIN_DATA\n";
    for (const QByteArray& r : rows)
        text += r + '\n';
    text += "END_DATA\n";
    MeasurementFile f;
    f.parse(text.constData(), std::size_t(text.size()));
    return f;
}

double lcmsDE2000(const double* a, const double* b) {
    const cmsCIELab x{a[0], a[1], a[2]}, y{b[0], b[1], b[2]};
    return cmsCIE2000DeltaE(&x, &y, 1, 1, 1);
}

} // namespace

class TestChartSession : public QObject {
    Q_OBJECT

private slots:
    void readingsStepAndScore() {
        ChartSession s;
        s.reset(greys({40, 50, 60}));
        QSignalSpy moved(&s, &ChartSession::currentChanged);
        QSignalSpy stored(&s, &ChartSession::readingChanged);
        QCOMPARE(s.current(), std::size_t(0));
        QVERIFY(s.record(43, 2, -1));
        QCOMPARE(s.current(), std::size_t(1));
        QCOMPARE(moved.count(), 1);
        QCOMPARE(stored.count(), 1);
        QVERIFY(s.measured(0) && !s.measured(1));
        const double target[3] = {40, 0, 0};
        QVERIFY(qAbs(s.reading(0).deltaE - lcmsDE2000(s.reading(0).lab, target)) < 1e-9);
        QVERIFY(s.missed(0) == (s.reading(0).deltaE >= 3.0));
        // Reading again replaces, and counts once.
        s.recordAt(0, 40, 0, 0);
        QCOMPARE(s.reading(0).deltaE, 0.0);
        QCOMPARE(s.measuredCount(), std::size_t(1));
        s.forget(0);
        QCOMPARE(s.measuredCount(), std::size_t(0));
        QVERIFY(!s.measured(0));
    }

    void pastTheEndNothingIsStored() {
        ChartSession s;
        s.reset(greys({50}));
        QVERIFY(s.record(50, 0, 0));
        QVERIFY(!s.record(10, 0, 0));
        QCOMPARE(s.reading(0).lab[0], 50.0);
        QCOMPARE(s.measuredCount(), std::size_t(1));
        s.setCurrent(99); // a click cannot go past the chart
        QCOMPARE(s.current(), std::size_t(1));
    }

    void resetForgetsEverything() {
        ChartSession s;
        s.reset(greys({50, 60}));
        s.record(50, 0, 0);
        QSignalSpy reset(&s, &ChartSession::chartReset);
        s.reset(greys({70}));
        QCOMPARE(reset.count(), 1);
        QCOMPARE(s.size(), std::size_t(1));
        QCOMPARE(s.measuredCount(), std::size_t(0));
        QCOMPARE(s.current(), std::size_t(0));
        QCOMPARE(s.name(0), std::string("Patch 0001"));
    }

    // Names in any order find their patches, from wherever the chart stands.
    void fileByName() {
        ChartSession s;
        s.reset(greys({20, 30, 40, 50}, {"A1", "A2", "A3", "A4"}));
        const MeasurementFile f = measurements("SAMPLE_NAME LAB_L LAB_A LAB_B",
                                               {"A4 54 0 0", "A2 31 0 0", "A3 43 0 0", "Z9 1 1 1"});
        s.setCurrent(1);
        const ChartSession::FileResult r = s.apply(f);
        QVERIFY(r.byName);
        QCOMPARE(r.applied, std::size_t(3));
        QCOMPARE(s.reading(1).lab[0], 31.0);
        QCOMPARE(s.reading(2).lab[0], 43.0);
        QCOMPARE(s.reading(3).lab[0], 54.0);
        QVERIFY(!s.measured(0));
        QCOMPARE(s.current(), std::size_t(4));
        QCOMPARE(s.measuredCount(), std::size_t(3));
    }

    // A patch the file does not name is passed over: the rows named after it
    // still land, and the first gap becomes current, to be measured next.
    void fileByNameWithGaps() {
        ChartSession s;
        s.reset(greys({20, 30, 40, 50, 60}, {"A1", "A2", "A3", "A4", "A5"}));
        const MeasurementFile f =
            measurements("SAMPLE_NAME LAB_L LAB_A LAB_B", {"A1 21 0 0", "A3 41 0 0", "A5 61 0 0"});
        const ChartSession::FileResult r = s.apply(f);
        QVERIFY(r.byName);
        QCOMPARE(r.applied, std::size_t(3));
        QCOMPARE(r.stoppedAt, std::size_t(1));
        QCOMPARE(s.reading(4).lab[0], 61.0);
        QVERIFY(!s.measured(1) && !s.measured(3));
        QCOMPARE(s.current(), std::size_t(1));
        QCOMPARE(s.measuredCount(), std::size_t(3));
    }

    // A file without the chart's names fills from the current patch on, and a
    // short file leaves the rest unmeasured and current where it stopped.
    void unnamedFileFillsFromCurrent() {
        ChartSession s;
        s.reset(greys({20, 30, 40, 50, 60}));
        const MeasurementFile f = measurements("LAB_L LAB_A LAB_B", {"31 0 0", "41 0 0"});
        s.setCurrent(1);
        const ChartSession::FileResult r = s.apply(f);
        QVERIFY(!r.byName);
        QCOMPARE(r.first, std::size_t(1));
        QCOMPARE(r.applied, std::size_t(2));
        QCOMPARE(r.stoppedAt, std::size_t(3));
        QCOMPARE(s.reading(1).lab[0], 31.0);
        QCOMPARE(s.reading(2).lab[0], 41.0);
        QVERIFY(!s.measured(0) && !s.measured(3));
        QCOMPARE(s.current(), std::size_t(3));
        QCOMPARE(s.measuredCount(), std::size_t(2));
    }
};

TINTRY_CORE_TEST_MAIN(TestChartSession)
#include "test_chart_session.moc"
