#pragma once

#include "platform/Clock.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace verdal {

class cStringList;

// One schedule entry is a 32-bit value: bit 31 set = switched off; bits 30 .. 24 = Monday ..
// Sunday; the low 16 bits = minutes after midnight (0 .. 1439).
constexpr uint32_t kScheduleOffBit = 0x80000000u;
constexpr uint32_t kScheduleDaysMask = 0x7F000000u;
constexpr uint32_t kScheduleMinuteMask = 0x0000FFFFu;

// A minute stamp counts whole minutes since 1899-12-30 00:00 local time, so it carries both
// the date and the minute of the day.
using MinuteStamp = int64_t;

MinuteStamp MinuteStampOf(TDateTime value);
// Day of week of a stamp counted from Monday = 0 to Sunday = 6.
int ScheduleWeekday(MinuteStamp stamp);
// Minutes after midnight of a stamp (0 .. 1439).
int ScheduleMinuteOfDay(MinuteStamp stamp);
// Bit of a weekday (Monday = 0 .. Sunday = 6) in an entry: Monday bit 30 .. Sunday bit 24.
uint32_t ScheduleWeekdayBit(int weekday);

bool ScheduleEntryOn(uint32_t entry);
int ScheduleEntryMinute(uint32_t entry);
// Whether the entry is switched on, has the stamp's weekday and exactly its minute.
bool ScheduleEntryDue(uint32_t entry, MinuteStamp stamp);
// Whether at least one entry is switched on (this lights the status panel and arms the timer).
bool ScheduleHasActiveEntry(const std::vector<uint32_t>& entries);
// Index of the first entry due at the stamp, if any.
std::optional<int> FirstDueEntry(const std::vector<uint32_t>& entries, MinuteStamp stamp);
// The entries of a schedule list are the item values.
std::vector<uint32_t> ScheduleEntries(const cStringList& list);

// Decides, minute by minute, whether a scheduled run starts. It remembers the last minute it
// evaluated, so a tick that comes early or twice in one minute starts nothing again, and a
// tick that comes a little late still looks at the minute it passed over. There is no catch-up:
// the minute of arming, minutes while blocked (a dialog open, a run busy) and minutes beyond
// a long gap (suspend, clock set forward) are skipped.
class SchedulerClock
{
public:
    // A tick this many minutes late still evaluates the minutes it passed over.
    static constexpr int kLateMinutes = 2;
    // A clock set back by at most this many minutes (summer time ending) waits until it passes
    // the last evaluated minute again; a larger step back starts afresh.
    static constexpr int kBackStepMinutes = 60;

    // Starts counting at `now`; its own minute counts as evaluated.
    void Arm(TDateTime now);
    void Disarm();
    bool Armed() const { return last_.has_value(); }
    std::optional<MinuteStamp> LastEvaluated() const { return last_; }

    // Evaluates the minutes from the last evaluated one up to `now`. `blocked` skips them.
    // Returns the index of the entry that starts a run (at most one per tick). An unarmed clock
    // arms itself and starts nothing. A due minute that `blocked` skipped lands in `skipped`.
    std::optional<int> Tick(TDateTime now, const std::vector<uint32_t>& entries, bool blocked,
                            std::optional<MinuteStamp>* skipped = nullptr);

    // Milliseconds from `now` to the start of the next minute (1 .. 60000), for a single-shot
    // timer that fires right after each minute boundary.
    static int MsToNextMinute(TDateTime now);

private:
    std::optional<MinuteStamp> last_;
};

}  // namespace verdal
