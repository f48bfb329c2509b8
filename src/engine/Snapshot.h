#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/EraseList.h"

namespace verdal {

struct cRunContext;
class cListing;

// The files of one directory at the time the snapshot was taken.
struct cSnapItem
{
    std::string Directory;           // relative, with leading and trailing '\'
    std::vector<std::string> Files;  // names as listed
};

// Which files existed on each side at the end of the last run. Lets a two-way run tell a
// file that is new on one side from one that was deleted on the other.
class cSnapshot;

// The real source root, the real destination base and the identities of their file systems:
// a snapshot speaks only for these. Stored after the directory records, where readers that
// stop after the counted records never look.
std::vector<std::string> SnapshotRootsOf(const cRunContext& run);

class cSnapshot
{
public:
    cEraseList<cSnapItem> SourceRecords;
    cEraseList<cSnapItem> DestinationRecords;
    // What the snapshot was made for (SnapshotRootsOf); empty for a file without that record.
    std::vector<std::string> Roots;

    // Reads the snapshot file; returns a Windows error code (0 = read, 2003 = no path).
    int ReadSnapshot(const std::string& path, cRunContext& run);
    // Lists both sides of every directory pair of `run` and saves the result atomically.
    int WriteSnapshot(const std::string& path, cRunContext& run);

    // Whether the directory's record (exact case first, else case-insensitive) holds the name
    // by the pairing rule of the scan: the exact name, or the one name equal but for case when
    // `own` (the listing the name was found in, if given) has no second such name. Anything
    // else is no evidence of a deletion.
    bool WasInSource(const std::string& directory, const std::string& name,
                     const cListing* own = nullptr) const;
    bool WasInDestination(const std::string& directory, const std::string& name,
                          const cListing* own = nullptr) const;

    // Whether the last run saw the directory, or the file in it, on that side by exactly this
    // name.
    bool KnewDirectory(bool sourceSide, const std::string& directory) const;
    bool KnewFile(bool sourceSide, const std::string& directory, const std::string& name) const;

    void Clear();

private:
    struct Names
    {
        std::unordered_set<std::string> Exact;
        std::unordered_map<std::string, std::vector<std::string>> Folded;
    };
    struct Index
    {
        std::unordered_map<std::string, Names> ByDirectory;
        std::unordered_map<std::string, const Names*> ByFoldedDirectory;
    };
    static void AddToIndex(Index& index, const cSnapItem& item);
    static bool Lookup(const Index& index, const std::string& directory, const std::string& name,
                       const cListing* own);

    Index sourceIndex_;
    Index destinationIndex_;
};

}  // namespace verdal
