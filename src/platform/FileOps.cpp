#include "platform/FileOps.h"

#include <fcntl.h>
#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/ChangeWait.h"
#include "platform/DirList.h"
#include "platform/DirectoryCheck.h"
#include "platform/FaultInjection.h"
#include "platform/FileStamp.h"
#include "platform/WinError.h"

namespace verdal {
namespace {

int ErrnoResult(int result)
{
    return result == 0 ? kErrSuccess : WinErrorFromErrno(errno);
}

int TrashErrorCode(const GError* error)
{
    if (error->domain != G_IO_ERROR) {
        return kErrGenFailure;
    }
    switch (error->code) {
        case G_IO_ERROR_NOT_FOUND:
            return kErrFileNotFound;
        case G_IO_ERROR_PERMISSION_DENIED:
            return kErrAccessDenied;
        case G_IO_ERROR_READ_ONLY:
            return kErrWriteProtect;
        case G_IO_ERROR_NO_SPACE:
            return kErrDiskFull;
        case G_IO_ERROR_BUSY:
            return kErrSharingViolation;
        default:
            return kErrGenFailure;  // no trash on that file system, among others
    }
}

// The mode for the directory `path` ends in at `end`: that of the directory of `model` as many
// levels up as `path` goes on below `end`. Without such a counterpart, the usual 0777.
mode_t ModeLike(const std::string& model, const std::string& path, size_t end)
{
    std::string counterpart = model;
    while (counterpart.size() > 1 && counterpart.back() == '/') {
        counterpart.pop_back();
    }
    int levels = 0;
    for (size_t i = end; i < path.size(); ++i) {
        levels += path[i] == '/' && i + 1 < path.size() && path[i + 1] != '/';
    }
    for (; levels > 0; --levels) {
        const size_t slash = counterpart.rfind('/');
        if (slash == std::string::npos || slash == 0) {
            return 0777;
        }
        counterpart.resize(slash);
    }
    struct stat st
    {};
    if (::stat(counterpart.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return 0777;
    }
    return (st.st_mode & 0777) | 0700;
}

}  // namespace

int GetFileAttributesOf(const std::string& path, uint32_t& attributes)
{
    FileStamp stamp;
    const int code = ReadFileStamp(path, true, stamp);
    attributes = code == kErrSuccess ? stamp.Attributes : 0;
    return code;
}

int SetFileAttributesOf(const std::string& path, uint32_t attributes)
{
    struct stat st
    {};
    if (::lstat(path.c_str(), &st) != 0) {
        return WinErrorFromErrno(errno);
    }
    if (S_ISLNK(st.st_mode)) {
        return kErrSuccess;  // a link has no permissions of its own
    }
    mode_t mode = st.st_mode & 07777;
    if (attributes & kAttrReadOnly) {
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    } else {
        mode |= S_IWUSR;
    }
    if (mode == (st.st_mode & 07777)) {
        return kErrSuccess;
    }
    return ErrnoResult(::chmod(path.c_str(), mode));
}

int CreateDirectoryWithParents(const std::string& path, bool* created, const std::string& model)
{
    if (created) {
        *created = false;
    }
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = path.find('/', pos + 1);
        const std::string part = path.substr(0, pos);
        if (part.empty() || IsExistingDirectory(part)) {
            continue;
        }
        if (const int fault = TakeInjectedFault(FileOp::Mkdir)) {
            return WinErrorFromErrno(fault);
        }
        const mode_t mode = model.empty() ? 0777 : ModeLike(model, path, pos);
        if (::mkdir(part.c_str(), mode) != 0 && errno != EEXIST) {
            return WinErrorFromErrno(errno);
        }
        if (created) {
            *created = true;
        }
    }
    return IsExistingDirectory(path) ? kErrSuccess : kErrPathNotFound;
}

int RemoveEmptyDirectory(const std::string& path)
{
    if (const int fault = TakeInjectedFault(FileOp::Unlink)) {
        return WinErrorFromErrno(fault);
    }
    return ErrnoResult(::rmdir(path.c_str()));
}

int MoveNoReplace(const std::string& from, const std::string& to)
{
    if (const int fault = TakeInjectedFault(FileOp::Rename)) {
        return WinErrorFromErrno(fault);
    }
    return RenameNoReplace(from, to);
}

int DeleteFilePlain(const std::string& path)
{
    if (const int fault = TakeInjectedFault(FileOp::Unlink)) {
        return WinErrorFromErrno(fault);
    }
    return ErrnoResult(::unlink(path.c_str()));
}

int MoveToTrash(const std::string& path)
{
    if (const int fault = TakeInjectedFault(FileOp::Trash)) {
        return WinErrorFromErrno(fault);
    }
    struct stat st
    {};
    if (::lstat(path.c_str(), &st) != 0) {
        return WinErrorFromErrno(errno);
    }
    if (S_ISDIR(st.st_mode)) {
        return kErrAccessDenied;  // files only, as the delete pass expects
    }
    GFile* file = g_file_new_for_path(path.c_str());
    GError* error = nullptr;
    const gboolean ok = g_file_trash(file, nullptr, &error);
    g_object_unref(file);
    if (ok) {
        return kErrSuccess;
    }
    const int code = TrashErrorCode(error);
    g_error_free(error);
    return code;
}

int DeleteFileOrRecycle(const std::string& path, bool recycle)
{
    return recycle ? MoveToTrash(path) : DeleteFilePlain(path);
}

int SyncFileSystem(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return WinErrorFromErrno(errno);
    }
    const int result = ::syncfs(fd);
    const int err = errno;
    ::close(fd);
    return result == 0 ? kErrSuccess : WinErrorFromErrno(err);
}

}  // namespace verdal
