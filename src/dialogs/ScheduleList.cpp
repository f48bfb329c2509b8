#include "dialogs/ScheduleList.h"

#include <algorithm>
#include <cstdio>

namespace verdal {

std::string EntryText(uint32_t entry)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04d", EntryMinutes(entry));
    return text;
}

void cScheduleList::Assign(const std::vector<uint32_t>& entries)
{
    entries_ = entries;
    selected_ = -1;
}

int cScheduleList::Add(uint32_t entry)
{
    const std::string text = EntryText(entry);
    const auto at =
        std::upper_bound(entries_.begin(), entries_.end(), text,
                         [](const std::string& t, uint32_t other) { return t < EntryText(other); });
    const int row = static_cast<int>(at - entries_.begin());
    entries_.insert(at, entry);
    if (selected_ >= row) {
        ++selected_;
    }
    return row;
}

int cScheduleList::AddNew()
{
    const int row = Add(kNewEntry);
    selected_ = row;
    return row;
}

bool cScheduleList::RemoveSelected()
{
    if (selected_ < 0 || selected_ >= Count()) {
        return false;
    }
    entries_.erase(entries_.begin() + selected_);
    if (entries_.empty()) {
        selected_ = -1;
    } else if (selected_ >= Count()) {
        selected_ = Count() - 1;
    }
    return true;
}

void cScheduleList::ToggleCell(int row, int column)
{
    if (row < 0 || row >= Count() || column < 0 || column > 7) {
        return;
    }
    entries_[row] ^= ColumnBit(column);
}

void cScheduleList::SetMinutes(int row, int minutes)
{
    if (row >= 0 && row < Count()) {
        entries_[row] = WithMinutes(entries_[row], minutes);
    }
}

void cScheduleList::Resort(int draggedRow)
{
    if (draggedRow < 0 || draggedRow >= Count()) {
        return;
    }
    const uint32_t dragged = entries_[draggedRow];
    std::vector<uint32_t> others = entries_;
    others.erase(others.begin() + draggedRow);
    entries_.clear();
    selected_ = -1;
    for (uint32_t entry : others) {
        Add(entry);
    }
    selected_ = Add(dragged);
}

std::vector<uint32_t> FillEntries(int start, int end, int step, uint32_t dayBits)
{
    std::vector<uint32_t> entries;
    step = std::max(1, step);
    start = std::clamp(start, 0, kMinutesPerDay - 1);
    end = std::clamp(end, 0, kMinutesPerDay - 1);
    for (int t = start; t <= end; t += step) {
        entries.push_back((dayBits & 0x7F000000u) | static_cast<uint32_t>(t));
    }
    return entries;
}

int ScheduleColumnAt(int x)
{
    if (x < 0) {
        return -1;
    }
    if (x < kCheckColumnWidth) {
        return 0;
    }
    const int days = x - kCheckColumnWidth - kTimeColumnWidth;
    if (days < 0) {
        return -1;
    }
    const int column = 1 + days / kDayColumnWidth;
    return column <= 7 ? column : -1;
}

}  // namespace verdal
