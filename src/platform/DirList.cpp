#include "platform/DirList.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/CopyJournal.h"
#include "platform/FaultInjection.h"
#include "platform/FileCopy.h"
#include "platform/FileTimes.h"
#include "platform/FolderCase.h"
#include "platform/TextCase.h"
#include "platform/WinError.h"

namespace verdal {
namespace {

// A backslash or a name of dots only cannot be written in a profile's backslash form, and a
// path the system refuses to open by name cannot be copied or deleted: such entries are left
// out, but reported.
bool Expressible(std::string_view dir, const std::string& name)
{
    return name.find('\\') == std::string::npos &&
           name.find_first_not_of('.') != std::string::npos &&
           dir.size() + 1 + name.size() < PATH_MAX;
}

// What the local time is ahead of UTC, in FILETIME ticks; 0 with `useUtc`. Taken once per
// listing rather than once per entry.
int64_t LocalShift(bool useUtc)
{
    const FileTime epoch = FileTimeFromUnix(0, 0);
    return useUtc ? 0 : static_cast<int64_t>(UtcToLocalFileTime(epoch) - epoch);
}

FileStamp StampOf(std::string_view name, const struct stat& st, int64_t localShift)
{
    FileStamp stamp;
    stamp.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<int64_t>(st.st_size);
    const FileTime utc = FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    stamp.LastWrite = static_cast<FileTime>(static_cast<int64_t>(utc) + localShift);
    stamp.Changed = FileTimeFromUnix(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
    if ((st.st_mode & S_IWUSR) == 0) {
        stamp.Attributes |= kAttrReadOnly;
    }
    if (!name.empty() && name[0] == '.') {
        stamp.Attributes |= kAttrHidden;
    }
    if (S_ISDIR(st.st_mode)) {
        stamp.Attributes |= kAttrDirectory;
    }
    return stamp;
}

std::string_view BaseName(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

struct StatResult
{
    struct stat St
    {};
    bool Ok = false;
    int Errno = 0;
};

void StatRange(int dirFd, const std::vector<std::string>& names, std::vector<StatResult>& out,
               size_t first, size_t last)
{
    for (size_t i = first; i < last; ++i) {
        out[i].Ok = ::fstatat(dirFd, names[i].c_str(), &out[i].St, AT_SYMLINK_NOFOLLOW) == 0;
        out[i].Errno = out[i].Ok ? 0 : errno;
    }
}

// A second thread shares the stat calls of a large directory: on a warm cache the scan's time is
// almost all spent in them. Both threads take the next name from a shared counter, so a helper
// that gets no core in time costs nothing: the reader closes the job once it has taken the last
// name and waits only for a name the helper is still working on.
class cStatHelper
{
public:
    cStatHelper() : thread_([this] { Loop(); }) {}
    ~cStatHelper()
    {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    void Stat(int dirFd, const std::vector<std::string>& names, std::vector<StatResult>& out)
    {
        {
            const std::lock_guard lock(mutex_);
            job_ = Job{dirFd, &names, &out};
            next_ = 0;
            open_ = true;
            ++generation_;
        }
        wake_.notify_one();
        Work(job_);
        std::unique_lock lock(mutex_);
        open_ = false;
        done_.wait(lock, [this] { return !helperBusy_; });
    }

private:
    struct Job
    {
        int DirFd = -1;
        const std::vector<std::string>* Names = nullptr;
        std::vector<StatResult>* Out = nullptr;
    };

    void Work(const Job& job)
    {
        for (size_t i = next_.fetch_add(1); i < job.Names->size(); i = next_.fetch_add(1)) {
            StatRange(job.DirFd, *job.Names, *job.Out, i, i + 1);
        }
    }

    void Loop()
    {
        std::unique_lock lock(mutex_);
        uint64_t served = 0;
        for (;;) {
            wake_.wait(lock, [&] { return (open_ && generation_ != served) || stop_; });
            if (stop_) {
                return;
            }
            served = generation_;
            helperBusy_ = true;
            const Job job = job_;
            lock.unlock();
            Work(job);
            lock.lock();
            helperBusy_ = false;
            done_.notify_one();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    Job job_;
    std::atomic<size_t> next_{0};
    uint64_t generation_ = 0;
    bool open_ = false;
    bool helperBusy_ = false;
    bool stop_ = false;
    std::thread thread_;
};

// Below this size the hand-over costs more than the second core saves.
constexpr size_t kParallelStatMin = 16;

void StatAll(int dirFd, const std::vector<std::string>& names, std::vector<StatResult>& out)
{
    static const bool parallel = std::thread::hardware_concurrency() > 1;
    if (!parallel || names.size() < kParallelStatMin) {
        StatRange(dirFd, names, out, 0, names.size());
        return;
    }
    // One helper serves every listing; a listing read by another thread meanwhile waits.
    static std::mutex helperUse;
    std::unique_lock use(helperUse, std::try_to_lock);
    if (!use.owns_lock()) {
        StatRange(dirFd, names, out, 0, names.size());
        return;
    }
    static cStatHelper helper;
    helper.Stat(dirFd, names, out);
}

}  // namespace

int OpenDirectoryBelow(std::string_view root, const std::string& nativeDir)
{
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    while (root.size() > 1 && root.back() == '/') {
        root.remove_suffix(1);
    }
    const bool inRoot =
        !root.empty() && nativeDir.compare(0, root.size(), root) == 0 &&
        (nativeDir.size() == root.size() || nativeDir[root.size()] == '/' || root == "/");
    if (!inRoot) {
        const int fd = ::open(nativeDir.c_str(), kFlags);
        return fd >= 0 ? fd : -errno;
    }
    int fd = ::open(std::string(root).c_str(), kFlags);
    if (fd < 0) {
        return -errno;
    }
    size_t pos = root.size();
    while (pos < nativeDir.size()) {
        while (pos < nativeDir.size() && nativeDir[pos] == '/') {
            ++pos;
        }
        const size_t end = std::min(nativeDir.find('/', pos), nativeDir.size());
        if (end == pos) {
            break;
        }
        const std::string part = nativeDir.substr(pos, end - pos);
        const int next = ::openat(fd, part.c_str(), kFlags | O_NOFOLLOW);
        const int err = errno;
        ::close(fd);
        if (next < 0) {
            return -err;
        }
        fd = next;
        pos = end;
    }
    return fd;
}

int ReadFileStamp(const std::string& path, bool useUtc, FileStamp& stamp, bool* isLink)
{
    struct stat st
    {};
    if (::lstat(path.c_str(), &st) != 0) {
        return WinErrorFromErrno(errno);
    }
    stamp = StampOf(BaseName(path), st, LocalShift(useUtc));
    if (isLink) {
        *isLink = S_ISLNK(st.st_mode);
    }
    return kErrSuccess;
}

int cDirListing::Read(const std::string& nativeDir, bool useUtc, bool shareStats,
                      std::string_view root)
{
    *this = cDirListing();
    int fd = -1;
    if (const int fault = TakeInjectedFault(FileOp::Open)) {
        fd = -fault;
    } else {
        fd = OpenDirectoryBelow(root, nativeDir);
    }
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        const int err = fd >= 0 ? errno : -fd;
        if (fd >= 0) {
            ::close(fd);
        }
        missing_ = err == ENOENT;
        throughLink_ = err == ELOOP || err == ENOTDIR;
        const int code = WinErrorFromErrno(err);
        error_ = missing_ ? 0 : code;
        return code;
    }
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    if (errno != 0) {
        error_ = WinErrorFromErrno(errno);
    }
    std::vector<StatResult> stats(names.size());
    files_.reserve(names.size());
    const int64_t localShift = LocalShift(useUtc);
    if (shareStats) {
        StatAll(fd, names, stats);
    } else {
        StatRange(fd, names, stats, 0, names.size());
    }
    for (size_t i = 0; i < names.size(); ++i) {
        if (!stats[i].Ok) {
            // A name that vanished between readdir and stat is gone; any other failure leaves
            // the folder only partly known.
            if (stats[i].Errno != ENOENT && error_ == 0) {
                error_ = WinErrorFromErrno(stats[i].Errno);
            }
            continue;
        }
        const struct stat& st = stats[i].St;
        if ((IsCopyTemporaryName(names[i]) && IsRunningCopyTemporary(st.st_dev, st.st_ino)) ||
            IsOwnCaseProbe(names[i], st.st_dev, st.st_ino)) {
            continue;
        }
        const bool directory = S_ISDIR(st.st_mode);
        if (!directory && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
            continue;
        }
        if (!Expressible(nativeDir, names[i])) {
            unnamable_.push_back(std::move(names[i]));
            continue;
        }
        const FileStamp stamp = StampOf(names[i], st, localShift);
        (directory ? dirs_ : files_)
            .push_back(DirEntry{std::move(names[i]), stamp, S_ISLNK(st.st_mode)});
    }
    ::closedir(dir);
    BuildNameIndex(files_, fileIndex_);
    BuildNameIndex(dirs_, dirIndex_);
    return kErrSuccess;
}

void cDirListing::BuildNameIndex(const std::vector<DirEntry>& entries, Index& index)
{
    index.ByName.resize(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        index.ByName[i] = static_cast<uint32_t>(i);
    }
    std::sort(index.ByName.begin(), index.ByName.end(),
              [&](uint32_t a, uint32_t b) { return entries[a].Name < entries[b].Name; });
}

void cDirListing::BuildFoldedIndex(const std::vector<DirEntry>& entries, Index& index)
{
    index.FoldedNames.reserve(entries.size());
    index.ByFolded.resize(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        index.FoldedNames.push_back(FoldCase(entries[i].Name));
        index.ByFolded[i] = static_cast<uint32_t>(i);
    }
    const std::vector<std::string>& folded = index.FoldedNames;
    std::stable_sort(index.ByFolded.begin(), index.ByFolded.end(),
                     [&](uint32_t a, uint32_t b) { return folded[a] < folded[b]; });
}

void cDirListing::EnsureFolded() const
{
    if (!folded_) {
        BuildFoldedIndex(files_, fileIndex_);
        BuildFoldedIndex(dirs_, dirIndex_);
        folded_ = true;
    }
}

const DirEntry* cDirListing::FindExact(std::string_view name, bool directories) const
{
    const std::vector<DirEntry>& entries = Entries(directories);
    const std::vector<uint32_t>& byName = IndexOf(directories).ByName;
    const auto it = std::lower_bound(
        byName.begin(), byName.end(), name,
        [&](uint32_t pos, std::string_view n) { return std::string_view(entries[pos].Name) < n; });
    return it != byName.end() && entries[*it].Name == name ? &entries[*it] : nullptr;
}

std::vector<const DirEntry*> cDirListing::FindFolded(std::string_view name, bool directories) const
{
    EnsureFolded();
    const Index& index = IndexOf(directories);
    const std::string key = FoldCase(name);
    const auto less = [&](uint32_t pos, const std::string& k) {
        return index.FoldedNames[pos] < k;
    };
    const auto greater = [&](const std::string& k, uint32_t pos) {
        return k < index.FoldedNames[pos];
    };
    const auto first = std::lower_bound(index.ByFolded.begin(), index.ByFolded.end(), key, less);
    const auto last = std::upper_bound(first, index.ByFolded.end(), key, greater);
    std::vector<const DirEntry*> found;
    for (auto it = first; it != last; ++it) {
        found.push_back(&Entries(directories)[*it]);
    }
    return found;
}

const DirEntry* cDirListing::FindPartner(std::string_view name, const cDirListing& own,
                                         bool directories, bool* conflict) const
{
    if (conflict) {
        *conflict = false;
    }
    if (const DirEntry* exact = FindExact(name, directories)) {
        return exact;
    }
    const DirEntry* partner = nullptr;
    size_t theirs = 0;
    for (const DirEntry* candidate : FindFolded(name, directories)) {
        if (!own.FindExact(candidate->Name, directories)) {
            partner = candidate;
            ++theirs;
        }
    }
    if (theirs == 0) {
        return nullptr;
    }
    size_t ours = 0;
    for (const DirEntry* mine : own.FindFolded(name, directories)) {
        ours += FindExact(mine->Name, directories) ? 0 : 1;
    }
    if (theirs == 1 && ours <= 1) {
        return partner;
    }
    if (conflict) {
        *conflict = true;
    }
    return nullptr;
}

}  // namespace verdal
