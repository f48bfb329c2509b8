#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace verdal {

// Schedule entries: bit 31 switched off, bits 30..24 Monday..Sunday, bits 15..0 minutes after
// midnight.
inline constexpr uint32_t kEntryOff = 0x80000000u;
inline constexpr uint32_t kNewEntry = 0x7C000000u;  // on, Monday to Friday, 00:00
inline constexpr int kMinutesPerDay = 1440;

inline int EntryMinutes(uint32_t entry)
{
    return static_cast<int>(entry & 0xFFFFu);
}
inline uint32_t WithMinutes(uint32_t entry, int minutes)
{
    return (entry & 0xFFFF0000u) | static_cast<uint32_t>(minutes & 0xFFFF);
}
// Bit of weekday column 1..7 (Monday..Sunday); column 0 is the switch.
inline uint32_t ColumnBit(int column)
{
    return 1u << (31 - column);
}
// The sort text of an entry: its minutes as four digits.
std::string EntryText(uint32_t entry);

// The scheduler's list: entries kept in time order, where an entry added later sorts after
// those of equal time, and the selected row.
class cScheduleList
{
public:
    const std::vector<uint32_t>& Entries() const { return entries_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    uint32_t At(int row) const { return entries_[row]; }
    int Selected() const { return selected_; }
    void Select(int row) { selected_ = (row >= 0 && row < Count()) ? row : -1; }

    // Replaces the entries in the order given (as stored) without sorting them again.
    void Assign(const std::vector<uint32_t>& entries);
    // Inserts after every entry whose text sorts before or equal; returns the row.
    int Add(uint32_t entry);
    // The plus button: a new entry, selected alone.
    int AddNew();
    // The minus button: removes the selected row and selects the one now at that place, or the
    // last. Nothing happens without a selection.
    bool RemoveSelected();
    // A click in column 0..7 of a row inverts the switch or that weekday; other columns do
    // nothing.
    void ToggleCell(int row, int column);
    // Sets the minutes of a row in place (while its hand is dragged).
    void SetMinutes(int row, int minutes);
    // After a drag: the other entries in their order, then the dragged one, which stays
    // selected.
    void Resort(int draggedRow);

private:
    std::vector<uint32_t> entries_;
    int selected_ = -1;
};

// Minutes after midnight of a time of day, exact to the minute.
inline int MinutesOfTime(int hour, int minute)
{
    return hour * 60 + minute;
}

// The entries of a series: from `start` to `end` (minutes) every `step` minutes (at least 1),
// switched on, with `dayBits` (bits 30..24) set.
std::vector<uint32_t> FillEntries(int start, int end, int step, uint32_t dayBits);

// The column of the entry list under x (logical pixels): 0 the switch, 1..7 the weekdays,
// -1 the time column and beyond.
int ScheduleColumnAt(int x);
inline constexpr int kScheduleMargin = 4;
inline constexpr int kCheckColumnWidth = 14 + kScheduleMargin;
inline constexpr int kTimeColumnWidth = 80 + kScheduleMargin;
inline constexpr int kDayColumnWidth = 32 + kScheduleMargin;

}  // namespace verdal
