#include <sys/stat.h>
#include <cerrno>
#include <string>

#include "RunFixture.h"
#include "engine/KeptVersion.h"
#include "platform/Clock.h"
#include "platform/FaultInjection.h"
#include "platform/FileTimes.h"

using namespace verdal;
using namespace verdal::test;

namespace {

// Two-way runs in which both versions of a file were written since the last run: the newer one
// goes to both sides, the older one stays beside it under a kept-version name.
class DoubleChangeTest : public RunTest
{
protected:
    void SetUp() override
    {
        RunTest::SetUp();
        params.TouchSrc = true;
        params.TouchDest = true;
        params.OrphanModeB = 5;
    }

    // Both sides hold `names` alike and a first run has written the snapshot; the last run is
    // taken to have started two days ago, so everything written since counts as changed.
    void SyncedAndRunBefore(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            dir.createFile(Src(name), "gemeinsam", Stamp(3));
            dir.createFile(Dst(name), "gemeinsam", Stamp(3));
        }
        ASSERT_EQ(Run(), kRunOk);
        params.LastUpdateUtc = FileTimeFromUnix(Stamp(2), 0);
        params.LastRunEndUtc = 0;
    }

    // The run just made is the last run; its own copies changed files until now.
    void TakeAsLastRun()
    {
        params.LastUpdateUtc = UtcNow();
        params.LastRunEndUtc = SystemUtcNow();
    }

    int64_t ModificationTime(const std::string& relative) const
    {
        struct stat st
        {};
        EXPECT_EQ(::stat(dir.filePath(relative).c_str(), &st), 0) << relative;
        return st.st_mtim.tv_sec;
    }
};

// Stamp(1.5) = 05.12.2026 00:00:00 and Stamp(1) = 05.12.2026 12:00:00, local = UTC here.
const char* const kKeptBericht = "Bericht (Konflikt 2026-12-05 000000).txt";

}  // namespace

TEST(KeptVersionName, StemExtensionDotFilesAndCounter)
{
    const FileTime time = DateTimeToFileTime(EncodeDateTime(2026, 3, 9, 7, 5, 4));
    EXPECT_EQ(KeptVersionName("Brief.doc", time, 1), "Brief (Konflikt 2026-03-09 070504).doc");
    EXPECT_EQ(KeptVersionName("Archiv.tar.gz", time, 3),
              "Archiv.tar (Konflikt 2026-03-09 070504 3).gz");
    EXPECT_EQ(KeptVersionName("README", time, 1), "README (Konflikt 2026-03-09 070504)");
    EXPECT_EQ(KeptVersionName(".bashrc", time, 2), ".bashrc (Konflikt 2026-03-09 070504 2)");
    EXPECT_EQ(KeptVersionName(".config.old", time, 1), ".config (Konflikt 2026-03-09 070504).old");
    // 120 two-byte characters fill 240 bytes: the stem is cut, never inside a character.
    std::string longStem;
    for (int i = 0; i < 120; ++i)
        longStem += "ä";
    const std::string kept = KeptVersionName(longStem + ".txt", time, 12);
    EXPECT_LE(kept.size(), 255u);
    EXPECT_EQ(kept.substr(kept.size() - 36), " (Konflikt 2026-03-09 070504 12).txt");
    EXPECT_EQ(kept.substr(0, kept.size() - 36), longStem.substr(0, 218));
}

// Newer on either side: the older version is kept on its own side with its content, time and
// write protection, and the log names it as a warning. Files without extension and dot files keep
// their whole name as the stem.
TEST_F(DoubleChangeTest, OlderVersionKeptBesideTheNewerOne_BothDirections)
{
    params.Attributes |= 2 | 1;  // hidden files take part, read-only ones are overwritten
    SyncedAndRunBefore({"Bericht.txt", "Notiz.txt", ".bashrc", "LIESMICH"});
    dir.createFile(Src("Bericht.txt"), "Quelle neu", Stamp(1));
    dir.createFile(Dst("Bericht.txt"), "Ziel neu", Stamp(1.5));
    dir.createFile(Src("Notiz.txt"), "Quelle neu", Stamp(1.5));
    dir.createFile(Dst("Notiz.txt"), "Ziel neu", Stamp(1));
    dir.createFile(Src(".bashrc"), "alias ll=ls", Stamp(1.5));
    dir.createFile(Dst(".bashrc"), "alias la=ls", Stamp(1));
    dir.createFile(Src("LIESMICH"), "Quelle", Stamp(1));
    dir.createFile(Dst("LIESMICH"), "Ziel", Stamp(1.5));
    ASSERT_EQ(::chmod(dir.filePath(Dst("LIESMICH")).c_str(), 0444), 0);
    ASSERT_EQ(Run(), kRunOk);

    EXPECT_EQ(dir.readFile(Src("Bericht.txt")), "Quelle neu");
    EXPECT_EQ(dir.readFile(Dst("Bericht.txt")), "Quelle neu");
    EXPECT_EQ(dir.readFile(Dst(kKeptBericht)), "Ziel neu");
    EXPECT_EQ(ModificationTime(Dst(kKeptBericht)), Stamp(1.5));
    EXPECT_FALSE(dir.exists(Src(kKeptBericht)));

    EXPECT_EQ(dir.readFile(Dst("Notiz.txt")), "Ziel neu");
    EXPECT_EQ(dir.readFile(Src("Notiz.txt")), "Ziel neu");
    EXPECT_EQ(dir.readFile(Src("Notiz (Konflikt 2026-12-05 000000).txt")), "Quelle neu");
    EXPECT_EQ(dir.readFile(Src(".bashrc (Konflikt 2026-12-05 000000)")), "alias ll=ls");
    const std::string keptLiesMich = Dst("LIESMICH (Konflikt 2026-12-05 000000)");
    EXPECT_EQ(dir.readFile(keptLiesMich), "Ziel");
    struct stat st
    {};
    ASSERT_EQ(::stat(dir.filePath(keptLiesMich).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u);  // still write-protected
    EXPECT_EQ(dir.readFile(Dst("LIESMICH")), "Quelle");

    const std::string log = Log();
    EXPECT_NE(log.find("Doppelte Änderung an " + dir.filePath(Dst("Bericht.txt")) +
                       ": ältere Fassung aufbewahrt als \"" + kKeptBericht + "\"."),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("4 Warnungen"), std::string::npos) << log;
}

// A kept-version name already taken gets a counter; the file under it stays as it was.
TEST_F(DoubleChangeTest, TakenKeptName_GetsACounter)
{
    SyncedAndRunBefore({"Bericht.txt"});
    dir.createFile(Dst(kKeptBericht), "schon da", Stamp(2.5));
    dir.createFile(Src("Bericht.txt"), "Quelle neu", Stamp(1));
    dir.createFile(Dst("Bericht.txt"), "Ziel neu", Stamp(1.5));
    ASSERT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst(kKeptBericht)), "schon da");
    EXPECT_EQ(dir.readFile(Dst("Bericht (Konflikt 2026-12-05 000000 2).txt")), "Ziel neu");
    EXPECT_EQ(dir.readFile(Dst("Bericht.txt")), "Quelle neu");
}

// The kept version is an ordinary new file: the next run copies it to the other side and
// deletes nothing, and the run after that finds both sides alike.
TEST_F(DoubleChangeTest, NextRun_CarriesTheKeptVersionAcrossAndDeletesNothing)
{
    SyncedAndRunBefore({"Bericht.txt", "Anderes.txt"});
    dir.createFile(Src("Bericht.txt"), "Quelle neu", Stamp(1));
    dir.createFile(Dst("Bericht.txt"), "Ziel neu", Stamp(1.5));
    ASSERT_EQ(Run(), kRunOk);
    TakeAsLastRun();
    ASSERT_EQ(Run(), kRunOk);
    TakeAsLastRun();
    ASSERT_EQ(Run(), kRunOk);
    for (const std::string side : {"q/", "z/"}) {
        EXPECT_EQ(dir.readFile(side + kKeptBericht), "Ziel neu") << side;
        EXPECT_EQ(dir.readFile(side + "Bericht.txt"), "Quelle neu") << side;
        EXPECT_EQ(dir.readFile(side + "Anderes.txt"), "gemeinsam") << side;
    }
    EXPECT_EQ(ModificationTime(Src(kKeptBericht)), Stamp(1.5));
    EXPECT_EQ(Log().find("Datei gelöscht"), std::string::npos) << Log();
}

// Where links are refused (vfat) the older version is copied, content and time alike.
TEST_F(DoubleChangeTest, LinkRefused_OlderVersionCopied)
{
    SyncedAndRunBefore({"Bericht.txt"});
    dir.createFile(Src("Bericht.txt"), "Quelle neu", Stamp(1));
    dir.createFile(Dst("Bericht.txt"), "Ziel neu", Stamp(1.5));
    params.ShowOverview = true;  // the fault is set once the scan is done
    frontEnd.OnReview = [](cRunContext&) {
        InjectFault(FileOp::Link, 1, EPERM);
        return true;
    };
    ASSERT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst(kKeptBericht)), "Ziel neu");
    EXPECT_EQ(ModificationTime(Dst(kKeptBericht)), Stamp(1.5));
    struct stat st
    {};
    ASSERT_EQ(::stat(dir.filePath(Dst(kKeptBericht)).c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, 1u);  // a copy, not a second name
    EXPECT_EQ(dir.readFile(Dst("Bericht.txt")), "Quelle neu");
}

// Where neither a link nor a copy can be made, nothing is overwritten: the pair is skipped and
// the run reports an error.
TEST_F(DoubleChangeTest, NeitherLinkNorCopy_PairSkippedAsAnError)
{
    SyncedAndRunBefore({"Plan.txt"});
    dir.createFile(Src("Plan.txt"), "Quelle neu", Stamp(1));
    dir.createFile(Dst("Plan.txt"), "Ziel neu", Stamp(1.5));
    params.ShowOverview = true;
    frontEnd.OnReview = [](cRunContext&) {
        InjectFault(FileOp::Link, 1, EPERM);
        InjectFault(FileOp::Open, 1, EIO);
        return true;
    };
    EXPECT_EQ(Run(), kRunErrors);
    EXPECT_EQ(dir.readFile(Src("Plan.txt")), "Quelle neu");
    EXPECT_EQ(dir.readFile(Dst("Plan.txt")), "Ziel neu");
    EXPECT_FALSE(dir.exists(Dst("Plan (Konflikt 2026-12-05 000000).txt")));
    const std::string log = Log();
    EXPECT_NE(log.find("Doppelte Änderung an " + dir.filePath(Dst("Plan.txt")) +
                       ": ältere Fassung nicht aufbewahrt ("),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Datei übersprungen:"), std::string::npos) << log;
}

// Equal sizes and times are equal files: carrying over their properties keeps nothing. A
// one-way run keeps its rule: the source replaces the destination.
TEST_F(DoubleChangeTest, EqualFilesAndOneWayRuns_KeepNothing)
{
    SyncedAndRunBefore({"Gleich.txt", "Vorwärts.txt"});
    params.CompareProperties = true;
    dir.createFile(Src("Gleich.txt"), "beide neu", Stamp(1));
    dir.createFile(Dst("Gleich.txt"), "beide neu", Stamp(1));
    ASSERT_EQ(::chmod(dir.filePath(Src("Gleich.txt")).c_str(), 0444), 0);
    dir.createFile(Src("Vorwärts.txt"), "Quelle neu", Stamp(1));
    dir.createFile(Dst("Vorwärts.txt"), "Ziel neu", Stamp(1.5));
    params.TouchSrc = false;
    ASSERT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst("Vorwärts.txt")), "Quelle neu");
    EXPECT_FALSE(dir.exists(Dst("Vorwärts (Konflikt 2026-12-05 000000).txt")));

    params.TouchSrc = true;
    ASSERT_EQ(::chmod(dir.filePath(Dst("Gleich.txt")).c_str(), 0644), 0);
    ASSERT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst("Gleich.txt")), "beide neu");
    EXPECT_FALSE(dir.exists(Dst("Gleich (Konflikt 2026-12-05 120000).txt")));
    EXPECT_FALSE(dir.exists(Src("Gleich (Konflikt 2026-12-05 120000).txt")));
}
