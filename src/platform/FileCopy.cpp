#include "platform/FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "platform/CopyJournal.h"
#include "platform/FaultInjection.h"
#include "platform/WinError.h"

namespace verdal {
namespace {

constexpr size_t kBlockSize = 131072;
constexpr size_t kRangeChunk = 1 << 20;
constexpr int64_t kEarlyWritebackMin = 4 << 20;
constexpr std::string_view kTempPrefix = ".~verdal-";

struct CopyState
{
    int In = -1;
    int Out = -1;
    int64_t Copied = 0;
    // Size of the source when opened; the block loop stops there instead of asking once more
    // for the end of the file. A source that grew meanwhile fails the check after the copy anyway.
    // An empty size is read to its end: pseudo files show 0 yet have contents.
    int64_t Expected = 0;
    const CopyProgress* Progress = nullptr;

    bool Complete() const { return Expected > 0 && Copied >= Expected; }
};

class FdGuard
{
public:
    explicit FdGuard(int& fd) : fd_(fd) {}
    ~FdGuard()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

private:
    int& fd_;
};

std::string DirOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// A new temporary name beside `to`. The generator is seeded once per thread: asking the system
// for randomness per copy costs a call per file.
std::string RandomTempName(const std::string& to)
{
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random(std::random_device{}());
    std::string temp = DirOf(to) + "/" + std::string(kTempPrefix);
    for (int i = 0; i < 6; ++i) {
        temp += kLetters[random() % kLetters.size()];
    }
    return temp;
}

mode_t ProcessUmask()
{
    // Read once: the umask cannot be read without setting it, which costs two calls per copy.
    static const mode_t mask = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    return mask;
}

// The temporary file is private while it fills; it gets its final mode just before it is put
// in place.
constexpr mode_t kTempMode = 0600;

int CreateTemp(const std::string& to, std::string& temp, int& fd)
{
    for (int attempt = 0;; ++attempt) {
        temp = RandomTempName(to);
        fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kTempMode);
        if (fd >= 0) {
            struct stat st
            {};
            if (::fstat(fd, &st) == 0) {
                RecordCopyTemporary(temp, st.st_dev, st.st_ino);
            }
            return kErrSuccess;
        }
        if (errno != EEXIST || attempt > 20) {
            return errno == ENOENT ? kErrPathNotFound : WinErrorFromErrno(errno);
        }
    }
}

int WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        if (const int fault = TakeInjectedFault(FileOp::Write)) {
            return fault;
        }
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

bool Report(CopyState& state, int64_t bytes)
{
    return !state.Progress || !*state.Progress || (*state.Progress)(bytes);
}

// Copies up to `length` bytes from the current offsets, or, with -1, up to the expected size
// or the end of the file. Returns an errno, or -1 for an interruption.
int CopyBlocks(CopyState& state, int64_t length = -1)
{
    // One buffer per thread, never cleared: a run copies many small files.
    thread_local const std::unique_ptr<char[]> buffer =
        std::make_unique_for_overwrite<char[]>(kBlockSize);
    while (length < 0 ? !state.Complete() : length > 0) {
        if (const int fault = TakeInjectedFault(FileOp::Read)) {
            return fault;
        }
        const size_t want =
            length < 0 ? kBlockSize : static_cast<size_t>(std::min<int64_t>(length, kBlockSize));
        const ssize_t n = ::read(state.In, buffer.get(), want);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            return 0;
        }
        if (const int err = WriteAll(state.Out, buffer.get(), static_cast<size_t>(n))) {
            return err;
        }
        state.Copied += n;
        if (length > 0) {
            length -= n;
        }
        const bool lastBlock = static_cast<size_t>(n) < kBlockSize;
        if (!Report(state, n) && !lastBlock) {
            return -1;
        }
    }
    return 0;
}

bool IsSparse(const struct stat& source)
{
    return source.st_blocks * 512 < source.st_size;
}

// Copies only the data of a file with holes and leaves the holes as holes in the copy, so a
// mostly empty disk image does not fill the destination. Hole bytes count as copied.
int CopySparse(CopyState& state)
{
    const off_t size = state.Expected;
    off_t pos = 0;
    while (pos < size) {
        off_t data = ::lseek(state.In, pos, SEEK_DATA);
        if (data < 0) {
            if (errno != ENXIO && pos == 0) {
                return CopyBlocks(state);  // a file system that cannot tell data from holes
            }
            if (errno != ENXIO) {
                return errno;
            }
            data = size;  // only a hole is left
        }
        data = std::min(data, size);
        state.Copied += data - pos;
        if (data > pos && !Report(state, data - pos)) {
            return -1;
        }
        if (data == size) {
            break;
        }
        const off_t hole = std::min(::lseek(state.In, data, SEEK_HOLE), size);
        if (hole < 0) {
            return errno;
        }
        if (::lseek(state.In, data, SEEK_SET) < 0 || ::lseek(state.Out, data, SEEK_SET) < 0) {
            return errno;
        }
        if (const int err = CopyBlocks(state, hole - data)) {
            return err;
        }
        pos = hole;
    }
    return ::ftruncate(state.Out, size) == 0 ? 0 : errno;
}

bool RangeUnsupported(int err)
{
    return err == EXDEV || err == EINVAL || err == ENOSYS || err == EOPNOTSUPP || err == EBADF;
}

// Returns an errno, or -1 for an interruption.
int CopyRange(CopyState& state, bool chunked)
{
    for (;;) {
        if (const int fault = TakeInjectedFault(FileOp::Read)) {
            return fault;
        }
        if (const int fault = TakeInjectedFault(FileOp::Write)) {
            return fault;
        }
        const ssize_t n = ::copy_file_range(state.In, nullptr, state.Out, nullptr,
                                            chunked ? kRangeChunk : SSIZE_MAX, 0);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            // Nothing copied yet and no kernel support: the block loop does the work.
            if (state.Copied == 0 && RangeUnsupported(errno)) {
                return CopyBlocks(state);
            }
            return errno;
        }
        if (n == 0) {
            return 0;
        }
        state.Copied += n;
        if (chunked && !Report(state, n)) {
            return -1;
        }
    }
}

bool SameContentStamp(const struct stat& a, const struct stat& b)
{
    // The change time catches a writer that puts the modification time back.
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
           a.st_ctim.tv_nsec == b.st_ctim.tv_nsec && a.st_ino == b.st_ino && a.st_dev == b.st_dev;
}

mode_t NewFileMode(const struct stat& source)
{
    return source.st_mode & 0777 & ~ProcessUmask();
}

// An existing target keeps its own mode, but a copy never opens it wider than the source: a
// file made private in the source becomes private in the copy, and set-id bits stay only where
// both have them. The owner's bits are the target's, so a copy never turns it read-only.
mode_t OverwriteMode(const struct stat& target, const struct stat& source)
{
    const mode_t mode = target.st_mode & 07777;
    return (mode & 0700) | (mode & source.st_mode & 07077);
}

// The target may be replaced only when it is absent or a writable non-directory.
int CheckTarget(const std::string& to, const struct stat& source, mode_t& mode)
{
    struct stat st
    {};
    if (::lstat(to.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            return WinErrorFromErrno(errno);
        }
        mode = NewFileMode(source);
        return kErrSuccess;
    }
    if (S_ISDIR(st.st_mode)) {
        return kErrAccessDenied;
    }
    if (!S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
        return kErrAccessDenied;  // read-only: the caller clears the attribute when allowed
    }
    mode = S_ISLNK(st.st_mode) ? NewFileMode(source) : OverwriteMode(st, source);
    return kErrSuccess;
}

int ReplaceTarget(const std::string& temp, const std::string& to)
{
    if (const int fault = TakeInjectedFault(FileOp::Rename)) {
        return WinErrorFromErrno(fault);
    }
    return ::rename(temp.c_str(), to.c_str()) == 0 ? kErrSuccess : WinErrorFromErrno(errno);
}

int CopyLink(const std::string& from, const std::string& to, const struct stat& source)
{
    std::string target(static_cast<size_t>(source.st_size > 0 ? source.st_size : PATH_MAX), '\0');
    const ssize_t n = ::readlink(from.c_str(), target.data(), target.size());
    if (n < 0) {
        return WinErrorFromErrno(errno);
    }
    target.resize(static_cast<size_t>(n));
    std::string temp;
    for (int attempt = 0;; ++attempt) {
        temp = RandomTempName(to);
        if (const int fault = TakeInjectedFault(FileOp::Open)) {
            return WinErrorFromErrno(fault);
        }
        if (::symlink(target.c_str(), temp.c_str()) == 0) {
            struct stat st
            {};
            if (::lstat(temp.c_str(), &st) == 0) {
                RecordCopyTemporary(temp, st.st_dev, st.st_ino);
            }
            break;
        }
        if (errno != EEXIST || attempt > 20) {
            return WinErrorFromErrno(errno);
        }
    }
    const timespec times[2] = {source.st_atim, source.st_mtim};
    ::utimensat(AT_FDCWD, temp.c_str(), times, AT_SYMLINK_NOFOLLOW);
    const int code = ReplaceTarget(temp, to);
    if (code != kErrSuccess) {
        ::unlink(temp.c_str());
    }
    return code;
}

// Said by OpenSource when the source is a symbolic link.
constexpr int kLinkSource = -1;

// Opens the source without following a link and takes its stamp from the open file. A FIFO or
// device put in the file's place neither blocks the run nor is read.
int OpenSource(const std::string& from, CopyState& state, struct stat& before)
{
    if (const int fault = TakeInjectedFault(FileOp::Open)) {
        return WinErrorFromErrno(fault);
    }
    state.In = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (state.In < 0) {
        const int err = errno;
        return err == ELOOP && ::lstat(from.c_str(), &before) == 0 && S_ISLNK(before.st_mode)
                   ? kLinkSource
                   : WinErrorFromErrno(err);
    }
    if (::fstat(state.In, &before) != 0) {
        return WinErrorFromErrno(errno);
    }
    return S_ISREG(before.st_mode) ? kErrSuccess : kErrAccessDenied;
}

int CopyLinkSource(const std::string& from, const std::string& to)
{
    struct stat link
    {};
    if (::lstat(from.c_str(), &link) != 0) {
        return WinErrorFromErrno(errno);
    }
    mode_t mode = 0;
    if (const int code = CheckTarget(to, link, mode)) {
        return code;
    }
    return CopyLink(from, to, link);
}

// Puts the temporary file in place of a target the caller saw absent. Should one have appeared
// since, it is judged and replaced as any existing target would be.
int PlaceNew(const std::string& temp, const std::string& to, const struct stat& source)
{
    if (const int fault = TakeInjectedFault(FileOp::Rename)) {
        return WinErrorFromErrno(fault);
    }
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return kErrSuccess;
    }
    if (errno != EEXIST && errno != EINVAL && errno != ENOSYS) {
        return WinErrorFromErrno(errno);
    }
    mode_t mode = NewFileMode(source);
    if (const int code = CheckTarget(to, source, mode)) {
        return code;
    }
    ::chmod(temp.c_str(), mode);
    return ::rename(temp.c_str(), to.c_str()) == 0 ? kErrSuccess : WinErrorFromErrno(errno);
}

int CopyData(CopyState& state, CopyMethod method, bool sparse)
{
    if (method == CopyMethod::Plain) {
        // One call in one go: the progress hears of it once, afterwards.
        const CopyProgress* progress = state.Progress;
        state.Progress = nullptr;
        const int err = sparse ? CopySparse(state) : CopyRange(state, false);
        state.Progress = progress;
        if (err == 0) {
            Report(state, state.Copied);
        }
        return err;
    }
    if (sparse) {
        return CopySparse(state);
    }
    return method == CopyMethod::Blocks ? CopyBlocks(state) : CopyRange(state, true);
}

// Copies the open source into the open temporary file and gives it mode and times.
int FillTemp(CopyState& state, CopyMethod method, const struct stat& before, mode_t mode)
{
    const int err = CopyData(state, method, IsSparse(before));
    if (err == -1) {
        return kErrCancelled;
    }
    if (err != 0) {
        return WinErrorFromErrno(err);
    }
    struct stat after
    {};
    if (::fstat(state.In, &after) != 0 || !SameContentStamp(before, after) ||
        state.Copied != before.st_size) {
        return kErrSharingViolation;
    }
    // A file system that refuses the mode leaves the copy private, never more open.
    if (mode != kTempMode) {
        ::fchmod(state.Out, mode);
    }
    // Like the attribute and security steps, a file system that refuses times keeps the copy.
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ::futimens(state.Out, times);
    return kErrSuccess;
}

}  // namespace

int CopyFileSafe(const std::string& from, const std::string& to, CopyMethod method,
                 const CopyProgress& progress, bool targetAbsent)
{
    CopyState state;
    state.Progress = &progress;
    FdGuard inGuard(state.In);
    struct stat before
    {};
    if (const int code = OpenSource(from, state, before)) {
        return code == kLinkSource ? CopyLinkSource(from, to) : code;
    }
    mode_t mode = NewFileMode(before);
    if (!targetAbsent) {
        if (const int code = CheckTarget(to, before, mode)) {
            return code;
        }
    }
    state.Expected = before.st_size;
    std::string temp;
    if (const int fault = TakeInjectedFault(FileOp::Open)) {
        return WinErrorFromErrno(fault);
    }
    if (const int code = CreateTemp(to, temp, state.Out)) {
        return code;
    }
    int code = FillTemp(state, method, before, mode);
    if (code == kErrSuccess && state.Copied >= kEarlyWritebackMin) {
        // The run ends with a sync of the whole file system; starting the write-back of a big
        // file now lets the disk work while the next files are copied.
        ::sync_file_range(state.Out, 0, 0, SYNC_FILE_RANGE_WRITE);
    }
    // close() may be the first to report a full disk on network file systems.
    if (::close(state.Out) != 0 && code == kErrSuccess) {
        code = WinErrorFromErrno(errno);
    }
    state.Out = -1;
    if (code == kErrSuccess) {
        code = targetAbsent ? PlaceNew(temp, to, before) : ReplaceTarget(temp, to);
    }
    if (code != kErrSuccess) {
        ::unlink(temp.c_str());
    }
    return code;
}

int KeepUnderSecondName(const std::string& path, const std::string& kept)
{
    int err = TakeInjectedFault(FileOp::Link);
    if (err == 0) {
        if (::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, kept.c_str(), 0) == 0) {
            return kErrSuccess;
        }
        err = errno;
    }
    if (err == EEXIST) {
        return kErrAlreadyExists;
    }
    if (err == ENOENT || err == ENOTDIR) {
        return WinErrorFromErrno(err);
    }
    struct stat st
    {};
    if (::lstat(kept.c_str(), &st) == 0) {
        return kErrAlreadyExists;
    }
    return CopyFileSafe(path, kept, CopyMethod::Plain, {}, true);
}

namespace {

// A rename that never replaces `to`; errno tells why it failed.
bool MoveAside(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    struct stat st
    {};
    if (::lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

int RenameCaseOnly(const std::string& path, const std::string& name)
{
    const std::string target = DirOf(path) + "/" + name;
    std::string temp;
    for (int attempt = 0;; ++attempt) {
        temp = RandomTempName(path);
        if (MoveAside(path, temp)) {
            break;
        }
        if (errno != EEXIST || attempt > 20) {
            return WinErrorFromErrno(errno);
        }
    }
    if (MoveAside(temp, target)) {
        return kErrSuccess;
    }
    const int err = errno;
    ::rename(temp.c_str(), path.c_str());
    return WinErrorFromErrno(err);
}

bool IsCopyTemporaryName(std::string_view name)
{
    return name.size() == kTempPrefix.size() + 6 &&
           name.substr(0, kTempPrefix.size()) == kTempPrefix;
}

}  // namespace verdal
