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
