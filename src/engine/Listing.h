#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FileStamp.h"

namespace verdal {

// One file of a directory listing (symbolic links count as files).
struct ListedFile
{
    std::string Name;
    FileStamp Stamp;
    std::string Folded;  // the name case-folded, filled by BuildIndex
};

// The files and sub-directories of one directory, read once and answered from memory.
class cListing
{
public:
    std::vector<ListedFile> Files;  // in listing order
    std::vector<std::string> Dirs;  // sub-directory names, in listing order

    // Builds the name indexes; call once after filling Files.
    void BuildIndex();

    const ListedFile* FindExact(const std::string& name) const;
    // The file of this listing that pairs with `name` of the listing `own` on the other side:
    // the exact-case name, else a name equal but for case that has no exact counterpart in
    // `own` (two names of one folder that differ only in case are never merged).
    const ListedFile* FindPartner(const std::string& name, const cListing& own) const;

private:
    std::unordered_map<std::string, int> exact_;
    std::unordered_multimap<std::string, int> folded_;
};

// Listings of one run side, keyed by native directory path: each directory is read once.
class cDirCache
{
public:
    // `unnamable` collects native paths of entries whose name holds a backslash.
    cDirCache(bool useUtc, std::vector<std::string>* unnamable);

    const cListing& Get(const std::string& nativeDir);

private:
    bool useUtc_;
    std::vector<std::string>* unnamable_;
    std::unordered_map<std::string, std::unique_ptr<cListing>> listings_;
};

// Windows wildcard match of a file name against a mask, case-insensitive: '*' any run, '?' one
// character, "*.*" every name, a trailing "." matches names without an extension.
bool MatchesMask(std::string_view name, std::string_view mask);
// The same on a name and a mask already case-folded.
bool MatchesFoldedMask(std::string_view foldedName, std::string_view foldedMask);

}  // namespace verdal
