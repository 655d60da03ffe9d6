// Charts on real paper: the page arithmetic, what Ghostscript gives back when
// it renders every page on fixed A4 and Letter media (every ink exact, every
// patch whole, the page count as announced), the text on a page, refusals of
// sizes that cannot work, the one-page layout unchanged, and numbers that keep
// their decimal point in a comma locale.
#include "ChartCommand.h"
#include "ChartExport.h"
#include "ChartGeneration.h"
#include "ChartHandles.h"
#include "ChartTestKit.h"
#include "CoreTestMain.h"
#include "PostScriptPages.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>

#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <langinfo.h>
#include <locale.h>
#include <tuple>

using namespace chartkit;

namespace {

QList<QByteArray> inks(int n) {
    return randomInks(n, 987);
}

QList<QByteArray> inksOf(const CHARTPATCH* patches) {
    QList<QByteArray> out;
    for (const CHARTPATCH* p = patches; p != nullptr; p = KvNext(p))
        out << QByteArray(reinterpret_cast<const char*>(p->cmyk), 4);
    return out;
}

PageLayout layoutFor(const char* paper, bool landscape = false) {
    PageLayout layout;
    const std::string problem = layout.setPaper(paper);
    if (!problem.empty())
        qFatal("%s", problem.c_str());
    layout.landscape = landscape;
    return layout;
}

ChartHeading heading() {
    ChartHeading h;
    h.source = "default_cmyk.icc";
    h.created = 1614834367;
    return h;
}

// Runs Ghostscript; its standard output, or a failed check.
QByteArray gs(const QStringList& args, bool* ok) {
    QProcess p;
    p.start(QStandardPaths::findExecutable("gs"),
            QStringList{"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE"} + args);
    *ok = p.waitForFinished(300000) && p.exitCode() == 0;
    if (!*ok)
        qWarning("gs: %s", p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

struct Raster {
    int width, height;
    QByteArray bytes;
    QByteArray at(int x, int y) const { return bytes.mid((y * width + x) * 4, 4); }
};

// Every pixel inside the patch (one pixel in from its edges) carries its inks.
QString checkPatch(const Raster& r, const PageLayout& l, unsigned long index, const QByteArray& kcmy) {
    const unsigned long onPage = index % l.perPage();
    double x = l.patchX(onPage % l.columns()), y = l.patchY(onPage / l.columns());
    if (l.landscape) // turned a quarter on the portrait sheet
        std::tie(x, y) = std::make_pair(l.paperWidth - y - l.patch, x);
    const QByteArray want = QByteArray() + kcmy[INK_C] + kcmy[INK_M] + kcmy[INK_Y] + kcmy[INK_K];
    const int x0 = int(std::ceil(x)) + 1, x1 = int(std::floor(x + l.patch)) - 2;
    const int y0 = int(std::ceil(r.height - y - l.patch)) + 1, y1 = int(std::floor(r.height - 1 - y)) - 1;
    if (x0 < 0 || y0 < 0 || x1 >= r.width || y1 >= r.height)
        return QString("patch %1 lies off its page").arg(index);
    for (int py = y0; py <= y1; ++py)
        for (int px = x0; px <= x1; ++px)
            if (r.at(px, py) != want)
                return QString("patch %1 at %2,%3: %4 instead of %5")
                    .arg(index)
                    .arg(px)
                    .arg(py)
                    .arg(QString(r.at(px, py).toHex()), QString(want.toHex()));
    return {};
}

} // namespace

class TestChartPages : public QObject {
    Q_OBJECT

    CHARTPATCH* chart512 = nullptr;

private slots:
    void initTestCase() {
        ChartHandles handles;
        QVERIFY(handles.openForGrid(defaultCmyk, nullptr));
        StreamCapture quiet(1);
        const int status =
            ChartGeneration::generatePatches(&chart512, handles.profile, handles.preview, 512, stdout);
        quiet.text();
        QCOMPARE(status, 0);
        QCOMPARE(ListLength(chart512), 512);
    }
    void cleanupTestCase() { FreeList(&chart512); }

    // Columns, rows and pages follow from paper, margins and patch size, and
    // every patch with its id stays inside the margins.
    void layoutArithmetic_data() {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("patchMm");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages512");
        // A4: (595.28 - 2 x 28.35 - 16 + 8) / 40 = 13.3; (841.89 - 2 x 28.35 - 23 + 8) / 48 = 16.0
        QTest::newRow("a4") << "a4" << false << "" << 13 << 16 << 3;
        QTest::newRow("letter") << "letter" << false << "" << 13 << 15 << 3;
        QTest::newRow("a4 landscape") << "a4" << true << "" << 19 << 10 << 3;
        QTest::newRow("a3") << "A3" << false << "" << 19 << 23 << 2;
        QTest::newRow("tabloid landscape") << "tabloid" << true << "" << 28 << 15 << 2;
        QTest::newRow("a4 6 mm") << "a4" << false << "6" << 21 << 23 << 2;
        QTest::newRow("custom 100x150") << "100x150" << false << "" << 5 << 7 << 15;
    }
    void layoutArithmetic() {
        QFETCH(QString, paper);
        QFETCH(bool, landscape);
        QFETCH(QString, patchMm);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, pages512);
        PageLayout l = layoutFor(paper.toUtf8().constData(), landscape);
        if (!patchMm.isEmpty())
            QCOMPARE(QString::fromStdString(l.setPatchMm(patchMm.toStdString())), QString());
        QCOMPARE(int(l.columns()), columns);
        QCOMPARE(int(l.rows()), rows);
        QCOMPARE(int(l.pages(512)), pages512);
        const double left = l.margin, right = l.pageWidth() - l.margin;
        QVERIFY(l.gridLeft() - PageLayout::rowBand >= left);
        QVERIFY(l.patchX(l.columns() - 1) + l.patch <= right + 1e-9);
        QVERIFY(l.idBaseline(l.rows() - 1) - 2 >= l.margin); // descenders of the lowest ids
        QVERIFY(l.titleBaseline() + PageLayout::titleSize <= l.pageHeight() - l.margin + 1e-9);
        QVERIFY(l.columnBaseline() + PageLayout::labelSize <= l.titleBaseline());
        QVERIFY(l.patchY(0) + l.patch < l.columnBaseline());
        // Ids sit between a patch and the one below, clear of both.
        QVERIFY(l.idBaseline(0) + PageLayout::labelSize <= l.patchY(0));
        if (l.rows() > 1)
            QVERIFY(l.idBaseline(0) - 2 > l.patchY(1) + l.patch);
    }

    void names() {
        QCOMPARE(PageLayout::columnName(0), std::string("A"));
        QCOMPARE(PageLayout::columnName(25), std::string("Z"));
        QCOMPARE(PageLayout::columnName(26), std::string("AA"));
        QCOMPARE(PageLayout::columnName(27 * 26), std::string("AAA"));
        CHARTPATCH p{};
        QCOMPARE(chartPatchName(p, 0), std::string("Patch 0001"));
        QCOMPARE(chartPatchName(p, 1616), std::string("Patch 1617"));
        QCOMPARE(PostScriptPages::literal("a (b) \\ c\xc3\xa9"), std::string("(a \\(b\\) \\\\ c?"
                                                                             "?)"));
    }

    // With no paper named, charts go on the paper of the user's locale: Letter
    // in the United States, A4 in Germany.
    void paperOfTheLocale() {
        QCOMPARE(PageLayout::localePaper(), std::string("a4")); // C
        const QString localedef = QStandardPaths::findExecutable("localedef");
        if (localedef.isEmpty() || !QFile::exists("/usr/share/i18n/locales/en_US"))
            QSKIP("localedef or the en_US locale source is not installed");
        QTemporaryDir dir;
        QCOMPARE(QProcess::execute(localedef, {"-i", "en_US", "-f", "UTF-8", dir.filePath("en_US.UTF-8")}),
                 0);
        const QByteArray lang = qgetenv("LANG");
        qunsetenv("LANG");
        qunsetenv("LC_PAPER");
        qputenv("LOCPATH", QFile::encodeName(dir.path()));
        qputenv("LC_ALL", "en_US.UTF-8");
        // glibc remembers a locale it once failed to find, for the life of the
        // process, whatever LOCPATH says later; without it there is nothing to test.
        const locale_t built = ::newlocale(LC_PAPER_MASK, "en_US.UTF-8", static_cast<locale_t>(0));
        const bool letterWide =
            built != static_cast<locale_t>(0) && static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(
                                                     ::nl_langinfo_l(_NL_PAPER_WIDTH, built))) == 216;
        if (built != static_cast<locale_t>(0))
            ::freelocale(built);
        if (!letterWide) {
            if (!lang.isEmpty())
                qputenv("LANG", lang);
            qunsetenv("LOCPATH");
            qputenv("LC_ALL", "C");
            QSKIP("this process cannot load the en_US.UTF-8 locale built for the test");
        }
        const std::string us = PageLayout::localePaper();
        const PageLayout layout = PageLayout::forLocale();
        qunsetenv("LOCPATH");
        qputenv("LC_ALL", "de_DE.UTF-8");
        const std::string german = PageLayout::localePaper();
        qputenv("LC_ALL", "C");
        if (!lang.isEmpty())
            qputenv("LANG", lang);
        QCOMPARE(us, std::string("letter"));
        QCOMPARE(layout.paperName, std::string("Letter"));
        QCOMPARE(std::lround(layout.paperWidth), 612l);
        QCOMPARE(german, std::string("a4"));
    }

    // Ghostscript on fixed media renders every page; every patch comes back
    // whole with its four inks exact, and the document announces as many
    // pages as are rendered.
    void everyInkOnFixedMedia_data() {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<bool>("pdf");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("landscape");
        for (const char* paper : {"a4", "letter"})
            for (bool pdf : {false, true}) {
                const QString kind = QString("%1 %2").arg(paper, pdf ? "pdf" : "ps");
                QTest::newRow(qPrintable("512 " + kind)) << paper << pdf << 512 << false;
                QTest::newRow(qPrintable("1617 " + kind)) << paper << pdf << 1617 << false;
                QTest::newRow(qPrintable("512 landscape " + kind)) << paper << pdf << 512 << true;
            }
    }
    void everyInkOnFixedMedia() {
        QFETCH(QString, paper);
        QFETCH(bool, pdf);
        QFETCH(int, count);
        QFETCH(bool, landscape);
        if (QStandardPaths::findExecutable("gs").isEmpty())
            QSKIP("Ghostscript (gs) is not installed");
        const PageLayout l = layoutFor(paper.toUtf8().constData(), landscape);
        CHARTPATCH* swatches = count == 512 ? nullptr : patchList(inks(count));
        const CHARTPATCH* patches = count == 512 ? chart512 : swatches;
        const QList<QByteArray> values = inksOf(patches);
        QTemporaryDir dir;
        const QString file = dir.filePath(pdf ? "chart.pdf" : "chart.ps");
        const std::string why =
            ChartExport::write(patches, QFile::encodeName(file).constData(),
                               pdf ? ChartExport::Pdf : ChartExport::PostScript, l, heading())
                .failure()
                .why;
        FreeList(&swatches);
        QCOMPARE(QString::fromStdString(why), QString());
        bool ok = false;
        gs({"-sDEVICE=bitcmyk", "-dGrayValues=256", "-r72", "-sPAPERSIZE=" + paper, "-dFIXEDMEDIA",
            "-sOutputFile=" + dir.filePath("page%03d.cmyk"), file},
           &ok);
        QVERIFY(ok);
        const int pages = int(l.pages(count));
        QCOMPARE(QDir(dir.path()).entryList({"page*.cmyk"}).size(), pages);
        if (!pdf)
            QVERIFY(readAll(file).contains(QString("\n%%Pages: %1\n").arg(pages).toLatin1()));
        const int width = int(std::lround(l.paperWidth)), height = int(std::lround(l.paperHeight));
        for (int k = 0; k < pages; ++k) {
            const Raster r{width, height,
                           readAll(dir.filePath(QString("page%1.cmyk").arg(k + 1, 3, 10, QChar('0'))))};
            QCOMPARE(r.bytes.size(), width * height * 4);
            for (unsigned long i = k * l.perPage(); i < std::min<unsigned long>(count, (k + 1) * l.perPage());
                 ++i) {
                const QString problem = checkPatch(r, l, i, values[int(i)]);
                QVERIFY2(problem.isEmpty(), qPrintable(problem));
            }
            // Nothing is printed in the margins.
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if (x < l.margin - 1 || x > width - l.margin || y < l.margin - 1 || y > height - l.margin)
                        QVERIFY2(r.at(x, y) == QByteArray(4, 0),
                                 qPrintable(QString("ink at %1,%2").arg(x).arg(y)));
        }
    }

    // Reading a page's text back finds the title, the page number and the id
    // of every patch on that page.
    void textOnThePage_data() {
        QTest::addColumn<bool>("pdf");
        QTest::newRow("ps") << false;
        QTest::newRow("pdf") << true;
    }
    void textOnThePage() {
        QFETCH(bool, pdf);
        if (QStandardPaths::findExecutable("gs").isEmpty())
            QSKIP("Ghostscript (gs) is not installed");
        const PageLayout l = layoutFor("a4");
        QTemporaryDir dir;
        const QString file = dir.filePath(pdf ? "chart.pdf" : "chart.ps");
        QCOMPARE(ChartExport::write(chart512, QFile::encodeName(file).constData(),
                                    pdf ? ChartExport::Pdf : ChartExport::PostScript, l, heading())
                     .failure()
                     .why,
                 std::string());
        bool ok = false;
        const QString text = QString::fromUtf8(gs({"-sDEVICE=txtwrite", "-dFirstPage=2", "-dLastPage=2",
                                                   "-sPAPERSIZE=a4", "-dFIXEDMEDIA", "-sOutputFile=-", file},
                                                  &ok))
                                 .simplified();
        QVERIFY(ok);
        QVERIFY2(text.contains(QString::fromStdString(heading().title(512))), qPrintable(text.left(300)));
        QVERIFY(text.contains("Page 2 of 3"));
        for (unsigned long i = l.perPage(); i < 2 * l.perPage(); ++i)
            QVERIFY2(text.contains(QString("Patch %1").arg(i + 1, 4, 10, QChar('0'))),
                     qPrintable(QString::number(i)));
        QVERIFY(!text.contains(QString("Patch %1").arg(l.perPage(), 4, 10, QChar('0'))));
        QVERIFY(text.contains(QString(" %1 ").arg(l.rows() + 1))); // row numbers go on from page 1
    }

    // Sizes that cannot work are refused with one line, and no file appears.
    void badSizesRefused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero paper") << QStringList{"--paper", "0x0"}
                                    << "paper '0x0' is outside 50 to 5000 mm a side";
        QTest::newRow("absurd paper")
            << QStringList{"--paper", "210x99999"} << "paper '210x99999' is outside 50 to 5000 mm a side";
        QTest::newRow("no paper") << QStringList{"--paper", "b5"}
                                  << "paper 'b5' is not a4, letter, a3, tabloid, fit or WIDTHxHEIGHT in mm";
        QTest::newRow("comma size") << QStringList{"--paper", "a4", "--patch-size", "8,5"}
                                    << "patch size '8,5' is not a size in mm of at least 6";
        QTest::newRow("tiny patch") << QStringList{"--patch-size", "5.9"}
                                    << "patch size '5.9' is not a size in mm of at least 6";
        QTest::newRow("patch larger than the sheet") << QStringList{"--paper", "a4", "--patch-size", "250"}
                                                     << "a patch of 250 mm does not fit the printable area "
                                                        "of 184.4 x 266.1 mm left by A4 with margins "
                                                        "of 10 mm";
        QTest::newRow("margins leave no room")
            << QStringList{"--paper", "a4", "--landscape", "--margin", "100"}
            << "a patch of 11.3 mm does not fit the printable area of 91.4 x 0 mm left by A4 landscape with "
               "margins of 100 mm";
        QTest::newRow("fit with layout")
            << QStringList{"--paper", "fit", "--patch-size", "10"}
            << "--paper fit has its own page; --landscape, --margin, --patch-size "
               "and --gap do not apply";
    }
    void badSizesRefused() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QStringList all{"tintry-chart", "--profile",          defaultCmyk, "--patches",          "8",
                        "--ps",         dir.filePath("c.ps"), "--pdf",     dir.filePath("c.pdf")};
        all += args;
        QList<QByteArray> bytes;
        for (const QString& a : all)
            bytes << a.toUtf8();
        std::vector<char*> argv;
        for (QByteArray& b : bytes)
            argv.push_back(b.data());
        StreamCapture err(2);
        StreamCapture out(1);
        const int status = ChartCommand::run(int(argv.size()), argv.data());
        const QString complaint = QString::fromUtf8(err.text());
        out.text(); // the test's own report goes to the terminal again
        QCOMPARE(status, 1);
        QCOMPARE(complaint, "tintry-chart: " + message + "\n");
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    // "--paper fit" writes what the one-page export always wrote.
    void fitIsTheOldPage() {
        QTemporaryDir dir;
        const QString ps = dir.filePath("fit.ps");
        QByteArrayList args{"tintry-chart", "--profile", defaultCmyk, "--patches",          "40",
                            "--paper",      "fit",       "--ps",      QFile::encodeName(ps)};
        std::vector<char*> argv;
        for (QByteArray& b : args)
            argv.push_back(b.data());
        StreamCapture out(1);
        const int status = ChartCommand::run(int(argv.size()), argv.data());
        out.text();
        QCOMPARE(status, 0);
        const QString reference = qEnvironmentVariable("TINTRY_TEST_DATA") + "/charts/fit-40-default_cmyk.ps";
        QByteArrayList got = readAll(ps).split('\n'), want = readAll(reference).split('\n');
        QVERIFY(want.size() > 20);
        QCOMPARE(got.size(), want.size());
        for (int i = 0; i < got.size(); ++i)
            if (!want[i].startsWith("%%CreationDate: "))
                QCOMPARE(got[i], want[i]);
    }

    // Points stay points when the user's locale writes decimal commas.
    void commaLocaleKeepsPoints() {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            QSKIP("the de_DE.UTF-8 locale is not installed");
        QTemporaryDir dir;
        PageLayout l;
        const std::string sizeProblem = l.setPatchMm("8.5");
        const QString ps = dir.filePath("c.ps"), pdf = dir.filePath("c.pdf");
        const std::string a = ChartExport::write(chart512, QFile::encodeName(ps).constData(),
                                                 ChartExport::PostScript, l, heading())
                                  .failure()
                                  .why;
        const std::string b =
            ChartExport::write(chart512, QFile::encodeName(pdf).constData(), ChartExport::Pdf, l, heading())
                .failure()
                .why;
        std::setlocale(LC_ALL, "C");
        QCOMPARE(sizeProblem, std::string());
        QCOMPARE(a, std::string());
        QCOMPARE(b, std::string());
        const QRegularExpression comma("\\d,\\d");
        QVERIFY(readAll(ps).contains(" 24.09 24.09 rectfill\n"));
        QVERIFY(!QString::fromLatin1(readAll(ps)).contains(comma));
        QVERIFY(!QString::fromLatin1(readAll(pdf)).contains(comma));
    }

    // A failed export says why, and the old file stays with its content and
    // permissions; no temporary file is left behind.
    void failuresSayWhyAndKeepTheOldFile() {
        QTemporaryDir dir;
        const QString old = dir.filePath("chart.ps");
        QFile f(old);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old chart\n");
        f.close();
        QVERIFY(::chmod(QFile::encodeName(old).constData(), 0640) == 0);
        const PageLayout l = layoutFor("a4");
        const auto write = [&](const QString& path, ChartExport::Format format) {
            return QString::fromStdString(
                ChartExport::write(chart512, QFile::encodeName(path).constData(), format, l, heading())
                    .failure()
                    .why);
        };
        QCOMPARE(write(dir.filePath("missing/c.ps"), ChartExport::PostScript),
                 QString("No such file or directory"));
        QCOMPARE(write(dir.path(), ChartExport::Pdf), QString("Is a directory"));
        QCOMPARE(write("/dev/full", ChartExport::PostScript), QString("not a regular file"));
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 4096;
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        const QString ps = write(old, ChartExport::PostScript);
        const QString pdf = write(old, ChartExport::Pdf);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QCOMPARE(ps, QString("File too large"));
        QCOMPARE(pdf, QString("File too large"));
        QCOMPARE(readAll(old), QByteArray("old chart\n"));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(old).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0640u);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"chart.ps"});
        // A chart that replaces the file keeps its permissions too.
        QCOMPARE(write(old, ChartExport::Pdf), QString());
        QVERIFY(readAll(old).startsWith("%PDF-"));
        QVERIFY(::stat(QFile::encodeName(old).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0640u);
    }
};

TINTRY_CORE_TEST_MAIN(TestChartPages)
#include "test_chart_pages.moc"
