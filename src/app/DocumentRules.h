#pragma once

#include <array>
#include <string>
#include <vector>

namespace verdal {

class cParameters;

// Rules of the main window's lists and drops, without widgets.

// Puts `name` into slot 1 of the reopen list (slots 1..9): the lowest slot of 1..8 that holds
// the name (letter case ignored), or else slot 9, is the hole the slots above it move into.
void AddToReopenList(std::array<std::string, 10>& oldFiles, const std::string& name);

// The quick-list entry a key tag stands for: tags 1..12 (F1..F12, run) and 13..24
// (Shift+F1..F12, open only) give 1..12.
inline int QuickEntryOf(int tag)
{
    return tag > 12 ? tag - 12 : tag;
}

// A path dropped onto the window: native path, whether it is a directory and the mount point
// that holds it.
struct DroppedPath
{
    std::string Path;
    bool Directory = false;
    std::string MountPoint = "/";
};

// Looks at each dropped path (directory or not, its mount); this waits on the paths' file
// systems, so the window runs it with a bounded wait.
std::vector<DroppedPath> DescribeDroppedPaths(const std::vector<std::string>& paths);

// The profile side of a drop: a directory is added to SearchDirectories (`shift`:
// ExcludeDirectories) as its path below its mount point, "\" at the end and the
// subdirectory marker "*" unless `ctrl`; a file's name goes to CompareFiles (`shift`:
// ExcludeFiles). Entries already there are not added again. Returns true when anything changed.
bool DropIntoProfile(cParameters& params, const std::vector<DroppedPath>& paths, bool ctrl,
                     bool shift);
// The batch side: each dropped ".vrd" file (exact extension) is appended to Profiles with its
// full path and condition 0.
bool DropIntoBatch(cParameters& params, const std::vector<DroppedPath>& paths);

// A native directory path as the profile form below `mountPoint`: "/media/a/STICK/Daten" on
// "/media/a/STICK" gives "\Daten\".
std::string RelativeDirectory(const std::string& path, const std::string& mountPoint);

}  // namespace verdal
