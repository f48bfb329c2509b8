#include "settings/DocumentLines.h"

#include <charconv>

namespace verdal {

bool ParseDocumentInt(const std::string& text, int& value)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return false;
    }
    const size_t last = text.find_last_not_of(" \t");
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') {
        ++begin;
    }
    int64_t number = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, number);
    if (ec != std::errc() || ptr != end || number < INT32_MIN || number > UINT32_MAX) {
        return false;
    }
    value = static_cast<int32_t>(static_cast<uint32_t>(number));
    return true;
}

std::string cLineReader::NextLine()
{
    if (!ok_ || AtEnd()) {
        return {};
    }
    return lines_[next_++];
}

int cLineReader::NextInt()
{
    int value = 0;
    if (ok_ && !ParseDocumentInt(NextLine(), value)) {
        Fail();
    }
    return ok_ ? value : 0;
}

int cLineReader::NextCount()
{
    // A count below zero or beyond the lines left is a damaged file, never a size to reserve.
    const int count = NextInt();
    if (count < 0 || count > static_cast<int>(lines_.size() - next_)) {
        Fail();
    }
    return ok_ ? count : 0;
}

void cLineReader::List(cStringList& list, const char* header)
{
    if (header != nullptr) {
        Empty();
    }
    const int count = NextCount();
    list.Clear();
    std::vector<std::string> items;
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        items.push_back(NextLine());
    }
    list.AddAll(std::move(items));
}

void cLineReader::ValueList(cStringList& list)
{
    const int count = NextCount();
    list.Clear();
    for (int i = 0; i < count && ok_; ++i) {
        list.Add({}, NextInt());
    }
}

void cLineReader::ItemValues(cStringList& list)
{
    for (int i = 0; i < list.Count(); ++i) {
        list.SetValue(i, NextInt());
    }
}

void cLineWriter::Line(const std::string& text)
{
    std::string line = text;
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    lines_.push_back(std::move(line));
}

void cLineWriter::List(const cStringList& list, const char* header)
{
    if (header != nullptr) {
        Line(header);
    }
    Int(list.Count());
    for (const auto& item : list.Items()) {
        Line(item.Text);
    }
}

void cLineWriter::ValueList(const cStringList& list)
{
    Int(list.Count());
    ItemValues(list);
}

void cLineWriter::ItemValues(const cStringList& list)
{
    for (const auto& item : list.Items()) {
        Int(item.Value);
    }
}

}  // namespace verdal
