#include "platform/DirList.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>

#include "platform/FaultInjection.h"
#include "platform/FileCopy.h"
#include "platform/FileTimes.h"
#include "platform/TextCase.h"
#include "platform/WinError.h"

namespace verdal {
namespace {

FileStamp StampOf(std::string_view name, const struct stat& st, bool useUtc)
{
    FileStamp stamp;
    stamp.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<int64_t>(st.st_size);
    const FileTime utc = FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    stamp.LastWrite = useUtc ? utc : UtcToLocalFileTime(utc);
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

}  // namespace

int ReadFileStamp(const std::string& path, bool useUtc, FileStamp& stamp, bool* isLink)
{
    struct stat st
    {};
    if (::lstat(path.c_str(), &st) != 0) {
        return WinErrorFromErrno(errno);
    }
    stamp = StampOf(BaseName(path), st, useUtc);
    if (isLink) {
        *isLink = S_ISLNK(st.st_mode);
    }
    return kErrSuccess;
}

int cDirListing::Read(const std::string& nativeDir, bool useUtc)
{
    *this = cDirListing();
    if (const int fault = TakeInjectedFault(FileOp::Open)) {
        return WinErrorFromErrno(fault);
    }
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
        if (name == "." || name == ".." || IsCopyTemporaryName(name)) {
            continue;
        }
        struct stat st
        {};
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;  // vanished between readdir and stat
        }
        const bool directory = S_ISDIR(st.st_mode);
        if (!directory && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
            continue;
        }
        if (name.find('\\') != std::string_view::npos) {
            unnamable_.emplace_back(name);
            continue;
        }
        Add(DirEntry{std::string(name), StampOf(name, st, useUtc), S_ISLNK(st.st_mode)}, directory);
    }
    ::closedir(dir);
    return kErrSuccess;
}

void cDirListing::Add(DirEntry entry, bool directory)
{
    std::vector<DirEntry>& entries = directory ? dirs_ : files_;
    Index& index = directory ? dirIndex_ : fileIndex_;
    index.Exact.emplace(entry.Name, entries.size());
    index.Folded.emplace(FoldCase(entry.Name), entries.size());
    entries.push_back(std::move(entry));
}

const DirEntry* cDirListing::FindExact(std::string_view name, bool directories) const
{
    const Index& index = IndexOf(directories);
    const auto it = index.Exact.find(std::string(name));
    return it == index.Exact.end() ? nullptr : &Entries(directories)[it->second];
}

std::vector<const DirEntry*> cDirListing::FindFolded(std::string_view name, bool directories) const
{
    const Index& index = IndexOf(directories);
    std::vector<size_t> positions;
    const auto [first, last] = index.Folded.equal_range(FoldCase(name));
    for (auto it = first; it != last; ++it) {
        positions.push_back(it->second);
    }
    std::sort(positions.begin(), positions.end());
    std::vector<const DirEntry*> found;
    for (const size_t pos : positions) {
        found.push_back(&Entries(directories)[pos]);
    }
    return found;
}

const DirEntry* cDirListing::FindPartner(std::string_view name, const cDirListing& own,
                                         bool directories) const
{
    if (const DirEntry* exact = FindExact(name, directories)) {
        return exact;
    }
    for (const DirEntry* candidate : FindFolded(name, directories)) {
        if (!own.FindExact(candidate->Name, directories)) {
            return candidate;
        }
    }
    return nullptr;
}

}  // namespace verdal
