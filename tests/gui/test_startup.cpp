// Start-up: each failure gives its line on its stream and its exit status,
// and a normal run ends with 0 once the last window is closed. This test
// makes its own application object, so it has its own main.
#include "KvRegistry.h"
#include "TintryStartup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
