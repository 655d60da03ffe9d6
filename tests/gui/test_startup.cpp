// Start-up: each failure gives its line on its stream and its exit status,
// and a normal run ends with 0 once the last window is closed. This test
// makes its own application object, so it has its own main.
#include "CommandLine.h"
#include "DialogScript.h"
#include "KvMainWindow.h"
#include "KvRegistry.h"
#include "Tintry.h"
#include "TintryStartup.h"
#include "TintryVersion.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

// Captures what a piece of code writes to standard output and standard error.
struct Captured {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

template <class F> Captured capture(F run) {
    Captured c;
    std::fflush(stdout);
    std::fflush(stderr);
    QTemporaryDir dir;
    const QByteArray outPath = QFile::encodeName(dir.filePath("out"));
    const QByteArray errPath = QFile::encodeName(dir.filePath("err"));
    const int savedOut = ::dup(1), savedErr = ::dup(2);
    std::FILE* o = std::fopen(outPath.constData(), "w");
    std::FILE* e = std::fopen(errPath.constData(), "w");
    ::dup2(::fileno(o), 1);
    ::dup2(::fileno(e), 2);
    c.status = run();
    std::fflush(stdout);
    std::fflush(stderr);
    ::dup2(savedOut, 1);
    ::dup2(savedErr, 2);
    ::close(savedOut);
    ::close(savedErr);
    std::fclose(o);
    std::fclose(e);
    QFile fo(QString::fromLocal8Bit(outPath)), fe(QString::fromLocal8Bit(errPath));
    fo.open(QIODevice::ReadOnly);
    fe.open(QIODevice::ReadOnly);
    c.out = fo.readAll();
    c.err = fe.readAll();
    return c;
}

char program[] = "/opt/tintry/bin/tintry";
char bareName[] = "tintry";
char platformOption[] = "-platform";
char offscreen[] = "offscreen";

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void socketFailureStopsFirst() {
        bool globalsAsked = false;
        StartupHooks h;
        h.startSockets = [] { return 1; };
        h.initGlobals = [&] {
            globalsAsked = true;
            return std::uintptr_t(1);
        };
        char* argv[] = {program, nullptr};
        const Captured c = capture([&] { return tintryMain(1, argv, h); });
        QCOMPARE(c.status, 10);
        QCOMPARE(c.out, QByteArray("Windows sockets initialisation failed\n"));
        QCOMPARE(c.err, QByteArray());
        QVERIFY(!globalsAsked);
    }

    void globalsFailure() {
        bool storageAsked = false;
        StartupHooks h;
        h.initGlobals = [] { return std::uintptr_t(0); };
        h.initStorageClasses = [&](std::uintptr_t) {
            storageAsked = true;
            return 0;
        };
        char* argv[] = {program, nullptr};
        const Captured c = capture([&] { return tintryMain(1, argv, h); });
        QCOMPARE(c.status, 11);
        QCOMPARE(c.out, QByteArray("Could not initalise the server globals\n"));
        QVERIFY(!storageAsked);
    }

    void storageFailureGetsTheGlobals() {
        std::uintptr_t handed = 0;
        bool appMade = false;
        StartupHooks h;
        h.initGlobals = [] { return std::uintptr_t(0x5150); };
        h.initStorageClasses = [&](std::uintptr_t g) {
            handed = g;
            return 3;
        };
        h.createApplication = [&](int&, char**) -> QApplication* {
            appMade = true;
            return nullptr;
        };
        char* argv[] = {program, nullptr};
        const Captured c = capture([&] { return tintryMain(1, argv, h); });
        QCOMPARE(c.status, 12);
        QCOMPARE(c.out, QByteArray("Could not initialise the storage classes\n"));
        QCOMPARE(handed, std::uintptr_t(0x5150));
        QVERIFY(!appMade);
    }

    // --help and --version answer before anything starts (no sockets, no
    // application object), so they need no display.
    void helpAndVersionNeedNothing_data() {
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("help") << QByteArray("--help") << QByteArray(CommandLine::usage());
        QTest::newRow("short help") << QByteArray("-h") << QByteArray(CommandLine::usage());
        QTest::newRow("version") << QByteArray("--version") << QByteArray("tintry ") + tintryVersion + "\n";
    }
    void helpAndVersionNeedNothing() {
        QFETCH(QByteArray, option);
        QFETCH(QByteArray, expected);
        bool started = false;
        StartupHooks h;
        h.startSockets = [&] {
            started = true;
            return 0;
        };
        char* argv[] = {program, option.data(), nullptr};
        const Captured c = capture([&] { return tintryMain(2, argv, h); });
        QCOMPARE(c.status, 0);
        QCOMPARE(c.out, expected);
        QVERIFY(c.err.isEmpty());
        QVERIFY(!started);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QStringList>("roles");
        QTest::newRow("none") << QStringList() << QString() << QStringList{"", "", ""};
        QTest::newRow("spaced and joined")
            << QStringList{"--input", "a.icc", "--output=b.icc", "--monitor", "c d.icc"} << QString()
            << QStringList{"a.icc", "b.icc", "c d.icc"};
        QTest::newRow("unknown") << QStringList{"--input", "a.icc", "--inptu", "b.icc"}
                                 << "unknown argument '--inptu' (see --help)" << QStringList();
        QTest::newRow("stray") << QStringList{"a.icc"} << "unknown argument 'a.icc' (see --help)"
                               << QStringList();
        QTest::newRow("no value") << QStringList{"--monitor"} << "--monitor needs a value (see --help)"
                                  << QStringList();
        QTest::newRow("empty value") << QStringList{"--output="} << "--output needs a value (see --help)"
                                     << QStringList();
        QTest::newRow("twice") << QStringList{"--input=a", "--input", "b"} << "--input given twice"
                               << QStringList();
    }
    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(QString, problem);
        QFETCH(QStringList, roles);
        QList<QByteArray> bytes{QByteArray(program)};
        for (const QString& a : args)
            bytes << a.toUtf8();
        std::vector<char*> argv;
        for (QByteArray& b : bytes)
            argv.push_back(b.data());
        argv.push_back(nullptr);
        const CommandLine line = CommandLine::parse(int(argv.size()) - 1, argv.data());
        QCOMPARE(QString::fromStdString(line.problem), problem);
        QCOMPARE(line.action, problem.isEmpty() ? CommandLine::Run : CommandLine::UsageError);
        if (problem.isEmpty())
            QCOMPARE((QStringList{line.input, line.output, line.monitor}), roles);
    }

    // What the program cannot take stops it with status 2 and one line,
    // before any window opens.
    void unknownArgumentIsAUsageError() {
        bool windowShown = false;
        StartupHooks h;
        h.beforeExec = [&](QApplication&) { windowShown = true; };
        char bogus[] = "--frobnicate";
        char* argv[] = {program, platformOption, offscreen, bogus, nullptr};
        const Captured c = capture([&] { return tintryMain(4, argv, h); });
        QCOMPARE(c.status, 2);
        QCOMPARE(c.err, QByteArray("tintry: unknown argument '--frobnicate' (see --help)\n"));
        QVERIFY(!windowShown);
    }

    // Profiles on the command line preset the roles, named relative to where
    // the program was started; one that is not fit gets the window's message,
    // a line on standard error, and is left out.
    void profilesPresetTheRoles() {
        const QString cmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
        if (!QFileInfo::exists("/usr/share/color/icc/sRGB.icc") || !QFileInfo::exists(cmyk))
            QSKIP("the test profiles are not installed");
        QTemporaryDir dir;
        QVERIFY(QFile::copy("/usr/share/color/icc/sRGB.icc", dir.filePath("in.icc")));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        DialogScript script;
        QStringList roles;
        bool iconDrawn = false;
        StartupHooks h;
        h.beforeExec = [&](QApplication&) {
            // The window icon is our own SVG, carried inside the program.
            iconDrawn = !QGuiApplication::windowIcon().pixmap(32).isNull();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<KvMainWindow*>(w))
                    roles = QStringList{window->converter()->inICC, window->converter()->outICC,
                                        window->converter()->monitorICC};
            QTimer::singleShot(0, [] { QApplication::closeAllWindows(); });
        };
        QByteArray output = "--output=" + cmyk.toUtf8();
        QByteArray monitor = cmyk.toUtf8();
        char input[] = "--input", in[] = "in.icc", monitorOption[] = "--monitor";
        char* argv[] = {program,       platformOption, offscreen,      input,  in,
                        output.data(), monitorOption,  monitor.data(), nullptr};
        const Captured c = capture([&] { return tintryMain(8, argv, h); });
        QDir::setCurrent(before);
        QCOMPARE(c.status, 0);
        QCOMPARE(roles, (QStringList{dir.filePath("in.icc"), cmyk, QString()}));
        QVERIFY(iconDrawn);
        QVERIFY2(c.err.contains("tintry: " + monitor + ": not taken"), c.err.constData());
        QCOMPARE(script.messages().size(), 1);
        QVERIFY(script.messages().first().startsWith("Invalid monitor ICC profile|"));
    }

    void applicationFailure() {
        StartupHooks h;
        h.createApplication = [](int&, char**) -> QApplication* { return nullptr; };
        char* argv[] = {program, nullptr};
        const Captured c = capture([&] { return tintryMain(1, argv, h); });
        QCOMPARE(c.status, 10);
        QCOMPARE(c.out, QByteArray());
        QCOMPARE(c.err, QByteArray("Panic:: Could not create main qApp\n"));
    }

    // Started by its bare name, the program cannot change to its directory:
    // it says so and runs on; closing its only window ends it with status 0.
    void normalRunEndsWithZero() {
        const QString before = QDir::currentPath();
        StartupHooks h;
        bool windowShown = false;
        h.beforeExec = [&](QApplication&) {
            windowShown = !QApplication::topLevelWidgets().isEmpty();
            QTimer::singleShot(0, [] { QApplication::closeAllWindows(); });
        };
        char* argv[] = {bareName, platformOption, offscreen, nullptr};
        const Captured c = capture([&] { return tintryMain(3, argv, h); });
        QCOMPARE(c.status, 0);
        QVERIFY(windowShown);
        QVERIFY2(c.err.contains("Failed to change to installation directory \n"), c.err.constData());
        QCOMPARE(QDir::currentPath(), before);
        // The window wrote its settings on the way out.
        const std::string store = KvRegistry::getregname("", "tintry");
        QVERIFY(QFile::exists(QString::fromStdString(KvRegistry::pathForName(store))));
    }

    // The installed program started through a symbolic link from elsewhere
    // still finds its own directory, and SIGTERM closes it as Quit does.
    void symlinkedBinaryFindsItsHome() {
        const QString binary = qEnvironmentVariable("TINTRY_BINARY");
        if (binary.isEmpty() || !QFile::exists(binary))
            QSKIP("the program is not built");
        QTemporaryDir elsewhere;
        const QString link = elsewhere.filePath("tt");
        QVERIFY(QFile::link(binary, link));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", elsewhere.filePath("config"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(elsewhere.path());
        p.start(link, {});
        QVERIFY(p.waitForStarted());
        QTest::qWait(2500);
        p.terminate();
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        const QString realDir = QFileInfo(QFileInfo(binary).canonicalFilePath()).absolutePath();
        const std::string name = KvRegistry::getregname(realDir.toStdString(), "tintry");
        const QString store = elsewhere.filePath("config/tintry/" + QString::fromStdString(name) + ".ini");
        QVERIFY2(QFile::exists(store), qPrintable(store));
    }
};

int main(int argc, char** argv) {
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TestStartup tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "test_startup.moc"
