#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <chrono>
#include <thread>

#include "ScopedEnv.h"
#include "platform/Desktop.h"
#include "platform/FileIO.h"
#include "platform/Network.h"
#include "platform/Process.h"
#include "platform/SessionEnd.h"
#include "platform/WinError.h"
#include "support/RecordingEnder.h"
#include "support/SessionRecorder.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

using test::ScopedEnv;

TEST(Process, SplitCommandLine_HonoursQuotes)
{
    using Args = std::vector<std::string>;
    const std::pair<const char*, Args> cases[] = {
        {"prog a  b", {"prog", "a", "b"}},
        {"\"/opt/mein prog\" \"/home/a/Log Datei.txt\" /x",
         {"/opt/mein prog", "/home/a/Log Datei.txt", "/x"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"a\\\"b c\\\\\"d e\"", {"a\"b", "c\\d e"}},
        {"C:\\Pfad\\prog.exe ''", {"C:\\Pfad\\prog.exe", "''"}},
        {"\"\"", {""}},
        {"   ", {}},
    };
    for (const auto& [line, args] : cases) {
        EXPECT_EQ(SplitCommandLine(line), args) << line;
    }
}

TEST(Process, StartDetached_ReportsMissingProgramBelow32)
{
    EXPECT_EQ(StartCommandLine("/nonexistent/verdal-program arg"), kErrFileNotFound);
    EXPECT_EQ(StartCommandLine(""), kErrFileNotFound);
    test::TestDir tree;
    const std::string marker = tree.filePath("started");
    ASSERT_GE(StartDetached({"sh", "-c", "echo ok > \"$0\"", marker}), 32);
    // The program runs on its own; wait until it has left its trace.
    for (int i = 0; i < 500 && tree.readFile("started").empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(tree.readFile("started"), "ok\n");
}

TEST(Process, RunCommand_ReturnsStatusAndOutput)
{
    std::string output;
    EXPECT_EQ(RunCommand({"sh", "-c", "echo hallo; exit 3"}, &output), 3);
    EXPECT_EQ(output, "hallo\n");
    EXPECT_EQ(RunCommand({"verdal-no-such-tool"}), std::nullopt);
    EXPECT_FALSE(FindProgram("sh").empty());
}

TEST(Process, ListProcesses_FindsThisProcess)
{
    bool found = false;
    for (const ProcessInfo& info : ListProcesses()) {
        if (info.Pid == getpid()) {
            found = true;
            EXPECT_EQ(info.Name.rfind("verdal_platfor", 0), 0u) << info.Name;
            EXPECT_NE(info.CommandLine.find("verdal_platform_tests"), std::string::npos);
        }
    }
    EXPECT_TRUE(found);
}

TEST(SessionEnd, RecorderReceivesEveryAction)
{
    std::vector<SessionAction> log;
    SetSessionEnder(std::make_unique<test::RecordingEnder>(log));
    EXPECT_TRUE(EndSession(SessionAction::LogOff));
    EXPECT_TRUE(EndSession(SessionAction::Restart));
    EXPECT_FALSE(EndSession(0));
    EXPECT_TRUE(EndSession(3));
    EXPECT_TRUE(EndSession(1));
    EXPECT_EQ(log, (std::vector<SessionAction>{SessionAction::LogOff, SessionAction::Restart,
                                               SessionAction::PowerOff, SessionAction::ShutDown}));
    test::InstallSessionRecorder();
}

TEST(Network, ParsesToolOutput)
{
    const char* avahi =
        "+;eth0;IPv4;NAS;_smb._tcp;local\n"
        "=;eth0;IPv4;NAS;_smb._tcp;local;nas.local;192.168.1.5;445;\n"
        "=;eth0;IPv6;NAS;_smb._tcp;local;nas.local;fe80::1;445;\n"
        "=;eth0;IPv4;Buero;_smb._tcp;local;buero-pc.local;192.168.1.7;445;\n";
    EXPECT_EQ(ParseAvahiHosts(avahi), (std::vector<std::string>{"nas", "buero-pc"}));
    const char* smb =
        "Disk|fotos|Familienfotos\nIPC|IPC$|IPC Service\nDisk|admin$|\n"
        "Printer|drucker|\nDisk|Daten|\n";
    EXPECT_EQ(ParseSmbShares(smb), (std::vector<std::string>{"fotos", "Daten"}));
}

class DesktopTest : public ::testing::Test
{
protected:
    test::TestDir home;
    ScopedEnv homeEnv{"HOME", home.path()};
    ScopedEnv configEnv{"XDG_CONFIG_HOME", home.filePath("config")};
    ScopedEnv dataEnv{"XDG_DATA_HOME", home.filePath("data")};
    ScopedEnv dataDirsEnv{
        "XDG_DATA_DIRS", home.filePath("usr/local/share") + ":" + home.filePath("usr/share") + "/"};
};

TEST_F(DesktopTest, XdgFolders)
{
    EXPECT_EQ(XdgFolderPath(XdgFolder::Desktop), home.filePath("Desktop"));
    home.createFile("config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    EXPECT_EQ(XdgFolderPath(XdgFolder::Desktop), home.filePath("Schreibtisch"));
    EXPECT_EQ(XdgFolderPath(XdgFolder::Autostart), home.filePath("config/autostart"));
    EXPECT_EQ(XdgFolderPath(XdgFolder::Applications), home.filePath("data/applications"));
}

TEST_F(DesktopTest, WriteLauncher_QuotesArgumentsAndEscapes)
{
    Launcher launcher;
    launcher.Name = "Sicherung Fotos";
    launcher.Program = "/opt/verdal/verdal";
    launcher.Arguments = "\"/home/anna/Sicherung 100%.vrd\" /mute";
    launcher.WorkingDirectory = "/home/anna";
    launcher.Comment = "Sichert die Fotos";
    ASSERT_EQ(WriteLauncher(home.filePath("Desktop/Sicherung"), launcher), kErrSuccess);
    EXPECT_EQ(home.readFile("Desktop/Sicherung.desktop"),
              "[Desktop Entry]\nType=Application\nName=Sicherung Fotos\n"
              "Exec=/opt/verdal/verdal \"/home/anna/Sicherung 100%%.vrd\" /mute\n"
              "Path=/home/anna\nComment=Sichert die Fotos\nTerminal=false\n");
    struct stat st
    {};
    stat(home.filePath("Desktop/Sicherung.desktop").c_str(), &st);
    EXPECT_TRUE(st.st_mode & S_IXUSR);
    launcher.Arguments = "a\\b$c";
    EXPECT_NE(LauncherText(launcher).find("Exec=/opt/verdal/verdal \"a\\\\\\\\b\\\\$c\"\n"),
              std::string::npos)
        << LauncherText(launcher);
}

TEST_F(DesktopTest, RegisterFileTypes_WritesPackageAndEntry)
{
    ASSERT_EQ(RegisterFileTypes("/opt/verdal/verdal", true), kErrSuccess);
    const std::string package = home.readFile("data/mime/packages/verdal.xml");
    EXPECT_NE(package.find("<glob pattern=\"*.vrd\"/>"), std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.vbf\"/>"), std::string::npos);
    const std::string entry = home.readFile("data/applications/verdal.desktop");
    EXPECT_NE(entry.find("Exec=/opt/verdal/verdal %f\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-verdal-profile;application/x-verdal-batch;"),
              std::string::npos);
    home.createFile("data/applications/verdal.desktop", "kept");
    ASSERT_EQ(RegisterFileTypes("/other/verdal", false), kErrSuccess);
    EXPECT_EQ(home.readFile("data/applications/verdal.desktop"), "kept");
}

TEST_F(DesktopTest, RegisterFileTypes_WritesTheInstalledMimePackage)
{
    // The per-user registration and the installed package must define the same types.
    ASSERT_EQ(RegisterFileTypes("/opt/verdal/verdal", true), kErrSuccess);
    std::string installed;
    ASSERT_EQ(
        ReadWholeFile(std::string(VERDAL_SOURCE_DIR) + "/resources/verdal-mime.xml", installed),
        kErrSuccess);
    EXPECT_EQ(home.readFile("data/mime/packages/verdal.xml"), installed);
    EXPECT_NE(home.readFile("data/applications/verdal.desktop").find("Icon=verdal\n"),
              std::string::npos);
}

TEST_F(DesktopTest, RegisterFileTypes_LeavesAPackagedInstallAlone)
{
    // Half a system registration does not count.
    home.createFile("usr/share/mime/packages/verdal.xml", "<mime-info/>");
    ASSERT_EQ(RegisterFileTypes("/usr/bin/verdal", false), kErrSuccess);
    EXPECT_TRUE(home.exists("data/applications/verdal.desktop"));

    test::TestDir user;
    ScopedEnv otherData{"XDG_DATA_HOME", user.path()};
    home.createFile("usr/share/applications/verdal.desktop", "[Desktop Entry]\n");
    ASSERT_EQ(RegisterFileTypes("/usr/bin/verdal", false), kErrSuccess);
    EXPECT_FALSE(user.exists("applications/verdal.desktop"));
    EXPECT_FALSE(user.exists("mime/packages/verdal.xml"));
    // Asked explicitly, the user's own registration is written all the same.
    ASSERT_EQ(RegisterFileTypes("/usr/bin/verdal", true), kErrSuccess);
    EXPECT_TRUE(user.exists("applications/verdal.desktop"));
}

}  // namespace
