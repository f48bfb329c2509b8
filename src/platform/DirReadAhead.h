#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/DirList.h"

namespace verdal {

// Reads the directories of whole trees ahead of a caller that walks them one by one, so that
// the stat calls of a warm-cache scan use every core: background threads (one per further core)
// take directories from the far end of the queue while the caller reads the one it asks for
// itself unless a thread already has it. The caller gets what a direct read would have
// returned; the threads touch nothing but their own listings.
class cDirReadAhead
{
public:
    // Directories below `root` are opened without following links (see cDirListing::Read).
    explicit cDirReadAhead(bool useUtc, std::string root = {});
    // Stops the threads after the directory each is reading; unread listings are dropped.
    ~cDirReadAhead();
    cDirReadAhead(const cDirReadAhead&) = delete;
    cDirReadAhead& operator=(const cDirReadAhead&) = delete;

    // Starts reading `nativeDir` and every directory below it, never following a symbolic link.
    // Does nothing on a single core or while a test has file faults pending (they count
    // operations and must meet them in the caller's order).
    void WalkTree(const std::string& nativeDir);
    // Hands over the listing of `nativeDir` and its code once a walk has read it, waiting if
    // need be. False when no walk has reached the directory (or it was handed over before):
    // the caller reads it itself.
    bool Take(const std::string& nativeDir, cDirListing& listing, int& code);

private:
    enum class State { Queued, Reading, Done };
    struct Slot
    {
        State Now = State::Queued;
        int Code = 0;
        cDirListing Listing;
    };

    void Loop();
    void EnqueueLocked(std::string key);
    // Reads the directory of `key`, claimed by the calling thread, with the lock released, and
    // queues its sub-directories; returns with the lock held.
    int ReadLocked(std::unique_lock<std::mutex>& lock, const std::string& key,
                   cDirListing& listing);

    bool useUtc_;
    std::string root_;
    std::mutex mutex_;
    std::condition_variable work_, ready_;
    std::deque<std::string> queue_;
    std::unordered_map<std::string, Slot> slots_;
    std::unordered_set<std::string> seen_;
    std::vector<std::thread> threads_;
    int waiting_ = 0;  // callers waiting for a listing a thread is reading
    bool stop_ = false;
};

}  // namespace verdal
