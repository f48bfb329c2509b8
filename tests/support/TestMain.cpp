// The main of every test program: the process gets a home, XDG folders and a temporary folder
// of its own under one temporary root, a recorder in place of the session ender, and stand-ins
// for the system tools that end a session, before any test runs.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "support/SessionRecorder.h"

namespace fs = std::filesystem;

namespace {

void Fail(const std::string& what)
{
    std::fprintf(stderr, "test main: %s\n", what.c_str());
    std::exit(2);
}

std::string MakeDir(const std::string& path, mode_t mode = 0755)
{
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec || ::chmod(path.c_str(), mode) != 0) {
        Fail("cannot create " + path);
    }
    return path;
}

// A program on the PATH that only notes that it was called and fails.
void WriteStandIn(const std::string& bin, const std::string& name, const std::string& log)
{
    const std::string path = bin + "/" + name;
    std::ofstream(path) << "#!/bin/sh\necho \"" << name << " $*\" >> '" << log << "'\nexit 1\n";
    ::chmod(path.c_str(), 0755);
}

std::string Isolate()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp == '/' ? tmp : "/tmp") + "/verdal-home-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        Fail("mkdtemp failed for " + pattern);
    }
    const std::string root = pattern;
    const std::string home = MakeDir(root + "/home");
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", MakeDir(home + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", MakeDir(home + "/.local/share").c_str(), 1);
    setenv("XDG_STATE_HOME", MakeDir(home + "/.local/state").c_str(), 1);
    setenv("XDG_CACHE_HOME", MakeDir(home + "/.cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", MakeDir(root + "/runtime", 0700).c_str(), 1);
    setenv("TMPDIR", MakeDir(root + "/tmp").c_str(), 1);
    unsetenv("XDG_SESSION_ID");
    // Programs a test starts (verdal-run among them) see the same home; their attempts to end
    // the session reach these stand-ins.
    const std::string bin = MakeDir(root + "/bin");
    for (const char* tool : {"systemctl", "loginctl", "shutdown", "poweroff", "reboot"}) {
        WriteStandIn(bin, tool, root + "/session-ends.log");
    }
    const char* path = std::getenv("PATH");
    setenv("PATH", (bin + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return root;
}

// Puts the recorder back before each test, whatever the test before installed.
class SessionGuard : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override
    {
        verdal::test::InstallSessionRecorder();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const std::string root = Isolate();
    ::testing::UnitTest::GetInstance()->listeners().Append(new SessionGuard);
    int result = RUN_ALL_TESTS();
    // A program a test started tried to end the session: that must never happen.
    if (std::ifstream log{root + "/session-ends.log"}) {
        std::fprintf(stderr, "test main: a test tried to end the session:\n%s\n",
                     std::string(std::istreambuf_iterator<char>(log), {}).c_str());
        result = 1;
    }
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
    fs::remove_all(root, ec);
    return result;
}
