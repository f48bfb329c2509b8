#include "platform/FileCompare.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>

#include "platform/FaultInjection.h"
#include "platform/WinError.h"

namespace verdal {
namespace {

constexpr size_t kBlockSize = 131072;

class OpenFile
{
public:
    explicit OpenFile(const std::string& path)
    {
        err_ = TakeInjectedFault(FileOp::Open);
        if (err_ == 0) {
            fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            err_ = fd_ < 0 ? errno : 0;
        }
    }
    ~OpenFile()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Error() const { return err_; }

    // Fills `buffer` as far as the file allows; returns the count or -1 with Error() set.
    ssize_t ReadBlock(char* buffer)
    {
        if ((err_ = TakeInjectedFault(FileOp::Read)) != 0) {
            return -1;
        }
        size_t done = 0;
        while (done < kBlockSize) {
            const ssize_t n = ::read(fd_, buffer + done, kBlockSize - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                err_ = errno;
                return -1;
            }
            if (n == 0) {
                break;
            }
            done += static_cast<size_t>(n);
        }
        return static_cast<ssize_t>(done);
    }

private:
    int fd_ = -1;
    int err_ = 0;
};

bool ReadLink(const std::string& path, std::string& target)
{
    struct stat st
    {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return false;
    }
    target.assign(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    target.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return n >= 0;
}

}  // namespace

int CompareFilesBytewise(const std::string& a, const std::string& b,
                         const std::function<bool()>& pump)
{
    std::string linkA, linkB;
    if (ReadLink(a, linkA) && ReadLink(b, linkB)) {
        return linkA == linkB ? kErrSuccess : kErrContentsDiffer;
    }
    OpenFile fileA(a);
    if (fileA.Error() != 0) {
        return WinErrorFromErrno(fileA.Error());
    }
    OpenFile fileB(b);
    if (fileB.Error() != 0) {
        return WinErrorFromErrno(fileB.Error());
    }
    auto bufferA = std::make_unique<char[]>(kBlockSize);
    auto bufferB = std::make_unique<char[]>(kBlockSize);
    for (;;) {
        const ssize_t n = fileA.ReadBlock(bufferA.get());
        if (n < 0) {
            return WinErrorFromErrno(fileA.Error());
        }
        const ssize_t m = fileB.ReadBlock(bufferB.get());
        if (m < 0) {
            return WinErrorFromErrno(fileB.Error());
        }
        if (n == 0 && m == 0) {
            return kErrSuccess;
        }
        if (pump && pump()) {
            return kErrCancelled;
        }
        if (n != m) {
            return kErrSizesDiffer;
        }
        if (std::memcmp(bufferA.get(), bufferB.get(), static_cast<size_t>(n)) != 0) {
            return kErrContentsDiffer;
        }
    }
}

}  // namespace verdal
