// The chart window's measured-chart flows, answered through the dialog seam:
// save and open bring back the same readings (unmeasured patches stay so), a
// cancelled dialog writes nothing, a bad file or an unwritable place says what
// and why and leaves the chart alone, the report follows the tolerances in
// the settings, and the panel counts readings truthfully after a partial file.
#include "ChartSession.h"
#include "ChartWindowKit.h"
#include "Colourcheck.h"
#include "ColourcheckPatch.h"
#include "DialogScript.h"
#include "KvPopupMenu.h"
#include "SpectroBuddy.h"
#include "TestMain.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace chartkit;

namespace {

// Runs the context-menu entry with this text, as a click on it would.
bool trigger(Colourcheck* chart, const QString& text) {
    KvPopupMenu* menu = chart->makeContextMenu();
    bool found = false;
    for (QAction* a : menu->actions())
        if (a->text() == text) {
            a->trigger();
            found = true;
        }
    delete menu;
    return found;
}

// Ten of sixteen patches read, two of them far off.
void measureSome(ChartSession& s) {
    for (std::size_t i = 0; i < 10; ++i) {
        const double* t = s.patch(i).labD50;
        s.recordAt(i, t[0] + (i == 2 ? 6.0 : 0.1), t[1] + (i == 7 ? -9.0 : 0.0), t[2]);
    }
}

QByteArray readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestChartVerifyWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QFile::exists(defaultCmyk) || !QFile::exists(srgb))
            QSKIP("the Ghostscript profiles (libgs-common) are not installed");
    }

    void saveThenOpenGivesTheSameChart() {
        QTemporaryDir dir;
        const QString path = dir.filePath("proof.ti3");
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 16), 0);
        measureSome(*w.chart->session);
        DialogScript dialogs;

        dialogs.cancel();
        QVERIFY(trigger(w.chart, "Save measurements..."));
        QVERIFY(!QFile::exists(path));
        dialogs.openFile(path);
        QVERIFY(trigger(w.chart, "Save measurements..."));
        QVERIFY(QFile::exists(path));
        QCOMPARE(dialogs.messages(), QStringList());

        Window other;
        dialogs.cancel();
        QVERIFY(trigger(other.chart, "Open measurements..."));
        QVERIFY(other.chart->session->empty());
        dialogs.openFile(path);
        QVERIFY(trigger(other.chart, "Open measurements..."));
        QCOMPARE(dialogs.messages(), QStringList());
        const ChartSession& a = *w.chart->session;
        const ChartSession& b = *other.chart->session;
        QCOMPARE(b.size(), a.size());
        QCOMPARE(b.measuredCount(), std::size_t(10));
        QCOMPARE(other.chart->patchWidgets.size(), std::size_t(16));
        QVERIFY(other.chart->container->windowTitle().contains("proof.ti3"));
        for (std::size_t i = 0; i < a.size(); ++i) {
            QCOMPARE(b.name(i), a.name(i));
            QCOMPARE(b.measured(i), a.measured(i));
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(b.patch(i).cmyk), 4),
                     QByteArray(reinterpret_cast<const char*>(a.patch(i).cmyk), 4));
            QVERIFY(std::abs(b.reading(i).deltaE - a.reading(i).deltaE) < 1e-9);
            QCOMPARE(b.missed(i), a.missed(i));
            // The patch widgets show the chart they were given, unmeasured ones too.
            QCOMPARE(other.chart->patchWidgets[i]->toolTip().contains("DeltaE"), a.measured(i));
        }

        // A damaged file: the reason names the row, and the chart stays.
        QByteArray text = readText(path);
        const qsizetype at = text.indexOf("\n3\t");
        QVERIFY2(at > 0, text.constData());
        text.replace(at, 3, "\nabc\t");
        const QString damaged = dir.filePath("damaged.ti3");
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
        f.close();
        dialogs.openFile(damaged);
        QVERIFY(trigger(other.chart, "Open measurements..."));
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages()[0].contains("is not a measured chart") &&
                     dialogs.messages()[0].contains("table 1, row 3: SAMPLE_ID"),
                 qPrintable(dialogs.messages()[0]));
        QCOMPARE(other.chart->session->measuredCount(), std::size_t(10));
    }

    void unwritablePlacesSayWhy() {
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 16), 0);
        measureSome(*w.chart->session);
        DialogScript dialogs;
        dialogs.openFile("/nonexistent/proof.ti3");
        QVERIFY(trigger(w.chart, "Save measurements..."));
        dialogs.openFile("/nonexistent/report.html");
        QVERIFY(trigger(w.chart, "Export verification report as HTML..."));
        const QStringList shown = dialogs.messages();
        QCOMPARE(shown.size(), 2);
        QVERIFY2(shown[0].startsWith("Colour check chart|The measurements could not be saved to "
                                     "/nonexistent/proof.ti3: ") &&
                     !shown[0].endsWith(": "),
                 qPrintable(shown[0]));
        QVERIFY2(shown[1].startsWith("Colour check chart|The report could not be written to "
                                     "/nonexistent/report.html: ") &&
                     !shown[1].endsWith(": "),
                 qPrintable(shown[1]));
    }

    void reportFollowsTheTolerances() {
        QTemporaryDir dir;
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 16), 0);
        measureSome(*w.chart->session);
        DialogScript dialogs;
        QVERIFY(trigger(w.chart, "Verification report..."));
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].icon, QMessageBox::Warning);
        QVERIFY(dialogs.requests[0].text.startsWith("10 of 16 patches measured\n"));
        QVERIFY(dialogs.requests[0].text.contains("\nFAIL\n"));

        // Loose enough for the two far-off patches.
        w.store.putstring("colourcheck", "tolerance_max", "100");
        dialogs.clear();
        QVERIFY(trigger(w.chart, "Verification report..."));
        QCOMPARE(dialogs.requests[0].icon, QMessageBox::Information);
        QVERIFY(dialogs.requests[0].text.contains("\nPASS\n"));
        // A mean limit below the mean fails again; a value that is no number is ignored.
        w.store.putstring("colourcheck", "tolerance_mean", "0.01");
        w.store.putstring("colourcheck", "tolerance_p95", "lots");
        dialogs.clear();
        QVERIFY(trigger(w.chart, "Verification report..."));
        QVERIFY(dialogs.requests[0].text.contains("\nFAIL\n"));

        const QString page = dir.filePath("report.html");
        dialogs.clear();
        dialogs.cancel();
        QVERIFY(trigger(w.chart, "Export verification report as HTML..."));
        QVERIFY(!QFile::exists(page));
        dialogs.openFile(page);
        QVERIFY(trigger(w.chart, "Export verification report as HTML..."));
        QCOMPARE(dialogs.messages(), QStringList());
        const QByteArray html = readText(page);
        QXmlStreamReader xml(html);
        int notMeasured = 0;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::Characters && xml.text() == QLatin1String("not measured"))
                ++notMeasured;
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(notMeasured, 6);
        QVERIFY(html.contains("10 of 16"));
        QVERIFY(!html.contains("http://") || !html.contains("src="));
    }

    // The tolerances are the user's to set in the window, remembered; a
    // cancelled dialog changes nothing.
    void tolerancesSetInTheWindow() {
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 16), 0);
        measureSome(*w.chart->session);
        DialogScript dialogs;
        dialogs.answer(KvDialogAnswer::dialog([](QDialog* d) {
            d->findChild<QDoubleSpinBox*>("tolerance_max_spin")->setValue(100);
            d->findChild<QDoubleSpinBox*>("tolerance_mean_spin")->setValue(50);
        }));
        QVERIFY(trigger(w.chart, "Tolerances..."));
        QCOMPARE(w.store.getstring("colourcheck", "tolerance_max"), std::string("100"));
        dialogs.clear();
        QVERIFY(trigger(w.chart, "Verification report..."));
        QVERIFY(dialogs.requests[0].text.contains("\nPASS\n"));

        bool shownAgain = false;
        KvDialogs::setResponder([&](const KvDialogRequest& r) {
            shownAgain =
                r.dialog && r.dialog->findChild<QDoubleSpinBox*>("tolerance_mean_spin")->value() == 50.0;
            return KvDialogAnswer::cancel();
        });
        QVERIFY(trigger(w.chart, "Tolerances..."));
        QVERIFY(shownAgain);
        QCOMPARE(w.store.getstring("colourcheck", "tolerance_max"), std::string("100"));
    }

    void panelCountsReadingsAfterAPartialFile() {
        // A file naming patches 14 to 64 only, loaded with patch 14 current.
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, srgb, 64), 0);
        QTest::mouseClick(w.chart->patchWidgets[13], Qt::LeftButton, {}, QPoint(5, 5));
        QByteArray text = "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME LAB_L LAB_A LAB_B\n"
                          "END_DATA_FORMAT\nNUMBER_OF_SETS 51\nBEGIN_DATA\n";
        for (int i = 63; i >= 13; --i) {
            const double* t = w.chart->session->patch(std::size_t(i)).labD50;
            text += QString("\"%1\" %2 %3 %4\n")
                        .arg(QString::fromStdString(w.chart->session->name(std::size_t(i))))
                        .arg(t[0], 0, 'f', 4)
                        .arg(t[1], 0, 'f', 4)
                        .arg(t[2], 0, 'f', 4)
                        .toUtf8();
        }
        text += "END_DATA\n";
        QTemporaryDir dir;
        const QString path = dir.filePath("partial.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
        f.close();
        QVERIFY(w.chart->buddy->loadMeasurementFile(path));
        QCOMPARE(w.chart->session->measuredCount(), std::size_t(51));
        QCOMPARE(w.chart->buddy->findChild<QLabel*>("spectro_chart_label")->text(),
                 QString("51 of 64 patches have a reading; click a patch to measure from there"));
        QVERIFY(!w.chart->patchWidgets[0]->toolTip().contains("DeltaE"));
        QVERIFY(w.chart->patchWidgets[13]->toolTip().contains("DeltaE"));
    }
};

TINTRY_TEST_MAIN(TestChartVerifyWindow)
#include "test_chart_verify_window.moc"
