// A run that would delete much of one side asks first, and a stopped run stops deleting.
#include <cstdio>
#include <string>
#include <vector>

#include "RunFixture.h"
#include "engine/Orchestration.h"
#include "platform/Clock.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class DataSafetyGuardTest : public RunTest
{
protected:
    // A run as the program makes it: LastUpdate follows each successful run.
    int RunOne(const RunOptions& options = {})
    {
        cLogDelivery none;
        return RunOneProfile(params, frontEnd, none, profilePath, {}, kNoBatchCondition, 0,
                             options);
    }
    void Files(const std::string& side, int count, const std::string& prefix = "Akte")
    {
        for (int i = 0; i < count; ++i) {
            dir.createFile(side + "/" + prefix + std::to_string(i) + ".txt", "x", Stamp(3));
        }
    }
    int CountIn(const std::string& side, int count, const std::string& prefix = "Akte") const
    {
        int found = 0;
        for (int i = 0; i < count; ++i) {
            found += dir.exists(side + "/" + prefix + std::to_string(i) + ".txt") ? 1 : 0;
        }
        return found;
    }
};

// Two-way run against a side B that was emptied (an unmounted mount point looks like this),
// while one file of A was edited: the edit used to disarm the guard.
TEST_F(DataSafetyGuardTest, TwoWay_EmptiedSideWithOneEditAsksAndKeepsEveryFile)
{
    params.TouchSrc = true;
    params.OrphanModeB = 5;
    Files("q", 30);
    EXPECT_EQ(RunOne(), kRunOk);
    ASSERT_EQ(CountIn("z", 30), 30);

    SetTestNow(Now() + 1.0);
    for (int i = 0; i < 30; ++i) {
        std::remove(dir.filePath(Dst("Akte" + std::to_string(i) + ".txt")).c_str());
    }
    dir.createFile(Src("Akte0.txt"), "neu", Stamp(-0.5));
    presenter.Answers = {BoxResult::No};
    EXPECT_EQ(RunOne(), kRunErrors);
    ASSERT_EQ(presenter.Codes(), std::vector<int>{30017});
    EXPECT_EQ(presenter.Messages[0].Text,
              "Auf " + dir.filePath("q/") +
                  " würden 29 von 30 Dateien gelöscht.\r\rIst das Laufwerk richtig "
                  "eingebunden?\r\rTrotzdem löschen?");
    EXPECT_EQ(CountIn("q", 30), 30);
    EXPECT_NE(Log().find("Warnung: 29 Dateien auf " + dir.filePath("q/") +
                         " nicht gelöscht (Schutz vor Massenlöschung)."),
              std::string::npos);
}

// Neither a stray file nor a hidden marker on the other side, which takes no part in the run,
// disarms the guard; nor does a small tree.
TEST_F(DataSafetyGuardTest, Mirror_StrayFilesSmallTreesAndTheHalfMark)
{
    params.CompareFiles.Clear();
    params.CompareFiles.Add("*.txt");
    Files("z", 6);
    dir.createFile(Src("fremd.txt"), "x", Stamp(3));
    dir.createFile(Src(".marker"), "x", Stamp(3));
    presenter.Answers = {BoxResult::No};
    EXPECT_EQ(Run(), kRunErrors);
    EXPECT_EQ(presenter.Codes(), std::vector<int>{30017});
    EXPECT_EQ(CountIn("z", 6), 6);

    // Six of seventeen is below half: no question, the orphans go.
    Files("q", 10, "Teil");
    Files("z", 10, "Teil");
    presenter.Messages.clear();
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_TRUE(presenter.Messages.empty());
    EXPECT_EQ(CountIn("z", 6), 0);
    EXPECT_EQ(CountIn("z", 10, "Teil"), 10);
}

TEST_F(DataSafetyGuardTest, FourDeletions_NeverAsk)
{
    Files("z", 4);
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_TRUE(presenter.Messages.empty());
    EXPECT_EQ(CountIn("z", 4), 0);
}

// Nobody to answer (the message is switched off) is No; the caller may allow it on purpose.
TEST_F(DataSafetyGuardTest, Unanswered_IsNoAndAllowDeletes)
{
    params.Warnings = 0;
    Files("z", 8);
    EXPECT_EQ(Run(), kRunErrors);
    EXPECT_EQ(CountIn("z", 8), 8);
    EXPECT_TRUE(presenter.Messages.empty());

    RunOptions allow;
    allow.AllowMassDelete = true;
    EXPECT_EQ(Run(allow), kRunOk);
    EXPECT_EQ(CountIn("z", 8), 0);
}

// Ctrl+C during the delete pass: the deletions stop at once, the run ends as aborted.
TEST_F(DataSafetyGuardTest, Abort_StopsTheDeletePass)
{
    // Stands for the signal handler: the flag is set while the third deletion is reported.
    class StopAtThirdDeletion : public ScriptedFrontEnd
    {
    public:
        void SetPhasePosition(int64_t position) override
        {
            if (!Phases.empty() && Phases.back() == "Suche zu löschende Dateien..." &&
                position == 3) {
                AbortFlag = true;
            }
        }
    } stopping;
    Files("q", 40, "Teil");
    Files("z", 40, "Teil");
    Files("z", 20);
    EXPECT_EQ(RunProfile(params, stopping, profilePath, {}, kNoBatchCondition, 0), kRunAborted);
    EXPECT_EQ(CountIn("z", 20), 17);
    EXPECT_NE(Log().find("Abbruch durch Benutzer."), std::string::npos);
}

// The generations are renamed only by a run that happens: not when a check stops it, not when
// the review list is cancelled.
TEST_F(DataSafetyGuardTest, Generations_RotateOnlyWhenTheRunHappens)
{
    params.Variation = 4;
    params.OrphanModeD2 = 0;  // keep what only the backup holds
    params.ShowOverview = true;
    dir.createFile(Src("neu.txt"), "neu", Stamp(1));
    for (const char* generation : {"Vater", "Sohn", "Enkel"}) {
        dir.createFile(Dst(std::string(generation) + "/war.txt"), generation, Stamp(3));
    }
    const auto unchanged = [&] {
        return dir.readFile(Dst("Vater/war.txt")) == "Vater" &&
               dir.readFile(Dst("Sohn/war.txt")) == "Sohn" &&
               dir.readFile(Dst("Enkel/war.txt")) == "Enkel";
    };
    frontEnd.OnReview = [](cRunContext&) { return false; };
    EXPECT_EQ(Run(), kRunAborted);
    EXPECT_TRUE(unchanged());

    const std::string source = params.SourceDrive;
    params.SourceDrive = dir.filePath("fehlt");
    presenter.Answers = {BoxResult::No};
    EXPECT_EQ(Run(), kRunAborted);
    EXPECT_TRUE(unchanged());

    params.SourceDrive = source;
    frontEnd.OnReview = nullptr;
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst("Enkel/war.txt")), "Vater");
    EXPECT_EQ(dir.readFile(Dst("Enkel/neu.txt")), "neu");
    EXPECT_EQ(dir.readFile(Dst("Vater/war.txt")), "Sohn");
    EXPECT_EQ(dir.readFile(Dst("Sohn/war.txt")), "Enkel");
    EXPECT_FALSE(dir.exists(Dst("Sohn/neu.txt")));
}

// A snapshot that cannot be written leaves the next run to judge by an old one: result 2, and
// LastUpdate stays where it was.
TEST_F(DataSafetyGuardTest, SnapshotNotWritten_IsAnErrorAndKeepsLastUpdate)
{
    params.TouchSrc = true;
    params.OrphanModeB = 5;
    dir.createFile(Src("a.txt"), "a", Stamp(3));
    dir.createDir("Test.vrd.lst");
    EXPECT_EQ(RunOne(), kRunErrors);
    EXPECT_NE(Log().find("Schnappschuß NICHT geschrieben:"), std::string::npos);
    params.LastUpdate = 0;
    params.ReadLastUpdate(profilePath);
    EXPECT_EQ(params.LastUpdate, 0u);
}

}  // namespace
