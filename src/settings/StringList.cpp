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
    for (const Item& item : other.items_) {
        Add(item.Text, item.Value);
    }
}

}  // namespace verdal
