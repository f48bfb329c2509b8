#include <sys/stat.h>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "RunFixture.h"
#include "engine/Orchestration.h"
#include "platform/Clock.h"
#include "platform/FileTimes.h"
#include "platform/RunLock.h"
#include "platform/SessionEnd.h"
#include "settings/TextCodec.h"
#include "support/RecordingEnder.h"
#include "support/SessionRecorder.h"

using namespace verdal;
using namespace verdal::test;

namespace {

// Records the deliveries instead of showing, mailing or printing.
class RecordingDelivery : public cLogDelivery
{
public:
    void ViewLog(cParameters&, const std::string& logFile) override
    {
        Calls.push_back("view");
        Files.push_back(logFile);
    }
    void SendLogByMail(cParameters&, const std::string&) override { Calls.push_back("mail"); }
    void PrintLog(cParameters&, const std::string&) override { Calls.push_back("print"); }
    std::vector<std::string> Calls;
    std::vector<std::string> Files;
};

class OrchestrationTest : public RunTest
{
protected:
    void SetUp() override
    {
        RunTest::SetUp();
        SetSessionEnder(std::make_unique<RecordingEnder>(ended));
    }
    void TearDown() override
    {
        test::InstallSessionRecorder();
        RunTest::TearDown();
    }

    // Saves the fixture's profile with its own destination folder; `works` false makes it a
    // profile with nothing to do, which ends as aborted.
    std::string SaveProfile(const std::string& name, bool works)
    {
        dir.createFile(Src(name + ".txt"), name, Stamp(2));
        params.CompareFiles.Clear();
        if (works) {
            params.CompareFiles.Add(name + ".txt");
        }
        const std::string path = dir.filePath(name + ".vrd");
        EXPECT_TRUE(params.SaveToFile(path));
        return path;
    }

    void MakeBatch(const std::vector<std::pair<std::string, int>>& entries)
    {
        params.FileKind = 1;
        params.FileName = dir.filePath("Alle.vbf");
        params.Batch.Profiles.Clear();
        for (const auto& [path, condition] : entries) {
            params.Batch.Profiles.Add(path, condition);
        }
    }

    int RunOne()
    {
        return RunOneProfile(params, frontEnd, delivery, profilePath, {}, kNoBatchCondition, 0);
    }

    RecordingDelivery delivery;
    std::vector<SessionAction> ended;
};

}  // namespace

TEST_F(OrchestrationTest, Batch_ConditionOnSuccessStopsAfterAbortedRun)
{
    const std::string aborted = SaveProfile("eins", false);
    const std::string fine = SaveProfile("zwei", true);
    MakeBatch({{aborted, 1}, {fine, 0}});
    const DocumentRunResult outcome = RunDocument(params, frontEnd, delivery, 0);
    EXPECT_EQ(outcome.Result, kRunAborted);
    EXPECT_EQ(outcome.Runs, 1);
    EXPECT_FALSE(dir.exists(Dst("zwei.txt")));
    EXPECT_EQ(params.FileKind, 1);
    EXPECT_EQ(params.FileName, dir.filePath("Alle.vbf"));
}

TEST_F(OrchestrationTest, Batch_ConditionOnFailureStopsAfterSuccessAndEndsSession)
{
    const std::string aborted = SaveProfile("eins", false);
    const std::string fine = SaveProfile("zwei", true);
    const std::string never = SaveProfile("drei", true);
    MakeBatch({{aborted, 2}, {fine, 2}, {never, 0}});
    params.Batch.BeepAfterRun = true;
    params.Batch.ShutdownMode = 3;
    params.Batch.ExitAfterRun = true;
    const DocumentRunResult outcome = RunDocument(params, frontEnd, delivery, 0);
    EXPECT_EQ(outcome.Runs, 2);
    EXPECT_TRUE(dir.exists(Dst("zwei.txt")));
    EXPECT_FALSE(dir.exists(Dst("drei.txt")));
    EXPECT_EQ(presenter.Beeps, 1);
    EXPECT_TRUE(outcome.ExitRequested);
    EXPECT_EQ(ended, std::vector<SessionAction>{SessionAction::PowerOff});
    EXPECT_NE(Log().find("- gestartet aus der Batch-Datei " + dir.filePath("Alle.vbf")),
              std::string::npos);
    EXPECT_NE(Log().find("- Bedingung für Fortsetzung der Batch-Datei: Weitermachen bei "
                         "Mißerfolg"),
              std::string::npos);
}

TEST_F(OrchestrationTest, LastUpdate_StartOfSuccessfulRunsOnly)
{
    params.Log.Viewer1 = true;
    params.Log.Email2 = true;
    dir.createFile(Src("a.txt"), "a", Stamp(2));
    EXPECT_EQ(RunOne(), kRunOk);
    const FileTime first = DateTimeToFileTime(Now());
    params.LastUpdate = 0;
    params.ReadLastUpdate(profilePath);
    EXPECT_EQ(params.LastUpdate, first);
    EXPECT_EQ(delivery.Calls, std::vector<std::string>{"view"});

    // A failed run leaves the stamp and delivers by the error flags.
    SetTestNow(Now() + 1.0);
    params.Warnings = 0;
    dir.createFile(Src("b.txt"), "b", Stamp(1));
    const std::string target = dir.createFile(Dst("b.txt"), "alt", Stamp(3));
    chmod(target.c_str(), 0444);
    delivery.Calls.clear();
    EXPECT_EQ(RunOne(), kRunErrors);
    params.ReadLastUpdate(profilePath);
    EXPECT_EQ(params.LastUpdate, first);
    EXPECT_EQ(delivery.Calls, std::vector<std::string>{"mail"});
}

// The log goes out under the name the run wrote it to (a daily name keeps the run's date, even
// when the settings name another file by the time of delivery); a run that wrote no log
// delivers nothing, though an older log lies there under the last name.
TEST_F(OrchestrationTest, Delivery_TheRunsOwnLogOrNone)
{
    params.Log.Viewer1 = true;
    params.Log.Daily = true;
    dir.createFile(Src("a.txt"), "a", Stamp(2));
    ASSERT_EQ(RunOne(), kRunOk);
    ASSERT_EQ(delivery.Files.size(), 1u);
    const std::string written = delivery.Files[0];
    EXPECT_NE(written, dir.filePath("Log.txt"));
    const std::string relative = written.substr(dir.path().size() + 1);
    ASSERT_TRUE(dir.exists(relative));
    EXPECT_NE(DecodeText(dir.readFile(relative)).find("- gestartet von Hand"), std::string::npos);

    params.Log.Active = false;
    delivery.Calls.clear();
    dir.createFile(Src("neu.txt"), "neu", Stamp(2));
    RunOne();
    EXPECT_TRUE(delivery.Calls.empty());
}

// Two-way runs that look in the snapshot, over three runs: new files both ways, deletions both
// ways, and a file changed on one side and deleted on the other, which is kept.
TEST_F(OrchestrationTest, Snapshot_TwoWayCycleOverThreeRuns)
{
    params.TouchSrc = true;
    params.OrphanModeB = 5;
    dir.createFile(Src("a.txt"), "a", Stamp(3));
    dir.createFile(Src("b.txt"), "b", Stamp(3));
    dir.createFile(Dst("c.txt"), "c", Stamp(3));
    EXPECT_EQ(RunOne(), kRunOk);
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        EXPECT_TRUE(dir.exists(Src(name)) && dir.exists(Dst(name))) << name;
    }
    EXPECT_TRUE(dir.exists("Test.vrd.lst"));

    SetTestNow(Now() + 1.0);
    std::remove(dir.filePath(Dst("a.txt")).c_str());
    std::remove(dir.filePath(Src("c.txt")).c_str());
    dir.createFile(Src("d.txt"), "d", Stamp(-0.25));
    EXPECT_EQ(RunOne(), kRunOk);
    EXPECT_FALSE(dir.exists(Src("a.txt")));
    EXPECT_FALSE(dir.exists(Dst("c.txt")));
    EXPECT_TRUE(dir.exists(Dst("d.txt")));

    SetTestNow(Now() + 1.0);
    dir.createFile(Src("b.txt"), "b geändert", Stamp(-1.25));
    std::remove(dir.filePath(Dst("b.txt")).c_str());
    dir.createFile(Dst("e.txt"), "e", Stamp(-1.25));
    EXPECT_EQ(RunOne(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst("b.txt")), "b geändert");
    EXPECT_EQ(dir.readFile(Src("b.txt")), "b geändert");
    EXPECT_TRUE(dir.exists(Src("e.txt")));
}

// The batch file stays the document and the last file, however many profiles it read.
TEST_F(OrchestrationTest, Batch_KeepsTheBatchFileAsLastFile)
{
    const std::string fine = SaveProfile("eins", true);
    MakeBatch({{fine, 0}});
    params.Programm.LastFile = dir.filePath("Alle.vbf");
    params.Modified = true;
    RunDocument(params, frontEnd, delivery, 0);
    EXPECT_EQ(params.Programm.LastFile, dir.filePath("Alle.vbf"));
    EXPECT_EQ(params.FileName, dir.filePath("Alle.vbf"));
    EXPECT_TRUE(params.Modified);
}

// A batch never runs a batch file as an entry, and an entry that cannot be read counts as a
// failed run for its condition and for the batch.
TEST_F(OrchestrationTest, Batch_EntriesThatAreNoProfile)
{
    const std::string fine = SaveProfile("eins", true);
    MakeBatch({{fine, 0}});
    const std::string inner = dir.filePath("Innen.vbf");
    ASSERT_TRUE(params.SaveToFile(inner));
    const std::string missing = dir.filePath("fehlt.vrd");

    MakeBatch({{fine, 0}, {inner, 0}});
    DocumentRunResult outcome = RunDocument(params, frontEnd, delivery, 0);
    EXPECT_EQ(outcome.Result, kRunErrors);
    EXPECT_EQ(outcome.Runs, 1);
    EXPECT_NE(Log().find("Fehler: " + inner + " ist eine Batch-Datei und kein Profil."),
              std::string::npos);

    MakeBatch({{missing, 1}, {fine, 0}});
    outcome = RunDocument(params, frontEnd, delivery, 0);
    EXPECT_EQ(outcome.Result, kRunErrors);
    EXPECT_EQ(outcome.Runs, 0);
    EXPECT_NE(Log().find("Fehler: Profil " + missing + " nicht lesbar."), std::string::npos);

    MakeBatch({{missing, 2}, {fine, 0}});
    outcome = RunDocument(params, frontEnd, delivery, 0);
    EXPECT_EQ(outcome.Result, kRunErrors);
    EXPECT_EQ(outcome.Runs, 1);
}

// While one run of a profile goes on, a second one of the same profile is refused.
TEST_F(OrchestrationTest, SameProfileTwice_SecondIsRefused)
{
    dir.createFile(Src("a.txt"), "x", Stamp(2));
    ASSERT_TRUE(params.SaveToFile(profilePath));
    {
        cRunLock running;
        ASSERT_EQ(running.TryLock(profilePath), cRunLock::Outcome::Taken);
        EXPECT_EQ(RunOne(), kRunAborted);
        EXPECT_FALSE(dir.exists(Dst("a.txt")));
        EXPECT_NE(Log().find("Fehler: Das Profil " + profilePath + " läuft bereits."),
                  std::string::npos);
        EXPECT_EQ(presenter.Messages.size(), 1u);
    }
    EXPECT_EQ(RunOne(), kRunOk);
    EXPECT_TRUE(dir.exists(Dst("a.txt")));
}
