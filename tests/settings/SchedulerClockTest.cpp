#include <gtest/gtest.h>

#include <vector>

#include "platform/Clock.h"
#include "settings/SchedulerClock.h"
#include "settings/StringList.h"

using namespace verdal;

namespace {

constexpr uint32_t kWeekdaysMidnight = 0x7C000000u;  // Monday .. Friday, 00:00, on
constexpr double kMsPerDay = 86400000.0;

struct Start
{
    TDateTime When;
    int Entry;
};

// Drives the clock like the single-shot timer does: each tick is armed for the next minute
// boundary and fires `lateMs` after it. Runs for `minutes` ticks starting at `from`.
std::vector<Start> RunTimer(SchedulerClock& clock, const std::vector<uint32_t>& entries,
                            TDateTime from, int minutes, int lateMs = 3)
{
    std::vector<Start> starts;
    SetTestNow(from);
    clock.Arm(Now());
    for (int i = 0; i < minutes; ++i) {
        const int delay = SchedulerClock::MsToNextMinute(Now()) + lateMs;
        SetTestNow(Now() + delay / kMsPerDay);
        if (auto entry = clock.Tick(Now(), entries, false)) {
            starts.push_back({Now(), *entry});
        }
    }
    return starts;
}

class SchedulerClockTest : public ::testing::Test
{
protected:
    void TearDown() override { SetTestNow(std::nullopt); }
    SchedulerClock clock;
};

}  // namespace

TEST_F(SchedulerClockTest, WeekdayAndMinuteOfAStamp)
{
    // 2024-01-08 was a Monday, 2024-01-14 a Sunday.
    const MinuteStamp monday = MinuteStampOf(EncodeDateTime(2024, 1, 8, 13, 7, 59, 999));
    EXPECT_EQ(ScheduleWeekday(monday), 0);
    EXPECT_EQ(ScheduleMinuteOfDay(monday), 13 * 60 + 7);
    const MinuteStamp sunday = MinuteStampOf(EncodeDateTime(2024, 1, 14, 23, 59));
    EXPECT_EQ(ScheduleWeekday(sunday), 6);
    EXPECT_EQ(ScheduleMinuteOfDay(sunday), 1439);
    EXPECT_EQ(ScheduleWeekdayBit(0), 1u << 30);
    EXPECT_EQ(ScheduleWeekdayBit(6), 1u << 24);
    // Exactly 08:00 stays 08:00 despite the floating-point day fraction.
    EXPECT_EQ(ScheduleMinuteOfDay(MinuteStampOf(EncodeDateTime(2024, 1, 9, 8, 0))), 480);
}

TEST_F(SchedulerClockTest, EntryFields)
{
    EXPECT_TRUE(ScheduleEntryOn(kWeekdaysMidnight));
    EXPECT_FALSE(ScheduleEntryOn(kWeekdaysMidnight | kScheduleOffBit));
    EXPECT_EQ(ScheduleEntryMinute(0x41000000u | 1439u), 1439);
    const MinuteStamp tuesday0800 = MinuteStampOf(EncodeDateTime(2024, 1, 9, 8, 0));
    EXPECT_TRUE(ScheduleEntryDue(0x20000000u | 480u, tuesday0800));
    EXPECT_FALSE(ScheduleEntryDue(0x40000000u | 480u, tuesday0800));  // Monday only
    EXPECT_FALSE(ScheduleEntryDue(0x20000000u | 481u, tuesday0800));
    EXPECT_FALSE(ScheduleEntryDue(0xA0000000u | 480u, tuesday0800));  // switched off
}

TEST_F(SchedulerClockTest, WeekdaysAtMidnightRunFiveTimesInAWeek)
{
    // From Sunday 2024-01-07 23:58:30 to the following Sunday 23:58, minute by minute.
    const auto starts =
        RunTimer(clock, {kWeekdaysMidnight}, EncodeDateTime(2024, 1, 7, 23, 58, 30), 7 * 1440);
    ASSERT_EQ(starts.size(), 5u);
    for (size_t i = 0; i < starts.size(); ++i) {
        const DateTimeParts parts = DecodeDateTime(starts[i].When);
        EXPECT_EQ(parts.Day, 8 + static_cast<int>(i));
        EXPECT_EQ(parts.Hour, 0);
        EXPECT_EQ(parts.Minute, 0);
        EXPECT_EQ(starts[i].Entry, 0);
    }
}

TEST_F(SchedulerClockTest, TwoEntriesForOneMinuteStartOneRun)
{
    const uint32_t everyDay0930 = 0x7F000000u | 570u;
    const auto starts =
        RunTimer(clock, {everyDay0930 | kScheduleOffBit, everyDay0930, everyDay0930},
                 EncodeDateTime(2024, 1, 10, 9, 0), 60);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Entry, 1);
    EXPECT_EQ(DecodeDateTime(starts[0].When).Minute, 30);
}

TEST_F(SchedulerClockTest, SwitchedOffEntryNeverRunsAndDoesNotCountAsActive)
{
    const std::vector<uint32_t> entries{0xFF000000u | 600u, kWeekdaysMidnight | kScheduleOffBit};
    EXPECT_FALSE(ScheduleHasActiveEntry(entries));
    EXPECT_FALSE(ScheduleHasActiveEntry({}));
    EXPECT_TRUE(ScheduleHasActiveEntry({entries[0], kWeekdaysMidnight}));
    EXPECT_TRUE(RunTimer(clock, entries, EncodeDateTime(2024, 1, 7, 23, 0), 7 * 1440).empty());
}

TEST_F(SchedulerClockTest, NoMinuteRunsTwice)
{
    const std::vector<uint32_t> entries{0x7F000000u | 600u};
    clock.Arm(EncodeDateTime(2024, 1, 9, 9, 59, 40));
    // The timer fires a little early: still 09:59, nothing.
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 9, 9, 59, 59, 990), entries, false));
    EXPECT_EQ(clock.Tick(EncodeDateTime(2024, 1, 9, 10, 0, 0, 2), entries, false), 0);
    // A second tick in the same minute (a run shorter than a minute) starts nothing.
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 9, 10, 0, 40), entries, false));
    // Summer time ends: the clock goes back an hour and passes 10:00 again on the same date.
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 9, 9, 1), entries, false));
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 9, 10, 0, 5), entries, false));
    // The next day it runs again.
    EXPECT_EQ(clock.Tick(EncodeDateTime(2024, 1, 10, 10, 0, 1), entries, false), 0);
}

TEST_F(SchedulerClockTest, ALateTickStillSeesTheMinuteItPassedOver)
{
    const std::vector<uint32_t> entries{0x7F000000u | 600u};
    clock.Arm(EncodeDateTime(2024, 1, 9, 9, 59, 0));
    // The machine was busy: the tick for 10:00 arrives at 10:01:02.
    EXPECT_EQ(clock.Tick(EncodeDateTime(2024, 1, 9, 10, 1, 2), entries, false), 0);
    EXPECT_EQ(clock.LastEvaluated(), MinuteStampOf(EncodeDateTime(2024, 1, 9, 10, 1)));
}

TEST_F(SchedulerClockTest, NoCatchUp)
{
    const std::vector<uint32_t> entries{0x7F000000u | 600u};
    // Armed within the scheduled minute: that minute is not run.
    clock.Arm(EncodeDateTime(2024, 1, 9, 10, 0, 10));
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 9, 10, 1, 0, 5), entries, false));
    // After a suspend of an hour the skipped 10:00 of the next day is not made up.
    clock.Arm(EncodeDateTime(2024, 1, 10, 9, 30));
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 10, 10, 30), entries, false));
    // A tick that is blocked (dialog open, run busy) consumes its minute and names it.
    clock.Arm(EncodeDateTime(2024, 1, 11, 9, 58, 30));
    std::optional<MinuteStamp> skipped;
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 11, 9, 59, 0, 3), entries, true, &skipped));
    EXPECT_FALSE(skipped);  // nothing was due
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 11, 10, 0, 0, 3), entries, true, &skipped));
    ASSERT_TRUE(skipped);
    EXPECT_EQ(ScheduleMinuteOfDay(*skipped), 600);
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 11, 10, 0, 30), entries, false));
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 11, 10, 1, 0, 3), entries, false));
}

TEST_F(SchedulerClockTest, UnarmedClockArmsOnFirstTick)
{
    EXPECT_FALSE(clock.Armed());
    EXPECT_FALSE(clock.Tick(EncodeDateTime(2024, 1, 9, 10, 0, 1), {0x7F000000u | 600u}, false));
    EXPECT_TRUE(clock.Armed());
    clock.Disarm();
    EXPECT_FALSE(clock.LastEvaluated());
}

TEST_F(SchedulerClockTest, DelayToTheNextMinuteBoundary)
{
    EXPECT_EQ(SchedulerClock::MsToNextMinute(EncodeDateTime(2024, 1, 9, 10, 0, 0)), 60000);
    EXPECT_EQ(SchedulerClock::MsToNextMinute(EncodeDateTime(2024, 1, 9, 10, 0, 59, 999)), 1);
    EXPECT_EQ(SchedulerClock::MsToNextMinute(EncodeDateTime(2024, 1, 9, 23, 59, 30, 250)), 29750);
}

TEST_F(SchedulerClockTest, EntriesComeFromTheListValues)
{
    cStringList list;
    list.Add("Mo-Fr 00:00", static_cast<int32_t>(kWeekdaysMidnight));
    list.Add("aus", static_cast<int32_t>(0xFF00003Cu));
    EXPECT_EQ(ScheduleEntries(list), (std::vector<uint32_t>{kWeekdaysMidnight, 0xFF00003Cu}));
}
