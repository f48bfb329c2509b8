#include "platform/ChangeWait.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "platform/WinError.h"

namespace verdal {
namespace {

constexpr uint32_t kDirNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

// File systems without RENAME_NOREPLACE (some network and FUSE file systems): a hard link
// fails when the target exists, so link + unlink never replaces anything.
int RenameByLink(const std::string& from, const std::string& to)
{
    if (link(from.c_str(), to.c_str()) == 0) {
        if (unlink(from.c_str()) == 0) {
            return kErrSuccess;
        }
        const int err = errno;
        unlink(to.c_str());
        return WinErrorFromErrno(err);
    }
    return WinErrorFromErrno(errno);
}

// Directories cannot be hard-linked; checking first is the best such a file system allows.
int RenameAfterCheck(const std::string& from, const std::string& to)
{
    struct stat st
    {};
    if (lstat(to.c_str(), &st) == 0) {
        return kErrAlreadyExists;
    }
    return rename(from.c_str(), to.c_str()) == 0 ? kErrSuccess : WinErrorFromErrno(errno);
}

// True when the buffer holds an event about a subdirectory.
bool HasDirectoryEvent(const char* buffer, ssize_t length)
{
    for (ssize_t offset = 0; offset < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
        if (event->mask & IN_ISDIR) {
            return true;
        }
        offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    return false;
}

}  // namespace

int RenameNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return kErrSuccess;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        return WinErrorFromErrno(errno);
    }
    struct stat st
    {};
    if (lstat(from.c_str(), &st) != 0) {
        return WinErrorFromErrno(errno);
    }
    return S_ISDIR(st.st_mode) ? RenameAfterCheck(from, to) : RenameByLink(from, to);
}

cChangeWatch::cChangeWatch(const std::string& directory)
{
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ >= 0 && inotify_add_watch(fd_, directory.c_str(), kDirNameEvents | IN_ONLYDIR) < 0) {
        close(fd_);
        fd_ = -1;
    }
}

cChangeWatch::~cChangeWatch()
{
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool cChangeWatch::Wait(int milliseconds)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    alignas(inotify_event) char buffer[4096];
    while (fd_ >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd pfd{fd_, POLLIN, 0};
        const int ready = poll(&pfd, 1, static_cast<int>(std::max<int64_t>(0, left.count())));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        const ssize_t length = read(fd_, buffer, sizeof buffer);
        if (length > 0 && HasDirectoryEvent(buffer, length)) {
            return true;
        }
        if (length < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
    }
    return false;
}

}  // namespace verdal
