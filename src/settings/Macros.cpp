#include "settings/Macros.h"

#include <string_view>

#include "platform/Clock.h"
#include "platform/SystemInfo.h"
#include "platform/TextCase.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr size_t kMacroReach = 260;

struct MacroFormat
{
    std::string_view Name;
    std::string_view Format;
    bool UsesTime;
};

constexpr MacroFormat kMacros[] = {
    {"DAYOFWEEK", "dddd", false}, {"SHORTDAYOFWEEK", "ddd", false}, {"DAY", "dd", false},
    {"MONTH", "mm", false},       {"SHORTMONTH", "mmm", false},     {"LONGMONTH", "mmmm", false},
    {"YEAR", "yyyy", false},      {"SHORTDATE", "ddddd", false},    {"LONGDATE", "dddddd", false},
    {"HOUR", "hh", true},         {"MINUTE", "nn", true},           {"SECOND", "ss", true},
    {"SHORTTIME", "t", true},     {"LONGTIME", "tt", true},
};

std::string MacroValue(const std::string& name)
{
    for (const auto& macro : kMacros) {
        if (macro.Name == name) {
            const TDateTime when = macro.UsesTime ? Now() : Today() - Params().MidnightShift;
            return FormatDateTime(macro.Format, when);
        }
    }
    return EnvironmentMacro(name).value_or(std::string());
}

// Position of the closing "%" for an opening one at `open`, or npos.
size_t ClosingPercent(const std::string& text, size_t open)
{
    const size_t close = text.find('%', open + 1);
    return close != std::string::npos && close - open <= kMacroReach ? close : std::string::npos;
}

}  // namespace

std::string ExpandMacros(const std::string& text)
{
    std::string result = text;
    size_t from = 0;
    for (;;) {
        const size_t open = result.find('%', from);
        if (open == std::string::npos) {
            break;
        }
        const size_t close = ClosingPercent(result, open);
        if (close == std::string::npos) {
            break;
        }
        const std::string value = MacroValue(UpperCase(result.substr(open + 1, close - open - 1)));
        result.replace(open, close - open + 1, value);
        from = open + value.size();
    }
    return result;
}

bool HasMacro(const std::string& text)
{
    const size_t open = text.find('%');
    return open != std::string::npos && ClosingPercent(text, open) != std::string::npos;
}

}  // namespace verdal
