#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verdal {

// Drive types as the drive list and the run driver use them.
enum DriveType : int {
    kDriveUnknown = 0,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdRom = 5,
    kDriveRamDisk = 6,
};

// One line of the mount table.
struct MountEntry
{
    std::string MountPoint;  // native path, escapes resolved
    std::string FileSystem;  // "ext4", "cifs", "fuse.gvfsd-fuse", ...
    std::string Source;      // "/dev/sdb1", "//nas/fotos", "nas:/fotos"
};

// A mounted file system as the drive list offers it.
struct DriveInfo
{
    std::string Name;  // the drive text: the mount point, or "\\host\share" for a network share
    std::string Root;  // native root directory
    int Type = kDriveUnknown;
    std::string FileSystem;
    std::string Label;
};

// Where the drive functions look; tests point them at fixture files and directories.
struct DriveSources
{
    std::string MountInfo = "/proc/self/mountinfo";
    std::string ByLabelDir = "/dev/disk/by-label";
    std::string SysBlockDir = "/sys/class/block";
    // Where the system is told what to mount: a mount point named here but absent from the
    // mount table is an unmounted drive, not a folder to write into.
    std::string Fstab = "/etc/fstab";
    std::vector<std::string> MountUnitDirs = {"/etc/systemd/system", "/run/systemd/system"};
};
void SetDriveSources(const DriveSources& sources);
const DriveSources& CurrentDriveSources();

// Parses the text of /proc/self/mountinfo; malformed lines are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);
// Reads the mount table from the current sources.
std::vector<MountEntry> ReadMountTable();

// True for kernel and virtual file systems that the drive list leaves out.
bool IsPseudoFileSystem(const MountEntry& mount);
// Drive type of a mount; `removableDevice` tells whether its block device is removable.
int DriveTypeOf(const MountEntry& mount, bool removableDevice);
// "\\host\share" for a cifs, smb3 or nfs mount, empty for anything else.
std::string ShareNameOf(const MountEntry& mount);

// Shares the desktop has mounted through gvfs ($XDG_RUNTIME_DIR/gvfs/smb-share:server=...).
std::vector<DriveInfo> GvfsShares();
// The mounted file systems worth offering as drives, in mount-table order, then the gvfs
// shares.
std::vector<DriveInfo> ListDrives();
// The mount that holds `path` (the longest mount point that is a prefix of it).
std::optional<MountEntry> MountHolding(const std::string& path);
// Drive type and label of the file system that holds `path`.
DriveInfo DriveInfoOf(const std::string& path);
// Volume label of the block device mounted at or holding `root`; false when it has none.
bool ReadVolumeLabel(const std::string& root, std::string& label);

// The identity the kernel gives the file system holding `path` (or its nearest existing
// parent), as text; empty when it cannot be read. Another medium mounted at the same place
// has another identity.
std::string FileSystemIdOf(const std::string& path);

// Bytes available to the caller on the file system of `root`: -2 when the root does not
// exist (drive not ready), -1 when the size cannot be read.
int64_t FreeSpace(const std::string& root);
// Test seam: FreeSpace answers from `source` instead of the file system; an empty function
// restores the real figures.
void SetFreeSpaceSource(std::function<int64_t(const std::string& root)> source);

}  // namespace verdal
