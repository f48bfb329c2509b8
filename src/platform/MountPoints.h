#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verdal {

// Mount points the system is configured to mount (/etc/fstab and systemd mount units, read
// from the current DriveSources), so that an empty folder standing in for an unmounted disk is
// never taken for the disk itself.

// The absolute mount points of an fstab text; comments, swap and "none" are left out.
std::vector<std::string> ParseFstab(std::string_view text);
// The value of "Where=" in the text of a systemd mount unit, empty when there is none.
std::string MountUnitWhere(std::string_view text);
// The configured mount point that holds `path` (the deepest one) when it is not mounted now;
// empty when every configured mount point above `path` is mounted or none is configured.
std::string UnmountedMountPointOf(const std::string& path);
// True when `path` is an existing directory and no configured mount point above it is missing.
bool RootReady(const std::string& path);

}  // namespace verdal
