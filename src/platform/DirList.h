#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileStamp.h"

namespace verdal {

// One entry of a directory listing. Symbolic links are files whose stamp is the link's own.
struct DirEntry
{
    std::string Name;
    FileStamp Stamp;
    bool IsLink = false;
};

// Opens the directory `nativeDir` for reading. Below `root` (when `nativeDir` lies in it) every
// component is opened relative to its parent without following links: a link or a file in the
// way fails with ELOOP or ENOTDIR. Returns the descriptor, or -errno.
int OpenDirectoryBelow(std::string_view root, const std::string& nativeDir);

// Stamp of one path without following a symbolic link: size, last-write time (local unless
// `useUtc`) and attributes (read-only = no owner write bit, hidden = leading dot, directory).
// Returns a Windows error code.
int ReadFileStamp(const std::string& path, bool useUtc, FileStamp& stamp, bool* isLink = nullptr);

// One directory read into memory once and then looked up by name. Regular files and symbolic
// links are files, directories are kept apart, sockets, FIFOs, devices and temporaries of
// interrupted copies are left out, and names holding a backslash (which a profile cannot express)
// are set aside for the log.
class cDirListing
{
public:
    // Reads `nativeDir`; an unreadable directory leaves the listing empty and returns its code.
    // `shareStats` lets a helper thread share the stat calls of a large directory; callers that
    // already read several directories at once leave it off. With a `root` that `nativeDir`
    // lies in, every component below the root is opened without following symbolic links, so a
    // link to a folder is never listed as that folder.
    int Read(const std::string& nativeDir, bool useUtc, bool shareStats = true,
             std::string_view root = {});

    // The code of a failed read, or of an entry whose stat failed (its folder is then only
    // partly known); 0 when the directory was read whole or does not exist.
    int Error() const { return error_; }
    // The directory does not exist (nothing in its place): an empty folder for all purposes.
    bool Missing() const { return missing_; }
    // A component below the root is a symbolic link (or a file) rather than a folder.
    bool ThroughLink() const { return throughLink_; }

    const std::vector<DirEntry>& Files() const { return files_; }
    const std::vector<DirEntry>& Dirs() const { return dirs_; }
    const std::vector<std::string>& Unnamable() const { return unnamable_; }
    // The case-folded names of Files(), in the same order. Folding is done on first need (most
    // scans find every name in its exact case), so a listing is used by one thread at a time.
    const std::vector<std::string>& FoldedFiles() const
    {
        EnsureFolded();
        return fileIndex_.FoldedNames;
    }

    // Lookups among the files (`directories` false) or the sub-directories (true).
    const DirEntry* FindExact(std::string_view name, bool directories = false) const;
    // Every entry equal to `name` but for case, in listing order.
    std::vector<const DirEntry*> FindFolded(std::string_view name, bool directories = false) const;
    // The entry that pairs with `name` of the listing `own` on the other side, one to one: the
    // exact-case name; else, among the names of both sides equal to it but for case and without
    // an exact counterpart, the one such name of this side when `name` is the one such name of
    // `own`. Several such names on either side cannot be paired without guessing: the result is
    // null and `conflict` (when given) is set.
    const DirEntry* FindPartner(std::string_view name, const cDirListing& own,
                                bool directories = false, bool* conflict = nullptr) const;

private:
    // Positions of the entries sorted by name and by folded name (ties in listing order).
    struct Index
    {
        std::vector<std::string> FoldedNames;
        std::vector<uint32_t> ByName;
        std::vector<uint32_t> ByFolded;
    };

    static void BuildNameIndex(const std::vector<DirEntry>& entries, Index& index);
    static void BuildFoldedIndex(const std::vector<DirEntry>& entries, Index& index);
    void EnsureFolded() const;
    const std::vector<DirEntry>& Entries(bool directories) const
    {
        return directories ? dirs_ : files_;
    }
    const Index& IndexOf(bool directories) const { return directories ? dirIndex_ : fileIndex_; }

    std::vector<DirEntry> files_;
    std::vector<DirEntry> dirs_;
    std::vector<std::string> unnamable_;
    int error_ = 0;
    bool missing_ = false;
    bool throughLink_ = false;
    mutable Index fileIndex_;
    mutable Index dirIndex_;
    mutable bool folded_ = false;
};

}  // namespace verdal
