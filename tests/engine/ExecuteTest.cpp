#include <sys/stat.h>
#include <cerrno>
#include <cstdlib>
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

}  // namespace

// A full disk on the first copy, with the profile asking to be interrupted on errors: every
// answer of the interruption dialog.
TEST_F(RunTest, CopyError_EachInterruptionAnswer)
{
    const AnswerCase cases[] = {
        {kRetry, kRunErrors, true, true, true, true, "Datei vorwärts kopiert:"},
        {kNextFile, kRunErrors, false, true, true, true, "Datei übersprungen:"},
        {kNextFolder, kRunErrors, false, false, true, true, "Datei übersprungen:"},
        {kDeleteFile, kRunErrors, false, true, true, false, "Datei gelöscht:"},
        {kQuitRun, kRunErrors, false, false, false, true, "Abbruch durch Benutzer."},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.Answer);
        SetUp();
        dir.createFile("Log.txt", "");
        for (const std::string& name : kFolderA) {
            dir.createFile(Src(name), std::string(1000, 'a'), Stamp(2));
        }
        dir.createFile(Src(kFolderB), "b", Stamp(2));
        frontEnd.Interrupted.clear();
        frontEnd.Answers = {c.Answer};
        InjectFault(FileOp::Write, 1, ENOSPC);

        EXPECT_EQ(Run(), c.Result);
        ASSERT_EQ(frontEnd.Interrupted.size(), 1u);
        EXPECT_EQ(frontEnd.InterruptionCodes[0], kErrDiskFull);
        const std::string failed = "A/" + frontEnd.Interrupted[0];
        EXPECT_EQ(dir.exists(Dst(failed)), c.FailedCopied);
        EXPECT_EQ(dir.exists(Src(failed)), c.FailedSourceKept);
        for (const std::string& name : kFolderA) {
            if (name != failed) {
                EXPECT_EQ(dir.exists(Dst(name)), c.RestOfFolderCopied) << name;
            }
        }
        EXPECT_EQ(dir.exists(Dst(kFolderB)), c.OtherFolderCopied);
        const std::string log = Log();
        const size_t error = log.find("FEHLER beim Kopieren:");
        ASSERT_NE(error, std::string::npos);
        EXPECT_NE(log.find("  ! Fehler 112", error), std::string::npos) << log;
        EXPECT_NE(log.find(c.LogLine, error), std::string::npos) << log;
        EXPECT_NE(log.find("     1 Fehler"), std::string::npos);
        // Whatever happened, no temporary file is left beside the targets.
        EXPECT_EQ(system(("test -z \"$(find '" + dir.filePath("z") + "' -name '*.*.*')\"").c_str()),
                  0);
        std::system(("rm -rf '" + dir.filePath("q") + "'/* '" + dir.filePath("z") + "'/*").c_str());
    }
}

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
