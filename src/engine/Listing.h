#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/DirList.h"
#include "platform/DirReadAhead.h"

namespace verdal {

// One directory of a run side, read once: the platform listing plus each file's folded name,
// which the scan's mask and exclusion tests use again and again.
class cListing
{
public:
    void Read(const std::string& nativeDir, bool useUtc, const std::string& root = {});
    // Takes a listing read elsewhere (ahead of time).
    void Adopt(cDirListing&& listing) { dir_ = std::move(listing); }

    const std::vector<DirEntry>& Files() const { return dir_.Files(); }
    const std::vector<DirEntry>& Dirs() const { return dir_.Dirs(); }
    const std::vector<std::string>& Unnamable() const { return dir_.Unnamable(); }
    // Why the directory is not (wholly) known; 0 when it was read whole or does not exist.
    int Error() const { return dir_.Error(); }
    bool ThroughLink() const { return dir_.ThroughLink(); }
    // The folded name of one of Files().
    const std::string& FoldedName(const DirEntry& file) const
    {
        return dir_.FoldedFiles()[static_cast<size_t>(&file - Files().data())];
    }
    // The folder of this listing that pairs with the file `name` of `own`, by the case rule.
    bool HasFolderFor(const std::string& name, const cListing& own) const
    {
        return dir_.FindPartner(name, own.dir_, true) != nullptr;
    }
    // The file of this listing that pairs with `name` of `own`, by the case rule; `conflict`
    // tells that several names equal but for case forbid a pair.
    const DirEntry* FindPartner(const std::string& name, const cListing& own,
                                bool* conflict = nullptr) const
    {
        return dir_.FindPartner(name, own.dir_, false, conflict);
    }
    const cDirListing& Dir() const { return dir_; }

private:
    cDirListing dir_;
};

// Listings of one run side, keyed by native directory path: each directory is read once.
class cDirCache
{
public:
    // `unnamable` collects native paths of entries whose name holds a backslash. Directories
    // below `root` are reached without following symbolic links.
    cDirCache(bool useUtc, std::vector<std::string>* unnamable, std::string root = {});

    const cListing& Get(const std::string& nativeDir);
    // Starts reading the whole tree below `nativeDir` in the background; Get then answers
    // from what was read ahead.
    void ReadAhead(const std::string& nativeDir);

private:
    bool useUtc_;
    std::string root_;
    std::unique_ptr<cDirReadAhead> readAhead_;
    std::vector<std::string>* unnamable_;
    std::unordered_map<std::string, std::unique_ptr<cListing>> listings_;
};

}  // namespace verdal
