#include <unistd.h>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "RunFixture.h"
#include "engine/Orchestration.h"
#include "platform/Clock.h"
#include "platform/FileTimes.h"

using namespace verdal;
using namespace verdal::test;

namespace {

// Two-way runs that tell deleted files from new ones by the snapshot, with the real time zone
// of a German user.
class ChangeDetectionTest : public RunTest
{
protected:
    void SetUp() override
    {
        RunTest::SetUp();
        if (const char* tz = std::getenv("TZ"))
            oldTz_ = tz;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
        params.TouchSrc = true;
        params.TouchDest = true;
        params.OrphanModeB = 5;
    }
    void TearDown() override
    {
        if (oldTz_)
            setenv("TZ", oldTz_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
        RunTest::TearDown();
    }
    int RunAndRecord()
    {
        cLogDelivery delivery;
        return RunOneProfile(params, frontEnd, delivery, profilePath, {}, kNoBatchCondition, 0);
    }
    // The real time now, for change times that the file system sets from the real clock.
    static FileTime RealUtcNow()
    {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        return FileTimeFromUnix(now.tv_sec, now.tv_nsec);
    }

private:
    std::optional<std::string> oldTz_;
};

// 31.10.2027 00:40 UTC = 02:40 summer time; twenty minutes later the clocks go back an hour.
constexpr int64_t kLastRunUnix = 1824943200;

}  // namespace

// An edit made half an hour after the last run, after the clocks went back, is an edit: the
// file is copied back, not deleted because its local time looks older than the last run.
TEST_F(ChangeDetectionTest, EndOfDaylightSavingTime_KeepsAnEditAfterTheLastRun)
{
    SetTestUtcOffset(7200);
    SetTestNow(EncodeDateTime(2027, 10, 31, 2, 40, 0));
    dir.createFile(Src("Notiz.txt"), "alt", kLastRunUnix - 86400);
    dir.createFile(Dst("Notiz.txt"), "alt", kLastRunUnix - 86400);
    ASSERT_EQ(RunAndRecord(), kRunOk);

    dir.createFile(Src("Notiz.txt"), "nach der Umstellung bearbeitet", kLastRunUnix + 1800);
    ASSERT_EQ(::unlink(dir.filePath(Dst("Notiz.txt")).c_str()), 0);
    SetTestUtcOffset(3600);
    SetTestNow(EncodeDateTime(2027, 10, 31, 2, 20, 0));  // 01:20 UTC
    params.ReadLastUpdate(profilePath);                  // as the next start reads it
    ASSERT_EQ(RunAndRecord(), kRunOk);
    EXPECT_EQ(dir.readFile(Src("Notiz.txt")), "nach der Umstellung bearbeitet");
    EXPECT_EQ(dir.readFile(Dst("Notiz.txt")), "nach der Umstellung bearbeitet");
}

// A file put back with an old modification time (a restore, cp -p) has changed all the same:
// it is copied back rather than deleted, while an untouched file's deletion still reaches the
// other side.
TEST_F(ChangeDetectionTest, RestoredOlderVersion_CountsAsChanged)
{
    dir.createFile(Src("Vertrag.txt"), "Fassung 2", Stamp(3));
    dir.createFile(Dst("Vertrag.txt"), "Fassung 2", Stamp(3));
    dir.createFile(Src("Alt.txt"), "weg", Stamp(3));
    dir.createFile(Dst("Alt.txt"), "weg", Stamp(3));
    ASSERT_EQ(Run(), kRunOk);
    params.LastUpdateUtc = RealUtcNow();
    params.LastRunEndUtc = params.LastUpdateUtc;
    ::usleep(20000);

    ASSERT_EQ(::unlink(dir.filePath(Dst("Vertrag.txt")).c_str()), 0);
    ASSERT_EQ(::unlink(dir.filePath(Dst("Alt.txt")).c_str()), 0);
    dir.createFile(Src("Vertrag.txt"), "Fassung 1", Stamp(10));  // restored from a backup
    ASSERT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst("Vertrag.txt")), "Fassung 1");
    EXPECT_EQ(dir.readFile(Src("Vertrag.txt")), "Fassung 1");
    EXPECT_FALSE(dir.exists(Src("Alt.txt")));
}

// Two-way pairs whose times cannot say which side is newer are left alone and logged with both
// stamps: equal times with different sizes, and a time more than a day in the future.
TEST_F(ChangeDetectionTest, TwoWayConflicts_BothSidesKeptAndLogged)
{
    params.OrphanModeB = 4;
    dir.createFile(Src("Bericht.txt"), "kurz", Stamp(2));
    dir.createFile(Dst("Bericht.txt"), "deutlich länger", Stamp(2));
    dir.createFile(Src("Stunde.txt"), "eins", Stamp(2));
    dir.createFile(Dst("Stunde.txt"), "eins und mehr", Stamp(2) + 3600);
    dir.createFile(Src("Zukunft.txt"), "aus der Zukunft", Stamp(-3));
    dir.createFile(Dst("Zukunft.txt"), "heute", Stamp(1));
    dir.createFile(Src("Neu.txt"), "neu", Stamp(0.5));  // a plain case still goes through
    dir.createFile(Dst("Neu.txt"), "alt", Stamp(1));
    ASSERT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Src("Bericht.txt")), "kurz");
    EXPECT_EQ(dir.readFile(Dst("Bericht.txt")), "deutlich länger");
    EXPECT_EQ(dir.readFile(Dst("Stunde.txt")), "eins und mehr");
    EXPECT_EQ(dir.readFile(Src("Stunde.txt")), "eins");
    EXPECT_EQ(dir.readFile(Dst("Zukunft.txt")), "heute");
    EXPECT_EQ(dir.readFile(Dst("Neu.txt")), "neu");
    const std::string log = Log();
    EXPECT_NE(log.find("gleiche Zeit, verschiedene Größen (Quelle "), std::string::npos) << log;
    EXPECT_NE(log.find("Datum in der Zukunft"), std::string::npos) << log;
    EXPECT_NE(log.find("3 Warnungen"), std::string::npos) << log;

    // One-way runs keep their rule: equal times, different sizes copy forward.
    params.TouchSrc = false;
    ASSERT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst("Bericht.txt")), "kurz");
}

// A file moved onto a name the last run knew keeps its older time, yet it is the change: it
// reaches the other side instead of being overwritten by the untouched version there.
TEST_F(ChangeDetectionTest, TwoWay_FileMovedOntoAKnownName_Wins)
{
    for (const char* side : {"q/", "z/"}) {
        dir.createFile(std::string(side) + "Bericht.txt", "Fassung 2", Stamp(3));
        dir.createFile(std::string(side) + "Entwurf.txt", "Entwurf", Stamp(5));
    }
    ASSERT_EQ(Run(), kRunOk);
    params.LastUpdateUtc = RealUtcNow();
    params.LastRunEndUtc = params.LastUpdateUtc;
    ::usleep(20000);

    ASSERT_EQ(::unlink(dir.filePath(Src("Bericht.txt")).c_str()), 0);
    ASSERT_EQ(::rename(dir.filePath(Src("Entwurf.txt")).c_str(),
                       dir.filePath(Src("Bericht.txt")).c_str()),
              0);
    ASSERT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Src("Bericht.txt")), "Entwurf");
    EXPECT_EQ(dir.readFile(Dst("Bericht.txt")), "Entwurf");
    EXPECT_FALSE(dir.exists(Dst("Entwurf.txt")));
}

// A copy dated a few hours ahead (written on a machine whose clock ran fast) and untouched
// since the last run does not count as changed: an edit on the other side, dated correctly and
// so older, wins.
TEST_F(ChangeDetectionTest, TwoWay_UntouchedCopyDatedAhead_LosesToAnEdit)
{
    dir.createFile(Src("Plan.txt"), "vom Rechner mit vorgehender Uhr", Stamp(-0.25));
    dir.createFile(Dst("Plan.txt"), "vom Rechner mit vorgehender Uhr", Stamp(-0.25));
    ASSERT_EQ(Run(), kRunOk);
    params.LastUpdateUtc = FileTimeFromUnix(Stamp(1.0 / 24), 0);  // an hour before now
    params.LastRunEndUtc = RealUtcNow();
    ::usleep(20000);

    dir.createFile(Dst("Plan.txt"), "hier bearbeitet", Stamp(0.01));
    ASSERT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Src("Plan.txt")), "hier bearbeitet");
    EXPECT_EQ(dir.readFile(Dst("Plan.txt")), "hier bearbeitet");
}
