#include "platform/FolderCase.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <cerrno>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <string_view>
#include <utility>

namespace verdal {
namespace {

std::function<bool(const std::string&)>& TestJudge()
{
    static std::function<bool(const std::string&)> judge;
    return judge;
}

std::function<long(const std::string&)>& TestType()
{
    static std::function<long(const std::string&)> type;
    return type;
}

constexpr std::string_view kProbePrefix = ".verdal-case-";

// Every probe file this process made: a listing that caught one mid-probe leaves it out.
std::mutex& ProbesMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::set<std::pair<unsigned long long, unsigned long long>>& OwnProbes()
{
    static std::set<std::pair<unsigned long long, unsigned long long>> probes;
    return probes;
}

constexpr unsigned kCasefoldFlag = 0x40000000;  // FS_CASEFOLD_FL, ext4 and f2fs alike

enum class TypeRule {
    Sensitive,
    Blind,
    FolderFlag,  // per folder, by its case folding flag
    Unknown,
};

TypeRule RuleOfType(long type)
{
    switch (static_cast<unsigned long>(type) & 0xFFFFFFFFul) {
        case 0x4d44:      // msdos, vfat
        case 0x2011BAB0:  // exfat
        case 0x5346544e:  // ntfs, ntfs3
        case 0xFF534D42:  // cifs
        case 0xFE534D42:  // smb2
        case 0x517B:      // smb
            return TypeRule::Blind;
        case 0xEF53:      // ext2, ext3, ext4
        case 0xF2F52010:  // f2fs
            return TypeRule::FolderFlag;
        case 0x01021994:  // tmpfs
        case 0x858458f6:  // ramfs
        case 0x9123683E:  // btrfs
        case 0x58465342:  // xfs
        case 0x794c7630:  // overlay
        case 0x6969:      // nfs
        case 0x2fc12fc1:  // zfs
        case 0x73717368:  // squashfs
        case 0xE0F5E1E2:  // erofs
        case 0x3434:      // nilfs2
        case 0x01021997:  // 9p
            return TypeRule::Sensitive;
        default:  // FUSE (ntfs-3g, exfat-fuse, sshfs), hfsplus, jfs and the rest
            return TypeRule::Unknown;
    }
}

std::string NearestExisting(std::string dir)
{
    struct stat st
    {};
    while (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        while (dir.size() > 1 && dir.back() == '/') {
            dir.pop_back();
        }
        const size_t slash = dir.rfind('/');
        if (slash == std::string::npos) {
            return ".";
        }
        dir.resize(slash == 0 ? 1 : slash);
    }
    return dir;
}

bool HasCasefoldFlag(const std::string& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    const bool folded = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                        (static_cast<unsigned>(flags) & kCasefoldFlag) != 0;
    ::close(fd);
    return folded;
}

std::optional<long> FileSystemType(const std::string& dir)
{
    if (TestType()) {
        return TestType()(dir);
    }
    struct statfs fs
    {};
    if (::statfs(dir.c_str(), &fs) != 0) {
        return std::nullopt;
    }
    return static_cast<long>(fs.f_type);
}

std::optional<dev_t> DeviceOf(const std::string& dir)
{
    struct stat st
    {};
    if (::stat(dir.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return st.st_dev;
}

std::string WithSlash(const std::string& dir)
{
    return !dir.empty() && dir.back() == '/' ? dir : dir + '/';
}

// A name no one else uses, in lower case; its upper-case twin differs in every letter.
std::string ProbeName()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz";
    thread_local std::mt19937_64 random(std::random_device{}());
    std::string name(kProbePrefix);
    for (int i = 0; i < 16; ++i) {
        name += kLetters[random() % 26];
    }
    return name + ".tmp";
}

std::string UpperAscii(std::string name)
{
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

}  // namespace

NameCase ProbeNameCase(const std::string& dir)
{
    const std::string base = WithSlash(dir);
    struct stat folder
    {};
    const bool folderKnown = ::stat(dir.c_str(), &folder) == 0;
    std::string name;
    int fd = -1;
    // Held while the file exists, so a listing that sees it also finds it recorded.
    std::unique_lock<std::mutex> lock(ProbesMutex());
    for (int attempt = 0; attempt < 3 && fd < 0; ++attempt) {
        name = ProbeName();
        fd = ::open((base + name).c_str(),
                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
        if (fd < 0 && errno != EEXIST) {
            return NameCase::Unknown;
        }
    }
    if (fd < 0) {
        return NameCase::Unknown;
    }
    struct stat made
    {};
    const bool madeKnown = ::fstat(fd, &made) == 0;
    ::close(fd);
    if (madeKnown) {
        OwnProbes().emplace(made.st_dev, made.st_ino);
    }
    NameCase result = NameCase::Unknown;
    struct stat other
    {};
    if (!madeKnown) {
        result = NameCase::Unknown;
    } else if (::lstat((base + UpperAscii(name)).c_str(), &other) == 0) {
        result = other.st_dev == made.st_dev && other.st_ino == made.st_ino ? NameCase::Blind
                                                                            : NameCase::Sensitive;
    } else if (errno == ENOENT) {
        result = NameCase::Sensitive;
    }
    // Only ever the lower-case name: on a file system that keeps case, the upper-case one may
    // be somebody's file.
    ::unlink((base + name).c_str());
    lock.unlock();
    // The folder looks untouched afterwards: a dry run changes nothing, and no one should take
    // the probe for a change of the folder.
    if (folderKnown) {
        const timespec times[2] = {folder.st_atim, folder.st_mtim};
        ::utimensat(AT_FDCWD, dir.c_str(), times, 0);
    }
    return result;
}

cFolderCaseJudge::cFolderCaseJudge(std::string root) : root_(std::move(root)) {}

bool cFolderCaseJudge::IgnoresCase(const std::string& dir)
{
    if (TestJudge()) {
        return TestJudge()(dir);
    }
    const std::string existing = NearestExisting(dir);
    const std::optional<long> type = FileSystemType(existing);
    if (!type) {
        return false;
    }
    switch (RuleOfType(*type)) {
        case TypeRule::Blind:
            return true;
        case TypeRule::Sensitive:
            return false;
        case TypeRule::FolderFlag:
            return HasCasefoldFlag(existing);
        case TypeRule::Unknown:
            break;
    }
    const std::optional<dev_t> device = DeviceOf(existing);
    if (!device) {
        return false;
    }
    if (const auto known = probed_.find(*device); known != probed_.end()) {
        return known->second;
    }
    // The root answers for its own file system, the folder itself for any other.
    const std::string& where = DeviceOf(root_) == device ? root_ : existing;
    const NameCase probe = ProbeNameCase(where);
    if (probe == NameCase::Unknown) {
        unchecked_.push_back(where);
    }
    return probed_[*device] = probe == NameCase::Blind;
}

bool IsOwnCaseProbe(const std::string& name, unsigned long long device, unsigned long long inode)
{
    if (name.compare(0, kProbePrefix.size(), kProbePrefix) != 0) {
        return false;
    }
    std::lock_guard<std::mutex> lock(ProbesMutex());
    return OwnProbes().count({device, inode}) != 0;
}

void SetFolderIgnoresCaseForTest(std::function<bool(const std::string&)> judge)
{
    TestJudge() = std::move(judge);
}

void SetFileSystemTypeForTest(std::function<long(const std::string&)> type)
{
    TestType() = std::move(type);
}

}  // namespace verdal
