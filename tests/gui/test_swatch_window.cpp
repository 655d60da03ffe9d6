// A swatch chart in the window: the swatch names in the tooltip and the
// instrument panel, the title saying where the inks came from, the choice to
// separate the file's Lab, refused files and failed exports told in the
// window with their reason, and the .ti1 ending giving an ArgyllCMS target.
#include "AseBytes.h"
#include "ChartWindowKit.h"
#include "ColourcheckPatch.h"
#include "DialogScript.h"
#include "KvPopupMenu.h"
#include "SpectroBuddy.h"
#include "TestMain.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtEndian>

using namespace chartkit;
using namespace asebytes;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

const char* const inksAndLab = "CGATS.17\nNUMBER_OF_FIELDS 9\nBEGIN_DATA_FORMAT\n"
                               "SAMPLE_ID SAMPLE_NAME CMYK_C CMYK_M CMYK_Y CMYK_K LAB_L LAB_A LAB_B\n"
                               "END_DATA_FORMAT\nNUMBER_OF_SETS 2\nBEGIN_DATA\n"
                               "1 \"Solid K\" 0 0 0 100 18 0.5 0.5\n"
                               "2 \"Paper\" 0 0 0 0 95 0 -2\n"
                               "END_DATA\n";

} // namespace

class TestSwatchWindow : public QObject {
    Q_OBJECT
private slots:
    void namesReachTheTooltipAndThePanel() {
        QTemporaryDir dir;
        const QString ase = writeFile(
            dir, "brand.ase",
            aseFile({aseColour("Brand Cyan", "CMYK", {1, 0, 0, 0}), aseColour("A1", "CMYK", {0, 1, 0, 0})},
                    2));
        Window w;
        QCOMPARE(w.chart->chartFromSwatchFile(QFile::encodeName(ase).constData(), defaultCmyk, nullptr), 0);
        QCOMPARE(w.chart->patchWidgets.size(), std::size_t(2));
        QVERIFY(w.chart->patchWidgets[0]->toolTip().startsWith("Name             = Brand Cyan\n"));
        QVERIFY(w.chart->patchWidgets[1]->toolTip().startsWith("Name             = A1\n"));
        auto* position = w.chart->buddy->findChild<QLabel*>("spectro_chart_label");
        QVERIFY(position && position->text().startsWith("Patch 1 of 2: Brand Cyan"));
        QCOMPARE(w.chart->windowTitle(),
                 QString("Colour check chart for swatch file brand.ase (inks from the file)"));
    }

    // The file's inks by default; the menu's choice separates the Lab, and the
    // charts opened from that window inherit it.
    void separatingIsAChoice() {
        QTemporaryDir dir;
        const QString data = writeFile(dir, "press.txt", inksAndLab);
        Window w;
        QCOMPARE(w.chart->chartFromSwatchFile(QFile::encodeName(data).constData(), defaultCmyk, nullptr), 0);
        QCOMPARE(chartPatchCMYK(*w.chart->patches()), 0x000000ffu);
        QCOMPARE(w.chart->patches()->labD50[0], 18.0);

        std::unique_ptr<KvPopupMenu> menu(w.chart->makeContextMenu());
        QAction* separate = nullptr;
        for (int i = 0; i < menu->count(); ++i)
            if (menu->text(i) == QLatin1String("Separate the file's Lab through the profile"))
                separate = menu->actionFor(i);
        QVERIFY(separate);
        QCOMPARE(separate->text(), QString("Separate the file's Lab through the profile"));
        QVERIFY(separate->isCheckable() && !separate->isChecked());
        separate->trigger();
        QVERIFY(w.chart->separateLab);

        Window other;
        other.chart->separateLab = true;
        QCOMPARE(other.chart->chartFromSwatchFile(QFile::encodeName(data).constData(), defaultCmyk, nullptr),
                 0);
        QVERIFY(chartPatchCMYK(*other.chart->patches()) != 0x000000ffu);
        QCOMPARE(other.chart->patches()->labD50[0], 18.0);
        QCOMPARE(other.chart->windowTitle(),
                 QString("Colour check chart for swatch file press.txt (inks separated from the file's Lab "
                         "through the profile)"));
    }

    void refusedFilesAreExplained() {
        QTemporaryDir dir;
        const QString bad = writeFile(dir, "comma.txt", QByteArray(inksAndLab).replace("0.5 0.5", "0,5 0.5"));
        Window w;
        DialogScript dialogs;
        QCOMPARE(w.chart->chartFromSwatchFile(QFile::encodeName(bad).constData(), defaultCmyk, nullptr), -1);
        QVERIFY(w.chart->patches() == nullptr);
        QCOMPARE(dialogs.messages(),
                 QStringList("Colour check chart|No chart from the swatch file comma.txt: row 1: LAB_A has a "
                             "decimal comma; only a decimal point is read"));
    }

    void exportsTellWhyTheyFailed() {
        QTemporaryDir dir;
        const QString data = writeFile(dir, "press.txt", inksAndLab);
        Window w;
        QCOMPARE(w.chart->chartFromSwatchFile(QFile::encodeName(data).constData(), defaultCmyk, nullptr), 0);
        DialogScript dialogs;
        dialogs.openFile(dir.filePath("missing/chart.txt"));
        QVERIFY(QMetaObject::invokeMethod(w.chart, "exportISO12642"));
        QCOMPARE(dialogs.messages(),
                 QStringList("Colour check chart|The chart could not be exported to " +
                             dir.filePath("missing/chart.txt") + ": No such file or directory"));

        dialogs.clear();
        dialogs.openFile(dir.filePath("chart.ti1"));
        dialogs.openFile(dir.filePath("chart.txt"));
        QVERIFY(QMetaObject::invokeMethod(w.chart, "exportISO12642"));
        QVERIFY(QMetaObject::invokeMethod(w.chart, "exportISO12642"));
        QVERIFY(dialogs.messages().isEmpty());
        QFile ti1(dir.filePath("chart.ti1"));
        QVERIFY(ti1.open(QIODevice::ReadOnly));
        QVERIFY(ti1.readAll().startsWith("CTI1\n"));
        QFile iso(dir.filePath("chart.txt"));
        QVERIFY(iso.open(QIODevice::ReadOnly));
        const QByteArray text = iso.readAll();
        QVERIFY(text.contains("DESCRIPTOR\t\"Colour check chart; inks from the file\"\n"));
        QVERIFY(text.contains("\n1\t\"Solid K\"\t0.0000\t0.0000\t0.0000\t100.0000\t18\t0.5\t0.5\n"));
    }
};

TINTRY_TEST_MAIN(TestSwatchWindow)
#include "test_swatch_window.moc"
