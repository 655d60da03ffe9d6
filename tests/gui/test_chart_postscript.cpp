// The PostScript chart page: its header and geometry, ink values that come
// back byte for byte when Ghostscript renders the page at 72 dpi, decimal
// points under a comma locale, and a target that is written whole or not at all.
#include "ChartWindowKit.h"
#include "Colourcheck.h"
#include "DialogScript.h"
#include "KvRegistry.h"
#include "PostScriptChart.h"
#include "TestMain.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>

#include <clocale>
#include <csignal>

using namespace chartkit;

namespace {

// Reproducible ink bytes that cover the whole range, with both ends present.
QList<QByteArray> inks(int n) {
    QList<QByteArray> out = randomInks(n, 12345);
    if (n > 1) {
        out[0] = QByteArray(4, char(0xff));
        out[1] = QByteArray(4, 0);
    }
    return out;
}

// 2021-03-04 05:06:07 UTC; CreationDate shows it in local time, so tests compare the rest.
const std::time_t fixedTime = 1614834367;

} // namespace

class TestChartPostScript : public QObject {
    Q_OBJECT
private slots:
    void headerAndGeometry_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("lastSquare");
        QTest::newRow("16") << 16 << 48 << "608 8 32 32 rectfill";
        QTest::newRow("17") << 17 << 88 << "8 8 32 32 rectfill";
        QTest::newRow("20") << 20 << 88 << "128 8 32 32 rectfill";
        QTest::newRow("512") << 512 << 1288 << "608 8 32 32 rectfill";
    }
    void headerAndGeometry() {
        QFETCH(int, count);
        QFETCH(int, height);
        QFETCH(QString, lastSquare);
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ps");
        CHARTPATCH* list = patchList(inks(count));
        QCOMPARE(PostScriptChart::write(list, QFile::encodeName(path).constData(), fixedTime), 0);
        FreeList(&list);
        const QStringList lines = QString::fromLatin1(readAll(path)).split('\n');
        const QString h = QString::number(height);
        const QStringList head = {"%!PS-Adobe-3.0", "%%Creator: Quillon Tintry version 1.2",
                                  "%%Title: Colour check chart", "%%For: Quillon Tintry"};
        QCOMPARE(lines.mid(0, 4), head);
        QVERIFY(lines[4].startsWith("%%CreationDate: ") && lines[4].size() == 16 + 24);
        const QStringList setup = {"%%BoundingBox: 0 0 648 " + h,
                                   "%%EndComments",
                                   "%%BeginSetup",
                                   "systemdict /setpagedevice known { <<",
                                   "/Policies <</PageSize 6>>",
                                   "/PageSize [648 " + h + "]",
                                   ">> setpagedevice } if",
                                   "%%EndSetup",
                                   "%%Page: 1 1",
                                   "/DeviceCMYK setcolorspace",
                                   "1.000000 1.000000 1.000000 1.000000 setcolor",
                                   "8 " + QString::number(height - 40) + " 32 32 rectfill"};
        QCOMPARE(lines.mid(5, setup.size()), setup);
        QCOMPARE(lines.size(), 15 + 2 * count + 5);
        QCOMPARE(lines[15 + 2 * count - 1], lastSquare);
        QCOMPARE(lines.mid(15 + 2 * count), QStringList({"", "showpage", "%%PageTrailer", "%%EOF", ""}));
    }

    void inkOrderAndDecimals() {
        // Stored K, C, M, Y; written C, M, Y, K; a comma locale changes nothing.
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            QSKIP("no de_DE.UTF-8 locale on this machine (localedef -i de_DE -f UTF-8 de_DE.UTF-8)");
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ps");
        CHARTPATCH* list = patchList({QByteArray("\x00\xff\x80\x00", 4)});
        const int result = PostScriptChart::write(list, QFile::encodeName(path).constData(), fixedTime);
        std::setlocale(LC_ALL, "C");
        FreeList(&list);
        QCOMPARE(result, 0);
        QVERIFY(readAll(path).contains("\n1.000000 0.501961 0.000000 0.000000 setcolor\n"));
    }

    // Ghostscript renders the page into raw CMYK bytes (bitcmyk, 8 bits per
    // ink, rows from the top); the centre of every square must hold exactly
    // the patch's four bytes.
    void ghostscriptGivesBackEveryInk_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("8") << 8;
        QTest::newRow("17") << 17;
        QTest::newRow("512") << 512;
    }
    void ghostscriptGivesBackEveryInk() {
        QFETCH(int, count);
        const QString gs = QStandardPaths::findExecutable("gs");
        if (gs.isEmpty())
            QSKIP("Ghostscript (gs) is not installed");
        QTemporaryDir dir;
        const QString ps = dir.filePath("chart.ps");
        const QString raw = dir.filePath("chart.cmyk");
        const QList<QByteArray> values = inks(count);
        CHARTPATCH* list = patchList(values);
        QCOMPARE(PostScriptChart::write(list, QFile::encodeName(ps).constData(), fixedTime), 0);
        FreeList(&list);
        QProcess p;
        p.start(gs, {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=bitcmyk", "-dGrayValues=256", "-r72",
                     "-sOutputFile=" + raw, ps});
        QVERIFY(p.waitForFinished(120000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        const QByteArray img = readAll(raw);
        const int width = 648;
        const int height = 40 * ((count + 15) / 16) + 8;
        QCOMPARE(img.size(), width * height * 4);
        for (int i = 0; i < count; ++i) {
            const int x = 8 + 40 * (i % 16) + 16;
            const int y = 8 + 40 * (i / 16) + 16;
            const QByteArray got = img.mid((y * width + x) * 4, 4);
            const QByteArray& v = values[i];
            const QByteArray want = QByteArray() + v[INK_C] + v[INK_M] + v[INK_Y] + v[INK_K];
            QVERIFY2(got == want, qPrintable(QString("patch %1: %2 instead of %3")
                                                 .arg(i)
                                                 .arg(QString(got.toHex()))
                                                 .arg(QString(want.toHex()))));
        }
        // Between the squares the paper stays unprinted.
        QCOMPARE(img.mid((4 * width + 4) * 4, 4), QByteArray(4, 0));
        QCOMPARE(img.mid((20 * width + 44) * 4, 4), QByteArray(4, 0));
    }

    void failuresLeaveTargetsAlone_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("no such directory") << "missing/chart.ps";
        QTest::newRow("a directory") << "adir";
        QTest::newRow("a device") << "/dev/full";
        QTest::newRow("empty name") << "";
    }
    void failuresLeaveTargetsAlone() {
        QFETCH(QString, target);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("adir"));
        const QString path = target.startsWith('/') || target.isEmpty() ? target : dir.filePath(target);
        CHARTPATCH* list = patchList(inks(3));
        StreamCapture err(2);
        QCOMPARE(PostScriptChart::write(list, QFile::encodeName(path).constData(), fixedTime), -1);
        QCOMPARE(err.text(), "Cannot open file " + QFile::encodeName(path) + "\n");
        FreeList(&list);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"adir"});
        QVERIFY(QDir(dir.filePath("adir")).isEmpty());
        struct stat st {};
        QVERIFY(::stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode));
    }

    // A write that fails half-way (here: the file-size limit) keeps the old file.
    void failedWriteKeepsOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ps");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old chart\n");
        old.close();
        CHARTPATCH* list = patchList(inks(512));
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 4096;
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        StreamCapture err(2);
        const int result = PostScriptChart::write(list, QFile::encodeName(path).constData(), fixedTime);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        FreeList(&list);
        QCOMPARE(result, -1);
        QVERIFY(err.text().startsWith("Cannot open file "));
        QCOMPARE(readAll(path), QByteArray("old chart\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"chart.ps"});
    }

    // Through the window: the dialog, the remembered directory, no dialog for
    // an empty chart.
    void exportFromTheWindow() {
        KvRegistry store;
        auto* chart = new Colourcheck(&store);
        QTemporaryDir dir;
        DialogScript dialogs;
        QMetaObject::invokeMethod(chart, "exportChart");
        QMetaObject::invokeMethod(chart, "exportISO12642");
        QVERIFY(dialogs.requests.isEmpty());

        KVCOMBOCOLOUR_CC records;
        records.insertCombo(labRecord("x", 50, 0, 0));
        QCOMPARE(chart->chartFromSwatches(records.list, defaultCmyk, nullptr), 0);
        chart->lastDir = "/start";
        dialogs.cancel();
        QMetaObject::invokeMethod(chart, "exportChart");
        QCOMPARE(dialogs.requests[0].caption, QString("Choose a file for exporting"));
        QCOMPARE(dialogs.requests[0].dir, QString("/start"));
        QCOMPARE(chart->lastDir, QString("/start"));
        dialogs.openFile(dir.filePath("out.ps"));
        dialogs.answer(KvDialogAnswer::press(QMessageBox::Ok)); // the page set-up as it stands
        QMetaObject::invokeMethod(chart, "exportChart");
        QCOMPARE(chart->lastDir, dir.path());
        QVERIFY(readAll(dir.filePath("out.ps")).startsWith("%!PS-Adobe-3.0\n"));
        // A failed export has moved the directory already.
        dialogs.openFile("/nonexistent-dir/out.ps");
        dialogs.answer(KvDialogAnswer::press(QMessageBox::Ok));
        StreamCapture err(2);
        QMetaObject::invokeMethod(chart, "exportChart");
        QCOMPARE(err.text(), QByteArray("Cannot open file /nonexistent-dir/out.ps\n"));
        QCOMPARE(chart->lastDir, QString("/nonexistent-dir"));
        delete chart->container;
    }
};

TINTRY_TEST_MAIN(TestChartPostScript)
#include "test_chart_postscript.moc"
