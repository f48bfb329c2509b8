#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <string>

#include "platform/Clock.h"
#include "platform/FileIO.h"
#include "platform/FileTimes.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

struct RunResult
{
    int ExitCode = -1;
    std::string Out, Err;
};

// Runs the built verdal-run with `args` (already quoted for the shell) and its configuration
// folder in a temporary directory.
class VerdalRunTest : public ::testing::Test
{
protected:
    RunResult Run(const std::string& args, const std::string& env = {})
    {
        const std::string command = "XDG_CONFIG_HOME='" + dir_.path() + "' " + env + " '" +
                                    VERDAL_RUN_BINARY + "' " + args + " >'" + dir_.filePath("out") +
                                    "' 2>'" + dir_.filePath("err") + "'";
        const int status = std::system(command.c_str());
        RunResult result;
        result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.Out = dir_.readFile("out");
        result.Err = dir_.readFile("err");
        return result;
    }
    static std::string Example(const std::string& name)
    {
        return "'" VERDAL_SOURCE_DIR "/resources/examples/" + name + "'";
    }

    test::TestDir dir_;
};

}  // namespace

TEST_F(VerdalRunTest, Summary_PrintsExampleProfileTree)
{
    const RunResult r = Run("--summary " + Example("Beispiel.vrd"));
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(r.Out.rfind("Quelle\n  Laufwerk: /tmp/verdal-demo/Quelle\n"
                          "  Verzeichnisse durchsuchen...\n    \\Daten\\*\n",
                          0),
              0u);
    EXPECT_NE(r.Out.find("\n    Anrühren: Nur Ziel (vorwärts)\n"), std::string::npos);
    EXPECT_NE(r.Out.find("\nZeitplaner...\n"), std::string::npos);
    EXPECT_FALSE(dir_.exists("verdal/Verdal50.ini"));  // showing settings writes nothing
}

TEST_F(VerdalRunTest, Summary_PrintsBatchFileWithMacroInName)
{
    const std::string folder = VERDAL_SOURCE_DIR "/resources/examples";
    const RunResult r =
        Run("--summary '%BEISPIELORDNER%/Beispiel.vbf'", "BEISPIELORDNER='" + folder + "'");
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out,
              "Batch\n  Profile\n    /tmp/verdal-demo/Beispiel.vrd   Immer weitermachen\n"
              "  Warnungen\n    Siehe individuelle Einstellungen in den Profilen\n"
              "  Automatik...\nZeitplaner...\n"
              "  Aktiv:   18:00;   Wochentage:  Mo  Di  Mi  Do  Fr\n");
}

TEST_F(VerdalRunTest, Summary_ReadsLastRunFromGivenOptionsFile)
{
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(VERDAL_SOURCE_DIR "/resources/examples/Beispiel.vrd", bytes), 0);
    const size_t age = bytes.find("\r\n0\r\n0\r\n46361\r\n");
    ASSERT_NE(age, std::string::npos);
    bytes.replace(age, 5, "\r\n3\r\n");  // age limit: since the last run
    dir_.createFile("Daten.vrd", bytes);

    const FileTime stamp = DateTimeToFileTime(EncodeDateTime(2026, 12, 5, 14, 30));
    dir_.createFile("eigen.ini", "[Last Update]\nDaten.vrd Lo=" +
                                     std::to_string(static_cast<int32_t>(stamp & 0xFFFFFFFF)) +
                                     "\nDaten.vrd Hi=" + std::to_string(stamp >> 32) + "\n");
    const RunResult r = Run("--ini '" + dir_.filePath("eigen.ini") + "' --summary '" +
                            dir_.filePath("Daten.vrd") + "'");
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Out.find("\n  Alter: Seit dem letzten Lauf am Sa 05.12.2026 14:30:00\n"),
              std::string::npos)
        << r.Out;
}

TEST_F(VerdalRunTest, Summary_UnreadableFileGivesCode3AndGermanError)
{
    const RunResult r = Run("--summary '" + dir_.filePath("fehlt.vrd") + "'");
    EXPECT_EQ(r.ExitCode, 3);
    EXPECT_EQ(r.Out, "");
    EXPECT_NE(r.Err.find("Fehler beim Lesen von"), std::string::npos) << r.Err;
}

TEST_F(VerdalRunTest, CommandLine_HelpVersionAndMistakes)
{
    struct Case
    {
        const char* Args;
        int ExitCode;
        const char* Expected;  // in standard output for code 0, else in standard error
    } cases[] = {
        {"--help", 0, "Aufruf: verdal-run"},
        {"--version", 0, "verdal-run 5.0.0\n"},
        {"", 3, "Keine Profil- oder Batch-Datei angegeben."},
        {"--summary", 3, "Keine Profil- oder Batch-Datei angegeben."},
        {"--bunt a.vrd", 3, "Unbekannte Option: --bunt"},
        {"--summary a.vrd b.vrd", 3, "Zu viele Dateien angegeben: b.vrd"},
        {"a.vrd --ini", 3, "Nach --ini fehlt der Name der Optionsdatei."},
    };
    for (const Case& c : cases) {
        const RunResult r = Run(c.Args);
        EXPECT_EQ(r.ExitCode, c.ExitCode) << c.Args;
        const std::string& text = c.ExitCode == 0 ? r.Out : r.Err;
        EXPECT_NE(text.find(c.Expected), std::string::npos) << c.Args << ": " << text;
    }
}
