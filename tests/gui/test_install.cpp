// The installed tree: `cmake --install` into a staging folder lays out the
// programs, the translations under the shared data, the desktop entry, icon,
// AppStream metadata and manual pages; the desktop's own validators accept
// them, and the installed program finds its translations from its folder.
#include "KvLangKit.h"
#include "LanguageStartup.h"
#include "TestMain.h"
#include "TintryVersion.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>

namespace {

struct Ran {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Ran runTool(const QString& program, const QStringList& args, const QProcessEnvironment& env = {}) {
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir stage;
    QString root; // the staged /usr
    QString home;

private slots:
    void initTestCase() {
        home = QDir::currentPath();
        const QString binary = qEnvironmentVariable("TINTRY_BINARY");
        QVERIFY(QFileInfo::exists(binary));
        const QString buildDir = QFileInfo(binary).dir().absoluteFilePath("..");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", stage.path());
        const Ran r = runTool("cmake", {"--install", buildDir, "--prefix", "/usr"}, env);
        QVERIFY2(r.status == 0, r.err.constData());
        root = stage.filePath("usr");
    }
    void cleanup() { QDir::setCurrent(home); }

    void layout() {
        for (const char* file :
             {"bin/tintry", "bin/tintry-chart", "bin/tintry-gamut", "share/tintry/lang/tintry_de.qm",
              "share/tintry/lang/tintry_fr.qm", "share/applications/com.quillon.Tintry.desktop",
              "share/metainfo/com.quillon.Tintry.metainfo.xml",
              "share/icons/hicolor/scalable/apps/tintry.svg", "share/man/man1/tintry.1",
              "share/man/man1/tintry-chart.1", "share/man/man1/tintry-gamut.1"})
            QVERIFY2(QFileInfo(root + "/" + file).isFile(), file);
        QVERIFY(QFileInfo(root + "/bin/tintry").isExecutable());
        // Nothing but programs in bin.
        QCOMPARE(QDir(root + "/bin").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"tintry", "tintry-chart", "tintry-gamut"}));
    }

    void desktopValidatorsAccept() {
        if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty() ||
            QStandardPaths::findExecutable("appstreamcli").isEmpty())
            QSKIP("desktop-file-utils or appstream is not installed");
        const Ran desktop =
            runTool("desktop-file-validate", {root + "/share/applications/com.quillon.Tintry.desktop"});
        QVERIFY2(desktop.status == 0 && desktop.out.isEmpty(), desktop.out + desktop.err);
        const Ran meta = runTool("appstreamcli", {"validate", "--no-net",
                                                  root + "/share/metainfo/com.quillon.Tintry.metainfo.xml"});
        QVERIFY2(meta.status == 0, meta.out + meta.err);
        // The desktop entry names the icon that is installed and the program that is.
        QFile entry(root + "/share/applications/com.quillon.Tintry.desktop");
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY(text.contains("\nIcon=tintry\n"));
        QVERIFY(text.contains("\nExec=tintry\n"));
    }

    void manualPagesRenderCleanly_data() {
        QTest::addColumn<QString>("page");
        QTest::newRow("tintry") << "tintry.1";
        QTest::newRow("tintry-chart") << "tintry-chart.1";
        QTest::newRow("tintry-gamut") << "tintry-gamut.1";
    }
    void manualPagesRenderCleanly() {
        QFETCH(QString, page);
        if (QStandardPaths::findExecutable("man").isEmpty())
            QSKIP("man-db is not installed");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MANWIDTH", "80");
        env.insert("LC_ALL", "C.UTF-8");
        const Ran r =
            runTool("man", {"--warnings", "-E", "UTF-8", "-l", root + "/share/man/man1/" + page}, env);
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.isEmpty(), r.err.constData());
        QVERIFY(r.out.contains("SYNOPSIS"));
        QVERIFY(r.out.contains("--version") || r.out.contains("‐‐version"));
    }

    // Started from the installed bin folder (start-up makes it current), the
    // program's lookup finds the installed translations and maps a German
    // desktop to one.
    void installedProgramFindsItsTranslations() {
        QVERIFY(QDir::setCurrent(root + "/bin"));
        const std::string langDir = findLangDir();
        QCOMPARE(langDir, std::string("../share/tintry/lang"));
        const QString menu = effectiveLanguage("", langDir, QLocale("de_DE"));
        QCOMPARE(menu, QString("Deutsch"));
        const QString file =
            KvLangKit::langMenuStringToLangFile(menu, "tintry", QString::fromStdString(langDir));
        QVERIFY(QFileInfo(file).isFile());
        QTranslator translator;
        QVERIFY(translator.load(file));
    }

    void installedProgramsAnswerWithoutDisplay() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        for (const char* program : {"tintry", "tintry-chart", "tintry-gamut"}) {
            const Ran r = runTool(root + "/bin/" + program, {"--version"}, env);
            QCOMPARE(r.status, 0);
            QCOMPARE(r.out, QByteArray(program) + " " + tintryVersion + "\n");
        }
    }
};

TINTRY_TEST_MAIN(TestInstall)
#include "test_install.moc"
