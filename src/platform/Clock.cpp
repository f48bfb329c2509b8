#include "platform/Clock.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace verdal {
namespace {

std::optional<TDateTime> g_testNow;

// Days from 1970-01-01 for a proleptic Gregorian date (Howard Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

constexpr int64_t kDaysFrom1899To1970 = 25569;

}  // namespace

TDateTime Now()
{
    if (g_testNow) {
        return *g_testNow;
    }
    const auto now = std::chrono::system_clock::now();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    const std::time_t secs = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&secs, &local);
    return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec, static_cast<int>(ms % 1000));
}

TDateTime Today()
{
    return std::floor(Now());
}

void SetTestNow(std::optional<TDateTime> now)
{
    g_testNow = now;
}

bool NowIsPinned()
{
    return g_testNow.has_value();
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    const int64_t days = DaysFromCivil(year, static_cast<unsigned>(month),
                                       static_cast<unsigned>(day)) +
                         kDaysFrom1899To1970;
    const double fraction = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + msec) /
                            86400000.0;
    return static_cast<double>(days) + fraction;
}

DateTimeParts DecodeDateTime(TDateTime value)
{
    DateTimeParts parts;
    // Round to whole milliseconds first so that 0.99999 of a day never shows as 23:59:59.999.
    const int64_t totalMs = std::llround(value * 86400000.0);
    int64_t days = totalMs / 86400000;
    int64_t msOfDay = totalMs % 86400000;
    if (msOfDay < 0) {
        msOfDay += 86400000;
        --days;
    }
    const int64_t z = days - kDaysFrom1899To1970 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    parts.Year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
    parts.Month = static_cast<int>(m);
    parts.Day = static_cast<int>(d);
    parts.Hour = static_cast<int>(msOfDay / 3600000);
    parts.Minute = static_cast<int>(msOfDay / 60000 % 60);
    parts.Second = static_cast<int>(msOfDay / 1000 % 60);
    parts.MSec = static_cast<int>(msOfDay % 1000);
    // 1899-12-30 was a Saturday.
    parts.DayOfWeek = static_cast<int>(((days % 7) + 7 + 6) % 7);
    return parts;
}

}  // namespace verdal
