#pragma once

#include <memory>
#include <utility>
#include <vector>

namespace verdal {

// A list that owns its items. Clearing or destroying it frees the items from the last to the
// first, then empties it.
template <class T>
class cEraseList
{
public:
    cEraseList() = default;
    cEraseList(const cEraseList&) = delete;
    cEraseList& operator=(const cEraseList&) = delete;
    cEraseList(cEraseList&&) = default;
    cEraseList& operator=(cEraseList&&) = default;
    ~cEraseList() { Clear(); }

    T& Add(std::unique_ptr<T> item)
    {
        items_.push_back(std::move(item));
        return *items_.back();
    }
    template <class... Args>
    T& Emplace(Args&&... args)
    {
        return Add(std::make_unique<T>(std::forward<Args>(args)...));
    }
    void Clear()
    {
        while (!items_.empty())
            items_.pop_back();
    }

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    T& operator[](int index) { return *items_[index]; }
    const T& operator[](int index) const { return *items_[index]; }

    // The owning pointers, for sorting and reordering in place.
    std::vector<std::unique_ptr<T>>& Items() { return items_; }
    const std::vector<std::unique_ptr<T>>& Items() const { return items_; }

private:
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace verdal
