// "Use the display's profile" against a stand-in colord on a private bus:
// the profile colord names for the window's display becomes the monitor
// profile through the usual checks, and with no colord (and no X server) the
// action is disabled and says why.
#include "ConverterTestKit.h"
#include "DisplayProfile.h"
#include "TestMain.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QGuiApplication>
#include <QMutex>
#include <QScreen>
#include <QThread>

using namespace kit;

namespace {

using StringMap = QMap<QString, QString>;

struct FakeDevice {
    QString output;       // XRANDR_name in the metadata
    QStringList profiles; // profile files, in colord's order
};

// Answers the few calls the program makes of colord. Lives on a thread of
// its own, because the program asks with blocking calls from the GUI thread.
class FakeColord : public QDBusVirtualObject {
public:
    void setDevices(const QList<FakeDevice>& d) {
        QMutexLocker lock(&mutex);
        devices = d;
    }
    QString introspect(const QString&) const override { return QString(); }

    bool handleMessage(const QDBusMessage& m, const QDBusConnection& c) override {
        QMutexLocker lock(&mutex);
        if (m.member() == "GetDevicesByKind") {
            QList<QDBusObjectPath> paths;
            if (m.arguments().value(0).toString() == "display")
                for (int i = 0; i < devices.size(); ++i)
                    paths << QDBusObjectPath(devicePath(i));
            return c.send(m.createReply(QVariant::fromValue(paths)));
        }
        if (m.interface() == "org.freedesktop.DBus.Properties" && m.member() == "Get") {
            const QVariant value = property(m.path(), m.arguments().value(1).toString());
            if (value.isValid())
                return c.send(m.createReply(QVariant::fromValue(QDBusVariant(value))));
        }
        return c.send(m.createErrorReply(QDBusError::UnknownMethod, "not in the fake"));
    }

private:
    static QString devicePath(int i) { return QString("/org/freedesktop/ColorManager/devices/d%1").arg(i); }

    QVariant property(const QString& path, const QString& name) const {
        for (int i = 0; i < devices.size(); ++i) {
            if (path == devicePath(i) && name == "Metadata")
                return QVariant::fromValue(StringMap{{"XRANDR_name", devices[i].output}});
            if (path == devicePath(i) && name == "Profiles") {
                QList<QDBusObjectPath> paths;
                for (int p = 0; p < devices[i].profiles.size(); ++p)
                    paths << QDBusObjectPath(QString("%1/p%2").arg(devicePath(i)).arg(p));
                return QVariant::fromValue(paths);
            }
            for (int p = 0; p < devices[i].profiles.size(); ++p)
                if (path == QString("%1/p%2").arg(devicePath(i)).arg(p) && name == "Filename")
                    return devices[i].profiles[p];
        }
        return QVariant();
    }

    mutable QMutex mutex;
    QList<FakeDevice> devices;
};

} // namespace

class TestDisplayProfile : public QObject {
    Q_OBJECT

    QProcess bus;
    QString address;
    QThread colordThread;
    FakeColord* colord = nullptr;

private slots:
    void initTestCase() {
        if (!haveProfiles())
            QSKIP("the test profiles are not installed");
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
            QSKIP("dbus-daemon is not installed");
        // The program asks colord on the system bus; here that is a private
        // bus of our own, so the machine's colord (if any) is never asked.
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        QVERIFY(bus.waitForStarted());
        QVERIFY(bus.waitForReadyRead(10000));
        address = QString::fromUtf8(bus.readLine()).trimmed();
        QVERIFY(!address.isEmpty());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address.toUtf8());
        QVERIFY(QDBusConnection::systemBus().isConnected());
        qDBusRegisterMetaType<StringMap>();
    }
    void cleanupTestCase() {
        if (colord) {
            QMetaObject::invokeMethod(
                colord,
                [] {
                    QDBusConnection("fake-colord").unregisterObject("/org/freedesktop/ColorManager");
                    QDBusConnection::disconnectFromBus("fake-colord");
                },
                Qt::BlockingQueuedConnection);
            colordThread.quit();
            colordThread.wait();
            delete colord;
        }
        if (bus.state() != QProcess::NotRunning) {
            bus.terminate();
            bus.waitForFinished(5000);
        }
    }

    // Runs first, before the stand-in exists: nothing to offer, and the
    // tooltip says where the program looked.
    void disabledWithoutColordOrX11() {
        KvRegistry store;
        Tintry t(&store);
        QVERIFY(!t.displayProfileAction->isEnabled());
        QVERIFY(t.displayProfileAction->toolTip().contains("colord"));
        QVERIFY(t.displayProfileAction->toolTip().contains("_ICC_PROFILE"));
        QVERIFY(!DisplayProfile::find(&t).available());
    }

    void startColord() {
        colord = new FakeColord;
        colord->moveToThread(&colordThread);
        colordThread.start();
        bool registered = false;
        // Connected and registered from the stand-in's own thread, where its
        // calls are then answered.
        QMetaObject::invokeMethod(
            colord,
            [&] {
                QDBusConnection connection = QDBusConnection::connectToBus(address, "fake-colord");
                registered = connection.isConnected() &&
                             connection.registerVirtualObject("/org/freedesktop/ColorManager", colord,
                                                              QDBusConnection::SubPath) &&
                             connection.registerService("org.freedesktop.ColorManager");
            },
            Qt::BlockingQueuedConnection);
        QVERIFY(registered);
    }

    // The profile colord names becomes the monitor profile; a listed file
    // that has gone is passed over for the next.
    void colordNamesTheMonitorProfile() {
        QVERIFY(colord);
        colord->setDevices({{"HDMI-1", {"/nonexistent.icc", sRGB}}});
        KvRegistry store;
        kit::store(store, sRGB, cmyk);
        Tintry t(&store);
        DialogScript script;
        QVERIFY(t.displayProfileAction->isEnabled());
        QVERIFY(t.displayProfileAction->toolTip().contains(sRGB));
        t.displayProfileAction->trigger();
        QCOMPARE(t.monitorICC, sRGB);
        QVERIFY(t.cmsInMonitor.transform != nullptr);
        QCOMPARE(script.requests.size(), 0);
    }

    // A single display is taken whatever its output is called; what colord
    // names still passes the monitor check, with its message when it fails.
    void colordAnswerIsChecked() {
        QVERIFY(colord);
        colord->setDevices({{"HDMI-9", {cmyk}}});
        KvRegistry store;
        kit::store(store, sRGB, cmyk);
        Tintry t(&store);
        DialogScript script;
        QVERIFY(t.displayProfileAction->isEnabled());
        t.displayProfileAction->trigger();
        QCOMPARE(t.monitorICC, QString());
        QCOMPARE(script.messages().size(), 1);
        QVERIFY(script.messages().first().startsWith("Invalid monitor ICC profile|"));

        // A device whose profiles are all gone offers nothing.
        colord->setDevices({{"HDMI-9", {"/nonexistent.icc"}}});
        QVERIFY(DisplayProfile::fromColord("HDMI-9").isEmpty());
    }

    // With several displays, the one the window is on (by output name) is
    // asked for; when none carries that name there is no guessing.
    void severalDisplaysMatchByOutput() {
        QVERIFY(colord);
        colord->setDevices({{"DP-1", {adobeRGB}}, {"DP-2", {sRGB}}});
        QCOMPARE(DisplayProfile::fromColord("DP-2"), sRGB);
        QCOMPARE(DisplayProfile::fromColord("DP-1"), adobeRGB);
        QVERIFY(DisplayProfile::fromColord("HDMI-1").isEmpty());
        QVERIFY(DisplayProfile::fromColord(QString()).isEmpty());
    }
};

TINTRY_TEST_MAIN(TestDisplayProfile)
#include "test_display_profile.moc"
