// The instrument panel as the converter uses it: a reading typed in reaches
// spotLab, its add mode survives the settings store and a damaged value falls
// back to the default, and a chart handed over outlives the caller's records.
#include "KvRegistry.h"
#include "SpectroBuddy.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSignalSpy>

#include <cstring>

class TestSpectroBuddy : public QObject {
    Q_OBJECT

private slots:
    void fillsTheBox();
    void readingReachesSpotLab();
    void addModeRoundTrip();
    void damagedSettingFallsBack_data();
    void damagedSettingFallsBack();
    void chartIsCopied();
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

void TestSpectroBuddy::addModeRoundTrip() {
    KvRegistry store;
    {
        QGroupBox box;
        auto* panel = new SpectroBuddy(&box, true);
        panel->findChild<QCheckBox*>("spectro_add_tick")->setChecked(true);
        panel->saveRegistry(store, "tintry", "instrument");
    }
    QVERIFY(store.save("spectro-test"));
    KvRegistry reread;
    QVERIFY(reread.open("spectro-test"));
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    panel->loadRegistry(reread, "tintry", "instrument");
    QVERIFY(panel->isAddMode());
}

void TestSpectroBuddy::damagedSettingFallsBack_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("missing") << "";
    QTest::newRow("prose") << "keep them all";
    QTest::newRow("value out of range") << "addmode=2";
    QTest::newRow("no value") << "addmode=";
    QTest::newRow("no name") << "=1";
    QTest::newRow("damaged among good") << "addmode=1;junk";
}

void TestSpectroBuddy::damagedSettingFallsBack() {
    QFETCH(QString, stored);
    KvRegistry store;
    store.putstring("tintry", "instrument", stored.toStdString());
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    panel->findChild<QCheckBox*>("spectro_add_tick")->setChecked(true);
    panel->loadRegistry(store, "tintry", "instrument");
    QVERIFY(!panel->isAddMode());
}

void TestSpectroBuddy::chartIsCopied() {
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    panel->setMode(SpectroBuddy::MODE_CHART);
    KVCOMBOCOLOUR* first = nullptr;
    for (const char* name : {"A1", "A2", "A3"}) {
        auto* r = static_cast<KVCOMBOCOLOUR*>(Kv_calloc(1, sizeof(KVCOMBOCOLOUR)));
        r->name = AllocateAndCopyString(name);
        r->flags = KVCOMBO_LAB_VALID;
        AddList(&first, r);
    }
    panel->setComboChart(first, 1);
    // The chart releases its records before the panel is done with them.
    KvPacketFreeList(&first, KV_PACKET_COMBOCOLOUR);
    QCOMPARE(panel->chartLength(), 3);
    auto* position = panel->findChild<QLabel*>("spectro_chart_label");
    QCOMPARE(position->text(), QString("Patch 2 of 3: A2"));
    panel->findChild<QPushButton*>("spectro_read_button")->click();
    QCOMPARE(position->text(), QString("Patch 3 of 3: A3"));

    panel->setComboChart(nullptr, 0);
    QCOMPARE(panel->chartLength(), 0);
    QVERIFY(position->isHidden());
}

TINTRY_TEST_MAIN(TestSpectroBuddy)
#include "test_spectrobuddy.moc"
