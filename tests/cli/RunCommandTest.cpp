#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/FileIO.h"
#include "support/TestDir.h"
#include "support/VerdalRun.h"

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

    // Runs verdal-run with `options`, `input` on its standard input; stderr lands in "err".
    int Run(const std::string& options, std::string& out, const std::string& input = {})
    {
        const int code = test::RunVerdalRun(dir, VERDAL_RUN_BINARY, options, input);
        out = dir.readFile("out");
        return code;
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

// A profile that is a FIFO, a directory or a file beyond the size limit ends with exit code 3
// and a German message at once: nothing blocks waiting for a writer, nothing is allocated for
// the whole file.
TEST_F(RunCommandTest, HostileProfile_Gives3WithoutBlocking)
{
    const std::string fifo = dir.filePath("Rohr.vrd");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.createFile("Riesig.vrd", "[Profile]\r\n");
    ASSERT_EQ(truncate(huge.c_str(), off_t{17} << 20), 0);
    const std::string folder = dir.createDir("Ordner.vrd");
    const struct
    {
        std::string path, message;
    } rows[] = {{fifo, "Keine gewöhnliche Datei"},
                {folder, "Keine gewöhnliche Datei"},
                {huge, "Datei zu groß"}};
    for (const auto& row : rows) {
        std::string out;
        EXPECT_EQ(Run("'" + row.path + "'", out), 3) << row.path;
        const std::string err = dir.readFile("err");
        EXPECT_NE(err.find(row.message), std::string::npos) << err;
    }
    EXPECT_FALSE(dir.exists("Ziel/Sicherung"));
}

// With --interactive a question is asked on the terminal; without it the answer of a switched-off
// message is taken (30010 "Nochmal versuchen?" answers No, so no run hangs on a missing drive).
TEST_F(RunCommandTest, Interactive_AsksOnTheTerminal)
{
    std::filesystem::remove_all(dir.filePath("Ziel"));
    std::string out;
    EXPECT_EQ(Run("--interactive '" + profile + "'", out, "x\nj\nn\n"), 1);
    const std::string err = dir.readFile("err");
    const std::string question = "Laufwerk " + dir.filePath("Ziel") + " nicht bereit.";
    size_t asked = 0;
    for (size_t at = err.find(question); at != std::string::npos; at = err.find(question, at + 1)) {
        ++asked;
    }
    EXPECT_EQ(asked, 2u) << err;  // "x" is asked again, "j" retries, "n" ends the run

    EXPECT_EQ(Run("'" + profile + "'", out), 1);
    EXPECT_NE(dir.readFile("err").find(question), std::string::npos);
}

// A run that would delete most of the backup is refused (result 2) unless allowed on purpose.
TEST_F(RunCommandTest, MassDelete_RefusedGives2UnlessAllowed)
{
    std::string out;
    ASSERT_EQ(Run("'" + profile + "'", out), 0);
    for (int i = 0; i < 6; ++i) {
        dir.createFile("Ziel/Sicherung/alt" + std::to_string(i) + ".txt", "x", 1796000000);
    }
    EXPECT_EQ(Run("'" + profile + "'", out), 2);
    EXPECT_TRUE(dir.exists("Ziel/Sicherung/alt5.txt"));
    EXPECT_NE(dir.readFile("Log.txt").find("(Schutz vor Massenl"), std::string::npos);
    EXPECT_EQ(Run("--allow-mass-delete '" + profile + "'", out), 0);
    EXPECT_FALSE(dir.exists("Ziel/Sicherung/alt5.txt"));
    EXPECT_TRUE(dir.exists("Ziel/Sicherung/Brief.txt"));
    EXPECT_EQ(Run("--help", out), 0);
    EXPECT_NE(out.find("--allow-mass-delete"), std::string::npos);
}
