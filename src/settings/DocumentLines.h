#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/StringList.h"

namespace verdal {

// Line-by-line access to the document files (profile and batch file). The reader and the
// writer offer the same calls, so that one template describes a layout for both directions:
// the reader's calls take references to fill, the writer's take values to write.

// Reads values from the lines of a document. Past the end every line reads as empty; a line
// that holds no number where one is expected marks the reader as failed, and a failed reader
// reads nothing more.
class cLineReader
{
public:
    static constexpr bool kReading = true;

    explicit cLineReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    bool Ok() const { return ok_; }
    bool AtEnd() const { return next_ >= lines_.size(); }
    void Fail() { ok_ = false; }

    // The next line as it stands ("" past the end or after a failure).
    std::string NextLine();
    // The next line as a number; 0 and failure when it holds none.
    int NextInt();

    void Empty() { NextLine(); }
    void String(std::string& value) { value = NextLine(); }
    void Int(int& value) { value = NextInt(); }
    void Bool(bool& value) { value = NextInt() != 0; }
    // Keeps the low 8 bits of the number: "300" reads as 44.
    void Byte(uint8_t& value) { value = static_cast<uint8_t>(NextInt()); }
    void Color(uint32_t& value) { value = static_cast<uint32_t>(NextInt()); }
    // Reads the next line and tells whether it is `marker`; the line is consumed either way.
    bool Block(const char* marker) { return NextLine() == marker; }

    // A list: header line (ignored; none when `header` is null), count N, N items. The list is
    // emptied first; its own rule decides about sorting and duplicates.
    void List(cStringList& list, const char* header);
    // Count M, then M signed 32-bit values as items with empty text.
    void ValueList(cStringList& list);
    // One value per existing item, without a count line.
    void ItemValues(cStringList& list);

private:
    // The count line of a list; fails when more items are announced than lines remain.
    int NextCount();

    std::vector<std::string> lines_;
    size_t next_ = 0;
    bool ok_ = true;
};

// Collects the lines of a document for writing. Line breaks inside a value would shift every
// later line on reading, so they are written as blanks.
class cLineWriter
{
public:
    static constexpr bool kReading = false;

    const std::vector<std::string>& Lines() const { return lines_; }

    void Line(const std::string& text);
    void Empty() { lines_.emplace_back(); }
    void String(const std::string& value) { Line(value); }
    void Int(int64_t value) { lines_.push_back(std::to_string(value)); }
    void Bool(bool value) { Int(value ? 1 : 0); }
    void Byte(uint8_t value) { Int(value); }
    void Color(uint32_t value) { Int(value); }
    bool Block(const char* marker)
    {
        Line(marker);
        return true;
    }
    void List(const cStringList& list, const char* header);
    void ValueList(const cStringList& list);
    void ItemValues(const cStringList& list);

private:
    std::vector<std::string> lines_;
};

// An "Extra Data" block: the marker line and the block's values. On reading, a line other than
// the marker (already consumed) gives the block's fields the values of `missing` instead.
template <class Io, class Record, class Body, class Missing>
void ExtraDataBlock(Io& io, Record& record, const char* marker, Body body, Missing missing)
{
    if (io.Block(marker)) {
        body(io, record);
    } else if constexpr (Io::kReading) {
        missing(record);
    }
}

// Parses a decimal integer line (surrounding blanks allowed, optional sign). Values up to
// 4294967295 are taken modulo 2^32, so unsigned 32-bit colours read back as written.
bool ParseDocumentInt(const std::string& text, int& value);

}  // namespace verdal
