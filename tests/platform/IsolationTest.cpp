// The shared test main keeps every test away from the real home and the real session.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/AppPaths.h"
#include "platform/Process.h"
#include "platform/SessionEnd.h"
#include "support/SessionRecorder.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return !prefix.empty() && text.rfind(prefix, 0) == 0;
}

TEST(Isolation, HomeConfigAndTemporariesLieInOneTemporaryRoot)
{
    const std::string home = Env("HOME");
    const std::string root = home.substr(0, home.rfind('/'));
    EXPECT_NE(root.find("/verdal-home-"), std::string::npos) << home;
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) {
        EXPECT_NE(home, user->pw_dir);
    }
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME",
                             "XDG_RUNTIME_DIR", "TMPDIR"}) {
        EXPECT_TRUE(StartsWith(Env(name), root + "/")) << name << "=" << Env(name);
    }
    EXPECT_TRUE(StartsWith(ConfigDirectory(), home + "/")) << ConfigDirectory();
    test::TestDir dir;
    EXPECT_TRUE(StartsWith(dir.path(), root + "/")) << dir.path();
}

TEST(Isolation, SessionEndsAreRecordedNotCarriedOut)
{
    // Programs a test starts find stand-ins for the tools that end a session; checked first so
    // that a broken test main can never reach the real ones below.
    const std::string home = Env("HOME");
    const std::string systemctl = FindProgram("systemctl");
    ASSERT_TRUE(StartsWith(systemctl, home.substr(0, home.rfind('/')) + "/bin/")) << systemctl;

    const size_t before = test::RecordedSessionEnds().size();
    EXPECT_TRUE(EndSession(SessionAction::PowerOff));
    ASSERT_EQ(test::RecordedSessionEnds().size(), before + 1);
    EXPECT_EQ(test::RecordedSessionEnds().back(), SessionAction::PowerOff);
}

}  // namespace
