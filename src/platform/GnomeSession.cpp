#include "platform/GnomeSession.h"

#include <gio/gio.h>
#include <cstdlib>
#include <cstring>

namespace verdal {
namespace {

constexpr const char* kManagerName = "org.gnome.SessionManager";
constexpr const char* kManagerPath = "/org/gnome/SessionManager";
constexpr const char* kClientInterface = "org.gnome.SessionManager.ClientPrivate";
constexpr int kCallTimeoutMs = 2000;

// A call to the bus itself; its string answer, or empty.
std::string BusCall(GDBusConnection* connection, const char* method, GVariant* arguments)
{
    GVariant* reply = g_dbus_connection_call_sync(
        connection, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
        arguments, G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, nullptr);
    if (!reply) {
        return {};
    }
    const gchar* text = nullptr;
    g_variant_get(reply, "(&s)", &text);
    std::string result = text;
    g_variant_unref(reply);
    return result;
}

}  // namespace

struct cGnomeSessionClient::Impl
{
    GDBusConnection* Connection = nullptr;
    std::string ClientPath;
    guint Subscription = 0;
    std::string Reason;
    Query OnQuery;

    ~Impl()
    {
        if (!Connection) {
            return;
        }
        if (Subscription) {
            g_dbus_connection_signal_unsubscribe(Connection, Subscription);
        }
        if (!ClientPath.empty()) {
            GVariant* reply = g_dbus_connection_call_sync(
                Connection, kManagerName, kManagerPath, kManagerName, "UnregisterClient",
                g_variant_new("(o)", ClientPath.c_str()), nullptr, G_DBUS_CALL_FLAGS_NONE,
                kCallTimeoutMs, nullptr, nullptr);
            if (reply) {
                g_variant_unref(reply);
            }
        }
        g_object_unref(Connection);
    }

    // Answers the manager; a refused or lost answer is not worth a message.
    void Respond(bool ok)
    {
        g_dbus_connection_call(Connection, kManagerName, ClientPath.c_str(), kClientInterface,
                               "EndSessionResponse",
                               g_variant_new("(bs)", ok, ok ? "" : Reason.c_str()), nullptr,
                               G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, nullptr, nullptr);
    }

    static void OnSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                         const gchar* signal, GVariant*, gpointer data)
    {
        auto* impl = static_cast<Impl*>(data);
        if (std::strcmp(signal, "QueryEndSession") == 0) {
            impl->Respond(!impl->OnQuery || impl->OnQuery());
        } else if (std::strcmp(signal, "EndSession") == 0) {
            impl->Respond(true);
        }
    }
};

cGnomeSessionClient::cGnomeSessionClient() : impl_(std::make_unique<Impl>()) {}

cGnomeSessionClient::~cGnomeSessionClient() = default;

bool cGnomeSessionClient::Registered() const
{
    return !impl_->ClientPath.empty();
}

bool cGnomeSessionClient::Register(const std::string& appId, const std::string& reason, Query query,
                                   const std::string& busAddress)
{
    impl_ = std::make_unique<Impl>();
    std::string address = busAddress;
    if (address.empty()) {
        const char* session = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        address = session ? session : "";
    }
    if (address.empty()) {
        return false;
    }
    // A connection of its own: the process-wide session bus may be in use by other code.
    impl_->Connection = g_dbus_connection_new_for_address_sync(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    if (!impl_->Connection) {
        return false;
    }
    // A program the session started itself hands its start-up id back; it is used once.
    const char* startup = std::getenv("DESKTOP_AUTOSTART_ID");
    const std::string startupId = startup ? startup : "";
    unsetenv("DESKTOP_AUTOSTART_ID");
    GVariant* reply = g_dbus_connection_call_sync(
        impl_->Connection, kManagerName, kManagerPath, kManagerName, "RegisterClient",
        g_variant_new("(ss)", appId.c_str(), startupId.c_str()), G_VARIANT_TYPE("(o)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr, nullptr);
    if (!reply) {
        return false;
    }
    const gchar* path = nullptr;
    g_variant_get(reply, "(&o)", &path);
    impl_->ClientPath = path;
    g_variant_unref(reply);
    impl_->Reason = reason;
    impl_->OnQuery = std::move(query);
    // Signals come from the manager's unique name; a well-known sender would need the owner
    // looked up first, and a query could slip through meanwhile.
    const std::string owner =
        BusCall(impl_->Connection, "GetNameOwner", g_variant_new("(s)", kManagerName));
    impl_->Subscription = g_dbus_connection_signal_subscribe(
        impl_->Connection, owner.empty() ? kManagerName : owner.c_str(), kClientInterface, nullptr,
        impl_->ClientPath.c_str(), nullptr, G_DBUS_SIGNAL_FLAGS_NONE, &Impl::OnSignal, impl_.get(),
        nullptr);
    // One round trip, so the bus has the subscription before the first query can come.
    BusCall(impl_->Connection, "GetId", nullptr);
    return true;
}

}  // namespace verdal
