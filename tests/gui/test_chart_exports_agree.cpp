// The chart window and both modes of tintry-chart hand their work to the
// same chart document, so the same chart gives the same files, byte for
// byte but for the dates: every export format, and the measurements saved
// after a verification.
#include "ChartWindowKit.h"
#include "DialogScript.h"
#include "PageSetupDialog.h"
#include "RequireTool.h"
#include "SpectroBuddy.h"
#include "TestMain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace chartkit;

namespace {

// The file without what only says when it was made.
QByteArray undated(QByteArray text) {
    static const QRegularExpression dates(
        "(CreationDate[^\\n]*|CREATED[^\\n]*|D:\\d{14}[^)]*|\\d{4}-\\d\\d-\\d\\d(T[0-9:]+)?|"
        "\\w{3} \\w{3} [ 0-9]\\d [0-9:]{8} \\d{4})");
    return QString::fromLatin1(text).replace(dates, "DATE").toLatin1();
}

// The measured rows alone: each mode titles its file in its own words.
QByteArray rows(const QByteArray& text) {
    QByteArray out;
    for (const QByteArray& line : text.split('\n'))
        if (!line.startsWith("DESCRIPTOR") && !line.startsWith("CREATED"))
            out += line + '\n';
    return out;
}

} // namespace

class TestChartExportsAgree : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TINTRY_NEED_TOOL(QFile::exists(defaultCmyk),
                         "the Ghostscript profiles (libgs-common) are not installed");
    }

    void windowAndCommandLineWriteTheSameFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("option");
        QTest::newRow("PostScript on A4") << "chart.ps"
                                          << "--ps";
        QTest::newRow("PDF on A4") << "chart.pdf"
                                   << "--pdf";
        QTest::newRow("ISO 12642") << "chart.txt"
                                   << "--iso12642";
        QTest::newRow("ArgyllCMS target") << "chart.ti1"
                                          << "--ti1";
    }
    void windowAndCommandLineWriteTheSameFiles() {
        QFETCH(QString, name);
        QFETCH(QString, option);
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, nullptr, 64, {}), 0);
        QTemporaryDir dir;
        const QString fromWindow = dir.filePath("window-" + name);
        KvDialogs::setResponder([&](const KvDialogRequest& r) {
            if (r.kind == KvDialogRequest::SaveFile)
                return KvDialogAnswer::file(fromWindow);
            auto* setup = qobject_cast<PageSetupDialog*>(r.dialog);
            if (setup)
                setup->paperCombo->setCurrentIndex(0); // A4
            return KvDialogAnswer::press(QMessageBox::Ok);
        });
        const bool paper = option == "--ps" || option == "--pdf";
        QMetaObject::invokeMethod(w.chart, paper ? "exportChart" : "exportISO12642");
        KvDialogs::setResponder(nullptr);

        const QString fromCommand = dir.filePath("command-" + name);
        const Run run = runChart(
            {"--profile", defaultCmyk, "--patches", "64", "--paper", "a4", "--quiet", option, fromCommand});
        QCOMPARE(run.status, 0);
        const QByteArray a = readAll(fromWindow), b = readAll(fromCommand);
        QVERIFY(a.size() > 1000);

        QCOMPARE(undated(a), undated(b));
    }

    // Measurements loaded in the window and saved, against --verify with
    // --cgats on the chart as saved: the same patches, readings and errors.
    void verificationSavesTheSameMeasurements() {
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, nullptr, 32, {}), 0);
        QTemporaryDir dir;
        // The chart as this program keeps it; both sides start from this file.
        const QString reference = dir.filePath("chart.ti3");
        QVERIFY(w.chart->document.saveMeasurements(QFile::encodeName(reference).toStdString(), 0));
        // "Measured": the targets moved a little, every third patch left out.
        QByteArray measured =
            "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME LAB_L LAB_A LAB_B\n"
            "END_DATA_FORMAT\nNUMBER_OF_SETS 22\nBEGIN_DATA\n";
        const ChartSession& s = *w.chart->session;
        for (std::size_t i = 0; i < s.size(); ++i)
            if (i % 3 != 2)
                measured += "\"" + QByteArray::fromStdString(s.name(i)) + "\" " +
                            QByteArray::number(s.patch(i).labD50[0] + 0.7 * (i % 4), 'f', 4) + " " +
                            QByteArray::number(s.patch(i).labD50[1] - 1.1, 'f', 4) + " " +
                            QByteArray::number(s.patch(i).labD50[2], 'f', 4) + "\n";
        const QString file = dir.filePath("measured.txt");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(measured + "END_DATA\n") > 0);
        f.close();

        Window opened;
        DialogScript dialogs;
        dialogs.openFile(reference);
        QMetaObject::invokeMethod(opened.chart, "openMeasurements");
        QVERIFY(opened.chart->buddy->loadMeasurementFile(file));
        QCOMPARE(opened.chart->session->measuredCount(), std::size_t(22));
        const QString fromWindow = dir.filePath("window.ti3");
        dialogs.openFile(fromWindow);
        QMetaObject::invokeMethod(opened.chart, "saveMeasurements");

        const QString fromCommand = dir.filePath("command.ti3");
        const Run run = runChart({"--verify", file, "--reference", reference, "--cgats", fromCommand});
        QVERIFY2(run.status == 0 || run.status == 3, run.err.constData()); // a verdict, not an error
        QCOMPARE(rows(readAll(fromWindow)), rows(readAll(fromCommand)));
    }
};

TINTRY_TEST_MAIN(TestChartExportsAgree)
#include "test_chart_exports_agree.moc"
