// The bare converter form: the names Tintry and the main window reach widgets
// by, the value ranges the conversions rely on, the page ids, the two-way
// slider links and the keyboard order.
#include "TestMain.h"
#include "Tintry_UI.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>

class TestConverterForm : public QObject {
    Q_OBJECT

private slots:
    void nameAndSize();
    void ranges_data();
    void ranges();
    void sliderFollowsSpinAndBack_data();
    void sliderFollowsSpinAndBack();
    void pageIds_data();
    void pageIds();
    void tabOrder();
    void freshState();
};

void TestConverterForm::nameAndSize() {
    Tintry_UI unnamed;
    QCOMPARE(unnamed.objectName(), QString("Form2"));
    QVERIFY(unnamed.width() >= 748);
    QVERIFY(unnamed.height() >= 524);
    QVERIFY(unnamed.width() >= unnamed.minimumSizeHint().width());
    QVERIFY(unnamed.height() >= unnamed.minimumSizeHint().height());

    Tintry_UI named(nullptr, "converter");
    QCOMPARE(named.objectName(), QString("converter"));
}

void TestConverterForm::ranges_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    for (const char* n : {"r", "g", "b"})
        QTest::addRow("%s", n) << QString(n) << 0 << 255;
    for (const char* n : {"c", "m", "y", "k"})
        QTest::addRow("%s", n) << QString(n) << 0 << 100;
    QTest::newRow("labin_l") << "labin_l" << 0 << 100;
    // Symmetric on purpose: -127, not -128.
    QTest::newRow("labin_a") << "labin_a" << -127 << 127;
    QTest::newRow("labin_b") << "labin_b" << -127 << 127;
}

void TestConverterForm::ranges() {
    QFETCH(QString, name);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    Tintry_UI form;
    auto* spin = form.findChild<QSpinBox*>(name + "_spin");
    auto* slider = form.findChild<QSlider*>(name + "_slider");
    QVERIFY(spin && slider);
    QCOMPARE(spin->minimum(), minimum);
    QCOMPARE(spin->maximum(), maximum);
    QCOMPARE(slider->minimum(), minimum);
    QCOMPARE(slider->maximum(), maximum);
    QCOMPARE(spin->value(), 0);
    QCOMPARE(slider->value(), 0);

    // Typing beyond the range clamps, and the slider follows the clamped value.
    spin->setValue(maximum + 50);
    QCOMPARE(spin->value(), maximum);
    QCOMPARE(slider->value(), maximum);
    spin->setValue(minimum - 50);
    QCOMPARE(spin->value(), minimum);
    QCOMPARE(slider->value(), minimum);
}

void TestConverterForm::sliderFollowsSpinAndBack_data() {
    QTest::addColumn<QString>("name");
    for (const char* n : {"r", "g", "b", "c", "m", "y", "k", "labin_l", "labin_a", "labin_b"})
        QTest::addRow("%s", n) << QString(n);
}

void TestConverterForm::sliderFollowsSpinAndBack() {
    QFETCH(QString, name);
    Tintry_UI form;
    auto* spin = form.findChild<QSpinBox*>(name + "_spin");
    auto* slider = form.findChild<QSlider*>(name + "_slider");
    QSignalSpy spinChanged(spin, &QSpinBox::valueChanged);
    QSignalSpy sliderChanged(slider, &QSlider::valueChanged);

    slider->setValue(42);
    QCOMPARE(spin->value(), 42);
    // One exchange settles the pair: no echo back and forth.
    QCOMPARE(spinChanged.count(), 1);
    QCOMPARE(sliderChanged.count(), 1);

    spin->setValue(7);
    QCOMPARE(slider->value(), 7);
    QCOMPARE(spinChanged.count(), 2);
    QCOMPARE(sliderChanged.count(), 2);
}

void TestConverterForm::pageIds_data() {
    QTest::addColumn<QString>("stack");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("firstChannel");
    QTest::newRow("input rgb") << "input_stack" << 0 << "WStackPage"
                               << "r_spin";
    QTest::newRow("input cmyk") << "input_stack" << 1 << "WStackPage_2"
                                << "c_spin";
    QTest::newRow("output rgb") << "output_stack" << 0 << "WStackPage_3"
                                << "r_label";
    QTest::newRow("output cmyk") << "output_stack" << 1 << "WStackPage_4"
                                 << "c_label";
}

void TestConverterForm::pageIds() {
    QFETCH(QString, stack);
    QFETCH(int, id);
    QFETCH(QString, page);
    QFETCH(QString, firstChannel);
    Tintry_UI form;
    auto* s = form.findChild<QStackedWidget*>(stack);
    QVERIFY(s);
    QCOMPARE(s->count(), 2);
    QCOMPARE(s->widget(id)->objectName(), page);
    QVERIFY(s->widget(id)->findChild<QWidget*>(firstChannel));
}

void TestConverterForm::tabOrder() {
    Tintry_UI form;
    const QStringList chain = {
        "r_slider",         "g_slider",    "b_slider",        "r_spin",           "g_spin",
        "b_spin",           "c_slider",    "m_slider",        "y_slider",         "k_slider",
        "c_spin",           "m_spin",      "y_spin",          "k_spin",           "instrument_tick",
        "history_combo",    "keep_button", "rendering_combo", "input_icc_button", "monitor_icc_button",
        "output_icc_button"};
    // A spin box's line edit follows it in the chain; widgets that Tab never
    // stops at are skipped.
    const auto owner = [](QWidget* w) {
        auto* spin = qobject_cast<QAbstractSpinBox*>(w->parentWidget());
        return spin ? static_cast<QWidget*>(spin) : w;
    };
    for (int i = 0; i + 1 < chain.size(); ++i) {
        auto* from = form.findChild<QWidget*>(chain[i]);
        QVERIFY2(from, qPrintable(chain[i]));
        QWidget* start = from->focusProxy() ? from->focusProxy() : from;
        QWidget* next = start->nextInFocusChain();
        while (next != start && (owner(next) == from || !(next->focusPolicy() & Qt::TabFocus)))
            next = next->nextInFocusChain();
        QCOMPARE(owner(next)->objectName(), chain[i + 1]);
    }
}

void TestConverterForm::freshState() {
    Tintry_UI form;
    QCOMPARE(form.windowTitle(), QString("Tintry"));
    QVERIFY(form.pv_label->text().isNull());
    QCOMPARE(form.pv_label->palette().color(form.pv_label->backgroundRole()), QColor(15, 170, 28));
    QVERIFY(form.pv_label->autoFillBackground());
    for (QLabel* l : {form.r_label, form.g_label, form.b_label, form.c_label, form.m_label, form.y_label,
                      form.k_label, form.lab_l_label, form.lab_a_label, form.lab_b_label})
        QCOMPARE(l->text(), QString("value"));
    QCOMPARE(form.rendering_combo->count(), 4);
    QCOMPARE(form.rendering_combo->itemText(3), QString("Absolute Colorimetric"));
    QCOMPARE(form.accuracy_combo->count(), 2);
    QCOMPARE(form.accuracy_combo->itemText(0), QString("Faster"));
    // The instrument panel's box is left for the converter to fill.
    QVERIFY(!form.spectro_group->layout());
}

TINTRY_TEST_MAIN(TestConverterForm)
#include "test_converter_form.moc"
