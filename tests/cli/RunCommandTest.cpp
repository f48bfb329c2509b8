#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <string>

#include "platform/FileIO.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

// The bundled example profile moved into a temporary folder, run by the built verdal-run.
class RunCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string bytes;
        ASSERT_EQ(ReadWholeFile(VERDAL_SOURCE_DIR "/resources/examples/Beispiel.vrd", bytes), 0);
        for (size_t at = bytes.find(kDemo); at != std::string::npos; at = bytes.find(kDemo)) {
            bytes.replace(at, kDemo.size(), dir.path());
        }
        profile = dir.createFile("Beispiel.vrd", bytes);
        dir.createFile("Quelle/Daten/Brief.txt", "Hallo", 1796000000);
        dir.createDir("Ziel");
    }

    int Run(const std::string& options, std::string& out)
    {
        const std::string command = "XDG_CONFIG_HOME='" + dir.path() +
                                    "' '" VERDAL_RUN_BINARY "' --ini '" + dir.filePath("v.ini") +
                                    "' " + options + " >'" + dir.filePath("out") + "' 2>/dev/null";
        const int status = std::system(command.c_str());
        out = dir.readFile("out");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const std::string kDemo = "/tmp/verdal-demo";
    test::TestDir dir;
    std::string profile;
};

}  // namespace

TEST_F(RunCommandTest, DryRun_PrintsDecisionsAndChangesNothing)
{
    std::string out;
    EXPECT_EQ(Run("--dry-run '" + profile + "'", out), 0);
    EXPECT_NE(out.find("  Vorwärts: " + dir.filePath("Quelle/Daten/Brief.txt") + "  |  -\n"),
              std::string::npos)
        << out;
    EXPECT_FALSE(dir.exists("Log.txt"));
    EXPECT_FALSE(dir.exists("Ziel/Sicherung"));
}

TEST_F(RunCommandTest, Run_CopiesAndPrintsLogPath_UnreadableFileGives3)
{
    std::string out;
    EXPECT_EQ(Run("'" + profile + "'", out), 0);
    EXPECT_EQ(out, "Log: " + dir.filePath("Log.txt") + "\n");
    EXPECT_EQ(dir.readFile("Ziel/Sicherung/Brief.txt"), "Hallo");
    EXPECT_EQ(Run("'" + dir.filePath("fehlt.vrd") + "'", out), 3);
}
