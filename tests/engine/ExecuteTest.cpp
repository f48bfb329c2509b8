#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "RunFixture.h"
#include "platform/FaultInjection.h"
#include "platform/WinError.h"

using namespace verdal;
using namespace verdal::test;

namespace {

const std::vector<std::string> kFolderA = {"A/a1.txt", "A/a2.txt", "A/a3.txt"};
const std::string kFolderB = "B/b1.txt";

struct AnswerCase
{
    int Answer;
    int Result;
    // Whether the failed file, the rest of its folder and folder B end up in the destination.
    bool FailedCopied, RestOfFolderCopied, OtherFolderCopied;
    bool FailedSourceKept;
    const char* LogLine;  // must follow the copy error in the log
};

// Every regular file below `root`, relative to it.
std::vector<std::string> FilesBelow(const std::string& root)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_directory()) {
            files.push_back(std::filesystem::relative(entry.path(), root).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class CopyErrorTest : public RunTest, public ::testing::WithParamInterface<AnswerCase>
{};

}  // namespace

// A full disk on the first copy, with the profile asking to be interrupted on errors: every
// answer of the interruption dialog.
TEST_P(CopyErrorTest, EachInterruptionAnswer)
{
    const AnswerCase& c = GetParam();
    dir.createFile("Log.txt", "");
    for (const std::string& name : kFolderA) {
        dir.createFile(Src(name), std::string(1000, 'a'), Stamp(2));
    }
    dir.createFile(Src(kFolderB), "b", Stamp(2));
    frontEnd.Answers = {c.Answer};
    InjectFault(FileOp::Write, 1, ENOSPC);

    EXPECT_EQ(Run(), c.Result);
    ASSERT_EQ(frontEnd.Interrupted.size(), 1u);
    EXPECT_EQ(frontEnd.InterruptionCodes[0], kErrDiskFull);
    const std::string failed = "A/" + frontEnd.Interrupted[0];
    EXPECT_EQ(dir.exists(Dst(failed)), c.FailedCopied);
    EXPECT_EQ(dir.exists(Src(failed)), c.FailedSourceKept);
    std::vector<std::string> expected;
    for (const std::string& name : kFolderA) {
        if (name != failed) {
            EXPECT_EQ(dir.exists(Dst(name)), c.RestOfFolderCopied) << name;
        }
        if (name == failed ? c.FailedCopied : c.RestOfFolderCopied) {
            expected.push_back(name);
        }
    }
    EXPECT_EQ(dir.exists(Dst(kFolderB)), c.OtherFolderCopied);
    if (c.OtherFolderCopied) {
        expected.push_back(kFolderB);
    }
    const std::string log = Log();
    const size_t error = log.find("FEHLER beim Kopieren:");
    ASSERT_NE(error, std::string::npos);
    EXPECT_NE(log.find("  ! Fehler 112", error), std::string::npos) << log;
    EXPECT_NE(log.find(c.LogLine, error), std::string::npos) << log;
    EXPECT_NE(log.find("     1 Fehler"), std::string::npos);
    // Whatever happened, the destination holds the copied files and nothing else: no
    // temporary file is left beside the targets.
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesBelow(dir.filePath("z")), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CopyErrorTest,
    ::testing::Values(
        AnswerCase{kRetry, kRunErrors, true, true, true, true, "Datei vorwärts kopiert:"},
        AnswerCase{kNextFile, kRunErrors, false, true, true, true, "Datei übersprungen:"},
        AnswerCase{kNextFolder, kRunErrors, false, false, true, true, "Datei übersprungen:"},
        AnswerCase{kDeleteFile, kRunErrors, false, true, true, false, "Datei gelöscht:"},
        AnswerCase{kQuitRun, kRunErrors, false, false, false, true, "Abbruch durch Benutzer."}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) {
        return "Answer" + std::to_string(info.param.Answer);
    });

// Without the interruption switch a failed copy is logged and the run goes on.
TEST_F(RunTest, CopyError_WithoutInterruptionGoesOn)
{
    params.Warnings = 0;
    dir.createFile(Src("x.txt"), "x", Stamp(2));
    dir.createFile(Src("y.txt"), "y", Stamp(2));
    InjectFault(FileOp::Write, 1, ENOSPC);
    EXPECT_EQ(Run(), kRunErrors);
    EXPECT_TRUE(frontEnd.Interrupted.empty());
    EXPECT_NE(dir.exists(Dst("x.txt")), dir.exists(Dst("y.txt")));
}

TEST_F(RunTest, ReadOnlyTarget_OverwrittenOnlyWithAttributeBit)
{
    params.Warnings = 0;
    dir.createFile(Src("fest.txt"), "neu", Stamp(1));
    const std::string target = dir.createFile(Dst("fest.txt"), "alt", Stamp(3));
    chmod(target.c_str(), 0444);
    EXPECT_EQ(Run(), kRunErrors);
    EXPECT_EQ(dir.readFile(Dst("fest.txt")), "alt");
    params.Attributes = 1;
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst("fest.txt")), "neu");
}

TEST_F(RunTest, Verify_MismatchIsLoggedAskedAndRetried)
{
    params.Verify = true;
    dir.createFile(Src("gut.txt"), "gleich", Stamp(2));
    dir.createFile(Src("kaputt.txt"), "original", Stamp(2));
    // Between the copy and the verify pass the copy is damaged.
    frontEnd.OnWait = [this] { dir.createFile(Dst("kaputt.txt"), "ORIGINAL"); };
    presenter.Answers = {BoxResult::Yes, BoxResult::No};

    EXPECT_EQ(Run(), kRunErrors);
    EXPECT_EQ(presenter.Codes(), (std::vector<int>{30109, 30109}));
    const std::string log = Log();
    EXPECT_NE(log.find("Datei verglichen:"), std::string::npos);
    EXPECT_NE(log.find("FEHLER beim Vergleichen:"), std::string::npos);
    EXPECT_NE(log.find("  ! Dateiinhalte sind nicht identisch"), std::string::npos) << log;
    EXPECT_NE(log.find("     1 Dateipaar erfolgreich verglichen"), std::string::npos);
    EXPECT_NE(log.find("     2 Fehler"), std::string::npos);
}
