#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace verdal {

// A list of strings that carries one 32-bit value per item. A sorted list keeps its items in
// case-insensitive order and silently drops an item already present (case-insensitive); an
// unsorted list keeps insertion order and duplicates.
class cStringList
{
public:
    struct Item
    {
        std::string Text;
        int32_t Value = 0;
        bool operator==(const Item&) const = default;
    };

    explicit cStringList(bool sorted = false) : sorted_(sorted) {}

    bool Sorted() const { return sorted_; }
    // Adds an item; returns its index, or the index of the existing equal item in a sorted list.
    int Add(const std::string& text, int32_t value = 0);
    void Insert(int index, const std::string& text, int32_t value = 0);
    void Delete(int index);
    void Clear() { items_.clear(); }
    // Adds many items at once (value 0); a sorted list sorts once afterwards, keeping the first
    // of equal items, instead of inserting each in place.
    void AddAll(std::vector<std::string> texts);
    // Index of `text` (case-insensitive), or -1.
    int IndexOf(const std::string& text) const;

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    const std::string& operator[](int index) const { return items_[index].Text; }
    int32_t Value(int index) const { return items_[index].Value; }
    void SetValue(int index, int32_t value) { items_[index].Value = value; }
    const std::vector<Item>& Items() const { return items_; }
    // Replaces the items, keeping this list's sorting rule.
    void Assign(const cStringList& other);

    bool operator==(const cStringList& other) const { return items_ == other.items_; }

private:
    bool sorted_;
    std::vector<Item> items_;
};

}  // namespace verdal
