#include "DisplayProfile.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

const QString colordService = "org.freedesktop.ColorManager";
const QString colordPath = "/org/freedesktop/ColorManager";
// A daemon that does not answer must not freeze the window for long.
constexpr int colordTimeoutMs = 1500;

QDBusMessage callColord(const QString& path, const QString& interface, const QString& method,
                        const QList<QVariant>& args) {
    QDBusMessage call = QDBusMessage::createMethodCall(colordService, path, interface, method);
    call.setArguments(args);
    return QDBusConnection::systemBus().call(call, QDBus::Block, colordTimeoutMs);
}

QVariant colordProperty(const QString& path, const QString& interface, const QString& name) {
    const QDBusMessage reply = callColord(path, "org.freedesktop.DBus.Properties", "Get", {interface, name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariant();
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

QList<QDBusObjectPath> objectPaths(const QVariant& v) {
    if (v.canConvert<QDBusArgument>())
        return qdbus_cast<QList<QDBusObjectPath>>(v.value<QDBusArgument>());
    return v.value<QList<QDBusObjectPath>>();
}

QMap<QString, QString> stringMap(const QVariant& v) {
    QMap<QString, QString> out;
    if (v.canConvert<QDBusArgument>())
        v.value<QDBusArgument>() >> out;
    return out;
}

QString profileOfDevice(const QString& device) {
    const QString deviceInterface = colordService + ".Device";
    const QList<QDBusObjectPath> profiles = objectPaths(colordProperty(device, deviceInterface, "Profiles"));
    for (const QDBusObjectPath& profile : profiles) {
        const QString file =
            colordProperty(profile.path(), colordService + ".Profile", "Filename").toString();
        if (!file.isEmpty() && QFileInfo(file).isFile())
            return file;
    }
    return QString();
}

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

xcb_atom_t atomNamed(xcb_connection_t* connection, const QByteArray& name) {
    std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, uint16_t(name.size()), name.constData()), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

QString DisplayProfile::fromColord(const QString& outputName) {
    if (!QDBusConnection::systemBus().isConnected())
        return QString();
    const QDBusMessage reply =
        callColord(colordPath, colordService, "GetDevicesByKind", {QString("display")});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QString();
    const QList<QDBusObjectPath> devices = objectPaths(reply.arguments().constFirst());
    const QString deviceInterface = colordService + ".Device";
    for (const QDBusObjectPath& device : devices) {
        const QMap<QString, QString> metadata =
            stringMap(colordProperty(device.path(), deviceInterface, "Metadata"));
        if (!outputName.isEmpty() && metadata.value("XRANDR_name") == outputName)
            return profileOfDevice(device.path());
    }
    return devices.size() == 1 ? profileOfDevice(devices.constFirst().path()) : QString();
}

QString DisplayProfile::fromX11(int screenIndex) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (connection == nullptr)
        return QString();
    const QByteArray name =
        screenIndex <= 0 ? QByteArray("_ICC_PROFILE") : "_ICC_PROFILE_" + QByteArray::number(screenIndex);
    const xcb_atom_t atom = atomNamed(connection, name);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (atom == XCB_ATOM_NONE || screen == nullptr)
        return QString();
    // Profiles are small; 16 MB is far more than any display profile needs.
    std::unique_ptr<xcb_get_property_reply_t, FreeDeleter> reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, screen->root, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 4u << 20),
        nullptr));
    if (!reply || reply->format != 8 || xcb_get_property_value_length(reply.get()) < 128)
        return QString();
    const QByteArray bytes(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           xcb_get_property_value_length(reply.get()));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/tintry";
    if (!QDir().mkpath(folder))
        return QString();
    const QString path = folder + "/display-" + QString::fromLatin1(name).toLower() + ".icc";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QString();
    return path;
}

DisplayProfile::Found DisplayProfile::find(const QWidget* widget) {
    QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const QString output = screen ? screen->name() : QString();
    const QString fromDaemon = fromColord(output);
    if (!fromDaemon.isEmpty())
        return {fromDaemon, "colord"};
    const int index = screen ? int(QGuiApplication::screens().indexOf(screen)) : 0;
    const QString fromServer = fromX11(index);
    if (!fromServer.isEmpty())
        return {fromServer, "X11"};
    return {};
}
