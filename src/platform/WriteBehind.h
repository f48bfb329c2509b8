#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace verdal {

// Lets the disk write a run's copies while the run goes on: a background thread syncs each file
// system written to, at most a few times a second and only once enough new data has arrived
// (so a flash drive's allocation tables are not rewritten for every few files), and the sync
// the copy pass ends with finds little left to do. It only starts writes the kernel would make
// anyway; the closing sync stays the one that counts.
class cWriteBehind
{
public:
    cWriteBehind() = default;
    ~cWriteBehind();
    cWriteBehind(const cWriteBehind&) = delete;
    cWriteBehind& operator=(const cWriteBehind&) = delete;

    // `bytes` were written below `root`: its file system joins the rounds. A root that cannot
    // be opened is left to the closing sync.
    void Written(const std::string& root, int64_t bytes);
    // Ends the rounds, after the sync in progress if any.
    void Stop();
    // Ends the rounds and syncs each file system written to once more: the closing sync, after
    // which every copy reported is on the disk.
    void Finish();
    // Syncs made so far (for tests).
    int Rounds() const { return rounds_.load(); }

private:
    void Loop();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::string> roots_;
    std::string lastRoot_;  // the caller's own: spares the lock for the usual same root
    std::vector<int> fds_;
    std::atomic<int64_t> pending_{0};  // bytes written since the last round
    std::atomic<int> rounds_{0};
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace verdal
