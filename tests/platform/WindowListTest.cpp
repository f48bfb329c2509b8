#include "platform/WindowList.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include "ScopedEnv.h"

extern char** environ;

using namespace verdal;

namespace {

// A private Xvfb display on which the test itself plays the window manager: it publishes
// _NET_CLIENT_LIST on the root window as a real window manager would.
class WindowListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (access("/usr/bin/Xvfb", X_OK) != 0) {
            GTEST_SKIP() << "Xvfb ist nicht installiert (Paket xvfb)";
        }
        for (int n = 97; n < 140 && display_.empty(); ++n) {
            struct stat st
            {};
            if (stat(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), &st) != 0 &&
                stat(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), &st) != 0) {
                display_ = ":" + std::to_string(n);
            }
        }
        ASSERT_FALSE(display_.empty());
        const char* argv[] = {"/usr/bin/Xvfb", display_.c_str(), "-nolisten", "tcp", nullptr};
        ASSERT_EQ(
            posix_spawn(&server_, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ), 0);
        for (int i = 0; i < 100 && !connection_; ++i) {
            xcb_connection_t* c = xcb_connect(display_.c_str(), nullptr);
            if (!xcb_connection_has_error(c)) {
                connection_ = c;
            } else {
                xcb_disconnect(c);
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
        ASSERT_NE(connection_, nullptr) << "Xvfb antwortet nicht";
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }

    void TearDown() override
    {
        if (connection_) {
            xcb_disconnect(connection_);
        }
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
    }

    xcb_atom_t Atom(const char* name)
    {
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(strlen(name)), name),
            nullptr);
        const xcb_atom_t atom = reply->atom;
        free(reply);
        return atom;
    }

    xcb_window_t MakeWindow(xcb_atom_t property, xcb_atom_t type, const std::string& title)
    {
        const xcb_window_t window = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 10, 10, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                            static_cast<uint32_t>(title.size()), title.data());
        return window;
    }

    void PublishClientList(const std::vector<xcb_window_t>& windows)
    {
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, root_, Atom("_NET_CLIENT_LIST"),
                            XCB_ATOM_WINDOW, 32, static_cast<uint32_t>(windows.size()),
                            windows.data());
        xcb_flush(connection_);
    }

    std::string display_;
    pid_t server_ = 0;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
};

}  // namespace

TEST_F(WindowListTest, TitlesOfTheClientList_PreferUtf8Names)
{
    const xcb_window_t utf8Window =
        MakeWindow(Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), "Verdal 5 - Prüfung");
    const xcb_window_t plainWindow = MakeWindow(XCB_ATOM_WM_NAME, XCB_ATOM_STRING, "xterm");
    MakeWindow(XCB_ATOM_WM_NAME, XCB_ATOM_STRING, "nicht in der Liste");
    const xcb_window_t untitled = MakeWindow(XCB_ATOM_WM_NAME, XCB_ATOM_STRING, "");
    test::ScopedEnv env("DISPLAY", display_);

    EXPECT_TRUE(TopLevelWindowTitles().empty()) << "no window manager list yet";
    PublishClientList({utf8Window, plainWindow, untitled});
    EXPECT_EQ(TopLevelWindowTitles(), (std::vector<std::string>{"Verdal 5 - Prüfung", "xterm"}));
}

// The application trigger reads the titles where the X list has them; a Wayland session or no
// list at all falls back to the running processes (this test program among them).
TEST_F(WindowListTest, ApplicationTexts_TitlesOrElseProcesses)
{
    const xcb_window_t mail = MakeWindow(XCB_ATOM_WM_NAME, XCB_ATOM_STRING, "Posteingang - Mail");
    test::ScopedEnv env("DISPLAY", display_);
    test::ScopedEnv noWayland("WAYLAND_DISPLAY", "");
    test::ScopedEnv x11("XDG_SESSION_TYPE", "x11");
    const auto ownProcess = [](const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            if (text.find("verdal_platform") != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(ownProcess(ApplicationTexts())) << "no client list: processes";
    PublishClientList({mail});
    EXPECT_EQ(ApplicationTexts(), std::vector<std::string>{"Posteingang - Mail"});
    test::ScopedEnv wayland("XDG_SESSION_TYPE", "wayland");
    EXPECT_TRUE(ownProcess(ApplicationTexts()));
}

TEST(WindowList, NoDisplay_GivesNoTitles)
{
    test::ScopedEnv empty("DISPLAY", "");
    EXPECT_TRUE(TopLevelWindowTitles().empty());
    test::ScopedEnv closed("DISPLAY", ":139");
    EXPECT_TRUE(TopLevelWindowTitles().empty());
}
