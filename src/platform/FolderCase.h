#pragma once

#include <functional>
#include <optional>
#include <string>

namespace verdal {

// What a folder's file system does with names that differ only in case.
enum class NameCase {
    Sensitive,  // keeps them apart
    Blind,      // takes them for one name
    Unknown,    // cannot tell
};

// Creates a private file with a lower-case name in `dir`, looks that name up in upper case and
// removes the file again. Blind when both names reach the same file; Unknown when the probe
// cannot be made (read-only, no such folder, any error).
NameCase ProbeNameCase(const std::string& dir);

// Judges the folders of one side of a run: FAT, exFAT, NTFS and SMB mounts ignore case, ext4 and
// f2fs folders do when case folding is switched on for them, and the common Linux file systems
// keep case. Where the type tells nothing (FUSE, types not known here) one probe in the side's
// root decides, made on first need and only for folders on the root's own file system. A
// folder that does not exist yet is judged by its nearest existing parent, as new folders
// inherit case folding.
class cFolderCaseJudge
{
public:
    explicit cFolderCaseJudge(std::string root);
    bool IgnoresCase(const std::string& dir);
    // True when a probe was needed and could not be made (read-only root, an error); case is
    // then taken as kept.
    bool ProbeFailed() const { return probeFailed_; }

private:
    std::string root_;
    std::optional<bool> probed_;
    bool probeFailed_ = false;
};

// Replaces the whole judgement (tests cannot mount FAT); an empty function restores it.
void SetFolderIgnoresCaseForTest(std::function<bool(const std::string&)> judge);
// Replaces the file system type (`statfs` magic) of every folder; empty restores the real one.
void SetFileSystemTypeForTest(std::function<long(const std::string&)> type);

}  // namespace verdal
