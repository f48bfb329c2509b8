#include "platform/FolderCase.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <cerrno>

namespace verdal {
namespace {

std::function<bool(const std::string&)>& TestJudge()
{
    static std::function<bool(const std::string&)> judge;
    return judge;
}

constexpr long kMsdosMagic = 0x4d44;
constexpr long kExfatMagic = 0x2011BAB0;
constexpr long kNtfsMagic = 0x5346544e;
constexpr long kCifsMagic = 0xFF534D42;
constexpr long kSmb2Magic = 0xFE534D42;
constexpr long kSmbMagic = 0x517B;
constexpr long kExt4Magic = 0xEF53;
constexpr unsigned kCasefoldFlag = 0x40000000;  // FS_CASEFOLD_FL

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

}  // namespace

bool FolderIgnoresCase(const std::string& dir)
{
    if (TestJudge()) {
        return TestJudge()(dir);
    }
    const std::string existing = NearestExisting(dir);
    struct statfs fs
    {};
    if (::statfs(existing.c_str(), &fs) != 0) {
        return false;
    }
    switch (static_cast<long>(fs.f_type)) {
        case kMsdosMagic:
        case kExfatMagic:
        case kNtfsMagic:
        case kCifsMagic:
        case kSmb2Magic:
        case kSmbMagic:
            return true;
        case kExt4Magic:
            return HasCasefoldFlag(existing);
        default:
            return false;
    }
}

void SetFolderIgnoresCaseForTest(std::function<bool(const std::string&)> judge)
{
    TestJudge() = std::move(judge);
}

}  // namespace verdal
