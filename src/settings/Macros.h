#pragma once

#include <string>

namespace verdal {

// Date macros in drives, directories, file names and labels: %NAME% (case-insensitive) is
// replaced by a date or time text (DAYOFWEEK, SHORTDAYOFWEEK, DAY, MONTH, SHORTMONTH,
// LONGMONTH, YEAR, SHORTDATE, LONGDATE, HOUR, MINUTE, SECOND, SHORTTIME, LONGTIME) or else by
// the environment variable of that name (empty when unset). Dates are shifted back by
// Params().MidnightShift days; times are the current time. The search goes on after each
// inserted value, so a value that holds "%" is never expanded again.
std::string ExpandMacros(const std::string& text);

// True when `text` holds a "%" and a second "%" within the 260 characters after it.
bool HasMacro(const std::string& text);

}  // namespace verdal
