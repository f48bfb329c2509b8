#include "platform/GnomeSession.h"

#include <gio/gio.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <atomic>
#include <chrono>
#include <csignal>
#include <mutex>
#include <thread>
#include <vector>

#include "ScopedEnv.h"

extern char** environ;

using namespace verdal;

namespace {

constexpr const char* kManagerXml =
    "<node><interface name='org.gnome.SessionManager'>"
    "<method name='RegisterClient'><arg type='s' direction='in'/><arg type='s' direction='in'/>"
    "<arg type='o' direction='out'/></method>"
    "<method name='UnregisterClient'><arg type='o' direction='in'/></method>"
    "</interface></node>";
constexpr const char* kClientXml =
    "<node><interface name='org.gnome.SessionManager.ClientPrivate'>"
    "<method name='EndSessionResponse'><arg type='b' direction='in'/>"
    "<arg type='s' direction='in'/></method>"
    "</interface></node>";
constexpr const char* kClientPath = "/org/gnome/SessionManager/Client1";

// A session manager that only knows the calls a client makes, on a thread and main context of
// its own so that the client's blocking calls are answered.
class FakeSessionManager
{
public:
    struct Response
    {
        bool Ok;
        std::string Reason;
    };

    explicit FakeSessionManager(const std::string& address)
    {
        thread_ = std::thread([this, address] { Run(address); });
        while (!ready_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ~FakeSessionManager()
    {
        g_main_context_invoke(
            context_,
            [](gpointer loop) {
                g_main_loop_quit(static_cast<GMainLoop*>(loop));
                return G_SOURCE_REMOVE;
            },
            loop_);
        thread_.join();
    }

    bool Owned() const { return owned_; }

    void QueryEndSession()
    {
        g_dbus_connection_emit_signal(connection_, nullptr, kClientPath,
                                      "org.gnome.SessionManager.ClientPrivate", "QueryEndSession",
                                      g_variant_new("(u)", 0u), nullptr);
        g_dbus_connection_flush_sync(connection_, nullptr, nullptr);
    }

    std::mutex Mutex;
    std::vector<std::string> Registered;  // app ids
    std::vector<std::string> Unregistered;
    std::vector<Response> Responses;

private:
    static void OnCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                       const gchar* method, GVariant* params, GDBusMethodInvocation* invocation,
                       gpointer data)
    {
        auto* self = static_cast<FakeSessionManager*>(data);
        std::lock_guard lock(self->Mutex);
        if (std::string(method) == "RegisterClient") {
            const gchar* app = nullptr;
            const gchar* startup = nullptr;
            g_variant_get(params, "(&s&s)", &app, &startup);
            self->Registered.push_back(app);
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(o)", kClientPath));
            return;
        }
        if (std::string(method) == "UnregisterClient") {
            const gchar* path = nullptr;
            g_variant_get(params, "(&o)", &path);
            self->Unregistered.push_back(path);
        } else {
            gboolean ok = FALSE;
            const gchar* reason = nullptr;
            g_variant_get(params, "(b&s)", &ok, &reason);
            self->Responses.push_back({ok != FALSE, reason});
        }
        g_dbus_method_invocation_return_value(invocation, nullptr);
    }

    void Export(const char* xml, const char* path)
    {
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(xml, nullptr);
        static const GDBusInterfaceVTable vtable = {&OnCall, nullptr, nullptr, {}};
        g_dbus_connection_register_object(connection_, path, node->interfaces[0], &vtable, this,
                                          nullptr, nullptr);
        g_dbus_node_info_unref(node);
    }

    void Run(const std::string& address)
    {
        context_ = g_main_context_new();
        g_main_context_push_thread_default(context_);
        loop_ = g_main_loop_new(context_, FALSE);
        connection_ = g_dbus_connection_new_for_address_sync(
            address.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        if (connection_) {
            Export(kManagerXml, "/org/gnome/SessionManager");
            Export(kClientXml, kClientPath);
            GVariant* reply = g_dbus_connection_call_sync(
                connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                "org.freedesktop.DBus", "RequestName",
                g_variant_new("(su)", "org.gnome.SessionManager", 4u), nullptr,
                G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
            if (reply) {
                owned_ = true;
                g_variant_unref(reply);
            }
        }
        ready_ = true;
        g_main_loop_run(loop_);
        if (connection_) {
            g_dbus_connection_close_sync(connection_, nullptr, nullptr);
            g_object_unref(connection_);
        }
        g_main_loop_unref(loop_);
        g_main_context_pop_thread_default(context_);
        g_main_context_unref(context_);
    }

    std::thread thread_;
    std::atomic<bool> ready_{false};
    std::atomic<bool> owned_{false};
    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
    GDBusConnection* connection_ = nullptr;
};

// A private message bus for the test, ended by its process id.
class GnomeSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (access("/usr/bin/dbus-daemon", X_OK) != 0) {
            GTEST_SKIP() << "dbus-daemon ist nicht installiert (Paket dbus)";
        }
        int out[2];
        ASSERT_EQ(pipe(out), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        const char* argv[] = {"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1",
                              nullptr};
        ASSERT_EQ(
            posix_spawn(&daemon_, argv[0], &actions, nullptr, const_cast<char**>(argv), environ),
            0);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        char c = 0;
        while (read(out[0], &c, 1) == 1 && c != '\n') {
            address_ += c;
        }
        close(out[0]);
        ASSERT_FALSE(address_.empty()) << "dbus-daemon nennt keine Adresse";
    }

    void TearDown() override
    {
        if (daemon_ > 0) {
            kill(daemon_, SIGTERM);
            waitpid(daemon_, nullptr, 0);
        }
    }

    // Runs the main context of this thread, where the client's signals arrive.
    template <class Condition>
    bool PumpUntil(Condition done)
    {
        for (int i = 0; i < 600 && !done(); ++i) {
            while (g_main_context_iteration(nullptr, FALSE)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return done();
    }

    pid_t daemon_ = 0;
    std::string address_;
};

}  // namespace

// The client registers under its name, answers each query with what the program says (holding
// it names the reason), and takes itself off the list when it goes.
TEST_F(GnomeSessionTest, AnswersTheQueryAsTheProgramDecides)
{
    FakeSessionManager manager(address_);
    ASSERT_TRUE(manager.Owned());
    std::vector<bool> answers = {false, true};
    int asked = 0;
    {
        cGnomeSessionClient client;
        ASSERT_TRUE(client.Register(
            "verdal", "Lauf vor dem Abmelden", [&] { return answers[asked++]; }, address_));
        EXPECT_TRUE(client.Registered());
        {
            std::lock_guard lock(manager.Mutex);
            EXPECT_EQ(manager.Registered, std::vector<std::string>{"verdal"});
        }
        const auto responses = [&manager] {
            std::lock_guard lock(manager.Mutex);
            return manager.Responses.size();
        };
        manager.QueryEndSession();
        ASSERT_TRUE(PumpUntil([&] { return responses() == 1; }));
        manager.QueryEndSession();
        ASSERT_TRUE(PumpUntil([&] { return responses() == 2; }));
        std::lock_guard lock(manager.Mutex);
        EXPECT_FALSE(manager.Responses[0].Ok);
        EXPECT_EQ(manager.Responses[0].Reason, "Lauf vor dem Abmelden");
        EXPECT_TRUE(manager.Responses[1].Ok);
        EXPECT_EQ(asked, 2);
    }
    std::lock_guard lock(manager.Mutex);
    EXPECT_EQ(manager.Unregistered, std::vector<std::string>{kClientPath});
}

// Without a manager on the bus, or without a bus, there is nothing to register with.
TEST_F(GnomeSessionTest, NoManagerOrNoBus_RegistersNothing)
{
    cGnomeSessionClient client;
    EXPECT_FALSE(client.Register("verdal", "", {}, address_));
    EXPECT_FALSE(client.Registered());
    test::ScopedEnv noBus("DBUS_SESSION_BUS_ADDRESS", "");
    EXPECT_FALSE(client.Register("verdal", "", {}));
}
