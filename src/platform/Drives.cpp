#include "platform/Drives.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/DirectoryCheck.h"
#include "platform/FileIO.h"

namespace verdal {
namespace {

DriveSources g_sources;
std::function<int64_t(const std::string&)> g_freeSpaceSource;

// Mount points carry octal escapes for blanks, tabs, newlines and backslashes.
std::string UnescapeOctal(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            const std::string_view digits = text.substr(i + 1, 3);
            if (digits.size() == 3 && digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(std::string(digits), nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// udev writes unsafe characters of labels as \xHH.
std::string UnescapeHex(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            const std::string hex(text.substr(i + 2, 2));
            if (hex.size() == 2 &&
                hex.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
                out += static_cast<char>(std::stoi(hex, nullptr, 16));
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t start = line.find_first_not_of(' ', pos);
        if (start == std::string_view::npos) {
            break;
        }
        const size_t end = line.find(' ', start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        pos = end == std::string_view::npos ? line.size() : end;
    }
    return fields;
}

std::optional<MountEntry> ParseMountLine(std::string_view line)
{
    const std::vector<std::string_view> fields = SplitFields(line);
    // id parent major:minor root mountpoint options [optional...] - fstype source superoptions
    size_t dash = 6;
    while (dash < fields.size() && fields[dash] != "-") {
        ++dash;
    }
    if (fields.size() < 5 || dash + 2 >= fields.size()) {
        return std::nullopt;
    }
    MountEntry entry;
    entry.MountPoint = UnescapeOctal(fields[4]);
    entry.FileSystem = std::string(fields[dash + 1]);
    entry.Source = UnescapeOctal(fields[dash + 2]);
    return entry;
}

bool StartsWithDir(std::string_view path, std::string_view dir)
{
    if (dir == "/") {
        return !path.empty() && path[0] == '/';
    }
    return path.substr(0, dir.size()) == dir &&
           (path.size() == dir.size() || path[dir.size()] == '/');
}

std::string RealPathOr(const std::string& path)
{
    NotifyPathLook(path);
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsRemovableDevice(const std::string& source)
{
    if (source.empty() || source[0] != '/') {
        return false;
    }
    const std::string device = BaseName(RealPathOr(source));
    const std::string base = g_sources.SysBlockDir + "/" + device;
    std::string flag;
    // A partition has no flag of its own; the disk above it has.
    if (ReadWholeFile(base + "/removable", flag) != 0 &&
        ReadWholeFile(base + "/../removable", flag) != 0) {
        return false;
    }
    return !flag.empty() && flag[0] == '1';
}

std::string LabelOfDevice(const std::string& source)
{
    if (source.empty() || source[0] != '/') {
        return {};
    }
    const std::string device = RealPathOr(source);
    DIR* dir = ::opendir(g_sources.ByLabelDir.c_str());
    if (!dir) {
        return {};
    }
    std::string label;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        if (RealPathOr(g_sources.ByLabelDir + "/" + name) == device) {
            label = UnescapeHex(name);
            break;
        }
    }
    ::closedir(dir);
    return label;
}

// Mount points that belong to the system rather than to the user.
bool IsSystemMountPoint(const std::string& mountPoint)
{
    static const std::array<std::string_view, 5> kHidden = {"/proc", "/sys", "/dev", "/run",
                                                            "/snap"};
    if (StartsWithDir(mountPoint, "/run/media")) {
        return false;
    }
    for (const std::string_view dir : kHidden) {
        if (StartsWithDir(mountPoint, dir)) {
            return true;
        }
    }
    return false;
}

std::string GvfsDirectory()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        return std::string(runtime) + "/gvfs";
    }
    return "/run/user/" + std::to_string(::getuid()) + "/gvfs";
}

// Value of `key` in a gvfs mount name such as "smb-share:server=nas,share=fotos".
std::string GvfsValue(std::string_view name, std::string_view key)
{
    size_t pos = name.find(':');
    while (pos != std::string_view::npos) {
        const size_t start = pos + 1;
        const size_t end = name.find(',', start);
        const std::string_view item = name.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (item.size() > key.size() && item.substr(0, key.size()) == key &&
            item[key.size()] == '=') {
            return std::string(item.substr(key.size() + 1));
        }
        pos = end;
    }
    return {};
}

}  // namespace

void SetDriveSources(const DriveSources& sources)
{
    g_sources = sources;
}

const DriveSources& CurrentDriveSources()
{
    return g_sources;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text)
{
    std::vector<MountEntry> mounts;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (auto entry = ParseMountLine(text.substr(pos, end - pos))) {
            mounts.push_back(std::move(*entry));
        }
        pos = end + 1;
    }
    return mounts;
}

std::vector<MountEntry> ReadMountTable()
{
    std::string text;
    if (ReadWholeFile(g_sources.MountInfo, text) != 0) {
        return {};
    }
    return ParseMountInfo(text);
}

bool IsPseudoFileSystem(const MountEntry& mount)
{
    static const std::array<std::string_view, 24> kPseudo = {
        "proc",       "sysfs",    "devtmpfs",  "devpts",      "cgroup",          "cgroup2",
        "securityfs", "debugfs",  "tracefs",   "mqueue",      "hugetlbfs",       "pstore",
        "bpf",        "configfs", "fusectl",   "binfmt_misc", "autofs",          "rpc_pipefs",
        "nsfs",       "efivarfs", "selinuxfs", "squashfs",    "fuse.gvfsd-fuse", "fuse.portal"};
    for (const std::string_view type : kPseudo) {
        if (mount.FileSystem == type) {
            return true;
        }
    }
    return false;
}

int DriveTypeOf(const MountEntry& mount, bool removableDevice)
{
    const std::string& fs = mount.FileSystem;
    if (fs == "iso9660" || fs == "udf") {
        return kDriveCdRom;
    }
    if (fs == "tmpfs" || fs == "ramfs") {
        return kDriveRamDisk;
    }
    if (fs == "nfs" || fs == "nfs4" || fs == "cifs" || fs == "smb3" || fs == "smbfs" ||
        fs == "sshfs" || fs == "fuse.sshfs" || fs.rfind("fuse.gvfs", 0) == 0) {
        return kDriveRemote;
    }
    if (removableDevice || StartsWithDir(mount.MountPoint, "/media") ||
        StartsWithDir(mount.MountPoint, "/run/media")) {
        return kDriveRemovable;
    }
    return kDriveFixed;
}

std::string ShareNameOf(const MountEntry& mount)
{
    const std::string& fs = mount.FileSystem;
    std::string host, share;
    if ((fs == "cifs" || fs == "smb3" || fs == "smbfs") && mount.Source.rfind("//", 0) == 0) {
        const size_t slash = mount.Source.find('/', 2);
        if (slash == std::string::npos) {
            return {};
        }
        host = mount.Source.substr(2, slash - 2);
        share = mount.Source.substr(slash + 1);
    } else if (fs == "nfs" || fs == "nfs4") {
        const size_t colon = mount.Source.find(':');
        if (colon == std::string::npos) {
            return {};
        }
        host = mount.Source.substr(0, colon);
        share = mount.Source.substr(colon + 1);
        if (!share.empty() && share[0] == '/') {
            share.erase(0, 1);
        }
    } else {
        return {};
    }
    while (!share.empty() && share.back() == '/') {
        share.pop_back();
    }
    if (host.empty() || share.empty()) {
        return {};
    }
    for (char& c : share) {
        if (c == '/') {
            c = '\\';
        }
    }
    return "\\\\" + host + "\\" + share;
}

std::vector<DriveInfo> ListDrives()
{
    std::vector<DriveInfo> drives;
    for (const MountEntry& mount : ReadMountTable()) {
        if (IsPseudoFileSystem(mount) || IsSystemMountPoint(mount.MountPoint) ||
            !IsExistingDirectory(mount.MountPoint)) {
            continue;
        }
        DriveInfo info;
        const std::string share = ShareNameOf(mount);
        info.Name = share.empty() ? mount.MountPoint : share;
        info.Root = mount.MountPoint;
        info.Type = DriveTypeOf(mount, IsRemovableDevice(mount.Source));
        info.FileSystem = mount.FileSystem;
        info.Label = LabelOfDevice(mount.Source);
        // A later mount on the same point hides the earlier one.
        std::erase_if(drives, [&](const DriveInfo& d) { return d.Root == info.Root; });
        drives.push_back(std::move(info));
    }
    for (DriveInfo& share : GvfsShares()) {
        drives.push_back(std::move(share));
    }
    return drives;
}

std::vector<DriveInfo> GvfsShares()
{
    std::vector<DriveInfo> shares;
    const std::string dirPath = GvfsDirectory();
    DIR* dir = ::opendir(dirPath.c_str());
    if (!dir) {
        return shares;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        const std::string host = GvfsValue(name, "server");
        const std::string share = GvfsValue(name, "share");
        if (name.rfind("smb-share:", 0) == 0 && !host.empty() && !share.empty()) {
            DriveInfo info;
            info.Name = "\\\\" + host + "\\" + share;
            info.Root = dirPath + "/" + std::string(name);
            info.Type = kDriveRemote;
            info.FileSystem = "gvfs";
            shares.push_back(std::move(info));
        }
    }
    ::closedir(dir);
    return shares;
}

std::optional<MountEntry> MountHolding(const std::string& path)
{
    const std::string real = RealPathOr(path);
    std::optional<MountEntry> best;
    for (MountEntry& mount : ReadMountTable()) {
        if (StartsWithDir(real, mount.MountPoint) &&
            (!best || mount.MountPoint.size() >= best->MountPoint.size())) {
            best = std::move(mount);
        }
    }
    return best;
}

DriveInfo DriveInfoOf(const std::string& path)
{
    DriveInfo info;
    if (const std::optional<MountEntry> mount = MountHolding(path)) {
        const std::string share = ShareNameOf(*mount);
        info.Name = share.empty() ? mount->MountPoint : share;
        info.Root = mount->MountPoint;
        info.Type = DriveTypeOf(*mount, IsRemovableDevice(mount->Source));
        info.FileSystem = mount->FileSystem;
        info.Label = LabelOfDevice(mount->Source);
    }
    return info;
}

bool ReadVolumeLabel(const std::string& root, std::string& label)
{
    label = DriveInfoOf(root).Label;
    return !label.empty();
}

void SetFreeSpaceSource(std::function<int64_t(const std::string& root)> source)
{
    g_freeSpaceSource = std::move(source);
}

std::string FileSystemIdOf(const std::string& path)
{
    std::string at = path;
    struct statvfs st
    {};
    while (::statvfs(at.c_str(), &st) != 0) {
        const size_t slash = at.find_last_of('/', at.size() > 1 ? at.size() - 2 : 0);
        if (at.empty() || at == "/" || slash == std::string::npos) {
            return {};
        }
        at = slash == 0 ? "/" : at.substr(0, slash);
    }
    char text[32];
    std::snprintf(text, sizeof text, "%lx", static_cast<unsigned long>(st.f_fsid));
    return text;
}

int64_t FreeSpace(const std::string& root)
{
    if (g_freeSpaceSource) {
        return g_freeSpaceSource(root);
    }
    if (!IsExistingDirectory(root)) {
        return -2;
    }
    struct statvfs st
    {};
    if (::statvfs(root.c_str(), &st) != 0) {
        return -1;
    }
    return static_cast<int64_t>(st.f_bavail) * static_cast<int64_t>(st.f_frsize);
}

}  // namespace verdal
