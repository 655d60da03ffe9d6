// The display's profile from the X server: on a private Xvfb with no colord
// to ask, the _ICC_PROFILE property on the root window is copied to a file,
// and that file becomes the monitor profile. Without the property the action
// stays disabled. This test runs its own X server, so it has its own main.
#include "ConverterTestKit.h"
#include "CoreTestMain.h"
#include "DisplayProfile.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

#include <xcb/xcb.h>

#include <cstdlib>

using namespace kit;

namespace {

xcb_connection_t* x11() {
    auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return native ? native->connection() : nullptr;
}

void setRootProperty(const QByteArray& name, const QByteArray& bytes) {
    xcb_connection_t* c = x11();
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.constData()), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    if (bytes.isNull())
        xcb_delete_property(c, root, atom->atom);
    else
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, atom->atom, XCB_ATOM_CARDINAL, 8,
                            uint32_t(bytes.size()), bytes.constData());
    std::free(atom);
    xcb_flush(c);
}

QByteArray contentsOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestDisplayProfileX11 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!x11())
            QSKIP("no X server to test against");
        if (!haveProfiles())
            QSKIP("the test profiles are not installed");
    }

    void noPropertyNoAction() {
        setRootProperty("_ICC_PROFILE", QByteArray());
        KvRegistry store;
        Tintry t(&store);
        QVERIFY(!t.displayProfileAction->isEnabled());
        // Too short to be a profile: not offered either.
        setRootProperty("_ICC_PROFILE", "not a profile");
        QVERIFY(DisplayProfile::fromX11(0).isEmpty());
    }

    void propertyBecomesTheMonitorProfile() {
        const QByteArray profile = contentsOf(sRGB);
        QVERIFY(!profile.isEmpty());
        setRootProperty("_ICC_PROFILE", profile);
        const DisplayProfile::Found found = DisplayProfile::find(nullptr);
        QCOMPARE(found.source, QString("X11"));
        QCOMPARE(contentsOf(found.path), profile);

        KvRegistry store;
        kit::store(store, sRGB, cmyk);
        Tintry t(&store);
        DialogScript script;
        QVERIFY(t.displayProfileAction->isEnabled());
        t.displayProfileAction->trigger();
        QCOMPARE(t.monitorICC, found.path);
        QVERIFY(t.cmsInMonitor.transform != nullptr);
        QCOMPARE(script.requests.size(), 0);
    }
};

int main(int argc, char** argv) {
    TINTRY_PIN_TEST_ENVIRONMENT();
    QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toUtf8());
    // No colord to ask: the system bus is one that does not exist.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/tintry-test-bus");
    QProcess xvfb;
    if (!QStandardPaths::findExecutable("Xvfb").isEmpty()) {
        // Xvfb picks a free display itself and tells it once it accepts connections.
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
        if (xvfb.waitForStarted() && xvfb.waitForReadyRead(20000)) {
            const QByteArray number = xvfb.readLine().trimmed();
            if (!number.isEmpty()) {
                qputenv("DISPLAY", ":" + number);
                qputenv("QT_QPA_PLATFORM", "xcb");
            }
        }
    }
    if (qEnvironmentVariable("QT_QPA_PLATFORM") != "xcb")
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int status = 0;
    {
        QApplication app(argc, argv);
        TINTRY_PIN_TEST_LOCALE();
        TestDisplayProfileX11 tc;
        status = QTest::qExec(&tc, argc, argv);
    }
    if (xvfb.state() != QProcess::NotRunning) {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }
    return status;
}
#include "test_display_profile_x11.moc"
