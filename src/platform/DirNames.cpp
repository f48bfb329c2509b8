#include "platform/DirNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/BoundedCall.h"
#include "platform/TextCase.h"
#include "platform/WinError.h"

namespace verdal {
namespace {

std::mutex gObserverMutex;
std::function<void(const std::string&, NameKind)> gObserver;

void Notify(const std::string& nativeDir, NameKind kind)
{
    std::function<void(const std::string&, NameKind)> observer;
    {
        std::lock_guard lock(gObserverMutex);
        observer = gObserver;
    }
    if (observer) {
        observer(nativeDir, kind);
    }
}

bool IsDirectoryEntry(int dirFd, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN) {
        return entry.d_type == DT_DIR;
    }
    struct stat st
    {};
    return ::fstatat(dirFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

// Sockets, FIFOs and devices are no files a run would take; links count as files.
bool IsFileEntry(int dirFd, const dirent& entry)
{
    if (entry.d_type == DT_REG || entry.d_type == DT_LNK) {
        return true;
    }
    if (entry.d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat st
    {};
    return ::fstatat(dirFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode));
}

}  // namespace

int ListEntryNames(const std::string& nativeDir, NameKind kind, std::vector<std::string>& names)
{
    names.clear();
    Notify(nativeDir, kind);
    const int fd = ::open(nativeDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        const int err = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        return WinErrorFromErrno(err);
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const bool wanted =
            kind == NameKind::Directories ? IsDirectoryEntry(fd, *entry) : IsFileEntry(fd, *entry);
        if (wanted) {
            names.emplace_back(name);
        }
    }
    ::closedir(dir);
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareTextCI(a, b) < 0;
    });
    return kErrSuccess;
}

int ListEntryNamesBounded(const std::string& nativeDir, NameKind kind, int timeoutMs,
                          std::vector<std::string>& names)
{
    using Listing = std::pair<int, std::vector<std::string>>;
    std::optional<Listing> listing = CallBounded<Listing>(
        [nativeDir, kind] {
            Listing result;
            result.first = ListEntryNames(nativeDir, kind, result.second);
            return result;
        },
        timeoutMs);
    if (!listing) {
        names.clear();
        return kErrNotReady;
    }
    names = std::move(listing->second);
    return listing->first;
}

void SetEntryNamesObserver(std::function<void(const std::string&, NameKind)> hook)
{
    std::lock_guard lock(gObserverMutex);
    gObserver = std::move(hook);
}

}  // namespace verdal
