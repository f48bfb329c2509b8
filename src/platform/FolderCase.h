#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

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
// keep case. Where the type tells nothing (FUSE, types not known here) one probe per file
// system decides, made on first need: in the side's root for the root's own file system, else
// in the first folder asked about on that file system (a FUSE mount below a drive of "/"). A
// folder that does not exist yet is judged by its nearest existing parent, as new folders
// inherit case folding.
class cFolderCaseJudge
{
public:
    explicit cFolderCaseJudge(std::string root);
    bool IgnoresCase(const std::string& dir);
    // Folders where a probe was needed and could not be made (read-only, an error); case is
    // taken as kept on their file systems.
    const std::vector<std::string>& Unchecked() const { return unchecked_; }

private:
    std::string root_;
    std::map<unsigned long long, bool> probed_;  // by device
    std::vector<std::string> unchecked_;
};

// True for a probe file this process made (by name, device and inode), which listings leave out.
bool IsOwnCaseProbe(const std::string& name, unsigned long long device, unsigned long long inode);

// Replaces the whole judgement (tests cannot mount FAT); an empty function restores it.
void SetFolderIgnoresCaseForTest(std::function<bool(const std::string&)> judge);
// Replaces the file system type (`statfs` magic) of every folder; empty restores the real one.
void SetFileSystemTypeForTest(std::function<long(const std::string&)> type);

}  // namespace verdal
