#include "settings/SchedulerClock.h"

#include "settings/StringList.h"

#include <cmath>

namespace verdal {
namespace {

constexpr int64_t kMsPerMinute = 60000;
constexpr int64_t kMinutesPerDay = 1440;

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

int64_t TotalMs(TDateTime value)
{
    // Whole milliseconds first, as the calendar decoding does, so 08:00 never reads as 07:59.
    return std::llround(value * 86400000.0);
}

}  // namespace

MinuteStamp MinuteStampOf(TDateTime value)
{
    return FloorDiv(TotalMs(value), kMsPerMinute);
}

int ScheduleWeekday(MinuteStamp stamp)
{
    // Day 0 (1899-12-30) was a Saturday, which is 5 counted from Monday = 0.
    const int64_t day = FloorDiv(stamp, kMinutesPerDay);
    return static_cast<int>(((day + 5) % 7 + 7) % 7);
}

int ScheduleMinuteOfDay(MinuteStamp stamp)
{
    return static_cast<int>(stamp - FloorDiv(stamp, kMinutesPerDay) * kMinutesPerDay);
}

uint32_t ScheduleWeekdayBit(int weekday)
{
    return 1u << (30 - weekday);
}

bool ScheduleEntryOn(uint32_t entry)
{
    return (entry & kScheduleOffBit) == 0;
}

int ScheduleEntryMinute(uint32_t entry)
{
    return static_cast<int>(entry & kScheduleMinuteMask);
}

bool ScheduleEntryDue(uint32_t entry, MinuteStamp stamp)
{
    return ScheduleEntryOn(entry) && (entry & ScheduleWeekdayBit(ScheduleWeekday(stamp))) != 0 &&
           ScheduleEntryMinute(entry) == ScheduleMinuteOfDay(stamp);
}

bool ScheduleHasActiveEntry(const std::vector<uint32_t>& entries)
{
    for (uint32_t entry : entries) {
        if (ScheduleEntryOn(entry)) {
            return true;
        }
    }
    return false;
}

std::optional<int> FirstDueEntry(const std::vector<uint32_t>& entries, MinuteStamp stamp)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        if (ScheduleEntryDue(entries[i], stamp)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::vector<uint32_t> ScheduleEntries(const cStringList& list)
{
    std::vector<uint32_t> entries;
    entries.reserve(list.Items().size());
    for (const auto& item : list.Items()) {
        entries.push_back(static_cast<uint32_t>(item.Value));
    }
    return entries;
}

void SchedulerClock::Arm(TDateTime now)
{
    last_ = MinuteStampOf(now);
}

void SchedulerClock::Disarm()
{
    last_.reset();
}

std::optional<int> SchedulerClock::Tick(TDateTime now, const std::vector<uint32_t>& entries,
                                        bool blocked, std::optional<MinuteStamp>* skipped)
{
    const MinuteStamp current = MinuteStampOf(now);
    if (!last_) {
        last_ = current;
        return std::nullopt;
    }
    const MinuteStamp last = *last_;
    if (current <= last) {
        if (last - current > kBackStepMinutes) {
            last_ = current;
        }
        return std::nullopt;
    }
    last_ = current;
    const MinuteStamp first = current - last <= kLateMinutes + 1 ? last + 1 : current;
    for (MinuteStamp stamp = first; stamp <= current; ++stamp) {
        if (auto due = FirstDueEntry(entries, stamp)) {
            if (!blocked) {
                return due;
            }
            if (skipped) {
                *skipped = stamp;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

int SchedulerClock::MsToNextMinute(TDateTime now)
{
    const int64_t ms = TotalMs(now);
    const int64_t intoMinute = ms - FloorDiv(ms, kMsPerMinute) * kMsPerMinute;
    return static_cast<int>(kMsPerMinute - intoMinute);
}

}  // namespace verdal
