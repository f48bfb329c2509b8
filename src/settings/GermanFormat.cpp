#include "settings/GermanFormat.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace verdal {
namespace {

constexpr std::array<std::string_view, 7> kLongDays = {
    "Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
constexpr std::array<std::string_view, 7> kShortDays = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
constexpr std::array<std::string_view, 12> kLongMonths = {
    "Januar", "Februar", "März",      "April",   "Mai",      "Juni",
    "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
constexpr std::array<std::string_view, 12> kShortMonths = {
    "Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

constexpr std::string_view kShortDateFormat = "dd/mm/yyyy";
constexpr std::string_view kLongDateFormat = "dddd, d. mmmm yyyy";
constexpr std::string_view kShortTimeFormat = "hh:nn";
constexpr std::string_view kLongTimeFormat = "hh:nn:ss";

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsAsciiLetter(char c)
{
    const char upper = AsciiUpper(c);
    return upper >= 'A' && upper <= 'Z';
}

uint64_t Magnitude(int64_t value)
{
    return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

void AppendNumber(std::string& out, uint64_t value, int minDigits)
{
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    }
    out += digits;
}

void AppendDateTime(std::string& out, std::string_view format, const DateTimeParts& parts);

// Appends one run of `count` equal format letters; `lastToken` is the previous letter token.
void AppendToken(std::string& out, char token, int count, char lastToken,
                 const DateTimeParts& parts)
{
    switch (token) {
        case 'Y':
            if (count <= 2) {
                AppendNumber(out, parts.Year % 100, 2);
            } else {
                AppendNumber(out, parts.Year, 4);
            }
            break;
        case 'M':
            if (lastToken == 'H' && count <= 2) {
                AppendNumber(out, parts.Minute, count);
            } else if (count <= 2) {
                AppendNumber(out, parts.Month, count);
            } else {
                out += count == 3 ? ShortMonthName(parts.Month) : LongMonthName(parts.Month);
            }
            break;
        case 'D':
            if (count <= 2) {
                AppendNumber(out, parts.Day, count);
            } else if (count == 3) {
                out += ShortDayName(parts.DayOfWeek);
            } else if (count == 4) {
                out += LongDayName(parts.DayOfWeek);
            } else {
                AppendDateTime(out, count == 5 ? kShortDateFormat : kLongDateFormat, parts);
            }
            break;
        case 'H':
            AppendNumber(out, parts.Hour, count == 1 ? 1 : 2);
            break;
        case 'N':
            AppendNumber(out, parts.Minute, count == 1 ? 1 : 2);
            break;
        case 'S':
            AppendNumber(out, parts.Second, count == 1 ? 1 : 2);
            break;
        case 'Z':
            AppendNumber(out, parts.MSec, count == 1 ? 1 : 3);
            break;
        case 'T':
            AppendDateTime(out, count == 1 ? kShortTimeFormat : kLongTimeFormat, parts);
            break;
        case 'C':
            AppendDateTime(out, kShortDateFormat, parts);
            if (parts.Hour || parts.Minute || parts.Second || parts.MSec) {
                out += ' ';
                AppendDateTime(out, kLongTimeFormat, parts);
            }
            break;
        default:
            break;
    }
}

bool IsTokenLetter(char upper)
{
    return std::string_view("YMDHNSZTC").find(upper) != std::string_view::npos;
}

void AppendDateTime(std::string& out, std::string_view format, const DateTimeParts& parts)
{
    char lastToken = 0;
    size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c == '\'' || c == '"') {
            const size_t close = format.find(c, i + 1);
            const size_t end = close == std::string_view::npos ? format.size() : close;
            out.append(format.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        if (c == '/') {
            out += '.';
            ++i;
            continue;
        }
        const char upper = AsciiUpper(c);
        if (!IsAsciiLetter(c) || !IsTokenLetter(upper)) {
            out += c;
            ++i;
            if (IsAsciiLetter(c)) {
                lastToken = upper;
            }
            continue;
        }
        int count = 0;
        while (i < format.size() && AsciiUpper(format[i]) == upper) {
            ++count;
            ++i;
        }
        AppendToken(out, upper, count, lastToken, parts);
        lastToken = upper == 'M' && lastToken == 'H' ? 'N' : upper;
    }
}

// Inserts "." between groups of three digits.
std::string GroupThousands(std::string_view digits)
{
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += '.';
        }
        out += digits[i];
    }
    return out;
}

int ClampDecimals(int decimals)
{
    return decimals < 0 ? 0 : (decimals > 18 ? 18 : decimals);
}

// Fixed-point text with a decimal comma, optionally with thousands separators.
std::string FixedText(double value, int decimals, bool grouped)
{
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    }
    decimals = ClampDecimals(decimals);
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(value));
    const std::string_view text(buffer);
    const size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    std::string out = grouped ? GroupThousands(whole) : std::string(whole);
    if (dot != std::string_view::npos) {
        out += ',';
        out.append(text.substr(dot + 1));
    }
    const bool allZero = out.find_first_not_of("0.,") == std::string::npos;
    return value < 0 && !allZero ? "-" + out : out;
}

std::string IntegerText(int64_t value, int decimals, bool grouped)
{
    const std::string digits = std::to_string(Magnitude(value));
    std::string out = grouped ? GroupThousands(digits) : digits;
    decimals = ClampDecimals(decimals);
    if (decimals > 0) {
        out += ',';
        out.append(static_cast<size_t>(decimals), '0');
    }
    return value < 0 ? "-" + out : out;
}

struct Spec
{
    bool Left = false;
    int Width = 0;
    int Precision = -1;
    char Type = 0;
};

// Parses the specifier after a "%" at `pos`; returns its length or 0 when it is not one.
size_t ParseSpec(std::string_view format, size_t pos, Spec& spec)
{
    size_t i = pos + 1;
    if (i < format.size() && format[i] == '-') {
        spec.Left = true;
        ++i;
    }
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
        spec.Width = spec.Width * 10 + (format[i++] - '0');
    }
    if (i < format.size() && format[i] == '.') {
        spec.Precision = 0;
        ++i;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
            spec.Precision = spec.Precision * 10 + (format[i++] - '0');
        }
    }
    if (i >= format.size()) {
        return 0;
    }
    const char type = format[i];
    spec.Type = type >= 'A' && type <= 'Z' ? static_cast<char>(type - 'A' + 'a') : type;
    if (std::string_view("dusnfx").find(spec.Type) == std::string_view::npos) {
        return 0;
    }
    return i + 1 - pos;
}

std::string IntegerArgText(int64_t number, const Spec& spec)
{
    switch (spec.Type) {
        case 'n':
            return IntegerText(number, spec.Precision < 0 ? 2 : spec.Precision, true);
        case 'f':
            return IntegerText(number, spec.Precision < 0 ? 2 : spec.Precision, false);
        case 'x': {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(number));
            return buffer;
        }
        case 'u':
            return std::to_string(static_cast<uint64_t>(number));
        default: {
            std::string digits;
            AppendNumber(digits, Magnitude(number), spec.Precision);
            return number < 0 ? "-" + digits : digits;
        }
    }
}

std::string DoubleArgText(double number, const Spec& spec)
{
    switch (spec.Type) {
        case 'n':
        case 'f':
            return FixedText(number, spec.Precision < 0 ? 2 : spec.Precision, spec.Type == 'n');
        case 's': {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.15g", number);
            std::string text = buffer;
            for (char& c : text) {
                c = c == '.' ? ',' : c;
            }
            return text;
        }
        default:
            return IntegerArgText(std::llround(number), spec);
    }
}

std::string ArgText(const FormatArg& arg, const Spec& spec)
{
    const auto& value = arg.Get();
    if (const auto* text = std::get_if<std::string>(&value)) {
        return spec.Type == 's' && spec.Precision >= 0
                   ? FirstCharacters(*text, static_cast<size_t>(spec.Precision))
                   : *text;
    }
    if (const auto* number = std::get_if<int64_t>(&value)) {
        return spec.Type == 's' ? std::to_string(*number) : IntegerArgText(*number, spec);
    }
    return DoubleArgText(std::get<double>(value), spec);
}

}  // namespace

std::string_view LongDayName(int dayOfWeek)
{
    return kLongDays.at(static_cast<size_t>(dayOfWeek % 7));
}

std::string_view ShortDayName(int dayOfWeek)
{
    return kShortDays.at(static_cast<size_t>(dayOfWeek % 7));
}

std::string_view LongMonthName(int month)
{
    return kLongMonths.at(static_cast<size_t>((month + 11) % 12));
}

std::string_view ShortMonthName(int month)
{
    return kShortMonths.at(static_cast<size_t>((month + 11) % 12));
}

size_t CharacterCount(std::string_view text)
{
    size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

std::string FirstCharacters(const std::string& text, size_t count)
{
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == count) {
            return text.substr(0, i);
        }
    }
    return text;
}

std::string FormatDateTime(std::string_view format, TDateTime value)
{
    std::string out;
    AppendDateTime(out, format, DecodeDateTime(value));
    return out;
}

std::string FormatNumber(double value, int decimals)
{
    return FixedText(value, decimals, true);
}

std::string FormatIntegerNumber(int64_t value, int decimals)
{
    return IntegerText(value, decimals, true);
}

std::string FormatText(std::string_view format, std::span<const FormatArg> args)
{
    std::string out;
    auto next = args.begin();
    size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        Spec spec;
        const size_t length = ParseSpec(format, i, spec);
        if (length == 0 || next == args.end()) {
            const size_t keep = length == 0 ? 1 : length;
            out.append(format.substr(i, keep));
            i += keep;
            continue;
        }
        const std::string text = ArgText(*next++, spec);
        const size_t count = CharacterCount(text);
        const size_t pad = spec.Width > 0 && count < static_cast<size_t>(spec.Width)
                               ? static_cast<size_t>(spec.Width) - count
                               : 0;
        if (!spec.Left) {
            out.append(pad, ' ');
        }
        out += text;
        if (spec.Left) {
            out.append(pad, ' ');
        }
        i += length;
    }
    return out;
}

}  // namespace verdal
