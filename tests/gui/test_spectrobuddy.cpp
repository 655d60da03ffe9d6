// The instrument panel on its own: a reading typed in reaches spotLab, every
// setting survives the settings store and a damaged value falls back to manual
// entry, the chart it is handed outlives the caller's records and is followed
// reading by reading, the simulated instrument misses by the CIEDE2000 error
// it is set to, and a measurement file gives its rows in order.
#include "ChartRecords.h"
#include "DialogScript.h"
#include "KvRegistry.h"
#include "SpectroBuddy.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>

#include <lcms2.h>

#include <cmath>

class TestSpectroBuddy : public QObject {
    Q_OBJECT

private slots:
    void fillsTheBox();
    void readingReachesSpotLab();
    void settingsSurviveRestart();
    void changesReachTheStoreAtOnce();
    void storedValues_data();
    void storedValues();
    void chartFollowsReadings();
    void simulatedErrorIsCIEDE2000_data();
    void simulatedErrorIsCIEDE2000();
    void simulatedInConverter();
    void measurementFileInConverter();
};

void TestSpectroBuddy::fillsTheBox() {
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    QVERIFY(box.layout());
    QCOMPARE(box.layout()->indexOf(panel), 0);
    QVERIFY(!panel->isAddMode());
}

void TestSpectroBuddy::readingReachesSpotLab() {
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    QSignalSpy spy(panel, &SpectroBuddy::spotLab);
    panel->findChild<QDoubleSpinBox*>("spectro_l_spin")->setValue(50.4);
    panel->findChild<QDoubleSpinBox*>("spectro_a_spin")->setValue(-10.6);
    panel->findChild<QDoubleSpinBox*>("spectro_b_spin")->setValue(3.5);
    panel->findChild<QPushButton*>("spectro_read_button")->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy[0][0].toDouble(), 50.4);
    QCOMPARE(spy[0][1].toDouble(), -10.6);
    QCOMPARE(spy[0][2].toDouble(), 3.5);
}

void TestSpectroBuddy::settingsSurviveRestart() {
    QTemporaryDir dir;
    KvRegistry store;
    {
        QGroupBox box;
        auto* panel = new SpectroBuddy(&box, true);
        panel->findChild<QCheckBox*>("spectro_add_tick")->setChecked(true);
        // Characters that the stored value itself uses must come back unharmed.
        panel->findChild<QLineEdit*>("spectro_program_edit")->setText(dir.path() + "/odd;name=50%2F");
        panel->findChild<QLineEdit*>("spectro_options_edit")->setText("-N -c 2 \"q;=\"");
        panel->findChild<QSpinBox*>("spectro_timeout_spin")->setValue(7);
        panel->setSimulatedError(2.5);
        panel->setSource(SpectroBuddy::SourceSimulated);
        panel->saveRegistry(store, "tintry", "instrument");
    }
    QVERIFY(store.save("spectro-test"));
    KvRegistry reread;
    QVERIFY(reread.open("spectro-test"));
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    panel->loadRegistry(reread, "tintry", "instrument");
    QVERIFY(panel->isAddMode());
    QCOMPARE(panel->source(), SpectroBuddy::SourceSimulated);
    QCOMPARE(panel->findChild<QLineEdit*>("spectro_program_edit")->text(), dir.path() + "/odd;name=50%2F");
    QCOMPARE(panel->findChild<QLineEdit*>("spectro_options_edit")->text(), QString("-N -c 2 \"q;=\""));
    QCOMPARE(panel->spotread().arguments(), (QStringList{"-N", "-c", "2", "q;="}));
    QCOMPARE(panel->spotread().timeout(), 7000);
    QCOMPARE(panel->simulatedError(), 2.5);
}

// The source and "Keep each reading" used to reach the store only at the
// converter's next refresh, so a choice made just before quitting was lost.
void TestSpectroBuddy::changesReachTheStoreAtOnce() {
    KvRegistry store;
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    panel->loadRegistry(store, "tintry", "instrument");
    panel->saveChangesTo(&store, "tintry", "instrument");
    panel->setSource(SpectroBuddy::SourceSimulated);
    panel->findChild<QCheckBox*>("spectro_add_tick")->setChecked(true);
    panel->setSimulatedError(4.5);
    PanelSettings kept;
    QVERIFY(PanelSettings::parse(store.getstring("tintry", "instrument"), &kept));
    QCOMPARE(kept.source, int(PanelSettings::Simulated));
    QVERIFY(kept.addMode);
    QCOMPARE(kept.simulatedError, 4.5);
    // Detached, the panel leaves the store alone.
    panel->saveChangesTo(nullptr, "", "");
    panel->setSource(SpectroBuddy::SourceManual);
    QVERIFY(PanelSettings::parse(store.getstring("tintry", "instrument"), &kept));
    QCOMPARE(kept.source, int(PanelSettings::Simulated));
}

void TestSpectroBuddy::storedValues_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("addMode");
    QTest::addColumn<int>("source");
    const int manual = SpectroBuddy::SourceManual;
    QTest::newRow("first panels' value") << "addmode=1" << true << manual;
    QTest::newRow("a later field unknown") << "addmode=1;colour=blue" << true << manual;
    QTest::newRow("file source") << "addmode=0;source=file" << false << int(SpectroBuddy::SourceFile);
    // Damaged: everything falls back to the defaults, manual entry included.
    QTest::newRow("missing") << "" << false << manual;
    QTest::newRow("prose") << "keep them all" << false << manual;
    QTest::newRow("value out of range") << "addmode=2;source=simulated" << false << manual;
    QTest::newRow("no value") << "addmode=" << false << manual;
    QTest::newRow("no name") << "=1" << false << manual;
    QTest::newRow("damaged among good") << "addmode=1;source=simulated;junk" << false << manual;
    QTest::newRow("unknown source") << "addmode=1;source=telepathy" << false << manual;
    QTest::newRow("zero time-out") << "addmode=1;source=simulated;timeout=0" << false << manual;
    QTest::newRow("error not a number") << "addmode=1;source=simulated;simerror=nan" << false << manual;
    QTest::newRow("spotread gone") << "addmode=1;source=spotread;program=%2Fno%2Fsuch%2Fspotread" << true
                                   << manual;
}

void TestSpectroBuddy::storedValues() {
    QFETCH(QString, stored);
    QFETCH(bool, addMode);
    QFETCH(int, source);
    KvRegistry store;
    store.putstring("tintry", "instrument", stored.toStdString());
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    panel->findChild<QCheckBox*>("spectro_add_tick")->setChecked(!addMode);
    panel->setSource(SpectroBuddy::SourceSimulated);
    panel->loadRegistry(store, "tintry", "instrument");
    QCOMPARE(panel->isAddMode(), addMode);
    QCOMPARE(int(panel->source()), source);
}

void TestSpectroBuddy::chartFollowsReadings() {
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    panel->setMode(SpectroBuddy::MODE_CHART);
    CHARTPATCH* list = nullptr;
    for (const char* name : {"A1", "A2", "A3"}) {
        const double lab[3] = {49, 0,
                               0}; // a reading of 51 has the mean lightness 50, where CIEDE2000 weighs L by 1
        AddList(&list, ChartRecords::patchOf(name, lab, nullptr));
    }
    ChartSession chart;
    chart.reset(list);
    chart.setCurrent(1);
    panel->setSession(&chart);
    QCOMPARE(panel->chartLength(), 3);
    auto* position = panel->findChild<QLabel*>("spectro_chart_label");
    auto* result = panel->findChild<QLabel*>("spectro_result_label");
    QCOMPARE(position->text(), QString("Patch 2 of 3: A2, target L 49.00, a 0.00, b 0.00"));

    QSignalSpy spy(panel, &SpectroBuddy::spotLab);
    panel->findChild<QDoubleSpinBox*>("spectro_l_spin")->setValue(51);
    auto* read = panel->findChild<QPushButton*>("spectro_read_button");
    read->click();
    QCOMPARE(result->text(), QString("A2 measured L 51.00, a 0.00, b 0.00, DeltaE 2.00"));
    QCOMPARE(position->text(), QString("Patch 3 of 3: A3, target L 49.00, a 0.00, b 0.00"));
    read->click();
    QCOMPARE(panel->chartPosition(), 3ul);
    // A1 was never read: the panel says how many patches really have a reading.
    QCOMPARE(position->text(), QString("2 of 3 patches have a reading; click a patch to measure from there"));
    // The chart has nowhere to put another reading.
    QVERIFY(!read->isEnabled());
    panel->findChild<QPushButton*>("spectro_read_button")->click();
    QCOMPARE(spy.count(), 2);

    panel->setSession(nullptr);
    QCOMPARE(panel->chartLength(), 0);
    QVERIFY(position->isHidden());
    QVERIFY(read->isEnabled());
}

void TestSpectroBuddy::simulatedErrorIsCIEDE2000_data() {
    QTest::addColumn<QList<double>>("target");
    QTest::addColumn<QList<double>>("direction");
    QTest::addColumn<double>("error");
    QTest::newRow("grey, lightness") << QList<double>{50, 0, 0} << QList<double>{1, 0, 0} << 3.0;
    QTest::newRow("light, skewed") << QList<double>{95, -2, 3} << QList<double>{-0.3, 1, 0.2} << 0.5;
    QTest::newRow("blue, far") << QList<double>{20, 40, -60} << QList<double>{0, -1, 1} << 10.0;
    QTest::newRow("saturated") << QList<double>{70, 60, 80} << QList<double>{1, 1, 1} << 3.0;
    QTest::newRow("none") << QList<double>{70, 60, 80} << QList<double>{1, 1, 1} << 0.0;
}

void TestSpectroBuddy::simulatedErrorIsCIEDE2000() {
    QFETCH(QList<double>, target);
    QFETCH(QList<double>, direction);
    QFETCH(double, error);
    double moved[3];
    SimulatedInstrument::offsetByDeltaE(target.constData(), error, direction.constData(), moved);
    // LittleCMS's own CIEDE2000 is the independent judge.
    const cmsCIELab t{target[0], target[1], target[2]};
    const cmsCIELab m{moved[0], moved[1], moved[2]};
    QVERIFY2(std::abs(cmsCIE2000DeltaE(&m, &t, 1, 1, 1) - error) < 1e-6,
             qPrintable(QString::number(cmsCIE2000DeltaE(&m, &t, 1, 1, 1))));
}

void TestSpectroBuddy::simulatedInConverter() {
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    panel->setSource(SpectroBuddy::SourceSimulated);
    panel->setSimulatedError(4.0);
    QVERIFY(panel->findChild<QLabel*>("spectro_status_label")->text().contains("Simulated"));
    panel->findChild<QDoubleSpinBox*>("spectro_l_spin")->setValue(40);
    panel->findChild<QDoubleSpinBox*>("spectro_a_spin")->setValue(10);
    QSignalSpy spy(panel, &SpectroBuddy::spotLab);
    for (int i = 0; i < 3; ++i)
        panel->findChild<QPushButton*>("spectro_read_button")->click();
    QCOMPARE(spy.count(), 3);
    const cmsCIELab typed{40, 10, 0};
    for (const QList<QVariant>& r : spy) {
        const cmsCIELab got{r[0].toDouble(), r[1].toDouble(), r[2].toDouble()};
        QVERIFY(std::abs(cmsCIE2000DeltaE(&got, &typed, 1, 1, 1) - 4.0) < 1e-6);
    }
    // Three readings, three directions.
    QVERIFY(spy[0][0] != spy[1][0] || spy[0][1] != spy[1][1]);
}

void TestSpectroBuddy::measurementFileInConverter() {
    QTemporaryDir dir;
    const QString path = dir.filePath("three.ti3");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("CTI3\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n"
            "NUMBER_OF_SETS 3\nBEGIN_DATA\n1 10 1 -1\n2 20 2 -2\n3 30 3 -3\nEND_DATA\n");
    f.close();

    DialogScript dialogs;
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    auto* combo = panel->findChild<QComboBox*>("spectro_source_combo");
    combo->setCurrentIndex(combo->findData(int(SpectroBuddy::SourceFile)));
    emit combo->activated(combo->currentIndex());
    auto* read = panel->findChild<QPushButton*>("spectro_read_button");
    QVERIFY(!read->isEnabled());

    // A file that is not one leaves the panel as it was, and says so.
    dialogs.openFile("/dev/zero");
    panel->findChild<QPushButton*>("spectro_load_button")->click();
    QVERIFY(panel->findChild<QLabel*>("spectro_status_label")->text().contains("cannot be read"));
    QVERIFY(!read->isEnabled());

    dialogs.openFile(path);
    panel->findChild<QPushButton*>("spectro_load_button")->click();
    QCOMPARE(dialogs.requests.size(), 2);
    QVERIFY(panel->findChild<QLabel*>("spectro_status_label")->text().contains("3 readings"));
    QSignalSpy spy(panel, &SpectroBuddy::spotLab);
    for (int i = 0; i < 4; ++i)
        read->click();
    QCOMPARE(spy.count(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(spy[i][0].toDouble(), 10.0 * (i + 1));
    QVERIFY(!read->isEnabled());
    QCOMPARE(dialogs.unanswered, 0);
}

TINTRY_TEST_MAIN(TestSpectroBuddy)
#include "test_spectrobuddy.moc"
