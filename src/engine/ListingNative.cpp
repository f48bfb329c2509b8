#include "engine/ListingNative.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

namespace verdal {

namespace {

constexpr int64_t kUnixEpochTicks = 116444736000000000LL;

int64_t CurrentUtcOffsetSeconds()
{
    const time_t now = time(nullptr);
    struct tm local
    {};
    localtime_r(&now, &local);
    return local.tm_gmtoff;
}

FileStamp StampOf(const std::string& name, const struct stat& st, bool useUtc)
{
    FileStamp stamp;
    int64_t ticks = kUnixEpochTicks + static_cast<int64_t>(st.st_mtim.tv_sec) * 10000000LL +
                    st.st_mtim.tv_nsec / 100;
    if (!useUtc)
        ticks += CurrentUtcOffsetSeconds() * 10000000LL;
    stamp.LastWrite = static_cast<FileTime>(ticks);
    stamp.Size = S_ISLNK(st.st_mode) ? 0 : static_cast<int64_t>(st.st_size);
    if ((st.st_mode & S_IWUSR) == 0)
        stamp.Attributes |= kAttrReadOnly;
    if (!name.empty() && name[0] == '.')
        stamp.Attributes |= kAttrHidden;
    if (S_ISDIR(st.st_mode))
        stamp.Attributes |= kAttrDirectory;
    return stamp;
}

}  // namespace

void ReadNativeDirectory(const std::string& nativeDir, bool useUtc, cListing& listing,
                         std::vector<std::string>* unnamable)
{
    DIR* dir = opendir(nativeDir.c_str());
    if (!dir)
        return;
    const int dirFd = dirfd(dir);
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat st
        {};
        if (fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode) && !S_ISDIR(st.st_mode))
            continue;
        if (name.find('\\') != std::string::npos) {
            if (unnamable)
                unnamable->push_back(nativeDir + (nativeDir.ends_with('/') ? "" : "/") + name);
            continue;
        }
        if (S_ISDIR(st.st_mode))
            listing.Dirs.push_back(name);
        else
            listing.Files.push_back({name, StampOf(name, st, useUtc), {}});
    }
    closedir(dir);
}

}  // namespace verdal
