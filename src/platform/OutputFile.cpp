#include "platform/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/WinError.h"

namespace verdal {
namespace {

// ERROR_INVALID_HANDLE: writing to a file that is not open.
constexpr int kErrInvalidHandle = 6;

}  // namespace

cOutputFile::~cOutputFile()
{
    Close();
}

int cOutputFile::Open(const std::string& path, bool append)
{
    Close();
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    // O_RDWR is needed for ReadFrom; an append-only descriptor cannot read.
    fd_ = ::open(path.c_str(), (flags & ~O_WRONLY) | O_RDWR, 0666);
    if (fd_ < 0) {
        return WinErrorFromErrno(errno);
    }
    struct stat st
    {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        Close();
        return kErrAccessDenied;
    }
    return kErrSuccess;
}

int cOutputFile::Write(const std::string& bytes)
{
    if (fd_ < 0) {
        return kErrInvalidHandle;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return WinErrorFromErrno(errno);
        }
        done += static_cast<size_t>(n);
    }
    return kErrSuccess;
}

int64_t cOutputFile::Size() const
{
    struct stat st
    {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
        return 0;
    }
    return st.st_size;
}

int cOutputFile::ReadFrom(int64_t offset, std::string& bytes) const
{
    bytes.clear();
    if (fd_ < 0) {
        return kErrInvalidHandle;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::pread(fd_, buffer, sizeof buffer, offset);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return WinErrorFromErrno(errno);
        }
        if (n == 0) {
            return kErrSuccess;
        }
        bytes.append(buffer, static_cast<size_t>(n));
        offset += n;
    }
}

int cOutputFile::Truncate(int64_t offset)
{
    if (fd_ < 0) {
        return kErrInvalidHandle;
    }
    if (::ftruncate(fd_, offset) != 0) {
        return WinErrorFromErrno(errno);
    }
    // With O_APPEND the next write goes to the new end; without it, move there explicitly.
    ::lseek(fd_, offset, SEEK_SET);
    return kErrSuccess;
}

void cOutputFile::Close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

}  // namespace verdal
