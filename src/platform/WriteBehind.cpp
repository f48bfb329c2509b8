#include "platform/WriteBehind.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>

#include "platform/FileOps.h"

namespace verdal {
namespace {

constexpr auto kInterval = std::chrono::milliseconds(200);
constexpr int64_t kBatch = 16 << 20;

}  // namespace

cWriteBehind::~cWriteBehind()
{
    Stop();
    for (const int fd : fds_) {
        ::close(fd);
    }
}

void cWriteBehind::Written(const std::string& root, int64_t bytes)
{
    pending_ += bytes;
    if (root == lastRoot_) {
        return;
    }
    const std::lock_guard lock(mutex_);
    if (stop_ || std::find(roots_.begin(), roots_.end(), root) != roots_.end()) {
        return;
    }
    lastRoot_ = root;
    roots_.push_back(root);
    const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    fds_.push_back(fd);
    if (!thread_.joinable()) {
        thread_ = std::thread([this] { Loop(); });
    }
}

void cWriteBehind::Stop()
{
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void cWriteBehind::Finish()
{
    Stop();
    for (const std::string& root : roots_) {
        SyncFileSystem(root);
    }
}

void cWriteBehind::Loop()
{
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, kInterval, [this] { return stop_; })) {
        if (pending_.load() < kBatch) {
            continue;
        }
        pending_ = 0;
        const std::vector<int> fds = fds_;
        lock.unlock();
        for (const int fd : fds) {
            ::syncfs(fd);
        }
        ++rounds_;
        lock.lock();
    }
}

}  // namespace verdal
