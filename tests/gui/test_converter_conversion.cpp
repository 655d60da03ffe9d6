// Conversion and display: the numbers the converter shows against transicc,
// the Lab input's round trip, the one-conversion-per-edit guard, instrument
// readings, and the kept-colour list.
#include "ConverterTestKit.h"
#include "SpectroBuddy.h"
#include "TestMain.h"

#include <QDoubleSpinBox>

#include <cmath>

namespace {

// The display rule for Lab: the nearest whole number, halves upward. A
// reference that lies within 0.01 of a rounding step may land on either side.
void compareRounded(const QString& shown, double reference, const char* what) {
    const int got = shown.toInt();
    const int want = static_cast<int>(std::floor(reference + 0.5));
    const double frac = (reference + 0.5) - std::floor(reference + 0.5);
    const bool edge = frac < 0.01 || frac > 0.99;
    QVERIFY2(got == want || (edge && std::abs(got - want) <= 1),
             qPrintable(QString("%1: shown %2, transicc %3").arg(what, shown).arg(reference)));
}

QColor previewOf(Tintry& t) {
    return t.pv_label->palette().color(t.pv_label->backgroundRole());
}

void setSpins(const QList<QSpinBox*>& spins, const QList<int>& values) {
    for (int i = 0; i < spins.size(); ++i)
        spins[i]->setValue(values[i]);
}

int indexOfIntent(int intent) {
    return intent == 2 ? 3 : intent == 3 ? 2 : intent;
}

} // namespace

class TestConverterConversion : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void roundHalfUp_data();
    void roundHalfUp();
    void matchesTransicc_data();
    void matchesTransicc();
    void labRoundTrip_data();
    void labRoundTrip();
    void oneEditOneConversion_data();
    void oneEditOneConversion();
    void hiddenPageEditsDoNothing();
    void instrumentReading_data();
    void instrumentReading();
    void refreshKeepsTheEnteredSide();
    void previewNeedsMonitor();
    void keptColours();
    void cmykKeptAsInksOrLab();
    void rgbInputKeepsRgbForLab();
    void keptListFollowsInputSpace();
    void noKeepWithoutTransform();
};

void TestConverterConversion::initTestCase() {
    if (!kit::haveProfiles())
        QSKIP("the system ICC profiles (icc-profiles-free, libgs-common) are not installed");
}

void TestConverterConversion::roundHalfUp_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("shown");
    QTest::newRow("2.5") << 2.5 << 3;
    QTest::newRow("2.49") << 2.49 << 2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("-2.7") << -2.7 << -3;
    QTest::newRow("-3.7") << -3.7 << -4;
    QTest::newRow("-9.41") << -9.41 << -9;
    QTest::newRow("-0.4") << -0.4 << 0;
}

void TestConverterConversion::roundHalfUp() {
    QFETCH(double, value);
    QFETCH(int, shown);
    QCOMPARE(::roundHalfUp(value), shown);
}

void TestConverterConversion::matchesTransicc_data() {
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QList<int>>("colour");
    QTest::addColumn<int>("intent");
    QTest::addColumn<int>("accuracy");
    struct Pair {
        const char* name;
        QString in, out;
        QList<QList<int>> colours;
    };
    const Pair pairs[] = {
        {"rgb-cmyk", kit::sRGB, kit::cmyk, {{200, 30, 15}, {12, 140, 230}, {255, 255, 255}}},
        {"cmyk-cmyk", kit::cmyk, kit::cmyk, {{10, 80, 30, 5}, {0, 100, 20, 5}, {100, 100, 100, 100}}},
        {"cmyk-rgb", kit::cmyk, kit::sRGB, {{10, 80, 30, 5}, {60, 0, 90, 10}}},
        {"rgb-rgb", kit::sRGB, kit::adobeRGB, {{200, 30, 15}, {0, 255, 0}, {90, 90, 91}}},
    };
    for (const Pair& p : pairs)
        for (int intent = 0; intent < 4; ++intent)
            for (int accuracy = 0; accuracy < 2; ++accuracy)
                for (const QList<int>& c : p.colours)
                    QTest::addRow("%s intent %d accuracy %d %d-%d-%d", p.name, intent, accuracy, c[0], c[1],
                                  c[2])
                        << p.in << p.out << c << intent << accuracy;
}

void TestConverterConversion::matchesTransicc() {
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(QList<int>, colour);
    QFETCH(int, intent);
    QFETCH(int, accuracy);
    if (!kit::haveTransicc())
        QSKIP("transicc (liblcms2-utils) is not installed");
    DialogScript script;
    KvRegistry store;
    kit::store(store, in, out);
    store.putlong(kit::section, "intent", intent);
    store.putlong(kit::section, "accuracy", accuracy);
    Tintry t(&store);
    QCOMPARE(t.rendering_combo->currentIndex(), indexOfIntent(intent));
    const bool cmykIn = colour.size() == 4;
    const bool cmykOut = out == kit::cmyk;
    setSpins(cmykIn ? QList<QSpinBox*>{t.c_spin, t.m_spin, t.y_spin, t.k_spin}
                    : QList<QSpinBox*>{t.r_spin, t.g_spin, t.b_spin},
             colour);

    QStringList input;
    for (int v : colour)
        input << QString::number(v);
    // transicc's 16-bit output (-e -w -c2) is what "Best" computes, so there
    // the shown value is exactly its nearest unit. "Normal" interpolates in
    // lcms's default precalculated grid, which strays by up to about one
    // percent of ink on these colours: tolerance 1.
    const QList<double> words = kit::transicc(
        {"-e", "-w", "-c2", QString("-t%1").arg(intent), "-i" + in, "-o" + out}, input.join(' '));
    QCOMPARE(words.size(), cmykOut ? 4 : 3);
    const QList<QLabel*> labels = cmykOut ? QList<QLabel*>{t.c_label, t.m_label, t.y_label, t.k_label}
                                          : QList<QLabel*>{t.r_label, t.g_label, t.b_label};
    const int tolerance = accuracy == 1 ? 0 : 1;
    for (int i = 0; i < labels.size(); ++i) {
        const double unit = words[i] * (cmykOut ? 100.0 : 255.0) / 65535.0;
        const int want = int(std::lround(unit));
        QVERIFY2(
            std::abs(labels[i]->text().toInt() - want) <= tolerance,
            qPrintable(QString("channel %1: shown %2, transicc %3").arg(i).arg(labels[i]->text()).arg(unit)));
    }

    // The Lab shown is what an instrument would read: absolute colorimetric, whatever the intent.
    const QList<double> lab = kit::transicc({"-t3", "-i" + in, "-o*Lab"}, input.join(' '));
    QCOMPARE(lab.size(), 3);
    const QLabel* labLabels[] = {t.lab_l_label, t.lab_a_label, t.lab_b_label};
    const QSpinBox* labSpins[] = {t.labin_l_spin, t.labin_a_spin, t.labin_b_spin};
    for (int i = 0; i < 3; ++i) {
        compareRounded(labLabels[i]->text(), lab[i], "Lab label");
        compareRounded(QString::number(labSpins[i]->value()), lab[i], "Lab input");
    }
    QVERIFY(script.messages().isEmpty());
}

void TestConverterConversion::labRoundTrip_data() {
    QTest::addColumn<QString>("in");
    QTest::addColumn<int>("intent");
    QTest::addColumn<QList<int>>("lab");
    for (int intent : {1, 3}) {
        for (const QList<int>& lab :
             {QList<int>{50, 10, 10}, QList<int>{60, -10, 20}, QList<int>{40, 20, -20}}) {
            QTest::addRow("rgb intent %d lab %d %d %d", intent, lab[0], lab[1], lab[2])
                << kit::sRGB << intent << lab;
            QTest::addRow("cmyk intent %d lab %d %d %d", intent, lab[0], lab[1], lab[2])
                << kit::cmyk << intent << lab;
        }
    }
}

void TestConverterConversion::labRoundTrip() {
    QFETCH(QString, in);
    QFETCH(int, intent);
    QFETCH(QList<int>, lab);
    DialogScript script;
    KvRegistry store;
    kit::store(store, in, kit::cmyk);
    store.putlong(kit::section, "intent", intent);
    Tintry t(&store);
    setSpins({t.labin_l_spin, t.labin_a_spin, t.labin_b_spin}, lab);
    QVERIFY(t.labInput);
    // The Lab spins keep what was typed; the Lab output is measured from the
    // device values the Lab input produced. Within 1 of the typed value, as
    // the display rounds it: -9.4 shows as -8 (half up, truncated toward zero).
    QCOMPARE(t.labin_l_spin->value(), lab[0]);
    const QLabel* shown[] = {t.lab_l_label, t.lab_a_label, t.lab_b_label};
    for (int i = 0; i < 3; ++i) {
        const int v = shown[i]->text().toInt();
        QVERIFY2(v >= ::roundHalfUp(lab[i] - 1.0) && v <= ::roundHalfUp(lab[i] + 1.0),
                 qPrintable(QString("channel %1: typed %2, shown %3").arg(i).arg(lab[i]).arg(v)));
    }
}

void TestConverterConversion::oneEditOneConversion_data() {
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<bool>("labInput");
    QTest::newRow("r spin") << kit::sRGB << "r_spin" << false;
    QTest::newRow("r slider") << kit::sRGB << "r_slider" << false;
    QTest::newRow("c spin") << kit::cmyk << "c_spin" << false;
    QTest::newRow("k slider") << kit::cmyk << "k_slider" << false;
    QTest::newRow("lab a spin, rgb") << kit::sRGB << "labin_a_spin" << true;
    QTest::newRow("lab l slider, cmyk") << kit::cmyk << "labin_l_slider" << true;
}

void TestConverterConversion::oneEditOneConversion() {
    QFETCH(QString, in);
    QFETCH(QString, widget);
    QFETCH(bool, labInput);
    DialogScript script;
    KvRegistry store;
    kit::store(store, in, kit::cmyk, kit::sRGB);
    Tintry t(&store);
    const int before = t.conversions();
    QObject* w = t.findChild<QObject*>(widget);
    QVERIFY(w);
    QVERIFY(w->setProperty("value", 37));
    QCOMPARE(t.conversions() - before, 1);
    QCOMPARE(t.labInput, labInput);
    QCOMPARE(w->property("value").toInt(), 37); // the conversion did not write back into the edited widget
    QVERIFY(!t.updating);
}

void TestConverterConversion::hiddenPageEditsDoNothing() {
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::cmyk, kit::cmyk);
    Tintry t(&store);
    setSpins({t.c_spin, t.m_spin, t.y_spin, t.k_spin}, {0, 100, 20, 5});
    const QString rgb = t.r_label->text();
    const QStringList cmyk = {t.c_label->text(), t.m_label->text(), t.y_label->text(), t.k_label->text()};
    const int before = t.conversions();
    t.r_spin->setValue(99);
    QCOMPARE(t.conversions(), before);
    QCOMPARE((QStringList{t.c_label->text(), t.m_label->text(), t.y_label->text(), t.k_label->text()}), cmyk);
    // CMYK to CMYK writes only the CMYK page; the hidden RGB labels keep their text.
    QCOMPARE(t.r_label->text(), rgb);
    QCOMPARE(t.output_stack->currentIndex(), 1);
}

void TestConverterConversion::instrumentReading_data() {
    QTest::addColumn<bool>("addMode");
    QTest::newRow("reading only") << false;
    QTest::newRow("add mode") << true;
}

void TestConverterConversion::instrumentReading() {
    QFETCH(bool, addMode);
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::cmyk, kit::sRGB, kit::sRGB);
    store.putstring(kit::section, "instrument", addMode ? "addmode=1" : "addmode=0");
    Tintry t(&store);
    QCOMPARE(t.spectro->isAddMode(), addMode);
    const int before = t.conversions();

    // Through the panel, as a reading typed in and read.
    t.spectro->findChild<QDoubleSpinBox*>("spectro_l_spin")->setValue(50.4);
    t.spectro->findChild<QDoubleSpinBox*>("spectro_a_spin")->setValue(-10.6);
    t.spectro->findChild<QDoubleSpinBox*>("spectro_b_spin")->setValue(3.5);
    t.spectro->findChild<QPushButton*>("spectro_read_button")->click();

    QCOMPARE(t.labin_l_spin->value(), 50);
    QCOMPARE(t.labin_a_spin->value(), -11);
    QCOMPARE(t.labin_b_spin->value(), 4);
    QCOMPARE(t.conversions() - before, 1);
    QVERIFY(t.labInput);
    QCOMPARE(t.history_combo->count(), addMode ? 2 : 0);
    if (addMode)
        QCOMPARE(t.history_combo->itemText(0), QString("50 -11 4"));
}

void TestConverterConversion::refreshKeepsTheEnteredSide() {
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk);
    Tintry t(&store);

    setSpins({t.labin_l_spin, t.labin_a_spin, t.labin_b_spin}, {60, 30, -10});
    kit::choose(script, t.output_icc_button, kit::adobeRGB);
    QCOMPARE(t.labin_l_spin->value(), 60);
    QCOMPARE(t.labin_a_spin->value(), 30);
    QCOMPARE(t.labin_b_spin->value(), -10);
    QCOMPARE(t.output_stack->currentIndex(), 0);
    QVERIFY(t.labInput);

    setSpins({t.r_spin, t.g_spin, t.b_spin}, {10, 200, 100});
    const int L = t.labin_l_spin->value();
    t.labin_l_spin->blockSignals(true); // a stale Lab value that the refresh must overwrite
    t.labin_l_spin->setValue(3);
    t.labin_l_spin->blockSignals(false);
    kit::choose(script, t.output_icc_button, kit::cmyk);
    QCOMPARE(t.r_spin->value(), 10);
    QCOMPARE(t.g_spin->value(), 200);
    QCOMPARE(t.b_spin->value(), 100);
    QCOMPARE(t.labin_l_spin->value(), L);
    QVERIFY(!t.labInput);
}

void TestConverterConversion::previewNeedsMonitor() {
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk);
    Tintry t(&store);
    setSpins({t.r_spin, t.g_spin, t.b_spin}, {200, 30, 15});
    QCOMPARE(previewOf(t), QColor(Qt::white));
    QCOMPARE(t.pv_label->text(), QString("Please pick a monitor profile<br>to see a preview of the colours"));

    kit::choose(script, t.monitor_icc_button, kit::sRGB);
    QVERIFY(t.pv_label->text().isNull());
    // sRGB shown on an sRGB monitor is itself, within the 16-bit round trip.
    const QColor c = previewOf(t);
    QVERIFY2(std::abs(c.red() - 200) <= 1 && std::abs(c.green() - 30) <= 1 && std::abs(c.blue() - 15) <= 1,
             qPrintable(c.name()));
}

void TestConverterConversion::keptColours() {
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk);
    Tintry t(&store);
    QVERIFY(!t.history_combo->isEnabled());

    setSpins({t.r_spin, t.g_spin, t.b_spin}, {200, 30, 15});
    t.keep_button->click();
    QVERIFY(t.history_combo->isEnabled());
    QCOMPARE(t.history_combo->count(), 2);
    QCOMPARE(t.history_combo->itemText(0), QString("200 30 15"));
    QCOMPARE(t.history_combo->itemText(1), QString("Clear all"));
    QCOMPARE(t.history_combo->currentIndex(), 0);
    // No monitor profile: the swatch is the white preview.
    QCOMPARE(t.history_combo->itemIcon(0).pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::white));

    setSpins({t.r_spin, t.g_spin, t.b_spin}, {1, 2, 3});
    t.keep_button->click();
    setSpins({t.r_spin, t.g_spin, t.b_spin}, {40, 50, 60});
    t.keep_button->click();
    QCOMPARE(t.history_combo->count(), 4);
    QCOMPARE(t.history_combo->itemText(1), QString("1 2 3"));
    QCOMPARE(t.history_combo->itemText(2), QString("40 50 60"));
    QCOMPARE(t.history_combo->itemText(3), QString("Clear all"));
    QCOMPARE(t.history_combo->currentIndex(), 2);

    // Recall converts as if typed.
    const int before = t.conversions();
    emit t.history_combo->activated(0);
    QCOMPARE((QList<int>{t.r_spin->value(), t.g_spin->value(), t.b_spin->value()}),
             (QList<int>{200, 30, 15}));
    QCOMPARE(t.conversions() - before, 3);
    // The entry already on display changes nothing.
    emit t.history_combo->activated(0);
    QCOMPARE(t.conversions() - before, 3);

    // "Clear all" empties the list and leaves the colour and the profiles.
    emit t.history_combo->activated(3);
    QCOMPARE(t.history_combo->count(), 0);
    QVERIFY(!t.history_combo->isEnabled());
    QCOMPARE(t.r_spin->value(), 200);
    QCOMPARE(t.inICC, kit::sRGB);
}

void TestConverterConversion::cmykKeptAsInksOrLab() {
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::cmyk, kit::sRGB, kit::sRGB);
    Tintry t(&store);
    setSpins({t.c_spin, t.m_spin, t.y_spin, t.k_spin}, {0, 100, 20, 5});
    t.keep_button->click();
    const QColor inkSwatch = previewOf(t);
    setSpins({t.labin_l_spin, t.labin_a_spin, t.labin_b_spin}, {54, -12, 40});
    t.keep_button->click();
    QCOMPARE(t.history_combo->itemText(0), QString("0 100 20 5"));
    QCOMPARE(t.history_combo->itemText(1), QString("54 -12 40"));
    QCOMPARE(t.history_combo->itemIcon(0).pixmap(16, 16).toImage().pixelColor(8, 8), inkSwatch);

    emit t.history_combo->activated(0);
    QCOMPARE((QList<int>{t.c_spin->value(), t.m_spin->value(), t.y_spin->value(), t.k_spin->value()}),
             (QList<int>{0, 100, 20, 5}));
    QVERIFY(!t.labInput);

    emit t.history_combo->activated(1);
    QCOMPARE((QList<int>{t.labin_l_spin->value(), t.labin_a_spin->value(), t.labin_b_spin->value()}),
             (QList<int>{54, -12, 40}));
    QVERIFY(t.labInput);
}

void TestConverterConversion::rgbInputKeepsRgbForLab() {
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk);
    Tintry t(&store);
    setSpins({t.labin_l_spin, t.labin_a_spin, t.labin_b_spin}, {54, -12, 40});
    t.keep_button->click();
    QCOMPARE(t.history_combo->itemText(0),
             QString("%1 %2 %3").arg(t.r_spin->value()).arg(t.g_spin->value()).arg(t.b_spin->value()));
}

void TestConverterConversion::keptListFollowsInputSpace() {
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk);
    Tintry t(&store);
    t.r_spin->setValue(100);
    t.keep_button->click();

    // Another RGB input: the RGB values still mean something.
    kit::choose(script, t.input_icc_button, kit::adobeRGB);
    QCOMPARE(t.history_combo->count(), 2);
    QVERIFY(t.history_combo->isEnabled());

    kit::choose(script, t.input_icc_button, kit::cmyk);
    QCOMPARE(t.history_combo->count(), 0);
    QVERIFY(!t.history_combo->isEnabled());
    QCOMPARE(t.input_stack->currentIndex(), 1);
}

void TestConverterConversion::noKeepWithoutTransform() {
    DialogScript script;
    KvRegistry store;
    store.putstring(kit::section, "instrument", "addmode=1");
    Tintry t(&store);
    QVERIFY(t.spectro->isAddMode());
    t.spectro->findChild<QPushButton*>("spectro_read_button")->click();
    // Nothing to convert, so nothing to keep: no blank entry in the list.
    QCOMPARE(t.history_combo->count(), 0);
    QVERIFY(!t.history_combo->isEnabled());
}

TINTRY_TEST_MAIN(TestConverterConversion)
#include "test_converter_conversion.moc"
