#include "engine/CandidateOrder.h"

#include <algorithm>
#include <cmath>

#include "platform/FileTimes.h"
#include "platform/TextCase.h"
#include "settings/GermanFormat.h"

namespace verdal {

namespace {

int Sign(int64_t value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

int DigitCount(int64_t size)
{
    int digits = 0;
    for (; size > 0; size /= 10)
        ++digits;
    return digits;
}

std::string FirstCharacter(const std::string& text)
{
    if (text.empty())
        return {};
    const unsigned char lead = static_cast<unsigned char>(text[0]);
    const size_t length = lead < 0xC0 ? 1 : (lead < 0xE0 ? 2 : (lead < 0xF0 ? 3 : 4));
    return text.substr(0, std::min(length, text.size()));
}

int64_t CalendarDay(FileTime time)
{
    return static_cast<int64_t>(std::floor(FileTimeToDateTime(time)));
}

// The group key of a candidate, as text (ordinal keys are formatted as numbers).
std::string GroupKey(const cCandidate& c, int sortingMode)
{
    switch (sortingMode) {
        case kSortName:
            return UpperCase(FirstCharacter(c.Name));
        case kSortType:
            return FoldCase(c.Ext);
        case kSortSize:
            return std::to_string(DigitCount(c.ShowSize));
        case kSortDate:
            return std::to_string(CalendarDay(c.ShowTime));
        case kSortCategory:
            return std::to_string(c.Action());
        default:
            return std::to_string(c.DirIndex);
    }
}

std::string SizeCaption(int digits)
{
    if (digits == 0)
        return FormatText("%.0n Bytes", {0});
    if (digits >= 10)
        return FormatText("Größer als %.0n Bytes", {int64_t{1000000000}});
    int64_t low = 1;
    for (int i = 1; i < digits; ++i)
        low *= 10;
    return FormatText("%.0n...%.0n Bytes", {low, low * 10 - 1});
}

std::string PathCaption(const std::string& dir, const std::string& commonPrefix)
{
    if (!commonPrefix.empty() && dir.size() >= commonPrefix.size() &&
        SameTextCI(dir.substr(0, commonPrefix.size()), commonPrefix))
        return "...\\" + dir.substr(commonPrefix.size());
    return dir;
}

std::string Caption(const cCandidate& c, int sortingMode, const std::vector<std::string>& dirs,
                    const std::string& commonPrefix)
{
    switch (sortingMode) {
        case kSortName:
            return FormatText("%s...", {UpperCase(FirstCharacter(c.Name))});
        case kSortType:
            return c.Ext.empty() ? std::string("<ohne Typ>") : FoldCase(c.Ext);
        case kSortSize:
            return SizeCaption(DigitCount(c.ShowSize));
        case kSortDate:
            return FormatDateTime("dddd ddddd", static_cast<double>(CalendarDay(c.ShowTime)));
        case kSortCategory:
            return ActionCaption(c.Action());
        default:
            return PathCaption(dirs[c.DirIndex], commonPrefix);
    }
}

}  // namespace

int CompareCandidates(const cCandidate& a, const cCandidate& b, int sortingMode)
{
    switch (sortingMode) {
        case kSortName:
            return CompareTextCI(a.Name, b.Name);
        case kSortType:
            return CompareTextCI(a.Ext, b.Ext);
        case kSortSize:
            return Sign(b.ShowSize - a.ShowSize);
        case kSortDate:
            return b.ShowTime < a.ShowTime ? -1 : (b.ShowTime > a.ShowTime ? 1 : 0);
        case kSortCategory:
            return Sign(int64_t{a.Action()} - int64_t{b.Action()});
        default:
            return Sign(int64_t{a.DirIndex} - int64_t{b.DirIndex});
    }
}

void SortCandidates(cCandidateList& candidates, int sortingMode, bool reverse)
{
    auto& items = candidates.Items();
    std::stable_sort(items.begin(), items.end(), [&](const auto& a, const auto& b) {
        const int c = CompareCandidates(*a, *b, sortingMode);
        return reverse ? c > 0 : c < 0;
    });
}

void BuildHeaders(const cCandidateList& candidates, int sortingMode,
                  const std::vector<std::string>& sourceDirs, const std::string& commonPrefix,
                  bool open, cFolderList& headers)
{
    headers.Clear();
    std::string lastKey;
    for (int i = 0; i < candidates.Count(); ++i) {
        const std::string key = GroupKey(candidates[i], sortingMode);
        if (i > 0 && key == lastKey)
            continue;
        if (!headers.Empty())
            headers[headers.Count() - 1].Last = i - 1;
        headers.Emplace(Caption(candidates[i], sortingMode, sourceDirs, commonPrefix), i, open);
        lastKey = key;
    }
    if (!headers.Empty())
        headers[headers.Count() - 1].Last = candidates.Count() - 1;
}

}  // namespace verdal
