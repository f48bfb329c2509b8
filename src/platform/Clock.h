#pragma once

#include <cstdint>
#include <optional>

namespace verdal {

// Calendar value: days since 1899-12-30, the fraction being the time of day (local time).
using TDateTime = double;

// The one source of "now" and "today" for macros, variations, age limits and the midnight
// shift. Tests pin it with SetTestNow so that every date-dependent result is repeatable.
TDateTime Now();
TDateTime Today();

// Pins Now() to a fixed local date-time; std::nullopt returns to the system clock.
void SetTestNow(std::optional<TDateTime> now);
bool NowIsPinned();

// Builds a local calendar value from its parts (month and day counted from 1).
TDateTime EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                         int second = 0, int msec = 0);

struct DateTimeParts
{
    int Year = 1899, Month = 12, Day = 30, Hour = 0, Minute = 0, Second = 0, MSec = 0;
    int DayOfWeek = 6;  // 0 = Sunday .. 6 = Saturday
};
DateTimeParts DecodeDateTime(TDateTime value);

}  // namespace verdal
