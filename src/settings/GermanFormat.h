#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "platform/Clock.h"

namespace verdal {

// German date, time and number texts, whatever the system locale says.

// German names; dayOfWeek 0 = Sunday .. 6 = Saturday, month 1..12.
std::string_view LongDayName(int dayOfWeek);
std::string_view ShortDayName(int dayOfWeek);
std::string_view LongMonthName(int month);
std::string_view ShortMonthName(int month);

// Formats `value` by the format letters the program's texts use:
//   d dd ddd dddd   day, two-digit day, "Mo", "Montag"
//   ddddd dddddd    short date "dd.mm.yyyy", long date "dddd, d. mmmm yyyy"
//   m mm mmm mmmm   month, two-digit month, "Mär", "März" (m/mm right after an h: minutes)
//   yy yyyy         year; h hh, n nn, s ss, z zzz  hour, minute, second, millisecond
//   t tt c          short time "hh:nn", long time "hh:nn:ss", short date + long time
//   / :             date separator "." and time separator ":"
// Letters are case-insensitive; text in single or double quotes and any other character pass
// through unchanged.
std::string FormatDateTime(std::string_view format, TDateTime value);

// Number with thousands separator "." and `decimals` digits after the decimal comma: the
// "%.Nn" style. Integers are formatted exactly, whatever their size.
std::string FormatNumber(double value, int decimals);
std::string FormatIntegerNumber(int64_t value, int decimals);
template <std::integral T>
std::string FormatNumber(T value, int decimals = 0)
{
    return FormatIntegerNumber(static_cast<int64_t>(value), decimals);
}

// One argument of FormatText: a text, an integer or a floating-point number.
class FormatArg
{
public:
    FormatArg(const char* text) : value_(std::string(text ? text : "")) {}
    FormatArg(std::string_view text) : value_(std::string(text)) {}
    FormatArg(const std::string& text) : value_(text) {}
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) FormatArg(T number)
        : value_(static_cast<int64_t>(number))
    {}
    FormatArg(double number) : value_(number) {}

    using Value = std::variant<std::string, int64_t, double>;
    const Value& Get() const { return value_; }

private:
    Value value_;
};

// The number of characters (not bytes) of UTF-8 `text`, and its first `count` characters.
size_t CharacterCount(std::string_view text);
std::string FirstCharacters(const std::string& text, size_t count);

// Fills a printf-like template as the program's texts use it: %s, %d, %u, %x, %f and %n (the
// German number of FormatNumber; precision = decimals, default 2), each with an optional "-"
// (left-justify), width and ".precision" (for %s the maximum length); "%%" is a percent sign.
// Widths count characters, not bytes. A specifier without an argument stays as it is.
std::string FormatText(std::string_view format, std::span<const FormatArg> args);
inline std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args)
{
    return FormatText(format, std::span<const FormatArg>(args.begin(), args.size()));
}

}  // namespace verdal
