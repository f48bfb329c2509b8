#include "settings/StringList.h"

#include <algorithm>

#include "platform/TextCase.h"

namespace verdal {

int cStringList::Add(const std::string& text, int32_t value)
{
    if (!sorted_) {
        items_.push_back({text, value});
        return Count() - 1;
    }
    const auto pos = std::lower_bound(
        items_.begin(), items_.end(), text,
        [](const Item& item, const std::string& t) { return CompareTextCI(item.Text, t) < 0; });
    if (pos != items_.end() && SameTextCI(pos->Text, text)) {
        return static_cast<int>(pos - items_.begin());
    }
    return static_cast<int>(items_.insert(pos, {text, value}) - items_.begin());
}

void cStringList::AddAll(std::vector<std::string> texts)
{
    const size_t old = items_.size();
    items_.reserve(old + texts.size());
    for (std::string& text : texts) {
        items_.push_back({std::move(text), 0});
    }
    if (!sorted_ || items_.size() == old) {
        return;
    }
    // Folded once per item rather than once per comparison.
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(items_.size());
    for (size_t i = 0; i < items_.size(); ++i) {
        keys.emplace_back(FoldCase(items_[i].Text), i);
    }
    std::sort(keys.begin(), keys.end());  // by key, then by position: the first stays first
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (size_t k = 0; k < keys.size(); ++k) {
        if (k > 0 && keys[k].first == keys[k - 1].first) {
            continue;
        }
        sorted.push_back(std::move(items_[keys[k].second]));
    }
    items_ = std::move(sorted);
}

void cStringList::Insert(int index, const std::string& text, int32_t value)
{
    if (sorted_) {
        Add(text, value);
        return;
    }
    items_.insert(items_.begin() + index, {text, value});
}

void cStringList::Delete(int index)
{
    items_.erase(items_.begin() + index);
}

int cStringList::IndexOf(const std::string& text) const
{
    for (int i = 0; i < Count(); ++i) {
        if (SameTextCI(items_[i].Text, text)) {
            return i;
        }
    }
    return -1;
}

void cStringList::Assign(const cStringList& other)
{
    items_.clear();
    if (sorted_ && !other.sorted_) {
        for (const Item& item : other.items_) {
            Add(item.Text, item.Value);
        }
        return;
    }
    items_ = other.items_;
}

}  // namespace verdal
