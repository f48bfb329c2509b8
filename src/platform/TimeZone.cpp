#include "platform/TimeZone.h"

#include <ctime>

namespace verdal {

int UtcOffsetMinutes(TDateTime local)
{
    const DateTimeParts p = DecodeDateTime(local);
    std::tm tm{};
    tm.tm_year = p.Year - 1900;
    tm.tm_mon = p.Month - 1;
    tm.tm_mday = p.Day;
    tm.tm_hour = p.Hour;
    tm.tm_min = p.Minute;
    tm.tm_sec = p.Second;
    tm.tm_isdst = -1;  // let the zone rules decide
    if (std::mktime(&tm) == static_cast<std::time_t>(-1)) {
        return 0;
    }
    return static_cast<int>(tm.tm_gmtoff / 60);
}

}  // namespace verdal
