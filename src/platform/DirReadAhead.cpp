#include "platform/DirReadAhead.h"

#include <utility>

#include "platform/FaultInjection.h"

namespace verdal {
namespace {

// Paths name one directory however they end: "/a/b" and "/a/b/" are the same key.
std::string KeyOf(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    return std::string(path);
}

std::string ChildKey(const std::string& parent, const std::string& name)
{
    return parent == "/" ? parent + name : parent + '/' + name;
}

}  // namespace

cDirReadAhead::cDirReadAhead(bool useUtc, std::string root)
    : useUtc_(useUtc), root_(std::move(root))
{}

cDirReadAhead::~cDirReadAhead()
{
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
        queue_.clear();
    }
    work_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

void cDirReadAhead::WalkTree(const std::string& nativeDir)
{
    static const unsigned cores = std::thread::hardware_concurrency();
    if (cores < 2 || FaultsPending()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        EnqueueLocked(KeyOf(nativeDir));
        while (threads_.size() + 1 < cores) {
            threads_.emplace_back([this] { Loop(); });
        }
    }
    work_.notify_all();
}

bool cDirReadAhead::Take(const std::string& nativeDir, cDirListing& listing, int& code)
{
    const std::string key = KeyOf(nativeDir);
    std::unique_lock lock(mutex_);
    const auto it = slots_.find(key);
    if (it == slots_.end()) {
        return false;
    }
    // A reference, unlike an iterator, survives the rehashing the threads cause meanwhile.
    Slot& slot = it->second;
    if (slot.Now == State::Queued) {
        // Reading it here is quicker than waking a thread for it and waiting.
        slot.Now = State::Reading;
        code = ReadLocked(lock, key, listing);
    } else {
        ++waiting_;
        ready_.wait(lock, [&] { return slot.Now == State::Done; });
        --waiting_;
        listing = std::move(slot.Listing);
        code = slot.Code;
    }
    slots_.erase(key);
    return true;
}

void cDirReadAhead::EnqueueLocked(std::string key)
{
    if (!seen_.insert(key).second) {
        return;
    }
    slots_.try_emplace(key);
    queue_.push_back(std::move(key));
}

int cDirReadAhead::ReadLocked(std::unique_lock<std::mutex>& lock, const std::string& key,
                              cDirListing& listing)
{
    lock.unlock();
    const int code = listing.Read(key, useUtc_, false, root_);
    lock.lock();
    // Children are queued before the listing is handed over, so a caller walking breadth first
    // always finds the next directory announced.
    const size_t before = queue_.size();
    for (const DirEntry& sub : listing.Dirs()) {
        EnqueueLocked(ChildKey(key, sub.Name));
    }
    if (queue_.size() > before) {
        work_.notify_all();
    }
    return code;
}

void cDirReadAhead::Loop()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        work_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        if (stop_) {
            return;
        }
        // The far end: the caller works from the near end, so the two seldom want the same one.
        const std::string key = std::move(queue_.back());
        queue_.pop_back();
        const auto it = slots_.find(key);
        if (it == slots_.end() || it->second.Now != State::Queued) {
            continue;  // the caller took it meanwhile
        }
        it->second.Now = State::Reading;
        cDirListing listing;
        const int code = ReadLocked(lock, key, listing);
        Slot& slot = slots_[key];
        slot.Listing = std::move(listing);
        slot.Code = code;
        slot.Now = State::Done;
        if (waiting_ > 0) {
            ready_.notify_all();
        }
    }
}

}  // namespace verdal
