#include "platform/FileIO.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

#include "platform/WinError.h"

namespace verdal {
namespace {

int CloseWithError(int fd, int err)
{
    ::close(fd);
    return WinErrorFromErrno(err);
}

int WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<size_t>(n);
    }
    return 0;
}

}  // namespace

int ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return WinErrorFromErrno(errno);
    }
    struct stat st
    {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        return CloseWithError(fd, EACCES);
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return CloseWithError(fd, errno);
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return kErrSuccess;
}

int ReadRegularFile(const std::string& path, std::string& bytes, int64_t maxBytes)
{
    bytes.clear();
    // Non-blocking, so that opening a FIFO with no writer returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return WinErrorFromErrno(errno);
    }
    struct stat st
    {};
    if (::fstat(fd, &st) != 0) {
        return CloseWithError(fd, errno);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return kErrNotRegularFile;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        return kErrFileTooLarge;
    }
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return CloseWithError(fd, errno);
        }
        if (n == 0) {
            break;
        }
        // The file may grow while it is read.
        if (static_cast<int64_t>(bytes.size()) + n > maxBytes) {
            ::close(fd);
            bytes.clear();
            return kErrFileTooLarge;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return kErrSuccess;
}

int WriteFileAtomic(const std::string& path, const std::string& bytes)
{
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return WinErrorFromErrno(errno);
    }
    // Keep the permissions of the file being replaced; new files get the usual 0666 & ~umask.
    struct stat old
    {};
    if (::stat(path.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    int err = WriteAll(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0) {
        err = errno;
    }
    if (::close(fd) != 0 && err == 0) {
        err = errno;
    }
    if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0) {
        err = errno;
    }
    if (err != 0) {
        ::unlink(temp.c_str());
        return WinErrorFromErrno(err);
    }
    return kErrSuccess;
}

cFileLock::cFileLock(const std::string& path)
{
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ >= 0) {
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
}

cFileLock::~cFileLock()
{
    if (fd_ >= 0) {
        ::close(fd_);  // releases the lock
    }
}

}  // namespace verdal
