#pragma once

#include <functional>
#include <string>

namespace verdal {

// True when names in the folder `dir` are compared without regard to case by its file system:
// FAT, exFAT, NTFS and SMB mounts, and ext4 folders with case folding switched on. A folder
// that does not exist yet is judged by its nearest existing parent, as new folders inherit
// case folding.
bool FolderIgnoresCase(const std::string& dir);

// Replaces the look at the file system (tests cannot mount FAT); an empty function restores it.
void SetFolderIgnoresCaseForTest(std::function<bool(const std::string&)> judge);

}  // namespace verdal
